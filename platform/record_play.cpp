// The core's input calls, recorded or played on top of whichever backend runs (see
// record_play.h).
#include "record_play.h"

#include "script.h"
#include "script_input.h"
#include "write_behind.h"

#include <cstdio>
#include <string>

namespace {

// A recording: every input the core reads from the backend, as the zeb-replay script that
// hands the headless backend the same inputs in the same order. A frame's line waits until
// the next loop iteration polls, so the pointer reading, the focus and the answers after
// its buffer swap come before it, where zeb-replay needs them.
struct Recording {
    bool on = false;              // platform_record_start succeeded
    bool frame_presented = false; // a frame was presented and is not counted yet
    int frames_unwritten = 0;     // frames with nothing between them, written as one `frames N`
    bool focus = true;            // the focus the script has set (zeb-replay starts with the input)
    bool cursor_known = false;    // the script's cursor has been put somewhere
    int cursor_x = 0;             // where the script has put zeb-replay's cursor, in client pixels
    int cursor_y = 0;
    bool desktop_written = false; // the desktop's size and whether fullscreen is possible are said
    bool display_mode = false;    // what was said of fullscreen
    std::string path;             // the file being recorded to, for saying which one failed
};

struct RecordPlay {
    Recording recording;
    int message_boxes = 0;         // every box asked for, played ones included
    int unshown_message_boxes = 0; // of those, the ones that could not be shown
};

RecordPlay g_layer;

void record(const std::string& line) {
    Recording& r = g_layer.recording;
    if (!r.on) return;
    std::string text;
    if (r.frames_unwritten > 0) text = "frames " + std::to_string(r.frames_unwritten) + "\n";
    r.frames_unwritten = 0;
    write_behind_append(text + line + "\n");
}

void close_recorded_frame() {
    Recording& r = g_layer.recording;
    if (!r.frame_presented) return;
    r.frame_presented = false;
    r.frames_unwritten += 1;
}

void record_focus(bool focus) {
    Recording& r = g_layer.recording;
    if (!r.on || focus == r.focus) return;
    r.focus = focus;
    record(focus ? "focus yes" : "focus no");
}

// The event as the script line that makes zeb-replay hand over the same one; a quit is the
// core's own request and is not recorded.
void record_event(const InputEvent& event) {
    const std::string line = script_line_of(event);
    if (!line.empty()) record(line);
}

// zeb-replay's desktop: the size a fullscreen window covers, and whether there is one.
void record_desktop(bool possible, int width, int height) {
    Recording& r = g_layer.recording;
    if (!r.on || (r.desktop_written && r.display_mode == possible)) return;
    if (possible) record("desktop " + std::to_string(width) + " " + std::to_string(height));
    record(possible ? "displaymode yes" : "displaymode no");
    r.desktop_written = true;
    r.display_mode = possible;
}

// While a recording plays, its events stand in for the backend's; only a request to close
// the window, the core's own quit and the Escape key still come from the user.
bool next_played_event(InputEvent* event) {
    InputEvent real;
    while (backend_poll_event(&real)) {
        const bool escape =
            (real.kind == InputKind::KeyDown || real.kind == InputKind::KeyUp) && real.key == Key::Escape;
        if (real.kind == InputKind::Close || real.kind == InputKind::Quit || escape) {
            *event = real;
            return true;
        }
    }
    return script_input_next_event(event);
}

} // namespace

void record_play_reset() {
    write_behind_close();
    script_input_stop();
    g_layer = RecordPlay{};
}

bool platform_poll_event(InputEvent* event) {
    close_recorded_frame(); // every poll starts a loop iteration: the frame before is over
    if (script_input_active()) return next_played_event(event);
    if (!backend_poll_event(event)) return false;
    if (g_layer.recording.on) record_event(*event);
    return true;
}

void platform_swap_buffers() {
    backend_swap_buffers();
    if (script_input_active()) script_input_frame_presented();
    if (g_layer.recording.on) g_layer.recording.frame_presented = true;
}

void platform_get_cursor_pos(int* x, int* y) {
    if (script_input_active()) return script_input_get_cursor(x, y);
    backend_get_cursor_pos(x, y);
    Recording& r = g_layer.recording;
    if (r.on && r.cursor_known && (*x != r.cursor_x || *y != r.cursor_y))
        record("mouse " + std::to_string(*x - r.cursor_x) + " " + std::to_string(*y - r.cursor_y));
    r.cursor_x = *x;
    r.cursor_y = *y;
}

void platform_set_cursor_pos(int x, int y) {
    if (script_input_active()) return script_input_set_cursor(x, y); // the user's pointer stays free
    if (!backend_set_cursor_pos(x, y)) return;
    Recording& r = g_layer.recording;
    r.cursor_known = true; // zeb-replay's cursor goes exactly there
    r.cursor_x = x;
    r.cursor_y = y;
}

bool platform_has_focus() {
    if (script_input_active()) return script_input_focus();
    const bool focus = backend_has_focus();
    record_focus(focus);
    return focus;
}

bool platform_change_display_mode(int width, int height, int bits) {
    int desktop_width = 0, desktop_height = 0;
    const bool possible = backend_change_display_mode(width, height, bits, &desktop_width, &desktop_height);
    record_desktop(possible, desktop_width, desktop_height);
    return possible;
}

int platform_message_box(const char* text, const char* caption, unsigned style, int unanswered) {
    const bool yes_no = (style & 0xF) == MB_YESNO;
    bool shown = true;
    int answer = IDOK;
    if (script_input_active()) { // a played recording answers as the user did
        fprintf(stderr, "zeb: %s: %s\n", caption ? caption : "", text ? text : "");
        if (yes_no) answer = script_input_answer(unanswered, &shown);
    } else {
        answer = backend_message_box(text, caption, style, unanswered, &shown);
    }
    g_layer.message_boxes += 1;
    g_layer.unshown_message_boxes += shown ? 0 : 1;
    if (yes_no) record(!shown ? "answer unshown" : answer == IDYES ? "answer yes" : "answer no");
    return answer;
}

PlatformActivity platform_activity() {
    return PlatformActivity{g_layer.message_boxes, g_layer.unshown_message_boxes, backend_sound_requests()};
}

bool platform_playing() { return script_input_active(); }

size_t platform_play_checks(const PlayCheck** checks) {
    *checks = script_input_checks().data();
    return script_input_checks().size();
}

size_t platform_play_settings(const PlaySetting** settings) {
    *settings = script_input_settings().data();
    return script_input_settings().size();
}

bool platform_play_start(const char* path, int* startup_answer, char* why, size_t why_size) {
    std::string reason;
    if (script_input_load(path, &reason, startup_answer)) return true;
    snprintf(why, why_size, "%s", reason.c_str());
    return false;
}

bool platform_record_start(const char* path, int startup_answer, char* why, size_t why_size) {
    std::string reason;
    if (!write_behind_open(path, &reason)) {
        snprintf(why, why_size, "%s", reason.c_str());
        return false;
    }
    g_layer.recording = Recording{};
    g_layer.recording.on = true;
    g_layer.recording.path = path;
    record(std::string(SCRIPT_RECORDING_HEADER) + " `zeb-replay FILE` plays it headless and checks the final state.");
    if (startup_answer == IDNO) record("mode windowed");
    if (startup_answer == IDYES) record("mode fullscreen");
    return true;
}

void platform_record_line(const char* line) {
    close_recorded_frame();
    record(line);
}

bool platform_record_stop(char* why, size_t why_size) {
    Recording& r = g_layer.recording;
    if (!r.on) return true;
    r.on = false;
    std::string reason;
    if (write_behind_close(&reason)) return true;
    if (why) snprintf(why, why_size, "%s (%s)", r.path.c_str(), reason.c_str());
    return false;
}

bool platform_record_failed(char* why, size_t why_size) {
    if (!g_layer.recording.on || !write_behind_failed(nullptr)) return false;
    // Stopped at once: the inputs after the failure would only pile up in memory, and a
    // recording with a gap in it would replay to another state anyway.
    return !platform_record_stop(why, why_size);
}
