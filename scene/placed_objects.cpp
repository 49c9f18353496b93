#include "scene/world_objects.h"

#include "scene/blocks.h"

// clang-format off
const ModelEntry PLACED_OBJECTS[10] = {
    {"draw_town_blocks",        draw_town_blocks,        0},
    {"draw_glow_lantern",       draw_glow_lantern,       0},
    {"draw_hanging_oval_sign",  draw_hanging_oval_sign,  0},
    {"draw_hanging_board_sign", draw_hanging_board_sign, 0},
    {"draw_world2_gates",       draw_world2_gates,       0},
    {"draw_cartridge_block",    draw_cartridge_block,    0},
    {"draw_world1_hall",        draw_world1_hall,        0},
    {"draw_spoked_wheel",       draw_spoked_wheel,       0},
    {"draw_spiral_spinner",     draw_spiral_spinner,     0},
    {"draw_bracket_row",        draw_bracket_row,        0},
};
// clang-format on

bool any_box_seen(const Box&) { return true; }
