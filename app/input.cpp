#include "input.h"

#include "app/timer.h"
#include "assets/textures.h"
#include "nav/gates.h"
#include "nav/player.h"
#include "nav/worlds.h"
#include "scene/animation.h"
#include "render/hud.h"
#include "render/scene_setup.h"
#include "weapons/weapon_models.h"
#include "weapons/weapons.h"

#include <iterator>

InputRequests input_requests;

void reset_input_requests() { input_requests = InputRequests{}; }

namespace {

// A press asks for the next frame drawn to be kept as a picture, however long it is held.
void screenshot_key(int down) {
    if (down && !input_requests.screenshot_key_latch) input_requests.screenshot_asked = true;
    input_requests.screenshot_key_latch = down != 0;
}

void set_dist_readout(int value) { hud.dist_readout = static_cast<float>(value); }
void set_anisotropy(int on) { textures.anisotropy_enabled = on != 0; }
void step_lod_bias(int amount) { textures.lod_bias += amount; }
void move_gates(int direction) {
    if (direction > 0) raise_gates();
    else lower_gates();
}
void turn_weapon_roll(int degrees) { weapon_models.weapon_roll_angle += static_cast<float>(degrees); }
void turn_weapon_yaw(int degrees) { weapon_models.weapon_yaw_angle += static_cast<float>(degrees); }
// K and L also swing the town's signs.
void turn_weapon_pitch(int degrees) {
    weapon_models.weapon_pitch_angle += static_cast<float>(degrees);
    animation.sign_swing_angle += static_cast<float>(degrees);
}
void set_ring_effects(int on) { set_ring_pair_effects(on != 0); }
void step_frame_pacing(int amount) { timer.frame_pacing += amount; }
void switch_lighting(int on) { set_lighting(on != 0); }
void jump_key(int down) { jump_key_step(down != 0); }
void lift_key(int down) { lift_key_step(down != 0); }
void walk(int direction) { walk_step(static_cast<WalkDirection>(direction)); }

} // namespace

// clang-format off
const KeyBinding KEY_BINDINGS[] = {
    // key           kind           effect              amount
    {Key::Numpad1,   KeyKind::Held, set_dist_readout,    30},
    {Key::Numpad6,   KeyKind::Held, set_dist_readout,    90},
    {Key::Numpad9,   KeyKind::Held, set_dist_readout,   -30},
    {Key::E,         KeyKind::Held, set_anisotropy,       1},
    {Key::R,         KeyKind::Held, set_anisotropy,       0},
    {Key::Q,         KeyKind::Held, step_lod_bias,       -1},
    {Key::W,         KeyKind::Held, step_lod_bias,        1},
    {Key::Digit1,    KeyKind::Held, select_weapon,        1},
    {Key::Digit2,    KeyKind::Held, select_weapon,        2},
    {Key::Digit3,    KeyKind::Held, select_weapon,        3},
    {Key::Digit4,    KeyKind::Held, select_weapon,        4},
    {Key::Digit5,    KeyKind::Held, select_weapon,        5},
    {Key::Digit0,    KeyKind::Held, select_weapon,        0},
    {Key::Y,         KeyKind::Held, move_gates,           1},
    {Key::I,         KeyKind::Held, move_gates,          -1},
    {Key::C,         KeyKind::Held, turn_weapon_roll,    -1},
    {Key::D,         KeyKind::Held, turn_weapon_roll,     1},
    {Key::J,         KeyKind::Held, turn_weapon_yaw,     -1},
    {Key::H,         KeyKind::Held, turn_weapon_yaw,      1},
    {Key::K,         KeyKind::Held, turn_weapon_pitch,   -1},
    {Key::L,         KeyKind::Held, turn_weapon_pitch,    1},
    {Key::A,         KeyKind::Held, set_ring_effects,     1},
    {Key::F,         KeyKind::Held, set_ring_effects,     0},
    {Key::B,         KeyKind::Held, step_frame_pacing,    1},
    {Key::V,         KeyKind::Held, step_frame_pacing,   -1},
    {Key::X,         KeyKind::Held, switch_lighting,      1},
    {Key::Z,         KeyKind::Held, switch_lighting,      0},
    {Key::End,       KeyKind::Edge, jump_key,             0},
    {Key::Delete,    KeyKind::Edge, lift_key,             0},
    {Key::F12,       KeyKind::Edge, screenshot_key,       0},
    {Key::Up,        KeyKind::Held, walk,                 static_cast<int>(WalkDirection::Forward)},
    {Key::Down,      KeyKind::Held, walk,                 static_cast<int>(WalkDirection::Back)},
    {Key::Right,     KeyKind::Held, walk,                 static_cast<int>(WalkDirection::Right)},
    {Key::Left,      KeyKind::Held, walk,                 static_cast<int>(WalkDirection::Left)},
};
// clang-format on
const size_t KEY_BINDING_COUNT = std::size(KEY_BINDINGS);

void apply_held_keys() {
    for (const KeyBinding& binding : KEY_BINDINGS) {
        const bool down = keys[binding.key];
        if (binding.kind == KeyKind::Edge) binding.effect(down ? 1 : 0);
        else if (down) binding.effect(binding.amount);
    }
    // A world left behind gives up its textures at once; the new set loads next frame.
    if (world_entry_pending() && textures.texture_set_loaded) delete_textures();
}
