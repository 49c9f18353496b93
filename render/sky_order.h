// Where the frame draws the sky of worlds 2 and 3.
//
// The sky is drawn first, without a depth test, and adds onto the black of the cleared
// frame; whatever opaque is drawn later replaces it. So it ends up only on the pixels no
// opaque fragment reaches, and it writes no depth. The default path draws it after the
// opaque geometry instead, at the far end of the depth range, where it passes exactly on
// the pixels whose depth is still the cleared 1: the same pixels, without shading what is
// covered.
//
// Two things break that equivalence: a blended draw that writes depth (the fountain's
// second pass, the orb's core) leaves pixels that are not covered but no longer at depth
// 1; and blending rounds each sum, so adding the same colours in another order can differ
// in the last bit (the lantern's globe, the fountain's first pass). Around every blended
// draw before the opaque geometry ends the sky keeps its first place: a window rectangle
// covering them gets the sky first, the rest of the view gets it behind.
#pragma once

#include "scene/vec3.h"

struct WindowRect {
    int x0, y0, x1, y1; // window pixels, x0 <= x < x1 and y0 <= y < y1, y up
};

struct SkyPlan {
    WindowRect first; // drawn at the sky's place in the frame; the rest after the geometry
    float turn;       // the domes' turn this frame (every part draws at the same one)
};

// The literal frame: the whole sky first.
SkyPlan sky_plan_literal();
// World 3: everything behind.
SkyPlan sky_plan_behind();
// The town: first around the lantern's globe and the fountain (their placements given)
// and the orb rows, behind elsewhere.
SkyPlan sky_plan_town(Vec3 lantern_origin, Vec3 fountain_origin);

// The sky's first part: blended, no depth test, as the frame defines it.
void sky_first_pass(const SkyPlan& plan);
// The rest of the view, behind what is drawn (nothing for the literal plan).
void sky_behind_pass(const SkyPlan& plan);
