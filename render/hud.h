// The heads-up display: crosshair, corner panels and the text lines.
#pragma once

#include <cstdint>

// The counts as the last frame printed them (taking them resets the counters).
struct HudCounts {
    int32_t triangles = 0;
    int32_t visible = 0;
    int32_t culled = 0;
    int32_t degenerate = 0;
};
struct HudState {
    float dist_readout = -30;       // shown after "dist, " (numeric keypad 1, 6, 9)
    HudCounts hud_printed;          // the counts of the last text pass
    int32_t quit_prompt_frames = 0; // key steps the quit question stays on screen
};
extern HudState hud;
void reset_hud();

// The smallest view the window may be resized to: the position line needs about 1000
// pixels of the font's width, and the top block (down to row 171) and the lower corners'
// numbers (from 89 rows above the bottom) stay well apart.
constexpr int HUD_MIN_WIDTH = 1024;
constexpr int HUD_MIN_HEIGHT = 480;

void draw_crosshair();
void draw_hud_panels();
// A pixel-unit orthographic overlay, origin top left, y downwards.
void begin_overlay();
void end_overlay();
// The frame's level counts for the text, and the counters reset for the next frame.
void settle_hud_counts();
// Asked by the first press of the controller's quit button, below the crosshair.
constexpr const char* QUIT_PROMPT = "Press Start again to quit";
// Prints the eight lines, and the quit question while it stands.
void draw_hud_text();
