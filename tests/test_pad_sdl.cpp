// The SDL backend's game controllers, driven through SDL's virtual joystick: plugged in
// while the program runs, moved and pressed, pulled out; the events the backend hands the
// core through platform_poll_event, and the lines a recording writes of them. Runs under
// a virtual X server (tests/pad_sdl.sh).
#include "platform/platform.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

// How long a wait may take: each ends as soon as its condition holds, the deadline only
// bounds a failure on a machine loaded several times over.
constexpr auto DEADLINE = std::chrono::seconds(30);

std::string described(const InputEvent& e) {
    if (e.kind == InputKind::PadButtonDown) return std::string("pad ") + pad_button_name(e.pad_button) + " down";
    if (e.kind == InputKind::PadButtonUp) return std::string("pad ") + pad_button_name(e.pad_button) + " up";
    if (e.kind == InputKind::PadAxis)
        return std::string("pad ") + pad_axis_name(e.pad_axis) + " " + std::to_string(e.axis_value);
    return "event " + std::to_string(static_cast<int>(e.kind));
}

// Every controller event the backend hands over, in order.
std::vector<std::string> g_seen;

// Polls the backend until `done` holds; false at the deadline.
bool poll_until(const std::function<bool()>& done) {
    const auto end = std::chrono::steady_clock::now() + DEADLINE;
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) return false;
        InputEvent e;
        if (platform_poll_event(&e)) {
            if (e.kind == InputKind::PadButtonDown || e.kind == InputKind::PadButtonUp || e.kind == InputKind::PadAxis)
                g_seen.push_back(described(e));
        } else {
            platform_wait_event(10); // until SDL has something, at most 10 ms
        }
    }
    return true;
}

size_t count_of(const std::string& event) {
    return static_cast<size_t>(std::count(g_seen.begin(), g_seen.end(), event));
}

bool seen(const std::string& event) { return count_of(event) > 0; }

// Waits for one event, handed over once.
::testing::AssertionResult handed_once(const std::string& event) {
    if (!poll_until([&] { return seen(event); })) return ::testing::AssertionFailure() << "no " << event;
    if (count_of(event) != 1)
        return ::testing::AssertionFailure() << event << " handed over " << count_of(event) << " times";
    return ::testing::AssertionSuccess();
}

// A virtual controller of the standard layout, plugged in: its button i is SDL's
// controller button i, its axis i SDL's axis i.
struct VirtualPad {
    int index = -1;
    SDL_Joystick* joystick = nullptr;
    SDL_JoystickID id = -1;

    bool plug_in() {
        SDL_VirtualJoystickDesc desc = {};
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        desc.naxes = SDL_CONTROLLER_AXIS_MAX;
        desc.nbuttons = static_cast<Uint16>(PAD_BUTTON_COUNT);
        desc.name = "zeb test pad";
        index = SDL_JoystickAttachVirtualEx(&desc);
        if (index < 0) return false;
        joystick = SDL_JoystickOpen(index);
        id = SDL_JoystickInstanceID(joystick);
        return joystick != nullptr;
    }
    // Plugged in and opened by the backend.
    bool opened() const { return SDL_GameControllerFromInstanceID(id) != nullptr; }
    void button(SDL_GameControllerButton b, bool down) { SDL_JoystickSetVirtualButton(joystick, b, down ? 1 : 0); }
    void axis(SDL_GameControllerAxis a, Sint16 value) { SDL_JoystickSetVirtualAxis(joystick, a, value); }
    void pull_out() {
        SDL_JoystickClose(joystick);
        for (int i = 0; i < SDL_NumJoysticks(); ++i)
            if (SDL_JoystickGetDeviceInstanceID(i) == id) SDL_JoystickDetachVirtual(i);
    }
};

} // namespace

// The names scripts and recordings use are SDL's own, for every button and axis.
TEST(PadSdl, EveryButtonAndAxisHasSdlsName) {
    for (size_t b = 0; b < PAD_BUTTON_COUNT; ++b)
        EXPECT_EQ(SDL_GameControllerGetButtonFromString(PAD_BUTTON_NAMES[b]), static_cast<int>(b))
            << PAD_BUTTON_NAMES[b];
    for (size_t a = 0; a < PAD_AXIS_COUNT; ++a)
        EXPECT_EQ(SDL_GameControllerGetAxisFromString(PAD_AXIS_NAMES[a]), static_cast<int>(a)) << PAD_AXIS_NAMES[a];
}

// Plugged in while the program runs, a controller's input reaches the core; pulled out, it
// leaves nothing held, and a recording holds the releases. Two controllers are one: a
// button is up only once neither holds it.
TEST(PadSdl, APlugOrAPullHandsTheCoreItsInputsAndTheReleases) {
    ASSERT_TRUE(platform_register_class()) << "no display: run under tests/pad_sdl.sh";
    const std::string path = ::testing::TempDir() + "pad_sdl_" + std::to_string(getpid()) + ".replay";
    char why[512] = "";
    ASSERT_TRUE(platform_record_start(path.c_str(), IDNO, why, sizeof why)) << why;

    VirtualPad first;
    ASSERT_TRUE(first.plug_in()) << SDL_GetError();
    EXPECT_TRUE(SDL_IsGameController(first.index)) << "SDL gave the virtual pad no controller mapping";
    ASSERT_TRUE(poll_until([&] { return first.opened(); })) << "the backend did not open the plugged-in pad";

    first.axis(SDL_CONTROLLER_AXIS_LEFTX, 20000);
    EXPECT_TRUE(handed_once("pad leftx 20000"));
    first.axis(SDL_CONTROLLER_AXIS_RIGHTY, -32768);
    EXPECT_TRUE(handed_once("pad righty -32768"));
    first.axis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 32767);
    EXPECT_TRUE(handed_once("pad righttrigger 32767"));
    first.button(SDL_CONTROLLER_BUTTON_A, true);
    EXPECT_TRUE(handed_once("pad a down"));
    first.button(SDL_CONTROLLER_BUTTON_DPAD_LEFT, true);
    EXPECT_TRUE(handed_once("pad dpleft down"));
    first.button(SDL_CONTROLLER_BUTTON_DPAD_LEFT, false);
    EXPECT_TRUE(handed_once("pad dpleft up"));

    // A second controller pressing what the first holds changes nothing the core sees.
    VirtualPad second;
    ASSERT_TRUE(second.plug_in()) << SDL_GetError();
    ASSERT_TRUE(poll_until([&] { return second.opened(); }));
    second.button(SDL_CONTROLLER_BUTTON_A, true);
    second.button(SDL_CONTROLLER_BUTTON_START, true);
    EXPECT_TRUE(handed_once("pad start down"));

    // The first pulled out: its stick and trigger go back to rest; `a` stays down, held by
    // the second.
    first.pull_out();
    EXPECT_TRUE(handed_once("pad leftx 0"));
    EXPECT_TRUE(handed_once("pad righty 0"));
    EXPECT_TRUE(handed_once("pad righttrigger 0"));
    EXPECT_TRUE(poll_until([&] { return !first.opened(); }));
    EXPECT_FALSE(seen("pad a up"));

    // The second pulled out while it holds `a` and Start: both let go, once.
    second.pull_out();
    EXPECT_TRUE(handed_once("pad a up"));
    EXPECT_TRUE(handed_once("pad start up"));
    EXPECT_TRUE(poll_until([&] { return !second.opened(); }));

    // Plugged in again, already held (Y down, the stick over before the backend opened
    // it): what it holds is handed over as it is opened, and it works on.
    VirtualPad again;
    ASSERT_TRUE(again.plug_in()) << SDL_GetError();
    again.button(SDL_CONTROLLER_BUTTON_Y, true);
    again.axis(SDL_CONTROLLER_AXIS_LEFTY, -20000);
    ASSERT_TRUE(poll_until([&] { return again.opened(); }));
    EXPECT_TRUE(handed_once("pad y down"));
    EXPECT_TRUE(handed_once("pad lefty -20000"));
    again.button(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, true);
    EXPECT_TRUE(handed_once("pad rightshoulder down"));
    again.pull_out();
    EXPECT_TRUE(handed_once("pad rightshoulder up"));
    EXPECT_TRUE(handed_once("pad y up"));
    EXPECT_TRUE(poll_until([&] { return seen("pad lefty 0"); }));

    ASSERT_TRUE(platform_record_stop(why, sizeof why)) << why;
    std::ifstream in(path);
    std::vector<std::string> recorded;
    for (std::string line; std::getline(in, line);)
        if (line.compare(0, 4, "pad ") == 0) recorded.push_back(line);
    EXPECT_EQ(recorded, g_seen) << "the recording holds other controller lines than the core was handed";
    std::filesystem::remove(path);
}
