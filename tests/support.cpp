#include "support.h"

#include "app/input.h"
#include "app/program.h"
#include "app/random.h"
#include "app/timer.h"
#include "app/window.h"

#include <algorithm>
#include <iterator>

void reset_everything() {
    if (program.running) close_window();
    headless_reset();
    headless_set_auto_clock(true);
    headless_move_cursor(CURSOR_CENTER_X, CURSOR_CENTER_Y);
    program = ProgramState{};
    std::fill(std::begin(keys), std::end(keys), false);
    fullscreen = true;
    active = true;
    view_width = 0;
    view_height = 0;
    field_of_view = 45;
    frame_pacing = 5;
    frame_timer = FrameTimer{};
    frame_counter = FrameCounter{};
    random_seed = 1;
    cursor_pos = CursorPos{};
}

bool start_windowed_program() {
    headless_queue_answer(IDNO);
    return program_start();
}

void run_frames(int count) {
    for (int produced = 0; produced < count;) {
        const Iteration it = program_iterate();
        if (it == Iteration::Ended) return;
        if (it == Iteration::Frame) ++produced;
    }
}
