// The window, its OpenGL context and the window procedure.
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
intptr_t window_proc(const PlatformMessage& message);
