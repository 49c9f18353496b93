#include "blocks.h"

#include "assets/textures.h"

#include <algorithm>
#include <cmath>

GLUquadric* shared_quadric = nullptr;

void bind_slot(int slot) {
    const bool valid = slot >= 0 && slot < TEXTURE_SLOTS;
    glBindTexture(GL_TEXTURE_2D, valid ? textures.texture_names[slot] : 0);
}

namespace {

void corner(const Vec3& p, float s, float t) {
    glTexCoord2f(s, t);
    glVertex3f(p.x, p.y, p.z);
}

} // namespace

void emit_rect(const Vec3& p0, const Vec3& p1, const Vec3& p2, const Vec3& p3, float u, float v) {
    corner(p0, 0, 0);
    corner(p2, u, v);
    corner(p3, 0, v);
    corner(p0, 0, 0);
    corner(p1, u, 0);
    corner(p2, u, v);
}

void emit_triangle(const Vec3& p0, float s0, float t0, const Vec3& p1, float s1, float t1, const Vec3& p2, float s2,
                   float t2) {
    corner(p0, s0, t0);
    corner(p1, s1, t1);
    corner(p2, s2, t2);
}

void emit_face(const Box& b, unsigned facing, float u, float v) {
    switch (facing) {
    case FACE_NEG_Z: // seen from -z, the viewer's right is -x
        emit_rect({b.x1, b.y0, b.z0}, {b.x0, b.y0, b.z0}, {b.x0, b.y1, b.z0}, {b.x1, b.y1, b.z0}, u, v);
        break;
    case FACE_POS_Z:
        emit_rect({b.x0, b.y0, b.z1}, {b.x1, b.y0, b.z1}, {b.x1, b.y1, b.z1}, {b.x0, b.y1, b.z1}, u, v);
        break;
    case FACE_NEG_X: // seen from -x, the viewer's right is +z
        emit_rect({b.x0, b.y0, b.z0}, {b.x0, b.y0, b.z1}, {b.x0, b.y1, b.z1}, {b.x0, b.y1, b.z0}, u, v);
        break;
    case FACE_POS_X:
        emit_rect({b.x1, b.y0, b.z1}, {b.x1, b.y0, b.z0}, {b.x1, b.y1, b.z0}, {b.x1, b.y1, b.z1}, u, v);
        break;
    case FACE_NEG_Y:
        emit_rect({b.x0, b.y0, b.z0}, {b.x1, b.y0, b.z0}, {b.x1, b.y0, b.z1}, {b.x0, b.y0, b.z1}, u, v);
        break;
    case FACE_POS_Y:
        emit_rect({b.x0, b.y1, b.z1}, {b.x1, b.y1, b.z1}, {b.x1, b.y1, b.z0}, {b.x0, b.y1, b.z0}, u, v);
        break;
    default:
        break;
    }
}

Box box_round(const Vec3* points, int count) {
    Box b = {points[0].x, points[0].y, points[0].z, points[0].x, points[0].y, points[0].z};
    for (int i = 1; i < count; ++i) {
        b.x0 = std::min(b.x0, points[i].x), b.x1 = std::max(b.x1, points[i].x);
        b.y0 = std::min(b.y0, points[i].y), b.y1 = std::max(b.y1, points[i].y);
        b.z0 = std::min(b.z0, points[i].z), b.z1 = std::max(b.z1, points[i].z);
    }
    return b;
}

void emit_box(const Box& box, unsigned faces) {
    constexpr unsigned ORDER[] = {FACE_NEG_Z, FACE_POS_Z, FACE_NEG_X, FACE_POS_X, FACE_NEG_Y, FACE_POS_Y};
    for (unsigned facing : ORDER)
        if (faces & facing) emit_face(box, facing);
}

void draw_face(const Box& box, unsigned facing, float u, float v) {
    glBegin(GL_TRIANGLES);
    emit_face(box, facing, u, v);
    glEnd();
}

void draw_box(const Box& box, unsigned faces) {
    glBegin(GL_TRIANGLES);
    emit_box(box, faces);
    glEnd();
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

void quadric_begin() {
    shared_quadric = gluNewQuadric();
    gluQuadricDrawStyle(shared_quadric, GLU_FILL);
    gluQuadricNormals(shared_quadric, GLU_SMOOTH);
    gluQuadricTexture(shared_quadric, GL_TRUE);
}

void quadric_end() {
    gluDeleteQuadric(shared_quadric);
    shared_quadric = nullptr;
}
