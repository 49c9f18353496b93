// The visible sets: read strictly and only for the level and layout they were made for,
// and whatever they leave out is never seen from where the player can stand.
#include "support.h"

#include "assets/draw_path.h"
#include "assets/level.h"
#include "nav/player.h"
#include "nav/worlds.h"
#include "render/view.h"
#include "render/visible_sets.h"
#include "scene/pools.h"
#include "scene/world2_layout.h"
#include "tools/pvs/reach.h"

#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

// A header for world 3's level as loaded, whose rows are its two pools.
std::string header(int world, int triangles, uint64_t level_hash, const char* grid = "-17 -26 2 22 13",
                   uint64_t rows_hash = pools_hash()) {
    char text[256];
    snprintf(text, sizeof text,
             "visible-sets 1\nworld %d\nlevel %d %" PRIx64 "\nlayout %d %" PRIx64 "\ngrid %s\n", world, triangles,
             level_hash, POOL_COUNT, rows_hash, grid);
    return text;
}

bool parses(const std::string& text, VisibleSets* out, std::string* why) {
    return parse_visible_sets(text.data(), text.size(), 3, out, why);
}

class VisibleSetFile : public ::testing::Test {
protected:
    void SetUp() override { load_level(3); }
    void TearDown() override {
        free_level();
        free_visible_sets();
    }
};

TEST_F(VisibleSetFile, ACellsRangesAreReadAsGivenAndTheLookupStaysInsideTheGrid) {
    ASSERT_GT(level_mesh.count, 100);
    const std::string good = "# made by hand\n" + header(3, level_mesh.count, level_mesh_hash()) +
                             "cell 8 12 1.58 3.7 triangles 0,5-7,99 rows 1\n\ncell 0 0 0.58 2.7 triangles - rows -\n";
    std::string why;
    ASSERT_TRUE(parses(good, &visible_sets, &why)) << why;
    const VisibleCell* cell = visible_cell_at(3, -1, 1.6f, -1); // cell 8 12: x -1..1, z -2..0
    ASSERT_NE(cell, nullptr);
    std::vector<int> shown;
    for (int t = 0; t < level_mesh.count; ++t)
        if (cell_shows_triangle(*cell, t)) shown.push_back(t);
    EXPECT_EQ(shown, (std::vector<int>{0, 5, 6, 7, 99}));
    EXPECT_FALSE(cell_shows_row(*cell, 0));
    EXPECT_TRUE(cell_shows_row(*cell, 1));
    // beyond the heights sampled there, in a cell without a set, off the grid, another world
    EXPECT_EQ(visible_cell_at(3, -1, 3.71f, -1), nullptr);
    EXPECT_EQ(visible_cell_at(3, -1, 1.57f, -1), nullptr);
    EXPECT_EQ(visible_cell_at(3, 3, 1.6f, -1), nullptr);
    EXPECT_EQ(visible_cell_at(3, -17.5f, 1.6f, -1), nullptr);
    EXPECT_EQ(visible_cell_at(3, -1, 1.6f, 0.5f), nullptr);
    EXPECT_EQ(visible_cell_at(2, -1, 1.6f, -1), nullptr);
    EXPECT_NE(visible_cell_at(3, -17, 0.6f, -26), nullptr);
}

TEST_F(VisibleSetFile, AnythingMalformedOrMadeForAnotherLevelIsRefusedWhole) {
    const int n = level_mesh.count;
    const uint64_t h = level_mesh_hash();
    const std::string ok_cell = "cell 1 1 0.5 2 triangles 1 rows -\n";
    const std::string bad[] = {
        "",
        "visible-sets 2\n",
        header(2, n, h) + ok_cell,                                                       // another world
        header(3, n, h + 1) + ok_cell,                                                   // another level
        header(3, n - 1, h) + ok_cell,                                                   // its triangle count
        header(3, n, h) + ok_cell + "grid 0 0 1 1 1\n",                                  // a second grid
        header(3, n, h) + "cell 1 1 0.5 2 triangles " + std::to_string(n) + " rows -\n", // past the end
        header(3, n, h) + "cell 1 1 0.5 2 triangles 9-3 rows -\n",                       // reversed
        header(3, n, h) + "cell 1 1 0.5 2 triangles -1 rows -\n",
        header(3, n, h) + "cell 1 1 0.5 2 triangles 1,,2 rows -\n",
        header(3, n, h) + "cell 1 1 0.5 2 triangles 1 rows 2\n",  // world 3 has two pools
        header(3, n, h, "-17 -26 2 22 13", pools_hash() + 1) + ok_cell, // made for pools elsewhere
        header(3, n, h) + ok_cell + ok_cell,                      // a cell twice
        header(3, n, h) + "cell 22 1 0.5 2 triangles 1 rows -\n", // off the grid
        header(3, n, h) + "cell 1 1 2 0.5 triangles 1 rows -\n",  // heights upside down
        header(3, n, h) + "cell 1 1 nan 2 triangles 1 rows -\n",
        header(3, n, h) + "cell 1 1 0.5 2 triangles 1 rows - extra\n",
        header(3, n, h) + "cell 1 1 0.5 2 rows - triangles 1\n",
        "visible-sets 1\nworld 3\nlevel " + std::to_string(n) + " 0x\nlayout 2 0\n",
        "visible-sets 1\nworld 3\nlayout 0 0\n",
        header(3, n, h, "0 0 1 4096 4096"), // a grid too large to hold
        header(3, n, h, "0 0 0 5 5"),       // cells of no size
    };
    for (size_t i = 0; i < std::size(bad); ++i) {
        VisibleSets out;
        out.world = 7; // untouched by a refusal
        std::string why;
        EXPECT_FALSE(parses(bad[i], &out, &why)) << "case " << i;
        EXPECT_FALSE(why.empty()) << "case " << i;
        EXPECT_EQ(out.world, 7) << "case " << i;
    }
}

// The sets kept with the program were made for the levels and layout it builds: stale sets
// would be ignored and the worlds drawn whole. Regenerate them with zeb-pvs.
TEST_F(VisibleSetFile, TheSetsKeptWithTheProgramAreForItsLevels) {
    for (int world : {2, 3}) {
        SCOPED_TRACE(testing::Message() << "world " << world);
        load_level(world);
        const std::string name = "text/visible" + std::to_string(world) + ".txt";
        std::ifstream in(name, std::ios::binary);
        ASSERT_TRUE(in) << name;
        std::stringstream text;
        text << in.rdbuf();
        const std::string s = text.str();
        VisibleSets sets;
        std::string why;
        EXPECT_TRUE(parse_visible_sets(s.data(), s.size(), world, &sets, &why)) << why;
        EXPECT_GT(sets.cells.size(), 100u);
    }
}

// A view of the program's own, 1024 x 768, on either path.
struct Look {
    float x, z, eye, heading, pitch;
};

// Views from random places the flood reaches, random eye heights from a descent below
// standing to the top of a lift, random directions: never on the sets' sampling grid.
std::vector<Look> random_looks(int world, int count) {
    const Reach reach = flood_reach(world);
    uint32_t state = 12345u + static_cast<uint32_t>(world);
    const auto uniform = [&](float lo, float hi) {
        state = state * 1664525u + 1013904223u;
        return lo + (hi - lo) * static_cast<float>(state >> 8) / static_cast<float>(1u << 24);
    };
    std::vector<Look> looks;
    while (static_cast<int>(looks.size()) < count) {
        const float x = uniform(reach.ground.x0, reach.ground.x1), z = uniform(reach.ground.z0, reach.ground.z1);
        if (!reach.at(x, z)) continue;
        const float eye = reach.floor_under(x, z) + STANDING_EYE + uniform(-0.02f, 2.1f);
        looks.push_back({x, z, eye, uniform(0, 360), uniform(-75, 75)});
    }
    return looks;
}

// Frames of the looks, each the second drawn there; and how many looks a set served.
std::vector<std::vector<unsigned char>> frames_of(int world, const std::vector<Look>& looks, bool literal,
                                                  int* served) {
    reset_everything();
    draw_path.literal = literal;
    std::vector<std::vector<unsigned char>> frames;
    if (!start_windowed_program()) return frames;
    switch_world(world, 1.5f);
    run_frames(1);
    *served = 0;
    for (const Look& l : looks) {
        player.x = l.x, player.z = l.z, player.eye_height = l.eye, player.heading = l.heading, player.pitch = l.pitch;
        run_frames(1);
        player.x = l.x, player.z = l.z, player.eye_height = l.eye; // as the contacts and the descent left it
        *served += visible_cell_at(world, l.x, l.eye, l.z) != nullptr;
        run_frames(1);
        std::vector<unsigned char> rgb;
        int w = 0, h = 0;
        headless_read_frame(&rgb, &w, &h);
        frames.push_back(std::move(rgb));
    }
    reset_everything();
    return frames;
}

// The sets are made from points a unit apart, and an eye between them sees past the edge of
// a near occluder by a little more than any of them did: a sliver of a face edge-on, a
// seam. Such slivers cover a few pixels; a set that lacked a house, a roof or a wall
// would differ in thousands.
constexpr size_t SLIVER_PIXELS = 24;

TEST(VisibleSets, RandomViewsFromWhereThePlayerCanStandShowWhatTheWholeWorldShows) {
    constexpr int LOOKS = 40;
    for (int world : {2, 3}) {
        SCOPED_TRACE(testing::Message() << "world " << world);
        reset_everything();
        const std::vector<Look> looks = random_looks(world, LOOKS);
        int served_literal = 0, served = 0;
        const auto whole = frames_of(world, looks, true, &served_literal);
        const auto with_sets = frames_of(world, looks, false, &served);
        ASSERT_EQ(whole.size(), looks.size());
        ASSERT_EQ(with_sets.size(), looks.size());
        EXPECT_GT(served, LOOKS * 3 / 4); // the sets were used, mostly
        for (size_t i = 0; i < looks.size(); ++i) {
            const Look& l = looks[i];
            size_t differing = 0;
            for (size_t k = 0; k + 2 < whole[i].size(); k += 3)
                differing += whole[i][k] != with_sets[i][k] || whole[i][k + 1] != with_sets[i][k + 1] ||
                             whole[i][k + 2] != with_sets[i][k + 2];
            EXPECT_LE(differing, SLIVER_PIXELS)
                << "at (" << l.x << ", " << l.z << ") eye " << l.eye << " heading " << l.heading << " pitch " << l.pitch
                << "; zeb-pvs " << world << " --check " << l.x << ' ' << l.z << ' ' << l.eye << ' ' << l.heading << ' '
                << l.pitch;
        }
    }
}

} // namespace
