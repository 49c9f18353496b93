// The sky of worlds 2 and 3: three textured spheres one inside the other, each turning
// at its own rate, clipped at the ground so only the upper halves show.
#pragma once

extern float sky_angle; // degrees, += 0.005 per draw

void draw_sky_domes();
void draw_sky_sphere(float radius, int slices, int stacks);
