// The fuzzers' seed corpora, replayed through the normal build: every seed bitmap is a
// valid file and must decode, except the findings kept as "reject-*", which must be
// refused with a reason; every seed level must load without harm.
#include "assets/bmp.h"
#include "assets/level.h"
#include "support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace fs = std::filesystem;

TEST(FuzzCorpus, SeedBitmapsDecode) {
    int seen = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(ZEB_FUZZ_CORPUS_DIR "/bmp")) {
        std::ifstream in(entry.path(), std::ios::binary);
        const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        const char* error = nullptr;
        RgbImage* image = decode_dib(bytes.data(), bytes.size(), &error);
        if (entry.path().filename().string().rfind("reject-", 0) == 0) {
            EXPECT_EQ(image, nullptr) << entry.path();
            EXPECT_NE(error, nullptr) << entry.path();
        } else {
            EXPECT_NE(image, nullptr) << entry.path() << ": " << (error ? error : "");
        }
        free_rgb_image(image);
        ++seen;
    }
    EXPECT_GE(seen, 10);
}

TEST(FuzzCorpus, SeedLevelsLoad) {
    reset_everything();
    int seen = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(ZEB_FUZZ_CORPUS_DIR "/level")) {
        FILE* stream = fopen(entry.path().c_str(), "r");
        ASSERT_NE(stream, nullptr);
        load_level_from(stream, entry.path().filename().c_str());
        fclose(stream);
        EXPECT_GE(level_mesh.count, 0);
        ++seen;
    }
    free_level();
    EXPECT_GE(seen, 5);
}
