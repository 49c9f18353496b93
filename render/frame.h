// Composition of one frame: the prologue, the block of the current world, the epilogue.
#pragma once

#include "render/frame_state.h"

// Advances everything one frame: animations, the player's lift, contacts and descent, the
// gates, the water, the fountain, world entry. Keeps in the frame state what a draw needs
// from the middle of the sequence.
void step_frame();
// Draws the frame from the state alone; changes no module state (the weapons' drawing
// aside, which still steps itself).
void draw_frame();
// Steps and draws the whole frame; always true (a failing world initialisation is not fatal).
bool render_frame();
