#include "models.h"

#include "scene/blocks.h"

#include <iterator>

// clang-format off
const ModelEntry MODEL_CATALOGUE[38] = {
    {"draw_door_framed",         draw_door_framed,          FACE_POS_X},
    {"draw_window_recessed",     draw_window_recessed,      FACE_POS_X},
    {"draw_window_wide",         draw_window_wide,          FACE_NEG_Z},
    {"draw_window_narrow",       draw_window_narrow,        FACE_NEG_Z},
    {"draw_window_six_pane",     draw_window_six_pane,      FACE_NEG_X},
    {"draw_window_three_pane",   draw_window_three_pane,    FACE_NEG_X},
    {"draw_window_double",       draw_window_double,        FACE_NEG_X},
    {"draw_window_small",        draw_window_small,         FACE_NEG_Z},
    {"draw_window_small_framed", draw_window_small_framed,  FACE_NEG_Z},
    {"draw_window_square",       draw_window_square,        FACE_NEG_Z},
    {"draw_dormer",              draw_dormer,               FACE_NEG_Z},
    {"draw_chimney_wide",        draw_chimney_wide,         0},
    {"draw_chimney_narrow",      draw_chimney_narrow,       0},
    {"draw_timber_frame",        draw_timber_frame,         0},
    {"draw_post_bracket",        draw_post_bracket,         0},
    {"draw_deck_small",          draw_deck_small,           0},
    {"draw_deck_large",          draw_deck_large,           0},
    {"draw_beam_long",           draw_beam_long,            0},
    {"draw_post",                draw_post,                 0},
    {"draw_gable_roof",          draw_gable_roof,           0},
    {"draw_balcony",             draw_balcony,              0},
    {"draw_house",               draw_house,                0},
    {"draw_post_on_base",        draw_post_on_base,         0},
    {"draw_board_row_8",         draw_board_row_8,          0},
    {"draw_board_row_16",        draw_board_row_16,         0},
    {"draw_rafter_3_0",          draw_rafter_3_0,           0},
    {"draw_rafter_2_3",          draw_rafter_2_3,           0},
    {"draw_rafter_3_7",          draw_rafter_3_7,           0},
    {"draw_board_row_13",        draw_board_row_13,         0},
    {"draw_board_row_tall",      draw_board_row_tall,       0},
    {"draw_board_row_32",        draw_board_row_32,         0},
    {"draw_plank_walkway",       draw_plank_walkway,        0},
    {"draw_vault_canopy",        draw_vault_canopy,         0},
    {"draw_arcade_fence",        draw_arcade_fence,         0},
    {"draw_gothic_window",       draw_gothic_window,        FACE_NEG_Z},
    {"draw_ring_orb",            draw_ring_orb,             0},
    {"draw_gate_wide",           draw_gate_wide,            0},
    {"draw_gate_corner",         draw_gate_corner,          0},
};
// clang-format on
static_assert(std::size(MODEL_CATALOGUE) == 38);
