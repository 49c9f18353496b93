// The worlds, one record each: what a world loads, how the player moves in it, where its
// doorways lead, and the functions that set it up, run and draw it. A world's number is
// its row's index plus one; code that behaves differently per world asks the record.
//
// The type is declared in nav, below every folder that reads it (nav itself, assets,
// render, app and the tools), and holds only plain data and plain function pointers. The
// rows are defined here too, because WORLD_COUNT sizes the per-world state as a constant
// and so must be counted from them. Everything a row names lives in nav (walls, contact
// profiles, clamps, doorways, pits) or is a file name; the set-up, step and draw
// functions live in render, which nav may not reference, so render hands them down with
// attach_world_functions() before the first world is entered. A field still null there
// means the world has no such step.
#pragma once

#include "nav/clamps.h"
#include "nav/contacts.h"
#include "scene/vec3.h"

#include <iterator>

constexpr int TEXTURE_SLOTS = 31; // every world's texture set has this many slots

// An open box on the player's position; unbounded sides use +-BOX_OPEN.
struct PositionBox {
    float x_low, x_high;
    float z_low, z_high;
    float eye_low, eye_high;
};
constexpr float BOX_OPEN = 1e30f;

// Walking into `box` (with the Up arrow held) leaves for world `to`.
struct Doorway {
    PositionBox box;
    int to;
    float arrival_eye_height;
};

// Standing in `box` puts the player at (x, z) with the given eye height.
struct Teleport {
    PositionBox box;
    float x, z, eye_height;
};

// How a world's texture set is uploaded: world 1's set repeats and filters explicitly;
// the others ask the driver for mipmap generation and take the LOD bias at once.
enum class TextureStyle { Repeating, Biased };

// The walkable ground's rectangle: the visible sets' grid starts at its corner.
struct Ground {
    float x0, z0, x1, z1;
};

// What a world's visible sets hold besides its level triangles, one row each.
enum class SetRows {
    None,
    TownLayout, // the town's layout rows (scene/world2_layout.h)
    Pools,      // the pools' water (scene/pools.h)
};

struct WorldRecord {
    const char* level_file;
    const char* const* texture_files; // TEXTURE_SLOTS paths, by slot
    TextureStyle texture_style;
    const char* visible_sets_file; // null: the world is always drawn whole
    Ground sets_ground;            // what the sets' grid covers (nothing without sets)
    SetRows set_rows;              // what the visible sets hold besides the level
    ContactProfile contacts;       // height offset, wall, floor, step-up, probe, probe keep-out
    const WallSegment* walls;
    int wall_count;
    bool (*clamp_step)(); // run before every arrow step; null: none
    const Doorway* doorways;
    int doorway_count;
    const Teleport* pits; // where the player can arrive besides the doorways' arrival
    int pit_count;
    // Handed down by render at start-up (see above).
    void (*init)(); // on entry, before the world's assets load
    void (*step)(); // once a frame, before drawing
    void (*draw)(); // the world's own drawing, from the state its step left
};

constexpr float ARRIVAL_X = -1, ARRIVAL_Z = -1; // where every doorway puts the player
constexpr float ARRIVAL_EYE_AWAY = 1.5f;        // entering world 2 or 3
constexpr float ARRIVAL_EYE_HOME = 3.5f;        // back in world 1

// clang-format off
inline constexpr Doorway WORLD1_DOORWAYS[] = {
    {{ -8.0f,  -5.0f, -BOX_OPEN, -6.5f, -BOX_OPEN, BOX_OPEN}, 2, ARRIVAL_EYE_AWAY},
    {{ -4.0f,  -1.5f, -BOX_OPEN, -6.5f, -BOX_OPEN, BOX_OPEN}, 3, ARRIVAL_EYE_AWAY},
};
inline constexpr Doorway WORLD2_DOORWAYS[] = {
    {{-77.0f, -75.1f,  19.3f,  19.5f, -BOX_OPEN, BOX_OPEN}, 1, ARRIVAL_EYE_HOME},
};
inline constexpr Doorway WORLD3_DOORWAYS[] = {
    {{ 24.0f,  25.0f, -19.0f, -17.0f, -BOX_OPEN, BOX_OPEN}, 1, ARRIVAL_EYE_HOME},
};
inline constexpr Teleport WORLD3_PITS[] = {
    {{6.3f, 7.0f, -16.6f, -16.2f, 0.3f, 0.6f},  5.0f, -2.3f, 3.5f},
    {{6.3f, 7.0f, -15.9f, -15.5f, 0.3f, 0.6f}, -5.0f, -2.3f, 3.5f},
};
// clang-format on

extern const char* const WORLD1_TEXTURE_FILES[TEXTURE_SLOTS];
extern const char* const WORLD2_TEXTURE_FILES[TEXTURE_SLOTS];
extern const char* const WORLD3_TEXTURE_FILES[TEXTURE_SLOTS];

// Not constant-initialised (the wall counts live in their own files), so nothing may read
// it before main; nothing does.
// clang-format off
inline WorldRecord world_table[] = {
    {   // world 1: the hall
        "text/level.txt", WORLD1_TEXTURE_FILES, TextureStyle::Repeating, nullptr, {0, 0, 0, 0}, SetRows::None,
        {0.4f, 0.6f, 0.6f, 0.0f, true, 0.3f}, WORLD1_WALLS, WORLD1_WALL_COUNT, clamp_world1_position,
        WORLD1_DOORWAYS, static_cast<int>(std::size(WORLD1_DOORWAYS)), nullptr, 0,
        nullptr, nullptr, nullptr,
    },
    {   // world 2: the town
        "text/level2.txt", WORLD2_TEXTURE_FILES, TextureStyle::Biased, "text/visible2.txt", {-87, -25, 15, 35}, SetRows::TownLayout,
        {0.6f, 0.3f, 0.6f, 0.5f, false, 0.0f}, WORLD2_WALLS, WORLD2_WALL_COUNT, nullptr,
        WORLD2_DOORWAYS, static_cast<int>(std::size(WORLD2_DOORWAYS)), nullptr, 0,
        nullptr, nullptr, nullptr,
    },
    {   // world 3: the pools
        "text/level3.txt", WORLD3_TEXTURE_FILES, TextureStyle::Biased, "text/visible3.txt", {-17, -26, 27, 0}, SetRows::Pools,
        {0.6f, 0.6f, 0.6f, 0.5f, false, 0.0f}, WORLD3_WALLS, WORLD3_WALL_COUNT, nullptr,
        WORLD3_DOORWAYS, static_cast<int>(std::size(WORLD3_DOORWAYS)),
        WORLD3_PITS, static_cast<int>(std::size(WORLD3_PITS)),
        nullptr, nullptr, nullptr,
    },
};
// clang-format on
constexpr int WORLD_COUNT = static_cast<int>(std::size(world_table));

// World `world`'s record (1 to WORLD_COUNT), or null for a number that names none.
const WorldRecord* world_record(int world);

// Render's part of a world's record; see the top of this file.
void attach_world_functions(int world, void (*init)(), void (*step)(), void (*draw)());
