#include "sky_order.h"

#include "assets/draw_path.h"
#include "render/clip_box.h"
#include "render/frame_state.h"
#include "render/level_mesh.h"
#include "render/particles.h"
#include "render/sky.h"
#include "render/view.h"
#include "scene/blocks.h"
#include "scene/models.h"
#include "scene/world2_layout.h"
#include "scene/world_objects.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

namespace {

constexpr float ORB_REACH = 1.0f;  // the orb's extent (0.63 x 0.495 x 0.4) however turned
constexpr int POINT_MARGIN = 3;    // pixels: the fountain's points are 2.1 wide
constexpr int TRIANGLE_MARGIN = 1; // pixels: rounding of projected corners

WindowRect whole_view() { return {0, 0, view.view_width, view.view_height}; }
bool empty(const WindowRect& r) { return r.x0 >= r.x1 || r.y0 >= r.y1; }

WindowRect clamped(WindowRect r) {
    const WindowRect v = whole_view();
    r.x0 = std::max(r.x0, v.x0), r.y0 = std::max(r.y0, v.y0);
    r.x1 = std::min(r.x1, v.x1), r.y1 = std::min(r.y1, v.y1);
    return r;
}

WindowRect united(const WindowRect& a, const WindowRect& b) {
    if (empty(a)) return b;
    if (empty(b)) return a;
    return {std::min(a.x0, b.x0), std::min(a.y0, b.y0), std::max(a.x1, b.x1), std::max(a.y1, b.y1)};
}

// The window rectangle around a world-space box seen by this frame's camera, widened by
// `margin` pixels: empty when the box lies wholly outside one plane of the view volume,
// the whole view when it reaches from in front of the eye to behind it.
WindowRect window_rect_of(Vec3 lo, Vec3 hi, int margin) {
    const ClipBox box = clip_box(level_draw.camera_modelview, level_draw.camera_projection, lo, hi);
    if (box.outside) return {0, 0, 0, 0};
    if (box.reaches_eye) return whole_view();
    double x_min = INFINITY, y_min = INFINITY, x_max = -INFINITY, y_max = -INFINITY;
    for (const auto& c : box.corners) {
        const double x = (c[0] / c[3] + 1) * 0.5 * view.view_width;
        const double y = (c[1] / c[3] + 1) * 0.5 * view.view_height;
        x_min = std::min(x_min, x), x_max = std::max(x_max, x);
        y_min = std::min(y_min, y), y_max = std::max(y_max, y);
    }
    const double limit = 1e6; // far outside any view, far inside int
    auto pixel = [&](double d) { return static_cast<int>(std::clamp(d, -limit, limit)); };
    return clamped({pixel(std::floor(x_min)) - margin, pixel(std::floor(y_min)) - margin,
                    pixel(std::ceil(x_max)) + margin, pixel(std::ceil(y_max)) + margin});
}

void draw_domes_in(const WindowRect& r, float turn) {
    glScissor(r.x0, r.y0, r.x1 - r.x0, r.y1 - r.y0);
    draw_sky_domes_filtered(turn);
}

} // namespace

SkyPlan sky_plan_literal() { return {whole_view(), frame_state.sky_turn}; }

SkyPlan sky_plan_behind() { return {{0, 0, 0, 0}, frame_state.sky_turn}; }

SkyPlan sky_plan_town(Vec3 lantern_origin, Vec3 fountain_origin) {
    const Vec3 g = {lantern_origin.x + LANTERN_GLOBE_CENTRE.x, lantern_origin.y + LANTERN_GLOBE_CENTRE.y,
                    lantern_origin.z + LANTERN_GLOBE_CENTRE.z};
    const float r = static_cast<float>(LANTERN_GLOBE_RADIUS);
    WindowRect first = window_rect_of({g.x - r, g.y - r, g.z - r}, {g.x + r, g.y + r, g.z + r}, TRIANGLE_MARGIN);
    Vec3 lo, hi;
    particles_reach(&lo, &hi);
    first = united(first, window_rect_of({fountain_origin.x + lo.x, fountain_origin.y + lo.y, fountain_origin.z + lo.z},
                                         {fountain_origin.x + hi.x, fountain_origin.y + hi.y, fountain_origin.z + hi.z},
                                         POINT_MARGIN));
    for (int i = 0; i < WORLD2_LAYOUT_ROWS; ++i) {
        const ModelPlacement& row = WORLD2_LAYOUT[i];
        if (row.model != draw_ring_orb) continue;
        const Vec3 c = row.translation;
        first = united(first, window_rect_of({c.x - ORB_REACH, c.y - ORB_REACH, c.z - ORB_REACH},
                                             {c.x + ORB_REACH, c.y + ORB_REACH, c.z + ORB_REACH}, TRIANGLE_MARGIN));
    }
    return {first, frame_state.sky_turn};
}

void sky_first_pass(const SkyPlan& plan) {
    if (!draw_path.literal && empty(plan.first)) return;
    {
        Placement block;
        glEnable(GL_BLEND);
        glDisable(GL_DEPTH_TEST);
        if (draw_path.literal) {
            draw_sky_domes_filtered(plan.turn);
        } else {
            glEnable(GL_SCISSOR_TEST);
            draw_domes_in(plan.first, plan.turn);
            glDisable(GL_SCISSOR_TEST);
        }
    }
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
}

void sky_behind_pass(const SkyPlan& plan) {
    if (draw_path.literal) return;
    const WindowRect v = whole_view(), f = plan.first;
    WindowRect rest[4] = {v, {0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}};
    if (!empty(f)) {
        rest[0] = {v.x0, v.y0, v.x1, f.y0}; // below
        rest[1] = {v.x0, f.y1, v.x1, v.y1}; // above
        rest[2] = {v.x0, f.y0, f.x0, f.y1}; // left
        rest[3] = {f.x1, f.y0, v.x1, f.y1}; // right
    }
    {
        Placement block;
        glEnable(GL_BLEND);
        glEnable(GL_SCISSOR_TEST);
        glDepthRange(1, 1);
        glDepthFunc(GL_LEQUAL);
        glDepthMask(GL_FALSE);
        for (const WindowRect& r : rest)
            if (!empty(r)) draw_domes_in(r, plan.turn);
        glDepthMask(GL_TRUE);
        glDepthFunc(GL_LESS);
        glDepthRange(0, 1);
        glDisable(GL_SCISSOR_TEST);
    }
    glDisable(GL_BLEND);
}
