// Composition of one frame.
#pragma once

// Draws the whole frame; always true (a failing world initialisation is not fatal).
bool render_frame();
