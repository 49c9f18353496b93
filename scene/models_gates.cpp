// The town's two gates: panels from below the ground up to their gate's current height.
// The texture is squeezed with the height, not cut.
#include "nav/gates.h"
#include "scene/blocks.h"
#include "scene/models.h"

void draw_gate_wide() {
    FacadePlacement block;
    const float h = gates.gate_wide_top;
    const Box slab = {-2, -1, 0, 2, h, 0.2f};
    bind_slot(25);
    glBegin(GL_TRIANGLES);
    emit_face(slab, FACE_NEG_Z);
    emit_face(slab, FACE_POS_Y);
    emit_face(slab, FACE_POS_Z);
    glEnd();
}

void draw_gate_corner() {
    FacadePlacement block;
    const float h = gates.gate_corner_top;
    bind_slot(12);
    glBegin(GL_TRIANGLES);
    emit_face({-2, -1, 0, 0, h, 0}, FACE_NEG_Z); // across the canopy's mouth
    emit_face({-2, -1, 0, -2, h, 4}, FACE_POS_X); // along its side, seen from inside
    glEnd();
}
