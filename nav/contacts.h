// Wall and floor contacts: each world's table of axis-aligned rectangles pushes the
// player out of walls and holds the eye above (or below) floor pieces, once per frame.
#pragma once

#include <cstdint>

#include "scene/vec3.h"

// Which gate height a wall's top follows, if any.
enum class GateLink { None, World2Wide, World2Corner, Unit1, Unit2, Unit3, Unit4, Unit5 };

// Two corners, A the lesser on every spanning axis. Equal z: a wall in the plane z = w;
// equal x: a wall in x = w; equal y: a floor piece at y = h.
struct WallSegment {
    Vec3 a;
    Vec3 b;
    GateLink gate; // a gate wall's B.y is that gate's height, read each frame
};

struct WallTable {
    const WallSegment* segments;
    int count;
};

struct ContactProfile {
    float height_offset; // added to the eye for the walls' height test
    float wall_keep_out; // how far walls hold the player
    float floor_keep_out;
    float step_up; // a floor closer than this starts a hop; 0 = none
    bool probe;    // world 1's probe point
    float probe_keep_out;
};

extern const WallSegment WORLD1_WALLS[];
extern const WallSegment WORLD2_WALLS[];
extern const WallSegment WORLD3_WALLS[];
extern const int WORLD1_WALL_COUNT;
extern const int WORLD2_WALL_COUNT;
extern const int WORLD3_WALL_COUNT;

// World 1's probe: a ground point (x, z) tested against the walls before the player.
struct ProbePoint {
    float x = 0;
    float z = -6;
};

// Where the contacts last left the player: the start of the step the next call sees. A
// step that ends across a wall's plane is held on the side it started from; judged by the
// new position alone, a diagonal step over a house's outer corner, which crosses both
// walls' planes at once, was pushed inside.
struct StepOrigin {
    bool known = false; // the contacts have run since the last reset
    int32_t world = 0;  // the world they ran in
    float x = 0;        // the player's ground position they left
    float z = 0;
};

struct ContactState {
    ProbePoint probe_point; // world 1's probe, (0, -6) at start
    StepOrigin origin;      // the last call's result, the start of the step the next one sees
};
extern ContactState contacts;
void reset_contacts(); // the probe back at (0, -6), no step origin

// Runs world `world`'s table (1 to WORLD_COUNT) against the player; another number does
// nothing.
void resolve_wall_contacts(int world);
// The table of a world with its gate walls at the current gate heights; empty for a
// number that names no world.
WallTable fill_wall_table(int world);
