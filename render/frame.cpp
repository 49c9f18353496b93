#include "frame.h"

#include "assets/draw_path.h"
#include "assets/level.h"
#include "assets/textures.h"
#include "nav/contacts.h"
#include "nav/gates.h"
#include "nav/player.h"
#include "nav/worlds.h"
#include "render/animations.h"
#include "render/view.h"
#include "scene/animation.h"
#include "assets/gl_caps.h"
#include "render/hud.h"
#include "render/layout_culling.h"
#include "render/visible_sets.h"
#include "render/level_mesh.h"
#include "render/particles.h"
#include "render/placed_culling.h"
#include "scene/blocks.h"
#include "scene/models.h"
#include "scene/pools.h"
#include "render/sky.h"
#include "render/sky_order.h"
#include "render/water.h"
#include "scene/world_objects.h"
#include "platform/platform.h"
#include "scene/world2_layout.h"
#include "render/scene_setup.h"
#include "render/fps.h"
#include "weapons/targets.h"
#include "weapons/weapon_models.h"
#include "weapons/weapons.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>
#include <cstdio>
#include <iterator>

namespace {

constexpr Vec3 LANTERN_AT = {-3, 1.5f, -15.7f};
constexpr Vec3 FOUNTAIN_AT = {-0.8f, 2.9f, -15.9f}; // inside the lantern's globe

constexpr int POOL_WATER_SLOT = 6;  // world 3's two pools
constexpr int WALL_WATER_SLOT = 27; // world 1's standing sheet of water

constexpr GLubyte LEVEL_GREY = 250;

void set_level_colour() {
    frame_state.current_rgb[0] = frame_state.current_rgb[1] = frame_state.current_rgb[2] = LEVEL_GREY;
}

void report_untextured_world(int world) {
    char text[160];
    snprintf(text, sizeof text,
             "The pictures of world %d could not all be read.\nThe world is shown without its textures.", world);
    platform_message_box(text, "Error", MB_OK);
}

void enter_world_if_new(int world) {
    if (!worlds.needs_init[world - 1]) return;
    worlds.needs_init[world - 1] = false;
    if (init_scene()) return;
    load_world_untextured();
    report_untextured_world(world);
}

void read_texture_limits() {
    if (gl_caps.anisotropic) glGetFloatv(GL_MAX_TEXTURE_MAX_ANISOTROPY_EXT, &level_draw.max_anisotropy);
}

void keep_sky_turn() {
    frame_state.sky_turn = sky_angle;
    turn_sky_domes();
}

} // namespace

// ---- The step: everything the frame advances, in the order of its draws.

void step_world3() {
    enter_world_if_new(3);
    keep_sky_turn();
    set_level_colour();
    step_level_mesh();
    water_step(0);
    water_step(1);
    descend_step();
    world3_teleport_box(0);
    world3_pickup_box(0);
    world3_pickup_box(1);
    world3_teleport_box(1);
    step_gate_units();
    turn_ring_orb();
}

void step_world2() {
    enter_world_if_new(2);
    keep_sky_turn();
    particles_step_frame();
    step_level_mesh();
    set_level_colour();
    turn_ring_orb(); // the layout's orb is drawn whether or not it is in view
    descend_step();
}

void step_world1() {
    enter_world_if_new(1);
    step_level_mesh_world1();
    water_step(0);
    step_ring_pair(frame_state.current_rgb);
    descend_step();
    turn_ring_orb();
    turn_spiral_spinner();
    frame_state.spin_angle += 0.5f; // the turning display copy of weapon 1
}

// ---- The draw: GL calls from the state the step left and the values it kept.

namespace {

void place_light() {
    Placement block;
    const float bob = frame_state.light_bob;
    glTranslatef(-4, 0.4f + bob, 0);
    glRotatef(frame_state.light_angle, 0, 1, 0);
    const GLfloat position[4] = {-4 + bob, 0.4f + bob, 0, 0}; // directional
    glLightfv(GL_LIGHT0, GL_POSITION, position);
}

void apply_lod_bias() {
    if (gl_caps.lod_bias) glTexEnvf(GL_TEXTURE_FILTER_CONTROL_EXT, GL_TEXTURE_LOD_BIAS_EXT, applied_lod_bias());
}

void level_colour() { glColor3ub(LEVEL_GREY, LEVEL_GREY, LEVEL_GREY); }

// A water surface at its place in the world, sphere-mapped; on the default path left out
// where it cannot be in view or the caller found it `hidden`.
void water_pass(int surface, int slot, float tx, float ty, float tz, void (*orient)(), float sx, float sy, float sz,
                bool hidden = false) {
    glPushMatrix();
    glEnable(GL_BLEND);
    bind_slot(slot);
    glTranslatef(tx, ty, tz);
    orient();
    glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
    glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
    glEnable(GL_TEXTURE_GEN_S);
    glEnable(GL_TEXTURE_GEN_T);
    glEnable(GL_NORMALIZE);
    if (sx != 1 || sy != 1 || sz != 1) glScalef(sx, sy, sz);
    if (draw_path.literal) water_draw(surface);
    else water_draw_if_seen(surface, hidden);
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);
    glDisable(GL_BLEND);
    glPopMatrix();
}

// What the mark passes of the frame last drawn read under the pointer: scratch of the draw,
// not state. The frame applies it once drawn (settle_frame); a frame drawn again alone
// reads it anew and applies nothing.
ImpactMarkReadings frame_mark_readings;
// The current colour as the frame last drawn left it: scratch of the draw, as above.
float frame_end_colour[4] = {1, 1, 1, 1};

// Reads requested shots and draws the marks, once the first marking shot was fired.
void impact_mark_pass() {
    if (!weapon_state.impact_marks_enabled) return;
    Placement block;
    draw_impact_marks(&frame_mark_readings);
}

// The cell of the world's visible sets the camera stands in, on the default path, or null:
// draw the world whole. The sets were made with back faces culled, as the level is drawn
// in every frame but a program's very first.
const VisibleCell* camera_cell(int world, const Vec3& eye) {
    if (draw_path.literal || !glIsEnabled(GL_CULL_FACE)) return nullptr;
    return visible_cell_at(world, eye.x, eye.y, eye.z);
}

void lay_flat() { glRotatef(-90, 1, 0, 0); }

// A pool's water where the camera's cell of the visible sets cannot see the box its surface
// keeps to: left out, which leaves every pixel as it was.
bool pool_hidden(const VisibleCell* cell, int pool) {
    return cell && !cell_shows_row(*cell, pool) &&
           pool_in_box(POOLS[pool], water.drawn_height_min[pool], water.drawn_height_max[pool]);
}
void stand_on_left_wall() {
    glRotatef(90, 0, 1, 0);
    glRotatef(13, 1, 0, 0);
}

} // namespace

void draw_world3() {
    const Vec3& eye = frame_state.eye;
    const SkyPlan sky = draw_path.literal ? sky_plan_literal() : sky_plan_behind();
    sky_first_pass(sky);
    level_colour();
    const VisibleCell* cell = camera_cell(3, eye);
    draw_level_mesh(cell);
    sky_behind_pass(sky);
    for (int i = 0; i < POOL_COUNT; ++i) {
        const Pool& p = POOLS[i];
        water_pass(i, POOL_WATER_SLOT, p.at.x, p.at.y, p.at.z, lay_flat, p.scale.x, p.scale.y, p.scale.z,
                   pool_hidden(cell, i));
    }
    impact_mark_pass();
    if (worlds.pickup_visible[0]) {
        Placement block;
        glTranslatef(6, 3.4f + animation.bob_offset, -2);
        draw_placed(draw_weapon3_display);
    }
    if (worlds.pickup_visible[1]) {
        Placement block;
        glTranslatef(4, 3.3f + animation.bob_offset, -2.5f);
        draw_cartridge_block(); // always drawn: its last colour outlives the placement block
    }
    draw_gate_units_where(placed_pieces_seen());
    {
        Placement block; // the portal ring set into the end wall behind the way home
        glTranslatef(26, 2.02f, -18);
        glRotatef(90, 0, 1, 0);
        glScalef(0.3f, 1.5f, 1);
        glPointSize(0.05f);
        glColor3f(0, 1, 0);
        draw_ring_orb();
    }
}

void draw_world2() {
    const Vec3& eye = frame_state.eye;
    const SkyPlan sky = draw_path.literal ? sky_plan_literal() : sky_plan_town(LANTERN_AT, FOUNTAIN_AT);
    sky_first_pass(sky);
    {
        Placement block;
        glTranslatef(LANTERN_AT.x, LANTERN_AT.y, LANTERN_AT.z);
        draw_placed(draw_glow_lantern);
    }
    {
        Placement block;
        glTranslatef(FOUNTAIN_AT.x, FOUNTAIN_AT.y, FOUNTAIN_AT.z);
        glEnable(GL_BLEND);
        glDisable(GL_DEPTH_TEST);
        particles_draw(0);
        glEnable(GL_DEPTH_TEST);
        glDisable(GL_BLEND);
        particles_draw(1);
    }
    const VisibleCell* cell = camera_cell(2, eye);
    draw_level_mesh(cell); // in the colour the frame started in (seen with the lighting off)
    level_colour();
    if (draw_path.literal) draw_world2_layout();
    else draw_world2_layout_in_view(cell);
    {
        Placement block;
        draw_town_blocks();
    }
    sky_behind_pass(sky);
    impact_mark_pass();
    {
        Placement block;
        glTranslatef(-3, 2.5f, -16.5f);
        glRotatef(-90, 0, 1, 0);
        draw_placed(draw_hanging_oval_sign);
    }
    {
        Placement block;
        glTranslatef(-5, 2.5f, -16.5f);
        glRotatef(-90, 0, 1, 0);
        draw_placed(draw_hanging_board_sign);
    }
    {
        Placement block;
        glTranslatef(-26.9f, 2.5f, -8.2f);
        draw_placed(draw_hanging_board_sign);
    }
    {
        Placement block;
        draw_world2_gates_where(placed_pieces_seen());
    }
}

void draw_world1() {
    glPushMatrix();
    draw_level_mesh_world1();
    glPopMatrix();
    {
        Placement block;
        draw_world1_hall_where(placed_pieces_seen());
    }
    water_pass(0, WALL_WATER_SLOT, -8.3f, 3, 0, stand_on_left_wall, 1, 1, 1);
    draw_ring_pair(); // the colour it ends in is the one the next frame starts in
    impact_mark_pass();
    {
        Placement block; // lying flat in the ceiling over the arrival point
        glTranslatef(-1, 4, -1);
        glRotatef(90, 1, 0, 0);
        glScalef(0.3f, 1.5f, 1);
        glPointSize(0.05f);
        glColor3f(0, 1, 0);
        draw_ring_orb();
    }
    {
        Placement block;
        glTranslatef(-4, 0.4f, 0);
        draw_placed(draw_spoked_wheel);
    }
    {
        Placement block;
        glColor3f(0, 0, 1);
        glTranslatef(-1, 0.2f, 5);
        draw_placed(draw_spiral_spinner);
    }
    {
        Placement block;
        glTranslatef(-4, 0.3f + animation.bob_offset, -1.5f);
        glRotatef(frame_state.object_angle, 0, 1, 0);
        draw_placed(draw_weapon1_display);
    }
    {
        Placement block;
        glTranslatef(-4, 0.3f + animation.bob_offset, -2.5f);
        draw_bracket_row(); // always drawn: its last colour outlives the placement block
    }
    {
        Placement block;
        glTranslatef(0, 0.5f + animation.bob_offset, -1.5f);
        draw_placed(draw_weapon3_display);
    }
    {
        Placement block;
        glTranslatef(targets.row_sway, 0, 0);
        draw_placed(draw_targets);
    }
}

namespace {

// Runs one of the records' functions for every world whose flag is up, from the last row
// to the first: the order in which the frame has always stepped and drawn them.
void for_open_worlds(void (*WorldRecord::*part)()) {
    for (int world = WORLD_COUNT; world >= 1; --world) {
        const WorldRecord* record = world_record(world);
        if (worlds.world_flags[world - 1] && record->*part != nullptr) (record->*part)();
    }
}

} // namespace

// clang-format off
void attach_world_parts() {
    attach_world_functions(1, water_init, step_world1, draw_world1);
    attach_world_functions(2, nullptr,    step_world2, draw_world2);
    attach_world_functions(3, nullptr,    step_world3, draw_world3);
}
// clang-format on

void step_frame() {
    update_frame_counter();
    frame_state.light_angle = frame_state.spin_angle;
    frame_state.light_bob = animation.bob_offset;
    frame_state.spin_angle += 0.05f;
    frame_state.object_angle = frame_state.spin_angle;
    update_oscillators();
    update_bob();
    targets.row_sway = 10 * animation.bob_offset; // the targets sway with the bob
    step_impact_marks();
    update_lift();
    for (int world = 1; world <= WORLD_COUNT; ++world)
        if (worlds.world_flags[world - 1]) resolve_wall_contacts(world);
    read_texture_limits();
    frame_state.eye = {player.x, player.eye_height, player.z};
    glLoadIdentity();
    apply_camera_at(frame_state.eye);
    update_frustum_planes();

    for_open_worlds(&WorldRecord::step);

    // The weapon's picks see the row after the respawn, with the camera just set.
    respawn_targets();
    step_held_weapon();
    frame_state.spin_angle += 0.5f;
    update_sign_swing();
    settle_hud_counts();
}

void draw_frame() {
    frame_mark_readings = ImpactMarkReadings{};
    glColor4fv(frame_state.start_colour);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    place_light();
    apply_lod_bias();
    apply_camera_at(frame_state.eye);

    for_open_worlds(&WorldRecord::draw);

    draw_held_weapon();
    draw_crosshair();
    draw_hud_panels();
    begin_overlay();
    draw_hud_text();
    end_overlay();
    glGetFloatv(GL_CURRENT_COLOR, frame_end_colour);
}

void settle_frame() {
    record_impact_marks(frame_mark_readings);
    std::copy(std::begin(frame_end_colour), std::end(frame_end_colour), frame_state.start_colour);
    take_mark_request();
}

bool render_frame() {
    step_frame();
    draw_frame();
    settle_frame();
    return true;
}
