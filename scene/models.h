// The procedurally drawn models of the town and the variables they read.
//
// Every model draws one object in its own local frame at the current modelview matrix and
// leaves the GL state as it found it: matrix and current colour saved and restored, faces
// counter-clockwise from outside, textures by slot of the current world's set. A facade
// piece is authored at its offset from its wall's anchor, not centred.
#pragma once

#include "scene/blocks.h"

// The two gate models draw up to the heights in nav/gates.h.
struct ModelState {
    float orb_spin_angle = 0;  // degrees, +0.1 per orb turned, never wrapped
    float orb_drawn_angle = 0; // where the last turn started: the orb is drawn at it
};
extern ModelState model_state;
void reset_model_state();

// Facade and timber meshes.
void draw_door_framed();
void draw_window_recessed();
void draw_window_wide();
void draw_window_narrow();
void draw_window_six_pane();
void draw_window_three_pane();
void draw_window_double();
void draw_window_small();
void draw_window_small_framed();
void draw_window_square();
void draw_dormer();
void draw_chimney_wide();
void draw_chimney_narrow();
void draw_timber_frame();
void draw_post_bracket();
void draw_deck_small();
void draw_deck_large();
void draw_beam_long();
void draw_post();
void draw_gable_roof();
void draw_balcony();
void draw_house();
void draw_post_on_base();

// Roof boarding.
void draw_board_row_8();
void draw_board_row_16();
void draw_rafter_3_0();
void draw_rafter_2_3();
void draw_rafter_3_7();
void draw_board_row_13();
void draw_board_row_tall();
void draw_board_row_32();
void draw_plank_walkway();

// Quadric assemblies.
void draw_vault_canopy();
void draw_arcade_fence();
void draw_gothic_window();

// Animated and variable models.
void draw_ring_orb();
// One orb's turn in the frame: it is drawn at the angle the turn starts from.
void turn_ring_orb();
void draw_gate_wide();
void draw_gate_corner();
// The box each gate draws in at its current height, and the texture slot it draws with.
Box gate_wide_extent();
Box gate_corner_extent();
constexpr int GATE_WIDE_SLOT = 25, GATE_CORNER_SLOT = 12;

// Every model by name, in catalogue order, for tools and tests.
struct ModelEntry {
    const char* name;
    void (*draw)();
    unsigned front; // the FACE_ side (scene/blocks.h) a single-sided piece looks to; 0 for solids
};
extern const ModelEntry MODEL_CATALOGUE[38];
