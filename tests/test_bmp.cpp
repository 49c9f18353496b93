// The bitmap reader: pixel formats, failure texts, and the public BMP corpus.
#include "assets/bmp.h"
#include "support.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

void le16(Bytes& b, unsigned v) {
    b.push_back(static_cast<unsigned char>(v));
    b.push_back(static_cast<unsigned char>(v >> 8));
}
void le32(Bytes& b, uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<unsigned char>(v >> (8 * i)));
}

// A 40-byte info header.
Bytes info_header(int32_t width, int32_t height, unsigned bits, uint32_t compression = 0, uint32_t colors_used = 0) {
    Bytes b;
    le32(b, 40);
    le32(b, static_cast<uint32_t>(width));
    le32(b, static_cast<uint32_t>(height));
    le16(b, 1);
    le16(b, bits);
    le32(b, compression);
    le32(b, 0);
    le32(b, 2835);
    le32(b, 2835);
    le32(b, colors_used);
    le32(b, 0);
    return b;
}

// A file: "BM" header pointing at the pixels, then the DIB part.
Bytes with_file_header(const Bytes& dib, size_t pixel_offset_in_dib) {
    Bytes b = {'B', 'M'};
    le32(b, static_cast<uint32_t>(14 + dib.size()));
    le32(b, 0);
    le32(b, static_cast<uint32_t>(14 + pixel_offset_in_dib));
    b.insert(b.end(), dib.begin(), dib.end());
    return b;
}

struct Decoded {
    std::unique_ptr<RgbImage, void (*)(RgbImage*)> image{nullptr, free_rgb_image};
    const char* error = nullptr;
    Bytes rgb() const {
        return Bytes(image->data, image->data + static_cast<size_t>(image->width) * image->height * 3);
    }
};

Decoded decode(const Bytes& bytes) {
    Decoded d;
    d.image.reset(decode_dib(bytes.data(), bytes.size(), &d.error));
    return d;
}

Bytes read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void write_file(const std::string& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

} // namespace

TEST(Bmp, TwentyFourBitRowsLoseTheirPaddingAndTurnToRgb) {
    Bytes dib = info_header(3, 3, 24);
    const size_t pixels = dib.size();
    for (int row = 0; row < 3; ++row) {
        for (int x = 0; x < 3; ++x) dib.insert(dib.end(), {static_cast<unsigned char>(10 * row + x), 100, 200});
        dib.insert(dib.end(), {0xEE, 0xEE, 0xEE}); // padding
    }
    const Decoded d = decode(with_file_header(dib, pixels));
    ASSERT_TRUE(d.image) << d.error;
    EXPECT_EQ(d.image->width, 3);
    EXPECT_EQ(d.image->height, 3);
    const Bytes rgb = d.rgb();
    ASSERT_EQ(rgb.size(), 27u);
    EXPECT_EQ(rgb[0], 200); // red first (the file stores blue first)
    EXPECT_EQ(rgb[2], 0);
    EXPECT_EQ(rgb[9 * 2 + 3 * 2 + 2], 22); // bottom row first: file row 2 is output row 2
}

TEST(Bmp, PalettesOfEveryDepthAndTheirDeclaredLength) {
    // 8 bits, five colours used: the bare DIB's pixels follow a five-entry palette.
    Bytes dib = info_header(4, 1, 8, 0, 5);
    for (unsigned i = 0; i < 5; ++i)
        dib.insert(dib.end(), {static_cast<unsigned char>(i), 0, static_cast<unsigned char>(50 * i), 0});
    dib.insert(dib.end(), {4, 1, 0, 7}); // index 7 lies outside the palette
    Decoded d = decode(dib);
    ASSERT_TRUE(d.image) << d.error;
    EXPECT_EQ(d.rgb(), (Bytes{200, 0, 4, 50, 0, 1, 0, 0, 0, 0, 0, 0}));

    // 1 and 4 bits, most significant bits first.
    Bytes one = info_header(10, 1, 1);
    one.insert(one.end(), {0, 0, 0, 0, 255, 255, 255, 0});
    one.insert(one.end(), {0b10100000, 0b01000000, 0, 0});
    d = decode(one);
    ASSERT_TRUE(d.image);
    const Bytes px = d.rgb();
    EXPECT_EQ(px[0], 255);
    EXPECT_EQ(px[3], 0);
    EXPECT_EQ(px[6], 255);
    EXPECT_EQ(px[9 * 3], 255);

    Bytes four = info_header(3, 1, 4, 0, 16);
    for (unsigned i = 0; i < 16; ++i) four.insert(four.end(), {0, 0, static_cast<unsigned char>(i * 16), 0});
    four.insert(four.end(), {0x2F, 0x30, 0, 0});
    d = decode(four);
    ASSERT_TRUE(d.image);
    EXPECT_EQ(d.rgb(), (Bytes{32, 0, 0, 240, 0, 0, 48, 0, 0}));

    // A 12-byte core header with three-byte palette entries.
    Bytes core;
    le32(core, 12);
    le16(core, 2);
    le16(core, 1);
    le16(core, 1);
    le16(core, 8);
    for (unsigned i = 0; i < 256; ++i) core.insert(core.end(), {static_cast<unsigned char>(i), 1, 2});
    core.insert(core.end(), {9, 200, 0, 0});
    d = decode(core);
    ASSERT_TRUE(d.image) << d.error;
    EXPECT_EQ(d.rgb(), (Bytes{2, 1, 9, 2, 1, 200}));
}

TEST(Bmp, SixteenAndThirtyTwoBitChannelsScaleToEightBits) {
    Bytes dib = info_header(2, 1, 16);
    le16(dib, 0x7FFF);                // 5-5-5 white
    le16(dib, (16 << 10) | (1 << 5)); // red 16 of 31, green 1 of 31
    Decoded d = decode(dib);
    ASSERT_TRUE(d.image);
    EXPECT_EQ(d.rgb(), (Bytes{255, 255, 255, 132, 8, 0}));

    Bytes bf = info_header(1, 1, 32, 3);
    le32(bf, 0x000003FF); // red: ten bits at the bottom
    le32(bf, 0x000FFC00);
    le32(bf, 0); // no blue at all
    le32(bf, 0x3FF | (512u << 10));
    d = decode(bf);
    ASSERT_TRUE(d.image) << d.error;
    EXPECT_EQ(d.rgb(), (Bytes{255, 128, 0}));
}

TEST(Bmp, RunLengthSkipsAreBlackAndOverrunsAreCut) {
    Bytes dib = info_header(4, 3, 8, 1, 4);
    for (unsigned i = 0; i < 4; ++i) dib.insert(dib.end(), {0, 0, static_cast<unsigned char>(60 * (i + 1)), 0});
    dib.insert(dib.end(), {
                              2, 1,             // two pixels of colour 1
                              0, 2, 1, 1,       // delta: one right, one up
                              0, 3, 2, 3, 2, 0, // absolute run of three, padded
                              9, 0,             // a run far past the row end: cut
                              0, 1,             // end of bitmap
                          });
    const Decoded d = decode(dib);
    ASSERT_TRUE(d.image) << d.error;
    const Bytes px = d.rgb();
    EXPECT_EQ(px[0], 120);
    EXPECT_EQ(px[3], 120);
    EXPECT_EQ(px[6], 0); // skipped by the delta: black, not colour 0
    EXPECT_EQ(px[(4 + 3) * 3], 180);
    EXPECT_EQ(px[(8 + 0) * 3], 0); // row 2 never written

    Bytes rle4 = info_header(5, 1, 4, 2, 2);
    rle4.insert(rle4.end(), {0, 0, 10, 0, 0, 0, 20, 0});
    rle4.insert(rle4.end(), {5, 0x10, 0, 1});
    const Decoded d4 = decode(rle4);
    ASSERT_TRUE(d4.image) << d4.error;
    EXPECT_EQ(d4.rgb(), (Bytes{20, 0, 0, 10, 0, 0, 20, 0, 0, 10, 0, 0, 20, 0, 0}));
}

TEST(Bmp, TopDownFilesComeOutBottomRowFirst) {
    Bytes dib = info_header(1, -2, 24);
    dib.insert(dib.end(), {0, 0, 1, 0, 0, 0, 2, 0}); // top row red 1, bottom row red 2
    const Decoded d = decode(dib);
    ASSERT_TRUE(d.image);
    EXPECT_EQ(d.image->height, 2);
    EXPECT_EQ(d.rgb(), (Bytes{2, 0, 0, 1, 0, 0}));
}

TEST(Bmp, DamagedHeadersAreRefusedWithTheirText) {
    struct Row {
        Bytes bytes;
        const char* error;
    };
    Bytes v5 = info_header(1, 1, 24);
    v5[0] = 124;
    v5.resize(124 + 4);
    Bytes truncated = info_header(8, 8, 24);
    truncated.resize(truncated.size() + 100);
    Bytes huge = info_header(20000, 2, 24);
    huge.resize(huge.size() + 16);
    Bytes vast_runs = info_header(4096, 4097, 8, 1, 2); // one side too long
    vast_runs.resize(vast_runs.size() + 16);
    // 1,080 bytes of RLE8 that declare 16384 x 2048 (100 MB decoded): refused.
    Bytes wide_runs = info_header(16384, 2048, 8, 1, 2);
    wide_runs.resize(1080);
    Bytes two_bits = info_header(1, 1, 2);
    two_bits.resize(two_bits.size() + 20);
    Bytes palette_beyond_file = info_header(1, 1, 8, 0, 200);
    palette_beyond_file.resize(palette_beyond_file.size() + 40);
    Bytes offset_beyond_file = with_file_header(info_header(1, 1, 24), 5000);
    offset_beyond_file.resize(offset_beyond_file.size() + 8);
    // clang-format off
    const std::vector<Row> rows = {
        {v5, "Unknown DIB file format."},
        {{'B', 'M', 1}, "Unknown DIB file format."},
        {truncated, "Image file conversion error."},
        {two_bits, "Image file conversion error."},
        {palette_beyond_file, "Image file conversion error."},
        {offset_beyond_file, "Image file conversion error."},
        {huge, "Out of memory."},
        {vast_runs, "Out of memory."},
        {wide_runs, "Out of memory."},
        {with_file_header(wide_runs, 48), "Out of memory."},
    };
    // clang-format on
    for (const Row& row : rows) {
        const Decoded d = decode(row.bytes);
        EXPECT_FALSE(d.image);
        EXPECT_STREQ(d.error, row.error);
    }
}

TEST(Bmp, LoadDibShowsOneMessageBoxPerFailure) {
    reset_everything();
    const std::string dir = ::testing::TempDir();
    const std::string empty = dir + "/empty.bmp", v5 = dir + "/v5.bmp", missing = dir + "/missing.bmp";
    write_file(empty, {});
    Bytes header = info_header(1, 1, 24);
    header[0] = 124;
    header.resize(130);
    write_file(v5, header);

    EXPECT_EQ(load_dib(empty.c_str()), nullptr);
    EXPECT_EQ(load_dib(missing.c_str()), nullptr);
    EXPECT_EQ(load_dib(v5.c_str()), nullptr);
    const auto& boxes = headless_message_boxes();
    ASSERT_EQ(boxes.size(), 3u);
    for (const RecordedMessageBox& box : boxes) EXPECT_EQ(box.caption, "Error");
    EXPECT_EQ(boxes[0].text, "Failed to open DIB file " + empty + ".\n");
    EXPECT_EQ(boxes[1].text, "Failed to open DIB file " + missing + ".\n");
    EXPECT_EQ(boxes[2].text, "Unknown DIB file format.\n" + v5); // which of the world's pictures
}

// Every row of the corpus manifest: "ok" rows decode to their reference, "reject" rows
// fail with a text, "any" rows may do either (their memory safety is the fuzz build's job).
TEST(BmpCorpus, ManifestRows) {
    const std::string root = ZEB_BMPSUITE_DIR;
    std::ifstream manifest(root + "/manifest.tsv");
    if (!manifest) GTEST_SKIP() << "BMP corpus not found at " << root << " (it is not part of the project)";
    const std::vector<std::string> wide_channels = {"rgb32-111110", "rgb32-7187", "rgb16-3103"};
    std::string line;
    std::getline(manifest, line); // column names
    int checked = 0;
    while (std::getline(manifest, line)) {
        std::vector<std::string> f;
        std::stringstream cells(line);
        for (std::string cell; std::getline(cells, cell, '\t');) f.push_back(cell);
        ASSERT_GE(f.size(), 7u) << line;
        const std::string& file = f[0];
        const std::string& expected = f[6];
        SCOPED_TRACE(file);
        const Decoded d = decode(read_file(root + "/" + file));
        if (expected == "reject") {
            EXPECT_FALSE(d.image);
            EXPECT_NE(d.error, nullptr);
        }
        // The reference of a row: its own .rgb, the original's for a bare DIB, or the
        // file an "any" row names ("output must equal g/pal1.rgb").
        std::string reference;
        if (expected == "ok") {
            reference = file.substr(0, file.rfind('.')) + ".rgb";
            if (file.compare(0, 4, "dib/") == 0) {
                const std::string name = file.substr(4, file.rfind('.') - 4);
                reference = (std::ifstream(root + "/g/" + name + ".rgb") ? "g/" : "q/") + name + ".rgb";
            }
        } else if (expected == "any" && d.image && f.size() > 8) {
            const size_t at = f[8].find("output must equal ");
            if (at != std::string::npos) reference = f[8].substr(at + 18, f[8].find(".rgb", at) + 4 - at - 18);
        }
        if (reference.empty()) continue;
        ASSERT_TRUE(d.image) << (d.error ? d.error : "");
        const Bytes want = read_file(root + "/" + reference);
        const Bytes got = d.rgb();
        ASSERT_EQ(got.size(), want.size()) << reference;
        int tolerance = 0;
        for (const std::string& w : wide_channels)
            if (file.find(w) != std::string::npos) tolerance = 1;
        size_t wrong = 0;
        for (size_t i = 0; i < got.size(); ++i)
            if (std::abs(got[i] - want[i]) > tolerance) ++wrong;
        EXPECT_EQ(wrong, 0u) << "bytes differing from " << reference;
        ++checked;
    }
    EXPECT_GT(checked, 60);
}
