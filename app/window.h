// The window, its OpenGL context and the window procedure, which takes its input events.
#pragma once

#include "platform/platform.h"

#include <cstdint>

struct WindowState {
    bool fullscreen = true; // whether the window is (to be) opened fullscreen
    bool active = true;     // false while the window is minimised: no frames are rendered
};
extern WindowState window;
void reset_window_state();

bool open_window(const char* title, int width, int height, int bits, bool fullscreen_wanted);
void close_window();
// Acts on one input event; false when it was left to the system (platform_default_input).
bool window_proc(const InputEvent& event);
