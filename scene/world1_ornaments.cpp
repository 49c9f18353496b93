// The three ornaments of world 1's hall: a ship's wheel standing on the floor, a spinner of
// glowing beads in three spiral arms, and a rising row of wall lamps on brackets. All of
// them are chrome-like: their textures are sphere-mapped.
#include "scene/blocks.h"
#include "scene/sphere_map.h"
#include "scene/world_objects.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <initializer_list>
#include <iterator>

namespace {

// Texture slots, rows of the current world's texture set.
constexpr int WHEEL_SLOT = 30;   // the spoked wheel
constexpr int SPINNER_SLOT = 11; // the spiral spinner
constexpr int BRACKET_SLOT = 18; // the bracket row

} // namespace

WorldObjectState world_objects;

void reset_world_objects() { world_objects = WorldObjectState{}; }

namespace {

// A cylinder's cap: GLU disks with a pin-hole centre close the tubes.
constexpr double PIN_HOLE = 0.001;

// The wheel, in its half-size frame: hub, rim and axle turn about x through (0, 0, 0.5).
constexpr float WHEEL_HUB_Z = 0.5f;
constexpr float SPOKE_ANGLES[] = {0, 30, 60, 90, 120, 150, 180, 210, 240, -90, -60, -30};

// One bead of a spiral arm: turned about the spinner's axis, then moved out along it.
struct Bead {
    float turn;    // degrees about z, 0 for none
    float x, y, z; // offset after the turn
    float radius;
    int slices; // and as many stacks
};
// clang-format off
constexpr Bead ARM_BEADS[] = {
    {  0, 0.06f, -0.08f,   0,      0.06f,   24},
    {  0, 0.1f,  -0.03f,   0,      0.04f,   24},
    {  0, 0.1f,   0.01f,   0,      0.03f,   12},
    { 14, 0.1f,   0.01f,   0,      0.02f,   12},
    { 30, 0.1f,   0.01f,   0,      0.015f,  12},
    { 45, 0.1f,   0.01f,   0,      0.01f,   12},
    { 60, 0.1f,   0.01f,   0.005f, 0.007f,  12},
    { 65, 0.1f,  -0.01f,  -0.005f, 0.007f,  12},
    { 72, 0.1f,   0.01f,  -0.003f, 0.0035f, 12},
    { 80, 0.1f,   0.01f,  -0.003f, 0.005f,  12},
    { 90, 0.1f,   0.005f,  0.005f, 0.005f,  12},
    {115, 0.1f,  -0.01f,   0.01f,  0.0035f, 12},
    {118, 0.1f,  -0.02f,   0.01f,  0.0035f, 12},
    {119, 0.1f,  -0.005f,  0.01f,  0.0035f, 12},
    {144, 0.1f,  -0.01f,   0.01f,  0.003f,  12},
    {147, 0.1f,  -0.02f,   0.01f,  0.003f,  12},
    {148, 0.1f,  -0.005f,  0.01f,  0.003f,  12},
    {173, 0.1f,   0.01f,   0.01f,  0.002f,  12},
    {176, 0.1f,  -0.02f,   0.01f,  0.0025f, 12},
    {177, 0.1f,  -0.005f,  0.01f,  0.0015f, 12},
};
// clang-format on
static_assert(std::size(ARM_BEADS) == 20);

// A bracket lamp unit, in the row's frame (before its 0.2 scale): a wall plate with a
// pitched top, an arm out along +z at half height, four rails up the plate's front and a
// lamp on the arm's end shining along +z.
constexpr float PLATE_HALF_WIDTH = 0.135f, PLATE_TOP = 0.63f, CAP_TOP = 0.7f, PLATE_BACK = 0, PLATE_FRONT = 0.02f;
constexpr float ARM_HALF = 0.02f, ARM_Y = 0.35f, ARM_END = 0.1f;
constexpr float RAIL_RADIUS = 0.012f, RAIL_LENGTH = 0.7f, RAIL_X = 0.039f; // pairs 0.078 apart
constexpr float RAIL_Z[] = {0.035f, 0.075f};

// The plate's pitched cap: two slopes and the two triangular ends, as corner triples.
// clang-format off
constexpr Vec3 CAP_TRIANGLES[][3] = {
    {{-PLATE_HALF_WIDTH, PLATE_TOP, PLATE_FRONT}, { PLATE_HALF_WIDTH, PLATE_TOP, PLATE_FRONT}, { PLATE_HALF_WIDTH, CAP_TOP, 0.01f}},
    {{-PLATE_HALF_WIDTH, PLATE_TOP, PLATE_FRONT}, { PLATE_HALF_WIDTH, CAP_TOP, 0.01f}, {-PLATE_HALF_WIDTH, CAP_TOP, 0.01f}},
    {{ PLATE_HALF_WIDTH, PLATE_TOP, PLATE_BACK},  {-PLATE_HALF_WIDTH, PLATE_TOP, PLATE_BACK},  {-PLATE_HALF_WIDTH, CAP_TOP, 0.01f}},
    {{ PLATE_HALF_WIDTH, PLATE_TOP, PLATE_BACK},  {-PLATE_HALF_WIDTH, CAP_TOP, 0.01f}, { PLATE_HALF_WIDTH, CAP_TOP, 0.01f}},
    {{-PLATE_HALF_WIDTH, PLATE_TOP, PLATE_BACK},  {-PLATE_HALF_WIDTH, PLATE_TOP, PLATE_FRONT}, {-PLATE_HALF_WIDTH, CAP_TOP, 0.01f}},
    {{ PLATE_HALF_WIDTH, PLATE_TOP, PLATE_FRONT}, { PLATE_HALF_WIDTH, PLATE_TOP, PLATE_BACK},  { PLATE_HALF_WIDTH, CAP_TOP, 0.01f}},
};
// clang-format on
static_assert(std::size(CAP_TRIANGLES) == 6);

// A box's faces, each with its outward normal.
void emit_box_with_normals(const Box& box, unsigned faces) {
    struct Side {
        unsigned facing;
        float nx, ny, nz;
    };
    constexpr Side SIDES[] = {{FACE_NEG_Z, 0, 0, -1}, {FACE_POS_Z, 0, 0, 1},  {FACE_NEG_X, -1, 0, 0},
                              {FACE_POS_X, 1, 0, 0},  {FACE_NEG_Y, 0, -1, 0}, {FACE_POS_Y, 0, 1, 0}};
    for (const Side& side : SIDES) {
        if (!(faces & side.facing)) continue;
        glNormal3f(side.nx, side.ny, side.nz);
        emit_face(box, side.facing);
    }
}

void bracket_plate() {
    glBegin(GL_TRIANGLES);
    for (const auto& t : CAP_TRIANGLES) {
        Vec3 n;
        face_normal(&t[0], &t[1], &t[2], &n);
        glNormal3fv(&n.x);
        emit_triangle(t[0], 0, 0, t[1], 1, 0, t[2], 1, 1);
    }
    emit_box_with_normals({-PLATE_HALF_WIDTH, 0, PLATE_BACK, PLATE_HALF_WIDTH, PLATE_TOP, PLATE_FRONT}, FACE_ALL);
    emit_box_with_normals({-ARM_HALF, ARM_Y - ARM_HALF, PLATE_FRONT, ARM_HALF, ARM_Y + ARM_HALF, ARM_END},
                          FACE_NEG_X | FACE_POS_X | FACE_NEG_Y | FACE_POS_Y);
    glEnd();
}

void bracket_rails() {
    for (float z : RAIL_Z)
        for (float x : {-RAIL_X, RAIL_X}) {
            glPushMatrix();
            glTranslatef(x, 0, z);
            glRotatef(-90, 1, 0, 0); // up the plate
            gluDisk(shared_quadric, PIN_HOLE, RAIL_RADIUS, 8, 1);
            gluCylinder(shared_quadric, RAIL_RADIUS, RAIL_RADIUS, RAIL_LENGTH, 8, 4);
            glPopMatrix();
        }
}

// The lamp on the arm's end: a cone widening into a barrel with two bands, closed by a blue
// glass with a red bulb in front of it. The glass and the bulb are lights, not chrome.
void bracket_lamp() {
    glColor3ub(250, 250, 250);
    glPushMatrix();
    glTranslatef(0, ARM_Y, ARM_END);
    gluDisk(shared_quadric, PIN_HOLE, 0.01, 12, 1);
    gluCylinder(shared_quadric, 0.01, 0.032, 0.03, 12, 1);
    glTranslatef(0, 0, 0.03f);
    gluDisk(shared_quadric, PIN_HOLE, 0.035, 12, 1);
    gluCylinder(shared_quadric, 0.035, 0.035, 0.2, 12, 2);
    for (float band : {0.04f, 0.15f}) {
        glTranslatef(0, 0, band);
        gluCylinder(shared_quadric, 0.038, 0.038, 0.008, 12, 1);
        glTranslatef(0, 0, -band);
    }
    glTranslatef(0, 0, 0.2f);
    glDisable(GL_TEXTURE_2D);
    glColor3ub(50, 50, 250);
    gluDisk(shared_quadric, PIN_HOLE, 0.035, 12, 1);
    glTranslatef(0, 0, 0.002f);
    glColor3ub(250, 50, 50);
    gluDisk(shared_quadric, PIN_HOLE, 0.015, 12, 1);
    glEnable(GL_TEXTURE_2D);
    glPopMatrix();
    glColor3ub(250, 250, 50);
}

} // namespace

void draw_spoked_wheel() {
    Placement block;
    bind_slot(WHEEL_SLOT);
    glScalef(2, 2, 2);
    quadric_begin();
    glDisable(GL_CULL_FACE);
    sphere_map_begin();

    // Twelve spokes in the wheel's plane, running on past the rim as handles.
    glTranslatef(0.015f, 0, WHEEL_HUB_Z);
    for (float angle : SPOKE_ANGLES) {
        glRotatef(angle, 1, 0, 0);
        gluCylinder(shared_quadric, 0.005, 0.005, 0.25, 10, 10);
        glRotatef(-angle, 1, 0, 0);
    }
    glTranslatef(-0.015f, 0, 0);

    // Hub and rim, 0.03 deep along x.
    glRotatef(90, 0, 1, 0);
    gluDisk(shared_quadric, PIN_HOLE, 0.05, 12, 12);
    gluCylinder(shared_quadric, 0.05, 0.05, 0.03, 12, 12);
    gluCylinder(shared_quadric, 0.19, 0.19, 0.03, 12, 1);
    gluDisk(shared_quadric, 0.18, 0.19, 12, 1);
    gluCylinder(shared_quadric, 0.18, 0.18, 0.03, 12, 1);
    glTranslatef(0, 0, 0.03f);
    gluDisk(shared_quadric, PIN_HOLE, 0.05, 12, 12);
    gluDisk(shared_quadric, 0.18, 0.19, 12, 1);

    // The square axle out of the hub towards +x, capped at its end.
    glRotatef(45, 0, 0, 1);
    gluCylinder(shared_quadric, 0.06, 0.06, 0.25, 4, 1);
    glTranslatef(0, 0, 0.25f);
    gluDisk(shared_quadric, PIN_HOLE, 0.06, 4, 1);

    sphere_map_end();
    glEnable(GL_CULL_FACE);
    quadric_end();
}

void turn_spiral_spinner() {
    world_objects.spinner_drawn_angle = world_objects.spinner_angle;
    world_objects.spinner_angle -= 6;
}

void draw_spiral_spinner() {
    Placement block;
    sphere_map_begin();
    quadric_begin();
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 1);
    glEnable(GL_BLEND); // additive: the beads glow
    bind_slot(SPINNER_SLOT);
    glColor3ub(250, 50, 250);

    // Three arms 60 degrees apart about y, all turning about their own z; the second one
    // is flipped so its spiral winds the other way round.
    struct Arm {
        float about_y, flip;
    };
    constexpr Arm ARMS[] = {{0, 0}, {60, 180}, {120, 0}};
    for (const Arm& arm : ARMS) {
        glPushMatrix();
        if (arm.about_y != 0) glRotatef(arm.about_y, 0, 1, 0);
        glRotatef(world_objects.spinner_drawn_angle, 0, 0, 1);
        if (arm.flip != 0) glRotatef(arm.flip, 0, 0, 1);
        for (const Bead& bead : ARM_BEADS) {
            glPushMatrix();
            if (bead.turn != 0) glRotatef(bead.turn, 0, 0, 1);
            glTranslatef(bead.x, bead.y, bead.z);
            gluSphere(shared_quadric, bead.radius, bead.slices, bead.slices);
            glPopMatrix();
        }
        glPopMatrix();
    }

    glDisable(GL_BLEND);
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 0);
    quadric_end();
    sphere_map_end();
}

void draw_bracket_row() {
    bind_slot(BRACKET_SLOT);
    sphere_map_begin();
    glColor3ub(250, 250, 50);
    glScalef(0.2f, 0.2f, 0.2f);
    quadric_begin();
    glTranslatef(0, 0.5f, 0);
    glRotatef(90, 0, 1, 0);
    glDisable(GL_CULL_FACE);
    for (int unit = 0; unit < 5; ++unit) {
        bracket_plate();
        bracket_rails();
        bracket_lamp();
        glTranslatef(1.3f, 0.79f, 0.1f); // the row climbs diagonally
    }
    glEnable(GL_CULL_FACE);
    quadric_end();
    glEnable(GL_TEXTURE_2D);
    sphere_map_end();
}
