// The held weapons share one frame: a sphere-mapped texture for the metallic look, camera
// space, depth-tested against the scene, no culling. Inside it each model is placed, turned
// by the user angles about its pivots, and drawn from quadrics, tori and slab runs; the
// firing offsets are the ones the held weapon's last step left in weapon_state.
#include "weapon_models.h"

#include "assets/gl_caps.h"
#include "scene/blocks.h"
#include "scene/vec3.h"
#include "weapons/weapon_state.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>
#include <cstdint>
#include <initializer_list>

WeaponModelState weapon_models;

void reset_weapon_models() { weapon_models = WeaponModelState{}; }

void set_ring_pair_effects(bool on) {
    RingPairState& r = weapon_models.ring_pair;
    r.effects_on = r.blend_on = r.points_on = on;
}

namespace {

// Keeps x >= 0, z >= 0, y <= 0 and z <= 0 of the frame current at glClipPlane.
constexpr GLdouble KEEP_POS_X[4] = {1, 0, 0, 0};
constexpr GLdouble KEEP_POS_Z[4] = {0, 0, 1, 0};
constexpr GLdouble KEEP_NEG_Y[4] = {0, -1, 0, 0};
constexpr GLdouble KEEP_NEG_Z[4] = {0, 0, -1, 0};

void separate_specular(bool on) {
    if (gl_caps.separate_specular)
        glLightModeli(GL_LIGHT_MODEL_COLOR_CONTROL, on ? GL_SEPARATE_SPECULAR_COLOR : GL_SINGLE_COLOR);
}

// Sphere-mapped texturing with specular added after it: the polished-metal look.
void metal_begin(int slot) {
    bind_slot(slot);
    glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
    glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
    glEnable(GL_TEXTURE_GEN_S);
    glEnable(GL_TEXTURE_GEN_T);
    separate_specular(true);
}

void metal_end() {
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);
    separate_specular(false);
}

// The held frame up to the placement: camera space, depth-tested, no culling.
void held_begin(int slot) {
    metal_begin(slot);
    glPushMatrix();
    glPushAttrib(GL_CURRENT_BIT);
    glLoadIdentity();
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glFrontFace(GL_CW);
}

// Turns by `angle` about the axis (ax, ay, az) through `pivot`.
void rotate_about(const Vec3& pivot, float angle, float ax, float ay, float az) {
    glTranslatef(pivot.x, pivot.y, pivot.z);
    glRotatef(angle, ax, ay, az);
    glTranslatef(-pivot.x, -pivot.y, -pivot.z);
}

// Pushes the matrix and applies the user angles; `roll` false for a model without roll.
void user_angles(const Vec3& pivot_offset, const Vec3& pitch_pivot, const Vec3& yaw_pivot, const Vec3& roll_pivot,
                 bool roll) {
    glPushMatrix();
    glTranslatef(pivot_offset.x, pivot_offset.y, pivot_offset.z);
    rotate_about(pitch_pivot, weapon_models.weapon_pitch_angle, 1, 0, 0);
    rotate_about(yaw_pivot, weapon_models.weapon_yaw_angle, 0, 1, 0);
    if (roll) rotate_about(roll_pivot, weapon_models.weapon_roll_angle, 0, 0, 1);
    quadric_begin();
    glPushMatrix();
}

// Closes the geometry and user-angle scopes and the held frame. The front face goes back
// to counter-clockwise, so the next frame's culled surfaces keep their fronts.
void held_end() {
    glPopMatrix();
    glPopMatrix();
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_CULL_FACE);
    glPopAttrib();
    quadric_end();
    glPopMatrix();
    metal_end();
    glFrontFace(GL_CCW);
}

// --- parts ---------------------------------------------------------------------------

// A quadric tube along +z from z0, closed or open.
void tube_z(float x, float y, float z0, float length, float r0, float r1, int slices, int stacks) {
    glTranslatef(x, y, z0);
    gluCylinder(shared_quadric, r0, r1, length, slices, stacks);
    glTranslatef(-x, -y, -z0);
}

// A ring (a disk with a hole) facing z at (x, y, z).
void ring_z(float x, float y, float z, float inner, float outer, int slices) {
    glTranslatef(x, y, z);
    gluDisk(shared_quadric, inner, outer, slices, 1);
    glTranslatef(-x, -y, -z);
}

// The same along the x axis: a quadric's z axis turned onto +x.
void tube_x(float x0, float y, float z, float length, float r0, float r1, int slices, int stacks) {
    glPushMatrix();
    glTranslatef(x0, y, z);
    glRotatef(90, 0, 1, 0);
    gluCylinder(shared_quadric, r0, r1, length, slices, stacks);
    glPopMatrix();
}

void ring_x(float x, float y, float z, float inner, float outer, int slices) {
    glPushMatrix();
    glTranslatef(x, y, z);
    glRotatef(90, 0, 1, 0);
    gluDisk(shared_quadric, inner, outer, slices, 1);
    glPopMatrix();
}

void sphere_at(float x, float y, float z, float radius, int slices, int stacks) {
    glTranslatef(x, y, z);
    gluSphere(shared_quadric, radius, slices, stacks);
    glTranslatef(-x, -y, -z);
}

// One quad of a slab, as two triangles carrying the face's normal, turned to point away
// from the slab's centre whatever the corner order.
void slab_quad(const Vec3& a, const Vec3& b, const Vec3& c, const Vec3& d, const Vec3& centre) {
    Vec3 n;
    face_normal(&a, &b, &c, &n);
    const Vec3 out = {a.x - centre.x, a.y - centre.y, a.z - centre.z};
    if (n.x * out.x + n.y * out.y + n.z * out.z < 0) vec3_scale(&n, -1);
    glNormal3f(n.x, n.y, n.z);
    glVertex3f(a.x, a.y, a.z);
    glVertex3f(b.x, b.y, b.z);
    glVertex3f(c.x, c.y, c.z);
    glVertex3f(a.x, a.y, a.z);
    glVertex3f(c.x, c.y, c.z);
    glVertex3f(d.x, d.y, d.z);
}

// A six-sided slab inside an open glBegin(GL_TRIANGLES): corners 0-3 go round its bottom,
// 4-7 round its top above them.
void slab(const Vec3 (&c)[8]) {
    Vec3 centre = {0, 0, 0};
    for (const Vec3& p : c) centre = Vec3{centre.x + p.x / 8, centre.y + p.y / 8, centre.z + p.z / 8};
    slab_quad(c[0], c[1], c[2], c[3], centre);
    slab_quad(c[4], c[5], c[6], c[7], centre);
    for (int i = 0; i < 4; ++i) slab_quad(c[i], c[(i + 1) % 4], c[4 + (i + 1) % 4], c[4 + i], centre);
}

// An upright slab: its bottom x0..x1 by z0..z1 at y0, its top shifted by `lean` in x and
// narrowed by `bevel` on each z side at y1.
void slab_box(float x0, float y0, float z0, float x1, float y1, float z1, float lean = 0, float bevel = 0) {
    slab({{x0, y0, z0},
          {x1, y0, z0},
          {x1, y0, z1},
          {x0, y0, z1},
          {x0 + lean, y1, z0 + bevel},
          {x1 + lean, y1, z0 + bevel},
          {x1 + lean, y1, z1 - bevel},
          {x0 + lean, y1, z1 - bevel}});
}

// --- weapon 1: a self-loading pistol, barrel towards -x -------------------------------

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

// --- weapon 2: a drum-fed carbine -------------------------------------------------------

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
    glRotatef(weapon_state.weapon2_drum_angle, 0, 0, 1);
    gluCylinder(shared_quadric, DRUM_RADIUS, DRUM_RADIUS, DRUM_LENGTH, 26, 12);
    gluCylinder(shared_quadric, DRUM_INNER, DRUM_INNER, DRUM_LENGTH, 26, 12);
    ring_z(0, 0, 0, 0.1f, DRUM_RADIUS, 26);
    ring_z(0, 0, DRUM_LENGTH, 0.1f, DRUM_RADIUS, 26);
    for (int k = 0; k < WEAPON2_CARTRIDGES; ++k) {
        if (!weapon_state.weapon2_cartridge_present[k]) continue;
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

// --- weapon 3: a double-barrelled pump gun, barrels towards -z ---------------------------

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

// --- weapon 4: a rotary gun with a launcher under it, barrels towards -z ----------------

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
    bind_slot(1);
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
    bind_slot(8);
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
    bind_slot(9);

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

// --- weapon 5: two counter-rotating rotors on a drive body ---------------------------------

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

} // namespace

void draw_weapon1() {
    held_begin(18);
    glTranslatef(0.01f, 0, -0.07f);
    glTranslatef(0, 0, weapon_state.weapon1_kick);
    glTranslatef(-0.05f, -0.02f, -0.06f);
    glRotatef(-85, 0, 1, 0);
    glScalef(0.035f, 0.035f, 0.035f);
    glColor3ub(200, 200, 50);
    user_angles({-0.5f, 0, -2}, {0, 0, 0}, {1.9f, 0, 0}, {1.5f, 0, 0}, true);
    weapon1_geometry();
    held_end();
}

void draw_weapon2() {
    glEnable(GL_TEXTURE_2D);
    held_begin(9);
    glTranslatef(-0.015f, -0.006f, -0.13f);
    glTranslatef(0, 0, weapon_state.weapon2_kick);
    glTranslatef(-0.05f, -0.01f, -0.035f);
    glRotatef(-87, 0, 1, 0);
    glScalef(0.033f, 0.033f, 0.033f);
    glTranslatef(0, -0.2f, -0.99f);
    glColor3ub(250, 250, 250);
    user_angles({-0.5f, 0, -2}, {0, 0, 0}, {1.9f, 0, 0}, {1.5f, 0, 0}, true);
    weapon2_geometry();
    held_end();
}

void draw_weapon3() {
    held_begin(9);
    glTranslatef(0.12f, -0.1f, -0.45f);
    glRotatef(3, 0, 1, 0);
    glScalef(0.25f, 0.25f, 0.25f);
    glTranslatef(0, 0, weapon_state.weapon3_recoil); // in model units
    glColor3f(1, 1, 1);
    user_angles({0, 0, -0.5f}, {0, 0, 0}, {0, 0, 1}, {0, 0, 0}, true);
    weapon3_geometry(HELD_DETAIL, weapon_state.weapon3_slide);
    held_end();
}

void draw_weapon4() {
    held_begin(9);
    glTranslatef(0.12f, -0.07f, -0.2f);
    glRotatef(5, 0, 1, 0);
    glTranslatef(0, 0, weapon_state.weapon4_kick);
    glTranslatef(0, 0, weapon_state.weapon4_launch_kick);
    glScalef(0.6f, 0.6f, 0.5f);
    glColor3ub(255, 255, 255);
    user_angles({0, 0, -0.5f}, {0, 0, 0}, {0, 0, 0.5f}, {0, 0, 0}, true);
    weapon4_geometry(weapon_state.weapon4_launch_out);
    held_end();
}

// No roll: the rotors already turn about the roll axis.
void draw_weapon5() {
    held_begin(10);
    glTranslatef(0.15f, -0.14f, -0.1f);
    glScalef(1.4f, 1.4f, 1.3f);
    user_angles({0, 0, -0.5f}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, false);
    weapon5_rotor(0.5f * weapon_state.weapon5_left_angle, true);
    weapon5_body();
    glTranslatef(0, 0, 0.25f);
    weapon5_rotor(-0.5f * weapon_state.weapon5_right_angle, false);
    held_end();
}

// Colour stays set after it: it saves no attribute.
void draw_weapon1_display() {
    metal_begin(18);
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

void draw_weapon3_display() {
    metal_begin(9);
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

// --- the ring pair ---------------------------------------------------------------------

namespace {

// Counts the colour triple down by (a, b, c); the drawing issues it as bytes, which keep
// the low 8 bits, so the colour cycles once the floats pass below zero.
void count_down(float rgb[3], float a, float b, float c, float kept[3]) {
    rgb[0] -= a;
    rgb[1] -= b;
    rgb[2] -= c;
    for (int k = 0; k < 3; ++k) kept[k] = rgb[k];
}

// `reversed` issues the triple as (third, second, first).
void issue_colour(const float rgb[3], bool reversed) {
    const auto byte = [](float v) { return static_cast<GLubyte>(static_cast<int32_t>(v) & 0xFF); };
    if (reversed) glColor3ub(byte(rgb[2]), byte(rgb[1]), byte(rgb[0]));
    else glColor3ub(byte(rgb[0]), byte(rgb[1]), byte(rgb[2]));
}

void point_sphere(const float rgb[3]) {
    glPointSize(1);
    gluQuadricDrawStyle(shared_quadric, GLU_POINT);
    gluQuadricNormals(shared_quadric, GLU_SMOOTH);
    issue_colour(rgb, true);
    gluSphere(shared_quadric, 0.8, 36, 36);
}

constexpr float HALF_TURN = 3.1415f;

} // namespace

void step_ring_pair(float rgb[3]) {
    RingPairState& r = weapon_models.ring_pair;
    RingPairDraw& d = r.drawn;
    if (r.effects_on) {
        count_down(rgb, 0.1f, 0.3f, 0.7f, d.first_ring_rgb);
    } else {
        rgb[0] = rgb[1] = rgb[2] = 255;
        count_down(rgb, 0, 0, 0, d.first_ring_rgb);
    }
    if (r.effects_on) {
        if (r.rise_height < 2.0f) {
            r.rise_height += 0.005f;
            r.rise_depth += 0.03f;
        } else {
            r.descent_allowed = false;
        }
    } else if (r.descent_allowed && r.rise_height > 0) {
        r.rise_height -= 0.005f;
        r.rise_depth -= 0.03f;
    }
    count_down(rgb, 0.1f, 0.3f, 0.7f, d.after_sphere_rgb);
    d.halo_spin = r.halo_spin;
    d.drifted_sphere = false;
    if (r.effects_on) {
        if (r.halo_progress < 1.1f) {
            r.halo_height -= 0.001f;
            r.halo_depth -= 0.00086f;
            r.halo_progress += 0.001f;
        } else {
            d.drifted_sphere = true;
            count_down(rgb, 0.7f, 0.3f, 0.1f, d.drifted_sphere_rgb);
        }
        if (r.halo_density < 280) r.halo_density += 0.2f;
    } else {
        if (r.halo_progress > 0) {
            r.halo_height += 0.001f;
            r.halo_depth += 0.00086f;
            r.halo_progress -= 0.001f;
        } else {
            r.descent_allowed = true; // the sphere sinks only once the circle is home
        }
        if (r.halo_density > 2.2f) r.halo_density -= 0.2f;
    }
    count_down(rgb, 0.1f, 0.3f, 0.7f, d.circle_rgb);
    r.halo_spin += 0.2f;
    if (r.points_on) count_down(rgb, 0.7f, 0.3f, 0.1f, d.points_rgb);
}

void draw_ring_pair() {
    const RingPairState& r = weapon_models.ring_pair;
    const RingPairDraw& d = r.drawn;
    metal_begin(3);
    quadric_begin();
    {
        Placement block;
        glTranslatef(-6.4f, 1.1f, -8.7f);
        glScalef(1.1f, 0.9f, 1);
        issue_colour(d.first_ring_rgb, false);
        draw_torus(0.55f, 0.35f, 36, 17);
    }
    {
        Placement block;
        bind_slot(3);
        glTranslatef(-6.4f, 1.1f, -8.7f);
        glTranslatef(0, r.rise_height, r.rise_depth);
        glColor3f(1.3f, 1.3f, 1.3f);
        gluSphere(shared_quadric, 0.35, 31, 11);
    }
    issue_colour(d.after_sphere_rgb, false); // still current when the pair is done
    {
        Placement block;
        glDisable(GL_TEXTURE_2D);
        glTranslatef(-6.4f, 2.2f, -7.7f);
        if (d.drifted_sphere) {
            glTranslatef(0, -1.1f, -1);
            glRotatef(d.halo_spin, 0, 0, 1);
            point_sphere(d.drifted_sphere_rgb);
        }
        issue_colour(d.circle_rgb, false);
        glTranslatef(0, r.halo_height, r.halo_depth);
        glRotatef(d.halo_spin, 0, 0, 1);
        glPointSize(1);
        glBegin(GL_POINTS);
        for (float t = 0; t <= HALF_TURN; t += HALF_TURN / r.halo_density) {
            glVertex3f(0.3f * std::sin(t), 0.3f * std::cos(t), 0);
            glVertex3f(0.3f * std::sin(t + HALF_TURN), 0.3f * std::cos(t + HALF_TURN), 0);
        }
        glEnd();
        glEnable(GL_TEXTURE_2D);
    }
    {
        Placement block;
        bind_slot(7);
        glTranslatef(-3, 1.1f, -8.7f);
        glScalef(1.1f, 0.9f, 1);
        draw_torus(0.55f, 0.35f, 36, 17);
        if (r.blend_on) glEnable(GL_BLEND);
        gluQuadricDrawStyle(shared_quadric, GLU_FILL);
        gluSphere(shared_quadric, 0.35, 31, 11);
        if (r.blend_on) glDisable(GL_BLEND);
        if (r.points_on) {
            glDisable(GL_TEXTURE_2D);
            glRotatef(r.halo_spin, 0, 0, 1);
            point_sphere(d.points_rgb);
            glEnable(GL_TEXTURE_2D);
        }
    }
    quadric_end();
    metal_end();
}

void draw_held_weapon() {
    switch (weapon_state.held_weapon) {
    case 1:
        draw_weapon1();
        break;
    case 2:
        draw_weapon2();
        break;
    case 3:
        draw_weapon3();
        break;
    case 4:
        draw_weapon4();
        break;
    case 5:
        draw_weapon5();
        break;
    default:
        break;
    }
}
