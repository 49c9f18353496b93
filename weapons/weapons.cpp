#include "weapons.h"

#include "platform/platform.h"
#include "weapons/targets.h"

#include <GL/gl.h>

namespace {

constexpr int WEAPON3_RECOIL_STEPS = 5; // the recoil ends on the step that passes it
constexpr int WEAPON3_RELOAD_STEPS = 10;
constexpr int WEAPON3_SLIDE_BACK_AFTER = 5;
constexpr int WEAPON4_LAUNCH_OUT_AFTER = 25;
constexpr int WEAPON4_LAUNCH_STEPS = 50;

void request_marks() { weapon_state.marks_asked = true; }

void left_down() {
    WeaponState& w = weapon_state;
    switch (w.held_weapon) {
    case 1:
        w.weapon1_trigger = true;
        platform_play_sound(SHOT_SOUND);
        pick_targets();
        break;
    case 2:
        w.weapon2_trigger = true;
        platform_play_sound(SHOT_SOUND);
        pick_targets();
        break;
    case 3:
        if (w.weapon3_fired || w.weapon3_reloading) break; // still recoiling or reloading
        w.weapon3_fired = true;
        platform_play_sound(BLAST_SOUND);
        pick_targets();
        break;
    case 4:
        w.weapon4_left_held = true;
        platform_play_sound(SHOT_SOUND);
        break;
    case 5:
        w.weapon5_left_held = true;
        break;
    default:
        break;
    }
}

// The held weapons' firing steps. Each that returns a float returns the offset along its
// model's z axis that the drawing adds (0 when it does not act).
float weapon1_shot_step() {
    if (!weapon_state.weapon1_trigger) return 0;
    request_marks();
    weapon_state.weapon1_trigger = false;
    return 0.005f;
}

// The 20th shot refills the drum at once, so the last cartridge always shows.
float weapon2_shot_step() {
    WeaponState& w = weapon_state;
    if (!w.weapon2_trigger) return 0;
    w.weapon2_shots += 1;
    w.weapon2_drum_angle -= 18;
    w.weapon2_trigger = false;
    for (int k = 0; k < WEAPON2_CARTRIDGES - 1; ++k)
        if (w.weapon2_shots > k) w.weapon2_cartridge_present[k] = false;
    if (w.weapon2_shots > WEAPON2_CARTRIDGES - 1) {
        for (bool& present : w.weapon2_cartridge_present) present = true;
        w.weapon2_shots = 0;
    }
    return 0.03f;
}

float weapon3_recoil_offset() { return weapon_state.weapon3_fired ? 0.1f : 0; }

float weapon3_slide_offset() {
    const WeaponState& w = weapon_state;
    return w.weapon3_reloading && w.weapon3_reload_frames > WEAPON3_SLIDE_BACK_AFTER ? 0.09f : 0;
}

// On the step that ends the recoil the reload already counts its first step.
void weapon3_end_step() {
    WeaponState& w = weapon_state;
    if (w.weapon3_fired && ++w.weapon3_fired_frames > WEAPON3_RECOIL_STEPS) {
        w.weapon3_fired = false;
        w.weapon3_reloading = true;
        w.weapon3_fired_frames = 0;
    }
    if (w.weapon3_reloading && ++w.weapon3_reload_frames > WEAPON3_RELOAD_STEPS) {
        w.weapon3_reloading = false;
        w.weapon3_reload_frames = 0;
    }
}

float weapon4_fire_step() {
    WeaponState& w = weapon_state;
    if (!w.weapon4_left_held || w.weapon4_fire_phase != 0) return 0;
    platform_play_sound(SHOT_SOUND);
    request_marks();
    return 0.02f;
}

// Automatic fire stops while a launch is asked for; the blast sounds once per launch.
float weapon4_launch_request_step() {
    WeaponState& w = weapon_state;
    if (!w.weapon4_right_pressed) return 0;
    w.weapon4_left_held = false;
    if (!w.weapon4_launch_active) platform_play_sound(BLAST_SOUND);
    w.weapon4_launch_active = true;
    return 0.04f;
}

float weapon4_launch_count_step() {
    WeaponState& w = weapon_state;
    if (!w.weapon4_launch_active) return 0;
    w.weapon4_launch_frames += 1;
    return w.weapon4_launch_frames > WEAPON4_LAUNCH_OUT_AFTER ? 0.1f : 0;
}

void weapon4_end_step() {
    WeaponState& w = weapon_state;
    if (w.weapon4_launch_frames > WEAPON4_LAUNCH_STEPS) {
        w.weapon4_launch_frames = 0;
        w.weapon4_launch_active = false;
        w.weapon4_right_pressed = false;
    }
    w.weapon4_fire_phase = 1 - w.weapon4_fire_phase;
}

// Runs every step while a button is held, so the sounds restart every frame.
void weapon5_rotor_step() {
    WeaponState& w = weapon_state;
    if (w.weapon5_right_held) {
        w.weapon5_right_angle += 45;
        platform_play_sound(SHOT_SOUND);
    }
    if (w.weapon5_left_held) {
        w.weapon5_left_angle += 15;
        platform_play_sound(BLAST_SOUND);
    }
}

} // namespace

void select_weapon(int weapon) { weapon_state.held_weapon = weapon; }

// A release only clears the flag of the weapon held now: a weapon put away with its
// button down keeps firing when it is taken again, until the button goes up over it.
void on_mouse_button(MouseButton button, bool down) {
    WeaponState& w = weapon_state;
    if (button == MouseButton::Left && down) {
        left_down();
    } else if (button == MouseButton::Left) {
        if (w.held_weapon == 4) w.weapon4_left_held = false;
        if (w.held_weapon == 5) w.weapon5_left_held = false;
    } else if (down) {
        if (w.held_weapon == 4 && w.weapon4_launch_frames == 0) w.weapon4_right_pressed = true;
        if (w.held_weapon == 5) w.weapon5_right_held = true;
    } else {
        if (w.held_weapon == 4) w.weapon4_right_pressed = false;
        if (w.held_weapon == 5) w.weapon5_right_held = false;
    }
}

// The steps run in the order the held model applies their offsets. Weapon 4's picks come
// after its steps, with the camera that the frame's surfaces were drawn with; the second
// pick of a frame sees what the first one hid.
void step_held_weapon() {
    WeaponState& w = weapon_state;
    switch (w.held_weapon) {
    case 1:
        w.weapon1_kick = weapon1_shot_step();
        break;
    case 2:
        w.weapon2_kick = weapon2_shot_step();
        break;
    case 3:
        w.weapon3_recoil = weapon3_recoil_offset();
        w.weapon3_slide = weapon3_slide_offset();
        weapon3_end_step();
        break;
    case 4: {
        w.weapon4_kick = weapon4_fire_step();
        w.weapon4_launch_kick = weapon4_launch_request_step();
        w.weapon4_launch_out = weapon4_launch_count_step();
        weapon4_end_step();
        // Picks on every held frame, not only the firing ones, and on a launch's first step.
        // The pick leaves texturing and culling on; the model drawn next starts from the
        // frame's own switches.
        glPushAttrib(GL_ENABLE_BIT);
        if (w.weapon4_left_held) pick_targets();
        if (w.weapon4_launch_frames == 1) pick_targets();
        glPopAttrib();
        break;
    }
    case 5:
        weapon5_rotor_step();
        break;
    default:
        break;
    }
}

void take_mark_request() {
    WeaponState& w = weapon_state;
    if (!w.marks_asked) return;
    w.marks_asked = false;
    w.impact_marks_enabled = true;
    w.mark_request_primary = true;
    w.mark_request_secondary = true;
}
