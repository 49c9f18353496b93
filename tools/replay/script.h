// zeb-replay's script lines: words, the command's form, and every number turned into
// what it sets, clamped to that range. No program state is touched here, so the parser
// can be fuzzed alone (tests/fuzz/fuzz_script.cpp).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A cursor position or step: far beyond any screen, far within int.
constexpr int SCRIPT_PIXEL_LIMIT = 1 << 20;
constexpr long SCRIPT_VIEWPORT_LIMIT = 8192;

struct ScriptLine {
    std::string command;            // empty for a blank or comment line
    std::vector<std::string> words; // the whole line, command first
    std::vector<int> ints;          // pixels, keys and viewport sizes, in line order
    std::vector<float> floats;      // positions and angles, finite
    std::vector<double> wides;      // window message parameters, within 32 bits
    long count = 0;                 // the line's N (frames, walk, bench)
    std::string text;               // expect_message: the rest of the line, unescaped
};

// Parses one line. False, with the command's usage in `error`, when the line does not
// have its command's form; an unknown command is named in `error`.
bool parse_script_line(const std::string& text, ScriptLine* line, std::string* error);

// A whole word as a number (strtod's forms, inf and nan included).
bool parse_script_number(const std::string& word, double* out);

// A virtual-key code from a name (Up, F1, Numpad3, A, 7...) or a number below 256; -1 if
// the name is unknown.
int parse_key(const std::string& name);
