// The application shell: generator, timer and pacing, frame counter, projection,
// window procedure, opening and closing the window, and the main loop's order of work.
#include "app/input.h"
#include "app/pad.h"
#include "app/program.h"
#include "scene/random.h"
#include "app/timer.h"
#include "app/window.h"
#include "assets/gl_caps.h"
#include "assets/textures.h"
#include "nav/player.h"
#include "support.h"
#include "render/view.h"
#include "render/fps.h"
#include "render/hud.h"
#include "weapons/weapons.h"
#include "nav/keys.h"
#include "platform/screenshot.h"

#include <GL/gl.h>
#include <GL/glext.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

class App : public ::testing::Test {
protected:
    void SetUp() override { reset_everything(); }
    void TearDown() override { reset_everything(); }
};

InputEvent event_of(InputKind kind) {
    InputEvent e;
    e.kind = kind;
    return e;
}

InputEvent system_request(SystemRequest request) {
    InputEvent e = event_of(InputKind::System);
    e.request = request;
    return e;
}

// Lit pixels of the HUD's text pass alone, in a band across the middle of the view below
// the crosshair, where the quit question stands.
int lit_question_pixels() {
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glDisable(GL_DEPTH_TEST);
    begin_overlay();
    draw_hud_text();
    end_overlay();
    glEnable(GL_DEPTH_TEST);
    const int width = view.view_width, height = 60;
    std::vector<unsigned char> rgb(static_cast<size_t>(width) * height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, view.view_height / 2 - 100, width, height, GL_RGB, GL_UNSIGNED_BYTE,
                 rgb.data()); // rows from the bottom
    int lit = 0;
    for (size_t i = 0; i < rgb.size(); i += 3) lit += rgb[i] > 128 ? 1 : 0;
    return lit;
}

float projection_element(int index) {
    float m[16];
    glGetFloatv(GL_PROJECTION_MATRIX, m);
    return m[index];
}

} // namespace

TEST(Random, FirstValuesFromSeedOne) {
    random_seed = 1;
    const int expected[] = {346, 130, 10982, 1090, 11656};
    for (int value : expected) EXPECT_EQ(random_next(), value);
}

TEST_F(App, TimerCountsMillisecondsFromInit) {
    headless_set_auto_clock(false);
    headless_advance_clock(123456);
    timer_init();
    EXPECT_TRUE(timer.frame_timer.performance_timer);
    EXPECT_EQ(timer.frame_timer.perf_start, timer.frame_timer.perf_elapsed);
    headless_advance_clock(1500);
    EXPECT_NEAR(timer_now_ms(), 1.5, 1e-6);
}

TEST_F(App, TimerWithoutCounterUsesWholeMillisecondsAcrossTheWrap) {
    headless_set_auto_clock(false);
    headless_set_performance_counter_available(false);
    headless_advance_clock((4294967296LL - 500) * 1000); // 0.5 s before the 32-bit wrap
    timer_init();
    EXPECT_FALSE(timer.frame_timer.performance_timer);
    EXPECT_EQ(timer.frame_timer.frequency, 1000);
    headless_advance_clock(1999); // 1.999 ms: whole milliseconds only
    EXPECT_NEAR(timer_now_ms(), 1.0, 1e-6);
    headless_advance_clock(2000 * 1000); // past the wrap
    EXPECT_NEAR(timer_now_ms(), 2001.0, 1e-3);
}

TEST_F(App, PacingWaitsTwiceFramePacingFromTheFrameStart) {
    timer_init();
    headless_advance_clock(3000); // the frame took 3 ms to render
    const float t0 = 0;
    timer.frame_pacing = 5;
    wait_frame_pacing(t0);
    const double after = timer_now_ms();
    EXPECT_GE(after, 10.0);
    EXPECT_LT(after, 10.0 + 2 * AUTO_CLOCK_STEP_US / 1000.0);

    // Zero or negative pacing: one reading, no wait.
    for (int pacing : {0, -3}) {
        timer.frame_pacing = pacing;
        const int64_t before = headless_clock_us();
        wait_frame_pacing(static_cast<float>(timer_now_ms()));
        EXPECT_EQ(headless_clock_us() - before, 2 * AUTO_CLOCK_STEP_US);
    }
}

TEST_F(App, OverlappedPacingSleepsButItsLastMillisecondAndEndsWhereTheSpinEnds) {
    // From every start within one period, both waits end at the same clock reading; the
    // overlapped one sleeps whole milliseconds up to SPIN_MS before the end, so it spins
    // for less than SPIN_MS + 1 ms; the spinning one never sleeps.
    for (int64_t start_us = 0; start_us <= 10000; start_us += 730) {
        int64_t end_us[2] = {}, slept_us[2] = {};
        for (PacingWait wait : {PacingWait::Serial, PacingWait::Overlapped}) {
            reset_everything();
            timer_init();
            headless_advance_clock(start_us);
            timer.frame_pacing = 5;
            timer.pacing_wait = wait;
            wait_frame_pacing(0);
            end_us[static_cast<int>(wait)] = headless_clock_us();
            slept_us[static_cast<int>(wait)] = headless_slept_us();
        }
        const int overlapped = static_cast<int>(PacingWait::Overlapped), serial = static_cast<int>(PacingWait::Serial);
        EXPECT_EQ(end_us[overlapped], end_us[serial]) << "from " << start_us << " us";
        EXPECT_EQ(slept_us[serial], 0);
        const int64_t left_us = 10000 - start_us;
        const int64_t spun_at_most_us = 2000 + 2 * AUTO_CLOCK_STEP_US; // the readings move the clock too
        EXPECT_GE(slept_us[overlapped], left_us - spun_at_most_us) << "from " << start_us << " us";
        EXPECT_LE(slept_us[overlapped], std::max<int64_t>(left_us - 1000, 0)) << "from " << start_us << " us";
    }
}

TEST_F(App, FrameCounterMeasuresOverWindowsOfAtLeastOneSecond) {
    headless_set_auto_clock(false);
    update_frame_counter(); // tick 0: nothing measured yet
    EXPECT_EQ(frame_counter.fps_value, 0.0f);
    for (int i = 0; i < 59; ++i) {
        headless_advance_clock(16000);
        update_frame_counter();
    }
    EXPECT_EQ(frame_counter.fps_value, 0.0f); // 944 ms: window not complete
    headless_advance_clock(56000);            // tick 1000
    update_frame_counter();
    EXPECT_FLOAT_EQ(frame_counter.fps_value, 61.0f); // 61 frames against last_tick 0
    EXPECT_EQ(frame_counter.frames, 0);
    EXPECT_EQ(frame_counter.last_tick, 1000u);
    headless_advance_clock(2000000); // one frame after two seconds
    update_frame_counter();
    EXPECT_FLOAT_EQ(frame_counter.fps_value, 0.5f);
}

TEST_F(App, FieldOfViewKeysReprojectAndOWins) {
    ASSERT_TRUE(start_windowed_program());
    const auto focal = [] { return projection_element(5); }; // cot(fov / 2)
    keys[Key::O] = true;
    update_frame_counter();
    EXPECT_EQ(view.field_of_view, 46.0f);
    EXPECT_NEAR(focal(), 1.0 / std::tan(46.0 * M_PI / 360.0), 1e-5);
    keys[Key::P] = true; // both held: O wins
    update_frame_counter();
    EXPECT_EQ(view.field_of_view, 47.0f);
    keys[Key::O] = false;
    for (int i = 0; i < 60; ++i) update_frame_counter(); // unbounded
    EXPECT_EQ(view.field_of_view, -13.0f);
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
}

TEST_F(App, ResizeViewKeepsAHeightOfAtLeastOneAndTheWidenedNearPlane) {
    ASSERT_TRUE(start_windowed_program());
    resize_view(0, 0);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 0);
    EXPECT_EQ(viewport[3], 1);
    EXPECT_EQ(view.view_height, 1);
    resize_view(1024, 768);
    // m[10] = -(far + near) / (far - near) with the float 0.05 widened to double.
    const double n = 0.05000000074505806, f = 200;
    EXPECT_NEAR(projection_element(10), -(f + n) / (f - n), 1e-7);
    EXPECT_NEAR(projection_element(14), -2 * f * n / (f - n), 1e-7);
    EXPECT_NEAR(projection_element(0) * 1024.0 / 768.0, projection_element(5), 1e-5);
}

TEST_F(App, WindowProcedureRows) {
    // Focus: only a minimised window stops rendering, whether it has the focus or not.
    window_proc(focus_event(false, false));
    EXPECT_TRUE(window.active);
    window_proc(focus_event(false, true));
    EXPECT_FALSE(window.active);
    window_proc(focus_event(true, false));
    EXPECT_TRUE(window.active);
    window_proc(focus_event(true, true));
    EXPECT_FALSE(window.active);
    window_proc(focus_event(true, false));

    // Keys land in the table by key; a release before any key step saw the press waits
    // for the end of the next one.
    window_proc(key_event(true, Key::Q));
    EXPECT_TRUE(keys[Key::Q]);
    window_proc(key_event(false, Key::Q));
    EXPECT_TRUE(keys[Key::Q]);
    finish_key_step();
    EXPECT_FALSE(keys[Key::Q]);
    window_proc(key_event(true, Key::Q));
    finish_key_step();
    window_proc(key_event(false, Key::Q)); // seen by a key step: released at once
    EXPECT_FALSE(keys[Key::Q]);
    const KeyState before = keys;
    window_proc(key_event(true, Key::Unknown));          // a key the program does not know,
    window_proc(key_event(true, static_cast<Key>(250))); // or no key at all: ignored, not out of bounds
    EXPECT_EQ(keys.flags, before.flags);
    // F10 and Alt combinations are the system's: left to it, never in the table.
    InputEvent f10 = key_event(true, Key::F10);
    f10.kind = InputKind::SystemKeyDown;
    EXPECT_FALSE(window_proc(f10));
    EXPECT_FALSE(keys[Key::F10]);

    // Resize: the pointer's centre keeps its place five
    // rows below the middle; an empty (minimised) area leaves it where it was.
    window_proc(resize_event(640, 480));
    EXPECT_EQ(view.view_width, 640);
    EXPECT_EQ(view.view_height, 480);
    EXPECT_EQ(pointer.center.x, 320);
    EXPECT_EQ(pointer.center.y, 245);
    window_proc(resize_event(0, 0));
    EXPECT_EQ(pointer.center.y, 245);

    // Screen saver and monitor power-off are refused; any other request is the system's.
    EXPECT_TRUE(window_proc(system_request(SystemRequest::ScreenSaver)));
    EXPECT_TRUE(window_proc(system_request(SystemRequest::MonitorPower)));
    EXPECT_FALSE(window_proc(system_request(SystemRequest::Other)));

    // Close posts the quit event with code 0.
    window_proc(event_of(InputKind::Close));
    InputEvent quit;
    ASSERT_TRUE(platform_poll_event(&quit));
    EXPECT_EQ(quit.kind, InputKind::Quit);
    EXPECT_EQ(quit.exit_code, 0);
}

// Each failing step of open_window: the message, and what was closed before it.
TEST_F(App, OpenWindowFailureShowsItsTextAfterClosingWhatWasMade) {
    struct Row {
        HeadlessStep step;
        const char* text;
        std::vector<std::string> log_after_failure;
    };
    // clang-format off
    const std::vector<Row> rows = {
        {HeadlessStep::CreateWindow, "Window Creation Error.", {"UnregisterClass"}},
        {HeadlessStep::GetDeviceContext, "Can't create a GL device context.", {"DestroyWindow", "UnregisterClass"}},
        {HeadlessStep::ChoosePixelFormat, "Can't find a suitable pixelformat.",
         {"ReleaseDeviceContext", "DestroyWindow", "UnregisterClass"}},
        {HeadlessStep::SetPixelFormat, "Can't set the pixelformat.",
         {"ReleaseDeviceContext", "DestroyWindow", "UnregisterClass"}},
        {HeadlessStep::CreateContext, "Can't create a GL rendering context.",
         {"ReleaseDeviceContext", "DestroyWindow", "UnregisterClass"}},
        {HeadlessStep::MakeCurrent, "Can't activate the GL rendering context.",
         {"ReleaseCurrent", "DeleteContext", "ReleaseDeviceContext", "DestroyWindow", "UnregisterClass"}},
    };
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        reset_everything();
        headless_fail_step(row.step, true);
        EXPECT_FALSE(open_window("ZEB", 1024, 768, 32, false));
        const std::vector<std::string>& log = headless_call_log();
        const auto failed = std::find(log.begin(), log.end(), headless_step_name(row.step));
        ASSERT_NE(failed, log.end());
        EXPECT_EQ(std::vector<std::string>(failed + 1, log.end()), row.log_after_failure);
        ASSERT_EQ(headless_message_boxes().size(), 1u);
        EXPECT_EQ(headless_message_boxes()[0].caption, "ERROR");
        EXPECT_EQ(headless_message_boxes()[0].text, row.text);
        EXPECT_FALSE(headless_window().exists);
    }
}

TEST_F(App, RegistrationFailureAndRefusedFallbackCloseNothing) {
    headless_fail_step(HeadlessStep::RegisterClass, true);
    EXPECT_FALSE(open_window("ZEB", 1024, 768, 32, false));
    ASSERT_EQ(headless_message_boxes().size(), 1u);
    EXPECT_EQ(headless_message_boxes()[0].text, "Failed To Register The Window Class.");
    EXPECT_EQ(headless_call_log(), std::vector<std::string>{"RegisterClass"});

    reset_everything();
    headless_queue_answer(IDNO); // refuse the windowed fallback
    EXPECT_FALSE(open_window("ZEB", 1024, 768, 32, true));
    ASSERT_EQ(headless_message_boxes().size(), 2u);
    EXPECT_EQ(headless_message_boxes()[0].caption, "Vexa GL");
    EXPECT_EQ(headless_message_boxes()[0].text,
              "The requested fullscreen mode is not supported by\nyour video card. Use windowed mode instead?");
    EXPECT_EQ(headless_message_boxes()[1].text, "Program will now close.");
    EXPECT_EQ(headless_message_boxes()[1].style, unsigned(MB_OK | MB_ICONSTOP));
    EXPECT_EQ(headless_call_log(), (std::vector<std::string>{"RegisterClass", "ChangeDisplayMode"}));
}

TEST_F(App, CloseWindowReportsEachFailureAndGoesOn) {
    ASSERT_TRUE(open_window("ZEB", 1024, 768, 32, false));
    for (HeadlessStep s :
         {HeadlessStep::ReleaseCurrent, HeadlessStep::DeleteContext, HeadlessStep::ReleaseDeviceContext,
          HeadlessStep::DestroyWindow, HeadlessStep::UnregisterClass})
        headless_fail_step(s, true);
    close_window();
    std::vector<std::string> texts;
    for (const RecordedMessageBox& box : headless_message_boxes()) {
        EXPECT_EQ(box.caption, "SHUTDOWN ERROR");
        texts.push_back(box.text);
    }
    EXPECT_EQ(texts, (std::vector<std::string>{"Release of DC and RC failed.", "Release rendering context failed.",
                                               "Release device context failed.", "Could not release hWnd.",
                                               "Could not unregister class."}));
}

TEST_F(App, FullscreenFallbackOpensWindowedAndTheNextToggleTriesFullscreenAgain) {
    headless_queue_answer(IDYES); // "Start FullScreen?"
    headless_queue_answer(IDYES); // use windowed mode instead
    ASSERT_TRUE(program_start());
    EXPECT_FALSE(window.fullscreen);
    EXPECT_FALSE(headless_window().fullscreen);

    headless_set_display_mode_available(true);
    headless_push_event(key_event(true, Key::F1));
    run_frames(1);
    EXPECT_FALSE(keys[Key::F1]); // consumed
    EXPECT_TRUE(window.fullscreen);
    EXPECT_TRUE(headless_window().fullscreen);
    EXPECT_TRUE(headless_window().context_current);
    EXPECT_EQ(headless_window().title, "ZEB");
}

TEST_F(App, EveryF1KeyDownTogglesOnce) {
    ASSERT_TRUE(start_windowed_program());
    headless_set_display_mode_available(true);
    for (int repeat = 0; repeat < 3; ++repeat) headless_push_event(key_event(true, Key::F1));
    run_frames(3); // messages first: the three repeats land before one frame
    EXPECT_TRUE(window.fullscreen);
    headless_push_event(key_event(true, Key::F1));
    run_frames(1);
    headless_push_event(key_event(true, Key::F1));
    run_frames(1);
    EXPECT_TRUE(window.fullscreen);
}

// A key pressed and released between two frames (a tap shorter than a frame) acts as one
// held frame: once, never twice, and a key held across frames acts every frame as before.
TEST_F(App, TapsBetweenFramesActOnce) {
    ASSERT_TRUE(start_windowed_program());
    const auto tap_then_frame = [](Key key, int presses) {
        for (int i = 0; i < presses; ++i) {
            headless_push_event(key_event(true, key));
            headless_push_event(key_event(false, key));
        }
        run_frames(1);
    };
    tap_then_frame(Key::Q, 1);
    EXPECT_EQ(textures.lod_bias, -1);
    tap_then_frame(Key::Q, 3); // three taps within one frame: one held frame
    EXPECT_EQ(textures.lod_bias, -2);
    run_frames(2);
    EXPECT_EQ(textures.lod_bias, -2);
    EXPECT_FALSE(keys[Key::Q]);

    headless_push_event(key_event(true, Key::Q)); // held across frames
    run_frames(3);
    EXPECT_EQ(textures.lod_bias, -5);
    headless_push_event(key_event(false, Key::Q));
    run_frames(1);
    EXPECT_EQ(textures.lod_bias, -5);

    tap_then_frame(Key::End, 1); // an edge binding: one jump
    EXPECT_TRUE(lift.boost_active);

    headless_set_display_mode_available(true);
    tap_then_frame(Key::F1, 1); // one toggle, not one a frame
    run_frames(2);
    EXPECT_TRUE(window.fullscreen);
    EXPECT_FALSE(keys[Key::F1]);

    headless_push_event(key_event(true, Key::Escape));
    headless_push_event(key_event(false, Key::Escape));
    Iteration last = Iteration::Message;
    for (int i = 0; i < 4 && last != Iteration::Ended; ++i) last = program_iterate();
    EXPECT_EQ(last, Iteration::Ended);
    EXPECT_EQ(program.exit_code, 0);
}

// Q and W step the LOD bias counter without a limit, but GL is given only what keeps a
// frame's cost bounded: no negative bias while anisotropic filtering is on (there each
// step down multiplies the cost), and at most the driver's own limit either way.
TEST_F(App, TheLodBiasCounterGoesOnWhereTheBiasGivenToGlStops) {
    ASSERT_TRUE(start_windowed_program());
    ASSERT_TRUE(gl_caps.lod_bias && gl_caps.anisotropic);
    const float limit = gl_caps.max_lod_bias;
    ASSERT_GE(limit, 2); // the least a driver with the extension offers
    resize_view(64, 48); // only the texture environment matters here
    const auto hold = [](Key key, int frames) {
        headless_push_event(key_event(true, key));
        run_frames(frames);
        headless_push_event(key_event(false, key));
        run_frames(1); // a frame starts by setting the bias the keys left
    };
    const auto bias_in_gl = [] {
        GLfloat bias = -1000;
        glGetTexEnvfv(GL_TEXTURE_FILTER_CONTROL_EXT, GL_TEXTURE_LOD_BIAS_EXT, &bias);
        return bias;
    };

    hold(Key::Q, 1);
    EXPECT_EQ(bias_in_gl(), -1); // within every bound: given as it is
    hold(Key::E, 1);
    EXPECT_EQ(bias_in_gl(), 0);
    hold(Key::Q, 39);
    EXPECT_EQ(textures.lod_bias, -40);
    EXPECT_EQ(bias_in_gl(), 0);
    hold(Key::R, 1);
    EXPECT_EQ(textures.lod_bias, -40);
    EXPECT_EQ(bias_in_gl(), -limit);

    hold(Key::W, 80);
    EXPECT_EQ(textures.lod_bias, 40);
    EXPECT_EQ(bias_in_gl(), limit);
    hold(Key::E, 1); // raising the bias only lowers the cost: anisotropy leaves it alone
    EXPECT_EQ(bias_in_gl(), limit);
    EXPECT_EQ(textures.lod_bias, 40);
}

TEST_F(App, FailedReopenEndsWithCodeOneWithoutAnotherClose) {
    ASSERT_TRUE(start_windowed_program());
    headless_set_display_mode_available(true);
    headless_fail_step(HeadlessStep::CreateContext, true);
    headless_push_event(key_event(true, Key::F1));
    headless_clear_call_log();
    run_frames(1);
    EXPECT_TRUE(program.exited);
    EXPECT_EQ(program.exit_code, EXIT_OPEN_FAILED);
    const std::vector<std::string>& log = headless_call_log();
    EXPECT_EQ(log.back(), "UnregisterClass"); // the failed open's own clean-up, nothing after
    EXPECT_EQ(std::count(log.begin(), log.end(), "UnregisterClass"), 2); // toggle close + failed open
}

TEST_F(App, LoopEndsOnCloseAndOnEscapeWithCodeZero) {
    ASSERT_TRUE(start_windowed_program());
    headless_push_event(event_of(InputKind::Close));
    EXPECT_EQ(program_iterate(), Iteration::Message);
    EXPECT_EQ(program_iterate(), Iteration::Ended);
    EXPECT_EQ(program.exit_code, 0);
    EXPECT_FALSE(headless_window().exists);

    reset_everything();
    ASSERT_TRUE(start_windowed_program());
    headless_push_event(key_event(true, Key::Escape));
    window_proc(focus_event(false, true)); // Escape works while minimised too
    EXPECT_EQ(program_iterate(), Iteration::Message);
    EXPECT_EQ(program_iterate(), Iteration::Ended);
    EXPECT_EQ(program.exit_code, 0);
}

TEST_F(App, MinimisedWindowRendersNothingButKeysCursorAndPacingGoOn) {
    ASSERT_TRUE(start_windowed_program());
    window_proc(focus_event(false, true));
    keys[Key::B] = true;
    keys[Key::O] = true;
    headless_move_cursor(7, 0);
    const int64_t before = headless_clock_us();
    run_frames(2);
    EXPECT_EQ(timer.frame_pacing, 7);                 // held keys act
    EXPECT_EQ(view.field_of_view, 45.0f);             // O acts only in rendered frames
    EXPECT_EQ(frame_counter.frames, 0);               // nothing rendered
    EXPECT_EQ(pointer.cursor_pos.x, CURSOR_CENTER_X); // the cursor was read ...
    int x = 0, y = 0;
    platform_get_cursor_pos(&x, &y);
    EXPECT_EQ(x, CURSOR_CENTER_X);                             // ... and put back
    EXPECT_GE(headless_clock_us() - before, (10 + 12) * 1000); // paced at 2 x 5, then 2 x 6 ms
}

TEST_F(App, AMinimisedLoopSleepsAtLeastTenMillisecondsUnlessAMessageComes) {
    ASSERT_TRUE(start_windowed_program());
    window_proc(focus_event(false, true));
    timer.frame_pacing = -3; // no pacing: a visible loop would run flat out
    int64_t before = headless_clock_us();
    run_frames(3);
    EXPECT_GE(headless_clock_us() - before, 3 * 10 * 1000);
    // A message waiting ends the sleep at once: the next iteration takes it.
    headless_push_event(key_event(true, Key::B));
    before = headless_clock_us();
    wait_idle(static_cast<float>(timer_now_ms()));
    EXPECT_LT(headless_clock_us() - before, 1000);
    run_frames(1);
    EXPECT_TRUE(keys[Key::B]);
}

TEST_F(App, AResizeMovesThePointersCentreWithoutTurningTheView) {
    ASSERT_TRUE(start_windowed_program());
    run_frames(1);
    const float heading = player.heading, pitch = player.pitch;
    // The pointer stands at the old centre (512, 389) when the new size arrives.
    headless_push_event(resize_event(1920, 1080));
    run_frames(2);
    EXPECT_EQ(player.heading, heading);
    EXPECT_EQ(player.pitch, pitch);
    int x = 0, y = 0;
    platform_get_cursor_pos(&x, &y);
    EXPECT_EQ(x, 960);
    EXPECT_EQ(y, 545);
    headless_move_cursor(10, 0); // and the mouse turns the view from there
    run_frames(1);
    EXPECT_FLOAT_EQ(player.heading, heading - 0.5f);
}

TEST_F(App, ALongNumberAtTheLowerRightStaysInTheView) {
    // 1400 wide: the lower right prints 1375, a digit more than the layout's 999 has room for.
    headless_set_viewport(1400, 700);
    ASSERT_TRUE(start_windowed_program());
    run_frames(2);
    std::vector<unsigned char> rgb;
    int width = 0, height = 0;
    ASSERT_TRUE(headless_read_frame(&rgb, &width, &height));
    ASSERT_EQ(width, 1400);
    // The text is the frame's only pure white; the layout keeps 13 columns clear at the right.
    int white_at_the_edge = 0, white_beside_the_icons = 0;
    for (int y = height - 60; y < height; ++y) // the lowest rows
        for (int x = 1300; x < width; ++x) {
            const unsigned char* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
            if (p[0] == 255 && p[1] == 255 && p[2] == 255)
                ++(x >= width - 13 ? white_at_the_edge : white_beside_the_icons);
        }
    EXPECT_EQ(white_at_the_edge, 0);
    EXPECT_GT(white_beside_the_icons, 50);
}

TEST_F(App, CursorIsLeftAloneWhileTheWindowHasNoFocus) {
    ASSERT_TRUE(start_windowed_program());
    headless_set_focus(false);
    headless_move_cursor(100, 50);
    run_frames(1);
    int x = 0, y = 0;
    platform_get_cursor_pos(&x, &y);
    EXPECT_EQ(x, CURSOR_CENTER_X + 100);
    EXPECT_EQ(y, CURSOR_CENTER_Y + 50);
}

TEST_F(App, LightingKeysLaterKeyWins) {
    ASSERT_TRUE(start_windowed_program());
    keys[Key::X] = true;
    apply_held_keys();
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_TRUE(glIsEnabled(GL_LIGHT0));
    keys[Key::Z] = true; // both held: Z comes later in the table
    apply_held_keys();
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
    EXPECT_FALSE(glIsEnabled(GL_LIGHT0));
}

namespace {

// A scratch pictures directory for the screenshots, emptied before and after.
class Screenshots : public App {
protected:
    void SetUp() override {
        App::SetUp();
        dir = ::testing::TempDir() + "zeb_pictures_" + std::to_string(getpid());
        std::filesystem::remove_all(dir);
        setenv("XDG_PICTURES_DIR", dir.c_str(), 1);
    }
    void TearDown() override {
        platform_finish_screenshots();
        unsetenv("XDG_PICTURES_DIR");
        std::filesystem::remove_all(dir);
        App::TearDown();
    }
    std::vector<std::string> pictures() const {
        std::vector<std::string> out;
        if (std::filesystem::exists(dir + "/zeb"))
            for (const auto& entry : std::filesystem::directory_iterator(dir + "/zeb"))
                out.push_back(entry.path().filename().string());
        std::sort(out.begin(), out.end());
        return out;
    }
    // The width and height in a PNG's header.
    static std::pair<int, int> png_size(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        unsigned char head[24] = {};
        in.read(reinterpret_cast<char*>(head), sizeof head);
        if (std::memcmp(head, "\x89PNG\r\n\x1a\n", 8) != 0) return {0, 0};
        auto word = [&](int at) { return head[at] << 24 | head[at + 1] << 16 | head[at + 2] << 8 | head[at + 3]; };
        return {word(16), word(20)};
    }
    std::string dir;
};

} // namespace

// A press takes the next frame whole; a held key takes one; two in one second keep both
// under different names; the frame is the view's size.
TEST_F(Screenshots, EachPressKeepsTheNextFrameUnderANameOfItsOwn) {
    ASSERT_TRUE(start_windowed_program());
    for (int press = 0; press < 2; ++press) {
        headless_push_event(key_event(true, Key::F12));
        run_frames(3); // held for three frames
        headless_push_event(key_event(false, Key::F12));
        run_frames(1);
    }
    platform_finish_screenshots();
    const std::vector<std::string> names = pictures();
    ASSERT_EQ(names.size(), 2u);
    for (const std::string& name : names) {
        EXPECT_EQ(name.rfind("zeb-", 0), 0u) << name;
        EXPECT_EQ(png_size(dir + "/zeb/" + name), std::make_pair(view.view_width, view.view_height)) << name;
    }
    EXPECT_NE(names[0], names[1]);
}

// The pictures directory of the user's desktop when the environment names none, with
// $HOME read as the file writes it; ~/Pictures when neither says.
TEST_F(Screenshots, TheDirectoryFollowsTheDesktopsSettings) {
    unsetenv("XDG_PICTURES_DIR");
    const std::string config = dir + "/config";
    std::filesystem::create_directories(config);
    setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    const char* home = getenv("HOME");
    const std::string saved_home = home ? home : "";
    setenv("HOME", "/home/someone", 1);
    EXPECT_EQ(screenshot_dir(), "/home/someone/Pictures/zeb");
    std::ofstream(config + "/user-dirs.dirs") << "# written by xdg-user-dirs-update\n"
                                              << "XDG_PICTURES_DIR=\"$HOME/Bilder\"\n";
    EXPECT_EQ(screenshot_dir(), "/home/someone/Bilder/zeb");
    setenv("XDG_PICTURES_DIR", "/srv/shots", 1);
    EXPECT_EQ(screenshot_dir(), "/srv/shots/zeb");
    unsetenv("XDG_CONFIG_HOME");
    setenv("HOME", saved_home.c_str(), 1);
}

// A directory that cannot be made is said on stderr; the program plays on.
TEST_F(Screenshots, AnUnwritableDirectoryIsSaidAndPlayGoesOn) {
    setenv("XDG_PICTURES_DIR", "/proc/zeb-cannot-be-here", 1);
    ASSERT_TRUE(start_windowed_program());
    ::testing::internal::CaptureStderr();
    headless_push_event(key_event(true, Key::F12));
    run_frames(2); // the press is seen after the first frame; the second is taken
    platform_finish_screenshots();
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("the screenshot could not be written: /proc/zeb-cannot-be-here"), std::string::npos) << said;
    run_frames(2);
    EXPECT_TRUE(program.running);
}

// The game controller: the sticks walk and look, the triggers click, the buttons drive the
// rows bound to them.

TEST_F(App, TheLeftStickWalksAShareOfTheArrowStepFromTheDeadZonesEdge) {
    // The dead zone is a radius: each axis well off centre, the stick still within it.
    EXPECT_EQ(stick_share(5000, -6000).x, 0.0f);
    EXPECT_EQ(stick_share(5000, -6000).y, 0.0f);
    EXPECT_EQ(stick_share(PAD_DEAD_ZONE, 0).x, 0.0f);
    // Past it, the share grows from zero at its edge to exactly 1 at full deflection.
    EXPECT_NEAR(stick_share(PAD_DEAD_ZONE + 1, 0).x, 1.0 / (PAD_AXIS_MAX - PAD_DEAD_ZONE), 1e-9);
    EXPECT_NEAR(stick_share(0, -(PAD_DEAD_ZONE + PAD_AXIS_MAX) / 2).y, -0.5, 1e-4);
    EXPECT_EQ(stick_share(PAD_AXIS_MAX, 0).x, 1.0f);
    EXPECT_EQ(stick_share(0, PAD_AXIS_MIN).y, -1.0f);
    // A diagonal keeps its direction, and no more than full deflection in all.
    const StickShare corner = stick_share(PAD_AXIS_MAX, PAD_AXIS_MIN);
    EXPECT_NEAR(corner.x, std::sqrt(0.5), 1e-4);
    EXPECT_NEAR(corner.y, -std::sqrt(0.5), 1e-4);

    ASSERT_TRUE(start_windowed_program());
    player.heading = 30;
    const PlayerState start = player;
    const auto step_with = [&](InputEvent press, InputEvent release) {
        player = start;
        window_proc(press);
        apply_held_keys();
        finish_key_step();
        finish_pad_step();
        window_proc(release);
        return player;
    };
    // Full deflection steps exactly as the arrow key does, bit for bit, in each direction.
    const struct {
        Key key;
        PadAxis axis;
        int value;
    } directions[] = {{Key::Up, PadAxis::LeftY, PAD_AXIS_MIN},
                      {Key::Down, PadAxis::LeftY, PAD_AXIS_MAX},
                      {Key::Right, PadAxis::LeftX, PAD_AXIS_MAX},
                      {Key::Left, PadAxis::LeftX, PAD_AXIS_MIN}};
    for (const auto& d : directions) {
        const PlayerState by_key = step_with(key_event(true, d.key), key_event(false, d.key));
        const PlayerState by_stick = step_with(pad_axis_event(d.axis, d.value), pad_axis_event(d.axis, 0));
        EXPECT_EQ(by_stick.x, by_key.x) << key_name(d.key);
        EXPECT_EQ(by_stick.z, by_key.z) << key_name(d.key);
        EXPECT_NE(by_stick.x, start.x) << key_name(d.key);
    }
    // Half-way past the dead zone: half the step, forward along the heading.
    const PlayerState half = step_with(pad_axis_event(PadAxis::LeftY, -(PAD_DEAD_ZONE + PAD_AXIS_MAX) / 2),
                                       pad_axis_event(PadAxis::LeftY, 0));
    EXPECT_NEAR(std::hypot(half.x - start.x, half.z - start.z), MOVE_STEP / 2, 1e-5);
    // A resting stick that drifts within the dead zone moves nothing, however long.
    player = start;
    window_proc(pad_axis_event(PadAxis::LeftX, 7000));
    window_proc(pad_axis_event(PadAxis::LeftY, -3000));
    for (int i = 0; i < 100; ++i) apply_held_keys();
    EXPECT_EQ(player.x, start.x);
    EXPECT_EQ(player.z, start.z);
}

TEST_F(App, TheRightStickTurnsAndTiltsAsTheMouseDoes) {
    ASSERT_TRUE(start_windowed_program());
    run_frames(1);               // the pointer is held from here on
    headless_move_cursor(30, 0); // 30 pixels right, then down
    run_frames(1);
    headless_move_cursor(0, 30);
    run_frames(1);
    const PlayerState by_mouse = player;
    EXPECT_NE(by_mouse.heading, 0.0f);

    reset_everything();
    ASSERT_TRUE(start_windowed_program());
    run_frames(1);
    // Full deflection right for a frame, then down for one, turns as far as those pixels:
    // PAD_LOOK_DEGREES, at 0.05 degrees a pixel.
    headless_push_event(pad_axis_event(PadAxis::RightX, PAD_AXIS_MAX));
    run_frames(1);
    headless_push_event(pad_axis_event(PadAxis::RightX, 0));
    headless_push_event(pad_axis_event(PadAxis::RightY, PAD_AXIS_MAX));
    run_frames(1);
    EXPECT_EQ(player.heading, -PAD_LOOK_DEGREES);
    EXPECT_EQ(player.pitch, PAD_LOOK_DEGREES);
    EXPECT_FLOAT_EQ(player.heading, by_mouse.heading);
    EXPECT_FLOAT_EQ(player.pitch, by_mouse.pitch);
    // Within the dead zone the view stays.
    headless_push_event(pad_axis_event(PadAxis::RightX, -PAD_DEAD_ZONE));
    headless_push_event(pad_axis_event(PadAxis::RightY, 0));
    run_frames(3);
    EXPECT_EQ(player.heading, -PAD_LOOK_DEGREES);
    EXPECT_EQ(player.pitch, PAD_LOOK_DEGREES);
    // An inverted look tilts the other way, by the stick as by the mouse.
    mouse_look.inverted = true;
    headless_push_event(pad_axis_event(PadAxis::RightX, 0));
    headless_push_event(pad_axis_event(PadAxis::RightY, PAD_AXIS_MAX));
    run_frames(1);
    EXPECT_EQ(player.pitch, 0.0f);
}

TEST_F(App, TriggersClickTheMouseButtonsPastAThresholdWithoutChattering) {
    ASSERT_TRUE(start_windowed_program());
    weapon_state.held_weapon = 1; // one shot, one sound, a click
    const auto shots = [] { return headless_sounds().size(); };
    const auto pull = [](PadAxis trigger, int value) { window_proc(pad_axis_event(trigger, value)); };
    pull(PadAxis::RightTrigger, PAD_TRIGGER_PRESS); // at the threshold: not yet
    EXPECT_EQ(shots(), 0u);
    pull(PadAxis::RightTrigger, PAD_TRIGGER_PRESS + 1);
    EXPECT_EQ(shots(), 1u);
    // Wavering anywhere above the release threshold is still the one press.
    for (int value : {PAD_TRIGGER_PRESS - 1, PAD_TRIGGER_PRESS + 1, PAD_TRIGGER_RELEASE, PAD_AXIS_MAX, 9000, 20000})
        pull(PadAxis::RightTrigger, value);
    EXPECT_EQ(shots(), 1u);
    EXPECT_TRUE(pad.right_trigger_pulled);
    pull(PadAxis::RightTrigger, PAD_TRIGGER_RELEASE - 1); // let go ...
    EXPECT_FALSE(pad.right_trigger_pulled);
    pull(PadAxis::RightTrigger, PAD_TRIGGER_PRESS - 1); // ... and not pressed again below the threshold
    EXPECT_EQ(shots(), 1u);
    pull(PadAxis::RightTrigger, PAD_AXIS_MAX);
    EXPECT_EQ(shots(), 2u);
    // The left trigger is the right button, which weapon 1 does not use.
    pull(PadAxis::LeftTrigger, PAD_AXIS_MAX);
    EXPECT_EQ(shots(), 2u);
    const TriggerChange released = move_pad_axis(PadAxis::LeftTrigger, 0);
    EXPECT_TRUE(released.changed);
    EXPECT_EQ(released.button, MouseButton::Right);
    EXPECT_FALSE(released.down);
}

// What the backend hands over when a controller is pulled out (its buttons up, its axes at
// zero) leaves nothing walking, turning or firing.
TEST_F(App, AControllerPulledOutLeavesNothingHeld) {
    ASSERT_TRUE(start_windowed_program());
    weapon_state.held_weapon = 4; // automatic while its button is down
    for (const InputEvent& e :
         {pad_axis_event(PadAxis::LeftY, PAD_AXIS_MIN), pad_axis_event(PadAxis::RightX, 20000),
          pad_axis_event(PadAxis::RightTrigger, PAD_AXIS_MAX), pad_button_event(true, PadButton::DpadLeft)})
        headless_push_event(e);
    run_frames(4);
    const size_t firing = headless_sounds().size();
    EXPECT_GT(firing, 1u);
    for (const InputEvent& e : {pad_button_event(false, PadButton::DpadLeft), pad_axis_event(PadAxis::LeftY, 0),
                                pad_axis_event(PadAxis::RightX, 0), pad_axis_event(PadAxis::RightTrigger, 0)})
        headless_push_event(e);
    run_frames(1);
    const PlayerState still = player;
    const size_t sounds = headless_sounds().size();
    run_frames(10);
    EXPECT_EQ(player.x, still.x);
    EXPECT_EQ(player.z, still.z);
    EXPECT_EQ(player.heading, still.heading);
    EXPECT_EQ(headless_sounds().size(), sounds);
    EXPECT_FALSE(pad.held[static_cast<size_t>(PadButton::DpadLeft)]);
}

TEST_F(App, TheShouldersCycleTheWeaponsOnceAPress) {
    ASSERT_TRUE(start_windowed_program());
    window_proc(focus_event(false, true)); // minimised: the key step goes on, nothing is drawn
    const auto press = [](PadButton button, int frames) {
        headless_push_event(pad_button_event(true, button));
        run_frames(frames);
        headless_push_event(pad_button_event(false, button));
        run_frames(1);
    };
    press(PadButton::RightShoulder, 5); // held five frames: one step
    EXPECT_EQ(weapon_state.held_weapon, 1);
    press(PadButton::RightShoulder, 0); // tapped between two frames: one step too
    EXPECT_EQ(weapon_state.held_weapon, 2);
    run_frames(1); // the tap's frame saw it down: one without it lets the next press count
    for (int i = 0; i < 3; ++i) press(PadButton::RightShoulder, 1);
    EXPECT_EQ(weapon_state.held_weapon, 5);
    press(PadButton::RightShoulder, 1); // round to the first
    EXPECT_EQ(weapon_state.held_weapon, 1);
    press(PadButton::LeftShoulder, 3); // and back round to the last
    EXPECT_EQ(weapon_state.held_weapon, 5);
    press(PadButton::LeftShoulder, 1);
    EXPECT_EQ(weapon_state.held_weapon, 4);
}

// Start quits as Escape does, but only when pressed again while the HUD asks: a knocked
// button does not end the session.
TEST_F(App, StartAsksOnTheHudAndASecondPressWithinTwoSecondsQuits) {
    ASSERT_TRUE(start_windowed_program());
    window_proc(focus_event(false, true)); // minimised: the frames cost nothing to draw
    const auto press_start = [] {
        headless_push_event(pad_button_event(true, PadButton::Start));
        headless_push_event(pad_button_event(false, PadButton::Start));
        run_frames(1);
    };
    EXPECT_EQ(lit_question_pixels(), 0);
    press_start();
    EXPECT_EQ(hud.quit_prompt_frames, QUIT_CONFIRM_FRAMES);
    EXPECT_GT(lit_question_pixels(), 0); // the HUD asks
    run_frames(QUIT_CONFIRM_FRAMES);     // the question goes after its 200 frames ...
    EXPECT_EQ(hud.quit_prompt_frames, 0);
    EXPECT_EQ(lit_question_pixels(), 0);
    EXPECT_TRUE(program.running);
    press_start(); // ... so this press asks again
    EXPECT_TRUE(program.running);
    run_frames(QUIT_CONFIRM_FRAMES - 2);
    EXPECT_EQ(hud.quit_prompt_frames, 2);
    press_start(); // within them: the loop ends at its next iteration, with code 0
    EXPECT_EQ(program_iterate(), Iteration::Ended);
    EXPECT_EQ(program.exit_code, 0);
}

TEST_F(App, BackTogglesFullscreenOnceAPress) {
    ASSERT_TRUE(start_windowed_program());
    headless_set_display_mode_available(true);
    headless_push_event(pad_button_event(true, PadButton::Back));
    run_frames(3);
    EXPECT_TRUE(window.fullscreen);
    headless_push_event(pad_button_event(false, PadButton::Back));
    run_frames(1);
    headless_push_event(pad_button_event(true, PadButton::Back));
    run_frames(1);
    EXPECT_FALSE(window.fullscreen);
    EXPECT_TRUE(program.running);
}
