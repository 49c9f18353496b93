#include "vec3.h"

#include <GL/gl.h>

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

void draw_torus(float ring_radius, float tube_radius, int sides, int rings) {
    const double two_pi = 6.283185307179586;
    const double dtheta = two_pi / sides;
    const double dphi = two_pi / rings;
    for (int i = 0; i < sides; ++i) {
        const double theta0 = i * dtheta, theta1 = theta0 + dtheta;
        const float c0 = static_cast<float>(std::cos(theta0)), s0 = static_cast<float>(std::sin(theta0));
        const float c1 = static_cast<float>(std::cos(theta1)), s1 = static_cast<float>(std::sin(theta1));
        glBegin(GL_TRIANGLE_STRIP);
        for (int j = 0; j <= rings; ++j) {
            const double phi = j * dphi;
            const float cphi = static_cast<float>(std::cos(phi));
            const float d = tube_radius * cphi + ring_radius;
            const float z = tube_radius * static_cast<float>(std::sin(phi));
            const float t = static_cast<float>(j) / static_cast<float>(rings);
            Vec3 n0 = {c0 * cphi, s0 * cphi, z / tube_radius};
            vec3_normalize(&n0);
            glTexCoord2f(static_cast<float>(i) / static_cast<float>(sides), t);
            glNormal3fv(&n0.x);
            glVertex3f(c0 * d, s0 * d, z);
            const Vec3 n1 = {c1 * cphi, s1 * cphi, z / tube_radius};
            glTexCoord2f(static_cast<float>(i + 1) / static_cast<float>(sides), t);
            glNormal3fv(&n1.x);
            glVertex3f(c1 * d, s1 * d, z);
        }
        glEnd();
    }
}
