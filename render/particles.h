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

// Full life and a new first fade for every particle (every world initialisation).
void particles_init();
// Draws every particle once and advances it one step.
void particles_step_and_draw();
// A box, relative to the fountain's origin, around every point the next two draws can
// issue.
void particles_reach(Vec3* lo, Vec3* hi);
