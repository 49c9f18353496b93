// The view: the window's drawable size, the field of view and the projection.
#pragma once

#include "scene/vec3.h"

#include <cstdint>

struct ViewState {
    int32_t view_width = 0; // last size given to resize_view
    int32_t view_height = 0;
    float field_of_view = 45; // vertical, degrees (keys O and P)
};
extern ViewState view;
void reset_view();

constexpr double NEAR_PLANE = 0.05f; // the float 0.05 widened, as the projection always had it
constexpr double FAR_PLANE = 200;

// Viewport and projection for a drawable of width x height (a zero height counts as 1).
void resize_view(int width, int height);
// resize_view with the window's real client area (width x height when it has none).
void resize_to_window(int width, int height);
// The camera transform of the frame: the player's pitch, heading and position.
void apply_camera();
// The same, from `eye` (x, eye height, z) rather than the player's position now.
void apply_camera_at(const Vec3& eye);
// Loads the projection for field_of_view and the current view size, then selects the
// modelview matrix.
void reproject();
