#include "animations.h"

#include "assets/textures.h"
#include "nav/gates.h"
#include "render/frame_state.h"
#include "scene/animation.h"
#include "scene/blocks.h"

#include <GL/gl.h>

#include <algorithm>
#include <iterator>

namespace {

enum class GateShape { Wide, Narrow };

struct GateUnitPlacement {
    float switch_x, switch_y, switch_z; // cube centre; animation.bob_offset is added to its height
    GateShape shape;
    float gate_x, gate_y, gate_z;
    float turn; // degrees about y
};

// clang-format off
constexpr GateUnitPlacement GATE_UNIT_PLACEMENTS[GATE_UNITS] = {
    //  switch cube              gate                                         turn
    { 11.5f, 1.2f, -22.5f, GateShape::Wide,   -7.1f,  1.0f, -11.0f,   -90},
    {  6.5f, 1.2f, -22.5f, GateShape::Wide,    7.5f,  1.0f, -11.0f,   -90},
    {-13.0f, 1.7f, -11.5f, GateShape::Wide,  -14.0f,  1.0f, -11.0f,   -90},
    {-16.5f, 1.7f, -11.5f, GateShape::Wide,   23.5f,  1.0f, -17.5f,   -90},
    { 22.5f, 1.2f, -22.5f, GateShape::Narrow, 22.0f, -2.5f, -20.48f,   0},
};
// clang-format on
static_assert(std::size(GATE_UNIT_PLACEMENTS) == GATE_UNITS);

// One face of the switch cube: the whole texture on a square at z = +h, turned into place.
void cube_face(float h) {
    glTexCoord2f(0, 0);
    glVertex3f(-h, -h, h);
    glTexCoord2f(1, 0);
    glVertex3f(h, -h, h);
    glTexCoord2f(1, 1);
    glVertex3f(h, h, h);
    glTexCoord2f(0, 1);
    glVertex3f(-h, h, h);
}

// The slab of a switch gate: front, top and back faces from x = left to x = 1, the
// texture stretched over each whatever the height.
constexpr float WIDE_LEFT = -2, NARROW_LEFT = 0, SLAB_FOOT = -1, SLAB_DEPTH = 0.2f;
// Slots of world 3's set: the gates' slab, the switch cube's front and its other faces.
constexpr int SLAB_SLOT = 25;
constexpr int SWITCH_FRONT_SLOT = 10;
constexpr int SWITCH_SIDE_SLOT = 0;
void draw_gate_slab(float left, float h) {
    Placement block;
    bind_slot(SLAB_SLOT);
    glBegin(GL_TRIANGLES);
    emit_face({left, SLAB_FOOT, 0, 1, h, SLAB_DEPTH}, FACE_NEG_Z);
    // top face, y = h
    emit_triangle({1, h, SLAB_DEPTH}, 0, 0, {left, h, 0}, 1, 1, {left, h, SLAB_DEPTH}, 1, 0);
    emit_triangle({1, h, SLAB_DEPTH}, 0, 0, {1, h, 0}, 0, 1, {left, h, 0}, 1, 1);
    // back face, z = 0.2
    emit_triangle({1, SLAB_FOOT, SLAB_DEPTH}, 0, 0, {1, h, SLAB_DEPTH}, 0, 1, {left, h, SLAB_DEPTH}, 1, 1);
    emit_triangle({1, SLAB_FOOT, SLAB_DEPTH}, 0, 0, {left, h, SLAB_DEPTH}, 1, 1, {left, SLAB_FOOT, SLAB_DEPTH}, 1, 0);
    glEnd();
}

// The switch cube's outer front face is 0.101 out; its turns keep it within that.
constexpr Box SWITCH_CUBE_EXTENT = {-0.101f, -0.101f, -0.101f, 0.101f, 0.101f, 0.101f};

} // namespace

void draw_gate_units() { draw_gate_units_where(any_box_seen); }

void draw_gate_units_where(BoxSeen seen) {
    for (int u = 0; u < GATE_UNITS; ++u) {
        const GateUnitPlacement& p = GATE_UNIT_PLACEMENTS[u];
        {
            Placement block;
            glTranslatef(p.switch_x, p.switch_y + animation.bob_offset, p.switch_z);
            glRotatef(frame_state.object_angle, 0, 1, 0);
            if (seen(SWITCH_CUBE_EXTENT)) draw_switch_cube();
        }
        Placement block;
        glTranslatef(p.gate_x, p.gate_y, p.gate_z);
        if (p.turn != 0) glRotatef(p.turn, 0, 1, 0);
        const float height = gates.gate_units[u].gate_height;
        const float left = p.shape == GateShape::Wide ? WIDE_LEFT : NARROW_LEFT;
        if (seen({left, SLAB_FOOT, 0, 1, std::max(SLAB_FOOT, height), SLAB_DEPTH})) draw_gate_slab(left, height);
    }
}

void draw_switch_cube() {
    constexpr float H = 0.1f;
    bind_slot(SWITCH_FRONT_SLOT);
    glBegin(GL_QUADS);
    cube_face(H);
    cube_face(0.101f); // a second front face just outside the first
    glEnd();
    // The other five faces: the front face turned to -z, +y, -y, +x and -x.
    const float turns[5][4] = {{180, 0, 1, 0}, {-90, 1, 0, 0}, {90, 1, 0, 0}, {90, 0, 1, 0}, {-90, 0, 1, 0}};
    for (const auto& t : turns) {
        bind_slot(SWITCH_SIDE_SLOT);
        glPushMatrix();
        glRotatef(t[0], t[1], t[2], t[3]);
        glBegin(GL_QUADS);
        cube_face(H);
        glEnd();
        glPopMatrix();
    }
}

void draw_switch_gate(float height) { draw_gate_slab(WIDE_LEFT, height); }
void draw_switch_gate_narrow(float height) { draw_gate_slab(NARROW_LEFT, height); }
