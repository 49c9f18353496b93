// Program entry and the main loop: one window message or one frame per iteration.
#pragma once

#include "nav/player.h"

#include <cstdint>

enum class Iteration { Message, Frame, Ended };

struct ProgramState {
    bool running;            // start-up succeeded and the loop has not ended
    bool exited;             // the program has ended (failed start, loop end, failed reopen)
    int exit_code;           // valid once exited
    int64_t frame_iterations; // loop iterations that produced a frame
};
extern ProgramState program;

// Asks for the mode, opens the window with world 1 and starts the timer. False when
// the window could not be opened (the program has then ended with code 0).
bool program_start();
// One loop iteration; after Ended the window is closed and program.exit_code is set.
Iteration program_iterate();
// The whole program: start, loop, shut down. Returns the process exit code.
int run_program();
