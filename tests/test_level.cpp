// The level loader: line rules, and what a broken file leaves behind.
#include "assets/level.h"
#include "support.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include <unistd.h>

namespace {

class Level : public ::testing::Test {
protected:
    void SetUp() override {
        reset_everything();
        free_level();
    }
    void TearDown() override { free_level(); }

    void load(const std::string& text) {
        FILE* stream = fmemopen(const_cast<char*>(text.data()), text.size(), "r");
        ASSERT_NE(stream, nullptr);
        load_level_from(stream, "test.txt");
        fclose(stream);
    }
    std::string only_message() const {
        const auto& boxes = headless_message_boxes();
        return boxes.size() == 1 ? boxes[0].text : "(" + std::to_string(boxes.size()) + " messages)";
    }
};

const char* const TWO_TRIANGLES = "NUMPOLLIES 2\n"
                                  "// floor\n"
                                  "3\n"
                                  "1 2 3 0.5 0.25\n"
                                  "\n"
                                  "/ between two vertex lines\n"
                                  "4 5 6 1 0\n"
                                  "7 8 9 0 1\n"
                                  "0x1A\n"
                                  "0 0 0 0 0\n1 0 0 1 0\n0 0 1 0 1\n";

} // namespace

TEST_F(Level, CommentsAndEmptyLinesAnywhere) {
    load(TWO_TRIANGLES);
    ASSERT_EQ(level_mesh.count, 2);
    EXPECT_TRUE(headless_message_boxes().empty());
    const LevelTriangle& t = level_mesh.triangles[0];
    EXPECT_EQ(t.slot, 3);
    EXPECT_FLOAT_EQ(t.vertex[0].x, 1);
    EXPECT_FLOAT_EQ(t.vertex[0].y, 2);
    EXPECT_FLOAT_EQ(t.vertex[0].z, 3);
    EXPECT_FLOAT_EQ(t.vertex[0].u, 0.5f);
    EXPECT_FLOAT_EQ(t.vertex[0].v, 0.25f);
    EXPECT_FLOAT_EQ(t.vertex[2].x, 7);
    EXPECT_EQ(level_mesh.triangles[1].slot, 26); // 0x1A
}

TEST_F(Level, SlotsReadAsCIntegersAndWindowsLineEndsAreText) {
    load("NUMPOLLIES 1\r\n\r\n010\r\n0 0 0 0 0\r\n1 0 0 1 0\r\n0 0 1 0 1\r\n");
    ASSERT_EQ(level_mesh.count, 1);
    EXPECT_EQ(level_mesh.triangles[0].slot, 8); // octal
}

TEST_F(Level, ALineStartingWithASpaceIsData) {
    load("NUMPOLLIES 1\n1\n 0 0 0 0 0\n / not a comment\n0 0 1 0 1\n");
    EXPECT_EQ(level_mesh.count, 0);
    EXPECT_EQ(only_message(), "Level file test.txt, line 4: a vertex needs five numbers (x y z u v).");
}

TEST_F(Level, TheRestOfALongLineIsReadAsTheNextLine) {
    const std::string long_comment = "/" + std::string(300, 'x') + "\n";
    load("NUMPOLLIES 1\n" + long_comment + "1\n0 0 0 0 0\n1 0 0 1 0\n0 0 1 0 1\n");
    EXPECT_EQ(level_mesh.count, 0);
    EXPECT_EQ(only_message(), "Level file test.txt, line 2: expected a texture slot.");
}

TEST_F(Level, BrokenFilesKeepTheWholeTrianglesReadBefore) {
    struct Row {
        const char* text;
        int count;
        const char* message;
    };
    // clang-format off
    const Row rows[] = {
        {"", 0, "Level file test.txt, line 0: expected \"NUMPOLLIES\" and a triangle count."},
        {"NUMPOLIES 3\n", 0, "Level file test.txt, line 1: expected \"NUMPOLLIES\" and a triangle count."},
        {"NUMPOLLIES -4\n", 0, "Level file test.txt, line 1: -4 triangles cannot be in this file."},
        {"NUMPOLLIES 2000000000\n1\n", 0, "Level file test.txt, line 1: 2000000000 triangles cannot be in this file."},
        {"NUMPOLLIES 3\n1\n0 0 0 0 0\n1 0 0 1 0\n0 0 1 0 1\n2\n0 0 0 0 0\n", 1,
         "Level file test.txt ends after line 7: 1 of 3 triangles read."},
        {"NUMPOLLIES 2\n1\n0 0 0 0 0\n1 0 0 1 0\n0 0 1 0 1\n2\n0 0 0 0\n", 1,
         "Level file test.txt, line 7: a vertex needs five numbers (x y z u v)."},
        {"NUMPOLLIES 1\nwall\n", 0, "Level file test.txt, line 2: expected a texture slot."},
    };
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        reset_everything();
        load(row.text);
        EXPECT_EQ(level_mesh.count, row.count);
        EXPECT_EQ(only_message(), row.message);
    }
}

TEST_F(Level, AnEmptyCountIsAnEmptyMeshAndANewLoadReplacesTheOld) {
    load(TWO_TRIANGLES);
    ASSERT_EQ(level_mesh.count, 2);
    load("NUMPOLLIES 0\n");
    EXPECT_EQ(level_mesh.count, 0);
    EXPECT_EQ(level_mesh.triangles, nullptr);
    EXPECT_TRUE(headless_message_boxes().empty());
}

TEST_F(Level, AMissingFileIsAnEmptyMeshAndOneMessage) {
    load(TWO_TRIANGLES);
    const std::string dir = ::testing::TempDir();
    char cwd[4096];
    ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
    ASSERT_EQ(chdir(dir.c_str()), 0); // no text/ here
    load_level(1);
    ASSERT_EQ(chdir(cwd), 0);
    EXPECT_EQ(level_mesh.count, 0);
    EXPECT_EQ(only_message(), "Cannot open the level file text/level.txt.");
}
