// Which weapon is held and each weapon's firing state: advanced by the held weapon's step,
// read by its drawing, the targets that take its mark requests and the frame; kept apart
// from the firing rules.
#pragma once

#include <cstdint>

constexpr int WEAPON2_CARTRIDGES = 20;

struct WeaponState {
    int32_t held_weapon = 0; // 0 for none, 1 to 5

    bool weapon1_trigger = false; // a click waits for the next step
    float weapon1_kick = 0;       // the last step's kick along the model's z, 0 without a shot

    bool weapon2_trigger = false; // a click waits for the next step
    float weapon2_kick = 0;       // the last step's kick
    int32_t weapon2_shots = 0;    // 0..19 since the drum was last full
    // Drawn in the drum: all 20 at start.
    bool weapon2_cartridge_present[WEAPON2_CARTRIDGES] = {true, true, true, true, true, true, true, true, true, true,
                                                          true, true, true, true, true, true, true, true, true, true};
    float weapon2_drum_angle = 0; // degrees, unbounded

    bool weapon3_fired = false;        // in the recoil
    int32_t weapon3_fired_frames = 0;  // steps into the recoil
    bool weapon3_reloading = false;    // in the reload
    int32_t weapon3_reload_frames = 0; // steps into the reload
    float weapon3_recoil = 0;          // the last step's kick, in model units
    float weapon3_slide = 0;           // ... and the pump's travel back

    bool weapon4_left_held = false;     // automatic fire
    bool weapon4_right_pressed = false; // a launch is asked for
    bool weapon4_launch_active = false; // a launch is running
    int32_t weapon4_launch_frames = 0;  // steps into the launch, 0 when none
    int32_t weapon4_fire_phase = 0;     // 0: the next step fires, 1: it rests
    float weapon4_kick = 0;             // the last step's kick from firing
    float weapon4_launch_kick = 0;      // ... from a launch being asked for
    float weapon4_launch_out = 0;       // ... and how far the launched part stands out

    bool weapon5_left_held = false;  // first rotor driven
    bool weapon5_right_held = false; // second rotor driven
    float weapon5_left_angle = 0;    // degrees, unbounded
    float weapon5_right_angle = 0;

    bool impact_marks_enabled = false;   // set by the first marking shot, for good
    bool mark_request_primary = false;   // the next mark pass records into the primary ring
    bool mark_request_secondary = false; // ... and into the secondary one
    // A shot of this frame's step: its marks are asked of the next frame's passes, once
    // this frame's are recorded (take_mark_request).
    bool marks_asked = false;
};
extern WeaponState weapon_state;
void reset_weapon_state();
