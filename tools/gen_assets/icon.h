// The program's icon for the desktop's menus: a glowing doorway in a dark hall, drawn
// afresh at every size so the small ones stay sharp.
#pragma once

#include <string>
#include <vector>

// The sizes a desktop's icon theme looks for (hicolor NxN/apps).
inline constexpr int ICON_SIDES[] = {16, 24, 32, 48, 64, 128, 256};

struct IconImage {
    int side = 0;
    std::vector<unsigned char> rgba; // R, G, B, A per pixel, straight alpha, top row first
};

IconImage draw_icon(int side);

// An 8-bit RGBA PNG. False when the file cannot be written (a partial file is removed).
bool write_icon_png(const std::string& path, const IconImage& icon);
