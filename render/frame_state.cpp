#include "frame_state.h"

#include <algorithm>
#include <iterator>

FrameState frame_state;

void reset_frame_state() { frame_state = FrameState{}; }

void start_colour_of_new_context() {
    const FrameState fresh;
    std::copy(std::begin(fresh.start_colour), std::end(fresh.start_colour), frame_state.start_colour);
}
