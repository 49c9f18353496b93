#include "targets.h"

#include "nav/player.h"
#include "scene/blocks.h"
#include "weapons/weapon_state.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>
#include <iterator>

TargetState targets;
ImpactMarkState impact_marks;

void reset_targets() { targets = TargetState{}; }
void reset_impact_marks() { impact_marks = ImpactMarkState{}; }

namespace {

constexpr uint32_t MARK_TOTAL_WRAP = 600;
constexpr uint32_t MARK_TOTAL_RESTART = 210;
constexpr uint32_t SECONDARY_AFTER = 200;

// The unit octahedron's eight faces, counter-clockwise from outside: the corner of
// each octant, its axes taken x, y, z and swapped where an odd number are negative.
struct TargetFace {
    float normal[3];
    float corners[3][3];
};
// clang-format off
constexpr TargetFace TARGET_FACES[] = {
    {{ 1,  1,  1}, {{ 1, 0, 0}, { 0,  1, 0}, {0, 0,  1}}},
    {{ 1,  1, -1}, {{ 1, 0, 0}, { 0,  0, -1}, {0,  1, 0}}},
    {{ 1, -1,  1}, {{ 1, 0, 0}, { 0,  0,  1}, {0, -1, 0}}},
    {{ 1, -1, -1}, {{ 1, 0, 0}, { 0, -1, 0}, {0, 0, -1}}},
    {{-1,  1,  1}, {{-1, 0, 0}, { 0,  0,  1}, {0,  1, 0}}},
    {{-1,  1, -1}, {{-1, 0, 0}, { 0,  1, 0}, {0, 0, -1}}},
    {{-1, -1,  1}, {{-1, 0, 0}, { 0, -1, 0}, {0, 0,  1}}},
    {{-1, -1, -1}, {{-1, 0, 0}, { 0,  0, -1}, {0, -1, 0}}},
};
// clang-format on
constexpr int TARGET_CORNERS = static_cast<int>(std::size(TARGET_FACES)) * 3;

// A small octahedron of half-diagonal `size`, flat-shaded.
void draw_target_solid(float size) {
    glBegin(GL_TRIANGLES);
    for (const TargetFace& face : TARGET_FACES) {
        glNormal3fv(face.normal);
        for (const float* c : face.corners) glVertex3f(c[0] * size, c[1] * size, c[2] * size);
    }
    glEnd();
}

// The picking pass draws the same corners from a client array. Drawn with glBegin/glEnd
// in selection mode, each pick kept the driver's current immediate-mode vertex buffer
// (about 0.5 MB) alive for good once the frame's drawing moved on to the next one, so
// every shot grew the process; a client array never enters those buffers.
struct PickCorners {
    float xyz[TARGET_CORNERS][3];
};
PickCorners pick_corners(float size) {
    PickCorners out = {};
    int n = 0;
    for (const TargetFace& face : TARGET_FACES)
        for (const float* c : face.corners) {
            for (int k = 0; k < 3; ++k) out.xyz[n][k] = c[k] * size;
            ++n;
        }
    return out;
}

// draw_targets' calls, state changes and names, with the solids drawn from the array.
void draw_targets_for_pick() {
    static const PickCorners corners = pick_corners(TARGET_SIZE);
    glDisable(GL_CULL_FACE);
    glDisable(GL_TEXTURE_2D);
    glTranslatef(0, 1, -2);
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, corners.xyz);
    for (int n = 0; n < TARGET_COUNT; ++n) {
        glLoadName(static_cast<GLuint>(n));
        glPushMatrix();
        glTranslatef(static_cast<float>(-n), 0, 0);
        if (targets.target_visible[n]) glDrawArrays(GL_TRIANGLES, 0, TARGET_CORNERS);
        glPopMatrix();
    }
    glDisableClientState(GL_VERTEX_ARRAY);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_CULL_FACE);
}

// A mark keeps the view angles as whole degrees, truncated. The player's angles are
// unbounded floats: one beyond 2^30 degrees (a whole number in a float) is kept modulo
// 360, the same rotation, so that the int and the +180 of the drawing cannot overflow.
// A NaN or infinite angle has no rotation to keep and is 0.
int32_t mark_angle(float degrees) {
    constexpr float KEPT_AS_IS = 1073741824.0f; // 2^30
    if (!std::isfinite(degrees)) return 0;
    if (std::fabs(degrees) < KEPT_AS_IS) return static_cast<int32_t>(degrees);
    return static_cast<int32_t>(std::fmod(degrees, 360.0f));
}

void empty_ring(ImpactMarkRing* ring) {
    for (ImpactMark& mark : ring->slots) mark = ImpactMark{};
    ring->count = 0;
}

// One ring's part of a pass. A ring that an earlier pass of the same frame took past
// MARK_RESET_COUNT starts again empty (one that was past it when the frame began was
// emptied by step_impact_marks); then the pass's record, if it took one. `total` is null
// for the secondary ring, which does not count towards it.
void apply_ring_reading(ImpactMarkRing* ring, const MarkRingReading& r, bool later_pass, uint32_t* total) {
    if (!r.passed) return;
    if (later_pass && ring->count > MARK_RESET_COUNT) empty_ring(ring);
    if (!r.recorded) return;
    if (r.found) {
        for (int k = 0; k < 3; ++k) ring->last_impact[k] = r.point[k];
    }
    if (ring->count < MARK_STORE_LIMIT) {
        ImpactMark& mark = ring->slots[ring->count];
        mark.position = Vec3{static_cast<float>(ring->last_impact[0]), static_cast<float>(ring->last_impact[1]),
                             static_cast<float>(ring->last_impact[2])};
        mark.heading = r.heading;
        mark.pitch = r.pitch;
    }
    ring->count += 1;
    if (total && ++*total > MARK_TOTAL_WRAP) *total = MARK_TOTAL_RESTART;
}

// A pass takes the request of every ring it draws, recorded or not.
void apply_pass(ImpactMarkState* marks, bool* request_primary, bool* request_secondary, const MarkPassReading& pass,
                bool later_pass) {
    apply_ring_reading(&marks->primary_ring, pass.primary, later_pass, &marks->impact_mark_total);
    if (pass.primary.passed) *request_primary = false;
    apply_ring_reading(&marks->secondary_ring, pass.secondary, later_pass, nullptr);
    if (pass.secondary.passed) *request_secondary = false;
}

// The depth under the pointer, un-projected through the current camera, for a ring whose
// request is set.
MarkRingReading read_ring(bool request) {
    MarkRingReading r;
    r.passed = true;
    if (!request) return r;
    r.recorded = true;
    GLint viewport[4];
    GLdouble modelview[16], projection[16];
    glGetIntegerv(GL_VIEWPORT, viewport);
    glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    // The pointer's y is taken as a window row from the bottom, unflipped: with the
    // pointer held at the centre the sample lies ten rows above the crosshair.
    const CursorPos cursor = pointer.cursor_pos;
    GLfloat depth = 0;
    glReadPixels(cursor.x, cursor.y, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
    // Nearer surfaces, and a camera that cannot be un-projected through, repeat the
    // previous point.
    if (depth > MARK_MIN_DEPTH)
        r.found = gluUnProject(cursor.x, cursor.y, depth, modelview, projection, viewport, &r.point[0], &r.point[1],
                               &r.point[2]) == GL_TRUE;
    r.heading = mark_angle(player.heading);
    r.pitch = mark_angle(player.pitch);
    return r;
}

// The newest 200 of the first 210 records show; later records only push the window on.
void draw_ring(const ImpactMarkRing& ring) {
    const uint32_t first = ring.count > MARK_VISIBLE_LIMIT ? ring.count - MARK_VISIBLE_LIMIT : 0;
    for (uint32_t i = 0; i < MARK_STORE_LIMIT; ++i) {
        if (first + i >= MARK_VISIBLE_LIMIT) break;
        const ImpactMark& mark = ring.slots[first + i];
        if (mark.position.y == 0) continue; // empty, or a shot at y = 0
        glPushMatrix();
        glTranslatef(mark.position.x, mark.position.y, mark.position.z);
        glRotatef(static_cast<float>(mark.heading + 180), 0, 1, 0); // facing back along the shot
        glRotatef(static_cast<float>(mark.pitch), 1, 0, 0);
        draw_torus(0.008f, 0.005f, 13, 6);
        glPopMatrix();
    }
}

// Reads the point for `request` into `out`, applies it to the caller's copy of the ring
// and draws the copy.
void ring_pass(ImpactMarkRing* ring, bool request, bool later_pass, uint32_t* total, MarkRingReading* out) {
    glDisable(GL_TEXTURE_2D);
    glColor3ub(50, 50, 50);
    *out = read_ring(request);
    apply_ring_reading(ring, *out, later_pass, total);
    draw_ring(*ring);
    glEnable(GL_TEXTURE_2D);
}

} // namespace

void draw_targets() {
    glDisable(GL_CULL_FACE);
    glDisable(GL_TEXTURE_2D);
    glTranslatef(0, 1, -2);
    for (int n = 0; n < TARGET_COUNT; ++n) {
        glLoadName(static_cast<GLuint>(n));
        glPushMatrix();
        glTranslatef(static_cast<float>(-n), 0, 0);
        if (targets.target_shown[n]) draw_target_solid(TARGET_SIZE);
        glPopMatrix();
    }
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_CULL_FACE);
}

// The camera is whatever the modelview holds: the frame being drawn, or between frames the
// last frame drawn. The targets are picked in every world, drawn or not.
void pick_targets() {
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    GLuint buffer[SELECT_BUFFER_SIZE] = {};
    glSelectBuffer(SELECT_BUFFER_SIZE, buffer);
    glRenderMode(GL_SELECT);
    glInitNames();
    glPushName(0);

    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    const CursorPos cursor = pointer.cursor_pos;
    // In doubles: a pointer far outside the window must not overflow the flip.
    gluPickMatrix(cursor.x, static_cast<double>(viewport[3]) - cursor.y, 2, 2, viewport);
    const double height = viewport[3] > 0 ? viewport[3] : 1; // a zero-height window picks nothing useful
    gluPerspective(45, viewport[2] / height, 0.1, 100);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glTranslatef(targets.row_sway, 0, 0);
    draw_targets_for_pick();
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);

    const GLint hits = glRenderMode(GL_RENDER);
    if (hits != 1) return; // none, several, or an overflow
    const GLuint name = buffer[3];
    if (name < TARGET_COUNT) targets.target_visible[name] = false;
}

void respawn_targets() {
    for (int k = 0; k < TARGET_COUNT; ++k) targets.target_shown[k] = targets.target_visible[k];
    for (int k = 0; k < TARGET_COUNT; ++k) {
        targets.target_respawn_counter[k] += 1;
        if (targets.target_respawn_counter[k] > TARGET_RESPAWN_LIMIT) {
            targets.target_respawn_counter[k] = 0;
            targets.target_visible[k] = true;
        }
    }
}

void step_impact_marks() {
    if (!weapon_state.impact_marks_enabled) return;
    if (impact_marks.primary_ring.count > MARK_RESET_COUNT) empty_ring(&impact_marks.primary_ring);
    if (impact_marks.impact_mark_total > SECONDARY_AFTER && impact_marks.secondary_ring.count > MARK_RESET_COUNT)
        empty_ring(&impact_marks.secondary_ring);
}

// The pass works on a copy of the rings and requests brought up to this frame's earlier
// passes, so that a second world drawn in the same frame shows the first one's record.
void draw_impact_marks(ImpactMarkReadings* readings) {
    ImpactMarkState marks = impact_marks;
    bool request_primary = weapon_state.mark_request_primary;
    bool request_secondary = weapon_state.mark_request_secondary;
    for (int k = 0; k < readings->count; ++k)
        apply_pass(&marks, &request_primary, &request_secondary, readings->passes[k], k > 0);
    const bool room = readings->count < MARK_PASSES_PER_FRAME;
    const bool later_pass = readings->count > 0;
    MarkPassReading pass;
    ring_pass(&marks.primary_ring, room && request_primary, later_pass, &marks.impact_mark_total, &pass.primary);
    // The secondary ring takes over from the 201st primary record; until then its request
    // waits, so its first record is that same shot.
    if (marks.impact_mark_total > SECONDARY_AFTER)
        ring_pass(&marks.secondary_ring, room && request_secondary, later_pass, nullptr, &pass.secondary);
    if (room) readings->passes[readings->count++] = pass;
}

void record_impact_marks(const ImpactMarkReadings& readings) {
    for (int k = 0; k < readings.count; ++k)
        apply_pass(&impact_marks, &weapon_state.mark_request_primary, &weapon_state.mark_request_secondary,
                   readings.passes[k], k > 0);
}
