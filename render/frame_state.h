// The values the frame composition keeps from frame to frame and the passes it calls read:
// apart from render/frame.h so those passes need not include the composition.
#pragma once

#include <cstdint>

struct FrameState {
    float spin_angle = 0;                      // degrees: the light, the switch cubes, a display object
    float current_rgb[3] = {0.1f, 0.1f, 0.1f}; // running colour triple shared with the ring display
    int32_t hud_triangle_total = 0;            // level triangles of the last level pass
};
extern FrameState frame_state;
void reset_frame_state();
