// The town: its layout and wall tables against the counts they must hold, and the town as
// drawn against its walls: every wall shows where it blocks, every floor is drawn, the
// ground covers the view below the horizon, the arrival point is free.
#include "app/window.h"
#include "assets/level.h"
#include "nav/contacts.h"
#include "nav/gates.h"
#include "nav/player.h"
#include "nav/worlds.h"
#include "render/frame.h"
#include "render/probe.h"
#include "render/view.h"
#include "scene/models.h"
#include "scene/world2_layout.h"
#include "support.h"
#include "tools/census/census.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

const char* model_name(void (*draw)()) {
    for (const ModelEntry& e : MODEL_CATALOGUE)
        if (e.draw == draw) return e.name;
    return "?";
}

// What the tables must hold, read from the file the generator aims at
// (tools/towngen/requirements.txt; its top comment gives the lines' form).
struct FixedRow {
    int number; // from 1
    std::string model;
    Vec3 translation;
    std::vector<ModelRotation> turns;
};
struct TownRequirements {
    std::map<std::string, int> rows;                        // rows by model
    std::map<std::string, std::pair<float, float>> heights; // lowest and highest translation y
    std::vector<int> turns;                                 // rows with 0 to 3 rotations
    int odd_axes = -1;                                      // rotations about a non-unit axis
    std::vector<float> box;                                 // x0 x1 y0 y1 z0 z1
    std::vector<FixedRow> fixed;
    std::vector<int> walls; // rows, z-walls, x-walls, floors, wide-gate and corner-gate walls
};

TownRequirements read_requirements() {
    TownRequirements r;
    std::ifstream in(ZEB_TOWN_REQUIREMENTS);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line.substr(0, line.find('#')));
        std::string kind;
        if (!(words >> kind)) continue;
        if (kind == "model") {
            std::string name;
            int rows = 0;
            float lo = 0, hi = 0;
            words >> name >> rows;
            r.rows[name] = rows;
            if (words >> lo >> hi) r.heights[name] = {lo, hi};
        } else if (kind == "row") {
            FixedRow row{};
            words >> row.number >> row.model >> row.translation.x >> row.translation.y >> row.translation.z;
            ModelRotation turn{};
            while (words >> turn.angle >> turn.axis_x >> turn.axis_y >> turn.axis_z) row.turns.push_back(turn);
            r.fixed.push_back(row);
        } else if (kind == "odd_axes") {
            words >> r.odd_axes;
        } else {
            std::vector<float>* into_f = kind == "box" ? &r.box : nullptr;
            std::vector<int>* into_i = kind == "turns" ? &r.turns : kind == "walls" ? &r.walls : nullptr;
            float v = 0;
            while (words >> v) {
                if (into_f) into_f->push_back(v);
                if (into_i) into_i->push_back(static_cast<int>(v));
            }
            EXPECT_TRUE(into_f || into_i) << "unknown requirement " << kind;
        }
    }
    return r;
}

const TownRequirements& requirements() {
    static const TownRequirements r = read_requirements();
    return r;
}

TEST(TownTables, TheRequirementsAreThere) {
    const TownRequirements& r = requirements();
    EXPECT_EQ(r.rows.size(), 36u);
    EXPECT_EQ(r.turns.size(), 4u);
    EXPECT_EQ(r.box.size(), 6u);
    EXPECT_EQ(r.walls.size(), 6u);
    EXPECT_GE(r.odd_axes, 0);
    EXPECT_FALSE(r.fixed.empty());
}

TEST(TownTables, LayoutRowsByModelAndByTurns) {
    const TownRequirements& want = requirements();
    std::map<std::string, int> have;
    std::vector<int> by_turns(4, 0);
    int odd_axes = 0;
    for (int i = 0; i < WORLD2_LAYOUT_ROWS; ++i) {
        const ModelPlacement& row = WORLD2_LAYOUT[i];
        have[model_name(row.model)] += 1;
        ASSERT_GE(row.rotation_count, 0);
        ASSERT_LE(row.rotation_count, 3);
        by_turns[row.rotation_count] += 1;
        for (int k = 0; k < row.rotation_count; ++k) {
            const ModelRotation& r = row.rotations[k];
            const int units = (r.axis_x != 0) + (r.axis_y != 0) + (r.axis_z != 0);
            if (units != 1) odd_axes += 1;
        }
    }
    EXPECT_EQ(have, want.rows);
    EXPECT_EQ(by_turns, want.turns);
    EXPECT_EQ(odd_axes, want.odd_axes);
}

TEST(TownTables, TheFixedRowsStandWhereTheTownNeedsThem) {
    for (const FixedRow& want : requirements().fixed) {
        SCOPED_TRACE(want.number);
        ASSERT_GE(want.number, 1);
        ASSERT_LE(want.number, WORLD2_LAYOUT_ROWS);
        const ModelPlacement& row = WORLD2_LAYOUT[want.number - 1];
        EXPECT_EQ(model_name(row.model), want.model);
        EXPECT_FLOAT_EQ(row.translation.x, want.translation.x);
        EXPECT_FLOAT_EQ(row.translation.y, want.translation.y);
        EXPECT_FLOAT_EQ(row.translation.z, want.translation.z);
        ASSERT_EQ(row.rotation_count, static_cast<int>(want.turns.size()));
        for (int k = 0; k < row.rotation_count; ++k) {
            EXPECT_FLOAT_EQ(row.rotations[k].angle, want.turns[k].angle);
            EXPECT_FLOAT_EQ(row.rotations[k].axis_x, want.turns[k].axis_x);
            EXPECT_FLOAT_EQ(row.rotations[k].axis_y, want.turns[k].axis_y);
            EXPECT_FLOAT_EQ(row.rotations[k].axis_z, want.turns[k].axis_z);
        }
    }
}

// The heights (translation y) each model's rows span and the box every translation keeps
// to: the generator must reach both ends of every range and never pass them.
TEST(TownTables, EveryModelSpansItsHeightsInsideTheTown) {
    constexpr float REACH = 0.05f, BOX_REACH = 0.1f; // the box's sides are given to a tenth
    const TownRequirements& want = requirements();
    for (const auto& range : want.heights) {
        SCOPED_TRACE(range.first);
        float lo = 1e9f, hi = -1e9f;
        for (int i = 0; i < WORLD2_LAYOUT_ROWS; ++i) {
            const ModelPlacement& row = WORLD2_LAYOUT[i];
            if (range.first != model_name(row.model)) continue;
            lo = std::fmin(lo, row.translation.y);
            hi = std::fmax(hi, row.translation.y);
        }
        EXPECT_NEAR(lo, range.second.first, REACH);
        EXPECT_NEAR(hi, range.second.second, REACH);
        EXPECT_GE(lo, range.second.first - 0.001f);
        EXPECT_LE(hi, range.second.second + 0.001f);
    }
    ASSERT_EQ(want.box.size(), 6u);
    float lo[3] = {1e9f, 1e9f, 1e9f}, hi[3] = {-1e9f, -1e9f, -1e9f};
    for (int i = 0; i < WORLD2_LAYOUT_ROWS; ++i) {
        const Vec3& t = WORLD2_LAYOUT[i].translation;
        const float v[3] = {t.x, t.y, t.z};
        for (int k = 0; k < 3; ++k) {
            lo[k] = std::fmin(lo[k], v[k]);
            hi[k] = std::fmax(hi[k], v[k]);
        }
    }
    for (int k = 0; k < 3; ++k) {
        SCOPED_TRACE(k);
        EXPECT_GE(lo[k], want.box[2 * k] - 0.001f);
        EXPECT_LE(lo[k], want.box[2 * k] + BOX_REACH);
        EXPECT_LE(hi[k], want.box[2 * k + 1] + 0.001f);
        EXPECT_GE(hi[k], want.box[2 * k + 1] - BOX_REACH);
    }
}

TEST(TownTables, WallTableKindsOrderAndBounds) {
    const std::vector<int>& want = requirements().walls;
    ASSERT_EQ(want.size(), 6u);
    ASSERT_EQ(WORLD2_WALL_COUNT, want[0]);
    int z_walls = 0, x_walls = 0, floors = 0, wide = 0, corner = 0;
    for (int i = 0; i < WORLD2_WALL_COUNT; ++i) {
        const WallSegment& s = WORLD2_WALLS[i];
        SCOPED_TRACE(i);
        const bool flat = s.a.y == s.b.y, z_wall = !flat && s.a.z == s.b.z, x_wall = !flat && s.a.x == s.b.x;
        ASSERT_EQ(flat + z_wall + x_wall, 1); // exactly one degenerate axis
        floors += flat;
        z_walls += z_wall;
        x_walls += x_wall;
        wide += s.gate == GateLink::World2Wide;
        corner += s.gate == GateLink::World2Corner;
        // the lesser corner first on every spanning axis, or the segment would never act
        if (!z_wall) {
            EXPECT_LT(s.a.z, s.b.z);
        }
        if (!x_wall) {
            EXPECT_LT(s.a.x, s.b.x);
        }
        if (!flat) {
            EXPECT_LT(s.a.y, s.b.y);
        }
        EXPECT_GE(s.a.x, -87);
        EXPECT_LE(s.b.x, 15);
        EXPECT_GE(s.a.z, -25);
        EXPECT_LE(s.b.z, 35);
    }
    EXPECT_EQ(z_walls, want[1]);
    EXPECT_EQ(x_walls, want[2]);
    EXPECT_EQ(floors, want[3]);
    EXPECT_EQ(wide, want[4]);
    EXPECT_EQ(corner, want[5]);
    const WallSegment& first = WORLD2_WALLS[0];
    EXPECT_FLOAT_EQ(first.a.x, 6);
    EXPECT_FLOAT_EQ(first.a.z, -12.25f);
    EXPECT_FLOAT_EQ(first.b.y, 2);
    EXPECT_FLOAT_EQ(first.b.z, -8.75f);
    const WallSegment& ground = WORLD2_WALLS[5];
    EXPECT_FLOAT_EQ(ground.a.x, -87);
    EXPECT_FLOAT_EQ(ground.a.y, 0);
    EXPECT_FLOAT_EQ(ground.b.x, 15);
    EXPECT_FLOAT_EQ(ground.b.z, 35);
}

// The town is closed: a flood from the arrival over a grid of steps, each step run
// through the contacts as a frame would, at standing and at jumping height with the
// gates up and down, never ends outside the ground or inside a raised gate's slab.
struct ClosureCase {
    float gate_top;
    float lift; // the eye above the floor under it: standing, or at the top of a hop
};

// The first place the flood got out to, or an empty string.
std::string flood_the_town(const ClosureCase& c) {
    constexpr float CELL = 0.1f, X0 = -88, Z0 = -26;
    constexpr int NX = 1040, NZ = 620;
    // the drawn slabs of the five wide gates (x0, x1, z0, z1): 4 long, 0.2 thick
    const float slabs[][4] = {{-15.0f, -11.0f, -12.0f, -11.8f},
                              {-16.7f, -16.5f, 6.0f, 10.0f},
                              {-30.3f, -26.3f, 3.0f, 3.2f},
                              {-34.6f, -34.4f, -3.5f, 0.5f},
                              {-62.4f, -62.2f, 3.0f, 7.0f}};
    gates.gate_wide_top = gates.gate_corner_top = c.gate_top;
    std::vector<WallSegment> floors;
    for (int i = 0; i < WORLD2_WALL_COUNT; ++i)
        if (WORLD2_WALLS[i].a.y == WORLD2_WALLS[i].b.y) floors.push_back(WORLD2_WALLS[i]);
    const auto eye_at = [&](float x, float z) {
        float h = -0.5f; // off every floor the eye falls
        for (const WallSegment& f : floors)
            if (f.a.x < x && x < f.b.x && f.a.z < z && z < f.b.z) h = std::fmax(h, f.a.y);
        return h + c.lift;
    };
    // a cell is entered at its centre; where the contacts leave the player decides the
    // cell he reached
    const auto centre = [](int i, float origin) { return origin + (static_cast<float>(i) + 0.5f) * CELL; };
    std::vector<char> seen(static_cast<size_t>(NX) * NZ, 0);
    const int start_i = static_cast<int>((-1 - X0) / CELL), start_k = static_cast<int>((-1 - Z0) / CELL);
    std::vector<std::pair<int, int>> queue = {{start_i, start_k}};
    seen[static_cast<size_t>(start_k) * NX + start_i] = 1;
    // along the axes and diagonally, as with two arrows held: a step runs from a cell's
    // centre STEP along each axis it moves on, so it ends in the next cell and the contacts
    // still take it for one frame's walk from there
    constexpr float STEP = 0.07f;
    const int steps[8][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}, {1, 1}, {1, -1}, {-1, 1}, {-1, -1}};
    for (size_t head = 0; head < queue.size(); ++head) {
        const auto from = queue[head];
        for (const auto& step : steps) {
            contacts.origin = StepOrigin{true, 2, centre(from.first, X0), centre(from.second, Z0)};
            player.x = contacts.origin.x + static_cast<float>(step[0]) * STEP;
            player.z = contacts.origin.z + static_cast<float>(step[1]) * STEP;
            player.eye_height = eye_at(player.x, player.z);
            resolve_wall_contacts(2);
            const float x = player.x, z = player.z;
            const auto where = [&](const char* what) {
                std::ostringstream text;
                text << what << " at (" << x << ", " << z << ") from (" << centre(from.first, X0) << ", "
                     << centre(from.second, Z0) << ")";
                return text.str();
            };
            if (!(x > -87 && x < 15 && z > -25 && z < 35)) return where("off the ground");
            for (const auto& s : slabs)
                if (c.gate_top > 0 && x >= s[0] && x <= s[1] && z >= s[2] && z <= s[3])
                    return where("inside a gate's slab");
            const int i = static_cast<int>(std::floor((x - X0) / CELL)),
                      k = static_cast<int>(std::floor((z - Z0) / CELL));
            char& mark = seen[static_cast<size_t>(k) * NX + i];
            if (mark) continue;
            mark = 1;
            queue.push_back({i, k});
        }
    }
    return "";
}

TEST(TownTables, NoWalkFromTheArrivalLeavesTheTown) {
    for (const ClosureCase& c :
         {ClosureCase{2.0f, 0.6f}, ClosureCase{2.0f, 0.73f}, ClosureCase{-0.4f, 0.6f}, ClosureCase{-0.4f, 0.73f}}) {
        SCOPED_TRACE(testing::Message() << "gates at " << c.gate_top << ", eye " << c.lift << " above the floor");
        reset_everything();
        EXPECT_EQ(flood_the_town(c), "");
    }
    reset_everything();
}

// The program in the town, in a small window: only single pixels are read back.
class Town : public ::testing::Test {
protected:
    void SetUp() override {
        reset_everything();
        ASSERT_TRUE(start_windowed_program());
        switch_world(2, 1.5f);
        run_frames(1);
        ASSERT_EQ(current_world(), 2);
        resize_view(WIDTH, HEIGHT);
    }
    void TearDown() override { reset_everything(); }

    // Renders one frame from (x, eye, z) looking along heading/pitch and reads back the
    // point under pixel (px, py).
    static bool look(float x, float eye, float z, float heading, float pitch, int px, int py, Vec3* hit) {
        view_from(x, eye, z, heading, pitch);
        float depth = 1;
        return probe_pixel(px, py, &depth, hit);
    }
    static void view_from(float x, float eye, float z, float heading, float pitch) {
        player.x = x;
        player.z = z;
        player.eye_height = eye;
        player.heading = heading;
        player.pitch = pitch;
        render_frame();
    }
    static constexpr int WIDTH = 320, HEIGHT = 240; // room in the middle between the HUD panels
};

TEST_F(Town, OnePassOfTheLayoutIssuesTheTablesGeometry) {
    const CensusResult r = census_run(draw_world2_layout);
    int triangles = r.strip_triangles;
    for (const auto& run : r.runs) triangles += run.second;
    EXPECT_EQ(triangles, 40072);
    EXPECT_EQ(r.cylinders, 67);
    EXPECT_EQ(r.disks, 77);
    EXPECT_EQ(r.spheres, 2);
    EXPECT_TRUE(r.matrix_depth_ok);
    EXPECT_TRUE(r.colour_kept);
}

// What blocks is what shows: from 0.5 in front of sample points of every wall, on one
// side or the other, the view straight at the wall meets drawn geometry within 0.35 of
// its plane. The gates' walls are left to the gates' own drawing.
TEST_F(Town, EveryWallIsSeenWhereItBlocks) {
    int failures = 0;
    for (int i = 0; i < WORLD2_WALL_COUNT; ++i) {
        const WallSegment& s = WORLD2_WALLS[i];
        if (s.a.y == s.b.y || s.gate != GateLink::None) continue;
        const bool z_wall = s.a.z == s.b.z;
        // a jog shorter than two keep-outs cannot be stood before: the fronts beside it
        // hold the player off it
        if ((z_wall ? s.b.x - s.a.x : s.b.z - s.a.z) < 0.6f) continue;
        // an eye height inside the wall's span: a rail's middle, or low on a wall; or, where
        // a model's rails are the wall (the canopy's sides), at its upper rail
        const float eye = s.b.y - s.a.y < 1 ? (s.a.y + s.b.y) / 2 : std::fmax(s.a.y + 0.35f, 0.7f);
        for (const float along : {0.25f, 0.75f}) {
            const float u = z_wall ? s.a.x + (s.b.x - s.a.x) * along : s.a.z + (s.b.z - s.a.z) * along;
            bool seen = false;
            struct View {
                float side; // which side of the wall the eye stands on
                bool rail;  // at the height of the canopy's upper rail
            };
            for (const View view : {View{1, false}, View{-1, false}, View{1, true}, View{-1, true}}) {
                if (view.rail && seen) break;
                const float side = view.side;
                const float w = z_wall ? s.a.z : s.a.x;
                const float x = z_wall ? u : w + 0.5f * side;
                const float z = z_wall ? w + 0.5f * side : u;
                // heading 0 looks -z, 180 +z, 90 -x, -90 +x
                const float heading = z_wall ? (side > 0 ? 0.0f : 180.0f) : (side > 0 ? 90.0f : -90.0f);
                Vec3 hit{};
                const float at_eye = view.rail ? s.a.y + 1.1f : eye;
                const bool drawn = look(x, at_eye, z, heading, 0, WIDTH / 2, HEIGHT / 2, &hit);
                // walls met on the way may have moved the player along this one
                const float off = z_wall ? std::fabs(hit.z - w) : std::fabs(hit.x - w);
                const float at = z_wall ? hit.x : hit.z;
                const float lo = z_wall ? s.a.x : s.a.z, hi = z_wall ? s.b.x : s.b.z;
                if (drawn && off <= 0.35f && at >= lo - 0.05f && at <= hi + 0.05f) seen = true;
            }
            if (!seen) {
                ADD_FAILURE() << "segment " << i + 1 << " (" << s.a.x << ", " << s.a.y << ", " << s.a.z << ")-("
                              << s.b.x << ", " << s.b.y << ", " << s.b.z << ") unseen at " << along;
                if (++failures > 20) return;
            }
        }
    }
}

TEST_F(Town, EveryFloorPieceIsDrawnAtItsHeight) {
    for (int i = 0; i < WORLD2_WALL_COUNT; ++i) {
        const WallSegment& s = WORLD2_WALLS[i];
        if (s.a.y != s.b.y) continue;
        SCOPED_TRACE(i + 1);
        const float x = (s.a.x + s.b.x) / 2, z = (s.a.z + s.b.z) / 2;
        const float x_probe = i == 5 ? -1.0f : x, z_probe = i == 5 ? -1.0f : z; // the ground: at the arrival
        Vec3 hit{};
        ASSERT_TRUE(look(x_probe, s.a.y + 0.8f, z_probe, 0, 90, WIDTH / 2, HEIGHT / 2, &hit));
        EXPECT_NEAR(hit.y, s.a.y, 0.05f);
    }
}

// Below the horizon nothing shows the clear colour: the sky domes reach down to the
// horizon and the ground, reaching far under them, covers the rest, from the street and
// from a lifted eye.
TEST_F(Town, NoGapShowsBetweenTheGroundAndTheSky) {
    const float spots[][2] = {{-1, -1}, {9, -20}, {-60, 5}, {-80, 25}, {-4, 30}, {10, 5}};
    std::vector<unsigned char> rgb(WIDTH * HEIGHT * 3);
    for (const auto& spot : spots)
        for (const float eye : {0.6f, 2.6f})
            for (const float heading : {0.0f, 90.0f, 180.0f, -90.0f}) {
                SCOPED_TRACE(testing::Message()
                             << spot[0] << ", " << spot[1] << " eye " << eye << " heading " << heading);
                view_from(spot[0], eye, spot[1], heading, 0);
                glPixelStorei(GL_PACK_ALIGNMENT, 1);
                glReadPixels(0, 0, WIDTH, HEIGHT, GL_RGB, GL_UNSIGNED_BYTE, rgb.data()); // bottom row first
                int clear = 0;
                for (int row = 0; row < HEIGHT / 2 + 2; ++row)
                    for (int px = WIDTH / 2 - 60; px <= WIDTH / 2 + 60; ++px) {
                        const unsigned char* p = &rgb[(static_cast<size_t>(row) * WIDTH + px) * 3];
                        clear += p[0] == 0 && p[1] == 0 && p[2] == 0;
                    }
                EXPECT_EQ(clear, 0);
            }
}

// A point of a row's model in world space: the row's turns, the last first, then its
// translation.
Vec3 placed_point(const ModelPlacement& row, Vec3 p) {
    for (int k = row.rotation_count - 1; k >= 0; --k) {
        const ModelRotation& r = row.rotations[k];
        const float n = std::sqrt(r.axis_x * r.axis_x + r.axis_y * r.axis_y + r.axis_z * r.axis_z);
        const float ax = r.axis_x / n, ay = r.axis_y / n, az = r.axis_z / n;
        const float a = r.angle * 3.14159265f / 180, c = std::cos(a), s = std::sin(a);
        const float d = (ax * p.x + ay * p.y + az * p.z) * (1 - c);
        p = {p.x * c + (ay * p.z - az * p.y) * s + ax * d, p.y * c + (az * p.x - ax * p.z) * s + ay * d,
             p.z * c + (ax * p.y - ay * p.x) * s + az * d};
    }
    return {p.x + row.translation.x, p.y + row.translation.y, p.z + row.translation.z};
}

// The height of the level's roof boarding (slot 16) straight below or above (x, z)
// nearest to y, or a large number where there is none.
float roof_gap(float x, float y, float z) {
    float best = 1e9f;
    for (int i = 0; i < level_mesh.count; ++i) {
        const LevelTriangle& t = level_mesh.triangles[i];
        if (t.slot != 16) continue;
        const LevelVertex &a = t.vertex[0], &b = t.vertex[1], &c = t.vertex[2];
        const float det = (b.z - c.z) * (a.x - c.x) + (c.x - b.x) * (a.z - c.z);
        if (std::fabs(det) < 1e-6f) continue; // an upright triangle
        const float l1 = ((b.z - c.z) * (x - c.x) + (c.x - b.x) * (z - c.z)) / det;
        const float l2 = ((c.z - a.z) * (x - c.x) + (a.x - c.x) * (z - c.z)) / det;
        const float l3 = 1 - l1 - l2;
        if (l1 < -1e-4f || l2 < -1e-4f || l3 < -1e-4f) continue;
        best = std::fmin(best, std::fabs(l1 * a.y + l2 * b.y + l3 * c.y - y));
    }
    return best;
}

// Roof boards lie on the roofs: the middle of every strip's boards is within a hand of
// the level's roof below it. Row 557 (leaning on the west house, whose roof is its
// own model's) is left out.
TEST_F(Town, RoofBoardsLieOnTheRoofs) {
    struct Strip {
        void (*model)();
        float length, middle; // along local x, and the boards' middle in local y
    };
    const Strip strips[] = {{draw_board_row_8, 1.5f, 1.275f},
                            {draw_board_row_16, 2.9f, 1.275f},
                            {draw_board_row_13, 2.35f, 1.275f},
                            {draw_board_row_tall, 2.9f, 3.275f},
                            {draw_board_row_32, 5.7f, 1.275f}};
    for (int i = 0; i < WORLD2_LAYOUT_ROWS - 1; ++i) {
        const ModelPlacement& row = WORLD2_LAYOUT[i];
        for (const Strip& s : strips) {
            if (row.model != s.model) continue;
            SCOPED_TRACE(testing::Message() << "row " << i + 1 << " " << model_name(row.model));
            const Vec3 m = placed_point(row, {s.length / 2, s.middle, 0});
            EXPECT_LE(roof_gap(m.x, m.y, m.z), 0.2f) << m.x << ", " << m.y << ", " << m.z;
        }
    }
}

// A deck hangs on its wall below the eave: the wall behind the middle of its plank tops
// is drawn up to at least that height (a deck above a low house's eave floated in the air).
TEST_F(Town, DecksHangBelowTheirEaves) {
    for (int i = 0; i < WORLD2_LAYOUT_ROWS; ++i) {
        const ModelPlacement& row = WORLD2_LAYOUT[i];
        const bool large = row.model == draw_deck_large;
        if (!large && row.model != draw_deck_small) continue;
        SCOPED_TRACE(i + 1);
        const Vec3 p = placed_point(row, {large ? -2.3f : -1.3f, 5.05f, -0.4f});
        bool backed = false;
        for (int k = 0; k < level_mesh.count && !backed; ++k) {
            const LevelVertex* v = level_mesh.triangles[k].vertex;
            const bool x_wall = v[0].x == v[1].x && v[1].x == v[2].x;
            const bool z_wall = v[0].z == v[1].z && v[1].z == v[2].z;
            if (!x_wall && !z_wall) continue;
            const float plane = x_wall ? v[0].x : v[0].z, off = x_wall ? p.x - plane : p.z - plane;
            const float along = x_wall ? p.z : p.x;
            float lo = 1e9f, hi = -1e9f, top = -1e9f;
            for (int j = 0; j < 3; ++j) {
                lo = std::fmin(lo, x_wall ? v[j].z : v[j].x);
                hi = std::fmax(hi, x_wall ? v[j].z : v[j].x);
                top = std::fmax(top, v[j].y);
            }
            backed = std::fabs(off) < 0.1f && along >= lo && along <= hi && top >= p.y - 0.01f;
        }
        EXPECT_TRUE(backed) << p.x << ", " << p.y << ", " << p.z;
    }
}

TEST_F(Town, TheArrivalPointIsFree) {
    player.x = -1;
    player.z = -1;
    player.eye_height = 1.5f;
    resolve_wall_contacts(2);
    EXPECT_FLOAT_EQ(player.x, -1);
    EXPECT_FLOAT_EQ(player.z, -1);
    // and a step in any direction from it meets no wall
    for (const float heading : {0.0f, 90.0f, 180.0f, 270.0f}) {
        player.x = -1 - 0.05f * std::sin(heading * 3.14159265f / 180);
        player.z = -1 - 0.05f * std::cos(heading * 3.14159265f / 180);
        const float x = player.x, z = player.z;
        resolve_wall_contacts(2);
        EXPECT_FLOAT_EQ(player.x, x);
        EXPECT_FLOAT_EQ(player.z, z);
    }
}

} // namespace
