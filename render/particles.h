// The fountain: 500 glowing points that fly out from one spot, fade and are re-emitted.
#pragma once

#include "scene/vec3.h"

constexpr int PARTICLE_COUNT = 500;
constexpr float PARTICLE_SLOWDOWN = 200;

struct Particle {
    bool active;
    float life; // 1 when new, re-emitted below 0; also the point's alpha
    float fade; // life lost per step
    float red, green, blue;
    float x, y, z; // relative to the fountain's origin
    float speed_x, speed_y, speed_z;
};
extern Particle particles[PARTICLE_COUNT];

// The frame draws the fountain twice, stepping it after each draw: the particles as each
// draw found them.
constexpr int PARTICLE_DRAWS = 2;
struct ParticleDraws {
    Particle drawn[PARTICLE_DRAWS][PARTICLE_COUNT];
};
extern ParticleDraws particle_draws;

// Full life and a new first fade for every particle (every world initialisation).
void particles_init();
// Advances every particle one step.
void particles_step();
// The frame's steps: before each, the particles are kept for that draw.
void particles_step_frame();
// Draws the particles as draw `k` of the frame found them.
void particles_draw(int k);
// A box, relative to the fountain's origin, around every point the frame's two draws
// issue.
void particles_reach(Vec3* lo, Vec3* hi);
