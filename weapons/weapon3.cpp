// Weapon 3: a double-barrelled pump gun. A click fires a blast unless the gun is still
// recoiling or reloading; the steps run the recoil, then the reload with the pump pulled back.
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

#include <initializer_list>

namespace {

// Texture slots, rows of the current world's texture set.
constexpr int METAL_SLOT = 9; // the sphere-mapped metal, held and on display

constexpr int RECOIL_STEPS = 5; // the recoil ends on the step that passes it
constexpr int RELOAD_STEPS = 10;
constexpr int SLIDE_BACK_AFTER = 5;

void press(MouseButton button) {
    Weapon3State& w = weapon_state.weapon3;
    if (button != MouseButton::Left || w.fired || w.reloading) return;
    w.fired = true;
    platform_play_sound(BLAST_SOUND);
    pick_targets();
}

// The offsets are read before the counts move; on the step that ends the recoil the
// reload already counts its first step.
void step() {
    Weapon3State& w = weapon_state.weapon3;
    w.recoil = w.fired ? 0.1f : 0;
    w.slide = w.reloading && w.reload_frames > SLIDE_BACK_AFTER ? 0.09f : 0;
    if (w.fired && ++w.fired_frames > RECOIL_STEPS) {
        w.fired = false;
        w.reloading = true;
        w.fired_frames = 0;
    }
    if (w.reloading && ++w.reload_frames > RELOAD_STEPS) {
        w.reloading = false;
        w.reload_frames = 0;
    }
}

// --- the model ------------------------------------------------------------------------

struct Detail {
    int slices;      // quadric slices
    int torus_sides; // tori: the big grip ring's sides and rings, the bands' sides and rings
    int torus_rings;
    int band_sides;
    int band_rings;
};
constexpr Detail HELD_DETAIL = {14, 41, 37, 14, 5};
constexpr Detail DISPLAY_DETAIL = {16, 16, 14, 16, 14};

// A half cylinder: only its x >= 0 side.
void half_tube_z(float x, float y, float z0, float length, float radius, int slices) {
    glTranslatef(x, y, z0);
    glClipPlane(GL_CLIP_PLANE0, KEEP_POS_X);
    glEnable(GL_CLIP_PLANE0);
    gluCylinder(shared_quadric, radius, radius, length, slices, 4);
    glDisable(GL_CLIP_PLANE0);
    glTranslatef(-x, -y, -z0);
}

// A quarter torus about z at (x, y, z): the quadrant z >= 0, y <= 0 of the tube.
void quarter_torus(float x, float y, float z, float ring, float tube, int sides, int rings) {
    glTranslatef(x, y, z);
    glClipPlane(GL_CLIP_PLANE1, KEEP_POS_Z);
    glClipPlane(GL_CLIP_PLANE2, KEEP_NEG_Y);
    glEnable(GL_CLIP_PLANE1);
    glEnable(GL_CLIP_PLANE2);
    draw_torus(ring, tube, sides, rings);
    glDisable(GL_CLIP_PLANE1);
    glDisable(GL_CLIP_PLANE2);
    glTranslatef(-x, -y, -z);
}

// One barrel with its share of the receiver, pump and stock, centred on x = bx.
void weapon3_barrel(float bx, const Detail& d, float slide) {
    const int s = d.slices;
    constexpr int T = 4;
    tube_z(bx, 0, -2.4f, 2.4f, 0.07f, 0.07f, s, T);     // barrel
    tube_z(bx, 0, -2.4f, 2.4f, 0.05f, 0.05f, s, T);     // bore
    ring_z(bx, 0, -2.4f, 0.05f, 0.07f, s);              // muzzle
    tube_z(bx, 0, -2.42f, 0.08f, 0.085f, 0.085f, s, T); // muzzle band
    ring_z(bx, 0, -2.42f, 0.07f, 0.085f, s);
    ring_z(bx, 0, -2.34f, 0.07f, 0.085f, s);
    for (float z : {-1.9f, -1.4f, -0.9f}) // barrel bands, cut like the trigger guard's rings
        quarter_torus(bx, 0, z, 0.06f, 0.04f, d.band_sides, d.band_rings);
    // The pump: a sleeve and two grip rings that slide back while reloading.
    glTranslatef(0, 0, slide);
    tube_z(bx, -0.02f, -1.25f, 0.6f, 0.11f, 0.11f, s, T);
    ring_z(bx, -0.02f, -1.25f, 0.07f, 0.11f, s);
    ring_z(bx, -0.02f, -0.65f, 0.07f, 0.11f, s);
    for (float z : {-1.15f, -0.95f, -0.75f}) tube_z(bx, -0.02f, z, 0.05f, 0.125f, 0.125f, s, 4); // grip ribs
    glTranslatef(0, 0, -slide);
    // Receiver: a half round on the outer side, capped.
    half_tube_z(bx, 0, 0, 0.7f, 0.12f, s);
    tube_z(bx, 0, 0, 0.7f, 0.09f, 0.09f, s, T);
    ring_z(bx, 0, 0, 0.07f, 0.12f, s);
    ring_z(bx, 0, 0.7f, 0, 0.12f, s);
    // Stock tube and butt.
    tube_z(bx, -0.12f, 0.7f, 0.5f, 0.06f, 0.08f, s, T);
    ring_z(bx, -0.12f, 1.2f, 0, 0.08f, s);
    tube_z(bx, -0.12f, 1.2f, 0.05f, 0.1f, 0.1f, s, T);
    ring_z(bx, -0.12f, 1.25f, 0, 0.1f, s);
    half_tube_z(bx, -0.12f, 0.7f, 0.55f, 0.09f, s);
    for (float z : {0.1f, 0.35f, 0.6f}) { // receiver pins
        tube_z(bx, 0.09f, z, 0.03f, 0.03f, 0.03f, s, T);
        ring_z(bx, 0.09f, z, 0, 0.03f, s);
        ring_z(bx, 0.09f, z + 0.03f, 0, 0.03f, s);
    }
    ring_z(bx, 0, -2.4f, 0, 0.05f, s); // bore end, dark in the sphere map
    ring_z(bx, 0, -0.02f, 0, 0.05f, s);
    ring_z(bx, 0, -1.25f, 0.11f, 0.12f, s);
    ring_z(bx, 0, -0.65f, 0.11f, 0.12f, s);
    for (float z : {-1.9f, -1.4f, -0.9f}) ring_z(bx, 0, z, 0.07f, 0.08f, s); // band seats
    for (float z : {0.8f, 1.0f}) ring_z(bx, -0.12f, z, 0.065f, 0.085f, s);   // stock ferrules
    // The sight line: a long thin red cone forward from the muzzle.
    glDisable(GL_TEXTURE_2D);
    glColor3f(1, 0, 0);
    glTranslatef(bx, 0.1f, -2.4f);
    glRotatef(180, 0, 1, 0);
    gluCylinder(shared_quadric, 0.002, 0, 1.2, s, T);
    glRotatef(-180, 0, 1, 0);
    glTranslatef(-bx, -0.1f, 2.4f);
    glEnable(GL_TEXTURE_2D);
}

void weapon3_geometry(const Detail& d, float slide) {
    weapon3_barrel(-0.16f, d, slide);
    glColor3f(1, 1, 1);
    weapon3_barrel(0.16f, d, slide);
    glColor3f(1.02f, 1.02f, 1.02f);
    const int s = d.slices;
    sphere_at(0, 0.12f, -2.3f, 0.035f, s, 4); // front bead between the barrels
    sphere_at(0, 0.14f, 0.35f, 0.05f, s, 4);  // safety knob
    // Trigger and its guard: a big ring quarter under the receiver and a small hook.
    quarter_torus(0, -0.12f, 0.15f, 0.03f, 0.05f, d.torus_sides, d.torus_rings);
    for (float z : {0.15f, 0.45f}) quarter_torus(0, -0.1f, z, 0.056f, 0.04f, d.band_sides, d.band_rings);
    quarter_torus(0, -0.16f, 0.3f, 0.065f, 0.04f, d.band_sides, d.band_rings);
    ring_z(0, 0.08f, -2.4f, 0, 0.04f, s); // the rib's end plate between the muzzles
}

void draw_weapon3() {
    held_begin(METAL_SLOT);
    glTranslatef(0.12f, -0.1f, -0.45f);
    glRotatef(3, 0, 1, 0);
    glScalef(0.25f, 0.25f, 0.25f);
    glTranslatef(0, 0, weapon_state.weapon3.recoil); // in model units
    glColor3f(1, 1, 1);
    user_angles({0, 0, -0.5f}, {0, 0, 0}, {0, 0, 1}, {0, 0, 0}, true);
    weapon3_geometry(HELD_DETAIL, weapon_state.weapon3.slide);
    held_end();
}

void list_fields(FieldList* out) {
    const Weapon3State& w = weapon_state.weapon3;
    add_field(out, "weapon3_fired", w.fired);
    add_field(out, "weapon3_fired_frames", w.fired_frames);
    add_field(out, "weapon3_reloading", w.reloading);
    add_field(out, "weapon3_reload_frames", w.reload_frames);
    add_unprinted(out, "weapon3_recoil", w.recoil);
    add_unprinted(out, "weapon3_slide", w.slide);
}

} // namespace

void draw_weapon3_display() {
    metal_begin(METAL_SLOT);
    glDisable(GL_CULL_FACE);
    glPushMatrix();
    glTranslatef(0.12f, -0.1f, -0.6f);
    glScalef(0.25f, 0.25f, 0.25f);
    quadric_begin();
    weapon3_geometry(DISPLAY_DETAIL, 0);
    quadric_end();
    glPopMatrix();
    glEnable(GL_CULL_FACE);
    glEnable(GL_TEXTURE_2D);
    metal_end();
}

const WeaponRecord WEAPON3 = {{BLAST_SOUND, nullptr}, press, nullptr, step, draw_weapon3, list_fields};
