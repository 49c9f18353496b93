// Glyph bitmaps for the on-screen text: the family is resolved through fontconfig
// (on Debian a request for "Courier New" bold lands on the metric-compatible
// Liberation Mono Bold) and each character is rendered by FreeType as a 1-bit bitmap.
#include "platform.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// The font file fontconfig prefers for the family at the given weight, or "".
std::string match_font_file(const char* family, int weight) {
    std::string path;
    if (!FcInit()) return path;
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
    FcPatternAddInteger(pattern, FC_WEIGHT, weight >= 700 ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcChar8* file = nullptr;
    if (match && FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch)
        path = reinterpret_cast<const char*>(file);
    if (match) FcPatternDestroy(match);
    FcPatternDestroy(pattern);
    return path;
}

// Copies a FreeType mono bitmap (top row first, pitch bytes per row) bottom row first.
void copy_rows_bottom_first(const FT_Bitmap& bitmap, GlyphBitmap* glyph) {
    const int row_bytes = (glyph->width + 7) / 8;
    glyph->rows = static_cast<unsigned char*>(calloc(static_cast<size_t>(row_bytes) * glyph->height + 1, 1));
    if (!glyph->rows) return;
    for (int y = 0; y < glyph->height; ++y) {
        const unsigned char* src = bitmap.buffer + static_cast<ptrdiff_t>(y) * bitmap.pitch;
        memcpy(glyph->rows + static_cast<size_t>(glyph->height - 1 - y) * row_bytes, src,
               static_cast<size_t>(row_bytes));
    }
}

} // namespace

bool platform_render_font_glyphs(const char* family, int pixel_height, int weight, int first, int count,
                                 GlyphRun* run) {
    *run = GlyphRun{0, nullptr};
    const std::string file = match_font_file(family, weight);
    if (file.empty() || count <= 0) return false;
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0) return false;
    FT_Face face = nullptr;
    if (FT_New_Face(library, file.c_str(), 0, &face) != 0) {
        FT_Done_FreeType(library);
        return false;
    }
    FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixel_height));
    run->glyphs = static_cast<GlyphBitmap*>(calloc(static_cast<size_t>(count), sizeof(GlyphBitmap)));
    if (run->glyphs) {
        run->count = count;
        for (int i = 0; i < count; ++i) {
            GlyphBitmap& glyph = run->glyphs[i];
            if (FT_Load_Char(face, static_cast<FT_ULong>(first + i), FT_LOAD_RENDER | FT_LOAD_TARGET_MONO) != 0)
                continue; // an empty glyph that draws nothing
            const FT_GlyphSlot slot = face->glyph;
            glyph.width = static_cast<int>(slot->bitmap.width);
            glyph.height = static_cast<int>(slot->bitmap.rows);
            glyph.origin_x = static_cast<float>(-slot->bitmap_left);
            glyph.origin_y = static_cast<float>(glyph.height - slot->bitmap_top);
            glyph.advance = static_cast<float>(slot->advance.x) / 64.0f;
            copy_rows_bottom_first(slot->bitmap, &glyph);
        }
    }
    FT_Done_Face(face);
    FT_Done_FreeType(library);
    return run->glyphs != nullptr;
}

void platform_free_glyph_run(GlyphRun* run) {
    for (int i = 0; i < run->count; ++i) free(run->glyphs[i].rows);
    free(run->glyphs);
    *run = GlyphRun{0, nullptr};
}
