// Texture sets and the bitmap font in a real (offscreen) OpenGL context, with the data
// files the build generates in text/.
#include "app/window.h"
#include "assets/font.h"
#include "assets/textures.h"
#include "nav/worlds.h"
#include "render/hud.h"
#include "support.h"
#include "render/scene_setup.h"
#include "render/view.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class AssetsGl : public ::testing::Test {
protected:
    void SetUp() override {
        reset_everything();
        ASSERT_TRUE(start_windowed_program()) << "the build must have generated text/";
    }
    void TearDown() override { reset_everything(); }
};

// Runs body with the working directory switched to a copy of text/ changed by edit.
template <typename Edit, typename Body> void with_changed_data(Edit edit, Body body) {
    // CTest runs test cases at once in separate processes: a directory of each's own.
    const fs::path dir = fs::path(::testing::TempDir()) / ("changed_data_" + std::to_string(getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    fs::copy("text", dir / "text", fs::copy_options::recursive);
    edit(dir / "text");
    const fs::path home = fs::current_path();
    fs::current_path(dir);
    body();
    fs::current_path(home);
    fs::remove_all(dir);
}

std::vector<unsigned char> read_rgb(int x, int y, int width, int height) {
    std::vector<unsigned char> pixels(static_cast<size_t>(width) * height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

// Prints into a cleared pixel-unit overlay (y down) and returns the top 40 rows.
std::vector<unsigned char> printed(const char* format, double value) {
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    begin_overlay();
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glColor3f(1, 1, 1);
    print_text(1, 20, format, value);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    end_overlay();
    return read_rgb(0, view.view_height - 40, 512, 40);
}

} // namespace

TEST_F(AssetsGl, EverySlotGetsItsOwnTextureAlsoForSharedFiles) {
    std::set<std::string> distinct;
    for (const WorldRecord& world : world_table)
        for (int slot = 0; slot < TEXTURE_SLOTS; ++slot) distinct.insert(world.texture_files[slot]);
    EXPECT_EQ(distinct.size(), 40u);

    for (int world = 1; world <= 3; ++world) {
        SCOPED_TRACE(world);
        delete_textures();
        ASSERT_TRUE(load_textures(world));
        EXPECT_TRUE(textures.texture_set_loaded);
        const std::set<GLuint> names(std::begin(textures.texture_names), std::end(textures.texture_names));
        EXPECT_EQ(names.size(), static_cast<size_t>(TEXTURE_SLOTS)); // AGerb alone fills 14 slots of world 1
        for (GLuint name : textures.texture_names) {
            EXPECT_TRUE(glIsTexture(name));
            glBindTexture(GL_TEXTURE_2D, name);
            GLint width = 0, levels_width = 0;
            glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
            glGetTexLevelParameteriv(GL_TEXTURE_2D, 8, GL_TEXTURE_WIDTH, &levels_width);
            EXPECT_GT(width, 0);
            EXPECT_EQ(levels_width, width >> 8); // mipmapped down to 1 x 1 for 256 x 256
        }
    }
    EXPECT_TRUE(headless_message_boxes().size() == 1); // only the start-up question
}

TEST_F(AssetsGl, AMissingFileLeavesTheSetAsItWasAndIsNamed) {
    GLuint before[TEXTURE_SLOTS];
    std::copy(std::begin(textures.texture_names), std::end(textures.texture_names), before);
    with_changed_data([](const fs::path& text) { fs::remove(text / "glaz.bmp"); },
                      [&] {
                          for (int world = 1; world <= 3; ++world) {
                              EXPECT_FALSE(load_textures(world)) << "world " << world;
                          }
                      });
    EXPECT_TRUE(std::equal(std::begin(before), std::end(before), std::begin(textures.texture_names)));
    const auto& boxes = headless_message_boxes();
    ASSERT_EQ(boxes.size(), 4u); // the start-up question, then one per failed set
    for (size_t i = 1; i < boxes.size(); ++i) EXPECT_EQ(boxes[i].text, "Cannot open the texture file text/glaz.bmp.");
}

TEST_F(AssetsGl, AnUnreadableBitmapIsReportedOnceAndFailsTheSet) {
    with_changed_data(
        [](const fs::path& text) {
            std::ofstream(text / "poll001.bmp", std::ios::binary) << "BM this is not a bitmap";
        },
        [] {
            EXPECT_FALSE(load_textures(1));
            EXPECT_FALSE(init_scene());
        });
    const auto& boxes = headless_message_boxes();
    ASSERT_EQ(boxes.size(), 3u); // the question, then one per attempt
    EXPECT_EQ(boxes[1].caption, "Error");
    EXPECT_EQ(boxes[1].text, "Unknown DIB file format.\ntext/poll001.bmp");
}

TEST_F(AssetsGl, TheFontHasNinetySixListsAndRebuildingReplacesThem) {
    ASSERT_NE(font_list_base, 0u);
    for (int i = 0; i < FONT_GLYPH_COUNT; ++i) EXPECT_TRUE(glIsList(font_list_base + static_cast<GLuint>(i)));
    for (int i = 0; i < 50; ++i) build_font();
    int lists = 0;
    for (GLuint name = 1; name < 96 * 60; ++name) lists += glIsList(name) ? 1 : 0;
    EXPECT_EQ(lists, FONT_GLYPH_COUNT);
}

TEST_F(AssetsGl, PrintTextDrawsTheFormattedLineAndRestoresTheListBase) {
    const std::vector<unsigned char> fps = printed("FPS     : %0.1f", 59.94);
    EXPECT_EQ(fps, printed("FPS     : 59.9", 0));
    EXPECT_NE(fps, printed("FPS     : %0.1f", 59.84));

    // Lit pixels from the first column to the end of the 14th character, none after.
    int first = 512, last = -1;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 512; ++x)
            if (fps[(static_cast<size_t>(y) * 512 + x) * 3] > 128) {
                first = std::min(first, x);
                last = std::max(last, x);
            }
    EXPECT_LE(first, 10);
    EXPECT_GT(last, 1 + 13 * 22);
    EXPECT_LT(last, 1 + 14 * 22);

    glListBase(7);
    printed("FPS     : %0.1f", 1.0);
    print_text(1, 20, nullptr);
    GLint base = 0;
    glGetIntegerv(GL_LIST_BASE, &base);
    EXPECT_EQ(base, 7);
    EXPECT_EQ(printed(nullptr, 0), printed("", 0)); // a null format draws nothing
}
