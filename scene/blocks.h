// The drawing blocks every drawn object is built from: texture slots, textured rectangles
// and boxes, the torus, the shared quadric and the placement guard.
//
// Corner order of a rectangle, as seen from its front: p0 bottom left, p1 bottom right,
// p2 top right, p3 top left. It is issued as the triangles p0-p2-p3 and p0-p1-p2 with the
// texture coordinates (0,0) at p0, (u,0) at p1, (u,v) at p2 and (0,v) at p3, so it winds
// counter-clockwise towards its viewer and shows its slot's texture u by v times.
#pragma once

#include "scene/vec3.h"

#include <GL/gl.h>
#include <GL/glu.h>

// Binds the current world's texture of `slot`. A slot outside the set binds no texture,
// so a bad slot draws untextured instead of reading past the table.
void bind_slot(int slot);

// One rectangle, inside an open glBegin(GL_TRIANGLES).
void emit_rect(const Vec3& p0, const Vec3& p1, const Vec3& p2, const Vec3& p3, float u = 1, float v = 1);
// One triangle with its texture coordinates, inside an open glBegin(GL_TRIANGLES).
void emit_triangle(const Vec3& p0, float s0, float t0, const Vec3& p1, float s1, float t1, const Vec3& p2, float s2,
                   float t2);

// The side of an axis-aligned box a face looks to.
enum Facing : unsigned {
    FACE_NEG_X = 1u << 0,
    FACE_POS_X = 1u << 1,
    FACE_NEG_Y = 1u << 2, // bottom
    FACE_POS_Y = 1u << 3, // top
    FACE_NEG_Z = 1u << 4,
    FACE_POS_Z = 1u << 5,
};
constexpr unsigned FACE_ALL = 63;
// A box side: x0 <= x1, y0 <= y1, z0 <= z1. A flat piece is a box of zero thickness.
struct Box {
    float x0, y0, z0, x1, y1, z1;
};

// The smallest box holding `count` points.
Box box_round(const Vec3* points, int count);

// The face of `box` on side `facing` (a single FACE_ bit), looking outwards, inside an open
// glBegin(GL_TRIANGLES). Seen from outside, "up" is +y on the side faces, and -z on the top
// and bottom faces (bottom left is at x0 on the top, at x0 on the bottom seen from below).
void emit_face(const Box& box, unsigned facing, float u = 1, float v = 1);
// The faces of `box` named in `faces`, in the order -z, +z, -x, +x, -y, +y, each with the
// whole texture; two triangles per face.
void emit_box(const Box& box, unsigned faces = FACE_ALL);
// The same, each wrapped in its own glBegin/glEnd.
void draw_face(const Box& box, unsigned facing, float u = 1, float v = 1);
void draw_box(const Box& box, unsigned faces = FACE_ALL);

// A torus about the local z axis, its centre ring in the xy plane, as triangle strips with
// normals and texture coordinates (s once round the ring, t once round the tube). Geometry
// only: the caller binds the texture and places it.
void draw_torus(float ring_radius, float tube_radius, int sides, int rings);

// The one GLU quadric of the quadric-drawing objects: an object creates it at its start
// (filled, smooth normals, texture coordinates on) and deletes it before it returns. Not
// session state: it lives only inside one object's draw, null between draws, so there is
// nothing for a reset or a lost context to forget.
extern GLUquadric* shared_quadric;
void quadric_begin();
void quadric_end();

// Makes the current colour, normal and texture coordinate part of the context's state
// before a push. Mesa 22 keeps a value set since the enclosing push only in its vertex
// buffer until something reads it; a nested push then records the enclosing block as
// unchanged, and its pop leaves the nested block's colour behind. Reading the colour
// moves all three into the context.
inline void settle_current() {
    GLfloat colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
}

// A placement block: the modelview matrix and the current colour, normal and texture
// coordinate are saved for the scope and restored after it.
struct Placement {
    Placement() {
        glPushMatrix();
        settle_current();
        glPushAttrib(GL_CURRENT_BIT);
    }
    ~Placement() {
        glPopAttrib();
        glPopMatrix();
    }
    Placement(const Placement&) = delete;
    Placement& operator=(const Placement&) = delete;
};

// The facade meshes' save: a placement block with two further matrix levels inside it,
// restored in reverse order.
struct FacadePlacement {
    FacadePlacement() {
        glPushMatrix();
        settle_current();
        glPushAttrib(GL_CURRENT_BIT);
        glPushMatrix();
        glPushMatrix();
    }
    ~FacadePlacement() {
        glPopMatrix();
        glPopMatrix();
        glPopAttrib();
        glPopMatrix();
    }
    FacadePlacement(const FacadePlacement&) = delete;
    FacadePlacement& operator=(const FacadePlacement&) = delete;
};
