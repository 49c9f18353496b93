// The hand-held weapons as the frame and the input reach them: which one is held, the
// mouse buttons over it, its step and its drawing, each handed to the held weapon's row
// of the weapon table (weapons/weapon_table.h).
#pragma once

#include "platform/input_event.h"
#include "weapons/weapon_state.h"

constexpr const char* SHOT_SOUND = "text/Shot.wav";
constexpr const char* BLAST_SOUND = "text/Explode.wav";

// The digit keys take a weapon, 0 (weapon 0) puts it away.
void select_weapon(int weapon);
// A mouse button going down or up over the held weapon.
void on_mouse_button(MouseButton button, bool down);

// Once a frame, at the end of the step pass, after the targets are respawned: advances
// the held weapon's firing state (sounds, mark requests, picks with the frame's camera)
// and leaves the offsets its drawing applies in weapon_state.
void step_held_weapon();
// The held weapon over the scene, in camera space, as its last step left it: reads the
// weapon state and changes none of it.
void draw_held_weapon();
// Once the frame's mark passes are recorded: a shot of its step asks the next frame's
// passes for marks (and the first such shot turns the marks on).
void take_mark_request();
