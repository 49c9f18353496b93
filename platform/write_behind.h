// A text file written behind the caller: appending copies the text into memory and returns;
// a thread of its own writes it out. For a recording made while the user plays, whose
// frames must never wait on the disk.
#pragma once

#include <string>

// Opens (truncates) the file and starts the writer; false with the reason in `why`.
bool write_behind_open(const char* path, std::string* why);
void write_behind_append(const std::string& text);
// True as soon as a write has failed (the writer flushes every batch, so a full disk or a
// file that takes no data shows at the first one), with the system's reason in `why`.
// What was written before stays; whatever is appended after is dropped.
bool write_behind_failed(std::string* why);
// Waits for everything appended to be written, closes the file and ends the writer. False,
// with the reason in `why` when given, when any write or the close failed. Nothing happens
// when no file is open.
bool write_behind_close(std::string* why = nullptr);
bool write_behind_is_open();
