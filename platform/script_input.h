// A recorded session's inputs standing in for the user's: zeb --play reads a script that
// zeb --record wrote and hands the core the same input events, pointer readings, focus and
// message-box answers, frame by frame, while the real window shows what happens.
#pragma once

#include "platform.h"

#include <string>
#include <vector>

// Reads the recording through once, a line at a time, keeping only its final checks; the
// inputs are read again as they play. False, with the file, the line and the reason in
// `why`, when it cannot be read, is no whole recording (see script_reader_next) or holds a
// line a recording does not; its `setting` lines are kept for the core. `startup_answer` becomes the recorded command line's answer
// (IDYES, IDNO) or 0.
bool script_input_load(const char* path, std::string* why, int* startup_answer);
// True from a successful load until every line has been played.
bool script_input_active();
// Gives the recording up and closes it: nothing plays, there are no checks.
void script_input_stop();

// The next recorded input event, playing lines as far as the next frame count; false when
// a frame is due (or the script is over).
bool script_input_next_event(InputEvent* event);
void script_input_frame_presented();
void script_input_get_cursor(int* x, int* y);
void script_input_set_cursor(int x, int y);
bool script_input_focus();
// The recording's checks of the final state, as `expect NAME == VALUE` lines gave them.
const std::vector<PlayCheck>& script_input_checks();
// The recording's settings, as its `setting` lines gave them.
const std::vector<PlaySetting>& script_input_settings();
// The recorded answer to a Yes/No box (No when none was recorded); `shown` is false when
// the recorded box could not be shown, and then the caller's fallback is the answer.
int script_input_answer(int unanswered, bool* shown);
