#include "particles.h"

#include "render/random.h"

#include <GL/gl.h>

Particle particles[PARTICLE_COUNT];

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

void particles_step_and_draw() {
    glPushMatrix();
    glPushAttrib(GL_CURRENT_BIT);
    glDisable(GL_CULL_FACE);
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glPointSize(2.1f);
    for (Particle& p : particles) {
        if (!p.active) continue;
        glColor4f(p.red, p.green, p.blue, p.life);
        glBegin(GL_POINTS);
        glVertex3f(p.x, p.y, p.z);
        glEnd();
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
    glDisable(GL_BLEND);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_CULL_FACE);
    glPopAttrib();
    glPopMatrix();
}
