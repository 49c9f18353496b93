// Reader for Windows bitmaps: BMP files and bare packed DIBs.
#pragma once

#include <cstddef>
#include <cstdint>

// Tightly packed 8-bit RGB pixels, bottom row first, ready for upload with an unpack
// alignment of 1. The record and its data are separate heap blocks (malloc); the owner
// frees the data, then the record (free_rgb_image does both).
struct RgbImage {
    int32_t width;
    int32_t height;
    unsigned char* data;
};

// Sides and areas beyond these are refused ("Out of memory."): no texture of this
// program needs more than 4096 per side, and a header that claims more is damaged or
// hostile (a few bytes of run-length data can claim an image of hundreds of megabytes).
// One picture thus costs at most 48 MB.
constexpr int32_t DIB_MAX_SIDE = 4096;
constexpr int64_t DIB_MAX_PIXELS = int64_t{DIB_MAX_SIDE} * DIB_MAX_SIDE;

// Reads one bitmap file. On failure shows the reason in a message box (caption "Error"),
// the reader's text and then, on its own line, the file's name, and returns null.
RgbImage* load_dib(const char* path);

// Decodes a bitmap held in memory. On failure returns null and sets *error to the text
// load_dib shows.
RgbImage* decode_dib(const unsigned char* bytes, size_t size, const char** error);

void free_rgb_image(RgbImage* image);
