#include "script_input.h"

#include "script.h"

#include <algorithm>
#include <deque>
#include <vector>

namespace {

constexpr int UNSHOWN = -1; // a recorded answer: the box could not be shown
// More checks than the state has fields: a recording that claims more is no recording.
constexpr size_t MAX_CHECKS = 4096;
// Far more settings than there are (a recording writes one a setting and a binding).
constexpr size_t MAX_SETTINGS = 1024;

struct ScriptInput {
    bool active = false;
    ScriptReader reader;                  // the recording, read as it plays
    long frames_due = 0;                  // frames to present before playing on
    std::deque<InputEvent> events;        // played, not yet handed over
    std::deque<int> answers;              // Yes/No answers, in order
    std::vector<std::string> check_words; // NAME and VALUE of each final check
    std::vector<PlayCheck> checks;        // pointing into check_words
    std::deque<std::string> setting_text; // each `setting` line's words after the command
    std::vector<PlaySetting> settings;    // pointing into setting_text, which never moves them
    int cursor_x = 0;                     // the recorded pointer, in client pixels
    int cursor_y = 0;
    bool focus = true;
};

ScriptInput g_script;

bool is_one_of(const std::string& word, std::initializer_list<const char*> words) {
    for (const char* w : words)
        if (word == w) return true;
    return false;
}

// Whether a parsed line is one a recording holds; the recorder writes no other.
bool recorded_form(const ScriptLine& l) {
    const std::string& c = l.command;
    const std::vector<std::string>& w = l.words;
    if (c == "key") return is_one_of(w[2], {"down", "up"});
    if (c == "button") return is_one_of(w[1], {"left", "right"}) && is_one_of(w[2], {"down", "up"});
    if (c == "mouse" || c == "frames" || c == "desktop" || c == "state" || c == "setting" || c == "pad") return true;
    if (c == "focus" || c == "displaymode") return is_one_of(w[1], {"yes", "no"});
    if (c == "answer") return is_one_of(w[1], {"yes", "no", "unshown"});
    if (c == "mode") return is_one_of(w[1], {"windowed", "fullscreen"});
    if (c == "message") return script_message_known(w[1]);
    if (c == "expect") return w.size() == 4 && w[2] == "==";
    return false;
}

// The recorded pointer moved by a step, held within the range a script's cursor has.
int moved(int at, int step) {
    const long long to = static_cast<long long>(at) + step;
    return static_cast<int>(std::clamp<long long>(to, -SCRIPT_PIXEL_LIMIT, SCRIPT_PIXEL_LIMIT));
}

// Plays lines up to and including the next frame count; the final state's line ends it.
void play_on() {
    ScriptInput& s = g_script;
    while (s.active && s.frames_due == 0 && s.reader.file) {
        ScriptLine l;
        std::string error;
        const ScriptRead read = script_reader_next(&s.reader, &l, &error);
        // The load read it all once; a file changed since ends the play where it differs.
        if (read != ScriptRead::Line || l.command == "state" || (!l.command.empty() && !recorded_form(l))) {
            script_reader_close(&s.reader);
            break;
        }
        const std::string& c = l.command;
        if (c == "frames") s.frames_due = l.count;
        else if (c == "key" || c == "button" || c == "pad" || c == "message") {
            InputEvent event;
            if (script_input_event(l, &event)) s.events.push_back(event);
        } else if (c == "mouse") {
            s.cursor_x = moved(s.cursor_x, l.ints[0]);
            s.cursor_y = moved(s.cursor_y, l.ints[1]);
        } else if (c == "focus") s.focus = l.words[1] == "yes";
        else if (c == "answer") s.answers.push_back(l.words[1] == "yes" ? IDYES : l.words[1] == "no" ? IDNO : UNSHOWN);
    }
}

} // namespace

bool script_input_load(const char* path, std::string* why, int* startup_answer) {
    ScriptInput& s = g_script;
    script_reader_close(&s.reader);
    s = ScriptInput{};
    *startup_answer = 0;
    ScriptReader& r = s.reader;
    if (!script_reader_open(path, &r, why)) return false;
    r.must_be_recording = true;
    // Read once to the end before anything plays: a cut or damaged recording is refused
    // whole, not found out halfway. Only the checks are kept; the inputs are read again
    // as they play.
    ScriptLine l;
    ScriptRead read;
    while ((read = script_reader_next(&r, &l, why)) == ScriptRead::Line) {
        if (l.command.empty()) continue;
        if (!recorded_form(l)) {
            std::string text;
            for (const std::string& word : l.words) text += (text.empty() ? "" : " ") + word;
            *why = r.name + ":" + std::to_string(r.line_number) + ": not a line of a recording: \"" +
                   script_quote(text) + "\"";
            break;
        }
        if (l.command == "mode") *startup_answer = l.words[1] == "windowed" ? IDNO : IDYES;
        if (l.command == "setting") {
            if (s.settings.size() == MAX_SETTINGS) {
                *why = r.name + ":" + std::to_string(r.line_number) + ": more settings than the program has";
                break;
            }
            std::string text;
            for (size_t i = 1; i < l.words.size(); ++i) text += (i > 1 ? " " : "") + l.words[i];
            s.setting_text.push_back(text);
            s.settings.push_back(PlaySetting{r.line_number, s.setting_text.back().c_str()});
        }
        if (l.command != "expect") continue;
        if (s.check_words.size() / 2 == MAX_CHECKS) {
            *why = r.name + ":" + std::to_string(r.line_number) + ": more checks than the state has fields";
            break;
        }
        s.check_words.insert(s.check_words.end(), {l.words[1], l.words[3]});
    }
    if (read != ScriptRead::End) {
        script_reader_close(&r);
        s = ScriptInput{};
        *startup_answer = 0;
        return false;
    }
    for (size_t i = 0; i + 1 < s.check_words.size(); i += 2)
        s.checks.push_back(PlayCheck{s.check_words[i].c_str(), s.check_words[i + 1].c_str()});
    rewind(r.file); // a regular file: read again from the top as it plays
    r.line_number = 0;
    r.phase = 0;
    s.active = true;
    return true;
}

bool script_input_active() { return g_script.active; }

void script_input_stop() {
    script_reader_close(&g_script.reader);
    g_script = ScriptInput{};
}

bool script_input_next_event(InputEvent* event) {
    ScriptInput& s = g_script;
    play_on();
    if (!s.events.empty()) {
        *event = s.events.front();
        s.events.pop_front();
        return true;
    }
    if (s.frames_due == 0 && !s.reader.file) s.active = false; // over: the user takes over
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

const std::vector<PlaySetting>& script_input_settings() { return g_script.settings; }

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
