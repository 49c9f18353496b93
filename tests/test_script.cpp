// zeb-replay's script lines: the forms each command takes, and numbers clamped to what
// they set rather than wrapped or left undefined; zeb --play's reading of a recording;
// the JSON zeb-replay prints.
#include "platform/headless.h"
#include "platform/script_input.h"
#include "platform/write_behind.h"
#include "platform/script.h"
#include "tools/replay/json.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <string>
#include <thread>
#include <vector>

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
    EXPECT_EQ(parsed("key F12 down").key, Key::F12);
    EXPECT_EQ(parsed("tap 0x26").key, Key::Up); // the numbers older recordings wrote
    EXPECT_EQ(parsed("key 38 up").key, Key::Up);
    EXPECT_EQ(parsed("key 8 down").key, Key::Digit8); // a name before a number
    EXPECT_EQ(parsed("tap 255").key, Key::Unknown);   // no key's number: ignored, not refused
    EXPECT_EQ(parsed("calibrate magnified 20").count, 20);
    EXPECT_EQ(parsed("pad leftx -1e9").ints, (std::vector<int>{PAD_AXIS_MIN})); // an axis's own range
    EXPECT_EQ(parsed("pad righttrigger 40000").ints, (std::vector<int>{PAD_AXIS_MAX}));
    EXPECT_EQ(parsed("pad lefty nan").ints, (std::vector<int>{0}));
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
    EXPECT_EQ(refused("calibrate 20 clear"), "usage: calibrate KIND N");
    EXPECT_EQ(refused("jump 3"), "unknown command \"jump\"");
    const std::string pad_usage = "usage: pad BUTTON down|up, or pad AXIS VALUE";
    EXPECT_EQ(refused("pad a 1000"), pad_usage);     // a button goes down or up
    EXPECT_EQ(refused("pad leftx down"), pad_usage); // an axis takes a value
    EXPECT_EQ(refused("pad A down"), pad_usage);     // names are SDL's, case and all
    EXPECT_EQ(refused("pad paddle1 down"), pad_usage);
    EXPECT_EQ(refused("pad start"), pad_usage);
}

// Every key has one name and one number, and a key's name, its number and the line a
// recording writes for it all read back as that key: a key that read back as another
// would replay a recording wrongly.
TEST(Script, EveryKeyReadsBackAsItselfByNameNumberAndRecordedLine) {
    std::vector<int> numbers;
    for (size_t i = 1; i < KEY_COUNT; ++i) {
        const Key key = static_cast<Key>(i);
        const std::string name = key_name(key);
        ASSERT_FALSE(name.empty()) << i;
        EXPECT_EQ(key_named(name.c_str()), key) << name;
        EXPECT_EQ(name.find_first_of(" \t#"), std::string::npos) << name << " is no single script word";
        Key read = Key::Unknown;
        EXPECT_TRUE(parse_key(std::to_string(script_key_number(key)), &read));
        if (script_key_number(key) >= 10) { // 0 to 9 name the digits
            EXPECT_EQ(read, key) << name;
        }
        numbers.push_back(script_key_number(key));
        for (const bool down : {true, false}) {
            InputEvent event;
            ASSERT_TRUE(script_input_event(parsed(script_line_of(key_event(down, key))), &event)) << name;
            EXPECT_EQ(event.kind, down ? InputKind::KeyDown : InputKind::KeyUp) << name;
            EXPECT_EQ(event.key, key) << name;
            InputEvent system = key_event(down, key);
            system.kind = down ? InputKind::SystemKeyDown : InputKind::SystemKeyUp;
            ASSERT_TRUE(script_input_event(parsed(script_line_of(system)), &event)) << name;
            EXPECT_EQ(event.kind, system.kind) << name;
            EXPECT_EQ(event.key, key) << name;
        }
    }
    std::sort(numbers.begin(), numbers.end());
    EXPECT_EQ(std::adjacent_find(numbers.begin(), numbers.end()), numbers.end()) << "two keys share a number";
    EXPECT_EQ(key_named("Numpad10"), Key::Unknown);
    EXPECT_EQ(key_named("up"), Key::Unknown);                     // names are case-sensitive
    EXPECT_EQ(script_line_of(key_event(true, Key::Unknown)), ""); // nothing to replay
    EXPECT_EQ(script_line_of(quit_event(3)), "");
}

// Every controller button and axis has one name, and the line a recording writes for its
// input reads back as that input.
TEST(Script, EveryPadButtonAndAxisReadsBackAsItselfFromItsRecordedLine) {
    std::vector<std::string> names;
    for (size_t b = 0; b < PAD_BUTTON_COUNT; ++b) {
        const PadButton button = static_cast<PadButton>(b);
        names.push_back(pad_button_name(button));
        for (const bool down : {true, false}) {
            InputEvent event;
            const std::string line = script_line_of(pad_button_event(down, button));
            ASSERT_TRUE(script_input_event(parsed(line), &event)) << line;
            EXPECT_EQ(event.kind, down ? InputKind::PadButtonDown : InputKind::PadButtonUp) << line;
            EXPECT_EQ(event.pad_button, button) << line;
        }
    }
    for (size_t a = 0; a < PAD_AXIS_COUNT; ++a) {
        const PadAxis axis = static_cast<PadAxis>(a);
        names.push_back(pad_axis_name(axis));
        for (const int value : {PAD_AXIS_MIN, -1, 0, 12345, PAD_AXIS_MAX}) {
            InputEvent event;
            const std::string line = script_line_of(pad_axis_event(axis, value));
            ASSERT_TRUE(script_input_event(parsed(line), &event)) << line;
            EXPECT_EQ(event.kind, InputKind::PadAxis) << line;
            EXPECT_EQ(event.pad_axis, axis) << line;
            EXPECT_EQ(event.axis_value, value) << line;
        }
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(std::adjacent_find(names.begin(), names.end()), names.end()) << "two inputs share a name";
    EXPECT_EQ(pad_axis_event(PadAxis::LeftX, 99999).axis_value, PAD_AXIS_MAX);
}

// The numbers of a `message` line as recordings hold them, and the events they stand for.
TEST(Script, MessageLinesBecomeTheirEvents) {
    const auto event_of = [](const std::string& text) {
        InputEvent event;
        EXPECT_TRUE(script_input_event(parsed(text), &event)) << text;
        return event;
    };
    const InputEvent resized = event_of("message size 0 39322400"); // 800 | 600 << 16
    EXPECT_EQ(resized.kind, InputKind::Resize);
    EXPECT_EQ(resized.width, 800);
    EXPECT_EQ(resized.height, 600);
    const InputEvent huge = event_of("message size 1e300 -1e300"); // clamped, then its low 32 bits
    EXPECT_EQ(huge.width, 0);
    EXPECT_EQ(huge.height, 0x8000);
    EXPECT_EQ(event_of("message activate 1").kind, InputKind::FocusGained);
    EXPECT_FALSE(event_of("message activate 1").minimised);
    EXPECT_EQ(event_of("message activate 0 0").kind, InputKind::FocusLost);
    EXPECT_TRUE(event_of("message activate 65536").minimised);
    EXPECT_TRUE(event_of("message activate 65537").minimised);
    EXPECT_EQ(event_of("message syscommand 61760").request, SystemRequest::ScreenSaver);
    EXPECT_EQ(event_of("message syscommand 61808").request, SystemRequest::MonitorPower);
    EXPECT_EQ(event_of("message syscommand 61536").request, SystemRequest::Other);
    EXPECT_EQ(event_of("message syskeydown 121").kind, InputKind::SystemKeyDown);
    EXPECT_EQ(event_of("message syskeydown 121").key, Key::F10);
    EXPECT_EQ(event_of("message syskeyup 18").key, Key::Alt);
    EXPECT_EQ(event_of("message close").kind, InputKind::Close);
    EXPECT_EQ(event_of("button right up").button, MouseButton::Right);
    InputEvent event;
    EXPECT_FALSE(script_input_event(parsed("message paint 0 0"), &event));
    EXPECT_FALSE(script_input_event(parsed("key A sideways"), &event));
    EXPECT_FALSE(script_input_event(parsed("button middle down"), &event));
    EXPECT_FALSE(script_input_event(parsed("frames 2"), &event));

    // What a backend hands over is recorded as the line that reads back as the same event.
    InputEvent monitor_off;
    monitor_off.kind = InputKind::System;
    monitor_off.request = SystemRequest::MonitorPower;
    const InputEvent made[] = {resize_event(1920, 1080),     resize_event(0, 0),
                               focus_event(true, false),     focus_event(false, true),
                               focus_event(false, false),    button_event(true, MouseButton::Left),
                               InputEvent{InputKind::Close}, monitor_off};
    for (const InputEvent& m : made) {
        const std::string line = script_line_of(m);
        const InputEvent back = event_of(line);
        EXPECT_EQ(back.kind, m.kind) << line;
        EXPECT_EQ(back.width, m.width) << line;
        EXPECT_EQ(back.height, m.height) << line;
        EXPECT_EQ(back.minimised, m.minimised) << line;
        EXPECT_EQ(back.button, m.button) << line;
        EXPECT_EQ(back.request, m.request) << line;
    }
}

TEST(Script, ARecordingIsPlayedOnlyFromARegularFile) {
    namespace fs = std::filesystem;
    const fs::path dir = fs::path(::testing::TempDir()) / ("script_input_" + std::to_string(getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    std::ofstream(dir / "session.replay") << "mode windowed\nframes 2\nstate\nexpect world == 1\n";
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

namespace {

// zeb --play's verdict on a recording with this text, at `path`: the empty string when
// it would play, else the reason given.
std::string play_refusal(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
    std::string why;
    int answer = 0;
    return script_input_load(path.c_str(), &why, &answer) ? "" : why;
}

} // namespace

// A recording is played only whole: one without its final state, cut within a line or
// before its checks, would play and then check nothing. Every refusal names the file and
// the line, and quotes the text short and printable.
TEST(Script, ARecordingIsRefusedUnlessWholeAndTheRefusalIsSafeToPrint) {
    const std::string path = ::testing::TempDir() + "recording_" + std::to_string(getpid()) + ".replay";
    const std::string body = "# A session of zeb, recorded: x\nmode windowed\nframes 2\n";
    EXPECT_EQ(play_refusal(path, body + "state\nexpect world == 1\n"), "");
    const struct {
        std::string text, refusal;
        // clang-format off
    } cases[] = {
        {"", path + ":0: the recording ends without its final state (no `state` line): it was cut"},
        {body, path + ":3: the recording ends without its final state (no `state` line): it was cut"},
        {body + "state\n", path + ":4: the recording ends before the checks of its final state: it was cut"},
        {body + "state\nexpect world == 1", path + ":5: the recording ends within a line: it was cut: \"expect world == 1\""},
        {body + "expect world == 1\nstate\nexpect world == 1\n",
         path + ":4: a recording's `expect` lines come last, after its one `state` line: \"expect world == 1\""},
        {body + "state\nexpect world == 1\nframes 1\n",
         path + ":6: a recording's `expect` lines come last, after its one `state` line: \"frames 1\""},
        {body + "shot x.png\nstate\nexpect world == 1\n", path + ":4: not a line of a recording: \"shot x.png\""},
        // What reaches a terminal: escapes written out, a long line cut to 40 characters.
        {body + "mouse \x1b[2J\x07 1\n", path + ":4: usage: mouse DX DY: \"mouse \\x1b[2J\\x07 1\""},
        {body + "mouse 1 " + std::string(3000, '9') + "x\n",
         path + ":4: usage: mouse DX DY: \"mouse 1 " + std::string(32, '9') + "...\""},
        {body + "frames " + std::string(5000, '1') + "\n",
         path + ":4: a line longer than 4096 bytes: \"frames " + std::string(33, '1') + "...\""},
    };
    // clang-format on
    for (const auto& c : cases) {
        EXPECT_EQ(play_refusal(path, c.text), c.refusal) << script_quote(c.text, 0);
        EXPECT_FALSE(script_input_active());
    }
    std::filesystem::remove(path);
}

// The recorder's header makes a script a recording for zeb-replay too; a script without it
// (a journey) needs no final state.
TEST(Script, OnlyARecordingMustEndWithItsFinalState) {
    const auto read_all = [](const std::string& text, std::string* error) {
        FILE* stream = fmemopen(const_cast<char*>(text.data()), text.size(), "r");
        ScriptReader reader;
        script_reader_attach(stream, "s", &reader);
        ScriptLine line;
        ScriptRead read;
        while ((read = script_reader_next(&reader, &line, error)) == ScriptRead::Line) {}
        fclose(stream);
        return read;
    };
    std::string error;
    EXPECT_EQ(read_all("frames 1\nkey Up down\nframes 3", &error), ScriptRead::End) << error;
    EXPECT_EQ(read_all("# A session of zeb, recorded: x\nframes 1\n", &error), ScriptRead::Error);
    EXPECT_EQ(error, "s:2: the recording ends without its final state (no `state` line): it was cut");
    EXPECT_EQ(read_all("jump\x1b]0;owned\x07\n", &error), ScriptRead::Error);
    EXPECT_EQ(error, "s:1: unknown command \"jump\\x1b]0;owned\\x07\": \"jump\\x1b]0;owned\\x07\"");
}

// The recorded pointer is clamped as zeb-replay's is, however many steps push it one way:
// summed unclamped, 2,100 steps of 2^20 - 1 pixels overflow an int.
TEST(Script, APlayedPointerIsClampedAsTheReplaysIs) {
    const std::string path = ::testing::TempDir() + "pointer_" + std::to_string(getpid()) + ".replay";
    std::string text;
    for (int i = 0; i < 2100; ++i) text += "mouse 1048575 -1048575\n";
    EXPECT_EQ(play_refusal(path, text + "frames 1\nstate\nexpect world == 1\n"), "");
    InputEvent event;
    while (script_input_next_event(&event)) {}
    int x = 0, y = 0;
    script_input_get_cursor(&x, &y);
    EXPECT_EQ(x, SCRIPT_PIXEL_LIMIT);
    EXPECT_EQ(y, -SCRIPT_PIXEL_LIMIT);
    std::filesystem::remove(path);
}

namespace {

// Four loop iterations of the core as the program makes them, with `between(frame)` run
// before each: what the user does meanwhile. Returns everything the core was handed.
// An event as the test compares it: every field.
std::string described(const InputEvent& e) {
    return "event " + std::to_string(static_cast<int>(e.kind)) + " " + key_name(e.key) + " " +
           std::to_string(static_cast<int>(e.button)) + " " + std::to_string(e.width) + "x" + std::to_string(e.height) +
           (e.minimised ? " minimised " : " ") + std::to_string(static_cast<int>(e.request)) + " " +
           std::to_string(e.exit_code) + " " + pad_button_name(e.pad_button) + " " + pad_axis_name(e.pad_axis) + " " +
           std::to_string(e.axis_value);
}

template <typename Between> std::vector<std::string> core_session(Between between) {
    std::vector<std::string> seen;
    seen.push_back(platform_change_display_mode(640, 480, 32) ? "fullscreen possible" : "no fullscreen");
    platform_set_cursor_pos(320, 240);
    for (int frame = 1; frame <= 4; ++frame) {
        between(frame);
        seen.push_back("frame " + std::to_string(frame));
        InputEvent e;
        while (platform_poll_event(&e)) seen.push_back(described(e));
        int x = 0, y = 0;
        platform_get_cursor_pos(&x, &y);
        seen.push_back("cursor " + std::to_string(x) + " " + std::to_string(y));
        seen.push_back(platform_has_focus() ? "focus" : "no focus");
        if (frame == 2) {
            seen.push_back("answer " + std::to_string(platform_message_box("Go on?", "Q", MB_YESNO)));
            seen.push_back("answer " + std::to_string(platform_message_box("Again?", "Q", MB_YESNO, IDYES)));
        }
        platform_swap_buffers();
    }
    const PlatformActivity activity = platform_activity();
    seen.push_back("boxes " + std::to_string(activity.message_boxes) + " unshown " +
                   std::to_string(activity.unshown_message_boxes));
    return seen;
}

} // namespace

// A session recorded over a backend writes the script zeb-replay plays, line for line, and
// played back over the same backend it hands the core the same inputs, whatever the user
// does meanwhile: only Escape still comes through.
TEST(RecordPlay, ARecordedSessionPlaysBackToTheSameInputs) {
    const std::string path = ::testing::TempDir() + "record_play_" + std::to_string(getpid()) + ".replay";
    headless_reset();
    headless_set_display_mode_available(true);
    headless_set_desktop(1920, 1080);
    headless_queue_answer(IDYES);
    headless_queue_answer(HEADLESS_UNSHOWN);
    char why[512] = "";
    ASSERT_TRUE(platform_record_start(path.c_str(), IDNO, why, sizeof why)) << why;
    const std::vector<std::string> recorded = core_session([](int frame) {
        if (frame == 1) {
            headless_push_event(key_event(true, Key::W));
            InputEvent f10 = key_event(true, Key::F10);
            f10.kind = InputKind::SystemKeyDown;
            headless_push_event(f10);
            headless_push_event(resize_event(800, 600));
        }
        if (frame == 2) {
            headless_push_event(key_event(false, Key::W));
            headless_push_event(button_event(true, MouseButton::Right));
            headless_push_event(pad_button_event(true, PadButton::LeftShoulder));
            headless_push_event(pad_axis_event(PadAxis::LeftY, -12000));
            headless_move_cursor(5, -3);
            headless_set_focus(false);
        }
    });
    platform_record_line("frames 1");
    platform_record_line("state");
    platform_record_line("expect world == 1");
    ASSERT_TRUE(platform_record_stop(why, sizeof why)) << why;
    std::ifstream in(path);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}),
              "# A session of zeb, recorded: `zeb-replay FILE` plays it headless and checks the final state.\n"
              "mode windowed\n"
              "desktop 1920 1080\n"
              "displaymode yes\n"
              "key W down\n"
              "message syskeydown 121 0\n"
              "message size 0 39322400\n"
              "frames 1\n"
              "key W up\n"
              "button right down\n"
              "pad leftshoulder down\n"
              "pad lefty -12000\n"
              "mouse 5 -3\n"
              "focus no\n"
              "answer yes\n"
              "answer unshown\n"
              "frames 3\n"
              "frames 1\n"
              "state\n"
              "expect world == 1\n");

    headless_reset();
    headless_set_display_mode_available(true); // the desktop is the player's own
    headless_set_desktop(1920, 1080);
    int startup_answer = 0;
    ASSERT_TRUE(platform_play_start(path.c_str(), &startup_answer, why, sizeof why)) << why;
    EXPECT_EQ(startup_answer, IDNO);
    std::vector<std::string> played = core_session([](int frame) {
        headless_push_event(key_event(true, Key::Q)); // the user's keys, pointer, focus and
        headless_move_cursor(40, 40);                 // answers do not count while it plays
        headless_set_focus(frame % 2 == 0);
        headless_queue_answer(IDNO);
        if (frame == 3) headless_push_event(key_event(true, Key::Escape));
    });
    std::vector<std::string> expected = recorded;
    const auto frame_3 = std::find(expected.begin(), expected.end(), "frame 3");
    ASSERT_NE(frame_3, expected.end());
    expected.insert(frame_3 + 1, described(key_event(true, Key::Escape)));
    EXPECT_EQ(played, expected);
    InputEvent m; // the loop's last iteration, the recording's final `frames 1`
    EXPECT_FALSE(platform_poll_event(&m));
    platform_swap_buffers();
    EXPECT_FALSE(platform_poll_event(&m));
    EXPECT_FALSE(script_input_active()) << "the recording did not play to its end";
    EXPECT_TRUE(headless_message_boxes().empty()) << "a played box was shown";
    headless_reset();
    std::filesystem::remove(path);
}

// A recording's `setting` lines go to the core, with their numbers for a refusal to name,
// and are no inputs: what plays is the same as without them.
TEST(RecordPlay, ARecordingsSettingsAreHandedOverAndNotPlayed) {
    const std::string path = ::testing::TempDir() + "settings_" + std::to_string(getpid()) + ".replay";
    std::ofstream(path) << "# A session of zeb, recorded: x\n"
                           "mode windowed\n"
                           "setting mouse_sensitivity 1.5\n"
                           "setting bind Space jump\n"
                           "key Space down\n"
                           "frames 1\n"
                           "state\n"
                           "expect world == 1\n";
    EXPECT_EQ(refused("setting start"), "usage: setting NAME VALUE | setting bind KEY ACTION");
    headless_reset();
    int answer = 0;
    char why[512] = "";
    ASSERT_TRUE(platform_play_start(path.c_str(), &answer, why, sizeof why)) << why;
    const PlaySetting* settings = nullptr;
    ASSERT_EQ(platform_play_settings(&settings), 2u);
    EXPECT_EQ(settings[0].line, 3);
    EXPECT_STREQ(settings[0].text, "mouse_sensitivity 1.5");
    EXPECT_EQ(settings[1].line, 4);
    EXPECT_STREQ(settings[1].text, "bind Space jump");
    InputEvent event;
    ASSERT_TRUE(platform_poll_event(&event));
    EXPECT_EQ(event.kind, InputKind::KeyDown);
    EXPECT_EQ(event.key, Key::Space);
    EXPECT_FALSE(platform_poll_event(&event));
    headless_reset();
    EXPECT_EQ(platform_play_settings(&settings), 0u) << "a recording given up keeps its settings";
    // A damaged recording cannot make the player hold settings without bound.
    std::string endless = "# A session of zeb, recorded: x\n";
    for (int i = 0; i < 1025; ++i) endless += "setting start ask\n";
    std::ofstream(path) << endless << "frames 1\nstate\nexpect world == 1\n";
    EXPECT_FALSE(platform_play_start(path.c_str(), &answer, why, sizeof why));
    EXPECT_EQ(std::string(why), path + ":1026: more settings than the program has");
    std::filesystem::remove(path);
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
    json.field("quote\"back\\slash", std::string("tab\tline\nbell\x07"
                                                 "del\x7f"));
    json.field("utf8", std::string("caf\xc3\xa9 \xe2\x82\xac"));
    // Bytes of no UTF-8 sequence (Latin-1, a stray continuation, an overlong slash, a
    // truncated sequence at the end) would make the whole line unreadable.
    json.field("bytes", std::string("\xe9"
                                    "a\x80"
                                    "b\xc0\xaf"
                                    "c\xe2\x82"));
    json.field("nan", std::nan(""));
    json.field("inf", -HUGE_VAL);
    json.field("float_nan", std::numeric_limits<float>::quiet_NaN());
    json.field("float", 0.1f);
    json.field("double", 0.25);
    json.key("none");
    json.null();
    json.end_object();
    EXPECT_EQ(json.text(), R"({"quote\"back\\slash":"tab\tline\nbell\u0007del)"
                           "\x7f"
                           R"(",)"
                           R"("utf8":"café €","bytes":"\ufffda\ufffdb\ufffd\ufffdc\ufffd\ufffd",)"
                           R"("nan":null,"inf":null,"float_nan":null,"float":0.1,"double":0.25,"none":null})");
}
