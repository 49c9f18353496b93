// Where the player can stand in world 2 or 3: a flood from the world's arrivals over a 0.1
// grid, each step run through the program's own wall contacts as a frame would move him,
// with every gate down (the most open world). zeb-pvs samples its views where the flood
// got to, and the visible-set tests pick their points there.
#pragma once

#include "nav/contacts.h"
#include "nav/world_table.h"

#include <vector>

// The walkable ground of a world with visible sets.
Ground ground_of(int world);

struct Reach {
    int world = 0;
    Ground ground{};
    int nx = 0, nz = 0;              // flood cells along x and z
    std::vector<char> reached;       // row-major, z then x
    std::vector<WallSegment> floors; // the world's floor pieces

    bool at(float x, float z) const; // the player can stand at (x, z)
    // The centre of the reached flood cell nearest (x, z) within `radius`, if any.
    bool nearest(float x, float z, float radius, float* rx, float* rz) const;
    float floor_under(float x, float z) const; // the highest floor there, below all if none
};

// Floods world 2 or 3 (lowers every gate; the caller restores them if it needs them).
Reach flood_reach(int world);

constexpr float STANDING_EYE = 0.6f; // the eye above the floor under it
