// The manual page's CONTROLS table against the program's inputs: every key of the binding
// table, the keys the main loop and the frame counter read themselves, both mouse
// buttons, and the controller's bound buttons, sticks and triggers have a row, and the
// table names nothing the program does not read. A binding added without its row fails
// here.
#include "app/input.h"
#include "nav/keys.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

// The keys read outside the binding table: Escape and F1 by the main loop, O and P by
// the frame counter (the field of view).
const Key LOOP_KEYS[] = {Key::Escape, Key::F1, Key::O, Key::P};
// What the table calls the pointer and the two buttons.
const char* const MOUSE_INPUTS[] = {"Mouse", "Left button", "Right button"};
// ... and the controller's sticks and triggers.
const char* const PAD_AXIS_INPUTS[] = {"Left stick", "Right stick", "Left trigger", "Right trigger"};

// A controller button's name as the page writes it.
// clang-format off
constexpr const char* PAD_PAGE_NAMES[] = {
    "A button", "B button", "X button", "Y button", "Back", "Guide", "Start", "Left stick button",
    "Right stick button", "Left shoulder", "Right shoulder", "D-pad up", "D-pad down", "D-pad left",
    "D-pad right",
};
// clang-format on
static_assert(std::size(PAD_PAGE_NAMES) == PAD_BUTTON_COUNT, "a page name for every controller button");

// A key's name as the page writes it; empty for a key this test cannot name yet.
std::string page_name(Key key) {
    const std::string name = key_name(key);
    if (key >= Key::Numpad0 && key <= Key::Numpad9) return "Numpad " + name.substr(6);
    if (name.size() == 1 || (key >= Key::F1 && key <= Key::F12)) return name; // letters, digits
    switch (key) {
    case Key::Escape:
    case Key::End:
    case Key::Delete:
        return name;
    case Key::Up:
    case Key::Down:
    case Key::Left:
    case Key::Right:
        return name + " arrow";
    default:
        return "";
    }
}

// The words of a macro line: quoted arguments keep their spaces, roff's \- is a hyphen.
std::vector<std::string> macro_arguments(const std::string& line) {
    std::vector<std::string> words;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && line[i] == ' ') ++i;
        if (i == line.size()) break;
        std::string word;
        const bool quoted = line[i] == '"';
        if (quoted) ++i;
        while (i < line.size() && (quoted ? line[i] != '"' : line[i] != ' ')) {
            if (line.compare(i, 2, "\\-") == 0) {
                word += '-';
                i += 2;
            } else {
                word += line[i++];
            }
        }
        if (quoted) ++i;
        words.push_back(word);
    }
    return words;
}

// The text a tag line shows: .B and .I join their arguments with spaces, the alternating
// macros (.BR, .RB, .BI...) without.
std::string tag_text(const std::string& line) {
    std::vector<std::string> words = macro_arguments(line);
    if (words.empty()) return "";
    const std::string macro = words.front();
    words.erase(words.begin());
    if (macro.empty() || macro[0] != '.') return line;
    const bool spaced = macro == ".B" || macro == ".I";
    std::string text;
    for (const std::string& word : words) {
        if (spaced && !text.empty()) text += ' ';
        text += word;
    }
    return text;
}

std::string trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// Every input the CONTROLS section names: its tags (the line after each .TP), split at
// commas and slashes.
std::set<std::string> page_inputs(const std::string& path) {
    std::ifstream page(path);
    std::set<std::string> inputs;
    std::string line;
    bool in_controls = false, tag_next = false;
    while (std::getline(page, line)) {
        if (line.compare(0, 4, ".SH ") == 0) {
            in_controls = line == ".SH CONTROLS";
            continue;
        }
        if (!in_controls) continue;
        if (tag_next) {
            std::istringstream parts(tag_text(line));
            std::string item;
            while (std::getline(parts, item, ',')) {
                std::istringstream names(item);
                std::string name;
                while (std::getline(names, name, '/'))
                    if (!trimmed(name).empty()) inputs.insert(trimmed(name));
            }
        }
        tag_next = line == ".TP";
    }
    return inputs;
}

std::set<std::string> program_inputs() {
    std::set<std::string> names(std::begin(MOUSE_INPUTS), std::end(MOUSE_INPUTS));
    for (size_t r = 0; r < KEY_BINDING_COUNT; ++r)
        if (KEY_BINDINGS[r].key != Key::Unknown) names.insert(page_name(KEY_BINDINGS[r].key));
    for (Key key : LOOP_KEYS) names.insert(page_name(key));
    names.insert(std::begin(PAD_AXIS_INPUTS), std::end(PAD_AXIS_INPUTS));
    for (size_t b = 0; b < PAD_BINDING_COUNT; ++b)
        names.insert(PAD_PAGE_NAMES[static_cast<size_t>(PAD_BINDINGS[b].button)]);
    return names;
}

} // namespace

TEST(ManualPage, ControlsNameEveryInputAndNothingElse) {
    for (size_t r = 0; r < KEY_BINDING_COUNT; ++r)
        ASSERT_FALSE(KEY_BINDINGS[r].key != Key::Unknown && page_name(KEY_BINDINGS[r].key).empty())
            << "binding row " << r << " has key " << key_name(KEY_BINDINGS[r].key)
            << ", which page_name() cannot name: name it there and give it a row in dist/zeb.6";
    const std::set<std::string> on_page = page_inputs(ZEB_MANUAL_PAGE);
    ASSERT_FALSE(on_page.empty()) << "no CONTROLS table in " << ZEB_MANUAL_PAGE;
    for (const std::string& name : program_inputs())
        EXPECT_EQ(on_page.count(name), 1u) << name << " has no row in the CONTROLS table of " << ZEB_MANUAL_PAGE;
    const std::set<std::string> read = program_inputs();
    for (const std::string& name : on_page)
        EXPECT_EQ(read.count(name), 1u) << "the CONTROLS table names " << name << ", which the program does not read";
}

// The settings file binds keys to actions by name: the page lists every action there, with
// the key it has by default ("no key" for the controller's own).
TEST(ManualPage, SettingsNameEveryActionWithItsKey) {
    std::ifstream page(ZEB_MANUAL_PAGE);
    std::string text, line;
    bool in_settings = false;
    while (std::getline(page, line)) {
        if (line.compare(0, 4, ".SS ") == 0 || line.compare(0, 4, ".SH ") == 0) in_settings = line == ".SS Settings";
        else if (in_settings) text += line + "\n";
    }
    ASSERT_FALSE(text.empty()) << "no Settings section in " << ZEB_MANUAL_PAGE;
    for (size_t r = 0; r < KEY_BINDING_COUNT; ++r) {
        const Key key = KEY_BINDINGS[r].key;
        const std::string entry =
            std::string(KEY_BINDINGS[r].action) + " (" + (key == Key::Unknown ? "no key" : key_name(key)) + ")";
        EXPECT_NE(text.find(entry), std::string::npos) << "the Settings section lacks " << entry;
    }
}
