#include "fps.h"

#include "nav/keys.h"
#include "platform/platform.h"
#include "render/view.h"

FrameCounter frame_counter;

void reset_frame_counter() { frame_counter = FrameCounter{}; }

namespace {
constexpr uint32_t FPS_WINDOW_MS = 1000;
} // namespace

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
    if (keys[Key::O]) {
        view.field_of_view += 1;
        reproject();
    } else if (keys[Key::P]) {
        view.field_of_view -= 1;
        reproject();
    }
}
