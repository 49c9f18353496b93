// The hall of world 1: an 18 x 18 room, 4 high, whose corners are cut by diagonal walls.
// The floor and the doorways come from the level file; the room is kept by the clamps.
#include "scene/world_objects.h"

#include "assets/gl_caps.h"
#include "scene/blocks.h"
#include "scene/vec3.h"

#include <GL/gl.h>

#include <iterator>

namespace {

// A quad as seen from its front: bottom left, bottom right, top right, top left, with the
// texture repeated `u` times across and `v` times up.
struct HallQuad {
    int slot;
    Vec3 p0, p1, p2, p3;
    float u, v;
};

constexpr float H = 4; // wall height and ceiling
// clang-format off
constexpr HallQuad HALL_QUADS[] = {
    // a notice board leaning on the left wall
    { 9, {-7.9f, 0, -1.0f}, {-7.9f, 0, -2.4f}, {-8.95f, 1.5f, -2.4f}, {-8.95f, 1.5f, -1.0f}, 1, 1},
    // the eight walls, seen from inside, clockwise from the back wall, then the ceiling
    { 0, {-8.2f, 0, -9}, { 7.0f, 0, -9}, { 7.0f, H, -9}, {-8.2f, H, -9}, 5, 1},
    { 0, { 7.0f, 0, -9}, { 9.0f, 0, -3}, { 9.0f, H, -3}, { 7.0f, H, -9}, 1, 1},
    { 0, { 9.0f, 0, -3}, { 9.0f, 0,  3}, { 9.0f, H,  3}, { 9.0f, H, -3}, 1, 1},
    { 0, { 9.0f, 0,  3}, { 7.0f, 0,  9}, { 7.0f, H,  9}, { 9.0f, H,  3}, 1, 1},
    { 0, { 7.0f, 0,  9}, {-8.2f, 0,  9}, {-8.2f, H,  9}, { 7.0f, H,  9}, 3, 1},
    { 0, {-8.2f, 0,  9}, {-9.0f, 0,  3}, {-9.0f, H,  3}, {-8.2f, H,  9}, 1, 1},
    { 0, {-9.0f, 0,  3}, {-9.0f, 0, -3}, {-9.0f, H, -3}, {-9.0f, H,  3}, 1, 1},
    { 0, {-9.0f, 0, -3}, {-8.2f, 0, -9}, {-8.2f, H, -9}, {-9.0f, H, -3}, 1, 1},
    { 0, {-9.0f, H, -9}, { 9.0f, H, -9}, { 9.0f, H,  9}, {-9.0f, H,  9}, 1, 1},
    // eye panels in three stacks on the back wall, behind the ring of the town's doorway
    {30, {-8.55f, 0.80f, -8.98f}, {-7.75f, 0.80f, -8.98f}, {-7.75f, 1.40f, -8.98f}, {-8.55f, 1.40f, -8.98f}, 1, 1},
    {30, {-8.55f, 1.50f, -8.98f}, {-7.75f, 1.50f, -8.98f}, {-7.75f, 2.10f, -8.98f}, {-8.55f, 2.10f, -8.98f}, 1, 1},
    {30, {-8.55f, 2.20f, -8.98f}, {-7.75f, 2.20f, -8.98f}, {-7.75f, 2.80f, -8.98f}, {-8.55f, 2.80f, -8.98f}, 1, 1},
    {30, {-8.55f, 2.90f, -8.98f}, {-7.75f, 2.90f, -8.98f}, {-7.75f, 3.50f, -8.98f}, {-8.55f, 3.50f, -8.98f}, 1, 1},
    {30, {-7.70f, 2.20f, -8.98f}, {-6.90f, 2.20f, -8.98f}, {-6.90f, 2.80f, -8.98f}, {-7.70f, 2.80f, -8.98f}, 1, 1},
    {30, {-7.70f, 2.90f, -8.98f}, {-6.90f, 2.90f, -8.98f}, {-6.90f, 3.50f, -8.98f}, {-7.70f, 3.50f, -8.98f}, 1, 1},
    {30, {-7.70f, 0.15f, -8.98f}, {-6.90f, 0.15f, -8.98f}, {-6.90f, 0.75f, -8.98f}, {-7.70f, 0.75f, -8.98f}, 1, 1},
    {30, {-6.85f, 0.80f, -8.98f}, {-6.05f, 0.80f, -8.98f}, {-6.05f, 1.40f, -8.98f}, {-6.85f, 1.40f, -8.98f}, 1, 1},
    {30, {-6.85f, 1.50f, -8.98f}, {-6.05f, 1.50f, -8.98f}, {-6.05f, 2.10f, -8.98f}, {-6.85f, 2.10f, -8.98f}, 1, 1},
    {30, {-6.85f, 2.20f, -8.98f}, {-6.05f, 2.20f, -8.98f}, {-6.05f, 2.80f, -8.98f}, {-6.85f, 2.80f, -8.98f}, 1, 1},
    {30, {-6.85f, 2.90f, -8.98f}, {-6.05f, 2.90f, -8.98f}, {-6.05f, 3.50f, -8.98f}, {-6.85f, 3.50f, -8.98f}, 1, 1},
};
// clang-format on
static_assert(std::size(HALL_QUADS) == 21);

} // namespace

void draw_world1_hall() { draw_world1_hall_where(any_box_seen); }

void draw_world1_hall_where(BoxSeen seen) {
    if (gl_caps.separate_specular) glLightModeli(GL_LIGHT_MODEL_COLOR_CONTROL, GL_SINGLE_COLOR);
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    for (const HallQuad& q : HALL_QUADS) {
        const Vec3 corners[4] = {q.p0, q.p1, q.p2, q.p3};
        if (!seen(box_round(corners, 4))) continue;
        bind_slot(q.slot);
        Vec3 n; // the quad is flat: one normal serves both its triangles
        face_normal(&q.p0, &q.p1, &q.p2, &n);
        glNormal3fv(&n.x);
        glBegin(GL_TRIANGLES);
        emit_rect(q.p0, q.p1, q.p2, q.p3, q.u, q.v);
        glEnd();
    }
}
