#include "particles.h"

#include "assets/draw_path.h"
#include "scene/random.h"

#include <GL/gl.h>

#include <algorithm>
#include <iterator>

Particle particles[PARTICLE_COUNT];
ParticleDraws particle_draws;

namespace {
constexpr float STEP_DIVISOR = PARTICLE_SLOWDOWN * 50; // speed / 10000 per step
constexpr float EMIT_RED = 0.5f, EMIT_GREEN = 1.0f, EMIT_BLUE = 0.5f;

float emission_speed() { return static_cast<float>((random_next() % 60) - 30) * 0.5f; }
} // namespace

void particles_init() {
    for (Particle& p : particles) {
        p.active = true;
        p.life = 1.0f;
        p.fade = static_cast<float>(random_next() % 100) * 0.001f + 0.004f;
    }
}

void particles_step() {
    for (Particle& p : particles) {
        if (!p.active) continue;
        p.x += p.speed_x / STEP_DIVISOR;
        p.y += p.speed_y / STEP_DIVISOR;
        p.z += p.speed_z / STEP_DIVISOR;
        p.life -= p.fade;
        if (p.life < 0) {
            p.life = 1.0f;
            p.fade = static_cast<float>(random_next() % 10) * 0.001f + 0.003f;
            p.x = p.y = p.z = 0;
            p.speed_x = emission_speed(); // the draws go fade, x, y, z
            p.speed_y = emission_speed();
            p.speed_z = emission_speed();
            p.red = EMIT_RED;
            p.green = EMIT_GREEN;
            p.blue = EMIT_BLUE;
        }
    }
}

void particles_step_frame() {
    for (auto& drawn : particle_draws.drawn) {
        std::copy(std::begin(particles), std::end(particles), std::begin(drawn));
        particles_step();
    }
}

void particles_draw(int k) {
    glPushMatrix();
    glPushAttrib(GL_CURRENT_BIT);
    glDisable(GL_CULL_FACE);
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glPointSize(2.1f);
    // One primitive for all points draws the same points in the same order.
    const bool one_primitive = !draw_path.literal;
    if (one_primitive) glBegin(GL_POINTS);
    for (const Particle& p : particle_draws.drawn[k]) {
        if (!p.active) continue;
        glColor4f(p.red, p.green, p.blue, p.life);
        if (one_primitive) {
            glVertex3f(p.x, p.y, p.z);
        } else {
            glBegin(GL_POINTS);
            glVertex3f(p.x, p.y, p.z);
            glEnd();
        }
    }
    if (one_primitive) glEnd();
    glDisable(GL_BLEND);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_CULL_FACE);
    glPopAttrib();
    glPopMatrix();
}

void particles_reach(Vec3* lo, Vec3* hi) {
    *lo = *hi = Vec3{0, 0, 0}; // a spent particle starts again at the origin
    for (const Particle& p : particle_draws.drawn[0]) {
        if (!p.active) continue;
        const Vec3 now = {p.x, p.y, p.z};
        const Vec3 next = {p.x + p.speed_x / STEP_DIVISOR, p.y + p.speed_y / STEP_DIVISOR,
                           p.z + p.speed_z / STEP_DIVISOR};
        for (const Vec3& v : {now, next}) {
            lo->x = std::min(lo->x, v.x), lo->y = std::min(lo->y, v.y), lo->z = std::min(lo->z, v.z);
            hi->x = std::max(hi->x, v.x), hi->y = std::max(hi->y, v.y), hi->z = std::max(hi->z, v.z);
        }
    }
}
