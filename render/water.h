// A rippling water surface: a 128 x 128 height field under a damped wave equation,
// disturbed by random drops. One simulation serves every surface; each draw steps it.
#pragma once

constexpr int WATER_GRID_SIZE = 128;

struct WaterVertex {
    float position[3];
    float normal[3];
};

struct WaterState {
    WaterVertex water_vertices[WATER_GRID_SIZE][WATER_GRID_SIZE];
    float water_height_a[WATER_GRID_SIZE][WATER_GRID_SIZE];
    float water_height_b[WATER_GRID_SIZE][WATER_GRID_SIZE];
    float (*water_current)[WATER_GRID_SIZE];  // the heights being stepped: a or b
    float (*water_previous)[WATER_GRID_SIZE]; // the other
};
extern WaterState water;
void reset_water(); // flat grids, b current, a previous; water_init lays the vertices out

// Flattens the surface (world 1's initialisation).
void water_init();
// One step (a possible drop, the update) and the drawing of the heights from before the
// update, with the caller's transform, texture and texture-coordinate generation.
void water_step_and_draw();
// The same step; the drawing only when some of the surface can be in view (else just the
// normal the drawing would have left current), which leaves every pixel as it was.
void water_step_and_draw_if_seen();
// Sum of the current heights, to compare runs.
double water_checksum();
