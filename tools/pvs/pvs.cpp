// zeb-pvs WORLD OUT [--cell C] [--spacing S] [--size N] [--spread K] [--eye-step E]
// [--first-row R0] [--end-row R1]: makes the visible sets of world 2 or 3 (see
// render/visible_sets.h) and writes them to OUT; with R0 and R1 only the cells of grid rows
// R0 to R1 - 1 (run parts in parallel and join their cell lines under one header).
// zeb-pvs WORLD --check X Z EYE HEADING PITCH: lists what one 1024 x 768 view shows that
// the sets in text/ leave out.
// Run it where text/ holds the level files; regenerate the sets whenever a level, the
// town's layout or a wall table changes (the program ignores sets made for another level
// or layout, and a test fails on them).
//
// Sample points lie every S units over the grid, on cell borders too; each moves to the
// nearest place within 3/4 S where the player can stand (tools/pvs/reach.h) and looks
// from eye heights every E from a frame's descent below standing to the top of a lift.
// From each, six square views of a little over 90 degrees, N pixels wide, cover every
// direction; every level triangle and layout row is drawn in its own colour, with back
// faces culled and the near and far planes of the program's projection, and whatever
// colour is left in a pixel was seen. Then, against that depth with every outline pulled
// in by a pixel, the items are drawn again, from the front and from behind, and the
// level's edges as lines: what shows there, a step away or between pixel centres, counts
// as seen too. Only the level and the layout rows that may be left out occlude here:
// gates, signs, the orb, the fountain and the blocks are not drawn, so they hide nothing.
// World 3's pools are its rows: each pool's box is drawn last, against that depth, and
// hides nothing either.
//
// Sampling sees from points at N pixels, and an eye between them, or a view with finer
// pixels, can see past an edge or through a slit none of them saw past. A cell's set is
// therefore the union over the samples of the cells within K of it as well (K = 1: a
// 3 x 3 block); the sets' tests look from random points between.
#include "app/program.h"
#include "assets/level.h"
#include "nav/contacts.h"
#include "nav/gates.h"
#include "nav/player.h"
#include "nav/worlds.h"
#include "platform/headless.h"
#include "platform/platform.h"
#include "render/clip_box.h"
#include "render/view.h"
#include "render/visible_sets.h"
#include "scene/layout_bounds.h"
#include "scene/pools.h"
#include "scene/world2_layout.h"
#include "tools/pvs/reach.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr float EYE_SLACK = 0.02f; // a frame's descent below it, before the contacts act
constexpr float LIFT_REACH = 2.1f; // a lift raises the eye 2.03 above standing
constexpr float FACE_FIELD = 92;   // degrees: neighbouring views overlap

struct Options {
    bool check = false;
    float view[5] = {}; // x, z, eye, heading, pitch
    int world = 0;
    std::string out;
    float cell = 2;
    float spacing = 1;
    int size = 1024;
    int spread = 1;
    float eye_step = 0.5f;           // between sampled eye heights
    int first_row = 0, end_row = -1; // the grid rows of cells written; -1: to the last
};

// Only a world with a visible sets file has sets to make or check.
bool has_sets(int world) {
    const WorldRecord* record = world_record(world);
    return record && record->visible_sets_file;
}

SetRows rows_kind(int world) {
    const WorldRecord* record = world_record(world);
    return record ? record->set_rows : SetRows::None;
}

bool parse_options(int argc, char** argv, Options* o) {
    if (argc < 3) return false;
    o->world = atoi(argv[1]);
    if (std::string(argv[2]) == "--check") {
        if (argc != 8) return false;
        o->check = true;
        for (int i = 0; i < 5; ++i) o->view[i] = static_cast<float>(atof(argv[3 + i]));
        return has_sets(o->world);
    }
    o->out = argv[2];
    for (int i = 3; i + 1 < argc; i += 2) {
        const std::string name = argv[i];
        const double value = atof(argv[i + 1]);
        if (name == "--cell") o->cell = static_cast<float>(value);
        else if (name == "--spacing") o->spacing = static_cast<float>(value);
        else if (name == "--size") o->size = static_cast<int>(value);
        else if (name == "--spread") o->spread = static_cast<int>(value);
        else if (name == "--eye-step") o->eye_step = static_cast<float>(value);
        else if (name == "--first-row") o->first_row = static_cast<int>(value);
        else if (name == "--end-row") o->end_row = static_cast<int>(value);
        else return false;
    }
    if ((argc - 3) % 2 != 0) return false;
    return has_sets(o->world) && o->cell >= 0.5f && o->spacing > 0.05f && o->spacing <= o->cell && o->size >= 32 &&
           o->size <= 2048 && o->spread >= 0 && o->spread <= 4 && o->eye_step >= 0.1f && o->first_row >= 0;
}

// Item colours: 0 is nothing; level triangle t is t + 1; layout row r is triangles + r + 1.
void set_id_colour(uint32_t id) {
    const GLfloat c[4] = {static_cast<float>(id & 255) / 255, static_cast<float>((id >> 8) & 255) / 255,
                          static_cast<float>((id >> 16) & 255) / 255, 1};
    glFogfv(GL_FOG_COLOR, c);
}

struct Lens {
    float field; // vertical, degrees
    int width, height;
};

// Every level triangle in its colour, untextured and unlit, with back faces culled, and
// with `layout` the town's layout rows in view as the program draws them, their colour
// replaced by fog.
void draw_items(const float* modelview, const float* projection, bool layout) {
    glDisable(GL_FOG);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    glEnable(GL_CULL_FACE);
    glBegin(GL_TRIANGLES);
    for (int t = 0; t < level_mesh.count; ++t) {
        const uint32_t id = static_cast<uint32_t>(t) + 1;
        glColor3ub(id & 255, (id >> 8) & 255, (id >> 16) & 255);
        for (const LevelVertex& v : level_mesh.triangles[t].vertex) glVertex3f(v.x, v.y, v.z);
    }
    glEnd();
    if (layout && rows_kind(current_world()) == SetRows::TownLayout) {
        glEnable(GL_FOG);
        glFogi(GL_FOG_MODE, GL_LINEAR);
        glFogf(GL_FOG_START, -2); // every distance lies past the end: all fog
        glFogf(GL_FOG_END, -1);
        for (int row = 0; row < WORLD2_LAYOUT_ROWS; ++row) {
            Vec3 lo, hi;
            if (!layout_row_box(row, &lo, &hi) || clip_box(modelview, projection, lo, hi).outside) continue;
            set_id_colour(static_cast<uint32_t>(level_mesh.count + row) + 1);
            draw_world2_layout_row(WORLD2_LAYOUT[row]);
            glDisable(GL_BLEND);
            glEnable(GL_DEPTH_TEST);
            glEnable(GL_CULL_FACE);
        }
        glDisable(GL_FOG);
    }
    glEnable(GL_TEXTURE_2D);
}

// Each pool's box in its colour, every face, hiding nothing: the water is drawn over what
// the level shows, after it.
void draw_pools() {
    glDisable(GL_FOG);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    glDisable(GL_CULL_FACE);
    glDepthMask(GL_FALSE);
    glBegin(GL_QUADS);
    for (int i = 0; i < POOL_COUNT; ++i) {
        const uint32_t id = static_cast<uint32_t>(level_mesh.count + i) + 1;
        glColor3ub(id & 255, (id >> 8) & 255, (id >> 16) & 255);
        const Box b = pool_box(POOLS[i]);
        const float x[2] = {b.x0, b.x1}, y[2] = {b.y0, b.y1}, z[2] = {b.z0, b.z1};
        for (int axis = 0; axis < 3; ++axis)
            for (int side = 0; side < 2; ++side)
                for (int corner = 0; corner < 4; ++corner) {
                    // the face's corners in order round it: the other two axes' sides
                    const int u = corner == 1 || corner == 2, v = corner >= 2;
                    const int c[3] = {axis == 0 ? side : u, axis == 1 ? side : (axis == 0 ? u : v),
                                      axis == 2 ? side : v};
                    glVertex3f(x[c[0]], y[c[1]], z[c[2]]);
                }
    }
    glEnd();
    glDepthMask(GL_TRUE);
    glEnable(GL_CULL_FACE);
    glEnable(GL_TEXTURE_2D);
}

// Adds the pixels of each id in the frame to its count.
void mark_seen(const Lens& lens, std::vector<int>* seen, std::vector<unsigned char>* pixels) {
    pixels->resize(static_cast<size_t>(lens.width) * lens.height * 4);
    glReadPixels(0, 0, lens.width, lens.height, GL_RGBA, GL_UNSIGNED_BYTE, pixels->data());
    for (size_t p = 0; p < pixels->size(); p += 4) {
        const uint32_t id = (*pixels)[p] | ((*pixels)[p + 1] << 8) | ((*pixels)[p + 2] << 16);
        if (id != 0 && id <= seen->size()) (*seen)[id - 1] += 1;
    }
}

// Sets each pixel's depth to the farthest of its 3 x 3 neighbourhood: whatever hides
// something loses a pixel all round its outline.
void erode_depth(const Lens& lens) {
    const int w = lens.width, h = lens.height;
    std::vector<float> depth(static_cast<size_t>(w) * h), eroded(depth.size());
    glReadPixels(0, 0, w, h, GL_DEPTH_COMPONENT, GL_FLOAT, depth.data());
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            float farthest = 0;
            for (int v = std::max(0, y - 1); v <= std::min(h - 1, y + 1); ++v)
                for (int u = std::max(0, x - 1); u <= std::min(w - 1, x + 1); ++u)
                    farthest = std::max(farthest, depth[static_cast<size_t>(v) * w + u]);
            eroded[static_cast<size_t>(y) * w + x] = farthest;
        }
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, w, 0, h, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glRasterPos2i(0, 0);
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    glDepthFunc(GL_ALWAYS);
    glDrawPixels(w, h, GL_DEPTH_COMPONENT, GL_FLOAT, eroded.data());
    glDepthFunc(GL_LESS);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}

// The pools against the depth the level left, in a frame of their own.
void mark_pools(const Lens& lens, std::vector<int>* seen, std::vector<unsigned char>* pixels) {
    if (rows_kind(current_world()) != SetRows::Pools) return;
    glClear(GL_COLOR_BUFFER_BIT);
    glDepthFunc(GL_LEQUAL);
    draw_pools();
    glDepthFunc(GL_LESS);
    mark_seen(lens, seen, pixels);
}

// One view from `eye` turned by (heading, pitch), as the program's camera turns: the ids
// left in its pixels are added to `seen`.
void look(const Vec3& eye, float heading, float pitch, const Lens& lens, bool widened, std::vector<int>* seen,
          std::vector<unsigned char>* pixels) {
    glViewport(0, 0, lens.width, lens.height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(lens.field, static_cast<double>(lens.width) / lens.height, NEAR_PLANE, FAR_PLANE);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glRotatef(pitch, 1, 0, 0);
    glRotatef(360 - heading, 0, 1, 0);
    glTranslatef(-eye.x, -eye.y, -eye.z);
    float modelview[16], projection[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    glDisable(GL_BLEND);
    glDisable(GL_SCISSOR_TEST);
    for (GLenum plane : {GL_CLIP_PLANE0, GL_CLIP_PLANE1, GL_CLIP_PLANE2}) glDisable(plane);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    glDepthMask(GL_TRUE);
    glDepthRange(0, 1);
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

    draw_items(modelview, projection, true);
    mark_seen(lens, seen, pixels);
    if (!widened) {
        mark_pools(lens, seen, pixels);
        return;
    }

    // What an eye a little way off would see: the outlines of what hides things pulled in
    // by a pixel, faces from behind (a step across their plane shows their front) and
    // every level edge as a line (a sliver thinner than a pixel covers no pixel centre).
    erode_depth(lens);
    glClear(GL_COLOR_BUFFER_BIT);
    glDepthFunc(GL_LEQUAL);
    glDepthMask(GL_FALSE);
    glEnable(GL_POLYGON_OFFSET_FILL);
    glEnable(GL_POLYGON_OFFSET_LINE);
    glPolygonOffset(-1, -4);
    draw_items(modelview, projection, true);
    glCullFace(GL_FRONT);
    draw_items(modelview, projection, true);
    glCullFace(GL_BACK);
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    draw_items(modelview, projection, false);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glDisable(GL_POLYGON_OFFSET_FILL);
    glDisable(GL_POLYGON_OFFSET_LINE);
    glDepthMask(GL_TRUE);
    glDepthFunc(GL_LESS);
    mark_seen(lens, seen, pixels);
    mark_pools(lens, seen, pixels); // against the widened depth: pulled-in outlines show more
}

// "-" or "a,b-c,...": the indices in [first, first + count) set in `seen`, from 0.
std::string ranges(const std::vector<char>& seen, size_t first, size_t count) {
    std::string out;
    for (size_t i = 0; i < count;) {
        if (!seen[first + i]) {
            ++i;
            continue;
        }
        size_t j = i;
        while (j + 1 < count && seen[first + j + 1]) ++j;
        if (!out.empty()) out += ',';
        out += std::to_string(i);
        if (j > i) out += '-' + std::to_string(j);
        i = j + 1;
    }
    return out.empty() ? "-" : out;
}

// One view of the program's own at 1024 x 768: every item it shows that the loaded sets
// leave out at that eye, with the pixels it covers.
int check_view(const Options& o) {
    const Vec3 eye = {o.view[0], o.view[2], o.view[1]};
    const VisibleCell* cell = visible_cell_at(o.world, eye.x, eye.y, eye.z);
    if (!cell) {
        printf("no set at (%g, %g) eye %g: the world is drawn whole there\n", eye.x, eye.z, eye.y);
        return 0;
    }
    std::vector<int> counts(static_cast<size_t>(level_mesh.count) + set_row_count(o.world), 0);
    std::vector<unsigned char> pixels;
    look(eye, o.view[3], o.view[4], {45, 1024, 768}, false, &counts, &pixels);
    int missing = 0;
    for (size_t n = 0; n < counts.size(); ++n) {
        if (counts[n] == 0) continue;
        const int item = static_cast<int>(n);
        if (item < level_mesh.count) {
            if (cell_shows_triangle(*cell, item)) continue;
            const LevelVertex* v = level_mesh.triangles[item].vertex;
            printf("triangle %d (%d pixels): (%g %g %g) (%g %g %g) (%g %g %g)\n", item, counts[n], v[0].x, v[0].y,
                   v[0].z, v[1].x, v[1].y, v[1].z, v[2].x, v[2].y, v[2].z);
        } else {
            const int row = item - level_mesh.count;
            if (cell_shows_row(*cell, row)) continue;
            if (rows_kind(o.world) == SetRows::Pools) {
                printf("pool %d (%d pixels)\n", row, counts[n]);
            } else {
                const Vec3 t = WORLD2_LAYOUT[row].translation;
                printf("layout row %d (%d pixels) at (%g %g %g)\n", row, counts[n], t.x, t.y, t.z);
            }
        }
        ++missing;
    }
    printf("%d items seen here are missing from the set\n", missing);
    return missing ? 1 : 0;
}

} // namespace

int main(int argc, char** argv) {
    Options o;
    if (!parse_options(argc, argv, &o)) {
        fprintf(stderr, "usage: zeb-pvs 2|3 OUT [--cell C] [--spacing S] [--size N] [--spread K] [--eye-step E]\n"
                        "                [--first-row R0] [--end-row R1]\n"
                        "       zeb-pvs 2|3 --check X Z EYE HEADING PITCH\n"
                        "  C >= 0.5, 0.05 < S <= C, 32 <= N <= 2048\n");
        return 2;
    }
    headless_set_viewport(o.check ? 1024 : o.size, o.check ? 768 : o.size);
    headless_set_auto_clock(true);
    headless_queue_answer(IDNO);
    if (!program_start()) {
        fprintf(stderr, "zeb-pvs: the program did not start\n");
        return 1;
    }
    switch_world(o.world, 1.5f);
    while (program_iterate() != Iteration::Frame) {}
    if (level_mesh.count == 0) {
        fprintf(stderr, "zeb-pvs: world %d has no level here (run it where text/ is)\n", o.world);
        return 1;
    }

    if (o.check) return check_view(o);

    const Reach reach = flood_reach(o.world);
    fprintf(stderr, "zeb-pvs: flooded world %d\n", o.world);

    const Ground g = ground_of(o.world);
    const int columns = static_cast<int>(std::ceil((g.x1 - g.x0) / o.cell - 1e-4f));
    const int rows = static_cast<int>(std::ceil((g.z1 - g.z0) / o.cell - 1e-4f));
    const int per_cell = static_cast<int>(std::lround(o.cell / o.spacing));
    const int points_x = columns * per_cell + 1, points_z = rows * per_cell + 1;
    const size_t items = static_cast<size_t>(level_mesh.count) + set_row_count(o.world);

    // Every sample point's sightings, and the floors under the reachable ones.
    struct Sample {
        bool reached = false;
        float floor = 0;
        std::vector<char> seen;
    };
    // The level's skirts below the ground show only through seams a pixel wide, which no
    // sampling can be trusted to catch: every cell keeps them.
    std::vector<char> always(items, 0);
    for (int t = 0; t < level_mesh.count; ++t) {
        const LevelVertex* v = level_mesh.triangles[t].vertex;
        always[static_cast<size_t>(t)] = v[0].y <= 0 && v[1].y <= 0 && v[2].y <= 0;
    }
    std::vector<Sample> samples(static_cast<size_t>(points_x) * points_z);
    std::vector<unsigned char> pixels;
    const float faces[6][2] = {{0, 0}, {90, 0}, {180, 0}, {270, 0}, {0, 90}, {0, -90}};
    int done = 0, reached = 0;
    // only the rows of points the cells written draw on
    const int end_row = o.end_row < 0 ? rows : std::min(o.end_row, rows);
    const int first_point_row = std::max(0, (o.first_row - o.spread) * per_cell);
    const int end_point_row = std::min(points_z, (end_row + o.spread) * per_cell + 1);
    for (int k = first_point_row; k < end_point_row; ++k)
        for (int i = 0; i < points_x; ++i) {
            Sample& s = samples[static_cast<size_t>(k) * points_x + i];
            const float x = g.x0 + static_cast<float>(i) * o.spacing, z = g.z0 + static_cast<float>(k) * o.spacing;
            // A point where nobody stands moves to the nearest place someone does, within
            // most of the spacing: a strip narrower than the spacing between two walls is
            // then sampled too.
            float px = x, pz = z;
            s.reached = reach.nearest(x, z, o.spacing * 0.75f, &px, &pz);
            if (++done % 500 == 0)
                fprintf(stderr, "zeb-pvs: %d of %d points, %d reached\n", done, points_x * points_z, reached);
            if (!s.reached) continue;
            ++reached;
            s.floor = reach.floor_under(px, pz);
            std::vector<int> counts(items, 0);
            for (float rise = -EYE_SLACK;; rise = std::min(rise + o.eye_step, LIFT_REACH)) {
                for (const auto& face : faces)
                    look({px, s.floor + STANDING_EYE + rise, pz}, face[0], face[1], {FACE_FIELD, o.size, o.size}, true,
                         &counts, &pixels);
                if (rise == LIFT_REACH) break;
            }
            s.seen.resize(items);
            for (size_t n = 0; n < items; ++n) s.seen[n] = counts[n] > 0;
        }

    FILE* out = fopen(o.out.c_str(), "w");
    if (!out) {
        fprintf(stderr, "zeb-pvs: cannot write %s\n", o.out.c_str());
        return 1;
    }
    fprintf(out,
            "# What can be seen from each cell of world %d's ground; made by zeb-pvs %d data/visible%d.txt "
            "--cell %g --spacing %g --size %d --spread %d --eye-step %g\n",
            o.world, o.world, o.world, o.cell, o.spacing, o.size, o.spread, o.eye_step);
    fprintf(out, "visible-sets 1\nworld %d\n", o.world);
    fprintf(out, "level %d %016llx\n", level_mesh.count, static_cast<unsigned long long>(level_mesh_hash()));
    if (set_row_count(o.world) > 0)
        fprintf(out, "layout %d %016llx\n", set_row_count(o.world),
                static_cast<unsigned long long>(set_rows_hash(o.world)));
    else fprintf(out, "layout 0 0\n");
    fprintf(out, "grid %g %g %g %d %d\n", g.x0, g.z0, o.cell, columns, rows);
    for (int r = o.first_row; r < end_row; ++r)
        for (int c = 0; c < columns; ++c) {
            std::vector<char> seen = always;
            float lowest = INFINITY, highest = -INFINITY;
            const int k0 = std::max(0, (r - o.spread) * per_cell),
                      k1 = std::min(points_z - 1, (r + 1 + o.spread) * per_cell);
            const int i0 = std::max(0, (c - o.spread) * per_cell),
                      i1 = std::min(points_x - 1, (c + 1 + o.spread) * per_cell);
            bool own = false; // someone stands in the cell itself
            for (int k = k0; k <= k1; ++k)
                for (int i = i0; i <= i1; ++i) {
                    const Sample& s = samples[static_cast<size_t>(k) * points_x + i];
                    if (!s.reached) continue;
                    own |= k >= r * per_cell && k <= (r + 1) * per_cell && i >= c * per_cell && i <= (c + 1) * per_cell;
                    for (size_t n = 0; n < items; ++n) seen[n] |= s.seen[n];
                    lowest = std::min(lowest, s.floor);
                    highest = std::max(highest, s.floor);
                }
            if (!own) continue; // nobody stands here: no set
            fprintf(out, "cell %d %d %g %g triangles %s rows %s\n", c, r, lowest + STANDING_EYE - EYE_SLACK,
                    highest + STANDING_EYE + LIFT_REACH, ranges(seen, 0, static_cast<size_t>(level_mesh.count)).c_str(),
                    ranges(seen, static_cast<size_t>(level_mesh.count), items - static_cast<size_t>(level_mesh.count))
                        .c_str());
        }
    fclose(out);
    fprintf(stderr, "zeb-pvs: %d of %d points reached; wrote %s\n", reached, points_x * points_z, o.out.c_str());
    return 0;
}
