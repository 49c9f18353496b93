#include "bmp.h"

#include "platform/platform.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr const char* TEXT_OUT_OF_MEMORY = "Out of memory.";
constexpr const char* TEXT_UNKNOWN_FORMAT = "Unknown DIB file format.";
constexpr const char* TEXT_CONVERSION = "Image file conversion error.";

constexpr size_t FILE_HEADER_SIZE = 14;
constexpr uint32_t CORE_HEADER_SIZE = 12;
constexpr uint32_t INFO_HEADER_SIZE = 40;

enum Compression : uint32_t { BI_RGB = 0, BI_RLE8 = 1, BI_RLE4 = 2, BI_BITFIELDS = 3 };

uint16_t u16(const unsigned char* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t u32(const unsigned char* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
           (static_cast<uint32_t>(p[3]) << 24);
}

struct Rgb {
    unsigned char r, g, b;
};

// One channel of a 16- or 32-bit pixel: where it sits and how wide it is.
struct Channel {
    uint32_t mask;
    int shift;
    uint64_t max; // largest value after shifting; 0 for an empty mask
};

Channel make_channel(uint32_t mask) {
    Channel c{mask, 0, 0};
    if (mask == 0) return c;
    while (!((mask >> c.shift) & 1u)) ++c.shift;
    c.max = mask >> c.shift;
    // A mask with holes counts as wide as its highest bit.
    uint64_t all = 1;
    while (all < c.max) all = (all << 1) | 1u;
    c.max = all;
    return c;
}

// Scales a channel to 8 bits, rounding: v * 255 / (2^n - 1).
unsigned char expand(uint32_t pixel, const Channel& c) {
    if (c.max == 0) return 0;
    const uint64_t v = (pixel & c.mask) >> c.shift;
    return static_cast<unsigned char>((v * 510 + c.max) / (2 * c.max));
}

// Everything the header says, checked against the file before any pixel is read.
struct DibLayout {
    int32_t width;
    int32_t height; // as stored: negative for a top-down bitmap
    uint32_t rows;  // |height|
    uint16_t bit_count;
    uint32_t compression;
    Channel channels[3]; // red, green, blue for 16 and 32 bits per pixel
    Rgb palette[256];
    uint32_t palette_entries; // usable entries of palette
    size_t pixel_offset;
};

// Parses and checks the headers; returns the failure text or null.
const char* read_layout(const unsigned char* file, size_t size, DibLayout* d) {
    const bool file_header = size >= 2 && file[0] == 'B' && file[1] == 'M';
    const size_t header_at = file_header ? FILE_HEADER_SIZE : 0;
    if (size < header_at + 4) return TEXT_UNKNOWN_FORMAT;
    const unsigned char* h = file + header_at;
    const uint32_t header_size = u32(h);
    if (header_size != CORE_HEADER_SIZE && header_size != INFO_HEADER_SIZE) return TEXT_UNKNOWN_FORMAT;
    if (size < header_at + header_size) return TEXT_CONVERSION;

    const bool core = header_size == CORE_HEADER_SIZE;
    uint64_t colors_used = 0;
    if (core) {
        d->width = u16(h + 4);
        d->height = u16(h + 6);
        d->bit_count = u16(h + 10);
        d->compression = BI_RGB;
    } else {
        d->width = static_cast<int32_t>(u32(h + 4));
        d->height = static_cast<int32_t>(u32(h + 8));
        d->bit_count = u16(h + 14);
        d->compression = u32(h + 16);
        colors_used = u32(h + 32);
    }

    const uint16_t bits = d->bit_count;
    const bool valid_bits = bits == 1 || bits == 4 || bits == 8 || bits == 24 || (!core && (bits == 16 || bits == 32));
    if (!valid_bits) return TEXT_CONVERSION;
    switch (d->compression) {
    case BI_RGB:
        break;
    case BI_RLE8:
        if (bits != 8) return TEXT_CONVERSION;
        break;
    case BI_RLE4:
        if (bits != 4) return TEXT_CONVERSION;
        break;
    case BI_BITFIELDS:
        if (bits != 16 && bits != 32) return TEXT_CONVERSION;
        break;
    default:
        return TEXT_CONVERSION;
    }
    const bool rle = d->compression == BI_RLE8 || d->compression == BI_RLE4;
    if (d->width <= 0 || d->height == 0 || d->height == INT32_MIN || (rle && d->height < 0)) return TEXT_CONVERSION;
    d->rows = static_cast<uint32_t>(d->height < 0 ? -d->height : d->height);
    if (d->width > DIB_MAX_SIDE || d->rows > static_cast<uint32_t>(DIB_MAX_SIDE) ||
        static_cast<int64_t>(d->width) * d->rows > DIB_MAX_PIXELS)
        return TEXT_OUT_OF_MEMORY;

    // Masks follow an info header only for bit fields; plain 16 and 32 bits are 5-5-5 and 8-8-8.
    size_t palette_at = header_at + header_size;
    uint32_t masks[3] = {0x7C00, 0x03E0, 0x001F};
    if (bits == 32) masks[0] = 0xFF0000, masks[1] = 0xFF00, masks[2] = 0xFF;
    if (d->compression == BI_BITFIELDS) {
        if (size < palette_at + 12) return TEXT_CONVERSION;
        for (int i = 0; i < 3; ++i) masks[i] = u32(file + palette_at + 4 * i);
        palette_at += 12;
    }
    for (int i = 0; i < 3; ++i) d->channels[i] = make_channel(masks[i]);

    // The palette's declared length places the pixels of a bare DIB; only the entries a
    // pixel can index are read, and only those that lie before the pixels.
    const uint64_t from_bits = bits <= 8 ? (1u << bits) : 0;
    const uint64_t declared = core ? from_bits : (colors_used ? colors_used : from_bits);
    const size_t entry_size = core ? 3 : 4;
    uint64_t pixel_offset = file_header ? u32(file + 10) : palette_at + declared * entry_size;
    uint64_t usable = declared < from_bits ? declared : from_bits;
    if (file_header && pixel_offset > palette_at) {
        const uint64_t room = (pixel_offset - palette_at) / entry_size;
        if (room < usable) usable = room;
    }
    if (palette_at + usable * entry_size > size) return TEXT_CONVERSION;
    d->palette_entries = static_cast<uint32_t>(usable);
    for (uint32_t i = 0; i < d->palette_entries; ++i) {
        const unsigned char* e = file + palette_at + i * entry_size;
        d->palette[i] = Rgb{e[2], e[1], e[0]};
    }

    if (pixel_offset >= size) return TEXT_CONVERSION;
    d->pixel_offset = static_cast<size_t>(pixel_offset);
    if (!rle) {
        // Every row but the last with its padding, the last at least to its final pixel.
        const uint64_t row_bytes = ((static_cast<uint64_t>(d->width) * bits + 31) / 32) * 4;
        const uint64_t last_row = (static_cast<uint64_t>(d->width) * bits + 7) / 8;
        if (pixel_offset + row_bytes * (d->rows - 1) + last_row > size) return TEXT_CONVERSION;
    }
    return nullptr;
}

Rgb palette_color(const DibLayout& d, uint32_t index) {
    return index < d.palette_entries ? d.palette[index] : Rgb{0, 0, 0};
}

void put(unsigned char* out, size_t at, Rgb c) {
    out[at] = c.r;
    out[at + 1] = c.g;
    out[at + 2] = c.b;
}

void decode_rows(const unsigned char* file, const DibLayout& d, unsigned char* out) {
    const uint64_t row_bytes = ((static_cast<uint64_t>(d.width) * d.bit_count + 31) / 32) * 4;
    for (uint32_t r = 0; r < d.rows; ++r) {
        const unsigned char* src = file + d.pixel_offset + r * row_bytes;
        const uint32_t out_row = d.height > 0 ? r : d.rows - 1 - r; // output is bottom row first
        unsigned char* dst = out + static_cast<size_t>(out_row) * d.width * 3;
        for (int32_t x = 0; x < d.width; ++x) {
            const size_t at = static_cast<size_t>(x) * 3;
            switch (d.bit_count) {
            case 1:
                put(dst, at, palette_color(d, (src[x >> 3] >> (7 - (x & 7))) & 1u));
                break;
            case 4:
                put(dst, at, palette_color(d, (src[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xFu));
                break;
            case 8:
                put(dst, at, palette_color(d, src[x]));
                break;
            case 24:
                put(dst, at, Rgb{src[x * 3 + 2], src[x * 3 + 1], src[x * 3]});
                break;
            case 16:
            case 32: {
                const uint32_t p = d.bit_count == 16 ? u16(src + x * 2) : u32(src + x * 4);
                put(dst, at, Rgb{expand(p, d.channels[0]), expand(p, d.channels[1]), expand(p, d.channels[2])});
                break;
            }
            }
        }
    }
}

// Run-length data: pixels a delta or an early end skips stay black; runs that reach past
// a row or the image are cut; the data ending before its end marker ends the image.
void decode_rle(const unsigned char* file, size_t size, const DibLayout& d, unsigned char* out) {
    const bool four = d.compression == BI_RLE4;
    size_t p = d.pixel_offset;
    uint64_t x = 0, y = 0;
    const auto plot = [&](uint32_t index) {
        if (x < static_cast<uint64_t>(d.width) && y < d.rows)
            put(out, (static_cast<size_t>(y) * d.width + static_cast<size_t>(x)) * 3, palette_color(d, index));
        ++x;
    };
    while (p + 2 <= size && y < d.rows) {
        const unsigned count = file[p], value = file[p + 1];
        p += 2;
        if (count > 0) {
            for (unsigned i = 0; i < count; ++i) plot(four ? ((i & 1) ? value & 0xFu : value >> 4) : value);
        } else if (value == 0) { // end of line
            x = 0;
            ++y;
        } else if (value == 1) { // end of bitmap
            break;
        } else if (value == 2) { // delta
            if (p + 2 > size) break;
            x += file[p];
            y += file[p + 1];
            p += 2;
        } else { // absolute run of `value` pixels, padded to a 16-bit boundary
            const size_t bytes = four ? (value + 1u) / 2u : value;
            if (p + bytes > size) break;
            for (unsigned i = 0; i < value; ++i)
                plot(four ? ((i & 1) ? file[p + i / 2] & 0xFu : file[p + i / 2] >> 4) : file[p + i]);
            p += bytes + (bytes & 1u);
        }
    }
}

} // namespace

RgbImage* decode_dib(const unsigned char* bytes, size_t size, const char** error) {
    DibLayout layout;
    if (const char* failure = read_layout(bytes, size, &layout)) {
        *error = failure;
        return nullptr;
    }
    const size_t data_size = static_cast<size_t>(layout.width) * layout.rows * 3;
    unsigned char* data = static_cast<unsigned char*>(calloc(data_size, 1)); // black for skipped pixels
    RgbImage* image = static_cast<RgbImage*>(malloc(sizeof(RgbImage)));
    if (!data || !image) {
        free(data);
        free(image);
        *error = TEXT_OUT_OF_MEMORY;
        return nullptr;
    }
    if (layout.compression == BI_RLE8 || layout.compression == BI_RLE4) decode_rle(bytes, size, layout, data);
    else decode_rows(bytes, layout, data);
    *image = RgbImage{layout.width, static_cast<int32_t>(layout.rows), data};
    return image;
}

RgbImage* load_dib(const char* path) {
    MappedFile file;
    if (!platform_map_file(path, &file)) {
        char text[512];
        snprintf(text, sizeof text, "Failed to open DIB file %s.\n", path ? path : "");
        platform_message_box(text, "Error", MB_OK);
        return nullptr;
    }
    const char* error = nullptr;
    RgbImage* image = decode_dib(file.data, file.size, &error);
    if (!image) { // at the point of failure, before the clean-up; named, as a world loads dozens
        char text[512];
        snprintf(text, sizeof text, "%s\n%s", error, path);
        platform_message_box(text, "Error", MB_OK);
    }
    platform_unmap_file(&file);
    return image;
}

void free_rgb_image(RgbImage* image) {
    if (!image) return;
    free(image->data);
    free(image);
}
