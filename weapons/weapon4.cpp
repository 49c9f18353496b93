// Weapon 4: a rotary gun with a launcher under it. The left button held fires on every
// other step; the right button asks for a launch, which stops the automatic fire and runs
// its 50 steps, the launched part standing out after 25.
#include "platform/platform.h"
#include "scene/blocks.h"
#include "weapons/model_parts.h"
#include "weapons/targets.h"
#include "weapons/weapon_models.h"
#include "weapons/weapon_state.h"
#include "weapons/weapon_table.h"
#include "weapons/weapons.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>
#include <initializer_list>

namespace {

// Texture slots, rows of the current world's texture set.
constexpr int GRIP_SLOT = 1;  // the grip's two sides
constexpr int CHUTE_SLOT = 8; // the feed chute
constexpr int METAL_SLOT = 9; // the sphere-mapped metal of the rest

constexpr int LAUNCH_OUT_AFTER = 25;
constexpr int LAUNCH_STEPS = 50;

void press(MouseButton button) {
    Weapon4State& w = weapon_state.weapon4;
    if (button == MouseButton::Left) {
        w.left_held = true;
        platform_play_sound(SHOT_SOUND);
    } else if (w.launch_frames == 0) {
        w.right_pressed = true; // a press during a launch is ignored
    }
}

void release(MouseButton button) {
    Weapon4State& w = weapon_state.weapon4;
    if (button == MouseButton::Left) w.left_held = false;
    else w.right_pressed = false;
}

float fire_step() {
    const Weapon4State& w = weapon_state.weapon4;
    if (!w.left_held || w.fire_phase != 0) return 0;
    platform_play_sound(SHOT_SOUND);
    weapon_state.marks_asked = true;
    return 0.02f;
}

// Automatic fire stops while a launch is asked for; the blast sounds once per launch.
float launch_request_step() {
    Weapon4State& w = weapon_state.weapon4;
    if (!w.right_pressed) return 0;
    w.left_held = false;
    if (!w.launch_active) platform_play_sound(BLAST_SOUND);
    w.launch_active = true;
    return 0.04f;
}

float launch_count_step() {
    Weapon4State& w = weapon_state.weapon4;
    if (!w.launch_active) return 0;
    w.launch_frames += 1;
    return w.launch_frames > LAUNCH_OUT_AFTER ? 0.1f : 0;
}

// The steps run in the order the model applies their offsets. The picks come after them,
// with the camera that the frame's surfaces were drawn with; the second pick of a frame
// sees what the first one hid.
void step() {
    Weapon4State& w = weapon_state.weapon4;
    w.kick = fire_step();
    w.launch_kick = launch_request_step();
    w.launch_out = launch_count_step();
    if (w.launch_frames > LAUNCH_STEPS) {
        w.launch_frames = 0;
        w.launch_active = false;
        w.right_pressed = false;
    }
    w.fire_phase = 1 - w.fire_phase;
    // Picks on every held frame, not only the firing ones, and on a launch's first step.
    // The pick leaves texturing and culling on; the model drawn next starts from the
    // frame's own switches.
    glPushAttrib(GL_ENABLE_BIT);
    if (w.left_held) pick_targets();
    if (w.launch_frames == 1) pick_targets();
    glPopAttrib();
}

// --- the model ------------------------------------------------------------------------

void weapon4_launched_part(float out) {
    glColor3f(0.5f, 0.5f, 0.5f);
    glTranslatef(0, -0.07f, 0.02f + out);
    glClipPlane(GL_CLIP_PLANE1, KEEP_POS_Z);
    glClipPlane(GL_CLIP_PLANE2, KEEP_NEG_Y);
    glEnable(GL_CLIP_PLANE1);
    glEnable(GL_CLIP_PLANE2);
    for (int i = 0; i < 6; ++i) { // the warhead's rings, front to back
        const float z = -0.2f + 0.025f * static_cast<float>(i);
        glTranslatef(0, 0, z);
        draw_torus(i % 2 == 0 ? 0.015f : 0.006f, 0.02f, 16, 10);
        glTranslatef(0, 0, -z);
    }
    glDisable(GL_CLIP_PLANE1);
    glDisable(GL_CLIP_PLANE2);
    glClipPlane(GL_CLIP_PLANE3, KEEP_NEG_Z);
    glEnable(GL_CLIP_PLANE3);
    draw_torus(0.015f, 0.02f, 16, 10); // the nose
    glDisable(GL_CLIP_PLANE3);
    ring_z(0, 0, -0.2f, 0, 0.035f, 16);
    ring_z(0, 0, -0.05f, 0, 0.035f, 16);
    glTranslatef(0, 0.07f, -0.02f - out);
}

void weapon4_geometry(float launch_out) {
    constexpr int S = 12, T = 4;
    glTranslatef(0, -0.06f, 0); // the barrels below the line of sight
    // Housing behind the barrels, with its drive collar and end cap.
    tube_z(0, 0.05f, -0.05f, 0.25f, 0.055f, 0.055f, S, T);
    ring_z(0, 0.05f, -0.05f, 0.012f, 0.055f, S);
    ring_z(0, 0.05f, 0.2f, 0, 0.055f, S);
    sphere_at(0, 0.05f, 0.2f, 0.03f, S, T);
    // Cooling fins round the housing: a row of 19 thin rods.
    for (int i = 0; i < 19; ++i) {
        const float a = static_cast<float>(i) * (360.0f / 19.0f) * 3.14159265f / 180.0f;
        tube_z(0.06f * std::cos(a), 0.05f + 0.06f * std::sin(a), -0.03f, 0.21f, 0.004f, 0.004f, 6, 1);
    }
    // Launcher tube under the housing with 5 stiffening rods along it.
    tube_z(0, -0.07f, -0.2f, 0.4f, 0.04f, 0.04f, S, T);
    ring_z(0, -0.07f, 0.2f, 0, 0.04f, S);
    for (int i = 0; i < 5; ++i) {
        const float a = (200.0f + 35.0f * static_cast<float>(i)) * 3.14159265f / 180.0f;
        tube_z(0.045f * std::cos(a), -0.07f + 0.045f * std::sin(a), -0.18f, 0.36f, 0.004f, 0.004f, 6, 1);
    }
    // The grip rail: 24 short rods in a row, like a ladder under the launcher.
    for (int i = 0; i < 24; ++i) {
        const float z = -0.15f + 0.012f * static_cast<float>(i);
        glPushMatrix();
        glTranslatef(-0.025f, -0.115f, z);
        glRotatef(90, 0, 1, 0);
        gluCylinder(shared_quadric, 0.003, 0.003, 0.05, 6, 1);
        glPopMatrix();
    }
    for (float x : {-0.035f, 0.035f}) sphere_at(x, -0.07f, 0.2f, 0.012f, S, T);
    sphere_at(0, 0.11f, -0.46f, 0.01f, S, T); // front bead
    sphere_at(0, 0.11f, 0.1f, 0.012f, S, T);  // rear bead

    // Body panels: side plates and a top plate (slot 9), a grip (slot 1), the feed (slot 8).
    glBegin(GL_TRIANGLES);
    slab_box(-0.07f, -0.02f, -0.05f, -0.06f, 0.06f, 0.22f, 0, 0);
    slab_box(0.06f, -0.02f, -0.05f, 0.07f, 0.06f, 0.22f, 0, 0);
    // Sight rail: an open channel of three faces.
    const Vec3 rail[8] = {{-0.012f, 0.105f, -0.05f}, {0.012f, 0.105f, -0.05f},  {0.012f, 0.105f, 0.22f},
                          {-0.012f, 0.105f, 0.22f},  {-0.012f, 0.115f, -0.05f}, {0.012f, 0.115f, -0.05f},
                          {0.012f, 0.115f, 0.22f},   {-0.012f, 0.115f, 0.22f}};
    const Vec3 rail_inside = {0, 0.11f, 0.085f};
    slab_quad(rail[0], rail[1], rail[2], rail[3], rail_inside);
    slab_quad(rail[0], rail[3], rail[7], rail[4], rail_inside);
    slab_quad(rail[1], rail[2], rail[6], rail[5], rail_inside);
    glEnd();
    glBegin(GL_TRIANGLES);
    glNormal3f(0, -1, 0); // the floor plate
    for (const Vec3& p : {Vec3{-0.07f, -0.02f, -0.05f}, Vec3{0.07f, -0.02f, -0.05f}, Vec3{0.07f, -0.02f, 0.22f},
                          Vec3{-0.07f, -0.02f, -0.05f}, Vec3{0.07f, -0.02f, 0.22f}, Vec3{-0.07f, -0.02f, 0.22f}})
        glVertex3f(p.x, p.y, p.z);
    glEnd();
    bind_slot(GRIP_SLOT);
    glBegin(GL_TRIANGLES);
    glNormal3f(1, 0, 0);
    for (float x : {-0.02f, 0.02f}) {
        glVertex3f(x, -0.11f, 0.1f);
        glVertex3f(x, -0.11f, 0.16f);
        glVertex3f(x, -0.26f, 0.2f);
        glVertex3f(x, -0.11f, 0.1f);
        glVertex3f(x, -0.26f, 0.2f);
        glVertex3f(x, -0.26f, 0.14f);
    }
    glEnd();
    bind_slot(CHUTE_SLOT);
    glBegin(GL_TRIANGLES);
    // The feed chute on the right: four sides, open at both ends.
    const Vec3 feed[8] = {{0.07f, 0, 0},     {0.12f, 0, 0},     {0.12f, 0, 0.12f},     {0.07f, 0, 0.12f},
                          {0.07f, 0.07f, 0}, {0.12f, 0.07f, 0}, {0.12f, 0.07f, 0.12f}, {0.07f, 0.07f, 0.12f}};
    const Vec3 feed_inside = {0.095f, 0.035f, 0.06f};
    slab_quad(feed[0], feed[1], feed[2], feed[3], feed_inside);
    slab_quad(feed[4], feed[5], feed[6], feed[7], feed_inside);
    slab_quad(feed[0], feed[3], feed[7], feed[4], feed_inside);
    slab_quad(feed[1], feed[2], feed[6], feed[5], feed_inside);
    glEnd();
    bind_slot(METAL_SLOT);

    // The sight line.
    glDisable(GL_TEXTURE_2D);
    glColor3f(1, 0, 0);
    glTranslatef(0, 0.11f, -0.47f);
    glRotatef(180, 0, 1, 0);
    gluCylinder(shared_quadric, 0.002, 0, 1.2, S, T);
    glRotatef(-180, 0, 1, 0);
    glTranslatef(0, -0.11f, 0.47f);
    glEnable(GL_TEXTURE_2D);
    glColor3ub(255, 255, 255);

    // The barrel cluster: 6 barrels round a spindle, held by three clamps. Drawn after the
    // nearer housing and plates, whose depth spares most of its fragments.
    for (int i = 0; i < 6; ++i) {
        const float a = static_cast<float>(i) * 60.0f * 3.14159265f / 180.0f;
        const float x = 0.03f * std::cos(a), y = 0.05f + 0.03f * std::sin(a);
        tube_z(x, y, -0.5f, 0.45f, 0.009f, 0.009f, 8, 1);
        ring_z(x, y, -0.5f, 0.005f, 0.009f, 8);
    }
    tube_z(0, 0.05f, -0.46f, 0.42f, 0.012f, 0.012f, S, T); // spindle
    for (float z : {-0.47f, -0.3f, -0.12f}) {
        tube_z(0, 0.05f, z, 0.02f, 0.045f, 0.045f, S, T);
        ring_z(0, 0.05f, z, 0.012f, 0.045f, S);
        ring_z(0, 0.05f, z + 0.02f, 0.012f, 0.045f, S);
    }
    weapon4_launched_part(launch_out);
    glTranslatef(0, 0.06f, 0);
}

void draw_weapon4() {
    held_begin(METAL_SLOT);
    glTranslatef(0.12f, -0.07f, -0.2f);
    glRotatef(5, 0, 1, 0);
    glTranslatef(0, 0, weapon_state.weapon4.kick);
    glTranslatef(0, 0, weapon_state.weapon4.launch_kick);
    glScalef(0.6f, 0.6f, 0.5f);
    glColor3ub(255, 255, 255);
    user_angles({0, 0, -0.5f}, {0, 0, 0}, {0, 0, 0.5f}, {0, 0, 0}, true);
    weapon4_geometry(weapon_state.weapon4.launch_out);
    held_end();
}

void list_fields(FieldList* out) {
    const Weapon4State& w = weapon_state.weapon4;
    add_field(out, "weapon4_left_held", w.left_held);
    add_field(out, "weapon4_right_pressed", w.right_pressed);
    add_field(out, "weapon4_launch_active", w.launch_active);
    add_field(out, "weapon4_launch_frames", w.launch_frames);
    add_field(out, "weapon4_fire_phase", w.fire_phase);
    add_unprinted(out, "weapon4_kick", w.kick);
    add_unprinted(out, "weapon4_launch_kick", w.launch_kick);
    add_unprinted(out, "weapon4_launch_out", w.launch_out);
}

} // namespace

const WeaponRecord WEAPON4 = {{SHOT_SOUND, BLAST_SOUND}, press, release, step, draw_weapon4, list_fields};
