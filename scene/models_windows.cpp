// The windows and doors of the town's facades. Each is authored at its offset from its
// wall's anchor: the pane sits 0.01 behind the rails, the glazing bars 0.001 behind them.
#include "scene/blocks.h"
#include "scene/models.h"

#include <initializer_list>

void draw_window_narrow() {
    FacadePlacement block;
    bind_slot(1);
    glBegin(GL_TRIANGLES);
    emit_face({-0.7f, 2.3f, 0.99f, -0.2f, 3.3f, 0.99f}, FACE_NEG_Z);
    glEnd();

    bind_slot(13);
    glBegin(GL_TRIANGLES);
    emit_face({-0.7f, 3.3f, 0.98f, -0.2f, 3.5f, 0.98f}, FACE_NEG_Z); // top rail
    emit_face({-0.7f, 2.1f, 0.98f, -0.2f, 2.3f, 0.98f}, FACE_NEG_Z); // bottom rail
    for (float y : {2.75f, 3.0f, 2.5f, 3.25f, 2.3f})
        emit_face({-0.7f, y, 0.981f, -0.2f, y + 0.05f, 0.981f}, FACE_NEG_Z);
    for (float x : {-0.25f, -0.5f, -0.7f})
        emit_face({x, 2.3f, 0.98f, x + 0.05f, 3.3f, 0.98f}, FACE_NEG_Z);
    // side posts: front, both sides and bottom; no top, no back
    constexpr unsigned POST_FACES = FACE_NEG_Z | FACE_NEG_X | FACE_POS_X | FACE_NEG_Y;
    emit_box({-0.2f, 2.0f, 0.95f, -0.05f, 3.6f, 1.0f}, POST_FACES);
    emit_box({-0.85f, 2.0f, 0.95f, -0.7f, 3.6f, 1.0f}, POST_FACES);
    glEnd();
}
