// The default path leaves out the rows of the town's layout that lie wholly outside the
// view. That is exact only while the bounds it judges by hold everything the models draw,
// and while a row left out changes nothing but the pixels it could not reach.
#include "app/session.h"
#include "nav/player.h"
#include "nav/worlds.h"
#include "render/frame.h"
#include "render/layout_culling.h"
#include "scene/layout_bounds.h"
#include "scene/models.h"
#include "scene/world2_layout.h"
#include "support.h"
#include "tools/census/census.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

const char* model_name(void (*model)()) {
    for (const ModelEntry& e : MODEL_CATALOGUE)
        if (e.draw == model) return e.name;
    return "(not in the catalogue)";
}

// Every byte of every module's state.
std::vector<unsigned char> session_bytes() {
    std::vector<unsigned char> out;
    for (size_t m = 0; m < SESSION_MODULE_COUNT; ++m) {
        const auto* p = static_cast<const unsigned char*>(SESSION_MODULES[m].state);
        out.insert(out.end(), p, p + SESSION_MODULES[m].size);
    }
    return out;
}

int triangles(const CensusResult& r) {
    int n = r.strip_triangles;
    for (const auto& run : r.runs) n += run.second;
    return n;
}

int layout_row_drawn; // the row draw_one_row draws: the census takes a plain function
void draw_one_row() { draw_world2_layout_row(WORLD2_LAYOUT[layout_row_drawn]); }

// In the town, so that slots resolve to its textures, with culling on as the lantern
// leaves it before the layout.
class TownLayout : public ::testing::Test {
protected:
    void SetUp() override {
        reset_everything();
        ASSERT_TRUE(start_windowed_program());
        switch_world(2, 1.6f);
        run_frames(1);
        ASSERT_EQ(current_world(), 2);
    }
    void TearDown() override { reset_everything(); }
};

TEST_F(TownLayout, EachModelsBoundsAreWhatTheCensusMeasures) {
    const char* AXIS[] = {"x", "y", "z"};
    for (const ModelBounds& b : MODEL_BOUNDS) {
        SCOPED_TRACE(model_name(b.model));
        const CensusResult r = census_run(b.model);
        ASSERT_TRUE(r.any_geometry);
        const float lo[3] = {b.lo.x, b.lo.y, b.lo.z}, hi[3] = {b.hi.x, b.hi.y, b.hi.z};
        for (int k = 0; k < 3; ++k) { // rounded outwards to 0.0001, float noise on top
            EXPECT_LE(lo[k], r.bounds[k] + 1e-6f) << AXIS[k] << " low";
            EXPECT_GE(lo[k], r.bounds[k] - 2e-4f) << AXIS[k] << " low";
            EXPECT_GE(hi[k], r.bounds[k + 3] - 1e-6f) << AXIS[k] << " high";
            EXPECT_LE(hi[k], r.bounds[k + 3] + 2e-4f) << AXIS[k] << " high";
        }
    }
}

// A listed model drawn once leaves every byte of the session's state as it was, and face
// culling on as it found it (the rest of the GL state it keeps is the catalogue test's);
// the texture it leaves bound is never used, as every model binds its own before it
// draws. The orb, the one layout model not listed, ends on a colour that outlives its
// placement block; it changes no state either.
TEST_F(TownLayout, OnlyModelsThatChangeNothingButPixelsAreListed) {
    std::set<void (*)()> listed;
    for (const ModelBounds& b : MODEL_BOUNDS) {
        SCOPED_TRACE(model_name(b.model));
        EXPECT_TRUE(listed.insert(b.model).second) << "listed twice";
        glEnable(GL_CULL_FACE);
        const std::vector<unsigned char> before = session_bytes();
        const CensusResult r = census_run(b.model);
        EXPECT_TRUE(session_bytes() == before);
        EXPECT_TRUE(r.cull_face);
        ASSERT_FALSE(r.runs.empty());
        EXPECT_GE(r.runs.front().first, 0) << "drew before its first bind";
    }
    for (int row = 0; row < WORLD2_LAYOUT_ROWS; ++row)
        if (listed.count(WORLD2_LAYOUT[row].model) == 0) {
            EXPECT_EQ(WORLD2_LAYOUT[row].model, draw_ring_orb) << "row " << row + 1;
        }

    // The orb turns in the frame's step, not as it is drawn.
    const std::vector<unsigned char> before = session_bytes();
    census_run(draw_ring_orb);
    EXPECT_TRUE(session_bytes() == before);
}

// Each row's world box holds what the row issues, measured through its own translation
// and turns; the orb's row has none.
TEST_F(TownLayout, EveryRowsBoxHoldsWhatTheRowDraws) {
    int without = 0;
    for (int row = 0; row < WORLD2_LAYOUT_ROWS; ++row) {
        SCOPED_TRACE("row " + std::to_string(row + 1));
        Vec3 lo, hi;
        if (!layout_row_box(row, &lo, &hi)) {
            ++without;
            EXPECT_EQ(WORLD2_LAYOUT[row].model, draw_ring_orb);
            continue;
        }
        layout_row_drawn = row;
        const CensusResult r = census_run(draw_one_row);
        const float box[6] = {lo.x, lo.y, lo.z, hi.x, hi.y, hi.z};
        for (int k = 0; k < 3; ++k) {
            EXPECT_LE(box[k], r.bounds[k]) << "axis " << k;
            EXPECT_GE(box[k + 3], r.bounds[k + 3]) << "axis " << k;
        }
    }
    EXPECT_EQ(without, 1);
    EXPECT_FALSE(layout_row_box(-1, nullptr, nullptr));
    EXPECT_FALSE(layout_row_box(WORLD2_LAYOUT_ROWS, nullptr, nullptr));
}

// In a street most of the town is out of view and is left out; the orb, far off, turns
// once a frame all the same, and drawing the layout does not turn it.
TEST_F(TownLayout, RowsOutOfViewAreLeftOutAndTheOrbTurnsOnceAFrame) {
    player.x = -39.5f, player.z = 0.5f, player.eye_height = 0.6f, player.heading = 75, player.pitch = -3;
    const float turned_from = model_state.orb_spin_angle;
    render_frame();
    EXPECT_FLOAT_EQ(model_state.orb_spin_angle, turned_from + 0.1f);
    const int all = triangles(census_run(draw_world2_layout));
    const float spin = model_state.orb_spin_angle;
    const int seen = triangles(census_run([] { draw_world2_layout_in_view(nullptr); }));
    EXPECT_FLOAT_EQ(model_state.orb_spin_angle, spin);
    EXPECT_GT(seen, 0);
    EXPECT_LT(seen, all);
}

} // namespace
