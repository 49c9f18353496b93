#include "support.h"

#include "app/program.h"
#include "app/session.h"
#include "app/window.h"
#include "nav/player.h"

void reset_everything() {
    if (program.running) close_window();
    headless_reset();
    headless_set_auto_clock(true);
    headless_move_cursor(CURSOR_CENTER_X, CURSOR_CENTER_Y);
    reset_session();
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
