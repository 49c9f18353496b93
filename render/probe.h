// What the last rendered frame shows under one pixel.
#pragma once

#include "scene/vec3.h"

// The depth under window pixel (x, y), y counted from the top, and the world point it
// un-projects to through that frame's camera; false where nothing was drawn (the sky
// writes no depth) or the pixel lies outside the window.
bool probe_pixel(int x, int y, float* depth, Vec3* point);
