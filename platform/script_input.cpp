#include "script_input.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <sstream>
#include <vector>

namespace {

constexpr int UNSHOWN = -1; // a recorded answer: the box could not be shown

struct ScriptInput {
    bool active = false;
    std::vector<std::vector<std::string>> lines; // words of each line that plays a part
    size_t next = 0;                             // the next line to play
    long frames_due = 0;                         // frames to present before playing on
    std::deque<PlatformMessage> messages;        // played, not yet handed over
    std::deque<int> answers;                     // Yes/No answers, in order
    std::vector<std::string> check_words;        // NAME and VALUE of each final check
    std::vector<PlayCheck> checks;               // pointing into check_words
    int cursor_x = 0;                            // the recorded pointer, in client pixels
    int cursor_y = 0;
    bool focus = true;
};

ScriptInput g_script;

bool number(const std::string& word, long* out) {
    char* end = nullptr;
    errno = 0;
    *out = strtol(word.c_str(), &end, 10);
    return !word.empty() && *end == '\0' && errno == 0;
}

// Checks a line's words against what a recording holds; the message it stands for, if any.
bool parse(const std::vector<std::string>& w, std::string* why) {
    const std::string& c = w[0];
    long a = 0, b = 0;
    const size_t n = w.size();
    if (c == "key") return n == 3 && number(w[1], &a) && a >= 0 && a < 256 && (w[2] == "down" || w[2] == "up");
    if (c == "button") return n == 3 && (w[1] == "left" || w[1] == "right") && (w[2] == "down" || w[2] == "up");
    if (c == "mouse") return n == 3 && number(w[1], &a) && number(w[2], &b) && labs(a) < (1L << 20) && labs(b) < (1L << 20);
    if (c == "frames") return n == 2 && number(w[1], &a) && a >= 0;
    if (c == "focus" || c == "displaymode") return n == 2 && (w[1] == "yes" || w[1] == "no");
    if (c == "answer") return n == 2 && (w[1] == "yes" || w[1] == "no" || w[1] == "unshown");
    if (c == "mode") return n == 2 && (w[1] == "windowed" || w[1] == "fullscreen");
    if (c == "desktop") return n == 3 && number(w[1], &a) && number(w[2], &b);
    if (c == "message")
        return n >= 2 && n <= 4 && window_message_named(w[1].c_str()) != 0 && (n < 3 || number(w[2], &a)) &&
               (n < 4 || number(w[3], &b));
    if (c == "state") return true;
    if (c == "expect") return n == 4 && w[2] == "==";
    *why = "not a line of a recording";
    return false;
}

PlatformMessage message_of(const std::vector<std::string>& w) {
    if (w[0] == "key") return {w[2] == "down" ? WM_KEYDOWN : WM_KEYUP, strtoul(w[1].c_str(), nullptr, 10), 0};
    if (w[0] == "button") {
        const bool left = w[1] == "left", down = w[2] == "down";
        return {left ? (down ? WM_LBUTTONDOWN : WM_LBUTTONUP) : (down ? WM_RBUTTONDOWN : WM_RBUTTONUP), 0, 0};
    }
    PlatformMessage m = {window_message_named(w[1].c_str()), 0, 0};
    if (w.size() > 2) m.wparam = strtoul(w[2].c_str(), nullptr, 10);
    if (w.size() > 3) m.lparam = strtol(w[3].c_str(), nullptr, 10);
    return m;
}

// Plays lines up to and including the next frame count.
void play_on() {
    ScriptInput& s = g_script;
    while (s.frames_due == 0 && s.next < s.lines.size()) {
        const std::vector<std::string>& w = s.lines[s.next++];
        const std::string& c = w[0];
        if (c == "frames") s.frames_due = strtol(w[1].c_str(), nullptr, 10);
        else if (c == "key" || c == "button" || c == "message") s.messages.push_back(message_of(w));
        else if (c == "mouse") {
            s.cursor_x += static_cast<int>(strtol(w[1].c_str(), nullptr, 10));
            s.cursor_y += static_cast<int>(strtol(w[2].c_str(), nullptr, 10));
        } else if (c == "focus") s.focus = w[1] == "yes";
        else if (c == "answer") s.answers.push_back(w[1] == "yes" ? IDYES : w[1] == "no" ? IDNO : UNSHOWN);
    }
}

} // namespace

bool script_input_load(const char* path, std::string* why, int* startup_answer) {
    ScriptInput& s = g_script;
    s = ScriptInput{};
    *startup_answer = 0;
    const char* refusal = nullptr;
    FILE* file = platform_open_file(path, &refusal);
    if (!file) {
        *why = std::string("cannot read ") + path + ": " + refusal;
        return false;
    }
    std::string script;
    char chunk[65536];
    for (size_t got; (got = fread(chunk, 1, sizeof chunk, file)) > 0;) script.append(chunk, got);
    const int read_error = ferror(file) ? errno : 0;
    fclose(file);
    if (read_error) { // a part of a recording would play to another state
        *why = std::string("cannot read ") + path + ": " + strerror(read_error);
        return false;
    }
    std::istringstream in(script);
    int number_of_line = 0;
    for (std::string text; std::getline(in, text);) {
        ++number_of_line;
        std::istringstream words(text.substr(0, text.find('#')));
        std::vector<std::string> w;
        for (std::string word; words >> word;) w.push_back(word);
        if (w.empty()) continue;
        std::string reason = "usage";
        if (!parse(w, &reason)) {
            *why = std::string(path) + ":" + std::to_string(number_of_line) + ": " + reason + ": " + text;
            return false;
        }
        if (w[0] == "mode") *startup_answer = w[1] == "windowed" ? IDNO : IDYES;
        else if (w[0] == "expect") s.check_words.insert(s.check_words.end(), {w[1], w[3]});
        else s.lines.push_back(w);
    }
    for (size_t i = 0; i + 1 < s.check_words.size(); i += 2)
        s.checks.push_back(PlayCheck{s.check_words[i].c_str(), s.check_words[i + 1].c_str()});
    s.active = true;
    return true;
}

bool script_input_active() { return g_script.active; }

bool script_input_next_message(PlatformMessage* message) {
    ScriptInput& s = g_script;
    play_on();
    if (!s.messages.empty()) {
        *message = s.messages.front();
        s.messages.pop_front();
        return true;
    }
    if (s.frames_due == 0 && s.next == s.lines.size()) s.active = false; // over: the user takes over
    return false;
}

void script_input_frame_presented() {
    if (g_script.frames_due > 0) g_script.frames_due -= 1;
}

void script_input_get_cursor(int* x, int* y) {
    *x = g_script.cursor_x;
    *y = g_script.cursor_y;
}

void script_input_set_cursor(int x, int y) {
    g_script.cursor_x = x;
    g_script.cursor_y = y;
}

bool script_input_focus() { return g_script.focus; }

const std::vector<PlayCheck>& script_input_checks() { return g_script.checks; }

int script_input_answer(int unanswered, bool* shown) {
    ScriptInput& s = g_script;
    *shown = true;
    if (s.answers.empty()) return IDNO;
    const int answer = s.answers.front();
    s.answers.pop_front();
    if (answer != UNSHOWN) return answer;
    *shown = false;
    return unanswered != 0 ? unanswered : IDNO;
}
