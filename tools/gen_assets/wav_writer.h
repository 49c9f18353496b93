// Writes 16-bit PCM mono WAVE files.
#pragma once

#include <string>
#include <vector>

// Samples in [-1, 1] (clipped outside). False, with errno set, when the file cannot be written.
bool write_wav16(const std::string& path, const std::vector<double>& samples, int sample_rate);
