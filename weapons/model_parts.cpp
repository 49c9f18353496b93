// The parts every weapon model is built from, and the frame they are held in.
#include "model_parts.h"

#include "assets/gl_caps.h"
#include "scene/blocks.h"
#include "weapons/weapon_models.h"

#include <GL/glu.h>

namespace {

void separate_specular(bool on) {
    if (gl_caps.separate_specular)
        glLightModeli(GL_LIGHT_MODEL_COLOR_CONTROL, on ? GL_SEPARATE_SPECULAR_COLOR : GL_SINGLE_COLOR);
}

} // namespace

void metal_begin(int slot) {
    bind_slot(slot);
    glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
    glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
    glEnable(GL_TEXTURE_GEN_S);
    glEnable(GL_TEXTURE_GEN_T);
    separate_specular(true);
}

void metal_end() {
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);
    separate_specular(false);
}

void held_begin(int slot) {
    metal_begin(slot);
    glPushMatrix();
    glPushAttrib(GL_CURRENT_BIT);
    glLoadIdentity();
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glFrontFace(GL_CW);
}

void rotate_about(const Vec3& pivot, float angle, float ax, float ay, float az) {
    glTranslatef(pivot.x, pivot.y, pivot.z);
    glRotatef(angle, ax, ay, az);
    glTranslatef(-pivot.x, -pivot.y, -pivot.z);
}

void user_angles(const Vec3& pivot_offset, const Vec3& pitch_pivot, const Vec3& yaw_pivot, const Vec3& roll_pivot,
                 bool roll) {
    glPushMatrix();
    glTranslatef(pivot_offset.x, pivot_offset.y, pivot_offset.z);
    rotate_about(pitch_pivot, weapon_models.weapon_pitch_angle, 1, 0, 0);
    rotate_about(yaw_pivot, weapon_models.weapon_yaw_angle, 0, 1, 0);
    if (roll) rotate_about(roll_pivot, weapon_models.weapon_roll_angle, 0, 0, 1);
    quadric_begin();
    glPushMatrix();
}

void held_end() {
    glPopMatrix();
    glPopMatrix();
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_CULL_FACE);
    glPopAttrib();
    quadric_end();
    glPopMatrix();
    metal_end();
    glFrontFace(GL_CCW);
}

void tube_z(float x, float y, float z0, float length, float r0, float r1, int slices, int stacks) {
    glTranslatef(x, y, z0);
    gluCylinder(shared_quadric, r0, r1, length, slices, stacks);
    glTranslatef(-x, -y, -z0);
}

void ring_z(float x, float y, float z, float inner, float outer, int slices) {
    glTranslatef(x, y, z);
    gluDisk(shared_quadric, inner, outer, slices, 1);
    glTranslatef(-x, -y, -z);
}

void tube_x(float x0, float y, float z, float length, float r0, float r1, int slices, int stacks) {
    glPushMatrix();
    glTranslatef(x0, y, z);
    glRotatef(90, 0, 1, 0);
    gluCylinder(shared_quadric, r0, r1, length, slices, stacks);
    glPopMatrix();
}

void ring_x(float x, float y, float z, float inner, float outer, int slices) {
    glPushMatrix();
    glTranslatef(x, y, z);
    glRotatef(90, 0, 1, 0);
    gluDisk(shared_quadric, inner, outer, slices, 1);
    glPopMatrix();
}

void sphere_at(float x, float y, float z, float radius, int slices, int stacks) {
    glTranslatef(x, y, z);
    gluSphere(shared_quadric, radius, slices, stacks);
    glTranslatef(-x, -y, -z);
}

void slab_quad(const Vec3& a, const Vec3& b, const Vec3& c, const Vec3& d, const Vec3& centre) {
    Vec3 n;
    face_normal(&a, &b, &c, &n);
    const Vec3 out = {a.x - centre.x, a.y - centre.y, a.z - centre.z};
    if (n.x * out.x + n.y * out.y + n.z * out.z < 0) vec3_scale(&n, -1);
    glNormal3f(n.x, n.y, n.z);
    glVertex3f(a.x, a.y, a.z);
    glVertex3f(b.x, b.y, b.z);
    glVertex3f(c.x, c.y, c.z);
    glVertex3f(a.x, a.y, a.z);
    glVertex3f(c.x, c.y, c.z);
    glVertex3f(d.x, d.y, d.z);
}

void slab(const Vec3 (&c)[8]) {
    Vec3 centre = {0, 0, 0};
    for (const Vec3& p : c) centre = Vec3{centre.x + p.x / 8, centre.y + p.y / 8, centre.z + p.z / 8};
    slab_quad(c[0], c[1], c[2], c[3], centre);
    slab_quad(c[4], c[5], c[6], c[7], centre);
    for (int i = 0; i < 4; ++i) slab_quad(c[i], c[(i + 1) % 4], c[4 + (i + 1) % 4], c[4 + i], centre);
}

void slab_box(float x0, float y0, float z0, float x1, float y1, float z1, float lean, float bevel) {
    slab({{x0, y0, z0},
          {x1, y0, z0},
          {x1, y0, z1},
          {x0, y0, z1},
          {x0 + lean, y1, z0 + bevel},
          {x1 + lean, y1, z0 + bevel},
          {x1 + lean, y1, z1 - bevel},
          {x0 + lean, y1, z1 - bevel}});
}
