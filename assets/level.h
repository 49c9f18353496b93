// Level files: the textured triangles of a world's architecture.
//
// Plain text. Lines starting with "/" and empty lines are skipped; the data lines are
// "NUMPOLLIES n", then per triangle a texture slot ("%i": 26, 0x1A and 032 are equal)
// and three vertex lines "x y z u v".
#pragma once

#include <cstdint>
#include <cstdio>

struct LevelVertex {
    float x, y, z; // world position
    float u, v;    // texture coordinate
};

struct LevelTriangle {
    int32_t slot; // texture slot, 0 to 30
    LevelVertex vertex[3];
};

struct LevelMesh {
    int32_t count = 0;
    LevelTriangle* triangles = nullptr; // heap array of count triangles
};

extern LevelMesh level_mesh;

constexpr int LEVEL_LINE_MAX = 255; // a read takes at most 254 characters and the terminator

// Reads world `world`'s (1 to WORLD_COUNT) level file into level_mesh, replacing (and freeing) the
// previous mesh. A broken file keeps the triangles fully read before the fault and
// shows one message naming the file and line.
void load_level(int world);
// The same from an open stream; `name` is used in messages.
void load_level_from(FILE* stream, const char* name);
void free_level();

// Where reading stands in a file, for messages.
struct LineCursor {
    int line;              // number of the line last read, from 1
    bool inside_long_line; // the last read stopped before the end of its line
};

// Reads lines until one is neither a comment nor empty; false at the end of the stream.
// The rest of a line longer than one read is read as the next line.
bool read_data_line(FILE* stream, char buffer[LEVEL_LINE_MAX + 1], LineCursor* cursor);
