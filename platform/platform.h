// The platform contract: everything the core needs from the operating system.
//
// The core (app/, nav/, assets/, render/, scene/, weapons/) includes this header and
// nothing of SDL, EGL, FreeType, fontconfig or POSIX. Two backends implement it:
// sdl_backend.cpp for `zeb` and headless_backend.cpp for `zeb-replay` and the tests.
// font_glyphs.cpp, file_map.cpp and script.cpp (the script parser) are shared by both,
// and so is record_play.cpp: the calls that hand the core its inputs (events, the
// pointer, the focus, message-box answers, whether fullscreen is possible and the
// desktop's size, frame ends, the activity counts) are answered there, on top of the
// backend's own (record_play.h), so that recording and playing back work the same over
// every backend and no backend knows of them.
//
// Contract, in the order the core uses it:
//
//  Window and context (open_window / close_window call these in this order; each
//  returns false on failure and the core shows the failure text):
//    platform_register_class      make the window system usable (once per open)
//    platform_change_display_mode make fullscreen possible; false if it is not. The
//                                 SDL backend uses the desktop's own mode (no mode
//                                 switch, as SDL's desktop fullscreen does), so the
//                                 window may be larger than the w x h asked for
//    platform_create_window       create the (hidden) window: client area w x h where
//                                 the window manager places it (centred on a screen
//                                 without one), or borderless over the whole desktop
//                                 when fullscreen
//    platform_set_min_client_size the smallest client area the user may resize it to
//    platform_get_client_size     the window's real client area; the core sizes its
//                                 view and perspective from it, not from the request
//    platform_get_device_context  obtain the window's drawable
//    platform_choose_pixel_format double-buffered RGBA, the deepest depth buffer up
//                                 to the requested bits; returns 0 when none fits
//    platform_set_pixel_format    apply the chosen format to the drawable
//    platform_create_context      OpenGL context of at least 1.1 with GLU usable
//    platform_make_current        make it current on this thread
//    platform_show_window         show, raise, take the keyboard focus
//  and, for closing, the inverse steps, each reporting failure the same way.
//  The OpenGL context must offer the OpenGL 1.1 entry points through the system GL
//  library the core links against.
//
//  Message boxes: platform_message_box shows a box and waits for the answer. When the
//  box cannot be shown at all (no display, no usable font, the toolkit failed), the
//  backend does not decide the program's fate: it takes the answer the caller named
//  as the one that keeps the user working (`unanswered`; 0 means No for a Yes/No box
//  and OK otherwise) and says on stderr that it could not ask and what it answered.
//  The headless backend answers from its script and records every box.
//
//  Display: platform_check_display (zeb's entry only) tells whether a display the user
//  can see is there; an invisible fallback (SDL's offscreen or dummy driver) is none.
//  Data: platform_find_data_dir makes the directory holding `text/` the working
//  directory: the working directory itself, else the executable's directory, else
//  ../share/zeb beside it (an installed program), else the directory ZEB_DATA names;
//  when none holds it, it lists every place it tried.
//
//  Input: platform_poll_event hands over one pending input event at a time (input_event.h):
//  keys by the Key they are, mouse buttons, the client area's new size, focus changes
//  (with whether the window is also minimised), close requests, system requests (the
//  screen saver, monitor power) and the core's own quit. A backend only translates its
//  window system's events into these. Keyboard auto-repeat produces repeated key-downs.
//  Alt, F10 and keys pressed with Alt arrive as system keys, which the core leaves to
//  platform_default_input. platform_wait_event sleeps until an event is pending, for at
//  most the time given. platform_post_quit queues a quit event that is returned once
//  every earlier event has been handed over.
//  A window the user may resize reports every new client size as a resize. A
//  window that another client destroyed is reported once as a close request, and the
//  system's complaints about it afterwards end nothing; a window hidden from view (minimised,
//  unmapped) is reported as a focus loss with the window minimised. A request to end the
//  process (SIGTERM, SIGINT, SIGHUP) is reported once as a close request too. No call waits on the
//  window system without a bound. When the window system itself goes away, the backend
//  runs the core's last words (platform_set_last_words) and ends the process with
//  EXIT_DISPLAY_LOST.
//
//  Cursor: positions are client-area pixels, origin top left. A reading after a
//  platform_set_cursor_pos is where the pointer was put plus what the user moved it
//  since, even when the window itself moved in between (a window manager restoring it).
//  Every window shows the same cursor: a crosshair where it is shown at all.
//  Time: a high-resolution counter (may be missing: frequency query returns false),
//  a millisecond multimedia time and a millisecond tick count, all monotonic.
//  Sound: platform_load_sound reads and converts a sound file once, at start, with a
//  bound on its cost (sound_file.h); a file that cannot be read or is too long is
//  refused with one line on stderr naming it, and stays silent. Without a sound device
//  the first load says once on stderr that sounds are off, and the audio libraries
//  print nothing of their own. platform_play_sound starts a loaded sound and cuts the
//  one still playing: it never reads a file and never waits. platform_free_sounds
//  releases the sounds and the device at the end.
//  Files: platform_map_file gives a read-only view of a whole file, platform_open_file
//  a stream to read one. Both take regular files only: anything else (a FIFO, a
//  directory, a device, a socket) is refused at once, as a missing file is, and never
//  waited on (a FIFO without a writer would block the open for ever).
//  Settings: platform_read_settings reads the user's settings file whole, once, at start:
//  zeb's $XDG_CONFIG_HOME/zeb/zeb.conf (~/.config/zeb/zeb.conf when XDG_CONFIG_HOME is
//  unset, empty or relative; none without an absolute HOME). The headless backend names
//  no file unless a test names one (headless_set_settings_path). A missing file is no
//  file; one that is no regular file or cannot be read is refused with the reason, never
//  waited on; it is read to at most a bound. The file is never written or created.
//  Fonts: platform_render_font_glyphs rasterises a run of characters to 1-bit rows.
//  Activity: platform_activity counts the message boxes and sound requests so far, and
//  platform_context_current tells whether a rendering context is current (the state's
//  readers ask GL only then).
//  Screenshots: platform_screenshot reads the frame just drawn (the viewport of the buffer
//  drawn into, before the swap) and hands it to a writer thread of its own, which writes
//  it as a PNG into the user's pictures directory (screenshot.h) and says on stderr where;
//  the caller never waits on the disk. platform_finish_screenshots waits for the writes.
//  Recording (zeb's entry uses it; any backend has it): from platform_record_start on,
//  every input the backend hands the core (events, pointer readings, focus changes,
//  message-box answers, the desktop's size and whether fullscreen is possible, frame
//  ends) is written to a file as a zeb-replay script, by a writer that never makes the
//  caller wait; the first write that fails stops the recording, keeping what was
//  written, and platform_record_failed reports it once, for the core to tell the user.
//  platform_play_start plays such a script back: its events, pointer, focus and
//  answers stand in for the backend's, which still shows the window and draws; its
//  `setting` lines are handed to the core (platform_play_settings), which plays with
//  them instead of the user's.
#pragma once

#include "input_event.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

// Message boxes: a button set and an icon, answered with the button pressed.
enum MessageBoxStyle {
    MB_OK = 0x0,
    MB_YESNO = 0x4,
    MB_ICONSTOP = 0x10,
    MB_ICONQUESTION = 0x20,
    MB_ICONEXCLAMATION = 0x30,
    MB_ICONINFORMATION = 0x40,
};
enum MessageBoxAnswer { IDOK = 1, IDYES = 6, IDNO = 7 };

// `unanswered`: the answer taken when the box cannot be shown (see the contract above).
int platform_message_box(const char* text, const char* caption, unsigned style, int unanswered = 0);

// zeb's entry: false, with the reason in `why`, when no display the user can see is
// there. The headless backend has none to check and returns true.
bool platform_check_display(char* why, size_t why_size);
// Makes the directory that holds `marker` (a relative directory such as "text") the
// working directory: the working directory when it has one, else the directory of the
// executable, else ../share/zeb relative to that directory, else $ZEB_DATA. False,
// leaving the working directory as it was, when none has it; `looked` then lists the
// places tried, one indented line each.
bool platform_find_data_dir(const char* marker, char* looked, size_t looked_size);

// Window and context steps (see the contract above).
bool platform_register_class();
bool platform_unregister_class();
bool platform_change_display_mode(int width, int height, int bits);
void platform_restore_display_mode();
void platform_show_cursor(bool show);
bool platform_create_window(const char* title, int width, int height, bool fullscreen);
void platform_set_min_client_size(int width, int height);
// The real client area of the window; false when there is no window.
bool platform_get_client_size(int* width, int* height);
bool platform_destroy_window();
bool platform_get_device_context();
bool platform_release_device_context();
int platform_choose_pixel_format(int color_bits, int depth_bits);
bool platform_set_pixel_format(int format);
bool platform_create_context();
bool platform_make_current();
bool platform_release_current();
bool platform_delete_context();
void platform_show_window();
void platform_swap_buffers();

// Input.
bool platform_poll_event(InputEvent* event);
// Sleeps until an input event is pending or timeout_ms have passed, whichever comes
// first; true when one is pending. The headless backend advances its clock instead.
bool platform_wait_event(uint32_t timeout_ms);
// Sleeps for about `ms` milliseconds whatever arrives (it may overrun a little). The
// headless backend advances its clock by exactly that much instead.
void platform_sleep(uint32_t ms);
void platform_post_quit(int exit_code);
// Run once, just before the process ends because the window system went away.
constexpr int EXIT_DISPLAY_LOST = 1;
void platform_set_last_words(void (*last_words)());
// What the system does with an event the core leaves to it (system keys, system requests
// other than the screen saver's and the monitor's).
void platform_default_input(const InputEvent& event);

// Cursor, in client-area pixels. has_focus tells whether the window owns the input.
void platform_get_cursor_pos(int* x, int* y);
void platform_set_cursor_pos(int x, int y);
bool platform_has_focus();

// Time.
bool platform_query_performance_frequency(int64_t* frequency);
int64_t platform_query_performance_counter();
uint32_t platform_time_get_time();
uint32_t platform_tick_count();

// Sound.
bool platform_load_sound(const char* path);
void platform_play_sound(const char* path);
void platform_free_sounds();

// Files: a read-only view of a whole file. Returns false for a missing, unreadable or
// empty file and for one that is no regular file. The view stays valid until
// platform_unmap_file.
struct MappedFile {
    const unsigned char* data;
    size_t size;
    int handle;
};
bool platform_map_file(const char* path, MappedFile* file);
void platform_unmap_file(MappedFile* file);
// A regular file opened for reading, closed with fclose. Null for a missing or unreadable
// file and for one that is no regular file; `why`, when given, then says which (the
// system's reason, or "not a regular file"; a static text).
FILE* platform_open_file(const char* path, const char** why = nullptr);

// The user's settings file: its path (platform_settings_path; "" when there is none), and
// its text, at most `limit` + 1 bytes of it so that a larger file shows as one. Missing:
// no file there (the defaults hold, nothing is said); Refused: `why` says why.
enum class SettingsFile { Read, Missing, Refused };
std::string platform_settings_path();
SettingsFile platform_read_settings(size_t limit, std::string* path, std::string* text, std::string* why);

// Fonts: one glyph as a 1-bit bitmap, rows bottom first, each row padded to whole
// bytes, most significant bit leftmost (the layout glBitmap takes with an unpack
// alignment of 1). origin_x/origin_y place the pen point inside the bitmap; advance is
// the pen step in pixels.
struct GlyphBitmap {
    int width;
    int height;
    float origin_x;
    float origin_y;
    float advance;
    unsigned char* rows; // owned by the GlyphRun
};
struct GlyphRun {
    int count;
    GlyphBitmap* glyphs;
};
// Resolves family with the given pixel height and weight (700 = bold) and renders the
// characters first..first+count-1. Returns false (and an empty run) when no font fits.
// Activity so far: what the program's state counts.
struct PlatformActivity {
    int message_boxes;         // every box asked for
    int unshown_message_boxes; // of those, the ones that could not be shown
    int sound_requests;        // every platform_play_sound call
};
PlatformActivity platform_activity();
bool platform_context_current();

// Screenshots (see the contract above). False when the shot was not taken: no frame, or
// too many shots still waiting for the disk (said on stderr).
bool platform_screenshot();
void platform_finish_screenshots();

// Recording: the script starts with what the session was started with (the desktop's
// size, whether fullscreen is possible, the start-up answer given on the command line:
// IDYES, IDNO or 0). False, with the reason in `why`, when the file cannot be written.
bool platform_record_start(const char* path, int startup_answer, char* why, size_t why_size);
// A line of the core's own (the final state's checks), after everything recorded so far.
void platform_record_line(const char* line);
// Writes what is left and closes the file; false when anything could not be written,
// with the file and the reason in `why` when given.
bool platform_record_stop(char* why = nullptr, size_t why_size = 0);
// True once a write of the recording has failed (a full disk, a file that takes no data):
// the recording is then stopped, what was written before stays, and `why` holds the file
// and the reason. Asked once a loop iteration, so the user learns of it while playing.
bool platform_record_failed(char* why, size_t why_size);
// Playing a recording in the window: from here on the script's inputs stand in for the
// user's (only closing the window and Escape still act), until its last line. False, with
// the reason, when it cannot be read or is no recording; `startup_answer` becomes the
// start-up answer it was recorded with (IDYES, IDNO) or 0.
bool platform_play_start(const char* path, int* startup_answer, char* why, size_t why_size);
// True from platform_play_start until the recording's last input has been played.
bool platform_playing();
// The played recording's checks of the final state: field name and value as recorded.
struct PlayCheck {
    const char* name;
    const char* value;
};
size_t platform_play_checks(const PlayCheck** checks);
// The played recording's settings, in order: each `setting` line's words after the command
// ("mouse_sensitivity 1.5", "bind Space jump") and its line number, for a refusal to name.
struct PlaySetting {
    int line;
    const char* text;
};
size_t platform_play_settings(const PlaySetting** settings);

bool platform_render_font_glyphs(const char* family, int pixel_height, int weight, int first, int count, GlyphRun* run);
void platform_free_glyph_run(GlyphRun* run);
