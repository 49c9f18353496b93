#include "settings.h"

#include "nav/player_state.h"
#include "platform/platform.h"
#include "platform/script.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iterator>

namespace {

// Keys the program keeps for itself: the main loop's (Escape, F1), the field of view's (O,
// P) and the system's (Alt, F10, which never reach the key table).
constexpr Key KEPT_KEYS[] = {Key::Escape, Key::F1, Key::O, Key::P, Key::Alt, Key::F10};

// The word a recording and a file give for "no key" (and for "no action" of a button).
constexpr const char* NO_KEY = "none";

struct Truth {
    const char* word;
    bool value;
};
// clang-format off
constexpr Truth TRUTHS[] = {
    {"yes",  true}, {"no",    false},
    {"true", true}, {"false", false},
    {"on",   true}, {"off",   false},
    {"1",    true}, {"0",     false},
};
// clang-format on

struct StartName {
    const char* word;
    StartMode mode;
};
// clang-format off
constexpr StartName START_NAMES[] = {
    {"ask",        StartMode::Ask},
    {"fullscreen", StartMode::Fullscreen},
    {"windowed",   StartMode::Windowed},
};
// clang-format on

std::string quoted(const std::string& word) { return "\"" + script_quote(word) + "\""; }

std::vector<std::string> words_of(const std::string& text) {
    std::vector<std::string> words;
    size_t at = 0;
    while ((at = text.find_first_not_of(" \t", at)) != std::string::npos) {
        const size_t end = std::min(text.find_first_of(" \t", at), text.size());
        words.push_back(text.substr(at, end - at));
        at = end;
    }
    return words;
}

std::string trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// Printable ASCII, tabs, and bytes in UTF-8's patterns (a comment may be in any language);
// anything else is no text file's.
bool is_text(const std::string& line) {
    for (size_t i = 0; i < line.size();) {
        const unsigned char c = static_cast<unsigned char>(line[i]);
        if (c < 0x80) {
            if ((c < 0x20 && c != '\t') || c == 0x7F) return false;
            ++i;
            continue;
        }
        const size_t more = c >= 0xC2 && c <= 0xDF ? 1 : c >= 0xE0 && c <= 0xEF ? 2 : c >= 0xF0 && c <= 0xF4 ? 3 : 0;
        if (more == 0 || i + more >= line.size()) return false;
        for (size_t k = 1; k <= more; ++k)
            if ((static_cast<unsigned char>(line[i + k]) & 0xC0) != 0x80) return false;
        i += more + 1;
    }
    return true;
}

// bind pad BUTTON ACTION: the controller's button (by SDL's name) drives the action's row
// instead of its default one; ACTION `none` leaves it driving nothing.
bool bind_pad(Settings* settings, const std::vector<std::string>& words, std::string* why) {
    if (words.size() != 4) {
        *why = "bind pad takes a button and an action: bind pad BUTTON ACTION";
        return false;
    }
    PadButton button;
    if (!pad_button_named(words[2].c_str(), &button)) {
        *why = "unknown controller button " + quoted(words[2]);
        return false;
    }
    const int row = words[3] == NO_KEY ? -1 : binding_row(words[3].c_str());
    if (row < 0 && words[3] != NO_KEY) {
        *why = "unknown action " + quoted(words[3]);
        return false;
    }
    settings->pad.row[static_cast<size_t>(button)] = row;
    return true;
}

bool bind(Settings* settings, const std::vector<std::string>& words, std::string* why) {
    if (words.size() >= 2 && words[1] == "pad") return bind_pad(settings, words, why);
    if (words.size() != 3) {
        *why = "bind takes a key and an action: bind KEY ACTION";
        return false;
    }
    const Key key = words[1] == NO_KEY ? Key::Unknown : key_named(words[1].c_str());
    if (key == Key::Unknown && words[1] != NO_KEY) {
        *why = "unknown key " + quoted(words[1]);
        return false;
    }
    if (std::find(std::begin(KEPT_KEYS), std::end(KEPT_KEYS), key) != std::end(KEPT_KEYS)) {
        *why = "the key " + words[1] + " cannot be bound: the program keeps it";
        return false;
    }
    const int row = binding_row(words[2].c_str());
    if (row < 0) {
        *why = "unknown action " + quoted(words[2]);
        return false;
    }
    bind_key(&settings->keys, static_cast<size_t>(row), key);
    return true;
}

} // namespace

bool apply_setting(Settings* settings, const std::vector<std::string>& words, std::string* why) {
    if (words.empty()) {
        *why = "no setting";
        return false;
    }
    const std::string& name = words[0];
    if (name == "bind") return bind(settings, words, why);
    const bool known = name == "mouse_sensitivity" || name == "invert_look" || name == "start";
    if (!known) {
        *why = "unknown setting " + quoted(name);
        return false;
    }
    if (words.size() != 2) {
        *why = name + " takes one value";
        return false;
    }
    const std::string& value = words[1];
    if (name == "mouse_sensitivity") {
        char* end = nullptr;
        const double number = strtod(value.c_str(), &end);
        // Written so that NaN fails too.
        if (*end != '\0' || !(number >= MIN_MOUSE_SENSITIVITY && number <= MAX_MOUSE_SENSITIVITY)) {
            *why = "mouse_sensitivity must be a number from 0.05 to 20, not " + quoted(value);
            return false;
        }
        settings->mouse_sensitivity = number;
        return true;
    }
    if (name == "invert_look") {
        for (const Truth& t : TRUTHS)
            if (value == t.word) {
                settings->invert_look = t.value;
                return true;
            }
        *why = "invert_look must be yes or no, not " + quoted(value);
        return false;
    }
    for (const StartName& s : START_NAMES)
        if (value == s.word) {
            settings->start = s.mode;
            return true;
        }
    *why = "start must be ask, fullscreen or windowed, not " + quoted(value);
    return false;
}

ParsedSettings parse_settings(const std::string& text) {
    ParsedSettings parsed;
    if (text.size() > SETTINGS_FILE_LIMIT) {
        parsed.complaints.push_back(
            {0, "larger than " + std::to_string(SETTINGS_FILE_LIMIT) + " bytes: not read, the defaults hold"});
        return parsed;
    }
    int number = 0;
    for (size_t at = 0; at < text.size();) {
        const size_t newline = std::min(text.find('\n', at), text.size());
        std::string line = text.substr(at, newline - at);
        at = newline + 1;
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back(); // written on another system
        const auto complain = [&](const std::string& what) { parsed.complaints.push_back({number, what}); };
        if (line.size() > SETTINGS_LINE_LIMIT) {
            complain("a line longer than " + std::to_string(SETTINGS_LINE_LIMIT) + " bytes");
            continue;
        }
        if (!is_text(line)) {
            complain("not text: " + quoted(line));
            continue;
        }
        const std::string content = trimmed(line.substr(0, line.find('#')));
        if (content.empty()) continue;
        std::vector<std::string> words = words_of(content);
        const size_t equals = content.find('=');
        if (words[0] != "bind") {
            const std::string name = equals == std::string::npos ? "" : trimmed(content.substr(0, equals));
            if (name.empty()) {
                complain("not NAME = VALUE or bind KEY ACTION: " + quoted(content));
                continue;
            }
            words = words_of(content.substr(equals + 1));
            words.insert(words.begin(), name);
        }
        std::string why;
        if (!apply_setting(&parsed.settings, words, &why)) complain(why);
    }
    return parsed;
}

std::vector<std::string> setting_words(const std::string& text) { return words_of(text); }

std::vector<std::string> setting_lines(const Settings& settings) {
    const Settings defaults;
    std::vector<std::string> lines;
    if (settings.mouse_sensitivity != defaults.mouse_sensitivity) {
        char value[64];
        snprintf(value, sizeof value, "%.17g", settings.mouse_sensitivity); // reads back exactly
        lines.push_back(std::string("mouse_sensitivity ") + value);
    }
    if (settings.invert_look != defaults.invert_look) lines.push_back("invert_look yes");
    for (const StartName& s : START_NAMES)
        if (settings.start != defaults.start && settings.start == s.mode)
            lines.push_back(std::string("start ") + s.word);
    // Each changed row in table order: a bind takes its key from whichever row had it, and
    // no other row holds that key in the end, so the defaults come out as these keys.
    for (size_t r = 0; r < KEY_BINDING_COUNT; ++r) {
        const Key key = settings.keys.row_keys[r];
        if (key == defaults.keys.row_keys[r]) continue;
        lines.push_back(std::string("bind ") + (key == Key::Unknown ? NO_KEY : key_name(key)) + " " +
                        KEY_BINDINGS[r].action);
    }
    for (size_t b = 0; b < PAD_BUTTON_COUNT; ++b) {
        const int row = settings.pad.row[b];
        if (row == defaults.pad.row[b]) continue;
        lines.push_back(std::string("bind pad ") + PAD_BUTTON_NAMES[b] + " " +
                        (row < 0 ? NO_KEY : KEY_BINDINGS[static_cast<size_t>(row)].action));
    }
    return lines;
}

std::vector<std::string> settings_report(const std::string& path, const std::vector<SettingsComplaint>& complaints) {
    const std::string name = script_quote(path, 0);
    std::vector<std::string> lines;
    for (size_t i = 0; i < complaints.size() && i < SETTINGS_REPORT_LIMIT; ++i) {
        const SettingsComplaint& c = complaints[i];
        lines.push_back(name + (c.line > 0 ? ":" + std::to_string(c.line) : "") + ": " + c.what);
    }
    if (complaints.size() > SETTINGS_REPORT_LIMIT)
        lines.push_back(name + ": " + std::to_string(complaints.size() - SETTINGS_REPORT_LIMIT) +
                        " more lines that do not parse were ignored");
    return lines;
}

Settings read_user_settings(std::vector<std::string>* report) {
    report->clear();
    std::string path, text, why;
    switch (platform_read_settings(SETTINGS_FILE_LIMIT, &path, &text, &why)) {
    case SettingsFile::Missing:
        return Settings{};
    case SettingsFile::Refused:
        report->push_back(script_quote(path, 0) + ": the settings file cannot be read (" + why +
                          "): the defaults hold");
        return Settings{};
    case SettingsFile::Read:
        break;
    }
    ParsedSettings parsed = parse_settings(text);
    *report = settings_report(path, parsed.complaints);
    return parsed.settings;
}

void put_in_force(const Settings& settings) {
    bound_keys = settings.keys;
    pad_binding_rows = settings.pad;
    mouse_look = MouseLook{settings.mouse_sensitivity, settings.invert_look};
}

int startup_answer_of(const Settings& settings, int command_line_answer) {
    if (command_line_answer != 0) return command_line_answer;
    return settings.start == StartMode::Fullscreen ? IDYES : settings.start == StartMode::Windowed ? IDNO : 0;
}
