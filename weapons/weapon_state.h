// Which weapon is held and each weapon's firing state: advanced by the held weapon's step,
// read by its drawing, the targets that take its mark requests and the frame; kept apart
// from the firing rules. Each weapon owns one member; the whole is one record so that the
// session resets and compares it at once.
#pragma once

#include <cstdint>

constexpr int WEAPON2_CARTRIDGES = 20;

struct Weapon1State {
    bool trigger = false; // a click waits for the next step
    float kick = 0;       // the last step's kick along the model's z, 0 without a shot
};
struct Weapon2State {
    bool trigger = false; // a click waits for the next step
    float kick = 0;       // the last step's kick
    int32_t shots = 0;    // 0..19 since the drum was last full
    // Drawn in the drum: all 20 at start.
    bool cartridge_present[WEAPON2_CARTRIDGES] = {true, true, true, true, true, true, true, true, true, true,
                                                  true, true, true, true, true, true, true, true, true, true};
    float drum_angle = 0; // degrees, unbounded
};
struct Weapon3State {
    bool fired = false;        // in the recoil
    int32_t fired_frames = 0;  // steps into the recoil
    bool reloading = false;    // in the reload
    int32_t reload_frames = 0; // steps into the reload
    float recoil = 0;          // the last step's kick, in model units
    float slide = 0;           // ... and the pump's travel back
};
struct Weapon4State {
    bool left_held = false;     // automatic fire
    bool right_pressed = false; // a launch is asked for
    bool launch_active = false; // a launch is running
    int32_t launch_frames = 0;  // steps into the launch, 0 when none
    int32_t fire_phase = 0;     // 0: the next step fires, 1: it rests
    float kick = 0;             // the last step's kick from firing
    float launch_kick = 0;      // ... from a launch being asked for
    float launch_out = 0;       // ... and how far the launched part stands out
};
struct Weapon5State {
    bool left_held = false;  // first rotor driven
    bool right_held = false; // second rotor driven
    float left_angle = 0;    // degrees, unbounded
    float right_angle = 0;
};

struct WeaponState {
    int32_t held_weapon = 0; // 0 for none, else a row of the weapon table
    Weapon1State weapon1;
    Weapon2State weapon2;
    Weapon3State weapon3;
    Weapon4State weapon4;
    Weapon5State weapon5;

    bool impact_marks_enabled = false;   // set by the first marking shot, for good
    bool mark_request_primary = false;   // the next mark pass records into the primary ring
    bool mark_request_secondary = false; // ... and into the secondary one
    // A shot of this frame's step: its marks are asked of the next frame's passes, once
    // this frame's are recorded (take_mark_request).
    bool marks_asked = false;
};
extern WeaponState weapon_state;
void reset_weapon_state();
