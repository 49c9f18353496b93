// The user's settings: the mouse-look, the start-up mode and the keys of the bindings, read
// once at start from the settings file (zeb.conf) or from a played recording's `setting`
// lines, and written at the top of a recording. The file is read, never written.
//
// A file holds one setting a line; `#` starts a comment, blank lines and the spaces around
// a line are ignored:
//     mouse_sensitivity = 1.5   # 0.05 to 20; 1 turns 0.05 degree a pixel of motion
//     invert_look = yes         # yes/no, true/false, on/off, 1/0
//     start = windowed          # ask, fullscreen or windowed
//     bind Space jump           # bind KEY ACTION; KEY `none` leaves ACTION without a key
//     bind pad y weapon_0       # bind pad BUTTON ACTION; ACTION `none` leaves BUTTON unbound
// A recording says the same as `setting NAME VALUE` and `setting bind KEY ACTION`.
#pragma once

#include "app/input.h"

#include <cstddef>
#include <string>
#include <vector>

enum class StartMode { Ask, Fullscreen, Windowed };

struct Settings {
    double mouse_sensitivity = 1;
    bool invert_look = false;
    StartMode start = StartMode::Ask;
    BoundKeys keys;
    PadBindingRows pad;
};

constexpr double MIN_MOUSE_SENSITIVITY = 0.05;
constexpr double MAX_MOUSE_SENSITIVITY = 20;
constexpr size_t SETTINGS_FILE_LIMIT = 256 * 1024; // bytes: a larger file is not read at all
constexpr size_t SETTINGS_LINE_LIMIT = 1024;       // bytes of a line, its newline left out
constexpr size_t SETTINGS_REPORT_LIMIT = 20;       // lines complained of; the rest are counted

// A line the parser could not take, by its number (0: the file as a whole).
struct SettingsComplaint {
    int line;
    std::string what;
};
struct ParsedSettings {
    Settings settings;
    std::vector<SettingsComplaint> complaints;
};

// A settings file's text: the defaults changed by every line that parses, and a complaint
// for every line that does not (which changes nothing).
ParsedSettings parse_settings(const std::string& text);

// Applies one setting given as words: NAME VALUE, or bind KEY ACTION. False, changing
// nothing, with the reason in `why`, when the words are no setting.
bool apply_setting(Settings* settings, const std::vector<std::string>& words, std::string* why);

// A `setting` line's text after the command, as the words apply_setting takes.
std::vector<std::string> setting_words(const std::string& text);

// The settings as `setting` lines' words, those that differ from the defaults, in an order
// that gives `settings` again when applied to the defaults.
std::vector<std::string> setting_lines(const Settings& settings);

// The complaints as the lines stderr shows, each naming `path` and the line, at most
// SETTINGS_REPORT_LIMIT of them and then one that counts the rest.
std::vector<std::string> settings_report(const std::string& path, const std::vector<SettingsComplaint>& complaints);

// The user's settings file through the platform: the defaults when there is none, and
// `report` holds the lines to say (an unreadable file, the lines that do not parse).
Settings read_user_settings(std::vector<std::string>* report);

// The mouse-look, the keys and the controller's buttons of `settings` put in force for
// the session.
void put_in_force(const Settings& settings);

// The answer the start-up question takes in advance: the command line's (IDYES, IDNO)
// when it gave one, else the settings' (0 for Ask: the question is asked).
int startup_answer_of(const Settings& settings, int command_line_answer);
