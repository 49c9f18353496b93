#include "animations.h"

#include "assets/textures.h"
#include "nav/gates.h"
#include "render/frame_state.h"
#include "scene/animation.h"
#include "scene/blocks.h"

#include <GL/gl.h>

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
void draw_gate_slab(float left, float h) {
    Placement block;
    bind_slot(25);
    glBegin(GL_TRIANGLES);
    emit_face({left, -1, 0, 1, h, 0.2f}, FACE_NEG_Z);
    // top face, y = h
    emit_triangle({1, h, 0.2f}, 0, 0, {left, h, 0}, 1, 1, {left, h, 0.2f}, 1, 0);
    emit_triangle({1, h, 0.2f}, 0, 0, {1, h, 0}, 0, 1, {left, h, 0}, 1, 1);
    // back face, z = 0.2
    emit_triangle({1, -1, 0.2f}, 0, 0, {1, h, 0.2f}, 0, 1, {left, h, 0.2f}, 1, 1);
    emit_triangle({1, -1, 0.2f}, 0, 0, {left, h, 0.2f}, 1, 1, {left, -1, 0.2f}, 1, 0);
    glEnd();
}

} // namespace

void draw_gate_units() {
    for (int u = 0; u < GATE_UNITS; ++u) {
        const GateUnitPlacement& p = GATE_UNIT_PLACEMENTS[u];
        {
            Placement block;
            glTranslatef(p.switch_x, p.switch_y + animation.bob_offset, p.switch_z);
            glRotatef(frame_state.spin_angle, 0, 1, 0);
            draw_switch_cube();
        }
        Placement block;
        glTranslatef(p.gate_x, p.gate_y, p.gate_z);
        if (p.turn != 0) glRotatef(p.turn, 0, 1, 0);
        if (p.shape == GateShape::Wide) draw_switch_gate(gates.gate_units[u].gate_height);
        else draw_switch_gate_narrow(gates.gate_units[u].gate_height);
    }
}

void draw_switch_cube() {
    constexpr float H = 0.1f;
    bind_slot(10);
    glBegin(GL_QUADS);
    cube_face(H);
    cube_face(0.101f); // a second front face just outside the first
    glEnd();
    // The other five faces: the front face turned to -z, +y, -y, +x and -x.
    const float turns[5][4] = {{180, 0, 1, 0}, {-90, 1, 0, 0}, {90, 1, 0, 0}, {90, 0, 1, 0}, {-90, 0, 1, 0}};
    for (const auto& t : turns) {
        bind_slot(0);
        glPushMatrix();
        glRotatef(t[0], t[1], t[2], t[3]);
        glBegin(GL_QUADS);
        cube_face(H);
        glEnd();
        glPopMatrix();
    }
}

void draw_switch_gate(float height) { draw_gate_slab(-2, height); }
void draw_switch_gate_narrow(float height) { draw_gate_slab(0, height); }
