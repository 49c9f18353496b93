// The town's layout on the default draw path.
#pragma once

struct VisibleCell;

// Every row of the layout in table order, except those whose box lies wholly outside this
// frame's view volume or, given the eye's cell, outside what can be seen from it: nothing
// of theirs could reach a pixel, and their models change nothing else when drawn.
void draw_world2_layout_in_view(const VisibleCell* cell);
