// The frames-per-second counter and the field-of-view keys, the first step of every
// rendered frame.
#pragma once

#include <cstdint>

struct FrameCounter {
    int32_t frames = 0;     // frames since the last measurement
    uint32_t last_tick = 0; // tick count of the last measurement
    float fps_value = 0;    // frames per second shown on the HUD
};
extern FrameCounter frame_counter;
void reset_frame_counter();

// Counts the frame, measures once a second, and applies the O and P keys.
void update_frame_counter();
