// The town's quadric assemblies (vaulted canopy, arcade fence, stained-glass window) and the
// spinning orb. The assemblies place their parts on a running frame: each part is moved in
// by translations and rotations and moved back by the opposite calls, so nothing is pushed.
// Square posts and beams are 4-slice cylinders turned 45 degrees about their own axis; the
// caps that close them leave a tiny hole in the middle.
#include "assets/gl_caps.h"
#include "scene/blocks.h"
#include "scene/models.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <initializer_list>

namespace {

// Texture slots, rows of the current world's texture set.
constexpr int SMALL_PANE_SLOT = 4; // the gothic window's small pane
constexpr int ORB_SLOT = 10;       // the ring orb
constexpr int STONE_SLOT = 12;     // the vault, the arcade and the window tracery
constexpr int RAIL_SLOT = 13;      // the arcade's rail and brackets
constexpr int GLASS_SLOT = 15;     // the gothic window's glass

// Keeps y >= 0 of the frame current at glClipPlane: the upper half of a vault or arch.
constexpr GLdouble UPPER_HALF[4] = {0, 1, 0, 0};

// Specular highlights added after texturing, where the context has the colour control.
void separate_specular(bool on) {
    if (gl_caps.separate_specular)
        glLightModeli(GL_LIGHT_MODEL_COLOR_CONTROL, on ? GL_SEPARATE_SPECULAR_COLOR : GL_SINGLE_COLOR);
}

// An upright square post from (x, y, z) up `length`.
void square_post(float x, float y, float z, float radius, float length) {
    glTranslatef(x, y, z);
    glRotatef(-90, 1, 0, 0);
    glRotatef(45, 0, 0, 1);
    gluCylinder(shared_quadric, radius, radius, length, 4, 4);
    glRotatef(-45, 0, 0, 1);
    glRotatef(90, 1, 0, 0);
    glTranslatef(-x, -y, -z);
}

// Around the cylinders and caps of a vault or arch: only their half above the current
// frame's y = 0 is drawn, with their inner side taken as the front.
void half_ring_begin() {
    glClipPlane(GL_CLIP_PLANE0, UPPER_HALF);
    glEnable(GL_CLIP_PLANE0);
    glFrontFace(GL_CW);
}

void half_ring_end() {
    glFrontFace(GL_CCW);
    glDisable(GL_CLIP_PLANE0);
}

} // namespace

void draw_vault_canopy() {
    Placement block;
    separate_specular(true);
    quadric_begin();
    bind_slot(STONE_SLOT);
    glDisable(GL_CULL_FACE);

    for (float z : {0.0f, 1.9f, 3.8f})
        for (float x : {0.0f, -1.8f}) square_post(x, 0, z, 0.1f, 1);

    // The vault is moved back without its z step, so the rails that follow sit 0.05 further
    // towards -z than their own translations say.
    glTranslatef(-0.9f, 0.95f, -0.05f);
    half_ring_begin();
    gluCylinder(shared_quadric, 0.86, 0.86, 4, 24, 24);
    gluCylinder(shared_quadric, 0.96, 0.96, 4, 24, 24);
    gluDisk(shared_quadric, 0.86, 0.95, 24, 1);
    half_ring_end();
    glTranslatef(0.9f, -0.95f, 0);

    // Rails along +z, capped at their front end, which lies 0.15 before z = 0: 0.10 here
    // in the frame the vault left 0.05 back.
    for (float x : {-0.005f, -1.805f})
        for (float y : {0.1f, 1.1f}) {
            glTranslatef(x, y, -0.10f);
            glRotatef(45, 0, 0, 1);
            gluDisk(shared_quadric, 0.03, 0.13, 4, 1);
            gluCylinder(shared_quadric, 0.13, 0.13, 4, 4, 4);
            glRotatef(-45, 0, 0, 1);
            glTranslatef(-x, -y, 0.10f);
        }

    glEnable(GL_CULL_FACE);
    quadric_end();
    separate_specular(false);
}

void draw_arcade_fence() {
    constexpr int UNITS = 11;
    constexpr float FIRST_X = -3, SPACING = 2;
    Placement block;
    separate_specular(true);
    quadric_begin();
    bind_slot(STONE_SLOT);
    glDisable(GL_CULL_FACE);

    for (int unit = 0; unit < UNITS; ++unit) {
        const float x = FIRST_X + SPACING * static_cast<float>(unit);
        square_post(x, 0, 0.6f, 0.22f, 2);
        if (unit == UNITS - 1) break;
        // Neighbouring arches' flanges overlap over the post between them: alternate their
        // depths so they do not fight.
        const bool odd = unit % 2 == 1;
        const float flange_front = odd ? 0.099f : 0.1f, flange_back = odd ? 0.221f : 0.22f;
        glTranslatef(x + 1, 2, 0.45f);
        half_ring_begin();
        gluCylinder(shared_quadric, 0.86, 0.86, 0.3, 24, 1);
        gluCylinder(shared_quadric, 0.96, 0.96, 0.3, 24, 1);
        gluDisk(shared_quadric, 0.86, 0.96, 24, 1);
        glTranslatef(0, 0, 0.3f);
        gluDisk(shared_quadric, 0.86, 0.96, 24, 1);
        glTranslatef(0, 0, -0.3f);
        for (float depth : {flange_front, flange_back}) {
            glTranslatef(0, 0, depth);
            gluDisk(shared_quadric, 0.96, 1.16, 24, 1);
            glTranslatef(0, 0, -depth);
        }
        half_ring_end();
        glTranslatef(-(x + 1), -2, -0.45f);
    }

    // Brackets under the eaves: a front triangle and a back one 0.1 behind it. The first
    // unit's stands a little further out.
    bind_slot(RAIL_SLOT);
    glBegin(GL_TRIANGLES);
    for (int unit = 0; unit < UNITS; ++unit) {
        const float x = unit == 0 ? -3.16f : FIRST_X + SPACING * static_cast<float>(unit);
        glNormal3f(0, 0, -1);
        emit_triangle({x, 3.1f, 0.56f}, 1, 1, {x + 1, 3.1f, 0.56f}, 0, 1, {x, 2.0f, 0.56f}, 1, 0);
        glNormal3f(0, 0, 1);
        emit_triangle({x, 3.1f, 0.66f}, 0, 1, {x, 2.0f, 0.66f}, 0, 0, {x + 1, 3.1f, 0.66f}, 1, 1);
    }
    glEnd();

    glEnable(GL_CULL_FACE);
    quadric_end();
    separate_specular(false);
}

void draw_gothic_window() {
    {
        Placement glass;
        glTranslatef(0, 0.5f, 0);
        bind_slot(GLASS_SLOT);
        glNormal3f(0, 0, -1);
        draw_face({-1, 0, 0, 1, 2.5f, 0}, FACE_NEG_Z);
        glTranslatef(0, -0.5f, 0);
    }

    Placement frame;
    quadric_begin();
    bind_slot(STONE_SLOT);
    glDisable(GL_CULL_FACE);
    glPushMatrix();

    square_post(1, 0.5f, -0.1f, 0.2f, 2.5f);
    square_post(-1, 0.5f, -0.1f, 0.2f, 2.5f);

    // Bars from x = 1.25 towards -x, capped at both ends.
    constexpr float BAR_AT[3][2] = {{0.36f, -0.1f}, {3.14f, -0.1f}, {3.9f, 0.2f}}; // y, z
    for (const auto& at : BAR_AT) {
        glTranslatef(1.25f, at[0], at[1]);
        glRotatef(-90, 0, 1, 0);
        glRotatef(45, 0, 0, 1);
        gluDisk(shared_quadric, 0.01, 0.2, 4, 1);
        gluCylinder(shared_quadric, 0.2, 0.2, 2.5, 4, 4);
        glTranslatef(0, 0, 2.5f);
        gluDisk(shared_quadric, 0.01, 0.2, 4, 1);
        glTranslatef(0, 0, -2.5f);
        glRotatef(-45, 0, 0, 1);
        glRotatef(90, 0, 1, 0);
        glTranslatef(-1.25f, -at[0], -at[1]);
    }

    // The gable: a 3-sided prism, apex up, its front capped and a small pane in front of it.
    glTranslatef(0, 4.7f, 0.08f);
    gluCylinder(shared_quadric, 1.45, 1.45, 0.25, 3, 3);
    gluDisk(shared_quadric, 0.001, 1.45, 3, 1);
    glTranslatef(0, -0.5f, -0.01f);
    bind_slot(SMALL_PANE_SLOT);
    glNormal3f(0, 0, -1);
    draw_face({-0.3f, 0, 0, 0.3f, 0.6f, 0}, FACE_NEG_Z);
    glTranslatef(0, 0.5f, 0.01f);
    bind_slot(STONE_SLOT);
    glTranslatef(0, 0, 0.25f);
    gluDisk(shared_quadric, 0.01, 1.45, 3, 1);
    glTranslatef(0, 0, -0.25f);
    glTranslatef(0, -4.7f, -0.08f);

    glEnable(GL_CULL_FACE);
    glPopMatrix();
    quadric_end();
}

void turn_ring_orb() {
    model_state.orb_drawn_angle = model_state.orb_spin_angle;
    model_state.orb_spin_angle += 0.1f;
}

void draw_ring_orb() {
    Placement block;
    glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
    glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
    glEnable(GL_TEXTURE_GEN_S);
    glEnable(GL_TEXTURE_GEN_T);
    separate_specular(true);
    quadric_begin();
    bind_slot(ORB_SLOT);

    glScalef(0.7f, 0.55f, 0.5f);
    draw_torus(0.55f, 0.35f, 36, 17);

    // The translucent core, blended with the start-up blend function.
    glEnable(GL_BLEND);
    gluQuadricDrawStyle(shared_quadric, GLU_FILL);
    gluSphere(shared_quadric, 0.35, 31, 11);
    glDisable(GL_BLEND);

    // The cloud: the vertices of a larger sphere, untextured, turning about z. The point
    // size is not part of the saved state and stays as set here.
    glDisable(GL_TEXTURE_2D);
    glPointSize(0.1f);
    glRotatef(model_state.orb_drawn_angle, 0, 0, 1);
    gluQuadricDrawStyle(shared_quadric, GLU_POINT);
    gluQuadricNormals(shared_quadric, GLU_SMOOTH);
    glColor3ub(50, 250, 50);
    gluSphere(shared_quadric, 0.8, 36, 36);
    glEnable(GL_TEXTURE_2D);

    quadric_end();
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);
    separate_specular(false);
}
