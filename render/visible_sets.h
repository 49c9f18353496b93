// What can be seen from where: for worlds 2 and 3 a grid over the walkable ground, and for
// each cell the level triangles and the rows (the town's layout rows, world 3's pools) that
// some view from inside it shows.
//
// The sets are made offline by zeb-pvs, which renders every item in its own colour from
// points all over each cell, at every eye height the cell's floors allow, in all
// directions, and keeps what reached a pixel. A cell's set may hold more than one view
// shows, never less. The default draw path draws only the current cell's set; it falls
// back to everything wherever the sets do not speak: no file, a file made for another
// level or layout, an eye outside the grid or above or below the heights sampled.
//
// File text/visible2.txt or text/visible3.txt, one record per line:
//   visible-sets 1
//   world W
//   level TRIANGLES HASH          hash of the level triangles the sets were made for
//   layout ROWS HASH              the rows': the town's layout table, world 3's pools
//   grid X0 Z0 CELL COLUMNS ROWS  the grid's corner, cell size and extent
//   cell C R EYE_LO EYE_HI triangles RANGES rows RANGES
// RANGES is `-` or comma-separated indices and inclusive `A-B` ranges. Cells left out
// have no set. Lines starting with # are comments.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct VisibleCell {
    bool known = false;           // a set was made for this cell
    float eye_lo = 0, eye_hi = 0; // eye heights it holds for
    size_t triangle_bits = 0;     // offset of its triangle bits in VisibleSets::bits
    size_t row_bits = 0;          // offset of its layout-row bits
};

struct VisibleSets {
    int world = 0;          // 0: none loaded
    int triangle_count = 0; // of the level they were made for
    int row_count = 0;      // of the layout
    float x0 = 0, z0 = 0, cell = 1;
    int columns = 0, rows = 0;
    std::vector<VisibleCell> cells; // row-major, z then x
    std::vector<uint64_t> bits;     // every cell's bit sets, 64 items a word
};
extern VisibleSets visible_sets;

// The hashes the file's `level` and `layout` lines must carry for the loaded level and
// the world's rows.
uint64_t level_mesh_hash();
uint64_t town_layout_hash();
uint64_t pools_hash();
// How many rows world `world`'s sets hold, and the hash of what they are.
int set_row_count(int world);
uint64_t set_rows_hash(int world);

// Parses a sets file's text for `world` against the loaded level; false (with the reason
// in *why, and nothing kept) for text that is malformed or made for something else.
bool parse_visible_sets(const char* text, size_t size, int world, VisibleSets* out, std::string* why);

// At world init, after the level: the world's file. A file that is missing or cannot be
// used is reported in one line on stderr and the world is drawn whole.
void load_visible_sets(int world);
void free_visible_sets();

// The set for an eye at (x, eye, z) in `world`, or null where the sets do not speak.
const VisibleCell* visible_cell_at(int world, float x, float eye, float z);
bool cell_shows_triangle(const VisibleCell& cell, int triangle);
bool cell_shows_row(const VisibleCell& cell, int row);
