#include "worlds.h"

#include "nav/player_state.h"

#include <iterator>

namespace {

// clang-format off
constexpr PositionBox WORLD3_PICKUPS[] = {
    {5.8f, 6.4f, -2.9f, -2.3f, -BOX_OPEN, BOX_OPEN},
    {3.7f, 4.3f, -2.9f, -2.3f, -BOX_OPEN, BOX_OPEN},
};
// clang-format on
static_assert(std::size(WORLD3_PICKUPS) == std::size(worlds.pickup_visible));

} // namespace

bool player_inside(const PositionBox& b) {
    return player.x > b.x_low && player.x < b.x_high && player.z > b.z_low && player.z < b.z_high &&
           player.eye_height > b.eye_low && player.eye_height < b.eye_high;
}

void switch_world(int target, float arrival_eye_height) {
    if (!world_record(target)) return;
    const int from = current_world();
    if (from != 0) worlds.world_flags[from - 1] = false;
    player.x = ARRIVAL_X;
    player.z = ARRIVAL_Z;
    player.eye_height = arrival_eye_height;
    worlds.needs_init[target - 1] = true;
    worlds.world_flags[target - 1] = true;
}

void test_doorways() {
    const WorldRecord* here = current_world_record();
    if (!here) return;
    for (int i = 0; i < here->doorway_count; ++i) {
        const Doorway& d = here->doorways[i];
        if (player_inside(d.box)) {
            switch_world(d.to, d.arrival_eye_height);
            return;
        }
    }
}

void world3_teleport_box(int pit) {
    const Teleport& t = WORLD3_PITS[pit];
    if (!player_inside(t.box)) return;
    player.x = t.x;
    player.z = t.z;
    player.eye_height = t.eye_height;
}

Vec3 world3_pit_arrival(int pit) {
    const Teleport& t = WORLD3_PITS[pit];
    return {t.x, t.eye_height, t.z};
}

void world3_pickup_box(int pickup) {
    if (player_inside(WORLD3_PICKUPS[pickup])) worlds.pickup_visible[pickup] = false;
}
