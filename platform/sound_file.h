// Sound files read once, with limits, into the one format both backends play.
//
// A sound is a WAV file of integer PCM (8, 16, 24 or 32 bits) or 32-bit float samples,
// 1 to 8 channels, 1,000 to 192,000 frames a second. It is converted to interleaved
// 16-bit stereo at SOUND_RATE. The limits keep a damaged or oversized file from costing
// more than a few MB: the file size is checked before anything is read, the length
// before anything is converted.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

constexpr int SOUND_RATE = 44100;
constexpr int SOUND_CHANNELS = 2;
constexpr double SOUND_MAX_SECONDS = 10;           // 1.7 MB once converted
constexpr size_t SOUND_MAX_FILE_BYTES = 16u << 20; // 10 s of 8 channels of 16 bits at 96 kHz

// Converts a whole WAV file image. False, with a short reason in `why`, when it is not a
// sound this program plays; `samples` is then empty.
bool decode_wav(const unsigned char* data, size_t size, std::vector<int16_t>* samples, std::string* why);

// Reads and converts the file at `path`; a missing file, a directory or an empty file
// cannot be read.
bool read_sound_file(const char* path, std::vector<int16_t>* samples, std::string* why);

// The one line both backends print on stderr for a sound they refuse.
std::string sound_refusal_line(const char* path, const std::string& why);
