// The values the frame composition keeps from frame to frame and the passes it calls read:
// apart from render/frame.h so those passes need not include the composition.
#pragma once

#include "scene/vec3.h"

#include <cstdint>

struct FrameState {
    float spin_angle = 0;                      // degrees: the light, the switch cubes, a display object
    float current_rgb[3] = {0.1f, 0.1f, 0.1f}; // running colour triple shared with the ring display
    int32_t hud_triangle_total = 0;            // level triangles of the last level pass
    // What the step kept for the draw, where a value moves on during the frame.
    float light_angle = 0;  // spin_angle as the light is placed
    float light_bob = 0;    // the bob as the light is placed, before its step
    float object_angle = 0; // spin_angle for the switch cubes and weapon 1's display copy
    float sky_turn = 0;     // the domes' turn
    Vec3 eye = {0, 0, 0};   // the camera, before the descent and the pits move the player
    // The current colour the frame's drawing starts in: the one the last frame drawn ended
    // in (white in a new context). Objects drawn before anything sets a colour use it, so
    // it is kept as a value: a frame drawn again is drawn the same.
    float start_colour[4] = {1, 1, 1, 1};
};
extern FrameState frame_state;
void reset_frame_state();
// A new GL context starts in white: so does its first frame.
void start_colour_of_new_context();
