// The town's two gates: panels from below the ground up to their gate's current height.
// The texture is squeezed with the height, not cut.
#include "nav/gates.h"
#include "scene/blocks.h"
#include "scene/models.h"

#include <algorithm>

namespace {

constexpr float GATE_FOOT = -1; // below the ground whatever the height

} // namespace

Box gate_wide_extent() { return {-2, GATE_FOOT, 0, 2, std::max(GATE_FOOT, gates.gate_wide_top), 0.2f}; }
Box gate_corner_extent() { return {-2, GATE_FOOT, 0, 0, std::max(GATE_FOOT, gates.gate_corner_top), 4}; }

void draw_gate_wide() {
    FacadePlacement block;
    const Box slab = {-2, GATE_FOOT, 0, 2, gates.gate_wide_top, 0.2f};
    bind_slot(GATE_WIDE_SLOT);
    glBegin(GL_TRIANGLES);
    emit_face(slab, FACE_NEG_Z);
    emit_face(slab, FACE_POS_Y);
    emit_face(slab, FACE_POS_Z);
    glEnd();
}

void draw_gate_corner() {
    FacadePlacement block;
    const float h = gates.gate_corner_top;
    bind_slot(GATE_CORNER_SLOT);
    glBegin(GL_TRIANGLES);
    emit_face({-2, GATE_FOOT, 0, 0, h, 0}, FACE_NEG_Z);  // across the canopy's mouth
    emit_face({-2, GATE_FOOT, 0, -2, h, 4}, FACE_POS_X); // along its side, seen from inside
    glEnd();
}
