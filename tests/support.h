// Shared set-up for tests that drive the core through the headless backend.
#pragma once

#include "platform/headless.h"

// Puts the headless backend and the core's process-wide state back to how a fresh
// process starts, with the virtual clock in automatic mode.
void reset_everything();

// Starts the program as zeb-replay does (answering the question with No) and checks
// that the window opened.
bool start_windowed_program();

// Runs loop iterations until `count` frames were produced or the program ended.
void run_frames(int count);
