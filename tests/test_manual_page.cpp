// The manual page's CONTROLS table against the program's inputs: every key of the binding
// table, the keys the main loop and the frame counter read themselves, and both mouse
// buttons have a row, and the table names nothing the program does not read. A binding
// added without its row fails here.
#include "app/input.h"
#include "nav/keys.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

// The keys read outside the binding table: Escape and F1 by the main loop, O and P by
// the frame counter (the field of view).
const int LOOP_KEYS[] = {VK_ESCAPE, VK_F1, 'O', 'P'};
// What the table calls the pointer and the two buttons.
const char* const MOUSE_INPUTS[] = {"Mouse", "Left button", "Right button"};

// A key's name as the page writes it; empty for a code this test cannot name yet.
std::string key_name(int key) {
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) return std::string(1, static_cast<char>(key));
    if (key >= 96 && key <= 105) return "Numpad " + std::to_string(key - 96);
    if (key >= VK_F1 && key < VK_F1 + 12) return "F" + std::to_string(key - VK_F1 + 1);
    switch (key) {
    case VK_ESCAPE:
        return "Escape";
    case VK_END:
        return "End";
    case VK_DELETE:
        return "Delete";
    case VK_UP:
        return "Up arrow";
    case VK_DOWN:
        return "Down arrow";
    case VK_LEFT:
        return "Left arrow";
    case VK_RIGHT:
        return "Right arrow";
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
    for (size_t r = 0; r < KEY_BINDING_COUNT; ++r) names.insert(key_name(KEY_BINDINGS[r].key));
    for (int key : LOOP_KEYS) names.insert(key_name(key));
    return names;
}

} // namespace

TEST(ManualPage, ControlsNameEveryInputAndNothingElse) {
    for (size_t r = 0; r < KEY_BINDING_COUNT; ++r)
        ASSERT_FALSE(key_name(KEY_BINDINGS[r].key).empty())
            << "binding row " << r << " has key code " << KEY_BINDINGS[r].key
            << ", which key_name() cannot name: name it there and give it a row in dist/zeb.6";
    const std::set<std::string> on_page = page_inputs(ZEB_MANUAL_PAGE);
    ASSERT_FALSE(on_page.empty()) << "no CONTROLS table in " << ZEB_MANUAL_PAGE;
    for (const std::string& name : program_inputs())
        EXPECT_EQ(on_page.count(name), 1u) << name << " has no row in the CONTROLS table of " << ZEB_MANUAL_PAGE;
    const std::set<std::string> read = program_inputs();
    for (const std::string& name : on_page)
        EXPECT_EQ(read.count(name), 1u) << "the CONTROLS table names " << name << ", which the program does not read";
}
