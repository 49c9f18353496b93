// zeb-replay's script lines: the forms each command takes, and numbers clamped to what
// they set rather than wrapped or left undefined; zeb --play's reading of a recording;
// the JSON zeb-replay prints.
#include "platform/script_input.h"
#include "tools/replay/json.h"
#include "tools/replay/script.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <string>

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

// What `state`, `census`, `probe` and `bench` print goes through this writer: every line
// must be one JSON value a strict reader accepts.
TEST(ReplayJson, MembersAfterAnEmptyOrNestedContainerAreSeparated) {
    JsonWriter json;
    json.begin_object();
    json.field("a", 1);
    json.begin_array("empty");
    json.end_array();
    json.begin_array("nested");
    json.begin_array();
    json.value("x");
    json.end_array();
    json.begin_array();
    json.begin_object();
    json.field("k", true);
    json.end_object();
    json.end_array();
    json.end_array();
    json.begin_array("last");
    json.value(2);
    json.end_array();
    json.end_object();
    EXPECT_EQ(json.text(), R"({"a":1,"empty":[],"nested":[["x"],[{"k":true}]],"last":[2]})");
}

TEST(ReplayJson, StringsAreEscapedAndNumbersFinite) {
    JsonWriter json;
    json.begin_object();
    json.field("quote\"back\\slash", std::string("tab\tline\nbell\x07" "del\x7f"));
    json.field("utf8", std::string("caf\xc3\xa9 \xe2\x82\xac"));
    // Bytes of no UTF-8 sequence (Latin-1, a stray continuation, an overlong slash, a
    // truncated sequence at the end) would make the whole line unreadable.
    json.field("bytes", std::string("\xe9" "a\x80" "b\xc0\xaf" "c\xe2\x82"));
    json.field("nan", std::nan(""));
    json.field("inf", -HUGE_VAL);
    json.field("float_nan", std::numeric_limits<float>::quiet_NaN());
    json.field("float", 0.1f);
    json.field("double", 0.25);
    json.key("none");
    json.null();
    json.end_object();
    EXPECT_EQ(json.text(), R"({"quote\"back\\slash":"tab\tline\nbell\u0007del)" "\x7f" R"(",)"
                           R"("utf8":"café €","bytes":"\ufffda\ufffdb\ufffd\ufffdc\ufffd\ufffd",)"
                           R"("nan":null,"inf":null,"float_nan":null,"float":0.1,"double":0.25,"none":null})");
}
