#include "font.h"

#include "platform/platform.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

GLuint font_list_base = 0;

namespace {

constexpr const char* FONT_FAMILY = "Courier New";
constexpr int FONT_PIXEL_HEIGHT = 36;
constexpr int FONT_WEIGHT_BOLD = 700;

// Glyph bitmaps are rasterised once per run; every context compiles lists from them.
GlyphRun g_glyphs = {0, nullptr};
bool g_glyphs_tried = false;

} // namespace

void build_font() {
    if (font_list_base != 0) glDeleteLists(font_list_base, FONT_GLYPH_COUNT);
    font_list_base = glGenLists(FONT_GLYPH_COUNT);
    if (font_list_base == 0) return;
    if (!g_glyphs_tried) {
        g_glyphs_tried = true;
        platform_render_font_glyphs(FONT_FAMILY, FONT_PIXEL_HEIGHT, FONT_WEIGHT_BOLD, FONT_FIRST_CHAR,
                                    FONT_GLYPH_COUNT, &g_glyphs);
    }
    GLint alignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1); // glyph rows are padded to whole bytes only
    for (int i = 0; i < FONT_GLYPH_COUNT; ++i) {
        glNewList(font_list_base + static_cast<GLuint>(i), GL_COMPILE);
        if (i < g_glyphs.count) {
            const GlyphBitmap& g = g_glyphs.glyphs[i];
            glBitmap(g.width, g.height, g.origin_x, g.origin_y, g.advance, 0, g.rows);
        }
        glEndList();
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
}

void delete_font() {
    if (font_list_base != 0) glDeleteLists(font_list_base, FONT_GLYPH_COUNT);
    font_list_base = 0;
}

void print_text(float x, float y, const char* format, ...) {
    if (!format) return;
    char text[TEXT_BUFFER_SIZE];
    va_list args;
    va_start(args, format);
    vsnprintf(text, sizeof text, format, args);
    va_end(args);
    glPushAttrib(GL_LIST_BIT);
    glListBase(font_list_base - FONT_FIRST_CHAR);
    glRasterPos2f(x, y);
    glCallLists(static_cast<GLsizei>(strlen(text)), GL_UNSIGNED_BYTE, text);
    glPopAttrib();
}
