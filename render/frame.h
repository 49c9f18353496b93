// Composition of one frame: the prologue, the block of the current world, the epilogue.
#pragma once

#include "render/frame_state.h"

// Advances everything one frame: animations, the player's lift, contacts and descent, the
// gates, the water, the fountain, world entry. Keeps in the frame state what a draw needs
// from the middle of the sequence.
void step_frame();
// Draws the frame from the state alone; changes no module state. The impact marks' passes
// read the depth under the pointer as they are drawn, and the colour the frame ends in is
// read at its end; what they read waits for settle_frame.
void draw_frame();
// After the draw: records the marks the frame's passes read, the next frame's mark
// request a shot of this frame's step made, and the colour the next frame starts in.
void settle_frame();
// Render's part of the world table: each world's entry, step and draw, handed down to its
// row. Called before a window's scene is set up, which is what enters a world first.
void attach_world_parts();
// Each world's part of the step and of the draw, handed to its row of the world table.
void step_world1();
void step_world2();
void step_world3();
void draw_world1();
void draw_world2();
void draw_world3();
// Steps, draws and settles the whole frame; always true (a failing world initialisation is
// not fatal).
bool render_frame();
