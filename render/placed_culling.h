// The objects the frame places itself, on the default draw path: one whose box lies
// wholly outside the view volume cannot reach a pixel and is left out. Every object binds
// the textures it draws with, so nothing after it depends on one being left out.
#pragma once

#include "scene/world_objects.h"

// A placed object: the box round everything it issues in its own frame, whatever its
// animation does inside that frame. Only objects whose drawing changes nothing that a
// later object reads are listed.
struct PlacedBounds {
    void (*draw)();
    Box box;
};
constexpr int PLACED_BOUNDS_ROWS = 8;
extern const PlacedBounds PLACED_BOUNDS[PLACED_BOUNDS_ROWS];

// Whether a box in the current modelview's frame may reach a pixel of the view.
bool box_in_view(const Box& box);

// Draws `draw` at the current placement; on the default path, not when it is listed and
// its box is out of view.
void draw_placed(void (*draw)());

// Where the frame's table-driven objects take only the pieces in view (the default path)
// and where every piece.
BoxSeen placed_pieces_seen();
