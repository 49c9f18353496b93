// The sky of worlds 2 and 3: three textured spheres one inside the other, each turning
// at its own rate, clipped at the ground so only the upper halves show.
#pragma once

extern float sky_angle; // degrees, += 0.005 per frame that shows a sky

// The domes turned by `turn`, round the camera's x as the frame placed it.
void draw_sky_domes(float turn);
// The same domes; on the default draw path without the textures' mipmaps while the
// domes cannot minify them, which leaves every pixel as it was and costs less.
void draw_sky_domes_filtered(float turn);
// A frame's turn of the domes.
void turn_sky_domes();
void draw_sky_sphere(float radius, int slices, int stacks);
