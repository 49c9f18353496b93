#include "placed_culling.h"

#include "assets/draw_path.h"
#include "render/clip_box.h"
#include "scene/world_objects.h"
#include "weapons/targets.h"
#include "weapons/weapon_models.h"

#include <GL/gl.h>

#include <iterator>

namespace {

constexpr float PAD = 1e-3f; // world units: far more than GL's float rounding of a corner

} // namespace

// Boxes from what the census measures, rounded outwards to 0.0001; the spinner's arms turn
// within the sphere round its beads and the signs swing 50 degrees either way, and their
// boxes hold every position, with 0.01 to spare. The bracket row, the cartridge block and
// the orb are not listed: the colour they end on outlives the caller's placement block in
// this driver (see settle_current), and later objects draw in it.
// clang-format off
const PlacedBounds PLACED_BOUNDS[] = {
    {draw_spoked_wheel,       { -0.0001f, -0.5001f,  0.4999f,  0.5601f,  0.5001f,  1.5001f}},
    {draw_spiral_spinner,     { -0.17f,   -0.17f,   -0.17f,    0.17f,    0.17f,    0.17f  }},
    {draw_weapon1_display,    { -0.5101f, -0.5161f, -0.1901f,  0.2201f, -0.0449f, -0.0899f}},
    {draw_weapon3_display,    {  0.0486f, -0.1663f, -1.5001f,  0.1913f, -0.0524f, -0.2874f}},
    {draw_targets,            { -2.0501f,  0.9499f, -2.0501f,  0.0501f,  1.0501f, -1.9499f}},
    {draw_glow_lantern,       { -0.0261f, -0.0151f, -1.0201f,  2.9801f,  2.2001f,  0.5801f}},
    {draw_hanging_oval_sign,  { -0.6f,    -0.84f,   -0.66f,    1.03f,    0.06f,    0.66f  }},
    {draw_hanging_board_sign, { -0.51f,   -0.61f,   -0.47f,    1.03f,    0.05f,    0.47f  }},
};
// clang-format on
static_assert(std::size(PLACED_BOUNDS) == PLACED_BOUNDS_ROWS);

bool box_in_view(const Box& b) {
    GLfloat modelview[16], projection[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    const Vec3 lo = {b.x0 - PAD, b.y0 - PAD, b.z0 - PAD}, hi = {b.x1 + PAD, b.y1 + PAD, b.z1 + PAD};
    return !clip_box(modelview, projection, lo, hi).outside;
}

void draw_placed(void (*draw)()) {
    if (!draw_path.literal)
        for (const PlacedBounds& object : PLACED_BOUNDS)
            if (object.draw == draw && !box_in_view(object.box)) return;
    draw();
}

BoxSeen placed_pieces_seen() { return draw_path.literal ? any_box_seen : box_in_view; }
