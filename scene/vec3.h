// Vectors and the face normal of a triangle.
#pragma once

struct Vec3 {
    float x, y, z;
};

void vec3_sub(const Vec3* a, const Vec3* b, Vec3* out); // out = a - b
Vec3* vec3_scale(Vec3* v, float s);                     // in place; returns v
double vec3_length_sq(const Vec3* v);
double vec3_length(const Vec3* v);
Vec3* vec3_normalize(Vec3* v); // in place; a zero vector is left as it is
void vec3_cross(const Vec3* a, const Vec3* b, Vec3* out);
// The unit normal of p1, p2, p3: towards a viewer who sees them counter-clockwise.
void face_normal(const Vec3* p1, const Vec3* p2, const Vec3* p3, Vec3* out);
