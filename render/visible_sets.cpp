#include "visible_sets.h"

#include "assets/level.h"
#include "nav/world_table.h"
#include "platform/platform.h"
#include "scene/pools.h"
#include "scene/world2_layout.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

VisibleSets visible_sets;

namespace {

constexpr int MAX_GRID_SIDE = 4096;   // cells along either axis
constexpr long MAX_CELLS = 1 << 18;   // in the whole grid
constexpr int MAX_ITEMS = 1 << 20;    // triangles or rows
constexpr size_t MAX_BITS = 1u << 28; // every cell's sets together, in bits (32 MB)

constexpr uint64_t FNV_OFFSET = 1469598103934665603ull, FNV_PRIME = 1099511628211ull;

void hash_bytes(uint64_t* h, const void* data, size_t size) {
    const unsigned char* p = static_cast<const unsigned char*>(data);
    for (size_t i = 0; i < size; ++i) *h = (*h ^ p[i]) * FNV_PRIME;
}
void hash_float(uint64_t* h, float f) { hash_bytes(h, &f, sizeof f); }
void hash_int(uint64_t* h, int32_t i) { hash_bytes(h, &i, sizeof i); }

size_t words_for(int items) { return (static_cast<size_t>(items) + 63) / 64; }

// A cursor over one line's words.
struct Words {
    const char* at;
    const char* end;

    bool next(std::string* word) {
        while (at < end && (*at == ' ' || *at == '\t' || *at == '\r')) ++at;
        const char* start = at;
        while (at < end && *at != ' ' && *at != '\t' && *at != '\r') ++at;
        word->assign(start, at);
        return !word->empty();
    }
    bool integer(long* value, long lo, long hi) {
        std::string w;
        if (!next(&w)) return false;
        char* stop = nullptr;
        errno = 0;
        const long v = strtol(w.c_str(), &stop, 10);
        if (*stop != '\0' || errno == ERANGE || v < lo || v > hi) return false;
        *value = v;
        return true;
    }
    bool number(float* value) {
        std::string w;
        if (!next(&w)) return false;
        char* stop = nullptr;
        const float v = strtof(w.c_str(), &stop);
        if (*stop != '\0' || !std::isfinite(v) || std::fabs(v) > 1e6f) return false;
        *value = v;
        return true;
    }
    bool hash(uint64_t* value) {
        std::string w;
        if (!next(&w)) return false;
        char* stop = nullptr;
        errno = 0;
        const unsigned long long v = strtoull(w.c_str(), &stop, 16);
        if (*stop != '\0' || errno == ERANGE) return false;
        *value = v;
        return true;
    }
    bool keyword(const char* expected) {
        std::string w;
        return next(&w) && w == expected;
    }
    bool done() {
        std::string w;
        return !next(&w);
    }
};

// "-" or "A,B-C,...": sets the bits of every index named, each below `count`.
bool read_ranges(Words* words, int count, uint64_t* bits) {
    std::string w;
    if (!words->next(&w)) return false;
    if (w == "-") return true;
    const char* p = w.c_str();
    while (true) {
        char* stop = nullptr;
        errno = 0;
        const long a = strtol(p, &stop, 10);
        if (stop == p || errno == ERANGE || a < 0 || a >= count) return false;
        long b = a;
        p = stop;
        if (*p == '-') {
            ++p;
            b = strtol(p, &stop, 10);
            if (stop == p || errno == ERANGE || b < a || b >= count) return false;
            p = stop;
        }
        for (long i = a; i <= b; ++i) bits[i / 64] |= uint64_t{1} << (i % 64);
        if (*p == '\0') return true;
        if (*p != ',') return false;
        ++p;
    }
}

bool bit(const std::vector<uint64_t>& bits, size_t offset, int index) {
    return (bits[offset + static_cast<size_t>(index) / 64] >> (index % 64)) & 1;
}

} // namespace

uint64_t level_mesh_hash() {
    uint64_t h = FNV_OFFSET;
    for (int i = 0; i < level_mesh.count; ++i) {
        const LevelTriangle& t = level_mesh.triangles[i];
        hash_int(&h, t.slot);
        for (const LevelVertex& v : t.vertex) {
            hash_float(&h, v.x);
            hash_float(&h, v.y);
            hash_float(&h, v.z);
        }
    }
    return h;
}

uint64_t town_layout_hash() {
    uint64_t h = FNV_OFFSET;
    for (int i = 0; i < WORLD2_LAYOUT_ROWS; ++i) {
        const ModelPlacement& row = WORLD2_LAYOUT[i];
        hash_float(&h, row.translation.x);
        hash_float(&h, row.translation.y);
        hash_float(&h, row.translation.z);
        hash_int(&h, row.rotation_count);
        for (int r = 0; r < row.rotation_count; ++r) {
            const ModelRotation& t = row.rotations[r];
            hash_float(&h, t.angle);
            hash_float(&h, t.axis_x);
            hash_float(&h, t.axis_y);
            hash_float(&h, t.axis_z);
        }
    }
    return h;
}

uint64_t pools_hash() {
    uint64_t h = FNV_OFFSET;
    for (const Pool& p : POOLS) {
        const Box b = pool_box(p);
        for (float f : {b.x0, b.y0, b.z0, b.x1, b.y1, b.z1}) hash_float(&h, f);
    }
    return h;
}

namespace {
SetRows set_rows_of(int world) {
    const WorldRecord* record = world_record(world);
    return record ? record->set_rows : SetRows::None;
}
} // namespace

int set_row_count(int world) {
    switch (set_rows_of(world)) {
    case SetRows::TownLayout:
        return WORLD2_LAYOUT_ROWS;
    case SetRows::Pools:
        return POOL_COUNT;
    case SetRows::None:
        break;
    }
    return 0;
}

uint64_t set_rows_hash(int world) {
    switch (set_rows_of(world)) {
    case SetRows::TownLayout:
        return town_layout_hash();
    case SetRows::Pools:
        return pools_hash();
    case SetRows::None:
        break;
    }
    return 0;
}

bool parse_visible_sets(const char* text, size_t size, int world, VisibleSets* out, std::string* why) {
    VisibleSets s;
    const int expected_rows = set_row_count(world);
    const uint64_t expected_layout = set_rows_hash(world);
    int stage = 0; // 0 header, 1 world, 2 level, 3 layout, 4 grid, 5 cells
    size_t triangle_words = 0, row_words = 0;
    const char* end = text + size;
    int line_number = 0;
    const auto fail = [&](const char* reason) {
        char buffer[160];
        snprintf(buffer, sizeof buffer, "line %d: %s", line_number, reason);
        *why = buffer;
        return false;
    };
    for (const char* line = text; line < end;) {
        const char* stop = static_cast<const char*>(memchr(line, '\n', static_cast<size_t>(end - line)));
        if (!stop) stop = end;
        ++line_number;
        Words words{line, stop};
        line = stop + 1;
        std::string first;
        if (!words.next(&first) || first[0] == '#') continue;
        long a = 0, b = 0;
        uint64_t hash = 0;
        if (stage == 0) {
            if (first != "visible-sets" || !words.integer(&a, 1, 1) || !words.done()) return fail("not a sets file");
        } else if (stage == 1) {
            if (first != "world" || !words.integer(&a, 1, WORLD_COUNT) || !words.done())
                return fail("expected `world`");
            if (a != world) return fail("made for another world");
        } else if (stage == 2) {
            if (first != "level" || !words.integer(&a, 0, MAX_ITEMS) || !words.hash(&hash) || !words.done())
                return fail("expected `level`");
            if (a != level_mesh.count || hash != level_mesh_hash()) return fail("made for another level");
            s.triangle_count = static_cast<int>(a);
        } else if (stage == 3) {
            if (first != "layout" || !words.integer(&a, 0, MAX_ITEMS) || !words.hash(&hash) || !words.done())
                return fail("expected `layout`");
            if (a != expected_rows || hash != expected_layout) return fail("made for another layout");
            s.row_count = static_cast<int>(a);
        } else if (stage == 4) {
            if (first != "grid" || !words.number(&s.x0) || !words.number(&s.z0) || !words.number(&s.cell) ||
                !words.integer(&a, 1, MAX_GRID_SIDE) || !words.integer(&b, 1, MAX_GRID_SIDE) || !words.done() ||
                !(s.cell > 0.01f))
                return fail("expected `grid`");
            if (a * b > MAX_CELLS) return fail("too many cells");
            s.columns = static_cast<int>(a);
            s.rows = static_cast<int>(b);
            triangle_words = words_for(s.triangle_count);
            row_words = words_for(s.row_count);
            s.cells.assign(static_cast<size_t>(s.columns) * static_cast<size_t>(s.rows), VisibleCell{});
        } else {
            if (first != "cell" || !words.integer(&a, 0, s.columns - 1) || !words.integer(&b, 0, s.rows - 1))
                return fail("expected `cell C R`");
            VisibleCell& c = s.cells[static_cast<size_t>(b) * static_cast<size_t>(s.columns) + static_cast<size_t>(a)];
            if (c.known) return fail("a cell given twice");
            if (!words.number(&c.eye_lo) || !words.number(&c.eye_hi) || c.eye_hi < c.eye_lo)
                return fail("expected the eye heights");
            if ((s.bits.size() + triangle_words + row_words) * 64 > MAX_BITS) return fail("too many cells");
            c.known = true;
            c.triangle_bits = s.bits.size();
            c.row_bits = c.triangle_bits + triangle_words;
            s.bits.resize(c.row_bits + row_words, 0);
            if (!words.keyword("triangles") || !read_ranges(&words, s.triangle_count, &s.bits[c.triangle_bits]))
                return fail("bad triangle ranges");
            if (!words.keyword("rows") || !read_ranges(&words, s.row_count, &s.bits[c.row_bits]) || !words.done())
                return fail("bad row ranges");
        }
        if (stage < 5) ++stage;
    }
    if (stage < 5) return fail("ends before its grid");
    s.world = world;
    *out = std::move(s);
    return true;
}

void load_visible_sets(int world) {
    free_visible_sets();
    const WorldRecord* record = world_record(world);
    if (!record || !record->visible_sets_file) return;
    const char* name = record->visible_sets_file;
    MappedFile file{};
    std::string why;
    if (!platform_map_file(name, &file)) {
        // Drawn whole, which costs many times the frame time in the town: worth a word.
        const char* refusal = "empty";
        if (FILE* opened = platform_open_file(name, &refusal)) fclose(opened);
        why = refusal;
    } else {
        parse_visible_sets(reinterpret_cast<const char*>(file.data), file.size, world, &visible_sets, &why);
        platform_unmap_file(&file);
    }
    if (!why.empty())
        fprintf(stderr, "zeb: %s cannot be used (%s): world %d is drawn whole\n", name, why.c_str(), world);
}

void free_visible_sets() { visible_sets = VisibleSets{}; }

const VisibleCell* visible_cell_at(int world, float x, float eye, float z) {
    const VisibleSets& s = visible_sets;
    if (s.world != world || s.triangle_count != level_mesh.count) return nullptr;
    const float u = (x - s.x0) / s.cell, v = (z - s.z0) / s.cell;
    if (!(u >= 0 && v >= 0 && u < static_cast<float>(s.columns) && v < static_cast<float>(s.rows))) return nullptr;
    const VisibleCell& c = s.cells[static_cast<size_t>(v) * static_cast<size_t>(s.columns) + static_cast<size_t>(u)];
    if (!c.known || !(eye >= c.eye_lo && eye <= c.eye_hi)) return nullptr;
    return &c;
}

bool cell_shows_triangle(const VisibleCell& cell, int triangle) {
    return triangle < 0 || triangle >= visible_sets.triangle_count ||
           bit(visible_sets.bits, cell.triangle_bits, triangle);
}

bool cell_shows_row(const VisibleCell& cell, int row) {
    return row < 0 || row >= visible_sets.row_count || bit(visible_sets.bits, cell.row_bits, row);
}
