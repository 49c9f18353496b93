// The town's own fixtures: the blocks behind its east edge, the lantern over the fountain,
// the two kinds of hanging sign and its six gates.
#include "assets/gl_caps.h"
#include "scene/animation.h"
#include "scene/blocks.h"
#include "scene/models.h"
#include "scene/sphere_map.h"
#include "scene/world_objects.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <initializer_list>
#include <iterator>

namespace {

// Texture slots, rows of the current world's texture set.
constexpr int BOARD_FACE_SLOT = 4;    // the board sign's face
constexpr int LANTERN_SLOT = 11;      // the glow lantern
constexpr int SIGN_BRACKET_SLOT = 13; // the signs' brackets
constexpr int OVAL_FACE_SLOT = 15;    // the oval sign's face

constexpr double PIN_HOLE = 0.001; // the centre of a cap disk

// One face of the town blocks, in world coordinates: a quad (bottom left, bottom right,
// top right, top left as seen from its front) or, with three corners, a triangle.
struct TownFace {
    int slot;
    int corners;
    Vec3 p[4];
    float u, v; // texture repeats across and up
};

// The side of an axis-aligned box facing `facing`, as emit_face lays it out.
constexpr TownFace side(int slot, Box b, unsigned facing, float u, float v) {
    switch (facing) {
    case FACE_NEG_Z:
        return {slot, 4, {{b.x1, b.y0, b.z0}, {b.x0, b.y0, b.z0}, {b.x0, b.y1, b.z0}, {b.x1, b.y1, b.z0}}, u, v};
    case FACE_POS_Z:
        return {slot, 4, {{b.x0, b.y0, b.z1}, {b.x1, b.y0, b.z1}, {b.x1, b.y1, b.z1}, {b.x0, b.y1, b.z1}}, u, v};
    case FACE_NEG_X:
        return {slot, 4, {{b.x0, b.y0, b.z0}, {b.x0, b.y0, b.z1}, {b.x0, b.y1, b.z1}, {b.x0, b.y1, b.z0}}, u, v};
    case FACE_POS_X:
        return {slot, 4, {{b.x1, b.y0, b.z1}, {b.x1, b.y0, b.z0}, {b.x1, b.y1, b.z0}, {b.x1, b.y1, b.z1}}, u, v};
    default:
        return {slot, 4, {{b.x0, b.y1, b.z1}, {b.x1, b.y1, b.z1}, {b.x1, b.y1, b.z0}, {b.x0, b.y1, b.z0}}, u, v};
    }
}
constexpr TownFace quad(int slot, Vec3 p0, Vec3 p1, Vec3 p2, Vec3 p3, float u, float v) {
    return {slot, 4, {p0, p1, p2, p3}, u, v};
}
constexpr TownFace tri(int slot, Vec3 p0, Vec3 p1, Vec3 p2) { return {slot, 3, {p0, p1, p2, p2}, 1, 1}; }

// Behind the east edge (x = 15) of the walkable ground: the edge wall from z -12 to -30,
// carrying the plank walkway at 6 on its strip, with a picture at eye level; a yard at 2
// behind it; two 4-high blocks, one with a small gabled house on top and one with the
// tower, the town's landmark; two taller blocks further out. Fronts face the town (-x).
constexpr Box EDGE_WALL = {15, 0, -30, 15, 4, -12};
constexpr Box HOUSE_BLOCK = {17, 0, -21, 23, 4, -15};
constexpr Box TOWER_BLOCK = {16.5f, 0, -10, 21.5f, 4, -2};
constexpr Box HOUSE = {18, 4, -20, 22, 6, -16};
constexpr float RIDGE = 7, RIDGE_Z = -18, EAVE = 5.8f, EAVE_N = -20.4f, EAVE_S = -15.6f;
constexpr float ROOF_W = 17.8f, ROOF_E = 22.2f, UNDER = 0.02f;
constexpr Box BLOCK_9 = {24, 0, -28, 30, 9, -20};
constexpr Box BLOCK_14 = {26, 0, -14, 34, 14, -4};
constexpr Box TOWER = {17.5f, 4, -9, 20.5f, 29, -3};

// clang-format off
constexpr TownFace TOWN_FACES[] = {
    side(30, {14.98f, 1.5f, -19.5f, 14.98f, 3.0f, -18.0f},             FACE_NEG_X, 1, 1),
    side(12, {15, 2, -30, 35, 2, 2},                                   FACE_POS_Y, 10, 10),
    side( 0, HOUSE_BLOCK,                                              FACE_NEG_X, 2, 1.5f),
    side( 0, HOUSE_BLOCK,                                              FACE_NEG_Z, 2, 1.5f),
    side( 0, HOUSE_BLOCK,                                              FACE_POS_Z, 2, 1.5f),
    side( 0, TOWER_BLOCK,                                              FACE_NEG_X, 3, 1.5f),
    side( 0, TOWER_BLOCK,                                              FACE_NEG_Z, 2, 1.5f),
    side( 0, TOWER_BLOCK,                                              FACE_POS_Z, 2, 1.5f),
    side( 9, {15, 0, -30.0f, 15, 4, -26.4f},                           FACE_NEG_X, 1, 1),
    side( 9, {15, 0, -26.4f, 15, 4, -22.8f},                           FACE_NEG_X, 1, 1),
    side( 9, {15, 0, -22.8f, 15, 4, -19.2f},                           FACE_NEG_X, 1, 1),
    side( 9, {15, 0, -19.2f, 15, 4, -15.6f},                           FACE_NEG_X, 1, 1),
    side( 9, {15, 0, -15.6f, 15, 4, -12.0f},                           FACE_NEG_X, 1, 1),
    side( 2, {15, 4, -30, 15, 6, -21},                                 FACE_NEG_X, 4, 1),
    side( 2, {15, 4, -21, 15, 6, -12},                                 FACE_NEG_X, 4, 1),
    side(12, HOUSE,                                                    FACE_NEG_X, 2, 1),
    side(12, HOUSE,                                                    FACE_POS_X, 2, 1),
    side(12, HOUSE,                                                    FACE_NEG_Z, 2, 1),
    side(12, HOUSE,                                                    FACE_POS_Z, 2, 1),
    quad(16, {ROOF_E, EAVE, EAVE_N}, {ROOF_W, EAVE, EAVE_N}, {ROOF_W, RIDGE, RIDGE_Z}, {ROOF_E, RIDGE, RIDGE_Z}, 3, 2),
    quad(16, {ROOF_W, EAVE, EAVE_S}, {ROOF_E, EAVE, EAVE_S}, {ROOF_E, RIDGE, RIDGE_Z}, {ROOF_W, RIDGE, RIDGE_Z}, 3, 2),
    quad(16, {ROOF_W, EAVE - UNDER, EAVE_N}, {ROOF_E, EAVE - UNDER, EAVE_N}, {ROOF_E, RIDGE - UNDER, RIDGE_Z}, {ROOF_W, RIDGE - UNDER, RIDGE_Z}, 3, 2),
    quad(16, {ROOF_E, EAVE - UNDER, EAVE_S}, {ROOF_W, EAVE - UNDER, EAVE_S}, {ROOF_W, RIDGE - UNDER, RIDGE_Z}, {ROOF_E, RIDGE - UNDER, RIDGE_Z}, 3, 2),
    tri(12, {18, 6, -20}, {18, 6, RIDGE_Z}, {18, RIDGE, RIDGE_Z}),
    tri(12, {18, 6, RIDGE_Z}, {18, 6, -16}, {18, RIDGE, RIDGE_Z}),
    tri(12, {22, 6, -16}, {22, 6, RIDGE_Z}, {22, RIDGE, RIDGE_Z}),
    tri(12, {22, 6, RIDGE_Z}, {22, 6, -20}, {22, RIDGE, RIDGE_Z}),
    side( 0, BLOCK_9,                                                  FACE_NEG_X, 2, 3),
    side( 0, BLOCK_9,                                                  FACE_POS_X, 2, 3),
    side( 0, BLOCK_9,                                                  FACE_NEG_Z, 2, 3),
    side( 0, BLOCK_9,                                                  FACE_POS_Z, 2, 3),
    side( 0, BLOCK_14,                                                 FACE_NEG_X, 3, 5),
    side( 0, BLOCK_14,                                                 FACE_POS_X, 3, 5),
    side( 0, BLOCK_14,                                                 FACE_NEG_Z, 3, 5),
    side( 0, BLOCK_14,                                                 FACE_POS_Z, 3, 5),
    side( 0, TOWER,                                                    FACE_NEG_X, 2, 8),
    side( 0, TOWER,                                                    FACE_POS_X, 2, 8),
    side( 0, TOWER,                                                    FACE_NEG_Z, 1, 8),
    side( 0, TOWER,                                                    FACE_POS_Z, 1, 8),
    side( 0, TOWER,                                                    FACE_POS_Y, 1, 2),
};
// clang-format on
static_assert(std::size(TOWN_FACES) == 40);

void emit_town_face(const TownFace& f) {
    Vec3 n; // every face is flat: one normal for its triangles
    face_normal(&f.p[0], &f.p[1], &f.p[2], &n);
    glNormal3fv(&n.x);
    if (f.corners == 3) emit_triangle(f.p[0], 0, 0, f.p[1], f.u, 0, f.p[2], f.u / 2, f.v);
    else emit_rect(f.p[0], f.p[1], f.p[2], f.p[3], f.u, f.v);
}

// A thin three-sided rod of the lantern's bracket from `from` along one axis.
enum class Along { X, Y, Z };
void rod(Vec3 from, Along along, float length, float radius) {
    glPushMatrix();
    glTranslatef(from.x, from.y, from.z);
    if (along == Along::X) glRotatef(90, 0, 1, 0);
    if (along == Along::Y) glRotatef(-90, 1, 0, 0);
    gluCylinder(shared_quadric, radius, radius, length, 3, 3);
    glPopMatrix();
}

// The lantern's housing inside the globe: a box under a four-sided pointed cap, seen
// from outside.
constexpr Box LANTERN_BODY = {1, 0.45f, -0.2f, 1.2f, 0.8f, 0};
constexpr Vec3 LANTERN_TIP = {1.1f, 0.9f, -0.1f};

// The bracket both signs hang from: a rod out from the wall at x = 1 to x = -0.5, a brace
// under its wall end, both capped.
void sign_bracket() {
    glPushMatrix();
    glTranslatef(1, 0.02f, 0);
    glRotatef(-90, 0, 1, 0);
    gluDisk(shared_quadric, PIN_HOLE, 0.02, 4, 1);
    gluCylinder(shared_quadric, 0.02, 0.02, 1.5, 4, 4);
    glTranslatef(0, 0, 1.5f);
    gluDisk(shared_quadric, PIN_HOLE, 0.02, 4, 1);
    glTranslatef(0, -0.35f, -1.5f);
    glRotatef(-45, 1, 0, 0);
    gluCylinder(shared_quadric, 0.02, 0.02, 0.5, 4, 4);
    glPopMatrix();
}

} // namespace

void draw_town_blocks() {
    Placement block;
    if (gl_caps.separate_specular) glLightModeli(GL_LIGHT_MODEL_COLOR_CONTROL, GL_SINGLE_COLOR);
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    // One batch per run of faces with the same slot.
    for (size_t i = 0; i < std::size(TOWN_FACES); ++i) {
        if (i == 0 || TOWN_FACES[i].slot != TOWN_FACES[i - 1].slot) {
            if (i > 0) glEnd();
            bind_slot(TOWN_FACES[i].slot);
            glBegin(GL_TRIANGLES);
        }
        emit_town_face(TOWN_FACES[i]);
    }
    glEnd();
}

void draw_glow_lantern() {
    Placement block;
    bind_slot(LANTERN_SLOT);
    glScalef(2, 2, 2);
    quadric_begin();
    glDisable(GL_CULL_FACE);
    sphere_map_begin();

    // The bracket, 0.1 in front of the wall (at z = 0.1): two pins into the wall, a post
    // up from the lower one, an arm out to above the lantern with a small frame in its
    // corner, and a hanger down into the housing's cap.
    constexpr float Z = -0.1f, ARM_Y = 1.0f, HANG_X = 1.1f;
    rod({0, 0, Z}, Along::Z, 0.21f, 0.015f);
    rod({0, ARM_Y, Z}, Along::Z, 0.21f, 0.015f);
    for (int k = 0; k < 4; ++k) rod({0, 0.25f * static_cast<float>(k), Z}, Along::Y, 0.25f, 0.015f);
    for (int k = 0; k < 5; ++k) rod({0.22f * static_cast<float>(k), ARM_Y, Z}, Along::X, 0.22f, 0.015f);
    for (int k = 0; k < 2; ++k) rod({0.22f * static_cast<float>(k), 0.5f, Z}, Along::X, 0.22f, 0.01f);
    for (int k = 0; k < 2; ++k) rod({0.44f, 0.5f + 0.25f * static_cast<float>(k), Z}, Along::Y, 0.25f, 0.01f);
    rod({HANG_X, LANTERN_TIP.y, Z}, Along::Y, 0.11f, 0.01f);

    // The globe glows: added onto what lies behind it.
    glEnable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    glPushMatrix();
    glTranslatef(LANTERN_GLOBE_CENTRE.x / 2, LANTERN_GLOBE_CENTRE.y / 2, LANTERN_GLOBE_CENTRE.z / 2);
    gluSphere(shared_quadric, LANTERN_GLOBE_RADIUS / 2, 22, 22);
    glPopMatrix();
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);

    sphere_map_end();
    glEnable(GL_CULL_FACE);
    quadric_end();

    bind_slot(LANTERN_SLOT);
    const Box& b = LANTERN_BODY;
    const Vec3 n = {b.x0, b.y1, b.z1}, e = {b.x1, b.y1, b.z1}, s = {b.x1, b.y1, b.z0}, w = {b.x0, b.y1, b.z0};
    glBegin(GL_TRIANGLES);
    emit_box(b);
    emit_triangle(n, 0, 0, e, 1, 0, LANTERN_TIP, 0.5f, 1); // the cap, counter-clockwise from outside
    emit_triangle(e, 0, 0, s, 1, 0, LANTERN_TIP, 0.5f, 1);
    emit_triangle(s, 0, 0, w, 1, 0, LANTERN_TIP, 0.5f, 1);
    emit_triangle(w, 0, 0, n, 1, 0, LANTERN_TIP, 0.5f, 1);
    glEnd();
}

void draw_hanging_board_sign() {
    Placement block;
    quadric_begin();
    glDisable(GL_CULL_FACE);
    bind_slot(SIGN_BRACKET_SLOT);
    sign_bracket();

    glPushMatrix();
    glRotatef(animation.sign_swing_angle, 1, 0, 0);
    bind_slot(BOARD_FACE_SLOT);
    glNormal3f(0, 0, -1);
    glBegin(GL_TRIANGLES);
    emit_triangle({0.4f, -0.6f, 0}, 0, 0, {0.4f, 0, 0}, 0, 1, {-0.4f, 0, 0}, 1, 1);
    emit_triangle({0.4f, -0.6f, 0}, 0, 0, {-0.4f, 0, 0}, 1, 1, {-0.4f, -0.6f, 0}, 1, 0);
    glEnd();
    glPopMatrix();

    glEnable(GL_CULL_FACE);
    quadric_end();
}

void draw_hanging_oval_sign() {
    Placement block;
    quadric_begin();
    glDisable(GL_CULL_FACE);
    bind_slot(SIGN_BRACKET_SLOT);
    sign_bracket();

    glPushMatrix();
    glRotatef(animation.sign_swing_angle, 1, 0, 0);
    for (float x : {-0.1f, 0.1f}) { // the two rings it hangs by
        glPushMatrix();
        glTranslatef(x - 0.015f, -0.02f, 0);
        glRotatef(90, 0, 1, 0);
        gluCylinder(shared_quadric, 0.06, 0.06, 0.03, 14, 14);
        glPopMatrix();
    }
    bind_slot(OVAL_FACE_SLOT);
    glTranslatef(0, -0.43f, -0.01f);
    glScalef(1.5f, 1, 1);
    gluCylinder(shared_quadric, 0.4, 0.4, 0.02, 14, 14);
    gluDisk(shared_quadric, PIN_HOLE, 0.4, 14, 1);
    glTranslatef(0, 0, 0.02f);
    gluDisk(shared_quadric, PIN_HOLE, 0.4, 14, 1);
    glPopMatrix();

    glEnable(GL_CULL_FACE);
    quadric_end();
}

void draw_world2_gates() { draw_world2_gates_where(any_box_seen); }

void draw_world2_gates_where(BoxSeen seen) {
    struct GatePlace {
        float x, z;
        bool turned; // a quarter turn clockwise seen from above
        void (*draw)();
        Box (*extent)();
    };
    // clang-format off
    constexpr GatePlace GATES[] = {
        {-13.0f, -12.0f, false, draw_gate_wide,   gate_wide_extent},
        {-16.5f,   8.0f, true,  draw_gate_wide,   gate_wide_extent},
        {-28.3f,   3.0f, false, draw_gate_wide,   gate_wide_extent},
        {-34.4f,  -1.5f, true,  draw_gate_wide,   gate_wide_extent},
        {-62.2f,   5.0f, true,  draw_gate_wide,   gate_wide_extent},
        {-75.0f,  16.0f, false, draw_gate_corner, gate_corner_extent},
    };
    // clang-format on
    Placement all;
    for (const GatePlace& g : GATES) {
        Placement block;
        glTranslatef(g.x, 0, g.z);
        if (g.turned) glRotatef(-90, 0, 1, 0);
        if (seen(g.extent())) g.draw();
    }
}
