// Navigation: movement and mouse-look, world 1's clamps, the wall and floor contacts of
// every world, the doorways and the boxes of world 3.
#include "app/input.h"
#include "nav/clamps.h"
#include "nav/contacts.h"
#include "nav/gates.h"
#include "nav/player.h"
#include "nav/worlds.h"
#include "nav/gates.h"
#include "scene/animation.h"
#include "support.h"
#include "nav/keys.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

class Nav : public ::testing::Test {
protected:
    void SetUp() override { reset_everything(); }
    void TearDown() override { reset_everything(); }
};

void put(float x, float z, float eye) {
    player.x = x;
    player.z = z;
    player.eye_height = eye;
}

void only_world(int world) {
    for (int w = 0; w < WORLD_COUNT; ++w) worlds.world_flags[w] = w == world - 1;
}

} // namespace

TEST_F(Nav, ArrowStepsFollowTheHeadingAndMouseLookTurns) {
    keys[Key::Up] = keys[Key::Right] = true;
    only_world(3); // no clamps
    apply_held_keys();
    EXPECT_NEAR(player.x, -1 + 0.05, 1e-6); // right is +x at heading 0
    EXPECT_NEAR(player.z, -1 - 0.05, 1e-6); // forward is -z
    keys[Key::Right] = false;
    keys[Key::Down] = true; // up and down together come back
    apply_held_keys();
    EXPECT_NEAR(player.z, -1.05, 1e-6);

    apply_mouse_look(20, -10); // cursor 20 left of centre and 10 below
    EXPECT_FLOAT_EQ(player.heading, 1);
    EXPECT_FLOAT_EQ(player.pitch, 0.5f);
    for (int i = 0; i < 400; ++i) apply_mouse_look(20, 0); // no wrapping
    EXPECT_NEAR(player.heading, 401, 1e-3);
}

// The sensitivity multiplies the turn and the tilt alike; inverting flips the tilt only.
TEST_F(Nav, MouseLookFollowsTheSensitivityAndInvertFlipsOnlyTheTilt) {
    mouse_look = MouseLook{2, true};
    apply_mouse_look(20, -10);
    EXPECT_FLOAT_EQ(player.heading, 2);
    EXPECT_FLOAT_EQ(player.pitch, -1);
    mouse_look = MouseLook{0.05, false};
    apply_mouse_look(-20, 20);
    EXPECT_FLOAT_EQ(player.heading, 2 - 0.05f);
    EXPECT_FLOAT_EQ(player.pitch, -1 - 0.05f);
}

TEST_F(Nav, EndJumpsOncePerPressAndNotDuringALift) {
    keys[Key::End] = true;
    apply_held_keys();
    EXPECT_TRUE(lift.boost_active);
    lift.boost_active = false;
    apply_held_keys(); // still held: no second jump
    EXPECT_FALSE(lift.boost_active);
    keys[Key::End] = false;
    apply_held_keys();
    lift.lift_active = true;
    keys[Key::End] = true;
    apply_held_keys();
    EXPECT_FALSE(lift.boost_active);

    keys[Key::Delete] = true; // Delete during a lift restarts the sound only
    apply_held_keys();
    EXPECT_EQ(headless_sounds().size(), 1u);
    EXPECT_EQ(headless_sounds()[0], "text/a_avion01.wav");
}

TEST_F(Nav, ClampTableOrderAndItsEdges) {
    ASSERT_EQ(WORLD1_CLAMP_BANDS.size(), 245u);
    EXPECT_EQ(WORLD1_CLAMP_BANDS[0].kind, ClampKind::Stop);
    EXPECT_EQ(WORLD1_CLAMP_BANDS[83].kind, ClampKind::Stop);
    EXPECT_FLOAT_EQ(WORLD1_CLAMP_BANDS[1].z_high, 9.0f); // left wall starts at the far +z end
    EXPECT_FLOAT_EQ(WORLD1_CLAMP_BANDS[84].z_low, -9.0f);
    EXPECT_FLOAT_EQ(WORLD1_CLAMP_BANDS[244].z_high, 9.0f);

    struct Row {
        float x, z, eye, want_x, want_z;
    };
    // clang-format off
    const Row rows[] = {
        {-8.9f, 5.3f, 0.59f, -8.1f, 5.3f},  // left band with limit -8.1
        {8.0f, 0.0f, 0.59f, 8.0f, 0.0f},    // inside the right middle band's limit
        {8.6f, 5.95f, 0.59f, 7.4f, 5.95f},  // right band (5.925, 6.0)
        {8.6f, 6.0f, 0.59f, 8.6f, 6.0f},    // on a band boundary: no right band
        {-8.9f, 3.0f, 0.59f, -8.9f, 3.0f},  // boundaries are open: z = 3, -1 and 5.25
        {-8.9f, -1.0f, 0.59f, -8.9f, -1.0f},
        {-8.9f, 5.25f, 0.59f, -8.9f, 5.25f},
        {9.5f, 0.0f, 0.59f, 9.5f, 0.0f},    // outside the hall: no band
        {-9.5f, 0.0f, 0.59f, -9.5f, 0.0f},
        {0.0f, 8.55f, 0.59f, 0.0f, 8.5f},   // front stop
        {0.0f, -8.58f, 0.59f, 0.0f, -8.5f}, // back stop
        {0.0f, 8.65f, 0.59f, 0.0f, 8.65f},  // past the stop: nothing
        {-8.9f, 5.3f, 1.0f, -8.9f, 5.3f},   // eye at the limit: nothing at all
    };
    // clang-format on
    for (const Row& r : rows) {
        put(r.x, r.z, r.eye);
        EXPECT_TRUE(clamp_world1_position());
        EXPECT_FLOAT_EQ(player.x, r.want_x) << r.x << ", " << r.z;
        EXPECT_FLOAT_EQ(player.z, r.want_z) << r.x << ", " << r.z;
    }
    put(-8.9f, 5.3f, 0.59f);
    clamp_world1_position();
    clamp_world1_position(); // a clamped position stays put
    EXPECT_FLOAT_EQ(player.x, -8.1f);
}

TEST_F(Nav, WallsHoldThePlayerAtTheWorldsKeepOut) {
    struct Row {
        int world;
        float x, z, eye;
        float want_x, want_z;
    };
    // clang-format off
    const Row rows[] = {
        {3, 0.0f, -0.5f, 0.6f, 0.0f, -0.6f},   // the z = 0 wall, keep-out 0.6
        {3, 7.0f, -5.0f, 1.6f, 6.7f, -5.0f},   // x = 7.3 from the west: positive side
        {3, -7.0f, -5.0f, 1.6f, -6.75f, -5.0f}, // x = -7.35 from the east: negative side
        {2, 5.9f, -10.0f, 0.6f, 5.7f, -10.0f}, // world 2 keeps 0.3
        {2, 6.1f, -10.0f, 0.6f, 6.3f, -10.0f},
        {3, 0.0f, 0.0f, 0.6f, 0.0f, 0.0f},     // exactly on the wall: left alone
        {2, 5.9f, -7.0f, 0.6f, 5.9f, -7.0f},   // beyond the wall's end in z
        {2, 5.9f, -10.0f, 1.5f, 5.9f, -10.0f}, // test height above the wall's top
        {1, 6.9f, 0.0f, 0.59f, 6.9f, 0.0f},    // world 1: the walls never act
    };
    // clang-format on
    for (const Row& r : rows) {
        SCOPED_TRACE(r.world);
        reset_everything();
        put(r.x, r.z, r.eye);
        resolve_wall_contacts(r.world);
        EXPECT_FLOAT_EQ(player.x, r.want_x);
        EXPECT_FLOAT_EQ(player.z, r.want_z);
    }
    EXPECT_FLOAT_EQ(contacts.probe_point.x, 0);
    EXPECT_FLOAT_EQ(contacts.probe_point.z, -6);
}

TEST_F(Nav, FloorsHoldTheEyeAndCloseOnesStartAHop) {
    // World 2, walking onto the 0.2 step of the flight: a hop and the eye at 0.8.
    put(-41.9f, -2.1f, 0.6f);
    resolve_wall_contacts(2);
    EXPECT_FLOAT_EQ(player.eye_height, 0.8f);
    EXPECT_TRUE(lift.boost_active);
    EXPECT_TRUE(movement.jump_key_latch);

    // On the ground after one frame of descent: back to 0.6, no hop.
    reset_everything();
    put(0, 0, 0.58f);
    resolve_wall_contacts(2);
    EXPECT_FLOAT_EQ(player.eye_height, 0.6f);
    EXPECT_FALSE(lift.boost_active);

    // World 1 never hops; its floor holds the eye at 0.59.
    reset_everything();
    put(0, 0, 0.3f);
    resolve_wall_contacts(1);
    EXPECT_FLOAT_EQ(player.eye_height, 0.59f);
    EXPECT_FALSE(lift.boost_active);

    // Coming from below a piece, the eye is held under it.
    reset_everything();
    put(-5, -1.5f, 2.7f); // under platform W (3.0)
    resolve_wall_contacts(3);
    EXPECT_FLOAT_EQ(player.eye_height, 2.4f);
}

TEST_F(Nav, GateWallsOpenAsTheirGateSinks) {
    put(-6.8f, -11.5f, 2.1f); // on the ramp's crest (1.5), gate 1 closed at 4.0
    resolve_wall_contacts(3);
    EXPECT_FLOAT_EQ(player.x, -6.4f);
    gates.gate_units[0].gate_height = 2.6f; // below the test height of 2.7: the wall lets him through
    put(-6.8f, -11.5f, 2.1f);
    resolve_wall_contacts(3);
    EXPECT_FLOAT_EQ(player.x, -6.8f);

    // Gate 5's walls turn inside out below 0 and stop acting.
    put(22.5f, -20.2f, 0.6f);
    gates.gate_units[4].gate_height = 2.0f;
    resolve_wall_contacts(3);
    EXPECT_NE(player.z, -20.2f);
    put(22.5f, -20.2f, 0.6f);
    gates.gate_units[4].gate_height = -0.05f;
    resolve_wall_contacts(3);
    EXPECT_FLOAT_EQ(player.z, -20.2f);
}

// A step round a wall's end that ends across its plane is held on the side it started
// from; a move that is no step (from another world, or longer than a frame's walk: a
// teleport or a placement) is judged by where it ends, as is a player a gate rises through.
TEST_F(Nav, OnlyAStepIsHeldOnTheSideItCameFrom) {
    struct Row {
        StepOrigin origin;
        float want_x;
    };
    // world 2's first wall, x = 6 for z in [-12.25, -8.75), keeps 0.3; the move ends at
    // (6.02, -8.77), just inside its span
    // clang-format off
    const Row rows[] = {
        {{true, 2, 5.98f, -8.74f}, 5.7f},  // a step round the wall's end
        {{true, 3, 5.98f, -8.74f}, 6.3f},  // the last contacts ran in world 3
        {{true, 2, 5.6f, -8.6f}, 6.3f},    // 0.45 away: not a step
        {{false, 0, 0.0f, 0.0f}, 6.3f},    // nothing to go by
    };
    // clang-format on
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << "from world " << r.origin.world << " (" << r.origin.x << ", " << r.origin.z
                                        << ")");
        reset_everything();
        contacts.origin = r.origin;
        put(6.02f, -8.77f, 0.6f);
        resolve_wall_contacts(2);
        EXPECT_FLOAT_EQ(player.x, r.want_x);
        EXPECT_FLOAT_EQ(player.z, -8.77f);
    }

    // World 3's gate 2 rising through a player between its two walls (x = 7.5, then 7):
    // pushed out west as the table's order has it, and free there the frame after.
    reset_everything();
    gates.gate_units[1].gate_height = 0.5f;
    put(7.25f, -11.5f, 1.6f); // on the deck at 1.0, test height 2.2
    resolve_wall_contacts(3);
    EXPECT_FLOAT_EQ(player.x, 7.25f);
    gates.gate_units[1].gate_height = 4.0f;
    resolve_wall_contacts(3);
    EXPECT_FLOAT_EQ(player.x, 6.4f);
    resolve_wall_contacts(3);
    EXPECT_FLOAT_EQ(player.x, 6.4f);
}

TEST_F(Nav, WorldThreeTableHasItsKinds) {
    const WallTable t = fill_wall_table(3);
    int z_walls = 0, x_walls = 0, floors = 0, lines = 0, gate_walls = 0;
    for (int i = 0; i < t.count; ++i) {
        const WallSegment& s = t.segments[i];
        const bool dx = s.a.x == s.b.x, dy = s.a.y == s.b.y, dz = s.a.z == s.b.z;
        if (dy && dz) ++lines;
        else if (dz) ++z_walls;
        else if (dx) ++x_walls;
        else if (dy) ++floors;
        gate_walls += s.gate != GateLink::None;
        // within the site, lesser corner first
        EXPECT_GE(s.a.x, -17.0f);
        EXPECT_LE(s.b.x, 26.0f);
        EXPECT_GE(s.a.z, -26.0f);
        EXPECT_LE(s.b.z, 0.0f);
        EXPECT_LE(s.a.x, s.b.x);
        EXPECT_LE(s.a.z, s.b.z);
    }
    EXPECT_EQ(t.count, 117);
    EXPECT_EQ(z_walls, 46);
    EXPECT_EQ(x_walls, 41);
    EXPECT_EQ(floors, 28);
    EXPECT_EQ(lines, 2);
    EXPECT_EQ(gate_walls, 7);
}

TEST_F(Nav, DoorwaysSwitchOnlyForwardAndOnlyOnce) {
    put(-6.5f, -7.0f, 0.59f); // in the box to world 2
    keys[Key::Down] = true;
    apply_held_keys();
    EXPECT_EQ(current_world(), 1); // backwards: no switch
    keys[Key::Down] = false;
    keys[Key::Up] = true;
    apply_held_keys();
    EXPECT_EQ(current_world(), 2);
    EXPECT_TRUE(worlds.needs_init[1]);
    EXPECT_FALSE(worlds.world_flags[0]);
    EXPECT_FLOAT_EQ(player.x, -1);
    EXPECT_FLOAT_EQ(player.z, -1.05f); // the step still applies, from the arrival point
    EXPECT_FLOAT_EQ(player.eye_height, 1.5f);

    // World 3's way home; the boxes of world 1 have no lower z bound.
    reset_everything();
    only_world(3);
    put(24.5f, -18, 1.6f);
    test_doorways();
    EXPECT_EQ(current_world(), 1);
    EXPECT_FLOAT_EQ(player.eye_height, 3.5f);
    put(-3, -40, 0.59f);
    test_doorways();
    EXPECT_EQ(current_world(), 3);
}

// The table holds every world together: a row missing a file, leading nowhere, or with
// sets whose grid misses where the player arrives would only show once someone walks there.
TEST_F(Nav, EveryWorldIsWholeAndReachable) {
    std::vector<bool> reached(WORLD_COUNT + 1, false);
    reached[1] = true;
    for (int round = 0; round < WORLD_COUNT; ++round)
        for (int world = 1; world <= WORLD_COUNT; ++world) {
            const WorldRecord& r = *world_record(world);
            for (int i = 0; reached[world] && i < r.doorway_count; ++i)
                if (world_record(r.doorways[i].to)) reached[r.doorways[i].to] = true;
        }
    for (int world = 1; world <= WORLD_COUNT; ++world) {
        SCOPED_TRACE(world);
        const WorldRecord* r = world_record(world);
        ASSERT_NE(r, nullptr);
        EXPECT_TRUE(reached[world]);
        EXPECT_NE(r->level_file, nullptr);
        for (int slot = 0; slot < TEXTURE_SLOTS; ++slot) EXPECT_NE(r->texture_files[slot], nullptr) << slot;
        EXPECT_GT(r->wall_count, 0);
        bool leads_home = false;
        for (int i = 0; i < r->doorway_count; ++i) {
            const Doorway& d = r->doorways[i];
            EXPECT_NE(world_record(d.to), nullptr);
            EXPECT_NE(d.to, world);
            leads_home = leads_home || d.to == 1 || world == 1;
            // a doorway that caught its own arrival point would switch again on the next step
            put(ARRIVAL_X, ARRIVAL_Z, d.arrival_eye_height);
            EXPECT_FALSE(player_inside(d.box));
        }
        EXPECT_TRUE(leads_home);
        if (r->visible_sets_file) {
            const Ground& g = r->sets_ground;
            EXPECT_TRUE(g.x0 < ARRIVAL_X && ARRIVAL_X < g.x1 && g.z0 < ARRIVAL_Z && ARRIVAL_Z < g.z1);
            for (int pit = 0; pit < r->pit_count; ++pit)
                EXPECT_TRUE(g.x0 < r->pits[pit].x && r->pits[pit].x < g.x1 && g.z0 < r->pits[pit].z &&
                            r->pits[pit].z < g.z1);
        }
    }
}

// A number that names no world changes nothing: before the table, such a switch wrote
// past the flags and the contacts ran world 3's walls with a profile read out of bounds.
TEST_F(Nav, NumbersThatNameNoWorldChangeNothing) {
    put(-6.5f, -7.0f, 0.59f);
    for (int world : {0, -1, WORLD_COUNT + 1}) {
        SCOPED_TRACE(world);
        EXPECT_EQ(world_record(world), nullptr);
        switch_world(world, 1.5f);
        EXPECT_EQ(current_world(), 1);
        EXPECT_FALSE(world_entry_pending());
        EXPECT_EQ(fill_wall_table(world).count, 0);
        resolve_wall_contacts(world);
        EXPECT_FLOAT_EQ(player.x, -6.5f);
        EXPECT_FLOAT_EQ(player.z, -7.0f);
        EXPECT_FLOAT_EQ(player.eye_height, 0.59f);
    }
}

TEST_F(Nav, WorldThreeBoxes) {
    only_world(3);
    put(6.5f, -16.4f, 1.5f); // pit 1 at the arrival height: nothing
    world3_teleport_box(0);
    EXPECT_FLOAT_EQ(player.x, 6.5f);
    put(6.5f, -16.4f, 0.58f); // standing on its floor
    world3_teleport_box(0);
    EXPECT_FLOAT_EQ(player.x, 5);
    EXPECT_FLOAT_EQ(player.z, -2.3f);
    EXPECT_FLOAT_EQ(player.eye_height, 3.5f);
    world3_pickup_box(0); // the arrival lies in neither pickup box
    world3_pickup_box(1);
    EXPECT_TRUE(worlds.pickup_visible[0] && worlds.pickup_visible[1]);
    put(6.1f, -2.5f, 3.58f);
    world3_pickup_box(0);
    EXPECT_FALSE(worlds.pickup_visible[0]);
    put(0, 0, 0);
    world3_pickup_box(0);
    EXPECT_FALSE(worlds.pickup_visible[0]); // for good
    put(6.5f, -15.7f, 0.58f);
    world3_teleport_box(1);
    EXPECT_FLOAT_EQ(player.x, -5);
}

// Where two collinear walls meet end to end, a player standing on the joint's coordinate
// and walking straight at them is held like anywhere else along them, in every world's
// table (world 1's four walls meet only at corners). A side with a parallel wall within
// the keep-out (inside a block as thin as the keep-out, the squeeze holds him on a plane)
// is left out.
TEST_F(Nav, JointsOfCollinearWallsHold) {
    int joints = 0;
    for (int world = 1; world <= WORLD_COUNT; ++world) {
        const WallTable t = fill_wall_table(world);
        const std::vector<WallSegment> table(t.segments, t.segments + t.count);
        const ContactProfile& profile = world_record(world)->contacts;
        for (const WallSegment& first : table)
            for (const WallSegment& next : table) {
                const bool z_wall = first.a.z == first.b.z && first.a.y != first.b.y;
                const bool x_wall = first.a.x == first.b.x && first.a.y != first.b.y;
                if (!z_wall && !x_wall) continue;
                const bool same_plane = z_wall ? next.a.z == next.b.z && next.a.z == first.a.z
                                               : next.a.x == next.b.x && next.a.x == first.a.x;
                if (!same_plane || next.a.y == next.b.y) continue;
                const float joint = z_wall ? first.b.x : first.b.z;
                if ((z_wall ? next.a.x : next.a.z) != joint) continue;
                const float y_lo = std::fmax(first.a.y, next.a.y), y_hi = std::fmin(first.b.y, next.b.y);
                if (y_hi <= y_lo) continue; // one above the other: no wall to hold at any height
                ++joints;
                const float plane = z_wall ? first.a.z : first.a.x;
                const float eye = (y_lo + y_hi) / 2 - profile.height_offset;
                for (const float side : {1.0f, -1.0f}) {
                    SCOPED_TRACE(testing::Message() << "world " << world << " joint at " << joint << " of the plane "
                                                    << plane << (z_wall ? " (z)" : " (x)") << " side " << side);
                    bool squeezed = false;
                    for (const WallSegment& s : table) {
                        const bool parallel =
                            z_wall ? s.a.z == s.b.z && s.a.y != s.b.y : s.a.x == s.b.x && s.a.y != s.b.y;
                        const float gap = ((z_wall ? s.a.z : s.a.x) - plane) * side;
                        const float lo = z_wall ? s.a.x : s.a.z, hi = z_wall ? s.b.x : s.b.z;
                        const float test = eye + profile.height_offset;
                        squeezed |= parallel && gap > 0 && gap <= profile.wall_keep_out + 1e-4f && lo <= joint &&
                                    joint <= hi && s.a.y < test && test < s.b.y;
                    }
                    if (squeezed) continue;
                    reset_everything();
                    const float start = plane + side * profile.wall_keep_out;
                    put(z_wall ? joint : start, z_wall ? start : joint, eye);
                    float& across = z_wall ? player.z : player.x;
                    for (int frame = 0; frame < 20; ++frame) {
                        across -= side * 0.05f;
                        player.eye_height = eye;
                        resolve_wall_contacts(world);
                        if ((across - plane) * side <= 0) {
                            ADD_FAILURE() << "through at frame " << frame;
                            break;
                        }
                    }
                }
            }
    }
    EXPECT_GT(joints, 100);
}

// Where an x-wall and a z-wall end at the same point, a player walking diagonally (Up and
// Right held) at the corner from the open side crosses both planes in one step, beyond
// both spans until then; the walls must still hold him on the side he came from, never
// in the quarter between them. World 1's walls never hold the player (its probe), so its
// corners are left out, and so is a corner whose open side is no place to stand: other
// walls hold a player off it (a junction of more walls, the inner corner of a block
// thinner than two keep-outs, a gap narrower than that).
TEST_F(Nav, DiagonalStepsOverAnOuterCornerStayOutside) {
    int walked = 0;
    for (int world = 2; world <= WORLD_COUNT; ++world) {
        const WallTable t = fill_wall_table(world);
        const std::vector<WallSegment> table(t.segments, t.segments + t.count);
        const ContactProfile& profile = world_record(world)->contacts;
        for (const WallSegment& xw : table)
            for (const WallSegment& zw : table) {
                if (!(xw.a.x == xw.b.x && xw.a.y != xw.b.y && xw.a.z != xw.b.z)) continue;
                if (!(zw.a.z == zw.b.z && zw.a.y != zw.b.y && zw.a.x != zw.b.x)) continue;
                const float cx = xw.a.x, cz = zw.a.z;
                if ((cx != zw.a.x && cx != zw.b.x) || (cz != xw.a.z && cz != xw.b.z)) continue;
                const float y_lo = std::fmax(xw.a.y, zw.a.y), y_hi = std::fmin(xw.b.y, zw.b.y);
                if (y_hi <= y_lo) continue;
                // the directions the z-wall and the x-wall run in from the corner
                const float sx = cx == zw.a.x ? 1.0f : -1.0f, sz = cz == xw.a.z ? 1.0f : -1.0f;
                const float eye = (y_lo + y_hi) / 2 - profile.height_offset;
                // Up and Right together step (cos h - sin h, -(cos h + sin h)) x 0.05
                const float heading = std::atan2(-(sx + sz) / 2, (sx - sz) / 2) / DEG_TO_RAD;
                // paths through the corner and beside it
                for (const float off : {-0.015f, 0.0f, 0.015f}) {
                    SCOPED_TRACE(testing::Message() << "world " << world << " corner (" << cx << ", " << cz
                                                    << ") towards (" << sx << ", " << sz << ") offset " << off);
                    reset_everything();
                    only_world(world);
                    const float start_x = cx - sx * (0.23f - off), start_z = cz - sz * (0.23f + off);
                    put(start_x, start_z, eye);
                    player.heading = heading;
                    resolve_wall_contacts(world);
                    if (player.x != start_x || player.z != start_z) break;
                    walked += off == 0;
                    for (int frame = 0; frame < 12; ++frame) {
                        walk_step(WalkDirection::Forward); // Up and Right held
                        walk_step(WalkDirection::Right);
                        player.eye_height = eye;
                        resolve_wall_contacts(world);
                        if ((player.x - cx) * sx > 0 && (player.z - cz) * sz > 0) {
                            ADD_FAILURE() << "inside at (" << player.x << ", " << player.z << ") at frame " << frame;
                            break;
                        }
                    }
                }
            }
    }
    EXPECT_GT(walked, 150);
}
