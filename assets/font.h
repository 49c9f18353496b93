// Bitmap font for on-screen text: one display list per printable character.
#pragma once

#include <GL/gl.h>

constexpr int FONT_FIRST_CHAR = 32;
constexpr int FONT_GLYPH_COUNT = 96; // characters 32 to 127
constexpr int TEXT_BUFFER_SIZE = 256;

// List font_list_base + (c - 32) draws character c; 0 = none. A per-context cache, not
// session state: the lists live in one context, and forget_font() drops their names with
// it (the session reset does too).
extern GLuint font_list_base;

// Makes the 96 lists in the current context ("Courier New", bold, 36 pixels high),
// replacing the lists of an earlier call in the same context.
void build_font();
// Deletes the lists and the glyph texture in the current context, then forgets them.
void delete_font();
// Forgets them after their context has gone (the glyph bitmaps stay for the next one).
void forget_font();
// The most any character rises above its baseline, in pixels (0 before the glyphs exist):
// text whose baseline is nearer the top of the view than this loses its tops.
int font_ascent();
// How far the pen moves over the text, in pixels (0 before the glyphs exist).
float text_width(const char* text);
// Draws the formatted text (printf conventions, at most 255 characters) with the first
// character's origin at raster position (x, y), in the current colour.
void print_text(float x, float y, const char* format, ...);
