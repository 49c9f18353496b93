// The hand-held weapons: which one is held, the mouse buttons that fire it and the firing
// state each weapon's model advances while it is drawn.
#pragma once

#include <cstdint>

constexpr int WEAPON2_CARTRIDGES = 20;

struct WeaponState {
    int32_t held_weapon = 0; // 0 for none, 1 to 5

    bool weapon1_trigger = false; // a click waits for the next draw

    bool weapon2_trigger = false;                                // a click waits for the next draw
    int32_t weapon2_shots = 0;                               // 0..19 since the drum was last full
    // Drawn in the drum: all 20 at start.
    bool weapon2_cartridge_present[WEAPON2_CARTRIDGES] = {true, true, true, true, true, true, true, true, true, true,
                                                          true, true, true, true, true, true, true, true, true, true};
    float weapon2_drum_angle = 0;                            // degrees, unbounded

    bool weapon3_fired = false;            // in the recoil
    int32_t weapon3_fired_frames = 0;  // draws into the recoil
    bool weapon3_reloading = false;        // in the reload
    int32_t weapon3_reload_frames = 0; // draws into the reload

    bool weapon4_left_held = false;        // automatic fire
    bool weapon4_right_pressed = false;    // a launch is asked for
    bool weapon4_launch_active = false;    // a launch is running
    int32_t weapon4_launch_frames = 0; // draws into the launch, 0 when none
    int32_t weapon4_fire_phase = 0;    // 0: the next draw fires, 1: it rests

    bool weapon5_left_held = false;    // first rotor driven
    bool weapon5_right_held = false;   // second rotor driven
    float weapon5_left_angle = 0;  // degrees, unbounded
    float weapon5_right_angle = 0;

    bool impact_marks_enabled = false;   // set by the first marking shot, for good
    bool mark_request_primary = false;   // the next mark pass records into the primary ring
    bool mark_request_secondary = false; // ... and into the secondary one
};
extern WeaponState weapon_state;
void reset_weapon_state();

constexpr const char* SHOT_SOUND = "text/Shot.wav";
constexpr const char* BLAST_SOUND = "text/Explode.wav";

// Digit keys 1 to 5 take a weapon, 0 (weapon 0) puts it away.
void select_weapon(int weapon);
// A mouse-button message (WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDOWN, WM_RBUTTONUP) for
// the held weapon: sounds and target picks at once, firing flags for the next draws.
void on_mouse_button(unsigned message);
// The held weapon over the scene, in camera space; its firing state advances as it draws,
// and weapon 4 picks the targets after it.
void draw_held_weapon();

// The firing steps the models run at their points in the draw. Each returns the offset
// along the model's z axis it adds (0 when it does not act).
float weapon1_shot_step();
float weapon2_shot_step();
float weapon3_recoil_offset();
float weapon3_slide_offset();
void weapon3_end_step();
float weapon4_fire_step();
float weapon4_launch_request_step();
float weapon4_launch_count_step();
void weapon4_end_step();
void weapon5_rotor_step();
