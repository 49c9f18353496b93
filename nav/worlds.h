// The worlds: which one is current, which must be initialised, and the boxes that switch
// worlds, teleport the player and set the one-way flags of world 3.
#pragma once

#include "nav/world_table.h"
#include "scene/vec3.h"

struct WorldState {
    bool world_flags[WORLD_COUNT] = {true}; // exactly one true; index 0 is world 1
    bool needs_init[WORLD_COUNT] = {};      // set by a switch, cleared when the world's block starts
    bool pickup_visible[2] = {true, true};  // world 3's two display objects, until walked into
};
extern WorldState worlds;
void reset_worlds(); // world 1 current, nothing to load, both display objects shown

bool player_inside(const PositionBox& box);

// The first world whose flag is set (1 to WORLD_COUNT), or 0 when none is.
int current_world();
// Its record, or null when no flag is set.
const WorldRecord* current_world_record();
// Whether some world is waiting for its first frame after a switch.
bool world_entry_pending();

// Leaves the current world for `target` (1 to WORLD_COUNT): the player stands at (-1, -1)
// with the given eye height, and the target's first frame replaces the left world's assets.
void switch_world(int target, float arrival_eye_height);
// The current world's doorways, tested while the Up arrow is held; at most one switch
// happens.
void test_doorways();
// World 3, in the frame: the teleport pits (0 and 1) and the display objects' boxes.
void world3_teleport_box(int pit);
// Where pit `pit` (0 or 1) puts the player: x, eye height, z.
Vec3 world3_pit_arrival(int pit);
void world3_pickup_box(int pickup);
