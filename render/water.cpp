#include "water.h"

#include "render/clip_box.h"
#include "scene/pools.h"
#include "scene/random.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstring>

WaterState water = {{}, {}, {}, {}, {}, water.water_height_b, water.water_height_a};

void reset_water() {
    // The grids as a fresh process has them: a reset must not leave the last session's
    // surface for a `state` or a world drawn before the next water_init.
    memset(water.water_vertices, 0, sizeof water.water_vertices);
    memset(water.water_height_a, 0, sizeof water.water_height_a);
    memset(water.water_height_b, 0, sizeof water.water_height_b);
    water.water_current = water.water_height_b;
    water.water_previous = water.water_height_a;
}

namespace {
constexpr int N = WATER_GRID_SIZE;
constexpr float SPACING = 4.0f / 127;
constexpr float DROP_WEIGHT = 0.004f;
constexpr int DROP_RADIUS = 3;
constexpr int DROP_CENTRES = 110; // a drop's centre lies 3 to 112 in each index
constexpr float DAMP_CURRENT = 1.995f, DAMP_PREVIOUS = 0.995f;
} // namespace

void water_init() {
    memset(water.water_vertices, 0, sizeof water.water_vertices);
    memset(water.water_height_a, 0, sizeof water.water_height_a);
    memset(water.water_height_b, 0, sizeof water.water_height_b);
    for (auto& surface : water.water_vertices)
        for (int i = 0; i < N; ++i)
            for (int j = 0; j < N; ++j) {
                WaterVertex& v = surface[i][j];
                v.position[0] = 1 - 4.0f * static_cast<float>(i) / 127;
                v.position[1] = 1 - 4.0f * static_cast<float>(j) / 127;
                v.position[2] = 0;
                v.normal[2] = -SPACING;
            }
}

// A drop, the update of the surface's vertices from the current heights, and the swap.
void water_step(int surface) {
    float(*c)[N] = water.water_current;
    float(*p)[N] = water.water_previous;
    // The three draws happen on every step, whether or not a drop falls.
    const int r1 = random_next() % DROP_CENTRES;
    const int r2 = random_next() % DROP_CENTRES;
    if ((random_next() & 127) == 0) {
        for (int di = -DROP_RADIUS; di <= DROP_RADIUS; ++di)
            for (int dj = -DROP_RADIUS; dj <= DROP_RADIUS; ++dj) {
                int w = 6 - di * di - dj * dj;
                if (w < 0) w = 0;
                c[r1 + 3 + di][r2 + 3 + dj] -= DROP_WEIGHT * static_cast<float>(w);
            }
    }
    float low = 0, high = 0; // the last row's vertices never move
    for (int i = 1; i < N - 1; ++i)
        for (int j = 1; j < N - 1; ++j) {
            WaterVertex& v = water.water_vertices[surface][i][j];
            v.position[2] = c[i][j];
            low = std::min(low, c[i][j]);
            high = std::max(high, c[i][j]);
            v.normal[0] = c[i - 1][j] - c[i + 1][j];
            v.normal[1] = c[i][j - 1] - c[i][j + 1];
            const float s = (c[i - 1][j] + c[i + 1][j] + c[i][j + 1] + c[i][j - 1]) * 0.25f - c[i][j];
            p[i][j] = DAMP_CURRENT * c[i][j] - DAMP_PREVIOUS * p[i][j] + s;
        }
    water.drawn_height_min[surface] = low;
    water.drawn_height_max[surface] = high;
    water.water_current = p;
    water.water_previous = c;
}

void water_draw(int surface) {
    const auto& v = water.water_vertices[surface];
    for (int i = 1; i < N - 1; ++i) {
        glBegin(GL_TRIANGLE_STRIP);
        for (int j = 1; j < N - 1; ++j) {
            glNormal3fv(v[i][j].normal);
            glVertex3fv(v[i][j].position);
            glNormal3fv(v[i + 1][j].normal);
            glVertex3fv(v[i + 1][j].position);
        }
        glEnd();
    }
}

namespace {

// Whether the box around the surface's vertices lies wholly outside one plane of the view
// volume, with the modelview and projection current now.
bool surface_outside_view(int surface) {
    float m[16], p[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    glGetFloatv(GL_PROJECTION_MATRIX, p);
    const float low = WATER_GRID_LO, high = WATER_GRID_HI; // the grid's extent in x and y
    return clip_box(m, p, {low, low, water.drawn_height_min[surface]}, {high, high, water.drawn_height_max[surface]})
        .outside;
}

} // namespace

void water_draw_if_seen(int surface, bool hidden) {
    // The last normal the drawing issues stays current after it.
    if (hidden || surface_outside_view(surface)) glNormal3fv(water.water_vertices[surface][N - 1][N - 2].normal);
    else water_draw(surface);
}

double water_checksum() {
    double sum = 0;
    for (int i = 0; i < N; ++i)
        for (int j = 0; j < N; ++j) sum += water.water_current[i][j];
    return sum;
}
