// The three worlds: which one is current, which must be initialised, and the boxes that
// switch worlds, teleport the player and set the one-way flags of world 3.
#pragma once

#include "scene/vec3.h"

constexpr int WORLD_COUNT = 3;

struct WorldState {
    bool world_flags[WORLD_COUNT] = {true, false, false}; // exactly one true; index 0 is world 1
    bool needs_init[WORLD_COUNT] = {false, false, false}; // set by a switch, cleared when the world's block starts
    bool pickup_visible[2] = {true, true};                // world 3's two display objects, until walked into
};
extern WorldState worlds;
void reset_worlds(); // world 1 current, nothing to load, both display objects shown

// An open box on the player's position; unbounded sides use +-BOX_OPEN.
struct PositionBox {
    float x_low, x_high;
    float z_low, z_high;
    float eye_low, eye_high;
};
constexpr float BOX_OPEN = 1e30f;

bool player_inside(const PositionBox& box);

// The first world whose flag is set (1 to 3), or 0 when none is.
int current_world();

// Leaves the current world for `target` (1 to 3): the player stands at (-1, -1) with the
// given eye height, and the target's first frame replaces the left world's assets.
void switch_world(int target, float arrival_eye_height);
// The four doorways, tested while the Up arrow is held; at most one switch happens.
void test_doorways();
// World 3, in the frame: the teleport pits (0 and 1) and the display objects' boxes.
void world3_teleport_box(int pit);
// Where pit `pit` (0 or 1) puts the player: x, eye height, z.
Vec3 world3_pit_arrival(int pit);
void world3_pickup_box(int pickup);
