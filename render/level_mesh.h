// The level's triangles, drawn one immediate-mode triangle at a time, with a count of
// how many lie inside the view frustum.
#pragma once

#include "scene/vec3.h"

#include <cstdint>

struct FrustumPlane {
    float a, b, c, d; // inside where a*x + b*y + c*z + d > 0; (a, b, c) of length 1
};
enum FrustumSide { FRUSTUM_RIGHT, FRUSTUM_LEFT, FRUSTUM_BOTTOM, FRUSTUM_TOP, FRUSTUM_FAR, FRUSTUM_NEAR };
struct LevelDrawState {
    FrustumPlane frustum_planes[6];

    int32_t visible_count = 0;    // triangles that passed the frustum test
    int32_t culled_count = 0;     // triangles that failed it (they are drawn anyway)
    int32_t degenerate_count = 0; // triangles skipped for a zero-length normal
    int32_t normal_parity = 0;    // 0: the next drawn triangle computes a normal; 1: reuses it
    Vec3 last_normal = {0, 1, 0};
    float tex_scroll = 0; // vertical texture offset of world 1's first two triangles
    // Where this frame's level pass started, for its drawing.
    int32_t pass_parity = 0;
    Vec3 pass_normal = {0, 1, 0};
    float pass_tex_scroll = 0;
    float max_anisotropy = 1;   // the context's maximum, read each frame
    float camera_modelview[16]; // the frame's camera, kept to turn a pixel back into a place
    float camera_projection[16];
};
extern LevelDrawState level_draw;
void reset_level_draw();

// From the current projection and modelview matrices (world coordinates after the camera).
void update_frustum_planes();
bool triangle_in_frustum(float x0, float y0, float z0, float x1, float y1, float z1, float x2, float y2, float z2);
struct VisibleCell;
// Worlds 2 and 3: a face normal for every second drawn triangle (quads are pairs).
// The frame's step of the pass: the counters, and the normal and parity it leaves.
void step_level_mesh();
// The pass from where its step started. With a cell, triangles outside its set are bound
// and given their normal as always, and only not issued: the texture left bound stays as
// when drawn whole.
void draw_level_mesh(const VisibleCell* cell = nullptr);
// World 1: the first ten triangles glow (additive, no depth), two scroll, two wave. The
// step counts and scrolls; the drawing shows the scroll from before it.
void step_level_mesh_world1();
void draw_level_mesh_world1();
