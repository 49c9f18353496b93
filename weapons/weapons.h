// The hand-held weapons: which one is held, the mouse buttons that fire it and the firing
// state its step advances once a frame, before it is drawn.
#pragma once

#include "platform/input_event.h"
#include "weapons/weapon_state.h"

constexpr const char* SHOT_SOUND = "text/Shot.wav";
constexpr const char* BLAST_SOUND = "text/Explode.wav";

// Digit keys 1 to 5 take a weapon, 0 (weapon 0) puts it away.
void select_weapon(int weapon);
// A mouse button going down or up for the held weapon: sounds and target picks at once,
// firing flags for the next steps.
void on_mouse_button(MouseButton button, bool down);

// Once a frame, just before the held weapon is drawn and after the frame's mark passes:
// advances the held weapon's firing state (sounds, mark requests, weapon 4's target
// picks with the camera current) and leaves the offsets its drawing applies in
// weapon_state.
void step_held_weapon();
// Once the frame's mark passes are recorded: a shot of its step asks the next frame's
// passes for marks (and the first such shot turns the marks on).
void take_mark_request();
