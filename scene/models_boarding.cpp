// Roof boarding and rafters. A row of boards repeats one pattern of eight boards, each a
// little different in size and set, so that the roofs do not look machine-cut; every board
// is a closed box.
#include "scene/blocks.h"
#include "scene/models.h"

#include <iterator>

namespace {

// One board: its lowest corner and its size.
struct Board {
    float x, width, y, height, z, depth;
};

// clang-format off
constexpr Board BOARD_PATTERN[] = {
    // x      width   y      height  z        depth
    {0.0f,  0.20f,  1.00f, 0.50f,  -0.050f,  0.05f},
    {0.2f,  0.15f,  1.05f, 0.50f,  -0.080f,  0.05f},
    {0.35f, 0.22f,  0.95f, 0.50f,  -0.040f,  0.05f},
    {0.57f, 0.18f,  1.01f, 0.50f,  -0.050f,  0.04f},
    {0.75f, 0.20f,  1.06f, 0.54f,  -0.050f,  0.06f},
    {0.95f, 0.15f,  1.04f, 0.50f,  -0.065f,  0.05f},
    {1.1f,  0.17f,  0.98f, 0.50f,  -0.038f,  0.05f},
    {1.27f, 0.23f,  1.01f, 0.50f,   0.000f,  0.04f},
};
// clang-format on
constexpr int PATTERN_BOARDS = static_cast<int>(std::size(BOARD_PATTERN));
// A row repeats the pattern at this step along +x; the last board overlaps the next copy's first.
constexpr float PATTERN_STEP = 1.4f;

constexpr int BOARDING_SLOT = 16;
constexpr int WALKWAY_SLOT = 13;

// Board `index` of the pattern repeated along +x, made `taller` than the pattern's board.
Box board_box(int index, float taller) {
    const Board& b = BOARD_PATTERN[index % PATTERN_BOARDS];
    const float x = static_cast<float>(index / PATTERN_BOARDS) * PATTERN_STEP + b.x;
    return {x, b.y, b.z, x + b.width, b.y + b.height + taller, b.z + b.depth};
}

// Boards `first` to `first + count - 1` of the repeated pattern as one run of `slot`.
void draw_boards(int slot, int first, int count, float taller) {
    bind_slot(slot);
    glBegin(GL_TRIANGLES);
    for (int i = first; i < first + count; ++i) emit_box(board_box(i, taller));
    glEnd();
}

// A rafter: an upright box 0.2 wide and 0.35 deep from y0 up to 3.5.
void draw_rafter(float y0) {
    Placement block;
    bind_slot(BOARDING_SLOT);
    draw_box({0, y0, -0.35f, 0.2f, 3.5f, 0});
}

} // namespace

void draw_board_row_8() {
    Placement block;
    draw_boards(BOARDING_SLOT, 0, PATTERN_BOARDS, 0);
}

void draw_board_row_16() {
    Placement block;
    draw_boards(BOARDING_SLOT, 0, PATTERN_BOARDS, 0);
    draw_boards(BOARDING_SLOT, PATTERN_BOARDS, PATTERN_BOARDS, 0);
}

void draw_rafter_3_0() { draw_rafter(0.5f); }
void draw_rafter_2_3() { draw_rafter(1.2f); }
void draw_rafter_3_7() { draw_rafter(-0.2f); }

void draw_board_row_13() {
    Placement block;
    draw_boards(BOARDING_SLOT, 0, 13, 0);
}

void draw_board_row_tall() {
    constexpr float TALLER = 4.0f;
    Placement block;
    draw_boards(BOARDING_SLOT, 0, PATTERN_BOARDS, TALLER);
    draw_boards(BOARDING_SLOT, PATTERN_BOARDS, PATTERN_BOARDS, TALLER);
}

void draw_board_row_32() {
    Placement block;
    draw_boards(BOARDING_SLOT, 0, 4 * PATTERN_BOARDS, 0);
}

// The pattern's boards as planks, 23 of them; the first and last reach 2.5 instead of 0.5.
void draw_plank_walkway() {
    constexpr int PLANKS = 23;
    constexpr float END_PLANK_HEIGHT = 2.5f;
    Placement block;
    bind_slot(WALKWAY_SLOT);
    glBegin(GL_TRIANGLES);
    for (int i = 0; i < PLANKS; ++i) {
        Box plank = board_box(i, 0);
        if (i == 0 || i == PLANKS - 1) plank.y1 = plank.y0 + END_PLANK_HEIGHT;
        emit_box(plank);
    }
    glEnd();
}
