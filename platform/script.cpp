#include "script.h"

#include "platform.h"

#include <algorithm>
#include <cctype>
#include <cfloat>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <sstream>

namespace {

// Argument kinds, one letter each: w a word, k a key name, i a pixel (int, +-2^20),
// v a viewport size (1 to 8192, else the line is wrong), c a count (N >= 0), f a float,
// W and L a message's wparam (0 to 2^32 - 1) and lparam (-2^31 to 2^32 - 1), r the rest
// of the line as text.
struct CommandForm {
    const char* name;
    const char* forms[3]; // the argument lists the command takes, by length
    const char* usage;
};
// clang-format off
constexpr CommandForm COMMAND_FORMS[] = {
    {"answer",          {"w"},               "answer yes|no|unshown"},
    {"viewport",        {"vv"},              "viewport W H (1 to 8192 pixels each)"},
    {"desktop",         {"vv"},              "desktop W H (1 to 8192 pixels each)"},
    {"mode",            {"w"},               "mode windowed|fullscreen"},
    {"key",             {"kw"},              "key NAME down|up"},
    {"tap",             {"k"},               "tap NAME"},
    {"mouse",           {"ii"},              "mouse DX DY"},
    {"button",          {"ww"},              "button left|right down|up"},
    {"cursor",          {"ii"},              "cursor X Y"},
    {"frames",          {"c"},               "frames N"},
    {"place",           {"fff", "fffff"},    "place X Z EYE [HEADING PITCH]"},
    {"face",            {"f"},               "face HEADING"},
    {"walk",            {"c"},               "walk N"},
    {"shot",            {"w"},               "shot FILE.png"},
    {"state",           {""},                "state"},
    {"draw",            {""},                "draw"},
    {"bench",           {"c", "cw"},         "bench N [literal]"},
    {"bench_load",      {"c", "cw"},         "bench_load N [literal]"},
    {"fragments",       {"", "w"},           "fragments [literal]"},
    {"calibrate",       {"wc"},              "calibrate KIND N"},
    {"bmp",             {"ww"},              "bmp FILE OUT"},
    {"expect",          {"www", "wwww"},     "expect NAME OP VALUE [TOLERANCE]"},
    {"expect_message",  {"r"},               "expect_message TEXT"},
    {"fail",            {"ww"},              "fail STEP on|off"},
    {"displaymode",     {"w"},               "displaymode yes|no"},
    {"focus",           {"w"},               "focus yes|no"},
    {"message",         {"w", "wW", "wWL"},  "message NAME [WPARAM [LPARAM]]"},
    {"model",           {"w", "wfff"},       "model NAME [HEADING PITCH DISTANCE]"},
    {"census",          {"w"},               "census NAME"},
    {"probe",           {"ii"},              "probe X Y"},
    {"memory_baseline", {""},                "memory_baseline"},
};
// clang-format on

struct KeyName {
    const char* name;
    int vk;
};
// clang-format off
constexpr KeyName KEY_NAMES[] = {
    {"Backspace", 8}, {"Tab", 9},       {"Return", 13},   {"Shift", 16},    {"Control", 17},
    {"Alt", 18},      {"Escape", 27},   {"Space", 32},    {"PageUp", 33},   {"PageDown", 34},
    {"End", 35},      {"Home", 36},     {"Left", 37},     {"Up", 38},       {"Right", 39},
    {"Down", 40},     {"Insert", 45},   {"Delete", 46},
};
// clang-format on

std::vector<std::string> split(const std::string& line) {
    std::vector<std::string> words;
    std::istringstream in(line.substr(0, line.find('#')));
    for (std::string word; in >> word;) words.push_back(word);
    return words;
}

bool parse_count(const std::string& word, long* out) {
    char* end = nullptr;
    *out = strtol(word.c_str(), &end, 10);
    return !word.empty() && *end == '\0' && *out >= 0;
}

// A double within [low, high], NaN as 0.
double clamped(double value, double low, double high) { return std::isnan(value) ? 0 : std::clamp(value, low, high); }

// The script's escapes in a message text: \n is a newline, \\ a backslash.
std::string unescape(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && (text[i + 1] == 'n' || text[i + 1] == '\\')) {
            out += text[i + 1] == 'n' ? '\n' : '\\';
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

// Fills `line` from its words after the command by `form`; false when a word does not fit.
bool read_arguments(const char* form, ScriptLine* line) {
    for (size_t k = 0; form[k]; ++k) {
        const std::string& word = line->words[k + 1];
        double number = 0;
        long count = 0;
        switch (form[k]) {
        case 'w':
            break;
        case 'k': {
            const int vk = parse_key(word);
            if (vk < 0) return false;
            line->ints.push_back(vk);
            break;
        }
        case 'i':
            if (!parse_script_number(word, &number)) return false;
            line->ints.push_back(static_cast<int>(clamped(number, -SCRIPT_PIXEL_LIMIT, SCRIPT_PIXEL_LIMIT)));
            break;
        case 'v':
            if (!parse_count(word, &count) || count < 1 || count > SCRIPT_VIEWPORT_LIMIT) return false;
            line->ints.push_back(static_cast<int>(count));
            break;
        case 'c':
            if (!parse_count(word, &line->count)) return false;
            break;
        case 'f':
            if (!parse_script_number(word, &number)) return false;
            line->floats.push_back(static_cast<float>(clamped(number, -FLT_MAX, FLT_MAX)));
            break;
        case 'W': // message parameters are 32-bit on the original platform: clamp, never wrap
            if (!parse_script_number(word, &number)) return false;
            line->wides.push_back(clamped(number, 0, 4294967295.0));
            break;
        case 'L':
            if (!parse_script_number(word, &number)) return false;
            line->wides.push_back(clamped(number, -2147483648.0, 4294967295.0));
            break;
        default:
            return false;
        }
    }
    return true;
}

} // namespace

bool parse_script_number(const std::string& word, double* out) {
    char* end = nullptr;
    *out = strtod(word.c_str(), &end);
    return !word.empty() && *end == '\0';
}

int parse_key(const std::string& name) {
    for (const KeyName& k : KEY_NAMES)
        if (name == k.name) return k.vk;
    if (name.size() == 1 && name[0] >= 'A' && name[0] <= 'Z') return name[0];
    if (name.size() == 1 && name[0] >= '0' && name[0] <= '9') return name[0];
    if (name.size() >= 2 && name[0] == 'F' && isdigit(static_cast<unsigned char>(name[1]))) {
        long n = 0;
        if (parse_count(name.substr(1), &n) && n >= 1 && n <= 12) return static_cast<int>(111 + n);
    }
    if (name.size() == 7 && name.compare(0, 6, "Numpad") == 0 && isdigit(static_cast<unsigned char>(name[6])))
        return 96 + (name[6] - '0');
    char* end = nullptr;
    const long code = strtol(name.c_str(), &end, 0);
    if (!name.empty() && *end == '\0' && code >= 0 && code < 256) return static_cast<int>(code);
    return -1;
}

bool parse_script_line(const std::string& text, ScriptLine* line, std::string* error) {
    *line = ScriptLine{};
    line->words = split(text);
    if (line->words.empty()) return true;
    const std::string& name = line->words[0];
    for (const CommandForm& command : COMMAND_FORMS) {
        if (name != command.name) continue;
        line->command = name;
        const size_t arguments = line->words.size() - 1;
        if (command.forms[0][0] == 'r') {
            for (size_t i = 1; i < line->words.size(); ++i) line->text += (i > 1 ? " " : "") + line->words[i];
            line->text = unescape(line->text);
            return true;
        }
        for (const char* form : command.forms)
            if (form && std::char_traits<char>::length(form) == arguments && read_arguments(form, line)) return true;
        *error = std::string("usage: ") + command.usage;
        return false;
    }
    *error = "unknown command \"" + script_quote(name) + "\"";
    return false;
}

std::string script_quote(const std::string& text, size_t limit) {
    std::string out;
    size_t shown = 0;
    for (const char c : text) {
        if (limit != 0 && shown == limit) return out + "...";
        const unsigned char byte = static_cast<unsigned char>(c);
        if (byte < 32 || byte > 126) {
            char escaped[8];
            snprintf(escaped, sizeof escaped, "\\x%02x", byte);
            out += escaped;
        } else {
            out += c;
        }
        ++shown;
    }
    return out;
}

bool script_reader_open(const char* path, ScriptReader* reader, std::string* why) {
    *reader = ScriptReader{};
    const char* refusal = nullptr;
    reader->file = platform_open_file(path, &refusal);
    if (!reader->file) {
        *why = "cannot read " + script_quote(path, 0) + ": " + refusal;
        return false;
    }
    reader->owned = true;
    reader->name = script_quote(path, 0);
    return true;
}

void script_reader_attach(FILE* stream, const char* name, ScriptReader* reader) {
    *reader = ScriptReader{};
    reader->file = stream;
    reader->name = name;
}

void script_reader_close(ScriptReader* reader) {
    if (reader->owned && reader->file) fclose(reader->file);
    reader->file = nullptr;
    reader->owned = false;
}

ScriptRead script_reader_next(ScriptReader* reader, ScriptLine* line, std::string* error) {
    ScriptReader& r = *reader;
    *line = ScriptLine{};
    const auto refuse = [&](const std::string& reason, const std::string& text) {
        *error = r.name + ":" + std::to_string(r.line_number) + ": " + reason;
        if (!text.empty()) *error += ": \"" + script_quote(text) + "\"";
        return ScriptRead::Error;
    };
    std::string text;
    int c = EOF;
    bool too_long = false;
    while ((c = getc(r.file)) != EOF && c != '\n') {
        if (text.size() < SCRIPT_LINE_LIMIT) text += static_cast<char>(c);
        else too_long = true; // read on to the line's end, keeping nothing more
    }
    if (ferror(r.file)) {
        *error = "cannot read " + r.name + ": " + strerror(errno);
        return ScriptRead::Error;
    }
    const bool recording = r.recording || r.must_be_recording;
    if (c == EOF && text.empty() && !too_long) { // the end, after a whole line
        if (recording && r.phase < 2)
            return refuse(r.phase == 0 ? "the recording ends without its final state (no `state` line): it was cut"
                                       : "the recording ends before the checks of its final state: it was cut",
                          "");
        return ScriptRead::End;
    }
    ++r.line_number;
    if (too_long) return refuse("a line longer than " + std::to_string(SCRIPT_LINE_LIMIT) + " bytes", text);
    if (r.line_number == 1 && text.compare(0, strlen(SCRIPT_RECORDING_HEADER), SCRIPT_RECORDING_HEADER) == 0)
        r.recording = true;
    // A recording's last line ends with its newline: one without was cut while written.
    if (c == EOF && (r.recording || r.must_be_recording))
        return refuse("the recording ends within a line: it was cut", text);
    std::string reason;
    if (!parse_script_line(text, line, &reason)) return refuse(reason, text);
    if ((r.recording || r.must_be_recording) && !line->command.empty()) {
        const bool check = line->command == "expect";
        if (line->command == "state" && r.phase == 0) r.phase = 1;
        else if (check && r.phase > 0) r.phase = 2;
        else if (check || r.phase > 0)
            return refuse("a recording's `expect` lines come last, after its one `state` line", text);
    }
    return ScriptRead::Line;
}
