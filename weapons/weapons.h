// The hand-held weapons: which one is held, the mouse buttons that fire it and the firing
// state each weapon's model advances while it is drawn.
#pragma once

#include "weapons/weapon_state.h"

constexpr const char* SHOT_SOUND = "text/Shot.wav";
constexpr const char* BLAST_SOUND = "text/Explode.wav";

// Digit keys 1 to 5 take a weapon, 0 (weapon 0) puts it away.
void select_weapon(int weapon);
// A mouse-button message (WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDOWN, WM_RBUTTONUP) for
// the held weapon: sounds and target picks at once, firing flags for the next draws.
void on_mouse_button(unsigned message);

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
