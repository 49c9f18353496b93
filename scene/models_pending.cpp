// Models not yet drawn: each helper removes its own as it lands. Not for committing to a release.
#include "scene/models.h"

void draw_chimney_wide() {}
void draw_chimney_narrow() {}
void draw_timber_frame() {}
void draw_post_bracket() {}
void draw_deck_small() {}
void draw_deck_large() {}
void draw_beam_long() {}
void draw_post() {}
void draw_gable_roof() {}
void draw_balcony() {}
void draw_house() {}
void draw_post_on_base() {}
void draw_board_row_8() {}
void draw_board_row_16() {}
void draw_rafter_3_0() {}
void draw_rafter_2_3() {}
void draw_rafter_3_7() {}
void draw_board_row_13() {}
void draw_board_row_tall() {}
void draw_board_row_32() {}
void draw_plank_walkway() {}
void draw_vault_canopy() {}
void draw_arcade_fence() {}
void draw_gothic_window() {}
void draw_ring_orb() {}
