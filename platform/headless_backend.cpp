// Headless backend: an offscreen EGL pbuffer on Mesa's surfaceless platform.
//
// Why EGL and not OSMesa: OSMesa left Mesa in 25.1, while the surfaceless EGL platform
// with a pbuffer gives the same llvmpipe compatibility context on old and new Mesa and
// needs no display server. GL calls go through the same GLVND dispatch as the windowed
// program, so the core is linked once and runs unchanged on both backends.
#include "headless.h"
#include "record_play.h"
#include "sound_file.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <deque>
#include <iterator>

namespace {

struct Headless {
    // fault injection and the call log
    bool fail[static_cast<int>(HeadlessStep::Count)] = {};
    std::vector<std::string> call_log;
    bool display_mode_available = false; // fullscreen is possible
    int desktop_width = DESKTOP_WIDTH;   // what a fullscreen window covers
    int desktop_height = DESKTOP_HEIGHT;
    int viewport_width = 0; // drawable size override, 0: as asked
    int viewport_height = 0;
    std::string settings_path; // the user's settings file: none unless a test names one
    // message boxes and sounds
    std::deque<int> answers;
    std::vector<RecordedMessageBox> boxes;
    std::vector<std::string> sounds;         // every play request
    std::vector<std::string> loaded_sounds;  // read and converted at start
    std::vector<std::string> refused_sounds; // could not be, said on stderr
    // input
    std::deque<InputEvent> events;
    bool quit_posted = false;
    int quit_code = 0;
    int cursor_x = 0;
    int cursor_y = 0;
    bool focus = true;
    // time
    int64_t clock_us = 0;
    bool auto_clock = false;
    int64_t slept_us = 0; // of clock_us, what platform_sleep added
    bool performance_counter = true;
    // window and EGL objects
    HeadlessWindow window = {};
    bool have_dc = false;
    EGLDisplay display = EGL_NO_DISPLAY; // kept for the whole process once initialised
    EGLConfig config = nullptr;
    EGLSurface surface = EGL_NO_SURFACE;
    EGLContext context = EGL_NO_CONTEXT;
    // fragment counting
    GLuint fragment_queries[2] = {}; // rasterised, passed; live between begin and end
};

Headless g_headless;

// Depth buffers tried from the deepest down, as a pixel-format search would.
constexpr int PIXEL_DEPTHS[] = {32, 24, 16};

// clang-format off
const char* const STEP_NAMES[] = {
    "RegisterClass",   "UnregisterClass",      "ChangeDisplayMode", "CreateWindow",
    "DestroyWindow",   "GetDeviceContext",     "ReleaseDeviceContext",
    "ChoosePixelFormat", "SetPixelFormat",     "CreateContext",     "MakeCurrent",
    "ReleaseCurrent",  "DeleteContext",
};
// clang-format on
static_assert(std::size(STEP_NAMES) == static_cast<size_t>(HeadlessStep::Count));

// Logs the step and tells whether it has been told to fail.
bool step(HeadlessStep s) {
    g_headless.call_log.push_back(STEP_NAMES[static_cast<int>(s)]);
    return !g_headless.fail[static_cast<int>(s)];
}

bool egl_display() {
    Headless& h = g_headless;
    if (h.display != EGL_NO_DISPLAY) return true;
    auto get_platform_display =
        reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (!get_platform_display) return false;
    EGLDisplay display = get_platform_display(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    if (display == EGL_NO_DISPLAY || !eglInitialize(display, nullptr, nullptr)) return false;
    h.display = display;
    return true;
}

void destroy_egl_objects() {
    Headless& h = g_headless;
    if (h.display == EGL_NO_DISPLAY) return;
    eglMakeCurrent(h.display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    if (h.context != EGL_NO_CONTEXT) eglDestroyContext(h.display, h.context);
    if (h.surface != EGL_NO_SURFACE) eglDestroySurface(h.display, h.surface);
    h.context = EGL_NO_CONTEXT;
    h.surface = EGL_NO_SURFACE;
    h.window.context_current = false;
}

} // namespace

const char* headless_step_name(HeadlessStep s) { return STEP_NAMES[static_cast<int>(s)]; }

void headless_reset() {
    destroy_egl_objects();
    const EGLDisplay display = g_headless.display;
    g_headless = Headless{};
    g_headless.display = display;
    record_play_reset(); // the layer above counts the boxes and would record or play on
}

void headless_fail_step(HeadlessStep s, bool fail) { g_headless.fail[static_cast<int>(s)] = fail; }
const std::vector<std::string>& headless_call_log() { return g_headless.call_log; }
void headless_clear_call_log() { g_headless.call_log.clear(); }
void headless_set_display_mode_available(bool available) { g_headless.display_mode_available = available; }
void headless_set_desktop(int width, int height) {
    g_headless.desktop_width = width;
    g_headless.desktop_height = height;
}
void headless_set_viewport(int width, int height) {
    g_headless.viewport_width = width;
    g_headless.viewport_height = height;
}
void headless_set_settings_path(const std::string& path) { g_headless.settings_path = path; }
std::string platform_settings_path() { return g_headless.settings_path; }
void headless_queue_answer(int answer) { g_headless.answers.push_back(answer); }
const std::vector<RecordedMessageBox>& headless_message_boxes() { return g_headless.boxes; }
const std::vector<std::string>& headless_sounds() { return g_headless.sounds; }
const std::vector<std::string>& headless_loaded_sounds() { return g_headless.loaded_sounds; }
const std::vector<std::string>& headless_refused_sounds() { return g_headless.refused_sounds; }
void headless_push_event(const InputEvent& event) { g_headless.events.push_back(event); }
namespace {
// The cursor stays within a screen far larger than any real one: no overflow.
constexpr int64_t CURSOR_LIMIT = 1 << 20;
int moved(int position, int delta) {
    const int64_t to = static_cast<int64_t>(position) + delta;
    return static_cast<int>(std::clamp(to, -CURSOR_LIMIT, CURSOR_LIMIT));
}
} // namespace
void headless_move_cursor(int dx, int dy) {
    g_headless.cursor_x = moved(g_headless.cursor_x, dx);
    g_headless.cursor_y = moved(g_headless.cursor_y, dy);
}
void headless_set_focus(bool focus) { g_headless.focus = focus; }
void headless_set_auto_clock(bool automatic) { g_headless.auto_clock = automatic; }
void headless_advance_clock(int64_t microseconds) { g_headless.clock_us += microseconds; }
int64_t headless_clock_us() { return g_headless.clock_us; }
int64_t headless_slept_us() { return g_headless.slept_us; }
void headless_set_performance_counter_available(bool available) { g_headless.performance_counter = available; }
HeadlessWindow headless_window() { return g_headless.window; }

bool headless_read_frame(std::vector<unsigned char>* rgb, int* width, int* height) {
    const Headless& h = g_headless;
    if (!h.window.context_current) return false;
    const int w = h.window.width, ht = h.window.height;
    std::vector<unsigned char> bottom_up(static_cast<size_t>(w) * ht * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, w, ht, GL_RGB, GL_UNSIGNED_BYTE, bottom_up.data());
    rgb->resize(bottom_up.size());
    const size_t row = static_cast<size_t>(w) * 3;
    for (int y = 0; y < ht; ++y) std::copy_n(&bottom_up[static_cast<size_t>(ht - 1 - y) * row], row, &(*rgb)[y * row]);
    *width = w;
    *height = ht;
    return true;
}

namespace {

// The query entry points, or null entries where the current context lacks pipeline
// statistics or occlusion queries, or the 64-bit results timer queries bring.
struct QueryCalls {
    PFNGLGENQUERIESPROC gen = nullptr;
    PFNGLDELETEQUERIESPROC remove = nullptr;
    PFNGLBEGINQUERYPROC begin = nullptr;
    PFNGLENDQUERYPROC end = nullptr;
    PFNGLGETQUERYOBJECTUI64VPROC result = nullptr;
};

QueryCalls query_calls() {
    QueryCalls q;
    const char* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    if (!extensions || !strstr(extensions, "GL_ARB_pipeline_statistics_query") ||
        !strstr(extensions, "GL_ARB_occlusion_query") || !strstr(extensions, "GL_ARB_timer_query"))
        return q;
    q.gen = reinterpret_cast<PFNGLGENQUERIESPROC>(eglGetProcAddress("glGenQueries"));
    q.remove = reinterpret_cast<PFNGLDELETEQUERIESPROC>(eglGetProcAddress("glDeleteQueries"));
    q.begin = reinterpret_cast<PFNGLBEGINQUERYPROC>(eglGetProcAddress("glBeginQuery"));
    q.end = reinterpret_cast<PFNGLENDQUERYPROC>(eglGetProcAddress("glEndQuery"));
    q.result = reinterpret_cast<PFNGLGETQUERYOBJECTUI64VPROC>(eglGetProcAddress("glGetQueryObjectui64v"));
    if (!q.gen || !q.remove || !q.begin || !q.end || !q.result) q = QueryCalls{};
    return q;
}

} // namespace

bool headless_begin_fragment_count() {
    Headless& h = g_headless;
    if (!h.window.context_current || h.fragment_queries[0] != 0) return false;
    const QueryCalls q = query_calls();
    if (!q.gen) return false;
    q.gen(2, h.fragment_queries);
    q.begin(GL_FRAGMENT_SHADER_INVOCATIONS_ARB, h.fragment_queries[0]);
    q.begin(GL_SAMPLES_PASSED, h.fragment_queries[1]);
    return true;
}

bool headless_end_fragment_count(uint64_t* rasterised, uint64_t* passed) {
    Headless& h = g_headless;
    if (!h.window.context_current || h.fragment_queries[0] == 0) return false;
    const QueryCalls q = query_calls();
    if (!q.gen) return false;
    q.end(GL_FRAGMENT_SHADER_INVOCATIONS_ARB);
    q.end(GL_SAMPLES_PASSED);
    GLuint64 counts[2] = {};
    for (int i = 0; i < 2; ++i) q.result(h.fragment_queries[i], GL_QUERY_RESULT, &counts[i]);
    q.remove(2, h.fragment_queries);
    h.fragment_queries[0] = h.fragment_queries[1] = 0;
    *rasterised = counts[0];
    *passed = counts[1];
    return true;
}

// --- the platform contract -------------------------------------------------------------

int backend_message_box(const char* text, const char* caption, unsigned style, int unanswered, bool* shown) {
    Headless& h = g_headless;
    const bool yes_no = (style & 0xF) == MB_YESNO;
    int answer = yes_no ? IDNO : IDOK;
    *shown = true;
    if (yes_no && !h.answers.empty()) {
        answer = h.answers.front();
        h.answers.pop_front();
        if (answer == HEADLESS_UNSHOWN) {
            *shown = false;
            answer = unanswered != 0 ? unanswered : IDNO;
            fprintf(stderr, "zeb: could not show a message box\n  %s: %s\n  answered %s\n", caption ? caption : "",
                    text ? text : "", answer == IDYES ? "Yes" : "No");
        }
    }
    h.boxes.push_back({caption ? caption : "", text ? text : "", style, answer, *shown});
    return answer;
}

bool platform_check_display(char*, size_t) { return true; }

bool platform_register_class() { return step(HeadlessStep::RegisterClass); }

bool platform_unregister_class() { return step(HeadlessStep::UnregisterClass); }

bool backend_change_display_mode(int, int, int, int* desktop_width, int* desktop_height) {
    if (!step(HeadlessStep::ChangeDisplayMode) || !g_headless.display_mode_available) return false;
    *desktop_width = g_headless.desktop_width;
    *desktop_height = g_headless.desktop_height;
    return true;
}

void platform_restore_display_mode() {}
void platform_show_cursor(bool) {}

bool platform_create_window(const char* title, int width, int height, bool fullscreen) {
    if (!step(HeadlessStep::CreateWindow)) return false;
    HeadlessWindow& w = g_headless.window;
    w = HeadlessWindow{};
    w.exists = true;
    w.fullscreen = fullscreen;
    w.width = fullscreen ? g_headless.desktop_width : width;
    w.height = fullscreen ? g_headless.desktop_height : height;
    if (g_headless.viewport_width > 0 && g_headless.viewport_height > 0) {
        w.width = g_headless.viewport_width;
        w.height = g_headless.viewport_height;
    }
    w.title = title;
    return true;
}

void platform_set_min_client_size(int, int) {} // a script's viewport is what it says

bool platform_get_client_size(int* width, int* height) {
    if (!g_headless.window.exists) return false;
    *width = g_headless.window.width;
    *height = g_headless.window.height;
    return true;
}

bool platform_destroy_window() {
    if (!step(HeadlessStep::DestroyWindow)) return false;
    g_headless.window.exists = false;
    g_headless.window.visible = false;
    return true;
}

bool platform_get_device_context() {
    if (!step(HeadlessStep::GetDeviceContext) || !g_headless.window.exists) return false;
    g_headless.have_dc = true;
    return true;
}

bool platform_release_device_context() {
    if (!step(HeadlessStep::ReleaseDeviceContext)) return false;
    g_headless.have_dc = false;
    return true;
}

int platform_choose_pixel_format(int color_bits, int depth_bits) {
    Headless& h = g_headless;
    if (!step(HeadlessStep::ChoosePixelFormat) || !egl_display()) return 0;
    for (size_t i = 0; i < std::size(PIXEL_DEPTHS); ++i) {
        if (PIXEL_DEPTHS[i] > depth_bits) continue;
        const EGLint channel = color_bits >= 24 ? 8 : 5;
        const EGLint attributes[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT,
                                     EGL_RED_SIZE,     channel,         EGL_GREEN_SIZE,      channel,
                                     EGL_BLUE_SIZE,    channel,         EGL_DEPTH_SIZE,      PIXEL_DEPTHS[i],
                                     EGL_NONE};
        EGLint found = 0;
        if (eglChooseConfig(h.display, attributes, &h.config, 1, &found) && found == 1) return static_cast<int>(i) + 1;
    }
    return 0;
}

bool platform_set_pixel_format(int format) {
    Headless& h = g_headless;
    if (!step(HeadlessStep::SetPixelFormat) || format < 1 || !h.have_dc) return false;
    const EGLint size[] = {EGL_WIDTH, h.window.width, EGL_HEIGHT, h.window.height, EGL_NONE};
    h.surface = eglCreatePbufferSurface(h.display, h.config, size);
    if (h.surface == EGL_NO_SURFACE) return false;
    return true;
}

bool platform_create_context() {
    Headless& h = g_headless;
    if (!step(HeadlessStep::CreateContext) || h.surface == EGL_NO_SURFACE) return false;
    eglBindAPI(EGL_OPENGL_API);
    h.context = eglCreateContext(h.display, h.config, EGL_NO_CONTEXT, nullptr);
    return h.context != EGL_NO_CONTEXT;
}

bool platform_make_current() {
    Headless& h = g_headless;
    if (!step(HeadlessStep::MakeCurrent) || h.context == EGL_NO_CONTEXT) return false;
    if (!eglMakeCurrent(h.display, h.surface, h.surface, h.context)) return false;
    h.window.context_current = true;
    return true;
}

bool platform_release_current() {
    Headless& h = g_headless;
    if (!step(HeadlessStep::ReleaseCurrent)) return false;
    eglMakeCurrent(h.display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    h.window.context_current = false;
    return true;
}

bool platform_delete_context() {
    if (!step(HeadlessStep::DeleteContext)) return false;
    // The pbuffer stands in for the window's drawable and goes with its context.
    destroy_egl_objects();
    return true;
}

void platform_show_window() { g_headless.window.visible = true; }

void backend_swap_buffers() {
    // A pbuffer has a single buffer: what was drawn stays readable until the next frame.
    // Wait for the frame as a real swap does: with only a flush the driver queues frame
    // after frame and the process grows by hundreds of megabytes in a long replay.
    if (g_headless.window.context_current) glFinish();
}

// The script's window system never goes away.
void platform_set_last_words(void (*)()) {}

// The script's events are all there already: a wait only lets the clock run on.
bool platform_wait_event(uint32_t timeout_ms) {
    Headless& h = g_headless;
    if (!h.events.empty() || h.quit_posted) return true;
    h.clock_us += static_cast<int64_t>(timeout_ms) * 1000;
    return false;
}

void platform_sleep(uint32_t ms) {
    g_headless.clock_us += static_cast<int64_t>(ms) * 1000;
    g_headless.slept_us += static_cast<int64_t>(ms) * 1000;
}

bool backend_poll_event(InputEvent* event) {
    Headless& h = g_headless;
    if (!h.events.empty()) {
        *event = h.events.front();
        h.events.pop_front();
        return true;
    }
    if (h.quit_posted) {
        h.quit_posted = false;
        *event = quit_event(h.quit_code);
        return true;
    }
    return false;
}

void platform_post_quit(int exit_code) {
    g_headless.quit_posted = true;
    g_headless.quit_code = exit_code;
}

void platform_default_input(const InputEvent&) {}

void backend_get_cursor_pos(int* x, int* y) {
    *x = g_headless.cursor_x;
    *y = g_headless.cursor_y;
}

bool backend_set_cursor_pos(int x, int y) {
    g_headless.cursor_x = x;
    g_headless.cursor_y = y;
    return true;
}

bool backend_has_focus() { return g_headless.focus; }

bool platform_query_performance_frequency(int64_t* frequency) {
    *frequency = g_headless.performance_counter ? 1000000 : 0;
    return g_headless.performance_counter;
}

int64_t platform_query_performance_counter() {
    const int64_t now = g_headless.clock_us;
    if (g_headless.auto_clock) g_headless.clock_us += AUTO_CLOCK_STEP_US;
    return now;
}

uint32_t platform_time_get_time() { return static_cast<uint32_t>(g_headless.clock_us / 1000); }
uint32_t platform_tick_count() { return static_cast<uint32_t>(g_headless.clock_us / 1000); }

// Sounds are read and converted as the real program does, so a damaged file is refused
// the same way, but nothing plays: a play request is only recorded.
bool platform_load_sound(const char* path) {
    std::vector<int16_t> samples;
    std::string why;
    if (!read_sound_file(path, &samples, &why)) {
        fprintf(stderr, "%s\n", sound_refusal_line(path, why).c_str());
        g_headless.refused_sounds.push_back(path ? path : "");
        return false;
    }
    g_headless.loaded_sounds.push_back(path);
    return true;
}

void platform_play_sound(const char* path) { g_headless.sounds.push_back(path ? path : ""); }

int backend_sound_requests() { return static_cast<int>(g_headless.sounds.size()); }

bool platform_context_current() { return g_headless.window.context_current; }

void platform_free_sounds() {
    g_headless.loaded_sounds.clear();
    g_headless.refused_sounds.clear();
}
