// Weapon 5: two counter-rotating rotors on a drive body. Each button drives one rotor while
// it is held, and every step it turns, its sound starts again.
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
constexpr int METAL_SLOT = 10; // the sphere-mapped metal

void press(MouseButton button) {
    Weapon5State& w = weapon_state.weapon5;
    if (button == MouseButton::Left) w.left_held = true;
    else w.right_held = true;
}

void release(MouseButton button) {
    Weapon5State& w = weapon_state.weapon5;
    if (button == MouseButton::Left) w.left_held = false;
    else w.right_held = false;
}

void step() {
    Weapon5State& w = weapon_state.weapon5;
    if (w.right_held) {
        w.right_angle += 45;
        platform_play_sound(SHOT_SOUND);
    }
    if (w.left_held) {
        w.left_angle += 15;
        platform_play_sound(BLAST_SOUND);
    }
}

// --- the model ------------------------------------------------------------------------

void weapon5_rotor(float turn, bool sight) {
    glPushMatrix();
    glRotatef(turn, 0, 0, 1);
    for (int group = 0; group < 3; ++group) { // blades in three groups of ten
        glRotatef(30.0f * static_cast<float>(group), 0, 0, 1);
        for (int blade = 0; blade < 10; ++blade) {
            glPushMatrix();
            glRotatef(36.0f * static_cast<float>(blade), 0, 0, 1);
            glRotatef(-90, 1, 0, 0);
            tube_z(0, 0, 0.012f, 0.05f, 0.0025f, 0.0015f, 8, 8);
            ring_z(0, 0, 0.062f, 0, 0.0015f, 8);
            glPopMatrix();
        }
        glRotatef(-30.0f * static_cast<float>(group), 0, 0, 1);
    }
    tube_z(0, 0, -0.006f, 0.012f, 0.014f, 0.014f, 32, 16); // hub
    ring_z(0, 0, -0.006f, 0.004f, 0.014f, 32);
    ring_z(0, 0, 0.006f, 0.004f, 0.014f, 32);
    if (sight) {
        glDisable(GL_TEXTURE_2D);
        glColor3f(0, 0, 1);
        glRotatef(180, 0, 1, 0);
        gluCylinder(shared_quadric, 0.0004, 0, 2.2, 26, 13);
        glRotatef(-180, 0, 1, 0);
        glColor3ub(255, 255, 255);
        glEnable(GL_TEXTURE_2D);
    }
    glPopMatrix();
}

void weapon5_body() {
    constexpr int S = 32, T = 16;
    tube_z(0, 0, 0.01f, 0.05f, 0.006f, 0.006f, S, T); // front shaft
    tube_z(0, 0, 0.06f, 0.1f, 0.02f, 0.024f, S, T);   // motor can
    ring_z(0, 0, 0.06f, 0.006f, 0.02f, S);
    ring_z(0, 0, 0.16f, 0, 0.024f, S);
    for (int i = 0; i < 8; ++i) { // cooling ribs along the can
        const float a = static_cast<float>(i) * 45.0f * 3.14159265f / 180.0f;
        tube_z(0.023f * std::cos(a), 0.023f * std::sin(a), 0.07f, 0.08f, 0.002f, 0.002f, 8, 8);
        ring_z(0.023f * std::cos(a), 0.023f * std::sin(a), 0.07f, 0, 0.002f, 8);
        ring_z(0.023f * std::cos(a), 0.023f * std::sin(a), 0.15f, 0, 0.002f, 8);
    }
    for (float z : {0.075f, 0.11f, 0.145f}) { // bands
        tube_z(0, 0, z, 0.004f, 0.026f, 0.026f, S, T);
        ring_z(0, 0, z, 0.02f, 0.026f, S);
        ring_z(0, 0, z + 0.004f, 0.02f, 0.026f, S);
    }
    sphere_at(0, 0, 0.01f, 0.008f, S, T);     // front bearing
    sphere_at(0, -0.03f, 0.13f, 0.01f, S, T); // grip knob
    tube_z(0, -0.03f, 0.13f, 0.05f, 0.008f, 0.008f, S, T);
    sphere_at(0, 0, 0.24f, 0.008f, S, T);                   // rear bearing
    tube_z(0, 0, 0.16f, 0.08f, 0.006f, 0.006f, S, T);       // rear shaft
    tube_z(0, -0.045f, 0.14f, 0.02f, 0.004f, 0.004f, S, T); // trigger
    ring_z(0, -0.045f, 0.14f, 0, 0.004f, S);
    ring_z(0, -0.045f, 0.16f, 0, 0.004f, S);
    tube_z(0, -0.03f, 0.18f, 0.02f, 0.012f, 0.012f, S, T); // grip cap
    ring_z(0, -0.03f, 0.18f, 0, 0.012f, S);
    ring_z(0, -0.03f, 0.2f, 0, 0.012f, S);
}

// No roll: the rotors already turn about the roll axis.
void draw_weapon5() {
    held_begin(METAL_SLOT);
    glTranslatef(0.15f, -0.14f, -0.1f);
    glScalef(1.4f, 1.4f, 1.3f);
    user_angles({0, 0, -0.5f}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, false);
    weapon5_rotor(0.5f * weapon_state.weapon5.left_angle, true);
    weapon5_body();
    glTranslatef(0, 0, 0.25f);
    weapon5_rotor(-0.5f * weapon_state.weapon5.right_angle, false);
    held_end();
}

void list_fields(FieldList* out) {
    const Weapon5State& w = weapon_state.weapon5;
    add_field(out, "weapon5_left_held", w.left_held);
    add_field(out, "weapon5_right_held", w.right_held);
    add_field(out, "weapon5_left_angle", w.left_angle);
    add_field(out, "weapon5_right_angle", w.right_angle);
}

} // namespace

const WeaponRecord WEAPON5 = {{SHOT_SOUND, BLAST_SOUND}, press, release, step, draw_weapon5, list_fields};
