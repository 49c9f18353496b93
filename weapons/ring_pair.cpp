// World 1's ring pair: two rings with spheres, colours that count down and wrap, a
// sphere that rises and a circle of points that drifts.
#include "weapons/model_parts.h"
#include "weapons/weapon_models.h"
#include "scene/blocks.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>
#include <cstdint>

namespace {

// Texture slots, rows of the current world's texture set.
constexpr int FIRST_RING_SLOT = 3;  // the first ring and its rising sphere
constexpr int SECOND_RING_SLOT = 7; // the second ring and its sphere

// Counts the colour triple down by (a, b, c); the drawing issues it as bytes, which keep
// the low 8 bits, so the colour cycles once the floats pass below zero.
void count_down(float rgb[3], float a, float b, float c, float kept[3]) {
    rgb[0] -= a;
    rgb[1] -= b;
    rgb[2] -= c;
    for (int k = 0; k < 3; ++k) kept[k] = rgb[k];
}

// `reversed` issues the triple as (third, second, first).
void issue_colour(const float rgb[3], bool reversed) {
    const auto byte = [](float v) { return static_cast<GLubyte>(static_cast<int32_t>(v) & 0xFF); };
    if (reversed) glColor3ub(byte(rgb[2]), byte(rgb[1]), byte(rgb[0]));
    else glColor3ub(byte(rgb[0]), byte(rgb[1]), byte(rgb[2]));
}

void point_sphere(const float rgb[3]) {
    glPointSize(1);
    gluQuadricDrawStyle(shared_quadric, GLU_POINT);
    gluQuadricNormals(shared_quadric, GLU_SMOOTH);
    issue_colour(rgb, true);
    gluSphere(shared_quadric, 0.8, 36, 36);
}

constexpr float HALF_TURN = 3.1415f;

} // namespace

void step_ring_pair(float rgb[3]) {
    RingPairState& r = weapon_models.ring_pair;
    RingPairDraw& d = r.drawn;
    if (r.effects_on) {
        count_down(rgb, 0.1f, 0.3f, 0.7f, d.first_ring_rgb);
    } else {
        rgb[0] = rgb[1] = rgb[2] = 255;
        count_down(rgb, 0, 0, 0, d.first_ring_rgb);
    }
    if (r.effects_on) {
        if (r.rise_height < 2.0f) {
            r.rise_height += 0.005f;
            r.rise_depth += 0.03f;
        } else {
            r.descent_allowed = false;
        }
    } else if (r.descent_allowed && r.rise_height > 0) {
        r.rise_height -= 0.005f;
        r.rise_depth -= 0.03f;
    }
    count_down(rgb, 0.1f, 0.3f, 0.7f, d.after_sphere_rgb);
    d.halo_spin = r.halo_spin;
    d.drifted_sphere = false;
    if (r.effects_on) {
        if (r.halo_progress < 1.1f) {
            r.halo_height -= 0.001f;
            r.halo_depth -= 0.00086f;
            r.halo_progress += 0.001f;
        } else {
            d.drifted_sphere = true;
            count_down(rgb, 0.7f, 0.3f, 0.1f, d.drifted_sphere_rgb);
        }
        if (r.halo_density < 280) r.halo_density += 0.2f;
    } else {
        if (r.halo_progress > 0) {
            r.halo_height += 0.001f;
            r.halo_depth += 0.00086f;
            r.halo_progress -= 0.001f;
        } else {
            r.descent_allowed = true; // the sphere sinks only once the circle is home
        }
        if (r.halo_density > 2.2f) r.halo_density -= 0.2f;
    }
    count_down(rgb, 0.1f, 0.3f, 0.7f, d.circle_rgb);
    r.halo_spin += 0.2f;
    if (r.points_on) count_down(rgb, 0.7f, 0.3f, 0.1f, d.points_rgb);
}

void draw_ring_pair() {
    const RingPairState& r = weapon_models.ring_pair;
    const RingPairDraw& d = r.drawn;
    metal_begin(FIRST_RING_SLOT);
    quadric_begin();
    {
        Placement block;
        glTranslatef(-6.4f, 1.1f, -8.7f);
        glScalef(1.1f, 0.9f, 1);
        issue_colour(d.first_ring_rgb, false);
        draw_torus(0.55f, 0.35f, 36, 17);
    }
    {
        Placement block;
        bind_slot(FIRST_RING_SLOT);
        glTranslatef(-6.4f, 1.1f, -8.7f);
        glTranslatef(0, r.rise_height, r.rise_depth);
        glColor3f(1.3f, 1.3f, 1.3f);
        gluSphere(shared_quadric, 0.35, 31, 11);
    }
    issue_colour(d.after_sphere_rgb, false); // still current when the pair is done
    {
        Placement block;
        glDisable(GL_TEXTURE_2D);
        glTranslatef(-6.4f, 2.2f, -7.7f);
        if (d.drifted_sphere) {
            glTranslatef(0, -1.1f, -1);
            glRotatef(d.halo_spin, 0, 0, 1);
            point_sphere(d.drifted_sphere_rgb);
        }
        issue_colour(d.circle_rgb, false);
        glTranslatef(0, r.halo_height, r.halo_depth);
        glRotatef(d.halo_spin, 0, 0, 1);
        glPointSize(1);
        glBegin(GL_POINTS);
        for (float t = 0; t <= HALF_TURN; t += HALF_TURN / r.halo_density) {
            glVertex3f(0.3f * std::sin(t), 0.3f * std::cos(t), 0);
            glVertex3f(0.3f * std::sin(t + HALF_TURN), 0.3f * std::cos(t + HALF_TURN), 0);
        }
        glEnd();
        glEnable(GL_TEXTURE_2D);
    }
    {
        Placement block;
        bind_slot(SECOND_RING_SLOT);
        glTranslatef(-3, 1.1f, -8.7f);
        glScalef(1.1f, 0.9f, 1);
        draw_torus(0.55f, 0.35f, 36, 17);
        if (r.blend_on) glEnable(GL_BLEND);
        gluQuadricDrawStyle(shared_quadric, GLU_FILL);
        gluSphere(shared_quadric, 0.35, 31, 11);
        if (r.blend_on) glDisable(GL_BLEND);
        if (r.points_on) {
            glDisable(GL_TEXTURE_2D);
            glRotatef(r.halo_spin, 0, 0, 1);
            point_sphere(d.points_rgb);
            glEnable(GL_TEXTURE_2D);
        }
    }
    quadric_end();
    metal_end();
}
