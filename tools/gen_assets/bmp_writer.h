// Writes Windows bitmaps: 14-byte file header, 40-byte info header, rows bottom-up.
#pragma once

#include <string>
#include <vector>

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb; // R, G, B tightly packed, top row first
};

// 24 bits per pixel, uncompressed. False, with errno set, when the picture is malformed or
// the file cannot be written (a partly written file is removed).
bool write_bmp24(const std::string& path, const Picture& picture);

// 8 bits per pixel with a palette of at most 256 colours, exact when the picture has no
// more; otherwise a median-cut palette, each pixel taking its nearest entry. rle = true
// writes BI_RLE8.
bool write_bmp8(const std::string& path, const Picture& picture, bool rle);

// The palette and indices write_bmp8 stores, exposed for checks.
struct IndexedPicture {
    std::vector<unsigned char> palette; // R, G, B per entry
    std::vector<unsigned char> index;   // one per pixel, top row first
};
IndexedPicture quantise(const Picture& picture);

// BI_RLE8 data for bottom-up rows of `width` indices each.
std::vector<unsigned char> encode_rle8(const std::vector<unsigned char>& rows_bottom_up, int width, int height);
