#include "timer.h"

#include "platform/platform.h"

#include <algorithm>
#include <cmath>

TimerState timer;

void reset_timer() { timer = TimerState{}; }

void timer_init() {
    FrameTimer& t = timer.frame_timer;
    t = FrameTimer{};
    if (!platform_query_performance_frequency(&t.frequency)) {
        t.performance_timer = false;
        t.mm_start = platform_time_get_time();
        t.resolution = 0.001f;
        t.frequency = 1000;
        t.mm_elapsed = t.mm_start;
    } else {
        t.perf_start = platform_query_performance_counter();
        t.performance_timer = true;
        t.resolution = static_cast<float>(1.0 / static_cast<double>(t.frequency));
        t.perf_elapsed = t.perf_start;
    }
}

double timer_now_ms() {
    const FrameTimer& t = timer.frame_timer;
    if (t.performance_timer) {
        const int64_t counts = platform_query_performance_counter() - t.perf_start;
        return static_cast<double>(counts) * t.resolution * 1000.0;
    }
    // Unsigned difference: survives the wrap of the 32-bit millisecond counter.
    const uint32_t elapsed = platform_time_get_time() - t.mm_start;
    return static_cast<double>(elapsed) * t.resolution * 1000.0;
}

void wait_frame_pacing(float t0) {
    const double end = static_cast<double>(t0) + 2.0 * static_cast<double>(timer.frame_pacing);
    double now = timer_now_ms();
    // Whole milliseconds, never past `end - SPIN_MS`: the spin then ends at the same reading
    // as a spin for the whole period would (the headless clock moves in equal steps).
    if (timer.pacing_wait == PacingWait::Overlapped)
        for (double left = end - now; left >= SPIN_MS + 1; left = end - now) {
            platform_sleep(static_cast<uint32_t>(left - SPIN_MS));
            now = timer_now_ms();
        }
    while (now < end) now = timer_now_ms();
}

// A loop that draws nothing would spin a whole processor for no picture: its iterations
// only swap, re-centre and step the held keys, which a sleep between them keeps.
void wait_idle(float t0) {
    const double period = std::max(2.0 * static_cast<double>(timer.frame_pacing), IDLE_PERIOD_MS);
    const double end = static_cast<double>(t0) + period;
    for (double now = timer_now_ms(); now < end; now = timer_now_ms())
        if (platform_wait_event(static_cast<uint32_t>(std::ceil(end - now)))) return;
}
