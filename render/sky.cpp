#include "sky.h"

#include "assets/draw_path.h"
#include "assets/textures.h"
#include "render/frame_state.h"
#include "scene/blocks.h"
#include "assets/gl_caps.h"
#include "render/view.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

float sky_angle = 0;

namespace {

constexpr GLdouble SKY_CLIP_PLANE[4] = {0, -1, 0, 0}; // keeps y >= 0 once turned over
constexpr int SKY_SLICES = 30, SKY_STACKS = 30;
constexpr float SKY_ANGLE_STEP = 0.005f;

struct SkyLayer {
    float radius;
    int slot;
    float turn; // applied on top of the layers before it, times sky_angle
};
// clang-format off
constexpr SkyLayer SKY_LAYERS[] = {
    {108.1f, 21, -1.1f},
    {109.2f, 23, 1.05f},
    {110.3f, 8, 1.5f},
};
// clang-format on

// Plain linear minification samples exactly what trilinear filtering samples wherever a
// texture is magnified (level of detail at or below 0). On the domes the texels lie
// densest along the first ring around a pole: there one slice of u spreads over a ring
// edge of 2 pi r sin(pi / stacks). No dome point lies farther than r + SKY_REACH from the
// eye (the domes follow the player's x; z and the eye stay within SKY_REACH of their
// centre in both worlds), and from that far off centre no part of a sphere is seen more
// obliquely than at asin(SKY_REACH / r). SKY_LOD_MARGIN covers the rasteriser's estimate
// of the level, which may exceed the true one by up to a factor of the square root of 2.
constexpr double SKY_REACH = 50, SKY_LOD_MARGIN = 0.5;

bool layer_only_magnified(const SkyLayer& layer, int texture_size) {
    const double pi = 3.14159265358979;
    if (!(view.field_of_view > 0 && view.field_of_view < 180) || layer.radius <= SKY_REACH) return false;
    const double texels_per_unit = texture_size / (2 * pi * layer.radius * std::sin(pi / SKY_STACKS));
    const double units_per_pixel =
        (layer.radius + SKY_REACH) * 2 * std::tan(view.field_of_view * pi / 360) / std::max(view.view_height, 1);
    const double obliquity = 1 / std::sqrt(1 - (SKY_REACH / layer.radius) * (SKY_REACH / layer.radius));
    return std::log2(texels_per_unit * units_per_pixel * obliquity) + SKY_LOD_MARGIN + applied_lod_bias() <= 0;
}

// Whether the default path may sample the sky's textures without their mipmaps this frame.
bool sky_plain_filtering_allowed() {
    if (draw_path.literal || !textures.texture_set_loaded || textures.texture_set_blank || textures.anisotropy_enabled)
        return false;
    for (const SkyLayer& layer : SKY_LAYERS) {
        bind_slot(layer.slot);
        GLint width = 0, height = 0;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
        if (!layer_only_magnified(layer, std::max(width, height))) return false;
    }
    return true;
}

void set_sky_minification(GLint filter) {
    for (const SkyLayer& layer : SKY_LAYERS) {
        bind_slot(layer.slot);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
    }
}

} // namespace

void draw_sky_domes_filtered(float turn) {
    const bool plain = sky_plain_filtering_allowed();
    if (plain) set_sky_minification(GL_LINEAR);
    draw_sky_domes(turn);
    // Other draws may use the same slots; the last bind is the sky's last layer either way.
    if (plain) set_sky_minification(GL_LINEAR_MIPMAP_LINEAR);
}

void turn_sky_domes() { sky_angle += SKY_ANGLE_STEP; }

void draw_sky_domes(float turn) {
    glPushMatrix();
    glPushAttrib(GL_CURRENT_BIT);
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 1);
    glTranslatef(frame_state.eye.x, 0, 0); // only x follows the camera
    glRotatef(180, 1, 0, 0);
    glPushMatrix();
    glPushMatrix();
    glClipPlane(GL_CLIP_PLANE0, SKY_CLIP_PLANE);
    glEnable(GL_CLIP_PLANE0);
    glFrontFace(GL_CW);
    for (const SkyLayer& layer : SKY_LAYERS) {
        glRotatef(layer.turn * turn, 0, 1, 0);
        bind_slot(layer.slot);
        draw_sky_sphere(layer.radius, SKY_SLICES, SKY_STACKS);
    }
    glFrontFace(GL_CCW);
    glDisable(GL_CLIP_PLANE0);
    glPopMatrix();
    glPopMatrix();
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 0);
    if (gl_caps.separate_specular) glLightModeli(GL_LIGHT_MODEL_COLOR_CONTROL, GL_SINGLE_COLOR);
    glPopAttrib();
    glPopMatrix();
}

void draw_sky_sphere(float radius, int slices, int stacks) {
    const float pi = 3.1415927f;
    const float dt = pi / static_cast<float>(stacks);
    const float dp = 2 * pi / static_cast<float>(slices);
    const float du = 1.0f / static_cast<float>(slices);
    const float dv = 1.0f / static_cast<float>(stacks);
    float v = 1;
    for (int i = 0; i < stacks; ++i) {
        const float t0 = static_cast<float>(i) * dt, t1 = t0 + dt;
        const float s0 = std::sin(t0), c0 = std::cos(t0), s1 = std::sin(t1), c1 = std::cos(t1);
        glBegin(GL_TRIANGLE_STRIP);
        float u = 0;
        for (int j = 0; j <= slices; ++j) {
            const float p = j == slices ? 0 : static_cast<float>(j) * dp; // close the seam exactly
            const float a = -std::sin(p), b = std::cos(p);
            glTexCoord2f(u, v);
            glNormal3f(a * s0, b * s0, c0);
            glColor3ub(80, 120, 110);
            glVertex3f(radius * a * s0, radius * b * s0, radius * c0);
            glTexCoord2f(u, v - dv);
            u += du;
            glNormal3f(a * s1, b * s1, c1);
            glVertex3f(radius * a * s1, radius * b * s1, radius * c1);
        }
        glEnd();
        v -= dv;
    }
}
