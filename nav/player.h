// The player's rules: mouse-look, the arrow, jump and lift keys, the lift and the fall.
#pragma once

#include "nav/player_state.h"

constexpr float MOVE_STEP = 0.05f;
extern const float DEG_TO_RAD; // pi / 180 in single precision

// Puts the pointer at the window centre and aims there without turning the view: used when
// a window opens or gets the input back, whose pointer may be anywhere on the desktop.
void take_pointer();
// Moves the centre with the client area; an empty area (a minimised window) keeps it.
void set_pointer_center(int client_width, int client_height);
// Turns and tilts by the cursor's offset from the window centre, as mouse_look says.
void apply_mouse_look(int dx, int dy);
// End: a jump starts once per press, not during a lift.
void jump_key_step(bool down);
// Delete: a lift starts (with its sound) once per press.
void lift_key_step(bool down);
enum class WalkDirection { Forward, Back, Right, Left };
// One arrow-key step, after world 1's clamps; forward first tests the doorways. `share`
// scales the step (a stick part-way over): 1 is exactly the key's MOVE_STEP.
void walk_step(WalkDirection direction, float share = 1);
// Once a frame, before the walls: the lift (Delete) and the jump boost (End or a step up)
// raise the eye; a boost asked for during a lift waits for its end.
void update_lift();
// The fall, once in each world's pass: the eye sinks by 0.02 while above 0.1.
void descend_step();
