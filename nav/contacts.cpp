#include "contacts.h"

#include "nav/player.h"
#include "nav/gates.h"
#include "nav/worlds.h"

#include <cmath>
#include <vector>

ContactState contacts;

void reset_contacts() { contacts = ContactState{}; }

namespace {

float gate_height(GateLink gate) {
    switch (gate) {
    case GateLink::World2Wide:
        return gates.gate_wide_top;
    case GateLink::World2Corner:
        return gates.gate_corner_top;
    case GateLink::Unit1:
        return gates.gate_units[0].gate_height;
    case GateLink::Unit2:
        return gates.gate_units[1].gate_height;
    case GateLink::Unit3:
        return gates.gate_units[2].gate_height;
    case GateLink::Unit4:
        return gates.gate_units[3].gate_height;
    case GateLink::Unit5:
        return gates.gate_units[4].gate_height;
    case GateLink::None:
        break;
    }
    return 0;
}

// A frame's arrow steps add up to at most two steps (Up and Down cancel, as do Left and
// Right): a longer move since the last call is a teleport, a world change or a placement.
constexpr float LONGEST_STEP = 2 * MOVE_STEP;

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

// A step that ends across a wall's plane (over a corner or round the wall's end, where no
// wall held the player off it), or a player left on the plane itself, is held on the side
// the step started from: judged by where he ends alone, he went through. Otherwise the
// side he is on decides, as push does, also when another wall's push has just carried
// him over this one's plane (out of a block thinner than two keep-outs the way the first
// push went).
void hold(float* p, float w, float k, bool stepped, float before, float after) {
    const bool crossed = (before < w && after > w) || (before > w && after < w);
    if (stepped && before != w && (crossed || *p == w)) *p = before < w ? w - k : w + k;
    else push(p, w, k);
}

std::vector<WallSegment> g_filled; // the table of the current call, gate heights filled in

} // namespace

WallTable fill_wall_table(int world) {
    const WorldRecord* record = world_record(world);
    if (!record) return WallTable{nullptr, 0};
    const int count = record->wall_count;
    g_filled.assign(record->walls, record->walls + count);
    for (WallSegment& s : g_filled)
        if (s.gate != GateLink::None) s.b.y = gate_height(s.gate);
    return WallTable{g_filled.data(), count};
}

void resolve_wall_contacts(int world) {
    const WorldRecord* record = world_record(world);
    if (!record) return;
    const ContactProfile& profile = record->contacts;
    const WallTable table = fill_wall_table(world);
    float& x = player.x;
    float& z = player.z;
    float& eye = player.eye_height;
    // the step is the move from where the last call left the player to where this one
    // finds him, unless something else has moved him since
    const StepOrigin from = contacts.origin;
    const float step_x = x, step_z = z;
    const float dx = step_x - from.x, dz = step_z - from.z;
    const bool stepped = from.known && from.world == world && dx * dx + dz * dz <= LONGEST_STEP * LONGEST_STEP;
    for (int i = 0; i < table.count; ++i) {
        WorkingPair w{table.segments[i].a, table.segments[i].b};
        const float t = eye + profile.height_offset;
        if (profile.probe) {
            ProbePoint& p = contacts.probe_point;
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
            if (w.distance(x, t, z) < profile.wall_keep_out)
                hold(&z, plane, profile.wall_keep_out, stepped, from.z, step_z);
        }
        if (w.a.x == w.b.x && along(w.a.z, z, w.b.z) && w.a.y < t && t < w.b.y) {
            const float plane = w.a.x;
            w.collapse(x, t, z);
            if (w.distance(x, t, z) < profile.wall_keep_out)
                hold(&x, plane, profile.wall_keep_out, stepped, from.x, step_x);
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
    contacts.origin = StepOrigin{true, world, x, z};
}
