// The town's layout: one fixed table of catalogue models, each placed by a translation of
// its anchor and up to three turns, drawn every frame in world 2 after the level.
#pragma once

#include "scene/vec3.h"

// One turn: glRotatef(angle, axis).
struct ModelRotation {
    float angle; // degrees
    float axis_x, axis_y, axis_z;
};

// One row: the model, where its anchor goes, and its turns in call order (the last
// listed acts first on the model).
struct ModelPlacement {
    void (*model)();
    Vec3 translation;
    int rotation_count; // 0 to 3
    ModelRotation rotations[3];
};

constexpr int WORLD2_LAYOUT_ROWS = 557;
extern const ModelPlacement WORLD2_LAYOUT[];

// One row in its own placement block: matrix and current colour saved, translate, turn,
// draw, restored.
void draw_world2_layout_row(const ModelPlacement& row);
// Every row in table order.
void draw_world2_layout();
