// Weapon 2: a drum-fed carbine. A click fires one shot, as weapon 1's, and its step turns
// the drum by a cartridge; the 20th shot refills the drum at once, so the last cartridge
// always shows.
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
constexpr int METAL_SLOT = 9; // the sphere-mapped metal

void press(MouseButton button) {
    if (button != MouseButton::Left) return;
    weapon_state.weapon2.trigger = true;
    platform_play_sound(SHOT_SOUND);
    pick_targets();
}

void step() {
    Weapon2State& w = weapon_state.weapon2;
    w.kick = 0;
    if (!w.trigger) return;
    w.shots += 1;
    w.drum_angle -= 18;
    w.trigger = false;
    for (int k = 0; k < WEAPON2_CARTRIDGES - 1; ++k)
        if (w.shots > k) w.cartridge_present[k] = false;
    if (w.shots > WEAPON2_CARTRIDGES - 1) {
        for (bool& present : w.cartridge_present) present = true;
        w.shots = 0;
    }
    w.kick = 0.03f;
}

// --- the model ------------------------------------------------------------------------

constexpr float DRUM_RADIUS = 0.4f, DRUM_INNER = 0.38f, DRUM_LENGTH = 0.62f, CARTRIDGE_RADIUS = 0.48f;

void weapon2_cartridge() {
    constexpr int S = 14, T = 4;
    tube_z(0, 0, -0.06f, 0.06f, 0.05f, 0.05f, S, T); // rim
    tube_z(0, 0, 0, 0.02f, 0.04f, 0.04f, S, T);      // extractor groove
    tube_z(0, 0, 0.02f, 0.42f, 0.05f, 0.05f, S, T);  // case
    tube_z(0, 0, 0.44f, 0.06f, 0.05f, 0.035f, S, T); // shoulder
    tube_z(0, 0, 0.5f, 0.05f, 0.035f, 0.035f, S, T); // neck
    tube_z(0, 0, 0.55f, 0.12f, 0.035f, 0.02f, S, T); // bullet
    tube_z(0, 0, 0.67f, 0.03f, 0.02f, 0.0f, S, T);   // tip
    ring_z(0, 0, -0.06f, 0.03f, 0.05f, S);           // base
    glColor3f(1, 1, 0.5f);
    ring_z(0, 0, -0.061f, 0, 0.03f, S); // primer
    glColor3f(1, 1, 1);
}

void weapon2_geometry() {
    constexpr int S = 14, T = 4;
    glTranslatef(0, -0.3f, -1.2f); // the drum's top in view when held
    // The barrel leaves the drum at its firing position, the bottom, along -x.
    const float y = -CARTRIDGE_RADIUS, z = DRUM_LENGTH / 2;
    tube_x(-4.2f, y, z, 4.5f, 0.08f, 0.08f, S, T);  // barrel
    tube_x(-2.4f, y, z, 2.0f, 0.12f, 0.12f, S, T);  // jacket
    tube_x(-0.4f, y, z, 0.35f, 0.13f, 0.13f, S, T); // breech
    ring_x(-2.4f, y, z, 0.08f, 0.12f, S);
    ring_x(-0.05f, y, z, 0.0f, 0.13f, S);
    ring_x(-0.4f, y, z, 0.12f, 0.13f, S);
    for (float x : {-3.3f, -3.6f, -3.9f}) { // cooling collars
        tube_x(x, y, z, 0.08f, 0.11f, 0.11f, S, T);
        ring_x(x, y, z, 0.08f, 0.11f, S);
        ring_x(x + 0.08f, y, z, 0.08f, 0.11f, S);
    }
    glPushMatrix(); // muzzle crown
    glTranslatef(-4.2f, y, z);
    glRotatef(90, 0, 1, 0);
    draw_torus(0.045f, 0.02f, 61, 37);
    glPopMatrix();
    sphere_at(-4.0f, y + 0.14f, z, 0.03f, S, T); // front bead
    // Front sight blade and rear notch plate.
    glBegin(GL_TRIANGLES);
    glNormal3f(0, 0, 1);
    for (float dz : {-0.01f, 0.01f}) {
        glVertex3f(-4.05f, y + 0.07f, z + dz);
        glVertex3f(-3.9f, y + 0.07f, z + dz);
        glVertex3f(-4.0f, y + 0.15f, z + dz);
    }
    glVertex3f(-4.05f, y + 0.07f, z);
    glVertex3f(-3.9f, y + 0.07f, z);
    glVertex3f(-4.0f, y + 0.15f, z);
    glVertex3f(-4.05f, y + 0.07f, z - 0.01f);
    glVertex3f(-4.05f, y + 0.07f, z + 0.01f);
    glVertex3f(-4.0f, y + 0.15f, z);
    glEnd();
    glBegin(GL_TRIANGLES);
    glNormal3f(1, 0, 0);
    glVertex3f(-0.2f, y + 0.12f, z - 0.12f);
    glVertex3f(-0.2f, y + 0.12f, z - 0.02f);
    glVertex3f(-0.2f, y + 0.24f, z - 0.12f);
    glVertex3f(-0.2f, y + 0.12f, z + 0.02f);
    glVertex3f(-0.2f, y + 0.12f, z + 0.12f);
    glVertex3f(-0.2f, y + 0.24f, z + 0.12f);
    glVertex3f(-0.2f, y + 0.12f, z - 0.02f);
    glVertex3f(-0.2f, y + 0.12f, z + 0.02f);
    glVertex3f(-0.2f, y + 0.16f, z);
    glVertex3f(-0.2f, y + 0.24f, z - 0.12f);
    glVertex3f(-0.2f, y + 0.24f, z + 0.12f);
    glVertex3f(-0.2f, y + 0.2f, z);
    glEnd();

    // The drum turns about z; each cartridge is placed and put back, so gaps stay gaps.
    glPushMatrix();
    glRotatef(weapon_state.weapon2.drum_angle, 0, 0, 1);
    gluCylinder(shared_quadric, DRUM_RADIUS, DRUM_RADIUS, DRUM_LENGTH, 26, 12);
    gluCylinder(shared_quadric, DRUM_INNER, DRUM_INNER, DRUM_LENGTH, 26, 12);
    ring_z(0, 0, 0, 0.1f, DRUM_RADIUS, 26);
    ring_z(0, 0, DRUM_LENGTH, 0.1f, DRUM_RADIUS, 26);
    for (int k = 0; k < WEAPON2_CARTRIDGES; ++k) {
        if (!weapon_state.weapon2.cartridge_present[k]) continue;
        const float angle = 270.0f + 18.0f * static_cast<float>(k);
        glRotatef(angle, 0, 0, 1);
        glTranslatef(CARTRIDGE_RADIUS, 0, 0);
        weapon2_cartridge();
        glTranslatef(-CARTRIDGE_RADIUS, 0, 0);
        glRotatef(-angle, 0, 0, 1);
    }
    glPopMatrix();
    glTranslatef(0, 0.3f, 1.2f);
}

void draw_weapon2() {
    glEnable(GL_TEXTURE_2D);
    held_begin(METAL_SLOT);
    glTranslatef(-0.015f, -0.006f, -0.13f);
    glTranslatef(0, 0, weapon_state.weapon2.kick);
    glTranslatef(-0.05f, -0.01f, -0.035f);
    glRotatef(-87, 0, 1, 0);
    glScalef(0.033f, 0.033f, 0.033f);
    glTranslatef(0, -0.2f, -0.99f);
    glColor3ub(250, 250, 250);
    user_angles({-0.5f, 0, -2}, {0, 0, 0}, {1.9f, 0, 0}, {1.5f, 0, 0}, true);
    weapon2_geometry();
    held_end();
}

void list_fields(FieldList* out) {
    const Weapon2State& w = weapon_state.weapon2;
    add_field(out, "weapon2_trigger", w.trigger);
    add_unprinted(out, "weapon2_kick", w.kick);
    add_field(out, "weapon2_shots", w.shots);
    add_fields(out, "weapon2_cartridge_present", w.cartridge_present);
    add_field(out, "weapon2_drum_angle", w.drum_angle);
}

} // namespace

const WeaponRecord WEAPON2 = {{SHOT_SOUND, nullptr}, press, nullptr, step, draw_weapon2, list_fields};
