// Composition of one frame: the prologue, the block of the current world, the epilogue.
#pragma once

#include "render/frame_state.h"

// Draws the whole frame; always true (a failing world initialisation is not fatal).
bool render_frame();
