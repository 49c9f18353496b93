// A rippling water surface: a 128 x 128 height field under a damped wave equation,
// disturbed by random drops. One simulation serves every surface; each surface the frame
// shows takes one step of it, and is drawn from the heights that step started from.
#pragma once

constexpr int WATER_GRID_SIZE = 128;
constexpr int WATER_SURFACES = 2; // the most surfaces one frame shows (world 3)

struct WaterVertex {
    float position[3];
    float normal[3];
};

struct WaterState {
    // Per surface of the frame: the vertices its step set, from the heights before it.
    WaterVertex water_vertices[WATER_SURFACES][WATER_GRID_SIZE][WATER_GRID_SIZE];
    float drawn_height_min[WATER_SURFACES]; // over the vertices each surface's draw issues
    float drawn_height_max[WATER_SURFACES];
    float water_height_a[WATER_GRID_SIZE][WATER_GRID_SIZE];
    float water_height_b[WATER_GRID_SIZE][WATER_GRID_SIZE];
    float (*water_current)[WATER_GRID_SIZE];  // the heights being stepped: a or b
    float (*water_previous)[WATER_GRID_SIZE]; // the other
};
extern WaterState water;
void reset_water(); // flat grids, b current, a previous; water_init lays the vertices out

// Flattens the surface (world 1's initialisation).
void water_init();
// One step (a possible drop, the update); `surface` keeps the heights from before the
// update for its drawing.
void water_step(int surface);
// The surface as its step kept it, with the caller's transform, texture and
// texture-coordinate generation.
void water_draw(int surface);
// The same, only when some of the surface can be in view and the caller did not find it
// `hidden` (else just the normal the drawing would have left current), which leaves every
// pixel as it was.
void water_draw_if_seen(int surface, bool hidden = false);
// Sum of the current heights, to compare runs.
double water_checksum();
