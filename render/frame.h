// Composition of one frame: the prologue, the block of the current world, the epilogue.
#pragma once

#include <cstdint>

#include "weapons/targets.h"

struct FrameState {
    float spin_angle = 0;           // degrees: the light, the switch cubes, a display object
    float current_rgb[3] = {0.1f, 0.1f, 0.1f};       // running colour triple shared with the ring display
    int32_t hud_triangle_total = 0; // level triangles of the last level pass
};
extern FrameState frame_state;
void reset_frame_state();

// Draws the whole frame; always true (a failing world initialisation is not fatal).
bool render_frame();
