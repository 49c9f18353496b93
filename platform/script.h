// The script lines zeb-replay runs and zeb --play plays (a recording is such a script):
// words, the command's form, and every number turned into what it sets, clamped to that
// range; and the reader both take them from. One parser, so a recording means the same
// to both. No program state is touched here, so the parser can be fuzzed alone
// (tests/fuzz/fuzz_script.cpp).
#pragma once

#include "input_event.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// A cursor position or step: far beyond any screen, far within int.
constexpr int SCRIPT_PIXEL_LIMIT = 1 << 20;
constexpr long SCRIPT_VIEWPORT_LIMIT = 8192;

struct ScriptLine {
    std::string command;            // empty for a blank or comment line
    std::vector<std::string> words; // the whole line, command first
    std::vector<int> ints;          // pixels and viewport sizes, in line order
    Key key = Key::Unknown;         // key, tap: the key named
    std::vector<float> floats;      // positions and angles, finite
    std::vector<double> wides;      // window message parameters, within 32 bits
    long count = 0;                 // the line's N (frames, walk, bench)
    std::string text;               // expect_message: the rest of the line, unescaped
    bool pad_is_axis = false;       // pad: an axis named (its value in `ints`), else a button
    PadButton pad_button = PadButton::A;
    PadAxis pad_axis = PadAxis::LeftX;
};

// Parses one line. False, with the command's usage in `error`, when the line does not
// have its command's form; an unknown command is named in `error`.
bool parse_script_line(const std::string& text, ScriptLine* line, std::string* error);

// A whole word as a number (strtod's forms, inf and nan included).
bool parse_script_number(const std::string& word, double* out);

// A key from its name (key_named: Up, F1, Numpad3, A, 7...) or from a number below 256,
// the form older recordings wrote (script_key_number); false if the word is neither. A
// number no key has gives Unknown, which the key table ignores.
bool parse_key(const std::string& word, Key* key);
// The number a key has in a script: what a `syskeydown` or `syskeyup` message carries.
int script_key_number(Key key);

// The input event a `key`, `tap`, `button`, `pad` or `message` line hands the program (a
// tap's key-down; its key-up follows a frame later); false when the line is none of them or
// its words are out of their form (an unknown message name, a direction other than down or
// up).
bool script_input_event(const ScriptLine& line, InputEvent* event);
// The line that hands the program the same event again: what a recording writes. Empty
// for what needs none: a quit, which is the program's own, and a key the program does not
// know, which the key table ignores.
std::string script_line_of(const InputEvent& event);
// Whether a `message` line's NAME is one of the messages a script may send.
bool script_message_known(const std::string& name);

// Reading a script: one line at a time from a stream, so memory does not grow with the
// file. zeb-replay runs scripts this way and zeb --play its recordings.
constexpr size_t SCRIPT_LINE_LIMIT = 4096; // bytes of a line, its newline left out
constexpr size_t SCRIPT_QUOTE_LIMIT = 40;  // characters of a line quoted in a message

// The recorder's first line; a script that starts with it is a recording.
constexpr const char* SCRIPT_RECORDING_HEADER = "# A session of zeb, recorded:";

struct ScriptReader {
    FILE* file = nullptr;
    bool owned = false;             // opened by script_reader_open: closed by script_reader_close
    std::string name;               // the file as messages name it
    int line_number = 0;            // of the line read last
    bool recording = false;         // the first line is the recorder's header
    bool must_be_recording = false; // zeb --play: a recording's rules hold without the header
    int phase = 0;                  // a recording's progress: 0 inputs, 1 `state` read, 2 checks read
};

enum class ScriptRead { Line, End, Error };

// Opens a regular file for reading; false, with the reason in `why`, otherwise.
bool script_reader_open(const char* path, ScriptReader* reader, std::string* why);
// Reads from a stream opened elsewhere (standard input); `name` is what messages call it.
void script_reader_attach(FILE* stream, const char* name, ScriptReader* reader);
void script_reader_close(ScriptReader* reader);

// Reads and parses the next line; blank and comment lines come back with an empty
// command. Error: `error` names the file and the line and quotes the text (see
// script_quote), for a line longer than SCRIPT_LINE_LIMIT, one out of its command's form,
// and a read that failed. A recording is also refused at its end when it lacks its final
// state (a `state` line, then one `expect` line or more and nothing else) or ends within
// a line: it was cut, and would check nothing or the wrong thing.
ScriptRead script_reader_next(ScriptReader* reader, ScriptLine* line, std::string* error);

// Text of a script made safe to print: control characters and bytes above 126 as \xHH,
// and at most `limit` characters of the text, "..." where it was cut (0: no limit).
std::string script_quote(const std::string& text, size_t limit = SCRIPT_QUOTE_LIMIT);
