// Rendering: frustum planes and the level pass's counters, world 1's glowing triangles,
// the HUD's counters, the frame's own steps, and the scene animations and effects.
#include "scene/random.h"
#include "app/window.h"
#include "assets/level.h"
#include "nav/player.h"
#include "nav/worlds.h"
#include "nav/gates.h"
#include "scene/animation.h"
#include "render/frame.h"
#include "render/hud.h"
#include "render/level_mesh.h"
#include "render/particles.h"
#include "render/water.h"
#include "support.h"
#include "render/view.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <iterator>
#include <vector>

namespace {

class Render : public ::testing::Test {
protected:
    void SetUp() override {
        reset_everything();
        ASSERT_TRUE(start_windowed_program());
    }
    void TearDown() override { reset_everything(); }
};

LevelTriangle triangle(int slot, float x0, float y0, float z0, float x1, float y1, float z1, float x2, float y2,
                       float z2) {
    return LevelTriangle{slot, {{x0, y0, z0, 0, 0}, {x1, y1, z1, 1, 0}, {x2, y2, z2, 0, 1}}};
}

void set_mesh(const std::vector<LevelTriangle>& triangles) {
    free_level();
    level_mesh.triangles = static_cast<LevelTriangle*>(malloc(triangles.size() * sizeof(LevelTriangle)));
    std::copy(triangles.begin(), triangles.end(), level_mesh.triangles);
    level_mesh.count = static_cast<int32_t>(triangles.size());
}

// A 90-degree frustum from 1 to 10 along -z, seen from the origin.
void known_view() {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(90, 1, 1, 10);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    update_frustum_planes();
}

} // namespace

TEST_F(Render, FrustumPlanesOfAKnownProjection) {
    known_view();
    const float r = 1 / std::sqrt(2.0f);
    const FrustumPlane want[6] = {{-r, 0, -r, 0}, {r, 0, -r, 0}, {0, r, -r, 0},
                                  {0, -r, -r, 0}, {0, 0, 1, 10}, {0, 0, -1, -1}};
    for (int i = 0; i < 6; ++i) {
        EXPECT_NEAR(level_draw.frustum_planes[i].a, want[i].a, 1e-5) << i;
        EXPECT_NEAR(level_draw.frustum_planes[i].b, want[i].b, 1e-5) << i;
        EXPECT_NEAR(level_draw.frustum_planes[i].c, want[i].c, 1e-5) << i;
        EXPECT_NEAR(level_draw.frustum_planes[i].d, want[i].d, 1e-4) << i;
    }
    EXPECT_TRUE(triangle_in_frustum(0, 0, -5, 1, 0, -5, 0, 1, -5));
    EXPECT_FALSE(triangle_in_frustum(0, 0, 5, 1, 0, 5, 0, 1, 5)); // behind the viewer
    // Outside different planes (left of the left, right of the right): still counted in.
    EXPECT_TRUE(triangle_in_frustum(-20, 0, -5, 20, 0, -5, 20, 1, -5));
    // The same beyond the far plane: all three behind it.
    EXPECT_FALSE(triangle_in_frustum(-40, 0, -20, 40, 0, -20, 40, 1, -20));
}

TEST_F(Render, LevelPassCountsSkipsDegenerateAndPairsNormals) {
    known_view();
    level_draw.normal_parity = 0;
    set_mesh({
        triangle(0, 0, 0, -5, 1, 0, -5, 2, 0, -5),  // degenerate: skipped and counted
        triangle(0, 0, 0, -5, 1, 0, -5, 0, 1, -5),  // normal +z
        triangle(99, 0, 0, -5, 0, 0, -6, 0, 1, -5), // reuses it; its slot has no texture
        triangle(0, 0, 0, 50, 1, 0, 50, 0, 1, 50),  // behind: culled, computes -z... +z
    });
    step_level_mesh();
    draw_level_mesh();
    EXPECT_EQ(level_draw.degenerate_count, 1);
    EXPECT_EQ(level_draw.visible_count, 3);
    EXPECT_EQ(level_draw.culled_count, 1);
    EXPECT_EQ(frame_state.hud_triangle_total, 4);
    EXPECT_EQ(level_draw.normal_parity, 1); // the fourth computed; the next reuses
    EXPECT_FLOAT_EQ(level_draw.last_normal.z, 1);
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));

    // An empty mesh draws nothing and counts nothing; the parity carries over frames.
    settle_hud_counts();
    free_level();
    step_level_mesh();
    draw_level_mesh();
    EXPECT_EQ(level_draw.visible_count + level_draw.culled_count + level_draw.degenerate_count, 0);
    EXPECT_EQ(level_draw.normal_parity, 1);
}

TEST_F(Render, HudPrintsAndResetsTheCounters) {
    level_draw.visible_count = 7;
    level_draw.culled_count = 3;
    level_draw.degenerate_count = 2;
    frame_state.hud_triangle_total = 10;
    settle_hud_counts();
    begin_overlay();
    draw_hud_text();
    end_overlay();
    EXPECT_EQ(level_draw.visible_count + level_draw.culled_count + level_draw.degenerate_count, 0);
    EXPECT_EQ(hud.hud_printed.triangles, 10);
    EXPECT_EQ(hud.hud_printed.visible, 7);
    EXPECT_EQ(hud.hud_printed.culled, 3);
    EXPECT_EQ(hud.hud_printed.degenerate, 2);
    GLint depth = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    EXPECT_EQ(depth, 1);
    glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &depth);
    EXPECT_EQ(depth, 1);
}

// The first line ("FPS") sits low enough that its capitals are whole: the top row of the
// view is clear of text and the line's glyphs start just below it.
TEST_F(Render, HudFirstLineIsWhole) {
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    begin_overlay();
    draw_hud_text();
    end_overlay();
    std::vector<unsigned char> rgb;
    int width = 0, height = 0;
    ASSERT_TRUE(headless_read_frame(&rgb, &width, &height));
    const auto text_in_row = [&](int row) {
        for (int x = 0; x < 200 && x < width; ++x)
            if (rgb[(static_cast<size_t>(row) * width + x) * 3] > 128) return true;
        return false;
    };
    int first = -1;
    for (int row = 0; row < height && first < 0; ++row)
        if (text_in_row(row)) first = row;
    EXPECT_GT(first, 0);  // not cut by the top of the view
    EXPECT_LT(first, 12); // nor moved further down than the glyphs need
}

TEST_F(Render, WorldOneScrollsTwoTrianglesAndWavesTwo) {
    // Three triangles: only triangle 2 advances the scroll, and it wraps past 1.
    set_mesh(std::vector<LevelTriangle>(3, triangle(23, 0, 0, -5, 1, 0, -5, 0, 1, -5)));
    level_draw.tex_scroll = 0.9999f;
    known_view();
    step_level_mesh_world1();
    draw_level_mesh_world1();
    EXPECT_NEAR(level_draw.tex_scroll, 0.0001f, 1e-6);
    EXPECT_TRUE(glIsEnabled(GL_BLEND)); // fewer than ten: all of them glow
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));

    // Eight triangles; read back 6 and 7 through feedback with identity transforms and a
    // 2 x 2 viewport, so window x and y are the positions plus 1.
    std::vector<LevelTriangle> eight(8, triangle(23, 0.1f, 0.1f, 0.1f, 0.1f, 0.2f, 0.2f, 0.1f, 0.1f, 0.3f));
    set_mesh(eight);
    animation.wave_a = 0.01f;
    animation.wave_b = 0.002f;
    glViewport(0, 0, 2, 2);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_CULL_FACE);
    std::vector<GLfloat> buffer(1024);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D, buffer.data());
    glRenderMode(GL_FEEDBACK);
    draw_level_mesh_world1();
    const GLint used = glRenderMode(GL_RENDER);
    ASSERT_EQ(used, 8 * 11); // per triangle: token, count, three x y z
    const auto vertex_y = [&](int tri, int v) { return buffer[tri * 11 + 2 + v * 3 + 1] - 1; };
    const auto vertex_z = [&](int tri, int v) { return buffer[tri * 11 + 2 + v * 3 + 2] * 2 - 1; };
    const float a = 0.05f, b = 0.02f; // 5a and 10b
    const float ys[2][3] = {{0.1f + a + b, 0.2f - a + b, 0.1f + a + b}, {0.1f + a + b, 0.2f - a + b, 0.1f - a + b}};
    const float zs[2][3] = {{0.1f + a, 0.2f - a, 0.3f - a}, {0.1f + a, 0.2f + a, 0.3f - a}};
    for (int t = 0; t < 2; ++t)
        for (int v = 0; v < 3; ++v) {
            EXPECT_NEAR(vertex_y(6 + t, v), ys[t][v], 1e-4) << t << v; // window coordinates are subpixel-snapped
            EXPECT_NEAR(vertex_z(6 + t, v), zs[t][v], 1e-4) << t << v;
        }
    EXPECT_NEAR(vertex_y(5, 1), 0.2f, 1e-4); // the others stay put
    resize_view(1024, 768);
}

TEST(RenderSteps, DescentStopsAtTenCentimetres) {
    reset_everything();
    player.eye_height = 0.11f;
    descend_step();
    EXPECT_NEAR(player.eye_height, 0.09f, 1e-6);
    descend_step();
    EXPECT_NEAR(player.eye_height, 0.09f, 1e-6);
    player.eye_height = 0.1f;
    descend_step();
    EXPECT_FLOAT_EQ(player.eye_height, 0.1f);
}

TEST(Animations, TriangleWaveTurnsAtTheTopAndRestsAtTheBottom) {
    reset_everything();
    int rising_frames = 0;
    float before = 0;
    while (!animation.bob_direction.falling) {
        before = animation.bob_offset;
        update_bob();
        ++rising_frames;
    }
    EXPECT_GE(before, 0.05f - 1e-6f);
    EXPECT_LT(animation.bob_offset, before); // it turned and stepped down in the same call
    EXPECT_NEAR(rising_frames, 101, 1);
    int falling_frames = 0;
    float bottom = 0;
    while (!animation.bob_direction.rising) {
        bottom = animation.bob_offset;
        update_bob();
        ++falling_frames;
    }
    EXPECT_EQ(animation.bob_offset, bottom); // the frame that turns at the bottom changes nothing
    update_bob();
    EXPECT_GT(animation.bob_offset, bottom);
    EXPECT_NEAR(falling_frames, 101, 1);

    for (int i = 0; i < 2000; ++i) update_oscillators();
    EXPECT_GE(animation.wave_a, -0.5f - 0.003f);
    EXPECT_LE(animation.wave_a, 0.5f + 0.003f);
    EXPECT_GE(animation.wave_b, -0.003f);
}

TEST(Animations, ALiftRisesAsTabledAndAJumpWaitsForIt) {
    reset_everything();
    lift.lift_active = true;
    lift.boost_active = true; // a step-up during the lift
    float eye = 0;
    for (int frame = 1; frame <= 99; ++frame) {
        update_lift();
        eye += frame < 14 ? 0.05f : 0.016f;
        ASSERT_NEAR(player.eye_height, eye, 1e-4) << frame;
        EXPECT_EQ(headless_sounds().size(), 1u); // the sound starts on frame 1
        EXPECT_EQ(lift.boost_frame, 0);          // the jump waits
    }
    EXPECT_NEAR(player.eye_height, 2.026f, 1e-4);
    update_lift(); // frame 100 ends the lift, and the waiting jump takes its first step
    EXPECT_FALSE(lift.lift_active);
    EXPECT_TRUE(lift.boost_ready);
    EXPECT_EQ(lift.lift_frame, 0);
    EXPECT_EQ(lift.boost_frame, 1);
    for (int i = 0; i < 13; ++i) update_lift();
    EXPECT_FALSE(lift.boost_active);
    EXPECT_NEAR(player.eye_height, 2.026f + 13 * 0.03f, 1e-4);
}

TEST_F(Render, ATriggeredGateSinksToItsStop) {
    for (int w = 0; w < 3; ++w) worlds.world_flags[w] = w == 2;
    player.x = 11.5f; // in unit 1's trigger box
    player.z = -22.5f;
    int frames = 0;
    while (gates.gate_units[0].gate_height > -0.2f) {
        step_gate_units();
        player.x = 0; // walking away changes nothing: the trigger holds
        ++frames;
    }
    EXPECT_TRUE(gates.gate_units[0].gate_triggered);
    EXPECT_GE(frames, 84);
    EXPECT_LE(frames, 85);
    const float stop = gates.gate_units[0].gate_height;
    step_gate_units();
    EXPECT_EQ(gates.gate_units[0].gate_height, stop);
    EXPECT_GT(stop, -0.25f);
    EXPECT_FALSE(gates.gate_units[1].gate_triggered);
}

TEST(Animations, SignsBounceAtTheirBounds) {
    reset_everything();
    animation.sign_swing_angle = 60; // pushed past the bound by the keys
    animation.swing_new_run = false;
    animation.swing_run_pick = 10; // a run towards +50
    animation.swing_run_frames = 100;
    for (int i = 0; i < 20; ++i) update_sign_swing();
    EXPECT_FLOAT_EQ(animation.sign_swing_angle, 50);
    update_sign_swing();
    EXPECT_FLOAT_EQ(animation.sign_swing_angle, 49.5f);
    update_sign_swing();
    EXPECT_FLOAT_EQ(animation.sign_swing_angle, 50);

    // Runs are drawn from the shared sequence: from seed 1 the first is 346 % 50 = 46,
    // a run towards -50 lasting 47 frames.
    reset_everything();
    update_sign_swing();
    EXPECT_EQ(animation.swing_run_pick, 46);
    EXPECT_FLOAT_EQ(animation.sign_swing_angle, -0.5f);
    for (int i = 0; i < 46; ++i) update_sign_swing();
    EXPECT_TRUE(animation.swing_new_run);
}

TEST_F(Render, WaterStaysFlatUntilADropAndADropIsADent) {
    water_init();
    random_seed = 1; // its third value, 10982, lets no drop fall
    water_step(0);
    for (int i = 0; i < WATER_GRID_SIZE; ++i)
        for (int j = 0; j < WATER_GRID_SIZE; ++j) {
            ASSERT_EQ(water.water_current[i][j], 0.0f);
            ASSERT_EQ(water.water_previous[i][j], 0.0f);
        }
    // Step until a drop falls: the dented heights are those the step drew (now previous).
    int steps = 0;
    double dent_sum = 0;
    float deepest = 0;
    while (dent_sum == 0 && steps < 2000) {
        water_step(0);
        ++steps;
        dent_sum = 0;
        deepest = 0;
        for (int i = 0; i < WATER_GRID_SIZE; ++i)
            for (int j = 0; j < WATER_GRID_SIZE; ++j) {
                dent_sum += water.water_previous[i][j];
                deepest = std::min(deepest, water.water_previous[i][j]);
            }
    }
    EXPECT_NEAR(deepest, -0.024f, 1e-6);
    EXPECT_NEAR(dent_sum, -0.004 * 58, 1e-5); // the weights 6 - di^2 - dj^2 above zero
    // The border never moves.
    for (int k = 0; k < 300; ++k) water_step(k % WATER_SURFACES);
    for (int i = 0; i < WATER_GRID_SIZE; ++i) {
        EXPECT_EQ(water.water_current[0][i], 0.0f);
        EXPECT_EQ(water.water_current[i][127], 0.0f);
    }
}

// The step keeps for each draw what the draw, interleaved with the steps, used to see:
// a water surface the heights its own step started from, though a later surface's step
// overwrites them; each fountain draw the particles before its step. Drawing changes
// neither.
TEST_F(Render, EachDrawSeesWhatItsStepStartedFrom) {
    water_init();
    random_seed = 7;
    for (int k = 0; k < 400; ++k) water_step(0); // until the surface has moved
    std::vector<float> first(water.water_current[0], water.water_current[0] + WATER_GRID_SIZE * WATER_GRID_SIZE);
    water_step(0);
    std::vector<float> second(water.water_current[0], water.water_current[0] + WATER_GRID_SIZE * WATER_GRID_SIZE);
    water_step(1);
    const double checksum = water_checksum();
    bool moved = false;
    for (int i = 1; i < WATER_GRID_SIZE - 1; ++i)
        for (int j = 1; j < WATER_GRID_SIZE - 1; ++j) {
            ASSERT_EQ(water.water_vertices[0][i][j].position[2], first[i * WATER_GRID_SIZE + j]);
            ASSERT_EQ(water.water_vertices[1][i][j].position[2], second[i * WATER_GRID_SIZE + j]);
            moved = moved || first[i * WATER_GRID_SIZE + j] != second[i * WATER_GRID_SIZE + j];
        }
    EXPECT_TRUE(moved);
    water_draw(0);
    water_draw(1);
    EXPECT_EQ(water_checksum(), checksum);

    particles_init();
    for (int k = 0; k < 50; ++k) particles_step();
    const auto same = [](const Particle* a, const Particle* b) {
        for (int k = 0; k < PARTICLE_COUNT; ++k)
            if (a[k].x != b[k].x || a[k].y != b[k].y || a[k].z != b[k].z || a[k].life != b[k].life ||
                a[k].green != b[k].green)
                return false;
        return true;
    };
    std::vector<Particle> start(std::begin(particles), std::end(particles));
    const int seed = random_seed;
    particles_step_frame();
    std::vector<Particle> stepped(std::begin(particles), std::end(particles));
    particles_draw(0);
    particles_draw(1);
    EXPECT_TRUE(same(particles, stepped.data()));
    EXPECT_TRUE(same(particle_draws.drawn[0], start.data()));
    std::copy(start.begin(), start.end(), particles);
    random_seed = seed;
    particles_step();
    EXPECT_TRUE(same(particle_draws.drawn[1], particles));
    EXPECT_FALSE(same(particle_draws.drawn[1], start.data()));
    particles_step();
    EXPECT_TRUE(same(particles, stepped.data()));
}

TEST_F(Render, AParticleWithTheLargestFadeIsEmittedOnItsTenthStep) {
    particles_init();
    particles[0].fade = 0.103f;
    for (int step = 1; step <= 9; ++step) particles_step();
    EXPECT_NEAR(particles[0].life, 1 - 9 * 0.103f, 1e-5);
    EXPECT_EQ(particles[0].green, 0.0f); // not yet emitted: still black
    particles_step();
    particles_draw(0);
    EXPECT_EQ(particles[0].life, 1.0f);
    EXPECT_EQ(particles[0].green, 1.0f);
    EXPECT_EQ(particles[0].x, 0.0f);
    EXPECT_GE(particles[0].fade, 0.003f);
    EXPECT_LE(particles[0].fade, 0.0121f);
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
}
