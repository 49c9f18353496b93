// Which of two equivalent ways draws the frame.
//
// The literal path issues every call of the frame in its fixed order, with full mipmapped
// filtering on every texture. The default path moves or filters only drawing that cannot change a
// pixel of the result: the sky after the opaque geometry, where it reaches exactly the
// pixels nothing covers; plain linear minification on the sky's textures while they are
// only magnified; water, the town's layout rows and the placed objects off screen left
// undrawn; in worlds 2 and 3 only what the camera's cell can see (render/visible_sets.h);
// points in one primitive; text from one glyph texture; mipmaps built once. The
// literal path stays for the benchmark that compares the two and the test that requires
// identical frames.
#pragma once

struct DrawPath {
    bool literal = false; // issue every call of the frame in its fixed order
};
extern DrawPath draw_path;

void reset_draw_path();
