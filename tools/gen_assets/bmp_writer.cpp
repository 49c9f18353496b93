#include "bmp_writer.h"

#include "byte_file.h"

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstdint>

namespace {

constexpr uint32_t FILE_HEADER_SIZE = 14;
constexpr uint32_t INFO_HEADER_SIZE = 40;
constexpr uint32_t BI_RGB = 0;
constexpr uint32_t BI_RLE8 = 1;
constexpr uint32_t PIXELS_PER_METRE = 2835; // 72 dpi
constexpr int MAX_SIDE = 16384;

bool valid(const Picture& p) {
    return p.width > 0 && p.height > 0 && p.width <= MAX_SIDE && p.height <= MAX_SIDE &&
           p.rgb.size() == static_cast<size_t>(p.width) * static_cast<size_t>(p.height) * 3;
}

size_t padded_row(size_t bytes) { return (bytes + 3) & ~static_cast<size_t>(3); }

std::vector<unsigned char> headers(const Picture& p, uint16_t bits, uint32_t compression, uint32_t palette_entries,
                                   uint32_t image_size) {
    const uint32_t pixels_at = FILE_HEADER_SIZE + INFO_HEADER_SIZE + 4 * palette_entries;
    std::vector<unsigned char> out;
    out.reserve(pixels_at + image_size);
    out.push_back('B');
    out.push_back('M');
    put_u32(out, pixels_at + image_size);
    put_u32(out, 0); // reserved
    put_u32(out, pixels_at);
    put_u32(out, INFO_HEADER_SIZE);
    put_u32(out, static_cast<uint32_t>(p.width));
    put_u32(out, static_cast<uint32_t>(p.height)); // positive: bottom row first
    put_u16(out, 1);                               // planes
    put_u16(out, bits);
    put_u32(out, compression);
    put_u32(out, image_size);
    put_u32(out, PIXELS_PER_METRE);
    put_u32(out, PIXELS_PER_METRE);
    put_u32(out, palette_entries);
    put_u32(out, 0); // all colours important
    return out;
}

bool refuse() {
    errno = EINVAL;
    return false;
}

// One distinct colour of the picture and how many pixels have it.
struct Entry {
    uint32_t key; // 0xRRGGBB
    uint32_t count;
    int channel(int c) const { return static_cast<int>((key >> (16 - 8 * c)) & 0xFFu); }
};

// A median-cut box: a range of entries and the channel it would be split along.
struct Box {
    size_t begin, end;
    int channel;
    double error; // count-weighted squared spread along `channel`
};

Box measure(const std::vector<Entry>& entries, size_t begin, size_t end) {
    Box box{begin, end, 0, 0.0};
    double n = 0, sum[3] = {0, 0, 0}, squares[3] = {0, 0, 0};
    for (size_t i = begin; i < end; ++i) {
        const double w = entries[i].count;
        n += w;
        for (int c = 0; c < 3; ++c) {
            const double v = entries[i].channel(c);
            sum[c] += w * v;
            squares[c] += w * v * v;
        }
    }
    for (int c = 0; c < 3; ++c) {
        const double spread = squares[c] - sum[c] * sum[c] / n;
        if (spread > box.error) {
            box.error = spread;
            box.channel = c;
        }
    }
    if (end - begin < 2) box.error = 0.0;
    return box;
}

void split_boxes(std::vector<Entry>& entries, std::vector<Box>& boxes) {
    while (boxes.size() < 256) {
        size_t worst = 0;
        for (size_t i = 1; i < boxes.size(); ++i)
            if (boxes[i].error > boxes[worst].error) worst = i;
        const Box box = boxes[worst];
        if (box.error <= 0.0) break;
        // Keys are distinct, so ordering by (channel, key) is total and the split repeatable.
        const int c = box.channel;
        std::sort(entries.begin() + static_cast<std::ptrdiff_t>(box.begin),
                  entries.begin() + static_cast<std::ptrdiff_t>(box.end), [c](const Entry& a, const Entry& b) {
                      const int va = a.channel(c), vb = b.channel(c);
                      return va != vb ? va < vb : a.key < b.key;
                  });
        uint64_t total = 0;
        for (size_t i = box.begin; i < box.end; ++i) total += entries[i].count;
        uint64_t below = 0;
        size_t middle = box.begin;
        while (middle < box.end - 1 && 2 * (below + entries[middle].count) <= total) below += entries[middle++].count;
        if (middle == box.begin) middle = box.begin + 1;
        boxes[worst] = measure(entries, box.begin, middle);
        boxes.push_back(measure(entries, middle, box.end));
    }
}

uint32_t key_at(const Picture& p, size_t pixel) {
    const unsigned char* c = &p.rgb[pixel * 3];
    return (static_cast<uint32_t>(c[0]) << 16) | (static_cast<uint32_t>(c[1]) << 8) | c[2];
}

} // namespace

IndexedPicture quantise(const Picture& picture) {
    const size_t pixels = static_cast<size_t>(picture.width) * static_cast<size_t>(picture.height);
    std::vector<uint32_t> keys(pixels);
    for (size_t i = 0; i < pixels; ++i) keys[i] = key_at(picture, i);
    std::sort(keys.begin(), keys.end());
    std::vector<Entry> entries;
    for (uint32_t key : keys) {
        if (!entries.empty() && entries.back().key == key) ++entries.back().count;
        else entries.push_back(Entry{key, 1});
    }

    IndexedPicture out;
    std::vector<unsigned char> index_of_entry(entries.size());
    if (entries.size() <= 256) {
        for (size_t i = 0; i < entries.size(); ++i) {
            for (int c = 0; c < 3; ++c) out.palette.push_back(static_cast<unsigned char>(entries[i].channel(c)));
            index_of_entry[i] = static_cast<unsigned char>(i);
        }
    } else {
        std::vector<Entry> work = entries;
        std::vector<Box> boxes{measure(work, 0, work.size())};
        split_boxes(work, boxes);
        for (const Box& box : boxes) {
            double n = 0, sum[3] = {0, 0, 0};
            for (size_t i = box.begin; i < box.end; ++i) {
                n += work[i].count;
                for (int c = 0; c < 3; ++c) sum[c] += static_cast<double>(work[i].count) * work[i].channel(c);
            }
            for (int c = 0; c < 3; ++c) out.palette.push_back(static_cast<unsigned char>(sum[c] / n + 0.5));
        }
        // Nearest palette entry for every distinct colour; the first of equals wins.
        const size_t colours = out.palette.size() / 3;
        for (size_t i = 0; i < entries.size(); ++i) {
            long best_distance = -1;
            for (size_t k = 0; k < colours; ++k) {
                long d = 0;
                for (int c = 0; c < 3; ++c) {
                    const long diff =
                        static_cast<long>(entries[i].channel(c)) - out.palette[k * 3 + static_cast<size_t>(c)];
                    d += diff * diff;
                }
                if (best_distance < 0 || d < best_distance) {
                    best_distance = d;
                    index_of_entry[i] = static_cast<unsigned char>(k);
                }
            }
        }
    }

    out.index.resize(pixels);
    for (size_t i = 0; i < pixels; ++i) {
        const uint32_t key = key_at(picture, i);
        const auto found =
            std::lower_bound(entries.begin(), entries.end(), key, [](const Entry& e, uint32_t k) { return e.key < k; });
        out.index[i] = index_of_entry[static_cast<size_t>(found - entries.begin())];
    }
    return out;
}

std::vector<unsigned char> encode_rle8(const std::vector<unsigned char>& rows, int width, int height) {
    std::vector<unsigned char> out;
    const size_t w = static_cast<size_t>(width);
    for (int y = 0; y < height; ++y) {
        const unsigned char* row = &rows[static_cast<size_t>(y) * w];
        size_t i = 0;
        while (i < w) {
            size_t run = 1;
            while (i + run < w && run < 255 && row[i + run] == row[i]) ++run;
            if (run >= 2) {
                out.push_back(static_cast<unsigned char>(run));
                out.push_back(row[i]);
                i += run;
                continue;
            }
            // Gather differing pixels until a run of three or more begins.
            size_t end = i + 1;
            while (end < w && end - i < 255) {
                if (end + 2 < w && row[end] == row[end + 1] && row[end] == row[end + 2]) break;
                ++end;
            }
            const size_t count = end - i;
            if (count >= 3) { // counts 0..2 after an escape mean end of line, end of bitmap, delta
                out.push_back(0);
                out.push_back(static_cast<unsigned char>(count));
                out.insert(out.end(), row + i, row + end);
                if (count & 1u) out.push_back(0); // absolute runs end on a 16-bit boundary
            } else {
                for (size_t k = i; k < end; ++k) {
                    out.push_back(1);
                    out.push_back(row[k]);
                }
            }
            i = end;
        }
        out.push_back(0);
        out.push_back(static_cast<unsigned char>(y + 1 < height ? 0 : 1)); // end of line; end of bitmap after the last
    }
    return out;
}

bool write_bmp24(const std::string& path, const Picture& picture) {
    if (!valid(picture)) return refuse();
    const size_t w = static_cast<size_t>(picture.width);
    const size_t stride = padded_row(w * 3);
    const uint32_t image_size = static_cast<uint32_t>(stride * static_cast<size_t>(picture.height));
    std::vector<unsigned char> out = headers(picture, 24, BI_RGB, 0, image_size);
    for (int y = picture.height - 1; y >= 0; --y) {
        const unsigned char* src = &picture.rgb[static_cast<size_t>(y) * w * 3];
        for (size_t x = 0; x < w; ++x) {
            out.push_back(src[x * 3 + 2]);
            out.push_back(src[x * 3 + 1]);
            out.push_back(src[x * 3]);
        }
        out.resize(out.size() + stride - w * 3, 0);
    }
    return write_file(path, out);
}

bool write_bmp8(const std::string& path, const Picture& picture, bool rle) {
    if (!valid(picture)) return refuse();
    const IndexedPicture indexed = quantise(picture);
    const size_t w = static_cast<size_t>(picture.width);
    const size_t stride = rle ? w : padded_row(w);
    std::vector<unsigned char> rows(stride * static_cast<size_t>(picture.height), 0);
    for (int y = 0; y < picture.height; ++y) {
        const size_t from = static_cast<size_t>(y) * w;
        const size_t to = static_cast<size_t>(picture.height - 1 - y) * stride;
        std::copy(indexed.index.begin() + static_cast<std::ptrdiff_t>(from),
                  indexed.index.begin() + static_cast<std::ptrdiff_t>(from + w),
                  rows.begin() + static_cast<std::ptrdiff_t>(to));
    }
    const std::vector<unsigned char> pixels = rle ? encode_rle8(rows, picture.width, picture.height) : rows;

    const uint32_t entries = static_cast<uint32_t>(indexed.palette.size() / 3);
    std::vector<unsigned char> out =
        headers(picture, 8, rle ? BI_RLE8 : BI_RGB, entries, static_cast<uint32_t>(pixels.size()));
    for (uint32_t i = 0; i < entries; ++i) {
        out.push_back(indexed.palette[i * 3 + 2]);
        out.push_back(indexed.palette[i * 3 + 1]);
        out.push_back(indexed.palette[i * 3]);
        out.push_back(0);
    }
    out.insert(out.end(), pixels.begin(), pixels.end());
    return write_file(path, out);
}
