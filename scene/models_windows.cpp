// The windows and doors of the town's facades. Each is authored at its offset from its
// wall's anchor: the pane sits 0.01 behind the rails, the glazing bars 0.001 behind them.
#include "scene/blocks.h"
#include "scene/models.h"

#include <initializer_list>

namespace {

// Texture slots, rows of the current world's texture set.
constexpr int ROOF_SLOT = 0;    // the dormer's roof plate
constexpr int PANE_SLOT = 1;    // the panes
constexpr int DOOR_SLOT = 7;    // the door's frame strips
constexpr int REVEAL_SLOT = 12; // lintels, sills and the reveals of the openings
constexpr int FRAME_SLOT = 13;  // rails, mullions and frames

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
    bind_slot(PANE_SLOT);
    glBegin(GL_TRIANGLES);
    emit_face({-0.7f, 2.3f, 0.99f, -0.2f, 3.3f, 0.99f}, FACE_NEG_Z);
    glEnd();

    bind_slot(FRAME_SLOT);
    glBegin(GL_TRIANGLES);
    emit_face({-0.7f, 3.3f, 0.98f, -0.2f, 3.5f, 0.98f}, FACE_NEG_Z); // top rail
    emit_face({-0.7f, 2.1f, 0.98f, -0.2f, 2.3f, 0.98f}, FACE_NEG_Z); // bottom rail
    for (float y : {2.75f, 3.0f, 2.5f, 3.25f, 2.3f})
        emit_face({-0.7f, y, 0.981f, -0.2f, y + 0.05f, 0.981f}, FACE_NEG_Z);
    for (float x : {-0.25f, -0.5f, -0.7f}) emit_face({x, 2.3f, 0.98f, x + 0.05f, 3.3f, 0.98f}, FACE_NEG_Z);
    // side posts: front, both sides and bottom; no top, no back
    constexpr unsigned POST_FACES = FACE_NEG_Z | FACE_NEG_X | FACE_POS_X | FACE_NEG_Y;
    emit_box({-0.2f, 2.0f, 0.95f, -0.05f, 3.6f, 1.0f}, POST_FACES);
    emit_box({-0.85f, 2.0f, 0.95f, -0.7f, 3.6f, 1.0f}, POST_FACES);
    glEnd();
}

void draw_window_wide() {
    FacadePlacement block;
    bind_slot(PANE_SLOT);
    glBegin(GL_TRIANGLES);
    emit_face({-1.1f, 2.3f, 0.99f, -0.2f, 3.3f, 0.99f}, FACE_NEG_Z);
    glEnd();

    bind_slot(FRAME_SLOT);
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
    bind_slot(PANE_SLOT);
    glBegin(GL_TRIANGLES);
    emit_face({PANE, LIGHTS_BOTTOM, 0, PANE, LIGHTS_TOP, width}, FACE_NEG_X);
    glEnd();

    bind_slot(FRAME_SLOT);
    glBegin(GL_TRIANGLES);
    emit_face({RAILS, LIGHTS_TOP, 0, RAILS, 2.05f, width}, FACE_NEG_X);   // top rail
    emit_face({RAILS, 0.4f, 0, RAILS, LIGHTS_BOTTOM, width}, FACE_NEG_X); // bottom rail
    // three rows of lights between four horizontal bars
    for (float y : {0.6f, 1.0f, 1.4f, 1.8f}) emit_face({BARS, y, 0, BARS, y + BAR, width}, FACE_NEG_X);
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
    bind_slot(PANE_SLOT);
    glBegin(GL_TRIANGLES);
    emit_face({X0 + STRIP, Y0 + STRIP, -0.01f, X1 - STRIP, Y1 - STRIP, -0.01f}, FACE_NEG_Z);
    glEnd();

    bind_slot(FRAME_SLOT);
    glBegin(GL_TRIANGLES);
    // four strips standing 0.02 off the wall, then the edges of the opening they leave
    emit_face({X1 - STRIP, Y0, -0.02f, X1, Y1, -0.02f}, FACE_NEG_Z);                 // left
    emit_face({X0, Y0, -0.02f, X0 + STRIP, Y1, -0.02f}, FACE_NEG_Z);                 // right
    emit_face({X0 + STRIP, Y1 - STRIP, -0.02f, X1 - STRIP, Y1, -0.02f}, FACE_NEG_Z); // top
    emit_face({X0 + STRIP, Y0, -0.02f, X1 - STRIP, Y0 + STRIP, -0.02f}, FACE_NEG_Z); // bottom
    emit_opening({X0 + STRIP, Y0 + STRIP, -0.02f, X1 - STRIP, Y1 - STRIP, 0}, OPENING_SIDES_Z);
    glEnd();
}

namespace {

// A window 0.4 wide and 0.45 high (x -0.8 to -0.4, y 0.55 to 1.0) looking towards -z: a
// frame of four strips with its rails at `rails` and a cross of glazing bars just behind
// them. The caller draws the pane.
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
    bind_slot(PANE_SLOT);
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
    bind_slot(FRAME_SLOT);
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
    bind_slot(REVEAL_SLOT);
    glBegin(GL_TRIANGLES);
    const Box left = {-0.4f, 0.55f, -0.1f, -0.3f, 1.0f, 0};
    const Box right = {-0.9f, 0.55f, -0.1f, -0.8f, 1.0f, 0};
    const Box top = {-0.9f, 1.0f, -0.1f, -0.3f, 1.2f, 0};
    const Box bottom = {-0.9f, 0.35f, -0.1f, -0.3f, 0.55f, 0};
    for (const Box& side : {top, bottom, left, right}) emit_face(side, FACE_NEG_Z);
    emit_box({-0.9f, 0.35f, -0.1f, -0.3f, 1.2f, 0}, FACE_NEG_X | FACE_POS_X | FACE_NEG_Y | FACE_POS_Y);
    emit_opening({-0.8f, 0.55f, -0.1f, -0.4f, 1.0f, RAILS}, OPENING_SIDES_Z);
    glEnd();

    bind_slot(FRAME_SLOT);
    glBegin(GL_TRIANGLES);
    emit_cross_window(RAILS);
    glEnd();
}

// The recessed pieces stand in a hole of their wall: the wall plane is x = -0.6 and the
// opening runs 0.2 deep to x = -0.8; they look towards +x.

void draw_door_framed() {
    FacadePlacement block;
    constexpr float WALL = -0.6f, BACK = -0.8f, Z0 = -1.6f, Z1 = -0.8f;
    constexpr float TOP = 1.2f, SILL = 0.05f;
    bind_slot(REVEAL_SLOT);
    glBegin(GL_TRIANGLES);
    emit_face({WALL, TOP, Z0, WALL, 1.4f, Z1}, FACE_POS_X); // lintel
    emit_face({WALL, 0, Z0, WALL, SILL, Z1}, FACE_POS_X);   // threshold step
    emit_opening({BACK, SILL, Z0, WALL, TOP, Z1}, OPENING_SIDES_X);
    glEnd();

    // The frame's strips stand 0.05 in front of the leaf, their inner edges back to it.
    constexpr float FRAME = -0.75f, STRIP = 0.1f;
    bind_slot(DOOR_SLOT);
    glBegin(GL_TRIANGLES);
    emit_face({FRAME, SILL, Z1 - STRIP, FRAME, TOP, Z1}, FACE_POS_X);                  // left
    emit_face({FRAME, SILL, Z0, FRAME, TOP, Z0 + STRIP}, FACE_POS_X);                  // right
    emit_face({FRAME, TOP - STRIP, Z0 + STRIP, FRAME, TOP, Z1 - STRIP}, FACE_POS_X);   // head
    emit_face({FRAME, SILL, Z0 + STRIP, FRAME, SILL + STRIP, Z1 - STRIP}, FACE_POS_X); // foot
    const Box leaf = {BACK, SILL + STRIP, Z0 + STRIP, FRAME, TOP - STRIP, Z1 - STRIP};
    emit_opening(leaf, OPENING_SIDES_X);
    emit_face({BACK, leaf.y0, leaf.z0, BACK, leaf.y1, leaf.z1}, FACE_POS_X);
    glEnd();
}

void draw_window_recessed() {
    FacadePlacement block;
    constexpr float WALL = -0.6f, BACK = -0.8f, Z0 = -1.5f, Z1 = -0.3f;
    constexpr float BOTTOM = 0.35f, TOP = 1.05f, HEAD = 1.1f;
    // The long faces across the full width take the texture twice.
    bind_slot(REVEAL_SLOT);
    glBegin(GL_TRIANGLES);
    emit_face({WALL, HEAD, Z0, WALL, 1.4f, Z1}, FACE_POS_X, 2, 1);    // wall above
    emit_face({WALL, 0.01f, Z0, WALL, BOTTOM, Z1}, FACE_POS_X, 2, 1); // wall below
    emit_opening({BACK, BOTTOM, Z0, WALL, HEAD, Z1}, OPENING_SIDES_X);
    emit_face({BACK, TOP, Z0, BACK, HEAD, Z1}, FACE_POS_X, 2, 1); // back of the reveal over the window
    glEnd();

    // The frame's rails lie 0.01 in front of the pane at the back of the reveal, the
    // transom 0.001 behind them; the frame's inner edges and the mullions' sides run back
    // to the pane.
    constexpr float RAILS = -0.79f, BARS = -0.791f, STRIP = 0.06f, MULLION = 0.04f;
    constexpr float TRANSOM = 0.8f;
    bind_slot(FRAME_SLOT);
    glBegin(GL_TRIANGLES);
    emit_face({RAILS, TOP - STRIP, Z0, RAILS, TOP, Z1}, FACE_POS_X, 2, 1);              // head
    emit_face({RAILS, BOTTOM, Z0, RAILS, BOTTOM + STRIP, Z1}, FACE_POS_X, 2, 1);        // sill
    emit_face({RAILS, BOTTOM + STRIP, Z1 - STRIP, RAILS, TOP - STRIP, Z1}, FACE_POS_X); // left
    emit_face({RAILS, BOTTOM + STRIP, Z0, RAILS, TOP - STRIP, Z0 + STRIP}, FACE_POS_X); // right
    const Box lights = {BACK, BOTTOM + STRIP, Z0 + STRIP, RAILS, TOP - STRIP, Z1 - STRIP};
    emit_opening(lights, OPENING_SIDES_X);
    // three mullions part the lights into four columns
    const float column = (lights.z1 - lights.z0 - 3 * MULLION) / 4;
    for (int i = 1; i <= 3; ++i) {
        const float z = lights.z0 + static_cast<float>(i) * column + static_cast<float>(i - 1) * MULLION;
        const Box mullion = {BACK, lights.y0, z, RAILS, lights.y1, z + MULLION};
        emit_box(mullion, FACE_POS_X | FACE_NEG_Z | FACE_POS_Z);
    }
    const Box transom = {BACK, TRANSOM, lights.z0, BARS, TRANSOM + MULLION, lights.z1};
    emit_face(transom, FACE_POS_X, 2, 1);
    emit_face(transom, FACE_NEG_Y, 2, 1);
    glEnd();

    bind_slot(PANE_SLOT);
    glBegin(GL_TRIANGLES);
    emit_face({BACK, lights.y0, lights.z0, BACK, lights.y1, lights.z1}, FACE_POS_X);
    glEnd();
}

void draw_dormer() {
    FacadePlacement block;
    // The front wall stands at z = -2.0 from where it meets the roof at y 0.01 up to the
    // roof plate; the cheeks run back along the slope to the roof at z = 0.
    constexpr float FRONT = -2.0f, LEFT = -0.3f, RIGHT = -0.9f, FOOT = 0.01f, EAVES = 1.2f;
    bind_slot(PANE_SLOT);
    glBegin(GL_TRIANGLES);
    emit_face({-0.75f, 0.45f, FRONT - 0.01f, -0.45f, 0.9f, FRONT - 0.01f}, FACE_NEG_Z);
    glEnd();

    bind_slot(ROOF_SLOT);
    glBegin(GL_TRIANGLES);
    emit_face({RIGHT, FOOT, FRONT, LEFT, EAVES, FRONT}, FACE_NEG_Z);
    // the plate overhangs the walls by 0.1; its long faces take the texture four times
    const Box plate = {-1.0f, EAVES, -2.1f, -0.2f, 1.25f, 0};
    emit_face(plate, FACE_POS_Y, 1, 4);
    emit_face(plate, FACE_NEG_Z);
    emit_face(plate, FACE_NEG_X, 4, 1);
    emit_face(plate, FACE_POS_X, 4, 1);
    const Vec3 foot_l = {LEFT, FOOT, FRONT}, top_l = {LEFT, EAVES, FRONT}, back_l = {LEFT, EAVES, 0};
    emit_triangle(foot_l, 1, 0, top_l, 1, 1, back_l, 0, 1);
    const Vec3 foot_r = {RIGHT, FOOT, FRONT}, top_r = {RIGHT, EAVES, FRONT}, back_r = {RIGHT, EAVES, 0};
    emit_triangle(foot_r, 0, 0, back_r, 1, 1, top_r, 0, 1);
    glEnd();

    // A small window of three by three lights on the front wall.
    constexpr float RAILS = FRONT - 0.02f, BARS = RAILS + 0.001f, STRIP = 0.05f, BAR = 0.03f;
    constexpr float X0 = -0.8f, X1 = -0.4f, Y0 = 0.4f, Y1 = 0.95f;
    bind_slot(FRAME_SLOT);
    glBegin(GL_TRIANGLES);
    emit_face({X0, Y1 - STRIP, RAILS, X1, Y1, RAILS}, FACE_NEG_Z);
    emit_face({X0, Y0, RAILS, X1, Y0 + STRIP, RAILS}, FACE_NEG_Z);
    emit_face({X1 - STRIP, Y0 + STRIP, RAILS, X1, Y1 - STRIP, RAILS}, FACE_NEG_Z);
    emit_face({X0, Y0 + STRIP, RAILS, X0 + STRIP, Y1 - STRIP, RAILS}, FACE_NEG_Z);
    for (float x : {-0.67f, -0.56f}) emit_face({x, Y0 + STRIP, RAILS, x + BAR, Y1 - STRIP, RAILS}, FACE_NEG_Z);
    for (float y : {0.58f, 0.74f}) emit_face({X0 + STRIP, y, BARS, X1 - STRIP, y + BAR, BARS}, FACE_NEG_Z);
    glEnd();
}

namespace {

// The double window stands on the wall plane x = -0.7 and looks towards -x. Its casements
// are 0.4 across the wall; their panes run from 0.03 out of the wall at the hinge to 0.2
// further out at the free edge.
constexpr float DOUBLE_WALL = -0.7f;

struct Casement {
    float z_hinge; // the edge by the post
    float toward;  // +1 or -1: the way across the wall from the hinge to the free edge
};

// The point of casement `c` at `z` across the wall and height `y`, standing `out` in front
// of its pane.
Vec3 casement_point(const Casement& c, float z, float y, float out) {
    const float open = (z - c.z_hinge) * c.toward / 0.4f; // 0 at the hinge, 1 at the free edge
    return {DOUBLE_WALL - 0.03f - 0.2f * open - out, y, z};
}

// A face in the casement's slanted plane, `out` in front of the pane, looking out of the wall.
void emit_casement_front(const Casement& c, float z0, float z1, float y0, float y1, float out) {
    emit_rect(casement_point(c, z0, y0, out), casement_point(c, z1, y0, out), casement_point(c, z1, y1, out),
              casement_point(c, z0, y1, out));
}

// A face across the casement's thickness at height `y`, from `back` to `front` (both
// measured out of the pane), looking up or down.
void emit_casement_level(const Casement& c, float z0, float z1, float y, float back, float front, bool up) {
    const float near_edge = up ? front : back, far_edge = up ? back : front;
    emit_rect(casement_point(c, z0, y, near_edge), casement_point(c, z1, y, near_edge),
              casement_point(c, z1, y, far_edge), casement_point(c, z0, y, far_edge));
}

// A face across the casement's thickness at `z`, looking towards +z or -z.
void emit_casement_side(const Casement& c, float z, float y0, float y1, float back, float front, bool to_pos_z) {
    const float first = to_pos_z ? front : back, second = to_pos_z ? back : front;
    emit_rect(casement_point(c, z, y0, first), casement_point(c, z, y0, second), casement_point(c, z, y1, second),
              casement_point(c, z, y1, first));
}

constexpr float CASEMENT_Y0 = 2.6f, CASEMENT_Y1 = 3.6f, CASEMENT_STRIP = 0.06f;

// The casement's lights: inside its frame strips.
void casement_lights(const Casement& c, float* z0, float* z1) {
    const float a = c.z_hinge + c.toward * CASEMENT_STRIP, b = c.z_hinge + c.toward * (0.4f - CASEMENT_STRIP);
    *z0 = a < b ? a : b;
    *z1 = a < b ? b : a;
}

void emit_casement_pane(const Casement& c) {
    float z0, z1;
    casement_lights(c, &z0, &z1);
    emit_casement_front(c, z0, z1, CASEMENT_Y0 + CASEMENT_STRIP, CASEMENT_Y1 - CASEMENT_STRIP, 0);
}

// Frame and bars of a casement: the strips' fronts 0.01 out of the pane, their edges round
// the lights back to the pane, the casement's outer edges 0.02 behind the pane, one upright
// bar and three cross bars 0.001 behind the rails.
void emit_casement_frame(const Casement& c) {
    constexpr float RAILS = 0.01f, BARS = 0.009f, BACK = -0.02f, BAR = 0.04f;
    const float free_edge = c.z_hinge + 0.4f * c.toward;
    const float z0 = c.z_hinge < free_edge ? c.z_hinge : free_edge, z1 = z0 + 0.4f;
    const float y0 = CASEMENT_Y0, y1 = CASEMENT_Y1, s = CASEMENT_STRIP;
    float lz0, lz1;
    casement_lights(c, &lz0, &lz1);
    emit_casement_front(c, z0, z1, y1 - s, y1, RAILS);
    emit_casement_front(c, z0, z1, y0, y0 + s, RAILS);
    emit_casement_front(c, z0, lz0, y0 + s, y1 - s, RAILS);
    emit_casement_front(c, lz1, z1, y0 + s, y1 - s, RAILS);

    emit_casement_level(c, lz0, lz1, y0 + s, 0, RAILS, true);
    emit_casement_level(c, lz0, lz1, y1 - s, 0, RAILS, false);
    emit_casement_side(c, lz0, y0 + s, y1 - s, 0, RAILS, true);
    emit_casement_side(c, lz1, y0 + s, y1 - s, 0, RAILS, false);

    emit_casement_level(c, z0, z1, y1, BACK, RAILS, true);
    emit_casement_level(c, z0, z1, y0, BACK, RAILS, false);
    emit_casement_side(c, z0, y0, y1, BACK, RAILS, false);
    emit_casement_side(c, z1, y0, y1, BACK, RAILS, true);

    const float mid = (lz0 + lz1) / 2;
    emit_casement_front(c, mid - BAR / 2, mid + BAR / 2, y0 + s, y1 - s, RAILS);
    for (float y : {2.85f, 3.08f, 3.31f}) emit_casement_front(c, lz0, lz1, y, y + BAR, BARS);
}

} // namespace

void draw_window_double() {
    FacadePlacement block;
    const Casement left = {0.6f, 1}, right = {2.2f, -1};
    constexpr float RAILS = DOUBLE_WALL - 0.02f, BARS = RAILS + 0.001f, PANE = RAILS + 0.01f;
    bind_slot(PANE_SLOT);
    glBegin(GL_TRIANGLES);
    emit_face({PANE, 2.7f, 1.0f, PANE, 3.5f, 1.8f}, FACE_NEG_X);
    emit_casement_pane(left);
    emit_casement_pane(right);
    glEnd();

    bind_slot(FRAME_SLOT);
    glBegin(GL_TRIANGLES);
    // posts at the outer edges: front, both sides and bottom
    for (float z : {0.5f, 2.2f}) {
        const Box post = {DOUBLE_WALL - 0.05f, 2.3f, z, DOUBLE_WALL, 3.9f, z + 0.1f};
        emit_box(post, FACE_NEG_X | FACE_NEG_Z | FACE_POS_Z | FACE_NEG_Y);
    }
    // head and sill rails between the posts, 0.02 out of the wall
    const Box head = {RAILS, 3.5f, 0.6f, DOUBLE_WALL, 3.7f, 2.2f};
    const Box sill = {RAILS, 2.5f, 0.6f, DOUBLE_WALL, 2.7f, 2.2f};
    emit_face(head, FACE_NEG_X);
    emit_face(head, FACE_NEG_Y);
    emit_face(sill, FACE_NEG_X);
    emit_face(sill, FACE_POS_Y);
    // the fixed centre: two columns of three lights
    for (float z : {1.0f, 1.375f, 1.75f}) emit_face({RAILS, 2.7f, z, RAILS, 3.5f, z + 0.05f}, FACE_NEG_X);
    for (float y : {2.7f, 2.95f, 3.2f, 3.45f}) emit_face({BARS, y, 1.0f, BARS, y + 0.05f, 1.8f}, FACE_NEG_X);
    emit_casement_frame(left);
    emit_casement_frame(right);
    glEnd();
}
