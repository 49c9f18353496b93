// Controls of the headless backend, for zeb-replay and the tests.
//
// The headless backend renders into an offscreen EGL pbuffer (Mesa's surfaceless
// platform, no display server needed), answers message boxes from a script, records
// message boxes and sound requests, keeps a virtual clock and can be told to fail any
// window or context step, so that every failure path of the core can be exercised.
#pragma once

#include "platform.h"

#include <cstdint>
#include <string>
#include <vector>

// The window and context steps, for fault injection and the call log.
enum class HeadlessStep {
    RegisterClass,
    UnregisterClass,
    ChangeDisplayMode,
    CreateWindow,
    DestroyWindow,
    GetDeviceContext,
    ReleaseDeviceContext,
    ChoosePixelFormat,
    SetPixelFormat,
    CreateContext,
    MakeCurrent,
    ReleaseCurrent,
    DeleteContext,
    Count
};

const char* headless_step_name(HeadlessStep step);

struct RecordedMessageBox {
    std::string caption;
    std::string text;
    unsigned style;
    int answer;
    bool shown = true; // false: it could not be shown and took the caller's answer
};

// Back to the state at process start (no window, empty queues and records, clock 0).
// A context that is still open is destroyed.
void headless_reset();

// Fault injection: the step fails every time it runs until cleared.
void headless_fail_step(HeadlessStep step, bool fail);
// Every window and context step called so far, in order ("CreateWindow", ...).
const std::vector<std::string>& headless_call_log();
void headless_clear_call_log();

// Whether fullscreen is possible (default no). A fullscreen window covers the desktop,
// DESKTOP_WIDTH x DESKTOP_HEIGHT unless headless_set_desktop says otherwise (the size of
// the e2e test's virtual X screen), as the SDL backend's desktop fullscreen does.
void headless_set_display_mode_available(bool available);
constexpr int DESKTOP_WIDTH = 1280;
constexpr int DESKTOP_HEIGHT = 1024;
void headless_set_desktop(int width, int height);

// The drawable's size for windows opened from now on, whatever size the core asks for
// (0 x 0: as asked, the default). Lets logic tests render small: the GL calls are the same.
void headless_set_viewport(int width, int height);

// The user's settings file platform_read_settings reads: none ("") unless a test names one.
void headless_set_settings_path(const std::string& path);

// Answers for Yes/No boxes, used in order; when none is queued the answer is No.
// HEADLESS_UNSHOWN makes that box one that cannot be shown: the caller's fallback
// answer is taken and the backend says so on stderr.
constexpr int HEADLESS_UNSHOWN = -1;
void headless_queue_answer(int answer);
const std::vector<RecordedMessageBox>& headless_message_boxes();
const std::vector<std::string>& headless_sounds();
// The sound files loaded at start and those refused (both emptied when they are freed).
const std::vector<std::string>& headless_loaded_sounds();
const std::vector<std::string>& headless_refused_sounds();

// Input.
void headless_push_event(const InputEvent& event);
void headless_move_cursor(int dx, int dy);
void headless_set_focus(bool focus);

// Virtual clock in microseconds. In auto mode every reading of the high-resolution
// counter advances it by AUTO_CLOCK_STEP_US, so a busy-wait ends after a
// deterministic number of readings; otherwise only headless_advance_clock moves it.
constexpr int64_t AUTO_CLOCK_STEP_US = 10;
void headless_set_auto_clock(bool automatic);
void headless_advance_clock(int64_t microseconds);
int64_t headless_clock_us();
// Of the clock's advance, what platform_sleep gave (the rest came from readings and waits).
int64_t headless_slept_us();
// Pretend the machine has no high-resolution counter.
void headless_set_performance_counter_available(bool available);

// The window as the core left it.
struct HeadlessWindow {
    bool exists;
    bool visible;
    bool fullscreen;
    bool context_current;
    int width;
    int height;
    std::string title;
};
HeadlessWindow headless_window();

// Counting the fragments of a stretch of drawing: how many were rasterised (shaded, or
// rejected by the depth test: the pipeline's fragment-shader invocations) and how many
// passed every test. False without a context, where it lacks the queries, or when a
// count is already running or none is.
bool headless_begin_fragment_count();
bool headless_end_fragment_count(uint64_t* rasterised, uint64_t* passed);

// The current colour buffer as RGB rows, top row first; false without a context.
bool headless_read_frame(std::vector<unsigned char>* rgb, int* width, int* height);
