// A box seen through a modelview and a projection (column-major, as GL keeps them): its
// corners in clip space, whether it lies wholly outside one plane of the view volume
// (then nothing inside it can reach a pixel), and whether it reaches to or behind the eye.
#pragma once

#include "scene/vec3.h"

struct ClipBox {
    double corners[8][4]; // x, y, z, w of each corner; bit 0 of the index picks x, 1 y, 2 z
    bool outside;         // all corners beyond the same plane
    bool reaches_eye;     // some corner at w <= 0 (its projection is meaningless)
};

ClipBox clip_box(const float* modelview, const float* projection, Vec3 lo, Vec3 hi);
