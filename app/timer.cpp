#include "timer.h"

#include "app/input.h"
#include "app/window.h"
#include "platform/platform.h"

FrameTimer frame_timer;
FrameCounter frame_counter;
int32_t frame_pacing = 5;

namespace {
constexpr uint32_t FPS_WINDOW_MS = 1000;
constexpr int VK_O = 79;
constexpr int VK_P = 80;
} // namespace

void timer_init() {
    FrameTimer& t = frame_timer;
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
    const FrameTimer& t = frame_timer;
    if (t.performance_timer) {
        const int64_t counts = platform_query_performance_counter() - t.perf_start;
        return static_cast<double>(counts) * t.resolution * 1000.0;
    }
    // Unsigned difference: survives the wrap of the 32-bit millisecond counter.
    const uint32_t elapsed = platform_time_get_time() - t.mm_start;
    return static_cast<double>(elapsed) * t.resolution * 1000.0;
}

void wait_frame_pacing(float t0) {
    const double end = static_cast<double>(t0) + 2.0 * static_cast<double>(frame_pacing);
    while (timer_now_ms() < end) {
    }
}

void update_frame_counter() {
    FrameCounter& c = frame_counter;
    c.frames += 1;
    const uint32_t now = platform_tick_count();
    const int32_t since = static_cast<int32_t>(now - c.last_tick);
    if (since >= static_cast<int32_t>(FPS_WINDOW_MS)) {
        c.fps_value = static_cast<float>(c.frames * 1000.0 / since);
        c.last_tick = now;
        c.frames = 0;
    }
    if (keys[VK_O]) {
        field_of_view += 1;
        reproject();
    } else if (keys[VK_P]) {
        field_of_view -= 1;
        reproject();
    }
}
