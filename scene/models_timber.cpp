// The town's timber work and the pieces that sit on its roofs: chimneys, posts, beams,
// braced frames, decks, a balcony, a gable roof and a small house with its porch. Each is
// authored at its offset from the anchor the town places it by.
#include "scene/blocks.h"
#include "scene/models.h"

#include <initializer_list>

namespace {

constexpr int CHIMNEY_SLOT = 0;
constexpr int PLANK_SLOT = 7;
constexpr int WALL_SLOT = 12;
constexpr int TIMBER_SLOT = 13;

// The side faces of an upright post or shaft.
constexpr unsigned SIDES = FACE_NEG_X | FACE_POS_X | FACE_NEG_Z | FACE_POS_Z;

// The sides of a prism between its two caps, bit i for the side from q[i] to q[i + 1].
constexpr unsigned PRISM_ALL_SIDES = 15;
constexpr unsigned PRISM_SIDES_0_2 = 5;

Vec3 add(const Vec3& a, const Vec3& b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }

// A slanted timber: the flat quadrilateral q swept along `depth`, both caps and the sides
// named in `sides`, all facing outwards whichever way round q is listed.
void emit_prism(const Vec3 (&q)[4], const Vec3& depth, unsigned sides = PRISM_ALL_SIDES) {
    Vec3 base[4], top[4];
    for (int i = 0; i < 4; ++i) {
        base[i] = q[i];
        top[i] = add(q[i], depth);
    }
    Vec3 u, v, n;
    vec3_sub(&q[1], &q[0], &u);
    vec3_sub(&q[2], &q[0], &v);
    vec3_cross(&u, &v, &n);
    if (n.x * depth.x + n.y * depth.y + n.z * depth.z < 0) // q runs clockwise seen from the top cap
        for (int i = 0; i < 4; ++i) {
            base[i] = top[i];
            top[i] = q[i];
        }
    emit_rect(base[0], base[3], base[2], base[1]);
    emit_rect(top[0], top[1], top[2], top[3]);
    for (int i = 0; i < 4; ++i) {
        const int j = (i + 1) % 4;
        if (sides & (1u << i)) emit_rect(base[i], base[j], top[j], top[i]);
    }
}

// A chimney shaft 1.9 high standing 0.1 into the roof, open at both ends.
void draw_chimney(float x0) {
    FacadePlacement block;
    bind_slot(CHIMNEY_SLOT);
    draw_box({x0, 0.1f, -1.0f, 0, 2.0f, -0.5f}, SIDES);
}

// A deck's plank tops at y = 5.05, running along x: `planks` strips side by side across z.
void emit_deck_planks(const Box& deck, int planks, float repeats) {
    const float width = (deck.z1 - deck.z0) / static_cast<float>(planks);
    for (int i = 0; i < planks; ++i) {
        const float z0 = deck.z0 + width * static_cast<float>(i);
        emit_face({deck.x0, deck.y1, z0, deck.x1, deck.y1, z0 + width}, FACE_POS_Y, repeats);
    }
}

} // namespace

void draw_chimney_wide() { draw_chimney(-1.0f); }

void draw_chimney_narrow() { draw_chimney(-0.5f); }

// Two posts with bolsters under a beam; a knee brace runs from the right post up to the beam
// and a raking shore from the same post down to a sole block behind the frame.
void draw_timber_frame() {
    FacadePlacement block;
    bind_slot(TIMBER_SLOT);
    glBegin(GL_TRIANGLES);
    emit_box({-2.4f, 0, 0.5f, -2.2f, 1.55f, 0.7f});     // left post
    emit_box({-0.8f, 0, 0.5f, -0.6f, 1.55f, 0.7f});     // right post
    emit_box({-2.4f, 1.55f, 0.5f, -1.95f, 1.7f, 0.7f}); // left bolster
    emit_box({-1.05f, 1.55f, 0.5f, -0.6f, 1.7f, 0.7f}); // right bolster
    emit_box({-2.4f, 1.7f, 0.5f, -0.6f, 1.9f, 0.7f});   // beam
    emit_box({-0.8f, 0, 1.3f, -0.6f, 0.12f, 1.7f});     // sole block of the shore
    const float zb = 0.53f;                             // the braces sit a little inside the post's faces
    emit_prism({{-0.8f, 0.9f, zb}, {-1.6f, 1.7f, zb}, {-1.43f, 1.7f, zb}, {-0.8f, 1.07f, zb}}, {0, 0, 0.14f});
    const float xs = -0.77f;
    emit_prism({{xs, 0.82f, 0.7f}, {xs, 0.12f, 1.5f}, {xs, 0.12f, 1.6943f}, {xs, 0.99f, 0.7f}}, {0.14f, 0, 0});
    glEnd();
}

// A post carrying a beam that reaches out towards -x, held by one diagonal brace whose
// ends are let into the post and the beam.
void draw_post_bracket() {
    FacadePlacement block;
    bind_slot(TIMBER_SLOT);
    glBegin(GL_TRIANGLES);
    emit_box({-0.3f, 0, 0.4f, -0.1f, 1.8f, 0.6f}, SIDES);
    emit_box({-1.5f, 1.8f, 0.4f, -0.1f, 2.0f, 0.6f});
    const float zb = 0.43f;
    emit_prism({{-0.3f, 1.1f, zb}, {-1.0f, 1.8f, zb}, {-0.83f, 1.8f, zb}, {-0.3f, 1.27f, zb}}, {0, 0, 0.14f},
               PRISM_SIDES_0_2);
    glEnd();
}

// Five planks on a thin board; the underside and the long edges are timber.
void draw_deck_small() {
    FacadePlacement block;
    const Box deck = {-2.3f, 4.99f, -1.6f, -0.3f, 5.05f, -0.4f};
    bind_slot(PLANK_SLOT);
    glBegin(GL_TRIANGLES);
    emit_deck_planks(deck, 5, 1);
    glEnd();
    bind_slot(TIMBER_SLOT);
    draw_box(deck, FACE_NEG_Y | FACE_NEG_Z | FACE_POS_Z);
}

// Five long planks on a board closed all round; the long faces repeat the timber five times.
void draw_deck_large() {
    constexpr float REPEATS = 5;
    FacadePlacement block;
    const Box deck = {-4.3f, 4.99f, -2.6f, -0.3f, 5.05f, -0.4f};
    bind_slot(TIMBER_SLOT);
    glBegin(GL_TRIANGLES);
    emit_deck_planks(deck, 5, REPEATS);
    glEnd();
    bind_slot(TIMBER_SLOT);
    glBegin(GL_TRIANGLES);
    emit_face(deck, FACE_NEG_Z, REPEATS);
    emit_face(deck, FACE_POS_Z, REPEATS);
    emit_face(deck, FACE_NEG_X);
    emit_face(deck, FACE_POS_X);
    emit_face(deck, FACE_NEG_Y, REPEATS);
    glEnd();
}

void draw_beam_long() {
    FacadePlacement block;
    bind_slot(TIMBER_SLOT);
    draw_box({-4.3f, 2.0f, 0.5f, -0.3f, 2.2f, 0.7f});
}

// Its foot stands in the sill below it, so it has no bottom face.
void draw_post() {
    FacadePlacement block;
    bind_slot(TIMBER_SLOT);
    draw_box({-0.6f, 0.3f, 0.5f, -0.4f, 2.0f, 0.7f}, SIDES | FACE_POS_Y);
}

// A roof 4 wide with its ridge along z at x = -2.3, from the eaves at y = 4 up to 6. Each
// gable end is two half triangles and each slope two panels, so that the textures keep
// roughly their proportions; the underside is left to the walls it stands on.
void draw_gable_roof() {
    constexpr float X0 = -4.3f, XR = -2.3f, X1 = -0.3f, EAVE = 4.0f, RIDGE = 6.0f;
    constexpr float Z0 = -4.4f, ZM = -0.45f, Z1 = 3.5f;
    FacadePlacement block;
    bind_slot(WALL_SLOT);
    glBegin(GL_TRIANGLES);
    emit_triangle({X1, EAVE, Z0}, 0, 0, {XR, EAVE, Z0}, 1, 0, {XR, RIDGE, Z0}, 1, 1); // -z end, seen from -z
    emit_triangle({XR, EAVE, Z0}, 0, 0, {X0, EAVE, Z0}, 1, 0, {XR, RIDGE, Z0}, 0, 1);
    emit_triangle({X0, EAVE, Z1}, 0, 0, {XR, EAVE, Z1}, 1, 0, {XR, RIDGE, Z1}, 1, 1); // +z end
    emit_triangle({XR, EAVE, Z1}, 0, 0, {X1, EAVE, Z1}, 1, 0, {XR, RIDGE, Z1}, 0, 1);
    glEnd();
    constexpr float REPEATS = 2;
    bind_slot(TIMBER_SLOT);
    glBegin(GL_TRIANGLES);
    constexpr float PANELS[][2] = {{Z0, ZM}, {ZM, Z1}}; // z from, z to
    for (const auto& panel : PANELS) {
        const float z0 = panel[0], z1 = panel[1];
        // each panel seen from its own side, its bottom edge along the eave
        emit_rect({X0, EAVE, z0}, {X0, EAVE, z1}, {XR, RIDGE, z1}, {XR, RIDGE, z0}, REPEATS, 1);
        emit_rect({X1, EAVE, z1}, {X1, EAVE, z0}, {XR, RIDGE, z0}, {XR, RIDGE, z1}, REPEATS, 1);
    }
    glEnd();
}

// A balcony hung on the wall at z = 3.5: floor, four corner posts, a railing of top rails
// and balusters on its three open sides, and a roof slab. Nothing is drawn against the wall.
void draw_balcony() {
    constexpr float REPEATS = 4;
    constexpr float X0 = -2.3f, X1 = 0, WALL = 3.5f, FRONT = 4.3f;
    constexpr float FLOOR = 2.0f, DECK = 2.1f, CEILING = 3.95f, TOP = 4.05f;
    constexpr float RAIL0 = 2.95f, RAIL1 = 3.05f;
    constexpr float POST = 0.1f, BAR = 0.04f;
    FacadePlacement block;
    bind_slot(TIMBER_SLOT);
    glBegin(GL_TRIANGLES);
    const Box floor = {X0, FLOOR, WALL, X1, DECK, FRONT};
    emit_face(floor, FACE_POS_Z, REPEATS);
    emit_face(floor, FACE_NEG_X);
    emit_face(floor, FACE_POS_X);
    emit_face(floor, FACE_NEG_Y, REPEATS);
    emit_face(floor, FACE_POS_Y, REPEATS);
    const Box roof = {X0, CEILING, WALL, X1, TOP, FRONT};
    emit_face(roof, FACE_POS_Z, REPEATS);
    emit_face(roof, FACE_NEG_X);
    emit_face(roof, FACE_POS_X);
    emit_face(roof, FACE_NEG_Y, REPEATS);
    // corner posts between floor and roof; the back ones stand against the wall
    emit_box({X0, DECK, FRONT - POST, X0 + POST, CEILING, FRONT}, SIDES);
    emit_box({X1 - POST, DECK, FRONT - POST, X1, CEILING, FRONT}, SIDES);
    emit_box({X0, DECK, WALL, X0 + POST, CEILING, WALL + POST}, SIDES & ~FACE_NEG_Z);
    emit_box({X1 - POST, DECK, WALL, X1, CEILING, WALL + POST}, SIDES & ~FACE_NEG_Z);
    // top rails between the posts, their ends in the posts
    const Box front_rail = {X0 + POST, RAIL0, FRONT - 0.08f, X1 - POST, RAIL1, FRONT - 0.02f};
    for (const unsigned facing : {FACE_NEG_Z, FACE_POS_Z, FACE_NEG_Y, FACE_POS_Y})
        emit_face(front_rail, facing, REPEATS);
    constexpr unsigned SIDE_RAIL = FACE_NEG_X | FACE_POS_X | FACE_NEG_Y | FACE_POS_Y;
    emit_box({X0 + 0.02f, RAIL0, WALL + POST, X0 + 0.08f, RAIL1, FRONT - POST}, SIDE_RAIL);
    emit_box({X1 - 0.08f, RAIL0, WALL + POST, X1 - 0.02f, RAIL1, FRONT - POST}, SIDE_RAIL);
    // balusters: five along the front, one in the middle of each side
    const float front_z = FRONT - 0.05f - BAR / 2;
    for (int k = 1; k <= 5; ++k) {
        const float x = X0 + POST + (X1 - X0 - 2 * POST) * static_cast<float>(k) / 6;
        emit_box({x - BAR / 2, DECK, front_z, x + BAR / 2, RAIL0, front_z + BAR}, SIDES);
    }
    const float side_z = (WALL + FRONT) / 2 - BAR / 2;
    for (const float x : {X0 + 0.05f, X1 - 0.05f})
        emit_box({x - BAR / 2, DECK, side_z, x + BAR / 2, RAIL0, side_z + BAR}, SIDES);
    glEnd();
    bind_slot(WALL_SLOT);
    draw_face(roof, FACE_POS_Y, REPEATS);
}

// A house 4.3 x 4.0 with walls 6 high and its ridge along x at 7.5, its gable end facing
// +x. In front of that end stands a porch, a solid block under a timber cap, with a passage
// through it: a doorstep at its mouth under a timber lintel, a door at its end.
void draw_house() {
    constexpr float REPEATS = 2;
    constexpr float BX0 = -5.4f, BX1 = -1.1f, BZ0 = 1.5f, BZM = 3.5f, BZ1 = 5.5f;
    constexpr float WALLS = 6.0f, RIDGE = 7.5f;
    constexpr float PX1 = -0.2f, PZ0 = 2.7f, PZ1 = 4.3f, PORCH = 2.4f, CAP = 2.55f;
    constexpr float DZ0 = 3.1f, DZ1 = 3.9f, DOOR = 1.9f, LINTEL = 2.1f, STEP = 0.15f;
    FacadePlacement block;
    bind_slot(WALL_SLOT);
    glBegin(GL_TRIANGLES);
    const Box body = {BX0, 0, BZ0, BX1, WALLS, BZ1};
    for (const unsigned facing : {FACE_NEG_Z, FACE_POS_Z, FACE_NEG_X, FACE_POS_X})
        emit_face(body, facing, REPEATS, REPEATS);
    emit_triangle({BX0, WALLS, BZ0}, 0, 0, {BX0, WALLS, BZ1}, 1, 0, {BX0, RIDGE, BZM}, 0.5f, 1); // gables
    emit_triangle({BX1, WALLS, BZ1}, 0, 0, {BX1, WALLS, BZ0}, 1, 0, {BX1, RIDGE, BZM}, 0.5f, 1);
    // porch front round the doorway and above the lintel, and the porch sides up to its cap
    emit_face({PX1, 0, DZ1, PX1, PORCH, PZ1}, FACE_POS_X);
    emit_face({PX1, 0, PZ0, PX1, PORCH, DZ0}, FACE_POS_X);
    emit_face({PX1, LINTEL, DZ0, PX1, PORCH, DZ1}, FACE_POS_X);
    const Box porch = {BX1, 0, PZ0, PX1, CAP, PZ1};
    emit_face(porch, FACE_NEG_Z);
    emit_face(porch, FACE_POS_Z);
    // the passage, seen from inside: its sides and ceiling, and a step along its floor
    const Box passage = {BX1, 0, DZ0, PX1, DOOR, DZ1};
    emit_face({BX1, 0, DZ0, PX1, DOOR, DZ0}, FACE_POS_Z);
    emit_face({BX1, 0, DZ1, PX1, DOOR, DZ1}, FACE_NEG_Z);
    emit_face({BX1, DOOR, DZ0, PX1, DOOR, DZ1}, FACE_NEG_Y);
    const Box step = {passage.x0, 0, DZ0, PX1, STEP, DZ1};
    emit_face(step, FACE_POS_Y);
    emit_face(step, FACE_POS_X);
    glEnd();
    bind_slot(TIMBER_SLOT);
    glBegin(GL_TRIANGLES);
    emit_rect({BX1, WALLS, BZ0}, {BX0, WALLS, BZ0}, {BX0, RIDGE, BZM}, {BX1, RIDGE, BZM}, REPEATS, 1);
    emit_rect({BX0, WALLS, BZ1}, {BX1, WALLS, BZ1}, {BX1, RIDGE, BZM}, {BX0, RIDGE, BZM}, REPEATS, 1);
    const Box cap = {BX1, PORCH, PZ0, PX1, CAP, PZ1};
    emit_face(cap, FACE_POS_Y);
    emit_face(cap, FACE_POS_X);
    emit_face({PX1, DOOR, DZ0, PX1, LINTEL, DZ1}, FACE_POS_X);
    emit_face({BX1 + 0.01f, STEP, DZ0, BX1 + 0.01f, DOOR, DZ1}, FACE_POS_X); // the door, just off the house wall
    glEnd();
}

// A post on a stone base block; the post's foot stands in the block.
void draw_post_on_base() {
    FacadePlacement block;
    bind_slot(TIMBER_SLOT);
    draw_box({-0.4f, 0.3f, -0.6f, -0.2f, 4.0f, -0.4f}, SIDES);
    bind_slot(WALL_SLOT);
    draw_box({-0.45f, 0, -0.65f, -0.15f, 0.3f, -0.35f}, SIDES | FACE_POS_Y);
}
