// zeb-levelgen OUTDIR: writes OUTDIR/text/level.txt (world 1), level2.txt (world 2) and
// level3.txt (world 3).
//
// World 3 is built from its wall table, so that every wall that blocks is a visible
// wall and every floor piece a visible floor: each wall becomes a 0.2-thick block along
// its line, each raised floor a block down to below the ground, each ground floor a slab;
// floors under the pools' water sink below it. World 1's floor, glow curtain and doorway
// frames are laid out here by hand; its walls are drawn by the hall routine. Quads are
// written as two consecutive triangles and sorted by texture, which keeps the software
// renderer from switching textures on every triangle.
#include "nav/contacts.h"

#include <algorithm>
#include <iterator>
#include <cstdio>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

struct Corner {
    float x, y, z, u, v;
};

// Four corners, counter-clockwise seen from the side that must be visible.
struct Quad {
    int slot;
    Corner c[4];
};

using Quads = std::vector<Quad>;

// World-3 texture slots by role.
enum Slot3 : int {
    SLOT3_BOUNDARY = 15, // outer walls: dark blue tiles
    SLOT3_WALL = 2,      // inner walls: blue tiles
    SLOT3_LOW_WALL = 26, // rims, parapets, rails: mossy stone
    SLOT3_DECK = 9,      // raised walkways: metal plate
    SLOT3_GROUND = 16,   // floors at ground level: slate
    SLOT3_STEP = 7,      // stairs and the ramp: green marble
    SLOT3_PLATFORM = 0,  // the teleport platforms: riveted plate
    SLOT3_BASIN = 26,    // under the water
};

constexpr float TEXTURE_SCALE = 0.5f; // one texture repeat per 2 units
constexpr float WALL_HALF_THICKNESS = 0.1f;
constexpr float BELOW_GROUND = -0.4f; // blocks reach down to here so no slit shows
constexpr float UNDER_WATER = -0.35f; // floors under a pool, clear of its ripples

struct Rect {
    float x0, x1, z0, z1;
};
// The water surfaces' rectangles in world 3.
constexpr Rect POOLS[] = {{-6.2f, 7.4f, -17.9f, -4.3f}, {11.7f, 22.1f, -20.35f, -0.35f}};
// The site: a ground slab under everything, below every floor.
constexpr Rect SITE = {-17.0f, 26.0f, -26.0f, 0.0f};

// An axis-aligned face with world-space texture coordinates, wound for a viewer on the
// side `facing` points to: 0 +x, 1 -x, 2 +y, 3 -y, 4 +z, 5 -z.
Quad face(int slot, float x0, float x1, float y0, float y1, float z0, float z1, int facing) {
    const float s = TEXTURE_SCALE;
    Quad q{slot, {}};
    switch (facing) {
    case 0: // x = x1, seen from +x: z runs from z1 to z0 left to right
        q.c[0] = {x1, y0, z1, -z1 * s, y0 * s};
        q.c[1] = {x1, y0, z0, -z0 * s, y0 * s};
        q.c[2] = {x1, y1, z0, -z0 * s, y1 * s};
        q.c[3] = {x1, y1, z1, -z1 * s, y1 * s};
        break;
    case 1: // x = x0, seen from -x
        q.c[0] = {x0, y0, z0, z0 * s, y0 * s};
        q.c[1] = {x0, y0, z1, z1 * s, y0 * s};
        q.c[2] = {x0, y1, z1, z1 * s, y1 * s};
        q.c[3] = {x0, y1, z0, z0 * s, y1 * s};
        break;
    case 2: // y = y1, seen from above
        q.c[0] = {x0, y1, z1, x0 * s, -z1 * s};
        q.c[1] = {x1, y1, z1, x1 * s, -z1 * s};
        q.c[2] = {x1, y1, z0, x1 * s, -z0 * s};
        q.c[3] = {x0, y1, z0, x0 * s, -z0 * s};
        break;
    case 3: // y = y0, seen from below
        q.c[0] = {x0, y0, z0, x0 * s, z0 * s};
        q.c[1] = {x1, y0, z0, x1 * s, z0 * s};
        q.c[2] = {x1, y0, z1, x1 * s, z1 * s};
        q.c[3] = {x0, y0, z1, x0 * s, z1 * s};
        break;
    case 4: // z = z1, seen from +z
        q.c[0] = {x0, y0, z1, x0 * s, y0 * s};
        q.c[1] = {x1, y0, z1, x1 * s, y0 * s};
        q.c[2] = {x1, y1, z1, x1 * s, y1 * s};
        q.c[3] = {x0, y1, z1, x0 * s, y1 * s};
        break;
    default: // z = z0, seen from -z
        q.c[0] = {x1, y0, z0, -x1 * s, y0 * s};
        q.c[1] = {x0, y0, z0, -x0 * s, y0 * s};
        q.c[2] = {x0, y1, z0, -x0 * s, y1 * s};
        q.c[3] = {x1, y1, z0, -x1 * s, y1 * s};
        break;
    }
    return q;
}

// A block's top and four sides (its bottom is never seen).
void block(Quads* out, int slot, float x0, float x1, float y0, float y1, float z0, float z1) {
    if (x1 <= x0 || y1 <= y0 || z1 <= z0) return;
    for (int facing : {2, 0, 1, 4, 5}) out->push_back(face(slot, x0, x1, y0, y1, z0, z1, facing));
}

constexpr float KERB = 0.15f; // a railing's solid foot above the floor it stands on
constexpr float RAIL = 0.12f; // its top bar
constexpr float POST = 0.1f;  // its posts' width
constexpr float POST_SPACING = 1.0f;

bool is_floor(const WallSegment& s) { return s.a.y == s.b.y && s.a.x != s.b.x && s.a.z != s.b.z; }

// The floors whose edge or area meets a wall's line.
std::vector<const WallSegment*> floors_touching(const WallSegment& wall) {
    constexpr float EPS = 0.001f;
    std::vector<const WallSegment*> found;
    const bool z_wall = wall.a.z == wall.b.z;
    for (int i = 0; i < WORLD3_WALL_COUNT; ++i) {
        const WallSegment& f = WORLD3_WALLS[i];
        if (!is_floor(f)) continue;
        const bool meets = z_wall ? f.a.z - EPS <= wall.a.z && wall.a.z <= f.b.z + EPS &&
                                        std::min(wall.b.x, f.b.x) > std::max(wall.a.x, f.a.x)
                                  : f.a.x - EPS <= wall.a.x && wall.a.x <= f.b.x + EPS &&
                                        std::min(wall.b.z, f.b.z) > std::max(wall.a.z, f.a.z);
        if (meets) found.push_back(&f);
    }
    return found;
}

// A block along a wall's line between two heights and two stations along the line.
void wall_block(Quads* out, int slot, const WallSegment& s, float from, float to, float y0, float y1, float half) {
    if (s.a.z == s.b.z) block(out, slot, from, to, y0, y1, s.a.z - half, s.a.z + half);
    else block(out, slot, s.a.x - half, s.a.x + half, y0, y1, from, to);
}

// A low wall that does not face a raised floor is a railing above the highest floor it
// stands on, so the view passes between its posts (rims of the pools, parapets, the
// platforms' edge rails). A low wall on the edge of a floor at least as high is that
// floor block's face and needs nothing of its own.
void low_wall(Quads* out, const WallSegment& s, int slot) {
    float base = s.a.y;
    for (const WallSegment* f : floors_touching(s)) {
        if (f->a.y >= s.b.y - 0.001f) return;
        base = std::max(base, f->a.y);
    }
    const float from = s.a.z == s.b.z ? s.a.x : s.a.z;
    const float to = s.a.z == s.b.z ? s.b.x : s.b.z;
    const float foot = base + KERB;
    wall_block(out, slot, s, from, to, s.a.y == 0 ? BELOW_GROUND : s.a.y, foot, WALL_HALF_THICKNESS);
    wall_block(out, slot, s, from, to, s.b.y - RAIL, s.b.y, RAIL / 2);
    const int gaps = std::max(1, static_cast<int>((to - from) / POST_SPACING + 0.5f));
    for (int k = 0; k <= gaps; ++k) {
        const float at = from + (to - from) * static_cast<float>(k) / static_cast<float>(gaps);
        const float p0 = std::max(from, at - POST / 2), p1 = std::min(to, at + POST / 2);
        wall_block(out, slot, s, p0, p1, foot, s.b.y - RAIL, POST / 2);
    }
}

bool is_boundary(const WallSegment& s) {
    const bool z_wall = s.a.z == s.b.z;
    const float w = z_wall ? s.a.z : s.a.x;
    return (z_wall && (w == 0.0f || w == -26.0f)) || (!z_wall && (w == -7.35f || w == -17.0f || w == 26.0f));
}

// A ground-level floor: the parts under a pool sink below the water.
void ground_floor(Quads* out, Rect r) {
    std::vector<Rect> dry = {r};
    for (const Rect& pool : POOLS) {
        std::vector<Rect> next;
        for (const Rect& d : dry) {
            const Rect wet = {std::max(d.x0, pool.x0), std::min(d.x1, pool.x1), std::max(d.z0, pool.z0),
                              std::min(d.z1, pool.z1)};
            if (wet.x0 >= wet.x1 || wet.z0 >= wet.z1) {
                next.push_back(d);
                continue;
            }
            // The wet part as a sunken slab, the dry rest as up to four strips around it.
            block(out, SLOT3_BASIN, wet.x0, wet.x1, BELOW_GROUND, UNDER_WATER, wet.z0, wet.z1);
            for (const Rect& strip : {Rect{d.x0, d.x1, d.z0, wet.z0}, Rect{d.x0, d.x1, wet.z1, d.z1},
                                      Rect{d.x0, wet.x0, wet.z0, wet.z1}, Rect{wet.x1, d.x1, wet.z0, wet.z1}})
                if (strip.x0 < strip.x1 && strip.z0 < strip.z1) next.push_back(strip);
        }
        dry = next;
    }
    for (const Rect& d : dry) block(out, SLOT3_GROUND, d.x0, d.x1, BELOW_GROUND, 0, d.z0, d.z1);
}

Quads build_world3() {
    Quads quads;
    for (int i = 0; i < WORLD3_WALL_COUNT; ++i) {
        const WallSegment& s = WORLD3_WALLS[i];
        if (s.gate != GateLink::None) continue; // the gate slabs are drawn as objects
        const float y0 = s.a.y == 0 ? BELOW_GROUND : s.a.y;
        const bool low = s.b.y < 5;
        const int slot = is_boundary(s) ? SLOT3_BOUNDARY : low ? SLOT3_LOW_WALL : SLOT3_WALL;
        const float t = WALL_HALF_THICKNESS;
        if (s.a.y == s.b.y) { // a floor piece, or a line on the ground that never acts
            if (s.a.z == s.b.z || s.a.x == s.b.x) continue;
            const Rect r = {s.a.x, s.b.x, s.a.z, s.b.z};
            if (s.a.y == 0) {
                ground_floor(&quads, r);
            } else {
                const int floor_slot = s.a.y == 3.0f ? SLOT3_PLATFORM : s.a.y == 1.0f ? SLOT3_DECK : SLOT3_STEP;
                block(&quads, floor_slot, r.x0, r.x1, BELOW_GROUND, s.a.y, r.z0, r.z1);
            }
        } else if (low) {
            low_wall(&quads, s, slot);
        } else if (s.a.z == s.b.z) {
            block(&quads, slot, s.a.x, s.b.x, y0, s.b.y, s.a.z - t, s.a.z + t);
        } else {
            block(&quads, slot, s.a.x - t, s.a.x + t, y0, s.b.y, s.a.z, s.b.z);
        }
    }
    block(&quads, SLOT3_BASIN, SITE.x0, SITE.x1, BELOW_GROUND - 0.01f, BELOW_GROUND, SITE.z0, SITE.z1);
    return quads;
}

// World 1. The first ten triangles are the glowing surfaces drawn before everything else
// without depth: three floor quads (the middle one's texture flows), a light strip
// under the floor's left edge, and a large curtain below the floor that rises and sways.
constexpr int SLOT1_GLASS = 4;    // stained glass, the flowing band
constexpr int SLOT1_FLOOR = 23;   // polished floor tiles
constexpr int SLOT1_GLOW = 11;    // soft glow
constexpr int SLOT1_FRAME = 14;   // doorway stone
constexpr int SLOT1_PORTAL = 6;   // the ringed planet, seen through the doorway to world 3
constexpr float FLOOR_Y = -0.01f; // the floor piece of the hall's wall table

Quad floor_quad(int slot, float x0, float x1, float z0, float z1, float u, float v) {
    // Counter-clockwise from above: (x0, z1), (x1, z1), (x1, z0), (x0, z0).
    return Quad{slot,
                {{x0, FLOOR_Y, z1, 0, 0}, {x1, FLOOR_Y, z1, u, 0}, {x1, FLOOR_Y, z0, u, v}, {x0, FLOOR_Y, z0, 0, v}}};
}

Quads build_world1_glow() {
    Quads q;
    q.push_back(floor_quad(SLOT1_GLASS, -9, 9, -3, 3, 6, 2));  // triangles 0, 1: flowing band
    q.push_back(floor_quad(SLOT1_FLOOR, -9, 9, -9, -3, 6, 2)); // 2, 3
    // 4, 5: a light strip under the floor at the left wall, facing +x
    q.push_back(
        Quad{SLOT1_GLOW,
             {{-8.6f, -1.0f, 3, 0, 0}, {-8.6f, -1.0f, -3, 3, 0}, {-8.6f, -0.05f, -3, 3, 1}, {-8.6f, -0.05f, 3, 0, 1}}});
    // 6, 7: the curtain, 6 x 6 under the floor near the right side, facing -x; it is stored
    // bottom left, top right, top left / bottom left, bottom right, top right so its
    // waving keeps it closed
    q.push_back(
        Quad{SLOT1_GLOW, {{6, -6.2f, -3, 0, 0}, {6, -6.2f, 3, 1, 0}, {6, -0.2f, 3, 1, 1}, {6, -0.2f, -3, 0, 1}}});
    q.push_back(floor_quad(SLOT1_FLOOR, -9, 9, 3, 9, 6, 2)); // 8, 9
    return q;
}

// Doorway frames stand against the back wall, outside the walkable band: two jambs and
// a lintel around an opening, and a portal panel inside it.
void doorway(Quads* out, float x0, float x1, int portal_slot) {
    constexpr float BACK = -8.99f, FRONT = -8.7f, TOP = 3.0f, JAMB = 0.3f, LINTEL = 0.4f;
    for (const float jamb_x : {x0 - JAMB, x1}) {
        out->push_back(face(SLOT1_FRAME, jamb_x, jamb_x + JAMB, 0, TOP + LINTEL, BACK, FRONT, 4));
        out->push_back(face(SLOT1_FRAME, jamb_x, jamb_x + JAMB, 0, TOP + LINTEL, BACK, FRONT, 0));
        out->push_back(face(SLOT1_FRAME, jamb_x, jamb_x + JAMB, 0, TOP + LINTEL, BACK, FRONT, 1));
    }
    out->push_back(face(SLOT1_FRAME, x0 - JAMB, x1 + JAMB, TOP, TOP + LINTEL, BACK, FRONT, 4));
    out->push_back(face(SLOT1_FRAME, x0, x1, TOP, TOP + LINTEL, BACK, FRONT, 3));
    if (portal_slot >= 0) {
        // The panel shows its picture once across the opening.
        Quad panel = face(portal_slot, x0, x1, 0, TOP, BACK - 0.005f, BACK, 4);
        const float us[4] = {0, 1, 1, 0}, vs[4] = {0, 0, 1, 1};
        for (int k = 0; k < 4; ++k) panel.c[k].u = us[k], panel.c[k].v = vs[k];
        out->push_back(panel);
    }
}

Quads build_world1_rest() {
    Quads q;
    doorway(&q, -8.3f, -4.7f, -1);           // to the town: the hall's eye panels fill it
    doorway(&q, -4.1f, -1.3f, SLOT1_PORTAL); // to the pools
    return q;
}

// World 2: the town's triangles come from the town generator (tools/towngen), which
// derives them, the layout and the wall table from one description of its houses.
struct Triangle {
    int slot;
    Corner c[3];
};
const Triangle WORLD2_TRIANGLES[] = {
#include "world2_level.inc"
};

void sort_by_slot(Quads* q) {
    std::stable_sort(q->begin(), q->end(), [](const Quad& a, const Quad& b) { return a.slot < b.slot; });
}

bool write_level(const std::string& path, const char* title, const Quads& quads) {
    FILE* f = fopen(path.c_str(), "w");
    if (!f) return false;
    fprintf(f, "// %s\n// Written by zeb-levelgen: two triangles per quad, grouped by texture slot.\n", title);
    fprintf(f, "NUMPOLLIES %zu\n", quads.size() * 2);
    // Corners bottom left, bottom right, top right, top left: the triangles p0-p2-p3 and
    // p0-p1-p2, the order the waving curtain of world 1 needs to stay closed.
    const int triangles[2][3] = {{0, 2, 3}, {0, 1, 2}};
    for (const Quad& q : quads)
        for (const auto& t : triangles) {
            fprintf(f, "\n%d\n", q.slot);
            for (int k : t) fprintf(f, "%g %g %g %g %g\n", q.c[k].x, q.c[k].y, q.c[k].z, q.c[k].u, q.c[k].v);
        }
    return fclose(f) == 0;
}

bool write_triangles(const std::string& path, const char* title, const std::vector<Triangle>& triangles) {
    FILE* f = fopen(path.c_str(), "w");
    if (!f) return false;
    fprintf(f, "// %s\n// Written by zeb-levelgen, grouped by texture slot.\n", title);
    fprintf(f, "NUMPOLLIES %zu\n", triangles.size());
    for (const Triangle& t : triangles) {
        fprintf(f, "\n%d\n", t.slot);
        for (const Corner& c : t.c) fprintf(f, "%g %g %g %g %g\n", c.x, c.y, c.z, c.u, c.v);
    }
    return fclose(f) == 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: zeb-levelgen OUTDIR\n");
        return 2;
    }
    const std::string text = std::string(argv[1]) + "/text";
    mkdir(argv[1], 0755);
    mkdir(text.c_str(), 0755);

    Quads world1 = build_world1_glow();
    Quads rest = build_world1_rest();
    sort_by_slot(&rest);
    world1.insert(world1.end(), rest.begin(), rest.end());
    std::vector<Triangle> world2(std::begin(WORLD2_TRIANGLES), std::end(WORLD2_TRIANGLES));
    // pairs of one plane stay together: a stable sort by slot keeps their order
    std::stable_sort(world2.begin(), world2.end(),
                     [](const Triangle& a, const Triangle& b) { return a.slot < b.slot; });
    Quads world3 = build_world3();
    sort_by_slot(&world3);

    const struct {
        std::string path;
        const char* title;
        const Quads& quads;
    } files[] = {{text + "/level.txt", "World 1: the hall's floor, glow curtain and doorways", world1},
                 {text + "/level3.txt", "World 3: pools, platforms and gates", world3}};
    for (const auto& file : files)
        if (!write_level(file.path, file.title, file.quads)) {
            fprintf(stderr, "zeb-levelgen: cannot write %s\n", file.path.c_str());
            return 1;
        }
    const std::string town = text + "/level2.txt";
    if (!write_triangles(town, "World 2: the town's ground, houses, roofs, steps and rails", world2)) {
        fprintf(stderr, "zeb-levelgen: cannot write %s\n", town.c_str());
        return 1;
    }
    return 0;
}
