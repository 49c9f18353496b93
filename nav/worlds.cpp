#include "worlds.h"

#include "nav/player_state.h"

#include <iterator>


namespace {

constexpr float ARRIVAL_X = -1, ARRIVAL_Z = -1;
constexpr float ARRIVAL_EYE_AWAY = 1.5f; // entering world 2 or 3
constexpr float ARRIVAL_EYE_HOME = 3.5f; // back in world 1

struct Doorway {
    int from;
    PositionBox box;
    int to;
    float arrival_eye_height;
};
// clang-format off
constexpr Doorway DOORWAYS[] = {
    {1, { -8.0f,  -5.0f, -BOX_OPEN, -6.5f, -BOX_OPEN, BOX_OPEN}, 2, ARRIVAL_EYE_AWAY},
    {1, { -4.0f,  -1.5f, -BOX_OPEN, -6.5f, -BOX_OPEN, BOX_OPEN}, 3, ARRIVAL_EYE_AWAY},
    {2, {-77.0f, -75.1f,  19.3f,  19.5f, -BOX_OPEN, BOX_OPEN}, 1, ARRIVAL_EYE_HOME},
    {3, { 24.0f,  25.0f, -19.0f, -17.0f, -BOX_OPEN, BOX_OPEN}, 1, ARRIVAL_EYE_HOME},
};

struct Teleport {
    PositionBox box;
    float x, z, eye_height;
};
constexpr Teleport WORLD3_PITS[] = {
    {{6.3f, 7.0f, -16.6f, -16.2f, 0.3f, 0.6f},  5.0f, -2.3f, 3.5f},
    {{6.3f, 7.0f, -15.9f, -15.5f, 0.3f, 0.6f}, -5.0f, -2.3f, 3.5f},
};
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
    const int from = current_world();
    if (from != 0) worlds.world_flags[from - 1] = false;
    player.x = ARRIVAL_X;
    player.z = ARRIVAL_Z;
    player.eye_height = arrival_eye_height;
    worlds.needs_init[target - 1] = true;
    worlds.world_flags[target - 1] = true;
}

void test_doorways() {
    // Each row looks at the world current when it is reached, so after a switch the later
    // rows see the arrival point, which lies in none of their boxes.
    for (const Doorway& d : DOORWAYS)
        if (worlds.world_flags[d.from - 1] && player_inside(d.box)) switch_world(d.to, d.arrival_eye_height);
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
