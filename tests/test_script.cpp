// zeb-replay's script lines: the forms each command takes, and numbers clamped to what
// they set rather than wrapped or left undefined; zeb --play's reading of a recording.
#include "platform/script_input.h"
#include "platform/write_behind.h"
#include "tools/replay/script.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include <sys/stat.h>
#include <unistd.h>

namespace {

ScriptLine parsed(const std::string& text) {
    ScriptLine line;
    std::string error;
    EXPECT_TRUE(parse_script_line(text, &line, &error)) << text << ": " << error;
    return line;
}

std::string refused(const std::string& text) {
    ScriptLine line;
    std::string error;
    EXPECT_FALSE(parse_script_line(text, &line, &error)) << text;
    return error;
}

} // namespace

TEST(Script, NumbersAreClampedToWhatTheySet) {
    const ScriptLine cursor = parsed("cursor 1e30 -inf");
    EXPECT_EQ(cursor.ints[0], SCRIPT_PIXEL_LIMIT);
    EXPECT_EQ(cursor.ints[1], -SCRIPT_PIXEL_LIMIT);
    EXPECT_EQ(parsed("probe nan 12.9").ints, (std::vector<int>{0, 12}));
    const ScriptLine place = parsed("place 1e40 -1e300 nan 3 4 # comment");
    EXPECT_EQ(place.floats, (std::vector<float>{FLT_MAX, -FLT_MAX, 0, 3, 4}));
    EXPECT_EQ(parsed("message size 1e300 -1e300").wides, (std::vector<double>{4294967295.0, -2147483648.0}));
    EXPECT_EQ(parsed("frames 12").count, 12);
    EXPECT_EQ(parsed("key F12 down").ints[0], 123);
    EXPECT_EQ(parsed("tap 0x26").ints[0], 38);
    EXPECT_EQ(parsed("expect_message a\\nb \\\\ c").text, "a\nb \\ c");
    EXPECT_TRUE(parsed("   # only a comment").command.empty());
}

TEST(Script, LinesOutOfTheirFormAreRefusedWithTheUsage) {
    EXPECT_EQ(refused("viewport 0 -3"), "usage: viewport W H (1 to 8192 pixels each)");
    EXPECT_EQ(refused("viewport 8193 10"), "usage: viewport W H (1 to 8192 pixels each)");
    EXPECT_EQ(refused("place 1 2"), "usage: place X Z EYE [HEADING PITCH]");
    EXPECT_EQ(refused("place 1 2 3 4"), "usage: place X Z EYE [HEADING PITCH]");
    EXPECT_EQ(refused("frames -1"), "usage: frames N");
    EXPECT_EQ(refused("mouse 1 two"), "usage: mouse DX DY");
    EXPECT_EQ(refused("key F13 down"), "usage: key NAME down|up");
    EXPECT_EQ(refused("tap 256"), "usage: tap NAME");
    EXPECT_EQ(refused("state now"), "usage: state");
    EXPECT_EQ(refused("jump 3"), "unknown command \"jump\"");
}

TEST(Script, ARecordingIsPlayedOnlyFromARegularFile) {
    namespace fs = std::filesystem;
    const fs::path dir = fs::path(::testing::TempDir()) / ("script_input_" + std::to_string(getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    std::ofstream(dir / "session.replay") << "mode windowed\nframes 2\nexpect world == 1\n";
    std::string why;
    int answer = 0;
    EXPECT_TRUE(script_input_load((dir / "session.replay").c_str(), &why, &answer)) << why;
    EXPECT_EQ(answer, IDNO);
    EXPECT_EQ(script_input_checks().size(), 1u);

    // A FIFO nobody writes to would hold zeb's start for ever; a directory would play as
    // an empty recording. Both are refused by name.
    ASSERT_EQ(mkfifo((dir / "fifo.replay").c_str(), 0600), 0);
    fs::create_directory(dir / "directory.replay");
    for (const char* name : {"fifo.replay", "directory.replay"}) {
        const std::string path = (dir / name).string();
        EXPECT_FALSE(script_input_load(path.c_str(), &why, &answer)) << path;
        EXPECT_EQ(why, "cannot read " + path + ": not a regular file");
        EXPECT_FALSE(script_input_active());
    }
    fs::remove_all(dir);
}

namespace {

size_t open_descriptors() {
    size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) ++count;
    return count;
}

} // namespace

// A recording that cannot be written must be known while the user still plays: the writer
// reports the first failed write itself, not only at the close, and keeps no handle.
TEST(Script, ARecordingThatCannotBeWrittenFailsAtItsFirstWrite) {
    const size_t descriptors = open_descriptors();
    std::string why;
    ASSERT_TRUE(write_behind_open("/dev/full", &why)) << why;
    write_behind_append("# a session\nframes 1\n");
    bool failed = false;
    for (int wait = 0; wait < 1000 && !(failed = write_behind_failed(&why)); ++wait)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_TRUE(failed) << "a write to a full device was not reported before the close";
    EXPECT_EQ(why, "No space left on device");
    write_behind_append("state\n"); // dropped, not piled up
    why.clear();
    EXPECT_FALSE(write_behind_close(&why));
    EXPECT_EQ(why, "No space left on device");
    EXPECT_FALSE(write_behind_is_open());
    EXPECT_EQ(open_descriptors(), descriptors) << "the failed file was left open";

    // A file that takes its data: no failure, and all of it is there after the close.
    const std::string path = ::testing::TempDir() + "write_behind_" + std::to_string(getpid());
    ASSERT_TRUE(write_behind_open(path.c_str(), &why)) << why;
    write_behind_append("frames 1\n");
    write_behind_append("state\n");
    EXPECT_TRUE(write_behind_close(&why));
    EXPECT_FALSE(write_behind_failed(nullptr));
    std::ifstream in(path);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "frames 1\nstate\n");
    std::filesystem::remove(path);
}
