// World 3's block of cartridges: forty rounds in two layers of four rows of five, tipped
// back 45 degrees, shown until the player walks into it.
#include "scene/blocks.h"
#include "scene/sphere_map.h"
#include "scene/world_objects.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <initializer_list>

namespace {

// Texture slots, rows of the current world's texture set.
constexpr int CARTRIDGE_SLOT = 17; // the cartridge block

constexpr double PIN_HOLE = 0.001;
constexpr int SLICES = 16, STACKS = 4;

void yellow() { glColor3ub(250, 250, 50); }

// One round lying along +z: primer, rim and base in brass, the green case and its red tip.
void cartridge() {
    glColor3ub(250, 50, 50);
    glTranslatef(0, 0, -0.01f);
    gluDisk(shared_quadric, PIN_HOLE, 0.03, SLICES, STACKS);
    glTranslatef(0, 0, 0.01f);

    yellow();
    gluDisk(shared_quadric, PIN_HOLE, 0.1, SLICES, STACKS);
    gluCylinder(shared_quadric, 0.1, 0.1, 0.01, SLICES, STACKS);
    glTranslatef(0, 0, 0.01f);
    gluDisk(shared_quadric, PIN_HOLE, 0.1, SLICES, STACKS);
    gluCylinder(shared_quadric, 0.09, 0.09, 0.1, SLICES, STACKS);
    glTranslatef(0, 0, 0.1f);
    gluDisk(shared_quadric, PIN_HOLE, 0.09, SLICES, STACKS);
    glTranslatef(0, 0, -0.11f);

    glColor3ub(50, 250, 50);
    gluCylinder(shared_quadric, 0.085, 0.085, 0.45, SLICES, STACKS);
    glColor3ub(250, 50, 50);
    glTranslatef(0, 0, 0.44f);
    gluDisk(shared_quadric, PIN_HOLE, 0.081, SLICES, STACKS);
    glColor3ub(50, 250, 50);
    gluCylinder(shared_quadric, 0.081, 0.081, 0.01, SLICES, STACKS);
    glTranslatef(0, 0, 0.01f);
    gluDisk(shared_quadric, 0.081, 0.085, SLICES, STACKS);
    glTranslatef(0, 0, -0.45f);
    yellow();
}

} // namespace

void draw_cartridge_block() {
    glColor3ub(250, 250, 250);
    glEnable(GL_TEXTURE_2D);
    bind_slot(CARTRIDGE_SLOT);
    sphere_map_begin();
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glFrontFace(GL_CCW);
    glScalef(0.07f, 0.07f, 0.07f);
    glTranslatef(0, -0.5f, 0);
    quadric_begin();
    glRotatef(-45, 1, 0, 0);
    for (float layer : {0.0f, 0.5f})
        for (float row : {0.0f, -0.2f, -0.4f, -0.6f})
            for (float column : {0.0f, 0.2f, 0.4f, 0.6f, 0.8f}) {
                glTranslatef(column, row, layer);
                cartridge();
                glTranslatef(-column, -row, -layer);
            }
    glRotatef(45, 1, 0, 0);
    glEnable(GL_CULL_FACE);
    quadric_end();
    sphere_map_end();
}
