// The windows and doors of the town's facades. Each is authored at its offset from its
// wall's anchor: the pane sits 0.01 behind the rails, the glazing bars 0.001 behind them.
#include "scene/blocks.h"
#include "scene/models.h"

#include <initializer_list>

namespace {

// The faces round an opening through a wall, each looking into the opening: `sides` names
// the directions they look, FACE_POS_Y being the sill at the opening's bottom.
void emit_opening(const Box& o, unsigned sides) {
    if (sides & FACE_POS_Y) emit_face({o.x0, o.y0, o.z0, o.x1, o.y0, o.z1}, FACE_POS_Y);
    if (sides & FACE_NEG_Y) emit_face({o.x0, o.y1, o.z0, o.x1, o.y1, o.z1}, FACE_NEG_Y);
    if (sides & FACE_POS_X) emit_face({o.x0, o.y0, o.z0, o.x0, o.y1, o.z1}, FACE_POS_X);
    if (sides & FACE_NEG_X) emit_face({o.x1, o.y0, o.z0, o.x1, o.y1, o.z1}, FACE_NEG_X);
    if (sides & FACE_POS_Z) emit_face({o.x0, o.y0, o.z0, o.x1, o.y1, o.z0}, FACE_POS_Z);
    if (sides & FACE_NEG_Z) emit_face({o.x0, o.y0, o.z1, o.x1, o.y1, o.z1}, FACE_NEG_Z);
}
// An opening through a wall whose plane is z = constant, or x = constant.
constexpr unsigned OPENING_SIDES_Z = FACE_POS_Y | FACE_NEG_Y | FACE_POS_X | FACE_NEG_X;
constexpr unsigned OPENING_SIDES_X = FACE_POS_Y | FACE_NEG_Y | FACE_POS_Z | FACE_NEG_Z;

} // namespace

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

void draw_window_wide() {
    FacadePlacement block;
    bind_slot(1);
    glBegin(GL_TRIANGLES);
    emit_face({-1.1f, 2.3f, 0.99f, -0.2f, 3.3f, 0.99f}, FACE_NEG_Z);
    glEnd();

    bind_slot(13);
    glBegin(GL_TRIANGLES);
    // the rails and horizontal bars are long enough to take the grain twice
    emit_face({-1.1f, 3.3f, 0.98f, -0.2f, 3.5f, 0.98f}, FACE_NEG_Z, 2, 1); // top rail
    emit_face({-1.1f, 2.1f, 0.98f, -0.2f, 2.3f, 0.98f}, FACE_NEG_Z, 2, 1); // bottom rail
    for (float y : {2.75f, 3.0f, 2.5f, 3.25f, 2.3f})
        emit_face({-1.1f, y, 0.981f, -0.2f, y + 0.05f, 0.981f}, FACE_NEG_Z, 2, 1);
    // four columns of lights: a bar at each edge and three between
    for (float x : {-0.25f, -0.4625f, -0.675f, -0.8875f, -1.1f})
        emit_face({x, 2.3f, 0.98f, x + 0.05f, 3.3f, 0.98f}, FACE_NEG_Z);
    constexpr unsigned POST_FACES = FACE_NEG_Z | FACE_NEG_X | FACE_POS_X | FACE_NEG_Y;
    emit_box({-0.2f, 2.0f, 0.95f, -0.05f, 3.6f, 1.0f}, POST_FACES);
    emit_box({-1.25f, 2.0f, 0.95f, -1.1f, 3.6f, 1.0f}, POST_FACES);
    glEnd();
}

namespace {

// The lattice windows stand on the wall plane x = -0.9 and look towards -x: two posts
// 0.15 wide from y 0.2 to 2.1 with the lattice between them from z 0 to `width`, rails
// above and below the lights and a bar round every light. `post_grain` is how often the
// posts' long faces repeat the texture.
void draw_lattice_window(float width, int columns, float post_grain) {
    constexpr float RAILS = -0.92f, BARS = -0.919f, PANE = -0.91f;
    constexpr float LIGHTS_BOTTOM = 0.6f, LIGHTS_TOP = 1.85f, BAR = 0.05f;
    bind_slot(1);
    glBegin(GL_TRIANGLES);
    emit_face({PANE, LIGHTS_BOTTOM, 0, PANE, LIGHTS_TOP, width}, FACE_NEG_X);
    glEnd();

    bind_slot(13);
    glBegin(GL_TRIANGLES);
    emit_face({RAILS, LIGHTS_TOP, 0, RAILS, 2.05f, width}, FACE_NEG_X);    // top rail
    emit_face({RAILS, 0.4f, 0, RAILS, LIGHTS_BOTTOM, width}, FACE_NEG_X);  // bottom rail
    // three rows of lights between four horizontal bars
    for (float y : {0.6f, 1.0f, 1.4f, 1.8f})
        emit_face({BARS, y, 0, BARS, y + BAR, width}, FACE_NEG_X);
    const float column = (width - BAR) / static_cast<float>(columns);
    for (int i = 0; i <= columns; ++i) {
        const float z = static_cast<float>(i) * column;
        emit_face({RAILS, LIGHTS_BOTTOM, z, RAILS, LIGHTS_TOP, z + BAR}, FACE_NEG_X);
    }
    // the posts reach below and above the lattice: front, both sides and bottom
    for (float z : {-0.15f, width}) {
        const Box post = {-0.95f, 0.2f, z, -0.9f, 2.1f, z + 0.15f};
        emit_face(post, FACE_NEG_X, 1, post_grain);
        emit_face(post, FACE_NEG_Z, 1, post_grain);
        emit_face(post, FACE_POS_Z, 1, post_grain);
        emit_face(post, FACE_NEG_Y);
    }
    glEnd();
}

} // namespace

void draw_window_six_pane() {
    FacadePlacement block;
    draw_lattice_window(0.8f, 2, 2);
}

void draw_window_three_pane() {
    FacadePlacement block;
    draw_lattice_window(0.4f, 1, 1);
}

void draw_window_small() {
    FacadePlacement block;
    constexpr float X0 = -0.8f, X1 = -0.4f, Y0 = 0.1f, Y1 = 1.0f, STRIP = 0.04f;
    bind_slot(1);
    glBegin(GL_TRIANGLES);
    emit_face({X0 + STRIP, Y0 + STRIP, -0.01f, X1 - STRIP, Y1 - STRIP, -0.01f}, FACE_NEG_Z);
    glEnd();

    bind_slot(13);
    glBegin(GL_TRIANGLES);
    // four strips standing 0.02 off the wall, then the edges of the opening they leave
    emit_face({X1 - STRIP, Y0, -0.02f, X1, Y1, -0.02f}, FACE_NEG_Z);                         // left
    emit_face({X0, Y0, -0.02f, X0 + STRIP, Y1, -0.02f}, FACE_NEG_Z);                         // right
    emit_face({X0 + STRIP, Y1 - STRIP, -0.02f, X1 - STRIP, Y1, -0.02f}, FACE_NEG_Z);         // top
    emit_face({X0 + STRIP, Y0, -0.02f, X1 - STRIP, Y0 + STRIP, -0.02f}, FACE_NEG_Z);         // bottom
    emit_opening({X0 + STRIP, Y0 + STRIP, -0.02f, X1 - STRIP, Y1 - STRIP, 0}, OPENING_SIDES_Z);
    glEnd();
}

namespace {

// A window 0.4 wide and 0.45 high (x -0.8 to -0.4, y 0.55 to 1.0) looking towards -z: a
// frame of four strips with its rails at `rails`, a cross of glazing bars just behind
// them and the pane at `pane`. The pane is drawn by the caller.
void emit_cross_window(float rails) {
    constexpr float X0 = -0.8f, X1 = -0.4f, Y0 = 0.55f, Y1 = 1.0f, STRIP = 0.05f, BAR = 0.03f;
    const float bars = rails + 0.001f;
    emit_face({X0, Y1 - STRIP, rails, X1, Y1, rails}, FACE_NEG_Z);                 // top
    emit_face({X0, Y0, rails, X1, Y0 + STRIP, rails}, FACE_NEG_Z);                 // bottom
    emit_face({X1 - STRIP, Y0 + STRIP, rails, X1, Y1 - STRIP, rails}, FACE_NEG_Z); // left
    emit_face({X0, Y0 + STRIP, rails, X0 + STRIP, Y1 - STRIP, rails}, FACE_NEG_Z); // right
    const float mid_x = (X0 + X1) / 2, mid_y = (Y0 + Y1) / 2;
    emit_face({mid_x - BAR / 2, Y0 + STRIP, bars, mid_x + BAR / 2, Y1 - STRIP, bars}, FACE_NEG_Z);
    emit_face({X0 + STRIP, mid_y - BAR / 2, bars, X1 - STRIP, mid_y + BAR / 2, bars}, FACE_NEG_Z);
}

void draw_cross_window_pane(float z) {
    bind_slot(1);
    glBegin(GL_TRIANGLES);
    emit_face({-0.75f, 0.6f, z, -0.45f, 0.95f, z}, FACE_NEG_Z);
    glEnd();
}

} // namespace

void draw_window_square() {
    FacadePlacement block;
    // A flat piece laid on the wall: all of it within 0.002 of z = -0.01, so the pane can
    // only sit 0.002 behind the rails.
    draw_cross_window_pane(-0.009f);
    bind_slot(13);
    glBegin(GL_TRIANGLES);
    emit_cross_window(-0.011f);
    glEnd();
}

void draw_window_small_framed() {
    FacadePlacement block;
    constexpr float RAILS = -0.02f;
    draw_cross_window_pane(RAILS + 0.01f);

    // The surround stands 0.1 proud of the wall round the opening x -0.8..-0.4,
    // y 0.55..1.0: its front, its outer sides down to the wall and the reveal back to the
    // window's rails.
    bind_slot(12);
    glBegin(GL_TRIANGLES);
    const Box left = {-0.4f, 0.55f, -0.1f, -0.3f, 1.0f, 0};
    const Box right = {-0.9f, 0.55f, -0.1f, -0.8f, 1.0f, 0};
    const Box top = {-0.9f, 1.0f, -0.1f, -0.3f, 1.2f, 0};
    const Box bottom = {-0.9f, 0.35f, -0.1f, -0.3f, 0.55f, 0};
    for (const Box& side : {top, bottom, left, right})
        emit_face(side, FACE_NEG_Z);
    emit_face({-0.9f, 0.35f, -0.1f, -0.3f, 1.2f, 0}, FACE_POS_Y);
    emit_face({-0.9f, 0.35f, -0.1f, -0.3f, 1.2f, 0}, FACE_NEG_Y);
    emit_face({-0.9f, 0.35f, -0.1f, -0.3f, 1.2f, 0}, FACE_NEG_X);
    emit_face({-0.9f, 0.35f, -0.1f, -0.3f, 1.2f, 0}, FACE_POS_X);
    emit_opening({-0.8f, 0.55f, -0.1f, -0.4f, 1.0f, RAILS}, OPENING_SIDES_Z);
    glEnd();

    bind_slot(13);
    glBegin(GL_TRIANGLES);
    emit_cross_window(RAILS);
    glEnd();
}
