// Vectors and the face normal of a triangle. Every folder uses them, so they live here
// whole, with no library of their own to link.
#pragma once

#include <cmath>

struct Vec3 {
    float x, y, z;
};

// out = a - b
inline void vec3_sub(const Vec3* a, const Vec3* b, Vec3* out) {
    out->x = a->x - b->x;
    out->y = a->y - b->y;
    out->z = a->z - b->z;
}

// In place; returns v.
inline Vec3* vec3_scale(Vec3* v, float s) {
    v->x *= s;
    v->y *= s;
    v->z *= s;
    return v;
}

inline double vec3_length_sq(const Vec3* v) {
    return static_cast<double>(v->x) * v->x + static_cast<double>(v->y) * v->y + static_cast<double>(v->z) * v->z;
}

inline double vec3_length(const Vec3* v) { return std::sqrt(vec3_length_sq(v)); }

// In place; a zero vector has no direction and is left as it is, not filled with infinities.
inline Vec3* vec3_normalize(Vec3* v) {
    const double length = vec3_length(v);
    if (length == 0) return v;
    return vec3_scale(v, static_cast<float>(1.0 / length));
}

inline void vec3_cross(const Vec3* a, const Vec3* b, Vec3* out) {
    out->x = a->y * b->z - b->y * a->z;
    out->y = b->x * a->z - a->x * b->z;
    out->z = a->x * b->y - b->x * a->y;
}

// The unit normal of p1, p2, p3: towards a viewer who sees them counter-clockwise.
inline void face_normal(const Vec3* p1, const Vec3* p2, const Vec3* p3, Vec3* out) {
    Vec3 u, v;
    vec3_sub(p2, p1, &u);
    vec3_sub(p3, p1, &v);
    vec3_cross(&u, &v, out);
    vec3_normalize(out);
}
