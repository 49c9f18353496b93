// Where the town's layout draws: each layout model's extent in its own frame, as the census
// measures what it issues, and from it each row's box in the world.
#pragma once

#include "scene/vec3.h"

// The box round everything a model issues in its own frame. Only models whose drawing
// changes nothing but pixels are listed, so that a row of theirs out of view may be left
// out; the orb is not, as it turns its cloud each time it is drawn.
struct ModelBounds {
    void (*model)();
    Vec3 lo, hi;
};
constexpr int MODEL_BOUNDS_ROWS = 35;
extern const ModelBounds MODEL_BOUNDS[MODEL_BOUNDS_ROWS];

// The world box round row `row` of the town's layout: its model's bounds carried through
// the row's translation and turns, a little larger for rounding. False for a row whose
// model is not listed above, or no row: such a row is drawn whatever the view.
bool layout_row_box(int row, Vec3* lo, Vec3* hi);
