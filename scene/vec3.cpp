#include "vec3.h"

#include <cmath>

void vec3_sub(const Vec3* a, const Vec3* b, Vec3* out) {
    out->x = a->x - b->x;
    out->y = a->y - b->y;
    out->z = a->z - b->z;
}

Vec3* vec3_scale(Vec3* v, float s) {
    v->x *= s;
    v->y *= s;
    v->z *= s;
    return v;
}

double vec3_length_sq(const Vec3* v) {
    return static_cast<double>(v->x) * v->x + static_cast<double>(v->y) * v->y + static_cast<double>(v->z) * v->z;
}

double vec3_length(const Vec3* v) { return std::sqrt(vec3_length_sq(v)); }

Vec3* vec3_normalize(Vec3* v) {
    const double length = vec3_length(v);
    // A zero vector has no direction: keep it rather than fill it with infinities.
    if (length == 0) return v;
    return vec3_scale(v, static_cast<float>(1.0 / length));
}

void vec3_cross(const Vec3* a, const Vec3* b, Vec3* out) {
    out->x = a->y * b->z - b->y * a->z;
    out->y = b->x * a->z - a->x * b->z;
    out->z = a->x * b->y - b->x * a->y;
}

void face_normal(const Vec3* p1, const Vec3* p2, const Vec3* p3, Vec3* out) {
    Vec3 u, v;
    vec3_sub(p2, p1, &u);
    vec3_sub(p3, p1, &v);
    vec3_cross(&u, &v, out);
    vec3_normalize(out);
}
