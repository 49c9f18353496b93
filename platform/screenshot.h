// Screenshots written behind the frame: the caller hands over the pixels it read and goes
// on at once; a thread of its own encodes each as a PNG and writes it, so no frame waits
// on the disk. Shared by both backends.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// Where screenshots go: $XDG_PICTURES_DIR, else the pictures directory named in
// $XDG_CONFIG_HOME/user-dirs.dirs (~/.config by default), else ~/Pictures; then zeb/.
std::string screenshot_dir();

// Queues `rgb` (width x height, 3 bytes a pixel, rows bottom first as GL reads them) to be
// written as DIR/zeb-YYYY-MM-DD_HH-MM-SS.png (with -2, -3, ... when that name is taken),
// and says on stderr where it went or why it could not be written. False, with nothing
// queued, when too many shots are still waiting for the disk.
bool screenshot_queue(std::vector<unsigned char> rgb, int width, int height);
// Waits until every queued shot is written and ends the writer.
void screenshot_finish();

// One picture as an RGB PNG: `rgb` holds width x height pixels, 3 bytes each, in rows
// from the bottom up (as GL reads them) when `bottom_first`, else from the top down.
// False when the file cannot be made or written; a partial file is then removed.
bool write_rgb_png(const char* path, const std::vector<unsigned char>& rgb, int width, int height, bool bottom_first);
