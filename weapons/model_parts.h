// The parts every weapon model is built from, and the frame they are held in. The held
// weapons share one frame: a sphere-mapped texture for the metallic look, camera space,
// depth-tested against the scene, no culling. Inside it each model is placed, turned by
// the user angles about its pivots, and drawn from quadrics, tori and slab runs.
#pragma once

#include "scene/vec3.h"

#include <GL/gl.h>

// Keeps x >= 0, z >= 0, y <= 0 and z <= 0 of the frame current at glClipPlane.
constexpr GLdouble KEEP_POS_X[4] = {1, 0, 0, 0};
constexpr GLdouble KEEP_POS_Z[4] = {0, 0, 1, 0};
constexpr GLdouble KEEP_NEG_Y[4] = {0, -1, 0, 0};
constexpr GLdouble KEEP_NEG_Z[4] = {0, 0, -1, 0};

// Sphere-mapped texturing of texture `slot` with specular added after it: the
// polished-metal look; metal_end() turns it off.
void metal_begin(int slot);
void metal_end();

// The held frame up to the placement: camera space, depth-tested, no culling.
void held_begin(int slot);
// Turns by `angle` about the axis (ax, ay, az) through `pivot`.
void rotate_about(const Vec3& pivot, float angle, float ax, float ay, float az);
// Pushes the matrix and applies the user angles; `roll` false for a model without roll.
void user_angles(const Vec3& pivot_offset, const Vec3& pitch_pivot, const Vec3& yaw_pivot, const Vec3& roll_pivot,
                 bool roll);
// Closes the geometry and user-angle scopes and the held frame. The front face goes back
// to counter-clockwise, so the next frame's culled surfaces keep their fronts.
void held_end();

// A quadric tube along +z from z0, closed or open.
void tube_z(float x, float y, float z0, float length, float r0, float r1, int slices, int stacks);
// A ring (a disk with a hole) facing z at (x, y, z).
void ring_z(float x, float y, float z, float inner, float outer, int slices);
// The same along the x axis: a quadric's z axis turned onto +x.
void tube_x(float x0, float y, float z, float length, float r0, float r1, int slices, int stacks);
void ring_x(float x, float y, float z, float inner, float outer, int slices);
void sphere_at(float x, float y, float z, float radius, int slices, int stacks);
// One quad of a slab, as two triangles carrying the face's normal, turned to point away
// from the slab's centre whatever the corner order.
void slab_quad(const Vec3& a, const Vec3& b, const Vec3& c, const Vec3& d, const Vec3& centre);
// A six-sided slab inside an open glBegin(GL_TRIANGLES): corners 0-3 go round its bottom,
// 4-7 round its top above them.
void slab(const Vec3 (&c)[8]);
// An upright slab: its bottom x0..x1 by z0..z1 at y0, its top shifted by `lean` in x and
// narrowed by `bevel` on each z side at y1.
void slab_box(float x0, float y0, float z0, float x1, float y1, float z1, float lean = 0, float bevel = 0);
