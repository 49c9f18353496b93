#include "targets.h"

#include "nav/player.h"
#include "scene/blocks.h"
#include "weapons/weapon_state.h"

#include <GL/gl.h>
#include <GL/glu.h>

TargetState targets;
ImpactMarkState impact_marks;

void reset_targets() { targets = TargetState{}; }
void reset_impact_marks() { impact_marks = ImpactMarkState{}; }

namespace {

constexpr uint32_t MARK_TOTAL_WRAP = 600;
constexpr uint32_t MARK_TOTAL_RESTART = 210;
constexpr uint32_t SECONDARY_AFTER = 200;

// A small octahedron of half-diagonal `size`, flat-shaded, wound counter-clockwise
// from outside.
void draw_target_solid(float size) {
    static const float AXES[6][3] = {{1, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}, {0, 0, 1}, {0, 0, -1}};
    glBegin(GL_TRIANGLES);
    for (int sx = 0; sx < 2; ++sx)
        for (int sy = 2; sy < 4; ++sy)
            for (int sz = 4; sz < 6; ++sz) {
                const float* a = AXES[sx];
                const float* b = AXES[sy];
                const float* c = AXES[sz];
                glNormal3f(a[0] + b[0] + c[0], a[1] + b[1] + c[1], a[2] + b[2] + c[2]);
                // An odd number of negative axes flips the corner's winding.
                const bool flip = ((sx == 1) + (sy == 3) + (sz == 5)) % 2 == 1;
                const float* second = flip ? c : b;
                const float* third = flip ? b : c;
                glVertex3f(a[0] * size, a[1] * size, a[2] * size);
                glVertex3f(second[0] * size, second[1] * size, second[2] * size);
                glVertex3f(third[0] * size, third[1] * size, third[2] * size);
            }
    glEnd();
}

// Records one mark into `ring` if `request` is set, then draws the ring's visible marks.
void ring_pass(ImpactMarkRing* ring, bool* request, bool primary) {
    glDisable(GL_TEXTURE_2D);
    glColor3ub(50, 50, 50);
    if (ring->count > MARK_RESET_COUNT) {
        for (ImpactMark& mark : ring->slots) mark = ImpactMark{};
        ring->count = 0;
    }
    if (*request) {
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
        if (depth > MARK_MIN_DEPTH) { // nearer surfaces repeat the previous point
            gluUnProject(cursor.x, cursor.y, depth, modelview, projection, viewport, &ring->last_impact[0],
                         &ring->last_impact[1], &ring->last_impact[2]);
        }
        if (ring->count < MARK_STORE_LIMIT) {
            ImpactMark& mark = ring->slots[ring->count];
            mark.position = Vec3{static_cast<float>(ring->last_impact[0]), static_cast<float>(ring->last_impact[1]),
                                 static_cast<float>(ring->last_impact[2])};
            mark.heading = static_cast<int32_t>(player.heading);
            mark.pitch = static_cast<int32_t>(player.pitch);
        }
        ring->count += 1;
        if (primary && ++impact_marks.impact_mark_total > MARK_TOTAL_WRAP)
            impact_marks.impact_mark_total = MARK_TOTAL_RESTART;
    }
    *request = false;

    // The newest 200 of the first 210 records show; later records only push the window on.
    const uint32_t first = ring->count > MARK_VISIBLE_LIMIT ? ring->count - MARK_VISIBLE_LIMIT : 0;
    for (uint32_t i = 0; i < MARK_STORE_LIMIT; ++i) {
        if (first + i >= MARK_VISIBLE_LIMIT) break;
        const ImpactMark& mark = ring->slots[first + i];
        if (mark.position.y == 0) continue; // empty, or a shot at y = 0
        glPushMatrix();
        glTranslatef(mark.position.x, mark.position.y, mark.position.z);
        glRotatef(static_cast<float>(mark.heading + 180), 0, 1, 0); // facing back along the shot
        glRotatef(static_cast<float>(mark.pitch), 1, 0, 0);
        draw_torus(0.008f, 0.005f, 13, 6);
        glPopMatrix();
    }
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
        if (targets.target_visible[n]) draw_target_solid(TARGET_SIZE);
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
    gluPickMatrix(cursor.x, viewport[3] - cursor.y, 2, 2, viewport);
    const double height = viewport[3] > 0 ? viewport[3] : 1; // a zero-height window picks nothing useful
    gluPerspective(45, viewport[2] / height, 0.1, 100);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glTranslatef(targets.row_sway, 0, 0);
    draw_targets();
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
    for (int k = 0; k < TARGET_COUNT; ++k) {
        targets.target_respawn_counter[k] += 1;
        if (targets.target_respawn_counter[k] > TARGET_RESPAWN_LIMIT) {
            targets.target_respawn_counter[k] = 0;
            targets.target_visible[k] = true;
        }
    }
}

void draw_impact_marks() {
    ring_pass(&impact_marks.primary_ring, &weapon_state.mark_request_primary, true);
    // The secondary ring takes over from the 201st primary record; until then its request
    // waits, so its first record is that same shot.
    if (impact_marks.impact_mark_total > SECONDARY_AFTER)
        ring_pass(&impact_marks.secondary_ring, &weapon_state.mark_request_secondary, false);
}
