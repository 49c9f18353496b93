// Frame timer and frame pacing.
#pragma once

#include <cstdint>

struct FrameTimer {
    int64_t frequency = 0;          // counts per second (1000 with the millisecond timer)
    float resolution = 0;           // seconds per count
    uint32_t mm_start = 0;          // millisecond time at start
    uint32_t mm_elapsed = 0;        // equal to mm_start, kept for the record's layout
    bool performance_timer = false; // true when the high-resolution counter is used
    int64_t perf_start = 0;         // counter value at start
    int64_t perf_elapsed = 0;       // equal to perf_start, kept for the record's layout
};

// How a drawn frame waits out its minimum period. Overlapped: the frame is handed to the
// driver first, so it rasterises during the wait, and the wait sleeps but for its last
// SPIN_MS, leaving the processors to the rasteriser. Serial: no hand-over, a spin for the
// whole period, so rasterising starts only at the swap; kept to measure the difference.
enum class PacingWait : uint8_t { Overlapped, Serial };
constexpr double SPIN_MS = 1; // a sleep may overrun by about this much; the rest is spun

struct TimerState {
    FrameTimer frame_timer;
    int32_t frame_pacing = 5; // the minimum frame period is 2 x frame_pacing ms (keys B and V)
    PacingWait pacing_wait = PacingWait::Overlapped;
};
extern TimerState timer;
void reset_timer();

void timer_init();
double timer_now_ms();
// Waits until 2 x frame_pacing ms have passed since t0 (read before rendering), as
// timer.pacing_wait says. Both ways end at the same reading of the clock.
void wait_frame_pacing(float t0);
// The same wait while no frame is drawn (a minimised or hidden window): sleeps until a
// message arrives or at least IDLE_PERIOD_MS (and the pacing period) have passed.
constexpr double IDLE_PERIOD_MS = 10;
void wait_idle(float t0);
