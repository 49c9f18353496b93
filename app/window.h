// The window, its OpenGL context, the projection and the window procedure.
#pragma once

#include "platform/platform.h"

#include <cstdint>

extern bool fullscreen;     // whether the window is (to be) opened fullscreen
extern bool active;         // false while the window is minimised: no frames are rendered
extern int32_t view_width;  // last size given to resize_view
extern int32_t view_height;
extern float field_of_view; // vertical, degrees

constexpr double NEAR_PLANE = 0.05f; // the float 0.05 widened, as the projection always had it
constexpr double FAR_PLANE = 200;

bool open_window(const char* title, int width, int height, int bits, bool fullscreen_wanted);
void close_window();
void resize_view(int width, int height);
// resize_view with the window's real client area (width x height when it has none).
void resize_to_window(int width, int height);
// Loads the projection for field_of_view and the current view size, then selects the
// modelview matrix.
void reproject();
bool init_scene();
// After a failed init_scene on a world change: the world's level, font and particles
// with grey stand-ins for its textures, so no other world's geometry stays in place.
void load_world_untextured();
intptr_t window_proc(const PlatformMessage& message);
