// Program entry and the main loop: one window message or one frame per iteration.
#pragma once

#include "nav/player.h"

#include <cstdint>

enum class Iteration { Message, Frame, Ended };

struct ProgramState {
    bool running = false;         // start-up succeeded and the loop has not ended
    bool exited = false;          // the program has ended (failed start, loop end, failed reopen)
    int exit_code = 0;            // valid once exited
    int64_t frame_iterations = 0; // loop iterations that produced a frame
};
extern ProgramState program;

// The exit code when the window cannot be opened, at start or on a fullscreen toggle.
constexpr int EXIT_OPEN_FAILED = 1;

// Asks for the mode, unless `startup_answer` gives it in advance (IDYES or IDNO, from a
// command line; 0 asks), opens the window with world 1 and starts the timer. False when
// the window could not be opened (the program has then ended with EXIT_OPEN_FAILED).
bool program_start(int startup_answer = 0);
// F1: the window closed and opened again in the other mode, the world and every setting
// kept. False when the reopen failed (the program has then ended with EXIT_OPEN_FAILED).
bool toggle_fullscreen();
// One loop iteration; after Ended the window is closed and program.exit_code is set.
Iteration program_iterate();
// The whole program: start, loop, shut down. Returns the process exit code.
// `after_each_step`, when given, runs after the start and after every loop iteration but
// the last (zeb's entry asks there whether a recording still writes).
int run_program(int startup_answer, void (*after_each_step)() = nullptr);
