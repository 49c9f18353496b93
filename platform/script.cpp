#include "script.h"

#include "platform.h"

#include <algorithm>
#include <cfloat>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <sstream>

namespace {

// Argument kinds, one letter each: w a word, k a key (name or number), p a controller's
// button or axis by name, s what it does (down or up for a button, a value for an axis,
// clamped to the axis's range), i a pixel (int, +-2^20),
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
    {"setting",         {"ww", "www"},       "setting NAME VALUE | setting bind KEY ACTION"},
    {"key",             {"kw"},              "key NAME down|up"},
    {"tap",             {"k"},               "tap NAME"},
    {"mouse",           {"ii"},              "mouse DX DY"},
    {"button",          {"ww"},              "button left|right down|up"},
    {"pad",             {"ps"},              "pad BUTTON down|up, or pad AXIS VALUE"},
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

// The numbers a script may give for a key instead of its name, one per key in the order of
// Key: the recordings made before keys were recorded by name hold them, and a `syskeydown`
// or `syskeyup` message still gives its key this way. They stay as they are. A name wins
// over a number: `key 8` is the digit 8, not the key numbered 8.
struct KeyNumber {
    Key key;
    int number;
};
// clang-format off
constexpr KeyNumber KEY_NUMBERS[] = {
    {Key::Backspace,         8}, {Key::Tab,               9}, {Key::Clear,            12},
    {Key::Return,           13}, {Key::Shift,            16}, {Key::Control,          17},
    {Key::Alt,              18}, {Key::Pause,            19}, {Key::CapsLock,         20},
    {Key::Escape,           27}, {Key::Space,            32}, {Key::PageUp,           33},
    {Key::PageDown,         34}, {Key::End,              35}, {Key::Home,             36},
    {Key::Left,             37}, {Key::Up,               38}, {Key::Right,            39},
    {Key::Down,             40}, {Key::PrintScreen,      44}, {Key::Insert,           45},
    {Key::Delete,           46}, {Key::Digit0,           48}, {Key::Digit1,           49},
    {Key::Digit2,           50}, {Key::Digit3,           51}, {Key::Digit4,           52},
    {Key::Digit5,           53}, {Key::Digit6,           54}, {Key::Digit7,           55},
    {Key::Digit8,           56}, {Key::Digit9,           57}, {Key::A,                65},
    {Key::B,                66}, {Key::C,                67}, {Key::D,                68},
    {Key::E,                69}, {Key::F,                70}, {Key::G,                71},
    {Key::H,                72}, {Key::I,                73}, {Key::J,                74},
    {Key::K,                75}, {Key::L,                76}, {Key::M,                77},
    {Key::N,                78}, {Key::O,                79}, {Key::P,                80},
    {Key::Q,                81}, {Key::R,                82}, {Key::S,                83},
    {Key::T,                84}, {Key::U,                85}, {Key::V,                86},
    {Key::W,                87}, {Key::X,                88}, {Key::Y,                89},
    {Key::Z,                90}, {Key::LeftGui,          91}, {Key::RightGui,         92},
    {Key::Application,      93}, {Key::Numpad0,          96}, {Key::Numpad1,          97},
    {Key::Numpad2,          98}, {Key::Numpad3,          99}, {Key::Numpad4,         100},
    {Key::Numpad5,         101}, {Key::Numpad6,         102}, {Key::Numpad7,         103},
    {Key::Numpad8,         104}, {Key::Numpad9,         105}, {Key::NumpadMultiply,  106},
    {Key::NumpadPlus,      107}, {Key::NumpadMinus,     109}, {Key::NumpadPeriod,    110},
    {Key::NumpadDivide,    111}, {Key::F1,              112}, {Key::F2,              113},
    {Key::F3,              114}, {Key::F4,              115}, {Key::F5,              116},
    {Key::F6,              117}, {Key::F7,              118}, {Key::F8,              119},
    {Key::F9,              120}, {Key::F10,             121}, {Key::F11,             122},
    {Key::F12,             123}, {Key::Numlock,         144}, {Key::ScrollLock,      145},
    {Key::Semicolon,       186}, {Key::Equals,          187}, {Key::Comma,           188},
    {Key::Minus,           189}, {Key::Period,          190}, {Key::Slash,           191},
    {Key::Grave,           192}, {Key::LeftBracket,     219}, {Key::Backslash,       220},
    {Key::RightBracket,    221}, {Key::Apostrophe,      222}, {Key::NonUsBackslash,  226},
};
// clang-format on
constexpr bool key_numbers_in_order() {
    for (size_t i = 0; i < std::size(KEY_NUMBERS); ++i)
        if (static_cast<size_t>(KEY_NUMBERS[i].key) != i + 1) return false;
    return std::size(KEY_NUMBERS) == KEY_COUNT - 1;
}
static_assert(key_numbers_in_order(), "KEY_NUMBERS needs one row per key, in the order of Key");

// The messages a `message` line sends, and what its numbers mean. Recordings hold them,
// so they stay as they are:
//   activate WPARAM: its low 16 bits are 0 for a focus loss, else a gain; its high 16 bits
//            are not 0 while the window is minimised
//   size 0 LPARAM: the client area's width in LPARAM's low 16 bits, its height in the next 16
//   syscommand WPARAM: SCREEN_SAVER_NUMBER or MONITOR_POWER_NUMBER, any other a request the
//            system handles
//   syskeydown, syskeyup WPARAM: the key's number (KEY_NUMBERS)
enum class ScriptMessage { Close, Activate, Size, SysCommand, SysKeyDown, SysKeyUp };
struct ScriptMessageName {
    const char* name;
    ScriptMessage message;
};
// clang-format off
constexpr ScriptMessageName SCRIPT_MESSAGES[] = {
    {"close",      ScriptMessage::Close},      {"activate",   ScriptMessage::Activate},
    {"size",       ScriptMessage::Size},       {"syscommand", ScriptMessage::SysCommand},
    {"syskeydown", ScriptMessage::SysKeyDown}, {"syskeyup",   ScriptMessage::SysKeyUp},
};
// clang-format on
constexpr uintptr_t SCREEN_SAVER_NUMBER = 0xF140;
constexpr uintptr_t MONITOR_POWER_NUMBER = 0xF170;
constexpr uintptr_t MINIMISED_BIT = 0x10000;

const ScriptMessageName* script_message(const std::string& name) {
    for (const ScriptMessageName& m : SCRIPT_MESSAGES)
        if (name == m.name) return &m;
    return nullptr;
}

Key key_of_number(uintptr_t number) {
    for (const KeyNumber& k : KEY_NUMBERS)
        if (static_cast<uintptr_t>(k.number) == number) return k.key;
    return Key::Unknown;
}

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
        case 'k':
            if (!parse_key(word, &line->key)) return false;
            break;
        case 'p':
            line->pad_is_axis = pad_axis_named(word.c_str(), &line->pad_axis);
            if (!line->pad_is_axis && !pad_button_named(word.c_str(), &line->pad_button)) return false;
            break;
        case 's':
            if (!line->pad_is_axis) {
                if (word != "down" && word != "up") return false;
                break;
            }
            if (!parse_script_number(word, &number)) return false;
            line->ints.push_back(static_cast<int>(clamped(number, PAD_AXIS_MIN, PAD_AXIS_MAX)));
            break;
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

bool parse_key(const std::string& word, Key* key) {
    *key = key_named(word.c_str());
    if (*key != Key::Unknown) return true;
    char* end = nullptr;
    const long number = strtol(word.c_str(), &end, 0);
    if (word.empty() || *end != '\0' || number < 0 || number >= 256) return false;
    *key = key_of_number(static_cast<uintptr_t>(number));
    return true;
}

int script_key_number(Key key) {
    const size_t index = static_cast<size_t>(key);
    return index >= 1 && index < KEY_COUNT ? KEY_NUMBERS[index - 1].number : 0;
}

bool script_message_known(const std::string& name) { return script_message(name) != nullptr; }

bool script_input_event(const ScriptLine& line, InputEvent* event) {
    const std::vector<std::string>& w = line.words;
    const std::string& c = line.command;
    const auto down_or_up = [](const std::string& word) { return word == "down" || word == "up"; };
    *event = InputEvent{};
    if (c == "key" || c == "tap") {
        if (c == "key" && !down_or_up(w[2])) return false;
        *event = key_event(c == "tap" || w[2] == "down", line.key);
        return true;
    }
    if (c == "button") {
        if ((w[1] != "left" && w[1] != "right") || !down_or_up(w[2])) return false;
        *event = button_event(w[2] == "down", w[1] == "left" ? MouseButton::Left : MouseButton::Right);
        return true;
    }
    if (c == "pad") {
        if (line.pad_is_axis && line.ints.size() == 1) *event = pad_axis_event(line.pad_axis, line.ints[0]);
        else if (!line.pad_is_axis && down_or_up(w[2])) *event = pad_button_event(w[2] == "down", line.pad_button);
        else return false;
        return true;
    }
    const ScriptMessageName* named = c == "message" ? script_message(w[1]) : nullptr;
    if (!named) return false;
    const uintptr_t wparam = line.wides.size() > 0 ? static_cast<uintptr_t>(line.wides[0]) : 0;
    const intptr_t lparam = line.wides.size() > 1 ? static_cast<intptr_t>(line.wides[1]) : 0;
    switch (named->message) {
    case ScriptMessage::Close:
        event->kind = InputKind::Close;
        break;
    case ScriptMessage::Activate:
        *event = focus_event((wparam & 0xFFFF) != 0, ((wparam >> 16) & 0xFFFF) != 0);
        break;
    case ScriptMessage::Size:
        *event = resize_event(static_cast<int>(lparam & 0xFFFF), static_cast<int>((lparam >> 16) & 0xFFFF));
        break;
    case ScriptMessage::SysCommand:
        event->kind = InputKind::System;
        event->request = wparam == SCREEN_SAVER_NUMBER    ? SystemRequest::ScreenSaver
                         : wparam == MONITOR_POWER_NUMBER ? SystemRequest::MonitorPower
                                                          : SystemRequest::Other;
        break;
    case ScriptMessage::SysKeyDown:
    case ScriptMessage::SysKeyUp:
        event->kind = named->message == ScriptMessage::SysKeyDown ? InputKind::SystemKeyDown : InputKind::SystemKeyUp;
        event->key = key_of_number(wparam);
        break;
    }
    return true;
}

std::string script_line_of(const InputEvent& event) {
    const auto message = [](const char* name, uintptr_t wparam, int64_t lparam) {
        return std::string("message ") + name + " " + std::to_string(wparam) + " " + std::to_string(lparam);
    };
    const char* direction = event.kind == InputKind::KeyDown || event.kind == InputKind::ButtonDown ? " down" : " up";
    switch (event.kind) {
    case InputKind::KeyDown:
    case InputKind::KeyUp:
        if (*key_name(event.key) == '\0') return ""; // nothing the key table would keep
        return std::string("key ") + key_name(event.key) + direction;
    case InputKind::ButtonDown:
    case InputKind::ButtonUp:
        return std::string(event.button == MouseButton::Left ? "button left" : "button right") + direction;
    case InputKind::SystemKeyDown:
    case InputKind::SystemKeyUp: {
        const char* name = event.kind == InputKind::SystemKeyDown ? "syskeydown" : "syskeyup";
        return message(name, static_cast<uintptr_t>(script_key_number(event.key)), 0);
    }
    case InputKind::Resize:
        return message("size", 0, (event.width & 0xFFFF) | (static_cast<int64_t>(event.height & 0xFFFF) << 16));
    case InputKind::FocusGained:
    case InputKind::FocusLost:
        return message("activate",
                       (event.kind == InputKind::FocusGained ? 1 : 0) | (event.minimised ? MINIMISED_BIT : 0), 0);
    case InputKind::Close:
        return message("close", 0, 0);
    case InputKind::System:
        return message("syscommand",
                       event.request == SystemRequest::ScreenSaver    ? SCREEN_SAVER_NUMBER
                       : event.request == SystemRequest::MonitorPower ? MONITOR_POWER_NUMBER
                                                                      : 0,
                       0);
    case InputKind::PadButtonDown:
    case InputKind::PadButtonUp:
        if (*pad_button_name(event.pad_button) == '\0') return "";
        return std::string("pad ") + pad_button_name(event.pad_button) +
               (event.kind == InputKind::PadButtonDown ? " down" : " up");
    case InputKind::PadAxis:
        if (*pad_axis_name(event.pad_axis) == '\0') return "";
        return std::string("pad ") + pad_axis_name(event.pad_axis) + " " + std::to_string(event.axis_value);
    case InputKind::Quit:
        break;
    }
    return "";
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
