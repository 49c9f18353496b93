// The objects the frame places itself, on the default draw path: one whose box lies
// wholly outside the view volume cannot reach a pixel and is left out, and only what its
// drawing leaves behind besides pixels is done in its place.
#pragma once

#include "scene/world_objects.h"

// A placed object: the box round everything it issues in its own frame, whatever its
// animation does inside that frame, and the texture its drawing leaves bound. Only
// objects whose drawing changes nothing else are listed.
struct PlacedBounds {
    void (*draw)();
    Box box;
    int slot_left; // the texture slot it leaves bound, -1 for none
};
constexpr int PLACED_BOUNDS_ROWS = 8;
extern const PlacedBounds PLACED_BOUNDS[PLACED_BOUNDS_ROWS];

// Whether a box in the current modelview's frame may reach a pixel of the view.
bool box_in_view(const Box& box);

// Draws `draw` at the current placement; on the default path, when it is listed and its box
// is out of view, only binds the texture its drawing would leave bound.
void draw_placed(void (*draw)());
// That part alone.
void leave_out(const PlacedBounds& object);

// Where the frame's table-driven objects take only the pieces in view (the default path)
// and where every piece.
BoxSeen placed_pieces_seen();
