#include "input.h"

#include "app/pad.h"
#include "app/timer.h"
#include "assets/textures.h"
#include "nav/gates.h"
#include "nav/player.h"
#include "nav/worlds.h"
#include "scene/animation.h"
#include "render/hud.h"
#include "render/scene_setup.h"
#include "weapons/weapon_models.h"
#include "weapons/weapon_table.h"
#include "weapons/weapons.h"

#include <cstring>
#include <iterator>

InputRequests input_requests;

void reset_input_requests() { input_requests = InputRequests{}; }

namespace {

// A press asks for the next frame drawn to be kept as a picture, however long it is held.
void screenshot_key(int) { input_requests.screenshot_asked = true; }

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

// Through weapons 1 to 5 and round; from none held, the first or the last.
void cycle_weapon(int step) {
    const int count = weapon_count();
    const int held = weapon_state.held_weapon;
    select_weapon(step > 0 ? held % count + 1 : held <= 1 ? count : held - 1);
}

// A first press asks on the HUD, a second one while the question shows quits: a button
// on a controller is easily knocked, and a box would need the keyboard to answer it.
void quit_key(int down) {
    InputRequests& r = input_requests;
    const bool press = down && !r.quit_latch;
    r.quit_latch = down != 0;
    if (press && hud.quit_prompt_frames > 0) r.quit_asked = true;
    else if (press) hud.quit_prompt_frames = QUIT_CONFIRM_FRAMES;
    else if (hud.quit_prompt_frames > 0) hud.quit_prompt_frames -= 1;
}

void fullscreen_key(int) { input_requests.fullscreen_asked = true; }

} // namespace

// clang-format off
const KeyBinding KEY_BINDINGS[] = {
    // action             key             kind            effect            amount
    {"readout_30",        Key::Numpad1,   KeyKind::Held,  set_dist_readout,    30},
    {"readout_90",        Key::Numpad6,   KeyKind::Held,  set_dist_readout,    90},
    {"readout_minus_30",  Key::Numpad9,   KeyKind::Held,  set_dist_readout,   -30},
    {"anisotropy_on",     Key::E,         KeyKind::Held,  set_anisotropy,       1},
    {"anisotropy_off",    Key::R,         KeyKind::Held,  set_anisotropy,       0},
    {"lod_bias_down",     Key::Q,         KeyKind::Held,  step_lod_bias,       -1},
    {"lod_bias_up",       Key::W,         KeyKind::Held,  step_lod_bias,        1},
    {"weapon_1",          Key::Digit1,    KeyKind::Held,  select_weapon,        1},
    {"weapon_2",          Key::Digit2,    KeyKind::Held,  select_weapon,        2},
    {"weapon_3",          Key::Digit3,    KeyKind::Held,  select_weapon,        3},
    {"weapon_4",          Key::Digit4,    KeyKind::Held,  select_weapon,        4},
    {"weapon_5",          Key::Digit5,    KeyKind::Held,  select_weapon,        5},
    {"weapon_0",          Key::Digit0,    KeyKind::Held,  select_weapon,        0},
    {"weapon_prev",       Key::Unknown,   KeyKind::Press, cycle_weapon,        -1},
    {"weapon_next",       Key::Unknown,   KeyKind::Press, cycle_weapon,         1},
    {"gates_up",          Key::Y,         KeyKind::Held,  move_gates,           1},
    {"gates_down",        Key::I,         KeyKind::Held,  move_gates,          -1},
    {"weapon_roll_left",  Key::C,         KeyKind::Held,  turn_weapon_roll,    -1},
    {"weapon_roll_right", Key::D,         KeyKind::Held,  turn_weapon_roll,     1},
    {"weapon_yaw_left",   Key::J,         KeyKind::Held,  turn_weapon_yaw,     -1},
    {"weapon_yaw_right",  Key::H,         KeyKind::Held,  turn_weapon_yaw,      1},
    {"weapon_pitch_down", Key::K,         KeyKind::Held,  turn_weapon_pitch,   -1},
    {"weapon_pitch_up",   Key::L,         KeyKind::Held,  turn_weapon_pitch,    1},
    {"ring_effects_on",   Key::A,         KeyKind::Held,  set_ring_effects,     1},
    {"ring_effects_off",  Key::F,         KeyKind::Held,  set_ring_effects,     0},
    {"pacing_up",         Key::B,         KeyKind::Held,  step_frame_pacing,    1},
    {"pacing_down",       Key::V,         KeyKind::Held,  step_frame_pacing,   -1},
    {"lighting_on",       Key::X,         KeyKind::Held,  switch_lighting,      1},
    {"lighting_off",      Key::Z,         KeyKind::Held,  switch_lighting,      0},
    {"jump",              Key::End,       KeyKind::Edge,  jump_key,             0},
    {"lift",              Key::Delete,    KeyKind::Edge,  lift_key,             0},
    {"screenshot",        Key::F12,       KeyKind::Press, screenshot_key,       0},
    {"quit",              Key::Unknown,   KeyKind::Edge,  quit_key,             0},
    {"fullscreen",        Key::Unknown,   KeyKind::Press, fullscreen_key,       0},
    {"forward",           Key::Up,        KeyKind::Held,  walk,               static_cast<int>(WalkDirection::Forward)},
    {"back",              Key::Down,      KeyKind::Held,  walk,               static_cast<int>(WalkDirection::Back)},
    {"strafe_right",      Key::Right,     KeyKind::Held,  walk,               static_cast<int>(WalkDirection::Right)},
    {"strafe_left",       Key::Left,      KeyKind::Held,  walk,               static_cast<int>(WalkDirection::Left)},
};
// clang-format on
static_assert(std::size(KEY_BINDINGS) == KEY_BINDING_COUNT, "KEY_BINDING_COUNT counts the table's rows");

BoundKeys bound_keys;

void reset_bound_keys() { bound_keys = BoundKeys{}; }

RowKeys table_keys() {
    RowKeys row_keys{};
    for (size_t r = 0; r < KEY_BINDING_COUNT; ++r) row_keys[r] = KEY_BINDINGS[r].key;
    return row_keys;
}

void bind_key(BoundKeys* bound, size_t row, Key key) {
    if (key != Key::Unknown)
        for (Key& held : bound->row_keys)
            if (held == key) held = Key::Unknown;
    bound->row_keys[row] = key;
}

int binding_row(const char* action) {
    for (size_t r = 0; r < KEY_BINDING_COUNT; ++r)
        if (strcmp(KEY_BINDINGS[r].action, action) == 0) return static_cast<int>(r);
    return -1;
}

// clang-format off
const PadBinding PAD_BINDINGS[] = {
    // button                    action
    {PadButton::A,             "jump"},
    {PadButton::X,             "lift"},
    {PadButton::LeftShoulder,  "weapon_prev"},
    {PadButton::RightShoulder, "weapon_next"},
    {PadButton::DpadUp,        "forward"},
    {PadButton::DpadDown,      "back"},
    {PadButton::DpadRight,     "strafe_right"},
    {PadButton::DpadLeft,      "strafe_left"},
    {PadButton::Start,         "quit"},
    {PadButton::Back,          "fullscreen"},
};
// clang-format on
const size_t PAD_BINDING_COUNT = std::size(PAD_BINDINGS);

std::array<int, PAD_BUTTON_COUNT> PadBindingRows::default_pad_binding_rows() {
    std::array<int, PAD_BUTTON_COUNT> rows;
    rows.fill(-1);
    for (const PadBinding& b : PAD_BINDINGS) rows[static_cast<size_t>(b.button)] = binding_row(b.action);
    return rows;
}

PadBindingRows pad_binding_rows;

void reset_pad_bindings() { pad_binding_rows = PadBindingRows{}; }

namespace {

bool pad_drives(int row) {
    for (size_t b = 0; b < PAD_BUTTON_COUNT; ++b)
        if (pad_binding_rows.row[b] == row && pad.held[b]) return true;
    return false;
}

} // namespace

void apply_held_keys() {
    for (size_t r = 0; r < KEY_BINDING_COUNT; ++r) {
        const KeyBinding& binding = KEY_BINDINGS[r];
        const bool down = keys[bound_keys.row_keys[r]] || pad_drives(static_cast<int>(r));
        if (binding.kind == KeyKind::Edge) {
            binding.effect(down ? 1 : 0);
        } else if (binding.kind == KeyKind::Press) {
            bool& was_down = input_requests.row_driven[r];
            if (down && !was_down) binding.effect(binding.amount);
            was_down = down;
        } else if (down) {
            binding.effect(binding.amount);
        }
    }
    // The left stick walks after the arrow keys, as one more of them.
    apply_pad_walk();
    // A world left behind gives up its textures at once; the new set loads next frame.
    if (world_entry_pending() && textures.texture_set_loaded) delete_textures();
}
