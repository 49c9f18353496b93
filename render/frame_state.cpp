#include "frame_state.h"

FrameState frame_state;

void reset_frame_state() { frame_state = FrameState{}; }
