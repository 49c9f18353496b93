#include "font.h"

#include "assets/draw_path.h"
#include "platform/platform.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <vector>

GLuint font_list_base = 0;

namespace {

constexpr const char* FONT_FAMILY = "Courier New";
constexpr int FONT_PIXEL_HEIGHT = 36;
constexpr int FONT_WEIGHT_BOLD = 700;

// Glyph bitmaps are rasterised once per run; every context compiles lists from them.
GlyphRun g_glyphs = {0, nullptr};
bool g_glyphs_tried = false;

// The same glyphs as one alpha texture, a cell per character: the default draw path
// draws text as textured quads with exactly the fragments the bitmaps give, without the
// driver's per-bitmap texture and state round trip. A per-context cache like the lists:
// forget_font() drops its texture name with the context.
constexpr int ATLAS_COLUMNS = 16;
struct GlyphAtlas {
    GLuint texture; // 0: none in this context
    int cell_width; // power-of-two cells, glyph at a cell's lower left
    int cell_height;
    int width, height; // the texture, powers of two
};
GlyphAtlas g_atlas = {0, 0, 0, 0, 0};

int power_of_two_at_least(int n) {
    int p = 1;
    while (p < n) p *= 2;
    return p;
}

void build_atlas() {
    if (g_atlas.texture != 0) glDeleteTextures(1, &g_atlas.texture); // an earlier call's, as with the lists
    g_atlas = GlyphAtlas{0, 1, 1, 0, 0};
    for (int i = 0; i < g_glyphs.count; ++i) {
        g_atlas.cell_width = std::max(g_atlas.cell_width, g_glyphs.glyphs[i].width);
        g_atlas.cell_height = std::max(g_atlas.cell_height, g_glyphs.glyphs[i].height);
    }
    if (g_glyphs.count == 0) return;
    g_atlas.cell_width = power_of_two_at_least(g_atlas.cell_width);
    g_atlas.cell_height = power_of_two_at_least(g_atlas.cell_height);
    g_atlas.width = ATLAS_COLUMNS * g_atlas.cell_width;
    g_atlas.height = power_of_two_at_least((g_glyphs.count + ATLAS_COLUMNS - 1) / ATLAS_COLUMNS * g_atlas.cell_height);
    std::vector<unsigned char> alpha(static_cast<size_t>(g_atlas.width) * static_cast<size_t>(g_atlas.height), 0);
    for (int i = 0; i < g_glyphs.count; ++i) {
        const GlyphBitmap& g = g_glyphs.glyphs[i];
        const int stride = (g.width + 7) / 8, x0 = i % ATLAS_COLUMNS * g_atlas.cell_width,
                  y0 = i / ATLAS_COLUMNS * g_atlas.cell_height;
        for (int row = 0; row < g.height; ++row)
            for (int col = 0; col < g.width; ++col)
                if (g.rows[row * stride + col / 8] & (0x80 >> (col % 8)))
                    alpha[static_cast<size_t>(y0 + row) * static_cast<size_t>(g_atlas.width) +
                          static_cast<size_t>(x0 + col)] = 255;
    }
    GLint bound = 0, alignment = 4;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    glGenTextures(1, &g_atlas.texture);
    glBindTexture(GL_TEXTURE_2D, g_atlas.texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_ALPHA, g_atlas.width, g_atlas.height, 0, GL_ALPHA, GL_UNSIGNED_BYTE,
                 alpha.data());
    glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(bound));
}

// The glyph whose list character c calls; none where the lists have none.
const GlyphBitmap* glyph_of(char c) {
    const int i = static_cast<unsigned char>(c) - FONT_FIRST_CHAR;
    return i >= 0 && i < g_glyphs.count ? &g_glyphs.glyphs[i] : nullptr;
}

// The characters as the lists would draw them from the current raster position: each set
// bit of a glyph a fragment of the raster colour and depth at the window pixel the
// bitmap places it on, the raster position moved by each advance. The lower left corner
// of a bitmap is floor(raster position + 0.0001 - origin), as this GL computes it.
void draw_text_quads(const char* text) {
    GLboolean valid = GL_FALSE;
    glGetBooleanv(GL_CURRENT_RASTER_POSITION_VALID, &valid);
    if (!valid) return; // bitmaps draw nothing and leave the position where it is
    GLfloat position[4], colour[4];
    GLint largest[2];
    glGetFloatv(GL_CURRENT_RASTER_POSITION, position);
    glGetFloatv(GL_CURRENT_RASTER_COLOR, colour);
    glGetIntegerv(GL_MAX_VIEWPORT_DIMS, largest);

    // Bitmaps are not clipped to the viewport, only to the window: the quads are drawn
    // through the largest viewport, one unit a window pixel.
    glPushAttrib(GL_ENABLE_BIT | GL_TEXTURE_BIT | GL_COLOR_BUFFER_BIT | GL_CURRENT_BIT | GL_VIEWPORT_BIT);
    glViewport(0, 0, largest[0], largest[1]);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, largest[0], 0, largest[1], -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glDisable(GL_LIGHTING);
    glDisable(GL_CULL_FACE);
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);
    glDisable(GL_TEXTURE_GEN_R);
    glDisable(GL_TEXTURE_GEN_Q);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, g_atlas.texture);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE); // an alpha texture keeps the colour
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0.5f);
    glColor4fv(colour);
    const float z = 1 - 2 * position[2]; // the raster depth through this projection
    const float u = 1.0f / static_cast<float>(g_atlas.width), v = 1.0f / static_cast<float>(g_atlas.height);
    float x = position[0];
    glBegin(GL_QUADS);
    for (const char* c = text; *c; ++c) {
        const GlyphBitmap* glyph = glyph_of(*c);
        if (!glyph) continue; // no list: nothing drawn, nothing moved
        const GlyphBitmap& g = *glyph;
        const int i = static_cast<int>(glyph - g_glyphs.glyphs);
        if (g.width > 0 && g.height > 0) {
            const float x0 = std::floor(x + 0.0001f - g.origin_x), y0 = std::floor(position[1] + 0.0001f - g.origin_y);
            const float x1 = x0 + static_cast<float>(g.width), y1 = y0 + static_cast<float>(g.height);
            const float s0 = static_cast<float>(i % ATLAS_COLUMNS * g_atlas.cell_width) * u;
            const float t0 = static_cast<float>(i / ATLAS_COLUMNS * g_atlas.cell_height) * v;
            const float s1 = s0 + static_cast<float>(g.width) * u, t1 = t0 + static_cast<float>(g.height) * v;
            glTexCoord2f(s0, t0);
            glVertex3f(x0, y0, z);
            glTexCoord2f(s1, t0);
            glVertex3f(x1, y0, z);
            glTexCoord2f(s1, t1);
            glVertex3f(x1, y1, z);
            glTexCoord2f(s0, t1);
            glVertex3f(x0, y1, z);
        }
        x += g.advance;
    }
    glEnd();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glPopAttrib();
    // The raster position, moved glyph by glyph as the lists move it.
    for (const char* c = text; *c; ++c)
        if (const GlyphBitmap* glyph = glyph_of(*c)) glBitmap(0, 0, 0, 0, glyph->advance, 0, nullptr);
}

} // namespace

void build_font() {
    if (font_list_base != 0) glDeleteLists(font_list_base, FONT_GLYPH_COUNT);
    font_list_base = glGenLists(FONT_GLYPH_COUNT);
    if (font_list_base == 0) return;
    if (!g_glyphs_tried) {
        g_glyphs_tried = true;
        platform_render_font_glyphs(FONT_FAMILY, FONT_PIXEL_HEIGHT, FONT_WEIGHT_BOLD, FONT_FIRST_CHAR, FONT_GLYPH_COUNT,
                                    &g_glyphs);
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
    build_atlas();
}

void delete_font() {
    if (font_list_base != 0) glDeleteLists(font_list_base, FONT_GLYPH_COUNT);
    if (g_atlas.texture != 0) glDeleteTextures(1, &g_atlas.texture);
    forget_font();
}

void forget_font() {
    font_list_base = 0;
    g_atlas.texture = 0;
}

int font_ascent() {
    float ascent = 0;
    for (int i = 0; i < g_glyphs.count; ++i)
        ascent = std::max(ascent, static_cast<float>(g_glyphs.glyphs[i].height) - g_glyphs.glyphs[i].origin_y);
    return static_cast<int>(std::ceil(ascent));
}

float text_width(const char* text) {
    float width = 0;
    for (const char* c = text; *c; ++c) {
        const int index = static_cast<unsigned char>(*c) - FONT_FIRST_CHAR;
        if (index >= 0 && index < g_glyphs.count) width += g_glyphs.glyphs[index].advance;
    }
    return width;
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
    if (draw_path.literal || g_atlas.texture == 0)
        glCallLists(static_cast<GLsizei>(strlen(text)), GL_UNSIGNED_BYTE, text);
    else draw_text_quads(text);
    glPopAttrib();
}
