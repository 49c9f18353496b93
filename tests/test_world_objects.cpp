// The objects the frame places itself: what each issues and the state it leaves, the
// swing of the signs, the spinner's turn, the cartridge block's one-way visibility and
// the colour a placement block gives back, and the state a whole frame leaves.
#include "assets/gl_caps.h"
#include "nav/player.h"
#include "nav/worlds.h"
#include "nav/gates.h"
#include "scene/animation.h"
#include "render/frame.h"
#include "scene/blocks.h"
#include "scene/world_objects.h"
#include "support.h"
#include "tools/census/census.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <initializer_list>
#include <ostream>
#include <utility>
#include <vector>

namespace {

using Runs = std::vector<std::pair<int, int>>; // (slot, triangles)

class WorldObjects : public ::testing::Test {
protected:
    void SetUp() override {
        reset_everything();
        ASSERT_TRUE(start_windowed_program());
    }
    void TearDown() override { reset_everything(); }
    static void enter_world(int world) {
        switch_world(world, 1.6f);
        run_frames(1);
        ASSERT_EQ(current_world(), world);
    }
};

struct Expected {
    const char* name;
    void (*draw)();
    Runs runs;         // the runs in bind order, empty ones included
    int quadrics[3];   // cylinders, disks, spheres
    bool keeps_colour; // false for the two that rely on their caller's placement
    bool keeps_blend;  // false for those that leave blending off whatever it was
    bool sets_culling; // true for those that leave culling on whatever it was
};

void PrintTo(const Expected& e, std::ostream* out) { *out << e.name; }

Runs gate_runs() {
    Runs runs(5, {25, 6}); // the five wide gates, then the corner gate
    runs.push_back({12, 4});
    return runs;
}

Runs hall_runs() {
    Runs runs = {{9, 2}};
    for (int k = 0; k < 9; ++k) runs.push_back({0, 2});
    for (int k = 0; k < 11; ++k) runs.push_back({30, 2});
    return runs;
}

// The lantern's bracket is free geometry: only its globe, its housing and its slot are fixed.
// clang-format off
const Expected OBJECTS[] = {
    {"hall", draw_world1_hall, hall_runs(), {0, 0, 0}, true, false, false},
    {"wheel", draw_spoked_wheel, {{30, 0}}, {16, 5, 0}, true, true, true},
    {"spinner", draw_spiral_spinner, {{11, 0}}, {0, 0, 60}, true, false, false},
    {"bracket_row", draw_bracket_row, {{18, 130}}, {40, 40, 0}, false, true, true},
    {"town_blocks", draw_town_blocks,
     {{30, 2}, {12, 2}, {0, 12}, {9, 10}, {2, 4}, {12, 8}, {16, 8}, {12, 4}, {0, 26}}, {0, 0, 0}, true, false, false},
    {"board_sign", draw_hanging_board_sign, {{13, 0}, {4, 2}}, {2, 2, 0}, true, true, true},
    {"oval_sign", draw_hanging_oval_sign, {{13, 0}, {15, 0}}, {5, 4, 0}, true, true, true},
    {"gates", draw_world2_gates, gate_runs(), {0, 0, 0}, true, true, false},
    {"cartridge_block", draw_cartridge_block, {{17, 0}}, {160, 240, 0}, false, true, true},
};
// clang-format on

class EachObject : public WorldObjects, public ::testing::WithParamInterface<Expected> {};

void set_state(bool cull, bool blend) {
    cull ? glEnable(GL_CULL_FACE) : glDisable(GL_CULL_FACE);
    blend ? glEnable(GL_BLEND) : glDisable(GL_BLEND);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_DEPTH_TEST);
    glFrontFace(GL_CCW);
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 0);
    glColor3f(1, 1, 1);
    if (gl_caps.separate_specular) glLightModeli(GL_LIGHT_MODEL_COLOR_CONTROL, GL_SINGLE_COLOR);
}

} // namespace

TEST_P(EachObject, IssuesItsRunsAndQuadricsAndRestoresTheState) {
    const Expected& e = GetParam();
    enter_world(2);
    for (const bool before : {false, true}) {
        SCOPED_TRACE(before ? "culling and blending on before" : "culling and blending off before");
        set_state(before, before);
        const CensusResult r = census_run(e.draw);

        const Runs& runs = r.runs;
        ASSERT_EQ(runs.size(), e.runs.size());
        for (size_t i = 0; i < runs.size(); ++i) {
            EXPECT_EQ(runs[i].first, e.runs[i].first) << "run " << i;
            if (e.runs[i].second > 0) {
                EXPECT_EQ(runs[i].second, e.runs[i].second) << "run " << i;
            }
        }
        EXPECT_EQ(r.cylinders, e.quadrics[0]);
        EXPECT_EQ(r.disks, e.quadrics[1]);
        EXPECT_EQ(r.spheres, e.quadrics[2]);
        EXPECT_EQ(r.tori, 0);

        EXPECT_TRUE(r.matrix_depth_ok);
        EXPECT_EQ(r.colour_kept, e.keeps_colour);
        EXPECT_EQ(r.cull_face, e.sets_culling || before);
        EXPECT_EQ(r.blend, before && e.keeps_blend);
        EXPECT_TRUE(r.texture_2d);
        EXPECT_TRUE(r.front_face_ccw);
        EXPECT_FALSE(r.texgen_s);
        EXPECT_FALSE(r.texgen_t);
        EXPECT_FALSE(r.separate_specular);
        EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
        GLint two_sided = 1;
        glGetIntegerv(GL_LIGHT_MODEL_TWO_SIDE, &two_sided);
        EXPECT_EQ(two_sided, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Objects, EachObject, ::testing::ValuesIn(OBJECTS),
                         [](const ::testing::TestParamInfo<Expected>& p) { return std::string(p.param.name); });

TEST_F(WorldObjects, TheLanternsHousingIsSixteenTrianglesAfterOneGlobe) {
    enter_world(2);
    const CensusResult r = census_run(draw_glow_lantern);
    EXPECT_EQ(r.spheres, 1);
    EXPECT_EQ(r.disks, 0);
    EXPECT_EQ(census_triangles_by_slot(r), (Runs{{11, 16}}));
    ASSERT_EQ(r.runs.size(), 2u);
    EXPECT_EQ(r.runs.back(), (std::pair<int, int>{11, 16}));
    EXPECT_TRUE(r.cull_face);
    EXPECT_FALSE(r.blend);
    EXPECT_TRUE(r.colour_kept);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST)); // the globe is drawn without it
}

TEST_F(WorldObjects, ANestedPlacementGivesBackTheColourOfTheBlockAroundIt) {
    glColor3f(1, 1, 1);
    {
        Placement outer;
        glColor3f(0, 0, 1);
        {
            Placement inner;
            glColor3ub(250, 50, 250);
        }
    }
    GLfloat colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_FLOAT_EQ(colour[0], 1);
    EXPECT_FLOAT_EQ(colour[1], 1);
    EXPECT_FLOAT_EQ(colour[2], 1);
}

TEST_F(WorldObjects, SignsSwingTheirBoardsOutOfTheWall) {
    enter_world(2);
    // The bracket and the hanging parts lie in the plane z = 0 (the rings and the plate
    // are at most 0.06 and 0.02 out of it) until the swing turns them about the rod.
    for (void (*sign)() : {draw_hanging_board_sign, draw_hanging_oval_sign}) {
        animation.sign_swing_angle = 0;
        const CensusResult still = census_run(sign);
        EXPECT_LT(still.bounds[5] - still.bounds[2], 0.13f);
        animation.sign_swing_angle = 50;
        const CensusResult swung = census_run(sign);
        // The lower edge, 0.6 (board) or 0.83 (oval) under the rod, swings out by sin 50.
        EXPECT_LT(swung.bounds[2], -0.45f);
        EXPECT_LT(swung.bounds[4] - swung.bounds[1], still.bounds[4] - still.bounds[1]);
        // The bracket stays: it reaches the wall end x = 1 and 0.5 past the pivot.
        EXPECT_NEAR(swung.bounds[3], 1.02f, 0.03f);
        EXPECT_NEAR(swung.bounds[0], -0.6f, 0.11f);
    }
}

TEST_F(WorldObjects, TheSpinnerTurnsOnlyWhileWorldOneIsDrawn) {
    run_frames(60);
    EXPECT_FLOAT_EQ(world_objects.spinner_angle, -6.0f * 60);
    enter_world(2);
    const float left = world_objects.spinner_angle;
    run_frames(5);
    EXPECT_FLOAT_EQ(world_objects.spinner_angle, left);
    // Turning moves the arms' beads round the spinner's axis; drawing alone does not.
    const CensusResult a = census_run(draw_spiral_spinner);
    EXPECT_FLOAT_EQ(world_objects.spinner_angle, left);
    world_objects.spinner_angle -= 40;
    turn_spiral_spinner();
    const CensusResult b = census_run(draw_spiral_spinner);
    EXPECT_NE(a.bounds[1], b.bounds[1]);
}

TEST_F(WorldObjects, TheCartridgeBlockVanishesForGoodOnceWalkedInto) {
    enter_world(3);
    const auto frame_cylinders = [] { return census_run([] { render_frame(); }).cylinders; };
    const int shown = frame_cylinders();
    player.x = 4;
    player.z = -2.6f;
    const int inside = frame_cylinders();
    EXPECT_FALSE(worlds.pickup_visible[1]);
    EXPECT_EQ(shown - inside, 160); // its forty cartridges, four cylinders each
    player.x = -1;
    player.z = -1;
    EXPECT_EQ(frame_cylinders(), inside);
    // Through a round trip to another world, too.
    enter_world(1);
    enter_world(3);
    EXPECT_FALSE(worlds.pickup_visible[1]);
    EXPECT_EQ(frame_cylinders(), inside);
}

TEST_F(WorldObjects, EachWorldDrawsItsOwnOrbOutsideTheLayout) {
    // World 1: in the ceiling over the arrival, world 3: at the end wall behind the exit.
    for (int world : {1, 3}) {
        if (world != 1) enter_world(world);
        const CensusResult r = census_run([] { render_frame(); });
        EXPECT_GE(r.tori, 1) << "world " << world;
    }
}

TEST_F(WorldObjects, AFrameOfEachWorldLeavesNoObjectsStateSwitchedOn) {
    GLint depth_before = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth_before);
    for (int world : {1, 2, 3}) {
        SCOPED_TRACE(world);
        if (world != 1) enter_world(world);
        run_frames(2);
        EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
        EXPECT_FALSE(glIsEnabled(GL_BLEND));
        EXPECT_FALSE(glIsEnabled(GL_TEXTURE_GEN_S));
        EXPECT_FALSE(glIsEnabled(GL_TEXTURE_GEN_T));
        EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
        EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
        GLint front = 0, two_sided = 1, colour_control = 0, depth = 0, attrib_depth = 1;
        glGetIntegerv(GL_FRONT_FACE, &front);
        glGetIntegerv(GL_LIGHT_MODEL_TWO_SIDE, &two_sided);
        glGetIntegerv(GL_LIGHT_MODEL_COLOR_CONTROL, &colour_control);
        glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
        glGetIntegerv(GL_ATTRIB_STACK_DEPTH, &attrib_depth);
        EXPECT_EQ(front, GL_CCW);
        EXPECT_EQ(two_sided, 0);
        if (gl_caps.separate_specular) {
            EXPECT_EQ(colour_control, GL_SINGLE_COLOR);
        }
        EXPECT_EQ(depth, depth_before);
        EXPECT_EQ(attrib_depth, 0);
    }
}
