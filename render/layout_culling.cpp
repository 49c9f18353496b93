#include "layout_culling.h"

#include "render/clip_box.h"
#include "render/level_mesh.h"
#include "render/visible_sets.h"
#include "scene/layout_bounds.h"
#include "scene/world2_layout.h"

void draw_world2_layout_in_view(const VisibleCell* cell) {
    for (int row = 0; row < WORLD2_LAYOUT_ROWS; ++row) {
        Vec3 lo, hi;
        if (layout_row_box(row, &lo, &hi) &&
            ((cell && !cell_shows_row(*cell, row)) ||
             clip_box(level_draw.camera_modelview, level_draw.camera_projection, lo, hi).outside))
            continue;
        draw_world2_layout_row(WORLD2_LAYOUT[row]);
    }
}
