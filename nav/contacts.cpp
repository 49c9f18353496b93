#include "contacts.h"

#include "nav/player.h"
#include "nav/gates.h"

#include <cmath>
#include <vector>

// clang-format off
const ContactProfile CONTACT_PROFILES[3] = {
    // height  wall   floor  step-up  probe  probe keep-out
    {  0.4f,   0.6f,  0.6f,  0.0f,    true,  0.3f},  // world 1
    {  0.6f,   0.3f,  0.6f,  0.5f,    false, 0.0f},  // world 2
    {  0.6f,   0.6f,  0.6f,  0.5f,    false, 0.0f},  // world 3
};
// clang-format on

ProbePoint probe_point = {0, -6};

void reset_contacts() { probe_point = ProbePoint{0, -6}; }

namespace {

float gate_height(GateLink gate) {
    switch (gate) {
    case GateLink::World2Wide: return gates.gate_wide_top;
    case GateLink::World2Corner: return gates.gate_corner_top;
    case GateLink::Unit1: return gates.gate_units[0].gate_height;
    case GateLink::Unit2: return gates.gate_units[1].gate_height;
    case GateLink::Unit3: return gates.gate_units[2].gate_height;
    case GateLink::Unit4: return gates.gate_units[3].gate_height;
    case GateLink::Unit5: return gates.gate_units[4].gate_height;
    case GateLink::None: break;
    }
    return 0;
}

// Moves p to the wall's own side of w, exactly k from it; p on the wall or at 0 stays.
void push(float* p, float w, float k) {
    if (*p > 0) {
        if (*p < w) *p = w - k;
        if (*p > w) *p = w + k;
    }
    if (*p < 0) {
        if (*p > w) *p = w + k;
        if (*p < w) *p = w - k;
    }
}

// A segment's corners while its tests run: a test that passes collapses every spanning
// axis onto the tested point, so the segment's later tests see empty spans.
struct WorkingPair {
    Vec3 a, b;
    void collapse(float x, float y, float z) {
        if (a.x != b.x) a.x = b.x = x;
        if (a.y != b.y) a.y = b.y = y;
        if (a.z != b.z) a.z = b.z = z;
    }
    // After a collapse: the distance from the point to the segment's plane.
    float distance(float x, float y, float z) const {
        return std::sqrt((x - a.x) * (x - b.x) + (y - a.y) * (y - b.y) + (z - a.z) * (z - b.z));
    }
};

// Along a wall, its span holds its start and not its end: where two collinear pieces
// meet, the one that starts there holds a player standing on the joint (with both ends
// open he walked through between them), and a piece's far end stays as open as before.
bool along(float lo, float p, float hi) { return lo <= p && p < hi; }

std::vector<WallSegment> g_filled; // the table of the current call, gate heights filled in

} // namespace

WallTable fill_wall_table(int world) {
    const WallSegment* rows = world == 1 ? WORLD1_WALLS : world == 2 ? WORLD2_WALLS : WORLD3_WALLS;
    const int count = world == 1 ? WORLD1_WALL_COUNT : world == 2 ? WORLD2_WALL_COUNT : WORLD3_WALL_COUNT;
    g_filled.assign(rows, rows + count);
    for (WallSegment& s : g_filled)
        if (s.gate != GateLink::None) s.b.y = gate_height(s.gate);
    return WallTable{g_filled.data(), count};
}

void resolve_wall_contacts(int world) {
    const ContactProfile& profile = CONTACT_PROFILES[world - 1];
    const WallTable table = fill_wall_table(world);
    float& x = player.x;
    float& z = player.z;
    float& eye = player.eye_height;
    for (int i = 0; i < table.count; ++i) {
        WorkingPair w{table.segments[i].a, table.segments[i].b};
        const float t = eye + profile.height_offset;
        if (profile.probe) {
            ProbePoint& p = probe_point;
            if (w.a.z == w.b.z && along(w.a.x, p.x, w.b.x) && w.a.y < t && t < w.b.y) {
                const float plane = w.a.z;
                w.collapse(p.x, t, p.z);
                if (std::fabs(p.z - plane) < profile.probe_keep_out) push(&p.z, plane, profile.probe_keep_out);
            }
            if (w.a.x == w.b.x && along(w.a.z, p.z, w.b.z) && w.a.y < t && t < w.b.y) {
                const float plane = w.a.x;
                w.collapse(p.x, t, p.z);
                if (std::fabs(p.x - plane) < profile.probe_keep_out) push(&p.x, plane, profile.probe_keep_out);
            }
        }
        if (w.a.z == w.b.z && along(w.a.x, x, w.b.x) && w.a.y < t && t < w.b.y) {
            const float plane = w.a.z;
            w.collapse(x, t, z);
            if (w.distance(x, t, z) < profile.wall_keep_out) push(&z, plane, profile.wall_keep_out);
        }
        if (w.a.x == w.b.x && along(w.a.z, z, w.b.z) && w.a.y < t && t < w.b.y) {
            const float plane = w.a.x;
            w.collapse(x, t, z);
            if (w.distance(x, t, z) < profile.wall_keep_out) push(&x, plane, profile.wall_keep_out);
        }
        if (w.a.y == w.b.y && w.a.z < z && z < w.b.z && w.a.x < x && x < w.b.x) {
            const float h = w.a.y;
            w.collapse(x, eye, z);
            const float d = w.distance(x, eye, z);
            if (profile.step_up > 0 && d < profile.step_up) {
                movement.jump_key_latch = true;
                lift.boost_active = true;
            }
            if (d < profile.floor_keep_out) {
                if (eye > h) eye = h + profile.floor_keep_out;
                else if (eye < h) eye = h - profile.floor_keep_out;
            }
        }
    }
}
