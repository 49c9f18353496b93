// Damaged and hostile data: a failed texture set on a world change, one decode per file
// however many slots use it, level numbers beyond their types, data files that are no
// regular files, and the headless cursor.
#include "app/input.h"
#include "app/program.h"
#include "app/window.h"
#include "assets/level.h"
#include "assets/textures.h"
#include "nav/player.h"
#include "nav/worlds.h"
#include "render/hud.h"
#include "render/visible_sets.h"
#include "support.h"
#include "render/view.h"
#include "nav/keys.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class DamagedData : public ::testing::Test {
protected:
    void SetUp() override { reset_everything(); }
    void TearDown() override {
        reset_everything();
        if (!home.empty()) fs::current_path(home);
        if (!dir.empty()) fs::remove_all(dir);
    }
    // Works in a copy of text/ changed by edit.
    template <typename Edit> void use_changed_data(Edit edit) {
        // Test cases may run at once in separate processes: a directory of their own.
        dir = fs::path(::testing::TempDir()) /
              ("damaged_data_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + "_" +
               std::to_string(getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
        fs::copy("text", dir / "text", fs::copy_options::recursive);
        edit(dir / "text");
        home = fs::current_path();
        fs::current_path(dir);
    }
    fs::path dir, home;
};

std::string level_message(const std::string& text) {
    FILE* stream = fmemopen(const_cast<char*>(text.data()), text.size(), "r");
    load_level_from(stream, "test.txt");
    fclose(stream);
    const auto& boxes = headless_message_boxes();
    return boxes.empty() ? "" : boxes.back().text;
}

// The triangle count a level file declares on its NUMPOLLIES line.
int declared_triangles(const char* path) {
    std::ifstream file(path);
    for (std::string word; file >> word;)
        if (word == "NUMPOLLIES") {
            int count = -1;
            file >> count;
            return count;
        }
    return -1;
}

// Puts a FIFO or a directory where a data file was. A FIFO nobody writes to would hold a
// blocking open() for ever; a directory opens and then reads as nothing.
void replace_with_no_file(const fs::path& file, bool fifo) {
    fs::remove(file);
    if (fifo) ASSERT_EQ(mkfifo(file.c_str(), 0600), 0) << file;
    else fs::create_directory(file);
}

int boxes_saying(const std::string& text) {
    int count = 0;
    for (const RecordedMessageBox& box : headless_message_boxes()) count += box.text == text ? 1 : 0;
    return count;
}

} // namespace

TEST_F(DamagedData, AFailedSetOnAWorldChangeShowsThatWorldsLevelUntextured) {
    // One town picture truncated to 0 bytes: the town's own level, not the hall's 44
    // triangles, and a box that says the world has no textures.
    use_changed_data([](const fs::path& text) { std::ofstream(text / "stena1011.bmp", std::ios::trunc); });
    ASSERT_TRUE(start_windowed_program());
    const int hall_triangles = level_mesh.count;
    player.x = -6.5f, player.z = -7, player.eye_height = 0.59f;
    headless_push_event(key_event(true, Key::Up));
    run_frames(3);
    ASSERT_EQ(current_world(), 2);
    EXPECT_NE(level_mesh.count, hall_triangles);
    EXPECT_EQ(level_mesh.count, declared_triangles("text/level2.txt"));
    EXPECT_TRUE(textures.texture_set_blank);
    for (GLuint name : textures.texture_names) EXPECT_TRUE(glIsTexture(name));
    EXPECT_EQ(boxes_saying("Failed to open DIB file text/stena1011.bmp.\n"), 1);
    EXPECT_EQ(boxes_saying("The pictures of world 2 could not all be read.\nThe world is shown without its textures."),
              1);
    EXPECT_TRUE(program.running);

    // Back home the real set loads again.
    player.x = -76, player.z = 19.4f, player.eye_height = 0.58f;
    run_frames(3);
    if (current_world() == 1) {
        EXPECT_FALSE(textures.texture_set_blank);
        EXPECT_TRUE(textures.texture_set_loaded);
    }
}

TEST_F(DamagedData, AFileInManySlotsIsDecodedOnce) {
    // vitraj102.bmp fills nine slots of world 2: one decode, so one reader message.
    ASSERT_TRUE(start_windowed_program());
    use_changed_data([](const fs::path& text) {
        std::ofstream(text / "vitraj102.bmp", std::ios::binary | std::ios::trunc) << "BM not a bitmap at all";
    });
    EXPECT_FALSE(load_textures(2));
    EXPECT_EQ(boxes_saying("Unknown DIB file format.\ntext/vitraj102.bmp"), 1);
}

TEST_F(DamagedData, AHugePictureIsRefusedWithTheReadersOutOfMemoryBox) {
    // 1,080 bytes of RLE8 that claim 16384 x 2048 in the picture of nine town slots.
    ASSERT_TRUE(start_windowed_program());
    use_changed_data([](const fs::path& text) {
        std::string file(1080, '\0');
        const auto put32 = [&](size_t at, uint32_t v) {
            for (int i = 0; i < 4; ++i) file[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
        };
        file[0] = 'B', file[1] = 'M';
        put32(2, 1080);
        put32(10, 14 + 40 + 8);
        put32(14, 40);
        put32(18, 16384);
        put32(22, 2048);
        file[26] = 1, file[28] = 8; // planes, bits
        put32(30, 1);               // RLE8
        put32(46, 2);               // two colours
        std::ofstream(text / "vitraj102.bmp", std::ios::binary | std::ios::trunc) << file;
    });
    EXPECT_FALSE(load_textures(2));
    EXPECT_EQ(boxes_saying("Out of memory.\ntext/vitraj102.bmp"), 1);
}

TEST_F(DamagedData, DataFilesThatAreNoRegularFilesAreRefusedAsMissingOnes) {
    // Each world's first picture, its level and its visible sets: a FIFO in world 1 and 2's
    // sets, a directory in world 3's. Refused at once, with the box a missing file gives.
    ASSERT_TRUE(start_windowed_program());
    use_changed_data([](const fs::path& text) {
        replace_with_no_file(text / "stena001.bmp", true);
        replace_with_no_file(text / "level.txt", true);
        replace_with_no_file(text / "stena1011.bmp", false);
        replace_with_no_file(text / "level2.txt", false);
        replace_with_no_file(text / "visible2.txt", true);
        replace_with_no_file(text / "visible3.txt", false);
    });
    EXPECT_FALSE(load_textures(1));
    EXPECT_EQ(boxes_saying("Cannot open the texture file text/stena001.bmp."), 1);
    EXPECT_FALSE(load_textures(2));
    EXPECT_EQ(boxes_saying("Cannot open the texture file text/stena1011.bmp."), 1);
    EXPECT_EQ(boxes_saying("Failed to open DIB file text/stena1011.bmp.\n"), 0); // as for a missing one

    load_level(1);
    EXPECT_EQ(boxes_saying("Cannot open the level file text/level.txt."), 1);
    EXPECT_EQ(level_mesh.count, 0);
    load_level(2);
    EXPECT_EQ(boxes_saying("Cannot open the level file text/level2.txt."), 1);
    EXPECT_EQ(level_mesh.count, 0);

    ::testing::internal::CaptureStderr();
    load_visible_sets(2); // drawn whole, as without the file, and said
    EXPECT_EQ(visible_sets.world, 0);
    load_visible_sets(3);
    EXPECT_EQ(visible_sets.world, 0);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "zeb: text/visible2.txt cannot be used (not a regular file): world 2 is drawn whole\n"
              "zeb: text/visible3.txt cannot be used (not a regular file): world 3 is drawn whole\n");
    EXPECT_TRUE(program.running);
}

TEST_F(DamagedData, AMissingOrMismatchedVisibleSetFileIsSaidInOneLine) {
    // Without its sets the town draws whole, many times the frame's cost: never silently.
    ASSERT_TRUE(start_windowed_program());
    use_changed_data([](const fs::path& text) {
        fs::remove(text / "visible2.txt");
        std::ofstream(text / "visible3.txt", std::ios::trunc) << "visible-sets 1\nworld 2\n";
    });
    ::testing::internal::CaptureStderr();
    load_visible_sets(2);
    load_visible_sets(3);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "zeb: text/visible2.txt cannot be used (No such file or directory): world 2 is drawn whole\n"
              "zeb: text/visible3.txt cannot be used (line 2: made for another world): world 3 is drawn whole\n");
    EXPECT_EQ(visible_sets.world, 0);
}

TEST_F(DamagedData, LevelCountsAndNumbersBeyondTheirTypesAreNamedNotWrapped) {
    EXPECT_EQ(level_message("NUMPOLLIES 99999999999999999999\n1\n"),
              "Level file test.txt, line 1: 99999999999999999999 triangles cannot be in this file.");
    EXPECT_EQ(level_mesh.count, 0);
    EXPECT_EQ(level_message("NUMPOLLIES 4294967297\n1\n"),
              "Level file test.txt, line 1: 4294967297 triangles cannot be in this file.");
    EXPECT_EQ(level_message("NUMPOLLIES 1\n0x1FFFFFFFF\n0 0 0 0 0\n1 0 0 1 0\n0 0 1 0 1\n"),
              "Level file test.txt, line 2: the texture slot is out of range.");
    EXPECT_EQ(level_message("NUMPOLLIES 1\n1\n0 0 0 0 0\n1e39 0 0 1 0\n0 0 1 0 1\n"),
              "Level file test.txt, line 4: a vertex number is out of range.");
    EXPECT_EQ(level_message("NUMPOLLIES 1\n1\n0 0 0 0 0\n1 0 nan 1 0\n0 0 1 0 1\n"),
              "Level file test.txt, line 4: a vertex number is out of range.");
    // In range, every form %d, %i and %f read still reads.
    const size_t before = headless_message_boxes().size();
    level_message("NUMPOLLIES   1\n-2147483648\n-1.5e3 0x10 .5 1 0\n1 0 0 1 0\n0 0 1 0 1\n");
    EXPECT_EQ(headless_message_boxes().size(), before);
    ASSERT_EQ(level_mesh.count, 1);
    EXPECT_EQ(level_mesh.triangles[0].slot, INT32_MIN);
    EXPECT_FLOAT_EQ(level_mesh.triangles[0].vertex[0].x, -1500);
    EXPECT_FLOAT_EQ(level_mesh.triangles[0].vertex[0].y, 16);
    EXPECT_FLOAT_EQ(level_mesh.triangles[0].vertex[0].z, 0.5f);
    free_level();
}

TEST_F(DamagedData, TheHeadlessCursorSaturatesInsteadOfOverflowing) {
    headless_move_cursor(INT_MAX, INT_MIN);
    headless_move_cursor(INT_MAX, INT_MIN);
    int x = 0, y = 0;
    platform_get_cursor_pos(&x, &y);
    EXPECT_EQ(x, 1 << 20);
    EXPECT_EQ(y, -(1 << 20));
}

TEST_F(DamagedData, AnUnshownBoxTakesTheAnswerThatKeepsTheUserWorking) {
    // The start-up question unshown: windowed. Then F1 without window.fullscreen: the unshown
    // "Use windowed mode instead?" is Yes, so the program goes on, windowed.
    headless_queue_answer(HEADLESS_UNSHOWN);
    ASSERT_TRUE(program_start());
    EXPECT_FALSE(window.fullscreen);
    headless_queue_answer(HEADLESS_UNSHOWN);
    headless_push_event(key_event(true, Key::F1));
    run_frames(2);
    EXPECT_TRUE(program.running);
    EXPECT_FALSE(window.fullscreen);
    const auto& boxes = headless_message_boxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_FALSE(boxes[0].shown);
    EXPECT_EQ(boxes[0].answer, IDNO);
    EXPECT_FALSE(boxes[1].shown);
    EXPECT_EQ(boxes[1].answer, IDYES);
}

TEST_F(DamagedData, FullscreenCoversTheDesktopAndTheViewFollows) {
    headless_set_display_mode_available(true);
    headless_queue_answer(IDYES);
    ASSERT_TRUE(program_start());
    EXPECT_TRUE(window.fullscreen);
    EXPECT_EQ(headless_message_boxes().size(), 1u); // no "not supported" box
    EXPECT_EQ(view.view_width, DESKTOP_WIDTH);
    EXPECT_EQ(view.view_height, DESKTOP_HEIGHT);
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], DESKTOP_WIDTH);
    EXPECT_EQ(viewport[3], DESKTOP_HEIGHT);
    headless_push_event(key_event(true, Key::F1));
    run_frames(1);
    EXPECT_FALSE(window.fullscreen);
    EXPECT_EQ(view.view_width, 1024);
    EXPECT_EQ(view.view_height, 768);
}

TEST_F(DamagedData, AFailedStartExitsNonZero) {
    headless_fail_step(HeadlessStep::CreateContext, true);
    EXPECT_FALSE(program_start());
    EXPECT_TRUE(program.exited);
    EXPECT_EQ(program.exit_code, EXIT_OPEN_FAILED);
}

namespace {
// Lit pixels of the HUD text alone in a GL rectangle (origin bottom left).
int lit_text_pixels(int x, int y, int width, int height) {
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glDisable(GL_DEPTH_TEST);
    begin_overlay();
    draw_hud_text();
    end_overlay();
    glEnable(GL_DEPTH_TEST);
    std::vector<unsigned char> rgb(static_cast<size_t>(width) * height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, width, height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    int lit = 0;
    for (size_t i = 0; i < rgb.size(); i += 3) lit += rgb[i] > 128 ? 1 : 0;
    return lit;
}
} // namespace

TEST_F(DamagedData, TheHudKeepsItsCornersInAFullscreenView) {
    headless_set_display_mode_available(true);
    headless_queue_answer(IDYES);
    ASSERT_TRUE(program_start());
    ASSERT_EQ(view.view_width, DESKTOP_WIDTH);
    // The bottom-right readouts sit 79 px from the right edge and 19 and 59 px above
    // the bottom, as in 1024 x 768; the bottom-left ones 55 px from the left.
    EXPECT_GT(lit_text_pixels(DESKTOP_WIDTH - 80, 0, 80, 80), 0);
    EXPECT_GT(lit_text_pixels(55, 0, 80, 80), 0);
    // Nothing where the 1024 x 768 coordinates would have put them in this view.
    EXPECT_EQ(lit_text_pixels(945, DESKTOP_HEIGHT - 760, 80, 60), 0);
}
