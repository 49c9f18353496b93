// Weapon 1: a self-loading pistol. A click fires one shot: a sound, the targets under the
// pointer picked at once, and the next step asks for marks and kicks the model back.
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
constexpr int METAL_SLOT = 18; // the sphere-mapped metal, held and on display

void press(MouseButton button) {
    if (button != MouseButton::Left) return;
    weapon_state.weapon1.trigger = true;
    platform_play_sound(SHOT_SOUND);
    pick_targets();
}

void step() {
    Weapon1State& w = weapon_state.weapon1;
    w.kick = 0;
    if (!w.trigger) return;
    weapon_state.marks_asked = true;
    w.trigger = false;
    w.kick = 0.005f;
}

// --- the model ------------------------------------------------------------------------

// Slide, frame, grip and sights as one run; barrel, pins and hammer as quadrics.
void weapon1_geometry() {
    glTranslatef(0, -0.9f, -0.7f); // below and right of the line of sight when held
    glBegin(GL_TRIANGLES);
    slab_box(-2.3f, 0.0f, -0.2f, 0.7f, 0.5f, 0.2f, 0, 0.06f);       // slide, bevelled top
    slab_box(-1.7f, -0.28f, -0.17f, 0.6f, 0.0f, 0.17f);             // frame under it
    slab_box(0.05f, -1.55f, -0.19f, 0.7f, -0.28f, 0.19f, -0.45f);   // raked grip
    slab_box(0.0f, -1.45f, -0.22f, 0.55f, -0.4f, 0.22f, -0.4f);     // grip panels
    slab_box(-1.05f, -0.78f, -0.06f, -0.05f, -0.7f, 0.06f);         // trigger guard: bottom bar
    slab_box(-1.12f, -0.78f, -0.06f, -1.02f, -0.28f, 0.06f);        //   front bar
    slab_box(-0.55f, -0.62f, -0.04f, -0.45f, -0.28f, 0.04f, 0.12f); // trigger blade
    slab_box(-2.2f, 0.5f, -0.03f, -2.05f, 0.62f, 0.03f);            // front sight
    slab_box(0.45f, 0.5f, -0.16f, 0.6f, 0.62f, -0.06f);             // rear sight, left
    slab_box(0.45f, 0.5f, 0.06f, 0.6f, 0.62f, 0.16f);               //   right
    for (int i = 0; i < 6; ++i) {                                   // grip serrations on the slide
        const float x = 0.0f + 0.1f * static_cast<float>(i);
        slab_box(x, 0.08f, -0.22f, x + 0.04f, 0.42f, 0.22f);
    }
    slab_box(0.1f, -1.68f, -0.2f, 0.95f, -1.55f, 0.2f, -0.05f); // magazine base
    slab_box(-0.9f, -0.05f, 0.17f, -0.3f, 0.05f, 0.21f);        // slide stop lever
    // Beavertail over the web of the hand: a bent plate of three faces.
    const Vec3 tail[6] = {{0.6f, -0.28f, -0.19f}, {0.6f, -0.28f, 0.19f}, {0.95f, -0.2f, -0.15f},
                          {0.95f, -0.2f, 0.15f},  {1.1f, -0.1f, -0.1f},  {1.1f, -0.1f, 0.1f}};
    const Vec3 below = {0.8f, -0.6f, 0};
    slab_quad(tail[0], tail[1], tail[3], tail[2], below);
    slab_quad(tail[2], tail[3], tail[5], tail[4], below);
    slab_quad(tail[0], tail[2], tail[4], tail[5], below);
    glEnd();

    constexpr int S = 12, T = 4;
    tube_x(-2.55f, 0.25f, 0, 0.6f, 0.13f, 0.13f, S, T);                                 // barrel out of the slide
    tube_x(-2.55f, 0.25f, 0, 0.6f, 0.07f, 0.07f, S, T);                                 // its bore
    ring_x(-2.55f, 0.25f, 0, 0.07f, 0.13f, S);                                          // muzzle face
    tube_x(-2.45f, -0.14f, 0, 0.8f, 0.07f, 0.07f, S, T);                                // recoil spring guide
    for (float z : {-0.1f, 0.1f}) tube_x(-1.7f, -0.34f, z, 0.9f, 0.035f, 0.035f, S, T); // accessory rail
    tube_z(-0.15f, -0.2f, -0.21f, 0.42f, 0.05f, 0.05f, S, T);                           // magazine release
    tube_z(-0.7f, 0, -0.2f, 0.4f, 0.03f, 0.03f, S, T);                                  // slide stop pin
    tube_x(-2.3f, 0.25f, 0, 0.02f, 0.17f, 0.17f, S, T);                                 // slide nose
    for (float x : {-1.4f, -0.5f, 0.35f}) {                                             // cross pins through the frame
        tube_z(x, -0.14f, -0.19f, 0.38f, 0.045f, 0.045f, S, T);
        ring_z(x, -0.14f, -0.19f, 0, 0.045f, S);
        ring_z(x, -0.14f, 0.19f, 0, 0.045f, S);
    }
    for (float y : {-0.7f, -1.2f}) { // grip screws
        tube_z(0.0f - 0.35f * (y + 0.28f), y, -0.25f, 0.5f, 0.05f, 0.05f, S, T);
        ring_z(0.0f - 0.35f * (y + 0.28f), y, -0.25f, 0, 0.05f, S);
        ring_z(0.0f - 0.35f * (y + 0.28f), y, 0.25f, 0, 0.05f, S);
    }
    tube_z(0.78f, 0.2f, -0.08f, 0.16f, 0.12f, 0.12f, S, T); // hammer
    ring_z(0.78f, 0.2f, -0.08f, 0, 0.12f, S);
    ring_z(0.78f, 0.2f, 0.08f, 0, 0.12f, S);
    sphere_at(0.9f, 0.34f, 0, 0.07f, S, T);                                          // hammer spur
    sphere_at(-2.12f, 0.64f, 0, 0.035f, S, T);                                       // sight bead
    for (float x : {-1.9f, -1.6f}) tube_x(x, 0.25f, 0, 0.04f, 0.205f, 0.205f, S, T); // slide bands
    tube_x(0.7f, 0.25f, 0, 0.02f, 0.1f, 0.1f, S, T);                                 // firing pin housing
    glTranslatef(0, 0.9f, 0.7f);
}

void draw_weapon1() {
    held_begin(METAL_SLOT);
    glTranslatef(0.01f, 0, -0.07f);
    glTranslatef(0, 0, weapon_state.weapon1.kick);
    glTranslatef(-0.05f, -0.02f, -0.06f);
    glRotatef(-85, 0, 1, 0);
    glScalef(0.035f, 0.035f, 0.035f);
    glColor3ub(200, 200, 50);
    user_angles({-0.5f, 0, -2}, {0, 0, 0}, {1.9f, 0, 0}, {1.5f, 0, 0}, true);
    weapon1_geometry();
    held_end();
}

void list_fields(FieldList* out) {
    const Weapon1State& w = weapon_state.weapon1;
    add_field(out, "weapon1_trigger", w.trigger);
    add_unprinted(out, "weapon1_kick", w.kick);
}

} // namespace

// Colour stays set after it: it saves no attribute.
void draw_weapon1_display() {
    metal_begin(METAL_SLOT);
    glDisable(GL_CULL_FACE);
    glColor3ub(200, 200, 50);
    glPushMatrix();
    glScalef(0.2f, 0.2f, 0.2f);
    quadric_begin();
    weapon1_geometry();
    quadric_end();
    glPopMatrix();
    glEnable(GL_CULL_FACE);
    glEnable(GL_TEXTURE_2D);
    metal_end();
}

const WeaponRecord WEAPON1 = {{SHOT_SOUND, nullptr}, press, nullptr, step, draw_weapon1, list_fields};
