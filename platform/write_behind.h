// A text file written behind the caller: appending copies the text into memory and returns;
// a thread of its own writes it out. For a recording made while the user plays, whose
// frames must never wait on the disk.
#pragma once

#include <string>

// Opens (truncates) the file and starts the writer; false with the reason in `why`.
bool write_behind_open(const char* path, std::string* why);
void write_behind_append(const std::string& text);
// Waits for everything appended to be written, closes the file and ends the writer. False
// when any write failed. Nothing happens when no file is open.
bool write_behind_close();
bool write_behind_is_open();
