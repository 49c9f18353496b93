// Weapons: the firing state machines driven by buttons and steps, selection picking of the
// targets through the headless GL, impact-mark recording and display, the pointer after
// the window gets the input back, and the ring pair's colour cycle.
#include "app/input.h"
#include "app/window.h"
#include "nav/keys.h"
#include "nav/player.h"
#include "render/frame.h"
#include "render/view.h"
#include "support.h"
#include "tools/census/census.h"
#include "weapons/targets.h"
#include "weapons/weapon_models.h"
#include "weapons/weapons.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

namespace {

class Weapons : public ::testing::Test {
protected:
    void SetUp() override {
        reset_everything();
        ASSERT_TRUE(start_windowed_program());
        aim_at_target(0);
    }
    void TearDown() override { reset_everything(); }

    // The camera two units in front of target n, looking straight at it; the pointer at the
    // window centre picks it.
    static void aim_at_target(int n) {
        targets.row_sway = 0;
        player = PlayerState{static_cast<float>(-n), 0, 1, 0, 0};
        glLoadIdentity();
        apply_camera();
    }
    static long sounds(const char* name) {
        const auto& all = headless_sounds();
        return std::count(all.begin(), all.end(), std::string(name));
    }
    static void click(MouseButton button) {
        on_mouse_button(button, true);
        on_mouse_button(button, false);
    }
    // Frames of the held weapon: its step, then its drawing.
    static void draws(int count) {
        for (int i = 0; i < count; ++i) {
            step_held_weapon();
            draw_held_weapon();
            take_mark_request(); // as the frame settles
        }
    }
};

TEST(WeaponKeys, TheLastDigitInOrderWinsAndZeroPutsAway) {
    reset_everything();
    keys[Key::Digit1] = keys[Key::Digit3] = true;
    apply_held_keys();
    EXPECT_EQ(weapon_state.held_weapon, 3);
    keys[Key::Digit0] = true;
    apply_held_keys();
    EXPECT_EQ(weapon_state.held_weapon, 0);
    keys[Key::Digit0] = false;
    keys[Key::Digit7] = true; // not a weapon key
    keys[Key::Digit1] = keys[Key::Digit3] = false;
    apply_held_keys();
    EXPECT_EQ(weapon_state.held_weapon, 0);
    reset_everything();
}

TEST_F(Weapons, NoWeaponClickDoesNothing) {
    click(MouseButton::Left);
    EXPECT_TRUE(headless_sounds().empty());
    EXPECT_TRUE(targets.target_visible[0]);
}

TEST_F(Weapons, WeaponThreeRefusesDuringRecoilAndReloadAndFiresAfterSixteenDraws) {
    weapon_state.held_weapon = 3;
    click(MouseButton::Left);
    EXPECT_EQ(sounds(BLAST_SOUND), 1);
    EXPECT_FALSE(targets.target_visible[0]); // the click picked at once
    targets.target_visible[0] = true;
    draws(5);
    click(MouseButton::Left); // still recoiling
    EXPECT_EQ(sounds(BLAST_SOUND), 1);
    EXPECT_TRUE(targets.target_visible[0]);
    draws(1); // the sixth draw ends the recoil and counts the first reload draw
    EXPECT_FALSE(weapon_state.weapon3.fired);
    EXPECT_TRUE(weapon_state.weapon3.reloading);
    EXPECT_EQ(weapon_state.weapon3.reload_frames, 1);
    draws(9);
    click(MouseButton::Left); // the last reload draw has not run yet
    EXPECT_EQ(sounds(BLAST_SOUND), 1);
    draws(1);
    EXPECT_FALSE(weapon_state.weapon3.reloading);
    click(MouseButton::Left);
    EXPECT_EQ(sounds(BLAST_SOUND), 2);
    EXPECT_TRUE(weapon_state.weapon3.fired);
}

TEST_F(Weapons, WeaponFourHeldTenDrawsFiresFiveTimesAndPicksEveryDraw) {
    weapon_state.held_weapon = 4;
    on_mouse_button(MouseButton::Left, true);
    EXPECT_EQ(sounds(SHOT_SOUND), 1);       // the press itself
    EXPECT_TRUE(targets.target_visible[0]); // ... but no pick yet
    int picks = 0, mark_requests = 0;
    for (int i = 0; i < 10; ++i) {
        targets.target_visible[0] = true;
        weapon_state.mark_request_primary = false;
        draws(1);
        picks += !targets.target_visible[0];
        mark_requests += weapon_state.mark_request_primary;
    }
    EXPECT_EQ(sounds(SHOT_SOUND), 1 + 5);
    EXPECT_EQ(mark_requests, 5);
    EXPECT_EQ(picks, 10);
    EXPECT_TRUE(weapon_state.impact_marks_enabled);
}

TEST_F(Weapons, WeaponFourLaunchRunsFiftyOneDrawsAndIgnoresASecondPress) {
    weapon_state.held_weapon = 4;
    on_mouse_button(MouseButton::Left, true);
    on_mouse_button(MouseButton::Right, true);
    draws(1);
    EXPECT_FALSE(weapon_state.weapon4.left_held); // automatic fire stops for the launch
    EXPECT_EQ(weapon_state.weapon4.launch_frames, 1);
    EXPECT_EQ(sounds(BLAST_SOUND), 1);
    EXPECT_FALSE(targets.target_visible[0]); // the launch's first draw picks
    targets.target_visible[0] = true;
    on_mouse_button(MouseButton::Right, false); // releasing does not stop it
    on_mouse_button(MouseButton::Right, true);  // a press during the launch is ignored
    EXPECT_FALSE(weapon_state.weapon4.right_pressed);
    draws(49);
    EXPECT_EQ(weapon_state.weapon4.launch_frames, 50);
    EXPECT_TRUE(targets.target_visible[0]); // no further picks
    EXPECT_EQ(sounds(BLAST_SOUND), 1);
    draws(1);
    EXPECT_EQ(weapon_state.weapon4.launch_frames, 0);
    EXPECT_FALSE(weapon_state.weapon4.launch_active);
    // A press and release between two draws starts nothing.
    click(MouseButton::Right);
    draws(1);
    EXPECT_FALSE(weapon_state.weapon4.launch_active);
}

TEST_F(Weapons, WeaponTwoEmptiesNineteenCartridgesAndTheTwentiethShotRefills) {
    weapon_state.held_weapon = 2;
    for (int shot = 0; shot < 19; ++shot) {
        click(MouseButton::Left);
        draws(2); // the second draw must not turn the drum again
    }
    EXPECT_EQ(weapon_state.weapon2.shots, 19);
    EXPECT_FLOAT_EQ(weapon_state.weapon2.drum_angle, -19 * 18.0f);
    EXPECT_EQ(std::count(std::begin(weapon_state.weapon2.cartridge_present),
                         std::end(weapon_state.weapon2.cartridge_present), true),
              1);
    EXPECT_TRUE(weapon_state.weapon2.cartridge_present[19]);
    const CensusResult emptied = census_run(draw_held_weapon);
    click(MouseButton::Left);
    draws(1);
    EXPECT_EQ(weapon_state.weapon2.shots, 0);
    EXPECT_EQ(std::count(std::begin(weapon_state.weapon2.cartridge_present),
                         std::end(weapon_state.weapon2.cartridge_present), true),
              20);
    const CensusResult full = census_run(draw_held_weapon);
    EXPECT_EQ(full.cylinders - emptied.cylinders, 19 * 7); // seven cylinders a cartridge
}

TEST_F(Weapons, ButtonHeldAcrossASwitchKeepsWeaponFourFiring) {
    weapon_state.held_weapon = 4;
    on_mouse_button(MouseButton::Left, true);
    weapon_state.held_weapon = 1;
    on_mouse_button(MouseButton::Left, false);
    EXPECT_TRUE(weapon_state.weapon4.left_held);
    draws(2); // weapon 1 untouched: no trigger
    weapon_state.held_weapon = 4;
    const long before = sounds(SHOT_SOUND);
    draws(2);
    EXPECT_EQ(sounds(SHOT_SOUND), before + 1);
    on_mouse_button(MouseButton::Left, false);
    EXPECT_FALSE(weapon_state.weapon4.left_held);
}

TEST_F(Weapons, WeaponFiveDrivesItsRotorsWithASoundEveryDraw) {
    weapon_state.held_weapon = 5;
    on_mouse_button(MouseButton::Left, true);
    on_mouse_button(MouseButton::Right, true);
    draws(3);
    EXPECT_FLOAT_EQ(weapon_state.weapon5.left_angle, 45);
    EXPECT_FLOAT_EQ(weapon_state.weapon5.right_angle, 135);
    EXPECT_EQ(sounds(SHOT_SOUND), 3);
    EXPECT_EQ(sounds(BLAST_SOUND), 3);
    EXPECT_TRUE(targets.target_visible[0]);
    EXPECT_FALSE(weapon_state.impact_marks_enabled);
}

// The offsets the model applies come from the step alone, read before the step moves the
// recoil and reload on: the recoil shows on the six steps up to its end, the pump is back
// on the last five steps of the reload.
TEST_F(Weapons, WeaponThreeStepsItsRecoilAndPumpWithoutADraw) {
    weapon_state.held_weapon = 3;
    click(MouseButton::Left);
    for (int step = 1; step <= 17; ++step) {
        SCOPED_TRACE(step);
        step_held_weapon();
        EXPECT_FLOAT_EQ(weapon_state.weapon3.recoil, step <= 6 ? 0.1f : 0.0f);
        EXPECT_FLOAT_EQ(weapon_state.weapon3.slide, step >= 12 && step <= 16 ? 0.09f : 0.0f);
    }
    EXPECT_FALSE(weapon_state.weapon3.fired || weapon_state.weapon3.reloading);
}

// Weapon 4's kicks, its launch and its picks, stepped without a draw: the picks need only
// the camera, and the launched part stands out from the 26th step to the 51st.
TEST_F(Weapons, WeaponFourStepsItsKicksLaunchAndPicksWithoutADraw) {
    weapon_state.held_weapon = 4;
    on_mouse_button(MouseButton::Left, true);
    for (int step = 1; step <= 4; ++step) {
        SCOPED_TRACE(step);
        targets.target_visible[0] = true;
        step_held_weapon();
        EXPECT_FLOAT_EQ(weapon_state.weapon4.kick, step % 2 == 1 ? 0.02f : 0.0f);
        EXPECT_FALSE(targets.target_visible[0]);
    }
    on_mouse_button(MouseButton::Right, true);
    targets.target_visible[0] = true;
    step_held_weapon();
    EXPECT_FLOAT_EQ(weapon_state.weapon4.launch_kick, 0.04f);
    EXPECT_FALSE(targets.target_visible[0]); // the launch's first step picks
    on_mouse_button(MouseButton::Right, false);
    targets.target_visible[0] = true;
    for (int step = 2; step <= 52; ++step) {
        SCOPED_TRACE(step);
        step_held_weapon();
        EXPECT_FLOAT_EQ(weapon_state.weapon4.launch_kick, 0.0f); // released: no kick
        EXPECT_FLOAT_EQ(weapon_state.weapon4.launch_out, step > 25 && step <= 51 ? 0.1f : 0.0f);
    }
    EXPECT_FALSE(weapon_state.weapon4.launch_active);
    EXPECT_TRUE(targets.target_visible[0]);
}

// Drawing the held weapon again, with buttons down and a trigger waiting, moves nothing
// on: no trigger taken, no rotor turned, no sound, no pick; the pixels are the same.
TEST_F(Weapons, DrawingTheHeldWeaponTwiceChangesNothing) {
    const auto pixels = [] {
        GLint viewport[4];
        glGetIntegerv(GL_VIEWPORT, viewport);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        draw_held_weapon();
        std::vector<unsigned char> rgba(static_cast<size_t>(viewport[2]) * viewport[3] * 4);
        glReadPixels(0, 0, viewport[2], viewport[3], GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
        return rgba;
    };
    for (int weapon = 1; weapon <= 5; ++weapon) {
        SCOPED_TRACE(weapon);
        weapon_state = WeaponState{};
        weapon_state.held_weapon = weapon;
        on_mouse_button(MouseButton::Left, true);
        on_mouse_button(MouseButton::Right, true);
        step_held_weapon();
        on_mouse_button(MouseButton::Left, true); // a trigger for the next step
        unsigned char before[sizeof weapon_state + sizeof targets + sizeof impact_marks];
        const auto snapshot = [](unsigned char* out) {
            std::memcpy(out, &weapon_state, sizeof weapon_state);
            std::memcpy(out + sizeof weapon_state, &targets, sizeof targets);
            std::memcpy(out + sizeof weapon_state + sizeof targets, &impact_marks, sizeof impact_marks);
        };
        snapshot(before);
        const size_t sounds_before = headless_sounds().size();
        const std::vector<unsigned char> first = pixels();
        const std::vector<unsigned char> second = pixels();
        unsigned char after[sizeof before];
        snapshot(after);
        EXPECT_EQ(std::memcmp(before, after, sizeof before), 0);
        EXPECT_EQ(headless_sounds().size(), sounds_before);
        EXPECT_TRUE(first == second);
        EXPECT_TRUE(std::any_of(first.begin(), first.end(), [](unsigned char c) { return c != 0; }));
    }
}

// Every held model leaves the state the next surfaces rely on: culling on with
// counter-clockwise fronts, no texture generation, no clip plane, the stacks as deep.
TEST_F(Weapons, HeldModelsLeaveTheFrameStateAsTheyFoundIt) {
    for (int weapon = 1; weapon <= 5; ++weapon) {
        weapon_state.held_weapon = weapon;
        const CensusResult r = census_run(draw_held_weapon);
        SCOPED_TRACE(weapon);
        EXPECT_TRUE(r.any_geometry);
        EXPECT_TRUE(r.matrix_depth_ok);
        EXPECT_TRUE(r.colour_kept);
        EXPECT_TRUE(r.cull_face);
        EXPECT_TRUE(r.front_face_ccw);
        EXPECT_TRUE(r.texture_2d);
        EXPECT_FALSE(r.texgen_s || r.texgen_t || r.clip_plane0);
    }
}

// The inventories the models are built to: quadrics, tori and triangle runs per slot.
TEST_F(Weapons, HeldModelsKeepTheirInventories) {
    struct Inventory {
        int cylinders, disks, spheres, tori;
        std::vector<std::pair<int, int>> runs;
    };
    // clang-format off
    const Inventory expected[5] = {
        {17, 13, 2, 0, {{18, 222}}},
        {6 + 2 + 20 * 7, 0, 1, 1, {{9, 8}}}, // barrel 6, drum 2, cartridges 7 each; disks free
        {32, 49, 2, 10, {{9, 0}}},
        {0, 0, 5, 7, {{9, 32}, {1, 4}, {8, 8}, {9, 0}}}, // cylinders and disks free
        {80, 92, 3, 0, {{10, 0}}},
    };
    // clang-format on
    for (int weapon = 1; weapon <= 5; ++weapon) {
        SCOPED_TRACE(weapon);
        weapon_state.held_weapon = weapon;
        const CensusResult r = census_run(draw_held_weapon);
        const Inventory& e = expected[weapon - 1];
        if (weapon != 4) {
            EXPECT_EQ(r.cylinders, e.cylinders);
        }
        if (weapon != 2 && weapon != 4) {
            EXPECT_EQ(r.disks, e.disks);
        }
        EXPECT_EQ(r.spheres, e.spheres);
        EXPECT_EQ(r.tori, e.tori);
        EXPECT_EQ(r.runs, e.runs);
    }
}

// Weapon 3's ten tori: the grip ring (tube 0.05) and nine bands and guard rings of tube
// 0.04, every one cut by clip planes 1 and 2; the display copy draws them finer.
TEST_F(Weapons, WeaponThreeToriAreOneGripRingAndNineBandsAllClipped) {
    struct Detail {
        void (*draw)();
        int grip_sides, grip_rings, band_sides, band_rings;
    };
    weapon_state.held_weapon = 3;
    for (const Detail& d : {Detail{draw_held_weapon, 41, 37, 14, 5}, Detail{draw_weapon3_display, 16, 14, 16, 14}}) {
        const CensusResult r = census_run(d.draw);
        ASSERT_EQ(r.torus_calls.size(), 10u);
        int grips = 0, bands = 0;
        for (const CensusTorus& t : r.torus_calls) {
            EXPECT_TRUE(t.clip_plane1 && t.clip_plane2) << "ring " << t.ring_radius;
            if (t.tube_radius == 0.05f && t.ring_radius == 0.03f && t.sides == d.grip_sides && t.rings == d.grip_rings)
                ++grips;
            if (t.tube_radius == 0.04f && t.ring_radius >= 0.056f && t.ring_radius <= 0.065f &&
                t.sides == d.band_sides && t.rings == d.band_rings)
                ++bands;
        }
        EXPECT_EQ(grips, 1);
        EXPECT_EQ(bands, 9);
    }
}

TEST_F(Weapons, PickHidesExactlyOneTargetAndNeverAHiddenOne) {
    pick_targets();
    EXPECT_FALSE(targets.target_visible[0]);
    EXPECT_TRUE(targets.target_visible[1] && targets.target_visible[2]);
    // Looking along the row from far off, the targets stand behind each other.
    reset_targets();
    pointer.cursor_pos = CursorPos{512, 384}; // the exact centre, so the row lines up in it
    player = PlayerState{6, -2, 1, 90, 0};
    glLoadIdentity();
    apply_camera();
    pick_targets(); // three hits
    EXPECT_TRUE(targets.target_visible[0] && targets.target_visible[1] && targets.target_visible[2]);
    targets.target_visible[2] = false;
    pick_targets(); // two hits
    EXPECT_TRUE(targets.target_visible[0] && targets.target_visible[1]);
    targets.target_visible[1] = false;
    pick_targets(); // the hidden ones are not drawn in the pick: one hit
    EXPECT_FALSE(targets.target_visible[0]);
}

TEST_F(Weapons, PickUsesItsOwnProjectionAndThePointer) {
    pointer.cursor_pos = CursorPos{CURSOR_CENTER_X + 200, CURSOR_CENTER_Y};
    pick_targets();
    EXPECT_TRUE(targets.target_visible[0]);
    // Target 1 is one unit to the left at two units: 0.5 / tan(22.5 degrees) of the half
    // height, 384 * 0.5 / 0.4142 = 463 pixels left of the centre.
    pointer.cursor_pos = CursorPos{512 - 463, CURSOR_CENTER_Y};
    pick_targets();
    EXPECT_FALSE(targets.target_visible[1]);
    EXPECT_TRUE(targets.target_visible[0]);
}

TEST_F(Weapons, AClickAfterTheInputComesBackAimsAtTheCrosshair) {
    run_frames(1);
    headless_set_focus(false);
    headless_move_cursor(-300, 200);
    run_frames(1);
    headless_set_focus(true);
    aim_at_target(0);
    weapon_state.held_weapon = 1;
    window_proc(button_event(true, MouseButton::Left));
    EXPECT_EQ(pointer.cursor_pos.x, CURSOR_CENTER_X);
    EXPECT_EQ(pointer.cursor_pos.y, CURSOR_CENTER_Y);
    EXPECT_FALSE(targets.target_visible[0]);
    const float heading = player.heading;
    run_frames(1); // and the view does not jump by the old offset
    EXPECT_FLOAT_EQ(player.heading, heading);
}

class Marks : public Weapons {
protected:
    // A depth buffer of `depth` everywhere, identity matrices: a record at the pointer
    // un-projects to its normalised device position.
    static void flat_scene(float depth) {
        glClearDepth(depth);
        glClear(GL_DEPTH_BUFFER_BIT);
        glClearDepth(1);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
    }
    // A frame's marks: the step, one pass and its recording.
    static void shoot(int cursor_x, int cursor_y) {
        pointer.cursor_pos = CursorPos{cursor_x, cursor_y};
        weapon_state.impact_marks_enabled = true;
        weapon_state.mark_request_primary = weapon_state.mark_request_secondary = true;
        step_impact_marks();
        ImpactMarkReadings readings;
        draw_impact_marks(&readings);
        record_impact_marks(readings);
    }
    static void draw_marks() {
        ImpactMarkReadings readings;
        draw_impact_marks(&readings);
    }
    // A pass of the frame being drawn, into the frame's readings.
    static inline ImpactMarkReadings frame_readings;
    static void draw_frame_pass() { draw_impact_marks(&frame_readings); }
};

TEST_F(Marks, TwoHundredFiftyShotsShowTheirLastTwoHundredAcrossBothRings) {
    flat_scene(0.5f);
    for (int shot = 1; shot <= 250; ++shot) shoot(shot, 500); // x tells the shots apart
    const ImpactMarkState& m = impact_marks;
    EXPECT_EQ(m.primary_ring.count, 250u);
    EXPECT_EQ(m.secondary_ring.count, 50u);
    EXPECT_EQ(m.impact_mark_total, 250u);
    const auto x_of = [](int shot) { return 2.0f * static_cast<float>(shot) / 1024 - 1; };
    EXPECT_FLOAT_EQ(m.secondary_ring.slots[0].position.x, x_of(201)); // the same shot starts it
    EXPECT_FLOAT_EQ(m.primary_ring.slots[209].position.x, x_of(210)); // stored, never shown
    EXPECT_EQ(m.primary_ring.slots[210].position.y, 0);               // nothing beyond 209
    const CensusResult shown = census_run(draw_marks);
    EXPECT_EQ(shown.tori, 150 + 50); // primary 51..200, secondary 201..250
    EXPECT_FALSE(shown.texture_2d == false);
}

TEST_F(Marks, ARingIsEmptiedAfterItsCountPasses390) {
    flat_scene(0.5f);
    for (int shot = 1; shot <= 391; ++shot) shoot(100, 500);
    EXPECT_EQ(impact_marks.primary_ring.count, 391u);
    shoot(100, 500); // emptied first, then this record
    EXPECT_EQ(impact_marks.primary_ring.count, 1u);
    EXPECT_EQ(impact_marks.primary_ring.slots[1].position.y, 0);
}

// A pass reads and draws but records nothing until its frame is recorded; a second pass
// of the same frame shows the first one's record and takes no second one.
TEST_F(Marks, APassRecordsOnlyWithItsFrameAndOnce) {
    flat_scene(0.5f);
    shoot(100, 500);
    pointer.cursor_pos = CursorPos{200, 500};
    weapon_state.mark_request_primary = weapon_state.mark_request_secondary = true;
    const ImpactMarkState before = impact_marks;
    frame_readings = ImpactMarkReadings{};
    const CensusResult first = census_run(draw_frame_pass);
    const CensusResult second = census_run(draw_frame_pass);
    EXPECT_EQ(impact_marks.primary_ring.count, before.primary_ring.count);
    EXPECT_TRUE(weapon_state.mark_request_primary);
    EXPECT_EQ(first.tori, 2);
    EXPECT_EQ(second.tori, 2);
    record_impact_marks(frame_readings);
    EXPECT_EQ(impact_marks.primary_ring.count, 2u);
    EXPECT_EQ(impact_marks.impact_mark_total, 2u);
    EXPECT_FALSE(weapon_state.mark_request_primary);
    EXPECT_FLOAT_EQ(impact_marks.primary_ring.slots[1].position.x, 2.0f * 200 / 1024 - 1);
}

// The frame whose record takes a ring past 390 draws the ring as it stands; drawn again
// it shows the same and changes nothing. The next frame's step empties it.
TEST_F(Marks, AFullRingDrawnAgainShowsWhatItsFrameShowed) {
    flat_scene(0.5f);
    for (int shot = 1; shot <= 390; ++shot) shoot(shot, 500);
    weapon_state.mark_request_primary = weapon_state.mark_request_secondary = true;
    step_impact_marks();
    frame_readings = ImpactMarkReadings{};
    const CensusResult frame = census_run(draw_frame_pass);
    record_impact_marks(frame_readings);
    EXPECT_EQ(impact_marks.primary_ring.count, 391u);
    EXPECT_EQ(frame.tori, 9 + 191); // primary 192..200, secondary 201..391
    unsigned char before[sizeof impact_marks + sizeof weapon_state];
    std::memcpy(before, &impact_marks, sizeof impact_marks);
    std::memcpy(before + sizeof impact_marks, &weapon_state, sizeof weapon_state);
    EXPECT_EQ(census_run(draw_marks).tori, frame.tori);
    EXPECT_EQ(std::memcmp(before, &impact_marks, sizeof impact_marks), 0);
    EXPECT_EQ(std::memcmp(before + sizeof impact_marks, &weapon_state, sizeof weapon_state), 0);
    step_impact_marks();
    EXPECT_EQ(impact_marks.primary_ring.count, 0u);
    EXPECT_EQ(census_run(draw_marks).tori, 191);
}

TEST_F(Marks, GroundLevelIsStoredNotShownAndTooNearRepeatsTheLastPoint) {
    flat_scene(0.5f);
    shoot(512, 384); // the unflipped centre row un-projects to y = 0
    EXPECT_EQ(impact_marks.primary_ring.count, 1u);
    EXPECT_EQ(census_run(draw_marks).tori, 0);
    flat_scene(0.5f);
    shoot(700, 500);
    const Vec3 first = impact_marks.primary_ring.slots[1].position;
    flat_scene(0.1f); // nearer than the minimum depth
    shoot(100, 100);
    const Vec3 repeated = impact_marks.primary_ring.slots[2].position;
    EXPECT_EQ(repeated.x, first.x);
    EXPECT_EQ(repeated.y, first.y);
}

TEST_F(Marks, AShotAtTheSkyStoresTheFarPoint) {
    reset_everything();
    ASSERT_TRUE(start_windowed_program());
    glClear(GL_DEPTH_BUFFER_BIT); // depth 1 everywhere
    player = PlayerState{0, 0, 1, 30, 0};
    glLoadIdentity();
    apply_camera();
    shoot(CURSOR_CENTER_X, CURSOR_CENTER_Y);
    const Vec3 p = impact_marks.primary_ring.slots[0].position;
    const float distance = std::sqrt(p.x * p.x + (p.y - 1) * (p.y - 1) + p.z * p.z);
    EXPECT_NEAR(distance, FAR_PLANE, 2.0);
    EXPECT_LT(p.x, 0); // heading 30 looks towards -z and -x
    EXPECT_EQ(impact_marks.primary_ring.slots[0].heading, 30);
}

// Marks keep whole degrees as the player had them; an angle beyond what an int holds
// keeps its rotation, and one that is not a number none.
TEST_F(Marks, UnboundedViewAnglesKeepTheirRotation) {
    flat_scene(0.5f);
    const float angles[][2] = {{725.9f, -45.5f}, {1e30f, -3e9f}, {NAN, INFINITY}};
    const int32_t kept[][2] = {{725, -45}, {static_cast<int32_t>(std::fmod(1e30f, 360.0f)), -120}, {0, 0}};
    for (size_t k = 0; k < std::size(angles); ++k) {
        player.heading = angles[k][0];
        player.pitch = angles[k][1];
        shoot(300, 300);
        EXPECT_EQ(impact_marks.primary_ring.slots[k].heading, kept[k][0]) << k;
        EXPECT_EQ(impact_marks.primary_ring.slots[k].pitch, kept[k][1]) << k;
    }
    // -3e9 is a whole number of degrees: 3e9 = 8333333 x 360 + 120.
    EXPECT_EQ(census_run(draw_marks).tori, 3);
}

// The colour left current is the byte-wrapped second step of the countdown.
TEST_F(Weapons, RingPairColourCountsDownAndWrapsItsBytes) {
    set_ring_pair_effects(true);
    float rgb[3] = {-100, -100, -100};
    step_ring_pair(rgb);
    draw_ring_pair();
    GLfloat colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_NEAR(colour[0] * 255, 156, 0.01); // -100.2 -> -100 -> 156
    EXPECT_NEAR(colour[1] * 255, 156, 0.01); // -100.6 -> -100
    EXPECT_NEAR(colour[2] * 255, 155, 0.01); // -101.4 -> -101 -> 155
    set_ring_pair_effects(false);
    float white[3] = {5, 5, 5};
    step_ring_pair(white);                   // effects off: the first ring resets the triple to 255
    EXPECT_NEAR(white[0], 255 - 0.2f, 1e-4); // and the two later steps count it down
}

// The pair's drawing issues what its step kept: drawn twice it moves nothing and leaves
// the same colour current.
TEST_F(Weapons, RingPairDrawnTwiceChangesNothing) {
    set_ring_pair_effects(true);
    RingPairState& r = weapon_models.ring_pair;
    r.halo_progress = 2; // the drifted circle's point sphere shows too
    float rgb[3] = {30, 30, 30};
    step_ring_pair(rgb);
    const RingPairState stepped = r;
    GLfloat first[4], second[4];
    draw_ring_pair();
    glGetFloatv(GL_CURRENT_COLOR, first);
    draw_ring_pair();
    glGetFloatv(GL_CURRENT_COLOR, second);
    EXPECT_EQ(std::memcmp(&stepped, &r, sizeof r), 0);
    for (int k = 0; k < 4; ++k) EXPECT_EQ(first[k], second[k]) << k;
    EXPECT_TRUE(r.drawn.drifted_sphere);
}

TEST_F(Weapons, RingPairSphereSinksOnlyAfterTheCircleIsHome) {
    RingPairState& r = weapon_models.ring_pair;
    r.effects_on = true;
    r.rise_height = 1.0f;
    r.halo_progress = 0.002f;
    set_ring_pair_effects(false);
    float rgb[3] = {0, 0, 0};
    step_ring_pair(rgb);
    step_ring_pair(rgb);
    EXPECT_FLOAT_EQ(r.rise_height, 1.0f); // the circle drifts back first
    step_ring_pair(rgb);
    step_ring_pair(rgb);
    EXPECT_TRUE(r.descent_allowed);
    EXPECT_LT(r.rise_height, 1.0f);
}

} // namespace
