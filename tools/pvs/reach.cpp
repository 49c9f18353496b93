#include "reach.h"

#include "nav/gates.h"
#include "nav/player.h"
#include "nav/worlds.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

constexpr float CELL = 0.1f;
constexpr float STEP = 0.07f; // from a cell's centre into the next, within one frame's walk

void lower_every_gate() {
    gates.gate_wide_top = gates.gate_corner_top = -0.4f;
    for (GateUnit& u : gates.gate_units) u.gate_height = -0.4f;
}

} // namespace

Ground ground_of(int world) { return world_record(world)->sets_ground; }

bool Reach::at(float x, float z) const {
    const int i = static_cast<int>(std::floor((x - ground.x0) / CELL));
    const int k = static_cast<int>(std::floor((z - ground.z0) / CELL));
    return i >= 0 && k >= 0 && i < nx && k < nz && reached[static_cast<size_t>(k) * nx + i];
}

bool Reach::nearest(float x, float z, float radius, float* rx, float* rz) const {
    const int ci = static_cast<int>(std::floor((x - ground.x0) / CELL));
    const int ck = static_cast<int>(std::floor((z - ground.z0) / CELL));
    const int span = static_cast<int>(std::ceil(radius / CELL));
    float best = radius * radius;
    bool found = false;
    for (int k = std::max(0, ck - span); k <= std::min(nz - 1, ck + span); ++k)
        for (int i = std::max(0, ci - span); i <= std::min(nx - 1, ci + span); ++i) {
            if (!reached[static_cast<size_t>(k) * nx + i]) continue;
            const float cx = ground.x0 + (static_cast<float>(i) + 0.5f) * CELL;
            const float cz = ground.z0 + (static_cast<float>(k) + 0.5f) * CELL;
            const float d = (cx - x) * (cx - x) + (cz - z) * (cz - z);
            if (d > best) continue;
            best = d;
            *rx = cx, *rz = cz;
            found = true;
        }
    return found;
}

float Reach::floor_under(float x, float z) const {
    float h = -0.5f;
    for (const WallSegment& f : floors)
        if (f.a.x < x && x < f.b.x && f.a.z < z && z < f.b.z) h = std::max(h, f.a.y);
    return h;
}

Reach flood_reach(int world) {
    lower_every_gate();
    Reach r;
    r.world = world;
    r.ground = ground_of(world);
    r.nx = static_cast<int>(std::lround((r.ground.x1 - r.ground.x0) / CELL));
    r.nz = static_cast<int>(std::lround((r.ground.z1 - r.ground.z0) / CELL));
    r.reached.assign(static_cast<size_t>(r.nx) * r.nz, 0);
    const WallTable table = fill_wall_table(world);
    for (int i = 0; i < table.count; ++i)
        if (table.segments[i].a.y == table.segments[i].b.y) r.floors.push_back(table.segments[i]);

    std::vector<Vec3> starts = {{-1, 0, -1}}; // the arrival
    const WorldRecord* record = world_record(world);
    for (int pit = 0; pit < record->pit_count; ++pit) {
        const Teleport& t = record->pits[pit];
        starts.push_back({t.x, t.eye_height, t.z});
    }
    std::vector<std::pair<int, int>> queue;
    for (const Vec3& s : starts) {
        const int i = static_cast<int>((s.x - r.ground.x0) / CELL), k = static_cast<int>((s.z - r.ground.z0) / CELL);
        r.reached[static_cast<size_t>(k) * r.nx + i] = 1;
        queue.push_back({i, k});
    }
    const auto centre = [](int i, float origin) { return origin + (static_cast<float>(i) + 0.5f) * CELL; };
    const int steps[8][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}, {1, 1}, {1, -1}, {-1, 1}, {-1, -1}};
    for (size_t head = 0; head < queue.size(); ++head) {
        const auto from = queue[head];
        for (const auto& step : steps) {
            contacts.origin =
                StepOrigin{true, world, centre(from.first, r.ground.x0), centre(from.second, r.ground.z0)};
            player.x = contacts.origin.x + static_cast<float>(step[0]) * STEP;
            player.z = contacts.origin.z + static_cast<float>(step[1]) * STEP;
            player.eye_height = r.floor_under(player.x, player.z) + STANDING_EYE;
            resolve_wall_contacts(world);
            const int i = static_cast<int>(std::floor((player.x - r.ground.x0) / CELL));
            const int k = static_cast<int>(std::floor((player.z - r.ground.z0) / CELL));
            if (i < 0 || k < 0 || i >= r.nx || k >= r.nz) continue;
            char& mark = r.reached[static_cast<size_t>(k) * r.nx + i];
            if (mark) continue;
            mark = 1;
            queue.push_back({i, k});
        }
    }
    return r;
}
