// Little-endian byte assembly and all-or-nothing file output.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

void put_u16(std::vector<unsigned char>& out, uint16_t value);
void put_u32(std::vector<unsigned char>& out, uint32_t value);
void put_tag(std::vector<unsigned char>& out, const char (&tag)[5]);

// Writes the whole buffer; on failure removes the partial file (a truncated picture would
// only fail later, at load time) and returns false with errno describing the cause.
bool write_file(const std::string& path, const std::vector<unsigned char>& bytes);
