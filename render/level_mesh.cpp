#include "level_mesh.h"

#include "assets/level.h"
#include "assets/textures.h"
#include "scene/animation.h"
#include "render/frame_state.h"
#include "assets/gl_caps.h"
#include "scene/blocks.h"
#include "render/visible_sets.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <cmath>

LevelDrawState level_draw;

void reset_level_draw() { level_draw = LevelDrawState{}; }

namespace {

constexpr int WORLD1_GLOW_TRIANGLES = 10;
constexpr float TEX_SCROLL_STEP = 0.0002f;

void count_visibility(const LevelTriangle& t) {
    const LevelVertex* v = t.vertex;
    if (triangle_in_frustum(v[0].x, v[0].y, v[0].z, v[1].x, v[1].y, v[1].z, v[2].x, v[2].y, v[2].z))
        level_draw.visible_count += 1;
    else level_draw.culled_count += 1;
}

// Binds the triangle's slot; a slot outside the set draws untextured rather than
// reading past the table.
bool bind_triangle_texture(int32_t slot) {
    if (slot < 0 || slot >= TEXTURE_SLOTS) {
        glDisable(GL_TEXTURE_2D);
        return false;
    }
    bind_slot(slot);
    if (gl_caps.anisotropic)
        glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAX_ANISOTROPY_EXT,
                        textures.anisotropy_enabled ? level_draw.max_anisotropy : 1.0f);
    return true;
}

void vertex(const LevelVertex& v) {
    glTexCoord2f(v.u, v.v);
    glVertex3f(v.x, v.y, v.z);
}

} // namespace

void update_frustum_planes() {
    float* p = level_draw.camera_projection;
    float* m = level_draw.camera_modelview;
    float k[16];
    glGetFloatv(GL_PROJECTION_MATRIX, p);
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            k[4 * i + j] = m[4 * i + 0] * p[0 * 4 + j] + m[4 * i + 1] * p[1 * 4 + j] + m[4 * i + 2] * p[2 * 4 + j] +
                           m[4 * i + 3] * p[3 * 4 + j];
    // Row r of the combined matrix is (k[r], k[4 + r], k[8 + r], k[12 + r]); each plane is
    // row 3 minus or plus row 0 (right, left), 1 (bottom, top) or 2 (far, near).
    const int rows[6] = {0, 0, 1, 1, 2, 2};
    const float signs[6] = {-1, 1, 1, -1, -1, 1};
    for (int s = 0; s < 6; ++s) {
        const int r = rows[s];
        FrustumPlane& f = level_draw.frustum_planes[s];
        f.a = k[3] + signs[s] * k[r];
        f.b = k[7] + signs[s] * k[4 + r];
        f.c = k[11] + signs[s] * k[8 + r];
        f.d = k[15] + signs[s] * k[12 + r];
        const float length = std::sqrt(f.a * f.a + f.b * f.b + f.c * f.c);
        f.a /= length;
        f.b /= length;
        f.c /= length;
        f.d /= length;
    }
}

bool triangle_in_frustum(float x0, float y0, float z0, float x1, float y1, float z1, float x2, float y2, float z2) {
    for (const FrustumPlane& f : level_draw.frustum_planes) {
        if (f.a * x0 + f.b * y0 + f.c * z0 + f.d > 0) continue;
        if (f.a * x1 + f.b * y1 + f.c * z1 + f.d > 0) continue;
        if (f.a * x2 + f.b * y2 + f.c * z2 + f.d > 0) continue;
        return false; // all three on or behind one plane
    }
    return true;
}

namespace {

// The normal the triangle is drawn with: a new face normal on even parity, the last one
// on odd. False for a degenerate triangle, which is skipped and keeps the parity.
bool next_normal(const LevelTriangle& t, int32_t* parity, Vec3* normal) {
    if (*parity == 0) {
        const Vec3 p0 = {t.vertex[0].x, t.vertex[0].y, t.vertex[0].z};
        const Vec3 p1 = {t.vertex[1].x, t.vertex[1].y, t.vertex[1].z};
        const Vec3 p2 = {t.vertex[2].x, t.vertex[2].y, t.vertex[2].z};
        Vec3 e1, e2, n;
        vec3_sub(&p1, &p0, &e1);
        vec3_sub(&p2, &p0, &e2);
        vec3_cross(&e1, &e2, &n);
        const float length = std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z);
        if (length == 0) return false;
        *normal = Vec3{n.x / length, n.y / length, n.z / length};
    }
    *parity = *parity == 1 ? 0 : 1;
    return true;
}

} // namespace

void step_level_mesh() {
    frame_state.hud_triangle_total = level_mesh.count;
    level_draw.pass_parity = level_draw.normal_parity;
    level_draw.pass_normal = level_draw.last_normal;
    for (int i = 0; i < level_mesh.count; ++i) {
        const LevelTriangle& t = level_mesh.triangles[i];
        count_visibility(t);
        if (!next_normal(t, &level_draw.normal_parity, &level_draw.last_normal)) level_draw.degenerate_count += 1;
    }
}

void draw_level_mesh(const VisibleCell* cell) {
    int32_t parity = level_draw.pass_parity;
    Vec3 normal = level_draw.pass_normal;
    const LevelTriangle* last_left_out = nullptr; // since the last triangle drawn
    for (int i = 0; i < level_mesh.count; ++i) {
        const LevelTriangle& t = level_mesh.triangles[i];
        const bool textured = bind_triangle_texture(t.slot);
        const bool drawn = next_normal(t, &parity, &normal);
        if (drawn && cell && !cell_shows_triangle(*cell, i)) {
            last_left_out = &t;
        } else if (drawn) {
            last_left_out = nullptr;
            glBegin(GL_TRIANGLES);
            glNormal3f(normal.x, normal.y, normal.z);
            for (const LevelVertex& v : t.vertex) vertex(v);
            glEnd();
        }
        if (!textured) glEnable(GL_TEXTURE_2D);
    }
    // What follows reads the normal and texture coordinate the last triangle left current.
    if (last_left_out) {
        const LevelVertex& v = last_left_out->vertex[2];
        glNormal3f(normal.x, normal.y, normal.z);
        glTexCoord2f(v.u, v.v);
    }
}

void step_level_mesh_world1() {
    frame_state.hud_triangle_total = level_mesh.count;
    level_draw.pass_tex_scroll = level_draw.tex_scroll;
    for (int i = 0; i < level_mesh.count; ++i) {
        count_visibility(level_mesh.triangles[i]);
        if (i == 2 || i == 3) {
            level_draw.tex_scroll += TEX_SCROLL_STEP;
            if (level_draw.tex_scroll > 1) level_draw.tex_scroll -= 1;
        }
    }
}

void draw_level_mesh_world1() {
    const float a = animation.wave_a, b = animation.wave_b;
    for (int i = 0; i < level_mesh.count; ++i) {
        const LevelTriangle& t = level_mesh.triangles[i];
        if (i < WORLD1_GLOW_TRIANGLES) {
            glEnable(GL_BLEND);
            glDisable(GL_DEPTH_TEST);
            if (gl_caps.separate_specular) glLightModeli(GL_LIGHT_MODEL_COLOR_CONTROL, GL_SEPARATE_SPECULAR_COLOR);
        } else {
            if (gl_caps.separate_specular) glLightModeli(GL_LIGHT_MODEL_COLOR_CONTROL, GL_SINGLE_COLOR);
            glEnable(GL_DEPTH_TEST);
            glDisable(GL_BLEND);
        }
        const bool textured = bind_triangle_texture(t.slot);
        glBegin(GL_TRIANGLES);
        if (i <= 3 || i == 8 || i == 9) glNormal3f(0, 1, 0);
        else if (i == 4 || i == 5) glNormal3f(1, 0, 0);
        else if (i == 6 || i == 7) glNormal3f(-1, 0, 0);
        const LevelVertex* v = t.vertex;
        if (i == 0 || i == 1) {
            for (int k = 0; k < 3; ++k) {
                glTexCoord2f(v[k].u, v[k].v - level_draw.pass_tex_scroll);
                glVertex3f(v[k].x, v[k].y, v[k].z);
            }
        } else if (i == 6 || i == 7) {
            // The curtain: each corner sways in y and z by 5a and rises by 10b.
            const float dz[2][3] = {{5 * a, -5 * a, -5 * a}, {5 * a, 5 * a, -5 * a}};
            const float dy[2][3] = {{5 * a, -5 * a, 5 * a}, {5 * a, -5 * a, -5 * a}};
            for (int k = 0; k < 3; ++k) {
                glTexCoord2f(v[k].u, v[k].v);
                glVertex3f(v[k].x, v[k].y + dy[i - 6][k] + 10 * b, v[k].z + dz[i - 6][k]);
            }
        } else {
            for (int k = 0; k < 3; ++k) vertex(v[k]);
        }
        glEnd();
        if (!textured) glEnable(GL_TEXTURE_2D);
    }
}
