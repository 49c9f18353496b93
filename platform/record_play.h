// Recording and playing back, between the core and a backend.
//
// The core asks platform.h for its inputs: input events, the pointer, the focus, message-box
// answers, whether fullscreen is possible and the desktop's size, and it ends every frame
// with a buffer swap. record_play.cpp answers those calls for every backend: it asks the
// backend below through the functions declared here, writes what the backend answered to a
// recording, or hands over a played recording's inputs instead. A backend only translates
// its window system's events into the contract's inputs and knows nothing of recordings,
// so a new backend records and plays without writing either again.
//
// It lives in platform/ because it is built from the platform's own parts (the script
// reader, the write-behind file) and the core above must not know which backend it runs
// on; the core calls it through platform.h alone.
#pragma once

#include "platform.h"

// Each backend implements these; the layer is their only caller.
bool backend_poll_event(InputEvent* event);
void backend_get_cursor_pos(int* x, int* y);
// False when the pointer could not be put anywhere (no window yet).
bool backend_set_cursor_pos(int x, int y);
bool backend_has_focus();
// The answer to the box; `shown` false when it could not be shown and `unanswered`'s
// answer was taken (see platform_message_box).
int backend_message_box(const char* text, const char* caption, unsigned style, int unanswered, bool* shown);
// Whether fullscreen is possible and, when it is, the desktop a fullscreen window covers.
bool backend_change_display_mode(int width, int height, int bits, int* desktop_width, int* desktop_height);
void backend_swap_buffers();
// Every platform_play_sound call so far.
int backend_sound_requests();

// Back to the state at process start: a recording is closed, a played one given up and
// the counts emptied. For a backend's reset (the headless one between scripts and tests).
void record_play_reset();
