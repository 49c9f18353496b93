// The session's field lists, the key bindings and the user's settings.
#include "app/input.h"
#include "app/pad.h"
#include "app/program.h"
#include "app/session.h"
#include "app/settings.h"
#include "app/window.h"
#include "assets/font.h"
#include "assets/textures.h"
#include "nav/gates.h"
#include "nav/player.h"
#include "nav/worlds.h"
#include "platform/headless.h"
#include "platform/settings_file.h"
#include "render/hud.h"
#include "render/visible_sets.h"
#include "support.h"
#include "weapons/weapon_models.h"
#include "weapons/weapons.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace {

size_t align_up(size_t offset, size_t align) { return (offset + align - 1) / align * align; }

// The printed fields by name.
std::map<std::string, double> printed_fields() {
    FieldList fields;
    list_session_fields(&fields);
    std::map<std::string, double> out;
    for (const StateValue& v : fields)
        if (v.printed) out[v.name] = v.is_flag ? (v.flag ? 1 : 0) : v.number;
    return out;
}

} // namespace

// A field added to a module's struct but not to its list leaves a hole no padding explains.
TEST(Session, EveryModuleListCoversItsStateAndNamesAreUnique) {
    std::vector<std::string> names;
    for (size_t m = 0; m < SESSION_MODULE_COUNT; ++m) {
        const SessionModule& module = SESSION_MODULES[m];
        FieldList fields;
        module.list(&fields);
        const auto* base = static_cast<const unsigned char*>(module.state);
        std::sort(fields.begin(), fields.end(), [](const StateValue& a, const StateValue& b) { return a.at < b.at; });
        size_t end = 0;
        for (const StateValue& v : fields) {
            const auto* at = static_cast<const unsigned char*>(v.at);
            ASSERT_TRUE(at >= base && at + v.size <= base + module.size) << v.name << " lies outside module " << m;
            const size_t offset = static_cast<size_t>(at - base);
            EXPECT_EQ(offset, align_up(end, v.align))
                << "module " << m << ": a field before " << v.name << " is missing from its list";
            end = offset + v.size;
            names.push_back(v.name);
        }
        EXPECT_EQ(module.size, align_up(end, module.align)) << "module " << m << ": its last fields are not listed";
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(std::adjacent_find(names.begin(), names.end()), names.end()) << "a field name is used twice";
}

namespace {

// Every field's bytes by name, printed or not.
std::map<std::string, std::vector<unsigned char>> field_bytes() {
    FieldList fields;
    list_session_fields(&fields);
    std::map<std::string, std::vector<unsigned char>> out;
    for (const StateValue& v : fields) {
        const auto* at = static_cast<const unsigned char*>(v.at);
        out[v.name].assign(at, at + v.size);
    }
    return out;
}

} // namespace

// F1 there and back keeps the whole session: world, position, view, weapons, filtering,
// pacing, field of view and the rest. Only what belongs to the context, or what every
// open starts afresh, may differ.
TEST(Session, AFullscreenRoundTripKeepsEveryFieldButTheContexts) {
    const std::set<std::string> started_afresh = {
        "texture_names",        // the old context's names
        "level_triangle_array", // the level read again into a new array (its count is compared)
        "visible_cells",        // the sets read again with it (their grid is compared)
        "visible_bits",
        "particles",    // every open starts the fountain ...
        "random_seed",  // ... drawing from the sequence
        "pointer_held", // every open takes the pointer afresh
    };
    reset_everything();
    headless_set_viewport(256, 192); // the logic only: few pixels
    ASSERT_TRUE(start_windowed_program());
    headless_set_display_mode_available(true);
    // Away from the start: the setting keys held together for three frames, in the town,
    // and a shot.
    switch_world(2, 1.6f);
    const Key held[] = {Key::Q, Key::E, Key::B, Key::O, Key::Digit3, Key::K, Key::H, Key::C, Key::A, Key::I, Key::X};
    for (Key key : held) press_key(key);
    run_frames(3);
    for (Key key : held) release_key(key);
    headless_push_event(button_event(true, MouseButton::Left));
    run_frames(1);
    ASSERT_EQ(current_world(), 2);
    ASSERT_EQ(textures.lod_bias, -3);
    ASSERT_TRUE(textures.anisotropy_enabled);

    const auto before = field_bytes();
    ASSERT_TRUE(toggle_fullscreen());
    EXPECT_TRUE(window.fullscreen);
    ASSERT_TRUE(toggle_fullscreen());
    EXPECT_FALSE(window.fullscreen);
    EXPECT_TRUE(textures.texture_set_loaded);
    const auto after = field_bytes();
    ASSERT_EQ(before.size(), after.size());
    for (const auto& [name, bytes] : before) {
        if (started_afresh.count(name)) continue;
        EXPECT_EQ(after.at(name), bytes) << name << " changed across F1 twice";
    }
    reset_everything();
}

// The reset after a session in the town, its level, visible sets and textures loaded and
// its window closed, is the start again: every field and every per-context cache as the
// reset left them before it.
TEST(Session, AResetAfterPlayingLeavesNothingOfTheSessionOrItsContext) {
    const auto all_bytes = [] {
        FieldList fields;
        list_session_fields(&fields);
        list_context_caches(&fields);
        std::map<std::string, std::vector<unsigned char>> out;
        for (const StateValue& v : fields) {
            const auto* at = static_cast<const unsigned char*>(v.at);
            out[v.name].assign(at, at + v.size);
        }
        return out;
    };
    reset_everything();
    const auto start = all_bytes();
    headless_set_viewport(256, 192);
    ASSERT_TRUE(start_windowed_program());
    switch_world(2, 1.6f);
    run_frames(3);
    ASSERT_NE(visible_sets.world, 0); // the town's sets were loaded
    ASSERT_NE(font_list_base, 0u);
    reset_everything();
    const auto after = all_bytes();
    ASSERT_EQ(start.size(), after.size());
    for (const auto& [name, bytes] : start) EXPECT_EQ(after.at(name), bytes) << name << " outlived the reset";
}

TEST(Session, TheRingPairStartsWithEightPointsInItsCircle) {
    reset_everything();
    ASSERT_TRUE(start_windowed_program());
    EXPECT_EQ(printed_fields().at("ring_halo_density"), 3); // 3.1415 / 3 apart: four steps, eight points
    reset_everything();
}

namespace {

struct Change {
    const char* field;
    double value; // the field's value after the step
};
struct BindingCase {
    std::vector<Key> keys;           // held together for one key step
    void (*prepare)();               // the state before it, beyond the start state (may be null)
    std::vector<Change> changes;     // every printed field that changes, and nothing else
    int lighting;                    // -1: not looked at; 0 or 1: GL lighting after the step
    std::vector<PadButton> pad = {}; // controller buttons held with the keys
};

void readout_90() { hud.dist_readout = 90; }
void anisotropy_on() { textures.anisotropy_enabled = true; }
void weapon_3_held() { weapon_state.held_weapon = 3; }
void weapon_5_held() { weapon_state.held_weapon = 5; }
void weapon_1_held() { weapon_state.held_weapon = 1; }
void gates_low() {
    gates.gate_wide_top = gates.gate_corner_top = 1;
    for (GateUnit& unit : gates.gate_units) unit.gate_height = 1;
}
void ring_effects_on() { set_ring_pair_effects(true); }
void lighting_on() {
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
}

// What each key does from the start state (at (-1, -1), heading 0, in world 1), with the
// numbers of the binding table written out here rather than read from the code's table.
// clang-format off
const std::vector<Change> GATES_SINK = {
    {"gate_wide_top", 1.95},   {"gate_corner_top", 1.95}, {"gate1_height", 3.95}, {"gate2_height", 3.95},
    {"gate3_height", 3.95},    {"gate4_height", 3.95},    {"gate5_height", 3.95},
};
// clang-format on
// clang-format off
const std::vector<Change> GATES_RISE = {
    {"gate_wide_top", 1.05}, {"gate_corner_top", 1.05}, {"gate1_height", 1.05}, {"gate2_height", 1.05},
    {"gate3_height", 1.05},  {"gate4_height", 1.05},    {"gate5_height", 1.05},
};
// clang-format on
// clang-format off
const std::vector<BindingCase> BINDING_CASES = {
    {{Key::Numpad1}, nullptr, {{"dist_readout", 30}}, -1},
    {{Key::Numpad6}, nullptr, {{"dist_readout", 90}}, -1},
    {{Key::Numpad9}, readout_90, {{"dist_readout", -30}}, -1},
    {{Key::E}, nullptr, {{"anisotropy", 1}}, -1},
    {{Key::R}, anisotropy_on, {{"anisotropy", 0}}, -1},
    {{Key::Q}, nullptr, {{"lod_bias", -1}}, -1},
    {{Key::W}, nullptr, {{"lod_bias", 1}}, -1},
    {{Key::Digit1}, nullptr, {{"held_weapon", 1}, {"weapon", 1}}, -1},
    {{Key::Digit2}, nullptr, {{"held_weapon", 2}, {"weapon", 2}}, -1},
    {{Key::Digit3}, nullptr, {{"held_weapon", 3}, {"weapon", 3}}, -1},
    {{Key::Digit4}, nullptr, {{"held_weapon", 4}, {"weapon", 4}}, -1},
    {{Key::Digit5}, nullptr, {{"held_weapon", 5}, {"weapon", 5}}, -1},
    {{Key::Digit0}, weapon_3_held, {{"held_weapon", 0}, {"weapon", 0}}, -1},
    {{Key::Y}, gates_low, GATES_RISE, -1},
    {{Key::I}, nullptr, GATES_SINK, -1},
    {{Key::C}, nullptr, {{"weapon_roll_angle", -1}}, -1},
    {{Key::D}, nullptr, {{"weapon_roll_angle", 1}}, -1},
    {{Key::J}, nullptr, {{"weapon_yaw_angle", -1}}, -1},
    {{Key::H}, nullptr, {{"weapon_yaw_angle", 1}}, -1},
    {{Key::K}, nullptr, {{"weapon_pitch_angle", -1}, {"sign_swing_angle", -1}}, -1},
    {{Key::L}, nullptr, {{"weapon_pitch_angle", 1}, {"sign_swing_angle", 1}}, -1},
    {{Key::A}, nullptr, {{"ring_effects_on", 1}, {"ring_blend_on", 1}, {"ring_points_on", 1}}, -1},
    {{Key::F}, ring_effects_on, {{"ring_effects_on", 0}, {"ring_blend_on", 0}, {"ring_points_on", 0}}, -1},
    {{Key::B}, nullptr, {{"frame_pacing", 6}}, -1},
    {{Key::V}, nullptr, {{"frame_pacing", 4}}, -1},
    {{Key::X}, nullptr, {{"lighting", 1}}, 1},
    {{Key::Z}, lighting_on, {{"lighting", 0}}, 0},
    {{Key::End}, nullptr, {{"boost_active", 1}, {"jump_key_latch", 1}}, -1},
    {{Key::Delete}, nullptr, {{"lift_active", 1}, {"lift_key_latch", 1}, {"sound_count", 1}}, -1},
    {{Key::F12}, nullptr, {}, -1}, // asks the loop for a picture and moves nothing printed (group Screenshots)
    {{Key::Up}, nullptr, {{"z", -1.05}}, -1},
    {{Key::Down}, nullptr, {{"z", -0.95}}, -1},
    {{Key::Right}, nullptr, {{"x", -0.95}}, -1},
    {{Key::Left}, nullptr, {{"x", -1.05}}, -1},
    // Opposite pairs held together: the later row wins, or the two cancel.
    {{Key::Numpad1, Key::Numpad6}, nullptr, {{"dist_readout", 90}}, -1},
    {{Key::E, Key::R}, anisotropy_on, {{"anisotropy", 0}}, -1},
    {{Key::Q, Key::W}, nullptr, {}, -1},
    {{Key::Digit1, Key::Digit3, Key::Digit0}, weapon_3_held, {{"held_weapon", 0}, {"weapon", 0}}, -1},
    {{Key::Y, Key::I}, nullptr, GATES_SINK, -1}, // Y does nothing at the top, I still sinks
    {{Key::C, Key::D}, nullptr, {}, -1},
    {{Key::J, Key::H}, nullptr, {}, -1},
    {{Key::K, Key::L}, nullptr, {}, -1},
    {{Key::A, Key::F}, nullptr, {}, -1},
    {{Key::B, Key::V}, nullptr, {}, -1},
    {{Key::X, Key::Z}, nullptr, {}, 0},
    {{Key::Up, Key::Down}, nullptr, {}, -1},
    {{Key::Right, Key::Left}, nullptr, {}, -1},
    // The controller's buttons drive the rows bound to them, by default; rows without a
    // key of their own are driven by a button alone.
    {{}, nullptr, {{"boost_active", 1}, {"jump_key_latch", 1}}, -1, {PadButton::A}},
    {{}, nullptr, {{"lift_active", 1}, {"lift_key_latch", 1}, {"sound_count", 1}}, -1, {PadButton::X}},
    {{}, nullptr, {{"z", -1.05}}, -1, {PadButton::DpadUp}},
    {{}, nullptr, {{"z", -0.95}}, -1, {PadButton::DpadDown}},
    {{}, nullptr, {{"x", -0.95}}, -1, {PadButton::DpadRight}},
    {{}, nullptr, {{"x", -1.05}}, -1, {PadButton::DpadLeft}},
    {{}, nullptr, {{"held_weapon", 5}, {"weapon", 5}}, -1, {PadButton::LeftShoulder}},  // from none: the last
    {{}, weapon_1_held, {{"held_weapon", 5}, {"weapon", 5}}, -1, {PadButton::LeftShoulder}},
    {{}, weapon_3_held, {{"held_weapon", 2}, {"weapon", 2}}, -1, {PadButton::LeftShoulder}},
    {{}, nullptr, {{"held_weapon", 1}, {"weapon", 1}}, -1, {PadButton::RightShoulder}}, // from none: the first
    {{}, weapon_5_held, {{"held_weapon", 1}, {"weapon", 1}}, -1, {PadButton::RightShoulder}},
    {{}, nullptr, {}, -1, {PadButton::Start}}, // asks first (group App)
    {{}, nullptr, {}, -1, {PadButton::Back}},  // asks the loop for F1's toggle (group App)
    {{}, nullptr, {}, -1, {PadButton::B}},     // bound to nothing
    // A key and the button bound to the same row drive it once.
    {{Key::Up}, nullptr, {{"z", -1.05}}, -1, {PadButton::DpadUp}},
    {{Key::Digit3}, nullptr, {{"held_weapon", 4}, {"weapon", 4}}, -1, {PadButton::RightShoulder}},
};
// clang-format on

// The derived fields the replay adds are read here from the session and the backend.
std::map<std::string, double> observed() {
    std::map<std::string, double> out = printed_fields();
    out["weapon"] = weapon_state.held_weapon;
    out["lighting"] = glIsEnabled(GL_LIGHTING) == GL_TRUE ? 1 : 0;
    out["sound_count"] = static_cast<double>(headless_sounds().size());
    return out;
}

std::string key_list(const std::vector<Key>& held) {
    std::string text;
    for (Key key : held) text += std::string(key_name(key)) + " ";
    return text;
}

} // namespace

TEST(Bindings, EachKeyChangesExactlyTheFieldsOfItsRow) {
    for (const BindingCase& c : BINDING_CASES) {
        reset_everything();
        ASSERT_TRUE(start_windowed_program());
        if (c.prepare) c.prepare();
        const std::map<std::string, double> before = observed();
        for (Key key : c.keys) press_key(key);
        for (PadButton button : c.pad) press_pad_button(button);
        apply_held_keys();
        const std::map<std::string, double> after = observed();
        for (const auto& [name, value] : after) {
            const auto change =
                std::find_if(c.changes.begin(), c.changes.end(), [&](const Change& ch) { return name == ch.field; });
            const double want = change == c.changes.end() ? before.at(name) : change->value;
            if (name == "x" || name == "z") EXPECT_NEAR(value, want, 1e-6) << "keys " << key_list(c.keys) << name;
            else
                EXPECT_FLOAT_EQ(static_cast<float>(value), static_cast<float>(want))
                    << "keys " << key_list(c.keys) << name;
        }
        if (c.lighting >= 0) {
            EXPECT_EQ(glIsEnabled(GL_LIGHTING) == GL_TRUE, c.lighting == 1) << key_list(c.keys);
            EXPECT_EQ(glIsEnabled(GL_LIGHT0) == GL_TRUE, c.lighting == 1) << key_list(c.keys);
        }
    }
    reset_everything();
}

// A binding added to the table without a case above fails here.
TEST(Bindings, EveryRowHasItsCase) {
    for (size_t r = 0; r < KEY_BINDING_COUNT; ++r) {
        const Key key = KEY_BINDINGS[r].key;
        if (key != Key::Unknown) {
            const bool tested = std::any_of(BINDING_CASES.begin(), BINDING_CASES.end(), [&](const BindingCase& c) {
                return c.keys.size() == 1 && c.keys[0] == key && c.pad.empty();
            });
            EXPECT_TRUE(tested) << "no case holds key " << key_name(key) << " alone";
            continue;
        }
        // A row without a key is one for the controller, which must reach it.
        const bool tested = std::any_of(BINDING_CASES.begin(), BINDING_CASES.end(), [&](const BindingCase& c) {
            return c.keys.empty() && c.pad.size() == 1 &&
                   pad_binding_rows.row[static_cast<size_t>(c.pad[0])] == static_cast<int>(r);
        });
        EXPECT_TRUE(tested) << "row " << KEY_BINDINGS[r].action
                            << " has no key, and no case holds a button bound to it";
    }
    // Every button of the controller's table has its case too.
    for (size_t b = 0; b < PAD_BINDING_COUNT; ++b) {
        const PadButton button = PAD_BINDINGS[b].button;
        const bool tested = std::any_of(BINDING_CASES.begin(), BINDING_CASES.end(), [&](const BindingCase& c) {
            return c.keys.empty() && c.pad.size() == 1 && c.pad[0] == button;
        });
        EXPECT_TRUE(tested) << "no case holds button " << pad_button_name(button) << " alone";
    }
}

// Settings and other devices name a row by its action: each name is one lower-case word
// that finds its own row.
TEST(Bindings, EachActionNameFindsItsRow) {
    for (size_t r = 0; r < KEY_BINDING_COUNT; ++r) {
        const std::string name = KEY_BINDINGS[r].action;
        EXPECT_FALSE(name.empty()) << "row " << r;
        EXPECT_EQ(name.find_first_not_of("abcdefghijklmnopqrstuvwxyz0123456789_"), std::string::npos) << name;
        EXPECT_EQ(binding_row(name.c_str()), static_cast<int>(r)) << name;
    }
    EXPECT_EQ(binding_row("Jump"), -1);
    EXPECT_EQ(binding_row(""), -1);
    // ... and the controller's table names rows that exist, each button once.
    std::set<PadButton> buttons;
    for (size_t b = 0; b < PAD_BINDING_COUNT; ++b) {
        EXPECT_GE(binding_row(PAD_BINDINGS[b].action), 0) << PAD_BINDINGS[b].action;
        EXPECT_TRUE(buttons.insert(PAD_BINDINGS[b].button).second) << pad_button_name(PAD_BINDINGS[b].button);
    }
}

// The keys in force, not the table's, drive the rows: a key bound to an action drives it,
// the action's old key and the row the key was taken from no longer act.
TEST(Bindings, ABoundKeyDrivesItsActionAndItsOldKeyNoLonger) {
    reset_everything();
    ASSERT_TRUE(start_windowed_program());
    Settings settings;
    std::string why;
    ASSERT_TRUE(apply_setting(&settings, {"bind", "Space", "jump"}, &why)) << why;
    ASSERT_TRUE(apply_setting(&settings, {"bind", "Up", "lift"}, &why)) << why; // forward loses Up
    put_in_force(settings);
    press_key(Key::End);
    press_key(Key::Delete);
    apply_held_keys();
    EXPECT_FALSE(lift.boost_active) << "End still jumps";
    EXPECT_FALSE(lift.lift_active) << "Delete still lifts";
    finish_key_step();
    release_key(Key::End);
    release_key(Key::Delete);
    press_key(Key::Space);
    press_key(Key::Up);
    apply_held_keys();
    EXPECT_TRUE(lift.boost_active);
    EXPECT_TRUE(movement.jump_key_latch);
    EXPECT_TRUE(lift.lift_active);
    EXPECT_FLOAT_EQ(player.z, -1) << "Up still walks forward";
    reset_everything();
    EXPECT_EQ(bound_keys.row_keys, table_keys()) << "the reset keeps the user's keys";
}

// A controller button bound by the settings drives its new row and no longer its old one;
// the reset brings back the defaults.
TEST(Bindings, ABoundPadButtonDrivesItsNewActionOnly) {
    reset_everything();
    ASSERT_TRUE(start_windowed_program());
    Settings settings;
    std::string why;
    ASSERT_TRUE(apply_setting(&settings, {"bind", "pad", "a", "lift"}, &why)) << why;
    ASSERT_TRUE(apply_setting(&settings, {"bind", "pad", "y", "jump"}, &why)) << why;
    ASSERT_TRUE(apply_setting(&settings, {"bind", "pad", "dpup", "none"}, &why)) << why;
    put_in_force(settings);
    press_pad_button(PadButton::DpadUp);
    apply_held_keys();
    EXPECT_FLOAT_EQ(player.z, -1) << "dpup still walks forward";
    press_pad_button(PadButton::A);
    apply_held_keys();
    EXPECT_TRUE(lift.lift_active);
    EXPECT_FALSE(movement.jump_key_latch) << "a still jumps";
    reset_everything(); // a jump waits for the lift's end: y jumps from the start state
    ASSERT_TRUE(start_windowed_program());
    put_in_force(settings);
    press_pad_button(PadButton::Y);
    apply_held_keys();
    EXPECT_TRUE(movement.jump_key_latch);
    EXPECT_TRUE(lift.boost_active);
    reset_everything();
    EXPECT_EQ(pad_binding_rows.row, PadBindingRows{}.row) << "the reset keeps the user's buttons";
}

namespace {

std::vector<std::string> complaint_lines(const ParsedSettings& parsed) {
    std::vector<std::string> out;
    for (const SettingsComplaint& c : parsed.complaints) out.push_back(std::to_string(c.line) + ": " + c.what);
    return out;
}

Key key_of(const Settings& settings, const char* action) {
    return settings.keys.row_keys[static_cast<size_t>(binding_row(action))];
}

} // namespace

// Every kind of line that does not parse is named by its number and changes nothing; every
// other line counts, comments, blanks, spaces and a CR before the newline included.
TEST(Settings, EachBadLineIsNamedByNumberWhileTheGoodOnesCount) {
    const std::string text = "# zeb settings\n"                                 // 1
                             "\n"                                               // 2
                             "  mouse_sensitivity =  2.5   # fast\n"            // 3
                             "mouse_sensitivty = 3\n"                           // 4: unknown name
                             "invert_look = maybe\n"                            // 5: bad value
                             "invert_look\t= on\r\n"                            // 6
                             "start = windowed\n"                               // 7
                             "bind Space jumpp\n"                               // 8: unknown action
                             "bind space jump\n"                                // 9: key names are case-sensitive
                             "bind Escape jump\n"                               // 10: kept by the program
                             "bind Space\n"                                     // 11: no action
                             "bind Space jump # the bar\n"                      // 12
                             "mouse_sensitivity = 25\n"                         // 13: out of range
                             "start windowed\n"                                 // 14: no =
                             "start = windowed fullscreen\n"                    // 15: two values
                             "invert_look = \x01yes\n"                          // 16: no text
                             "invert_look = \xc3\n"                             // 17: a cut UTF-8 sequence
                             "# r\xc3\xa9glages\n"                              // 18: UTF-8 in a comment is text
                             + std::string(SETTINGS_LINE_LIMIT + 1, ' ') + "\n" // 19: too long
                             + "bind F1 lift\n"                                 // 20: kept
                             + "bind pad y weapon_3\n"                          // 21
                             + "bind pad Y weapon_3\n"                          // 22: button names are SDL's
                             + "bind pad start jumpp\n"                         // 23: unknown action
                             + "bind pad x\n"                                   // 24: no action
                             + "bind pad back none";                            // 25: no newline at the end
    const ParsedSettings parsed = parse_settings(text);
    const std::vector<std::string> expected = {
        "4: unknown setting \"mouse_sensitivty\"",
        "5: invert_look must be yes or no, not \"maybe\"",
        "8: unknown action \"jumpp\"",
        "9: unknown key \"space\"",
        "10: the key Escape cannot be bound: the program keeps it",
        "11: bind takes a key and an action: bind KEY ACTION",
        "13: mouse_sensitivity must be a number from 0.05 to 20, not \"25\"",
        "14: not NAME = VALUE or bind KEY ACTION: \"start windowed\"",
        "15: start takes one value",
        "16: not text: \"invert_look = \\x01yes\"",
        "17: not text: \"invert_look = \\xc3\"",
        "19: a line longer than 1024 bytes",
        "20: the key F1 cannot be bound: the program keeps it",
        "22: unknown controller button \"Y\"",
        "23: unknown action \"jumpp\"",
        "24: bind pad takes a button and an action: bind pad BUTTON ACTION",
    };
    EXPECT_EQ(complaint_lines(parsed), expected);
    EXPECT_EQ(parsed.settings.mouse_sensitivity, 2.5);
    EXPECT_TRUE(parsed.settings.invert_look);
    EXPECT_EQ(parsed.settings.start, StartMode::Windowed);
    EXPECT_EQ(key_of(parsed.settings, "jump"), Key::Space);
    EXPECT_EQ(key_of(parsed.settings, "lift"), Key::Delete);
    EXPECT_EQ(parsed.settings.pad.row[static_cast<size_t>(PadButton::Y)], binding_row("weapon_3"));
    EXPECT_EQ(parsed.settings.pad.row[static_cast<size_t>(PadButton::Start)], binding_row("quit"));
    EXPECT_EQ(parsed.settings.pad.row[static_cast<size_t>(PadButton::Back)], -1);
}

// An action has one key; a key drives one action: binding a key takes it from the row that
// had it, which stays unbound unless a later line binds it. `none` unbinds.
TEST(Settings, ABindMovesTheKeyBetweenRows) {
    const ParsedSettings parsed = parse_settings("bind End forward\n"    // jump loses End
                                                 "bind Up strafe_left\n" // forward's old key: nobody's now
                                                 "bind Left back\n"      // strafe_left's old key
                                                 "bind Down lift\n"      // back's old key
                                                 "bind none screenshot\n");
    EXPECT_TRUE(parsed.complaints.empty()) << complaint_lines(parsed)[0];
    EXPECT_EQ(key_of(parsed.settings, "forward"), Key::End);
    EXPECT_EQ(key_of(parsed.settings, "jump"), Key::Unknown);
    EXPECT_EQ(key_of(parsed.settings, "strafe_left"), Key::Up);
    EXPECT_EQ(key_of(parsed.settings, "back"), Key::Left);
    EXPECT_EQ(key_of(parsed.settings, "lift"), Key::Down);
    EXPECT_EQ(key_of(parsed.settings, "screenshot"), Key::Unknown);
    EXPECT_EQ(key_of(parsed.settings, "weapon_3"), Key::Digit3);
    std::set<Key> held;
    for (Key key : parsed.settings.keys.row_keys)
        EXPECT_TRUE(key == Key::Unknown || held.insert(key).second) << key_name(key) << " drives two rows";
    // A later line gives the unbound row a key again.
    const ParsedSettings again = parse_settings("bind End forward\nbind Home jump\n");
    EXPECT_EQ(key_of(again.settings, "jump"), Key::Home);
}

// The keys the main loop and the system keep cannot be bound, by any action.
TEST(Settings, TheKeysTheProgramKeepsAreRefused) {
    for (const char* key : {"Escape", "F1", "O", "P", "Alt", "F10"}) {
        Settings settings;
        std::string why;
        EXPECT_FALSE(apply_setting(&settings, {"bind", key, "weapon_1"}, &why)) << key;
        EXPECT_EQ(why, std::string("the key ") + key + " cannot be bound: the program keeps it");
        EXPECT_EQ(settings.keys.row_keys, table_keys()) << key;
    }
}

TEST(Settings, TheSensitivityStaysWithinItsRange) {
    for (const char* good : {"0.05", "1", "20", "2e0", " 3"}) {
        Settings settings;
        std::string why;
        EXPECT_TRUE(apply_setting(&settings, {"mouse_sensitivity", good}, &why)) << good << ": " << why;
    }
    for (const char* bad : {"0.049", "0", "-1", "20.01", "nan", "inf", "1.5x", "", "1,5"}) {
        Settings settings;
        std::string why;
        EXPECT_FALSE(apply_setting(&settings, {"mouse_sensitivity", bad}, &why)) << bad;
        EXPECT_EQ(settings.mouse_sensitivity, 1) << bad;
    }
}

// A file past the bound is not read at all; past SETTINGS_REPORT_LIMIT bad lines the rest
// are counted in one line, so a wrong file cannot flood the terminal.
TEST(Settings, AFileTooBigIsRefusedWholeAndTheReportIsBounded) {
    std::string big;
    while (big.size() <= SETTINGS_FILE_LIMIT) big += "bind Space jump\n";
    const ParsedSettings too_big = parse_settings(big);
    EXPECT_EQ(complaint_lines(too_big),
              std::vector<std::string>{"0: larger than 262144 bytes: not read, the defaults hold"});
    EXPECT_EQ(key_of(too_big.settings, "jump"), Key::End);
    EXPECT_EQ(settings_report("/c/zeb.conf", too_big.complaints),
              std::vector<std::string>{"/c/zeb.conf: larger than 262144 bytes: not read, the defaults hold"});

    std::string wrong;
    for (int i = 0; i < 25; ++i) wrong += "jump\n";
    const std::vector<std::string> report = settings_report("/c/zeb.conf", parse_settings(wrong).complaints);
    ASSERT_EQ(report.size(), SETTINGS_REPORT_LIMIT + 1);
    EXPECT_EQ(report[0], "/c/zeb.conf:1: not NAME = VALUE or bind KEY ACTION: \"jump\"");
    EXPECT_EQ(report[19], "/c/zeb.conf:20: not NAME = VALUE or bind KEY ACTION: \"jump\"");
    EXPECT_EQ(report[20], "/c/zeb.conf: 5 more lines that do not parse were ignored");
}

// What a recording writes gives the same settings back when played from the defaults,
// a row left without a key included (its old key free again, which no bind would say).
TEST(Settings, TheLinesOfARecordingGiveTheSameSettingsBack) {
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"mouse_sensitivity = 0.1", "invert_look = yes", "start = fullscreen"},
        {"bind Space jump", "bind End lift"},
        {"bind End forward", "bind Up forward"}, // jump unbound, End free
        {"bind Right strafe_left", "bind Left strafe_right", "bind none weapon_0", "bind 0 weapon_1"},
        {"bind Q lod_bias_up", "bind W lod_bias_down", "bind Q forward", "start = ask"},
        {"bind pad a lift", "bind pad x jump", "bind pad start none", "bind Home quit"},
    };
    for (const std::vector<std::string>& lines : cases) {
        std::string text;
        for (const std::string& line : lines) text += line + "\n";
        const ParsedSettings parsed = parse_settings(text);
        Settings played;
        for (const std::string& line : setting_lines(parsed.settings)) {
            std::string why;
            EXPECT_TRUE(apply_setting(&played, setting_words(line), &why)) << line << ": " << why;
        }
        EXPECT_EQ(played.mouse_sensitivity, parsed.settings.mouse_sensitivity) << text;
        EXPECT_EQ(played.invert_look, parsed.settings.invert_look) << text;
        EXPECT_EQ(played.start, parsed.settings.start) << text;
        EXPECT_EQ(played.keys.row_keys, parsed.settings.keys.row_keys) << text;
        EXPECT_EQ(played.pad.row, parsed.settings.pad.row) << text;
    }
    EXPECT_TRUE(setting_lines(Settings{}).empty());
    const ParsedSettings some = parse_settings("mouse_sensitivity = 0.1\nbind Space jump\nstart = windowed\n");
    EXPECT_EQ(setting_lines(some.settings),
              (std::vector<std::string>{"mouse_sensitivity 0.10000000000000001", "start windowed", "bind Space jump"}));
    EXPECT_EQ(setting_lines(parse_settings("bind pad y jump\nbind pad back none\n").settings),
              (std::vector<std::string>{"bind pad y jump", "bind pad back none"}));
}

// $XDG_CONFIG_HOME when it is an absolute path, else ~/.config: unset, empty and relative
// values are ignored, as the base-directory rules say.
TEST(Settings, TheFileIsWhereTheBaseDirectoryRulesPutIt) {
    EXPECT_EQ(settings_path_for("/x/conf", "/home/u"), "/x/conf/zeb/zeb.conf");
    EXPECT_EQ(settings_path_for(nullptr, "/home/u"), "/home/u/.config/zeb/zeb.conf");
    EXPECT_EQ(settings_path_for("", "/home/u"), "/home/u/.config/zeb/zeb.conf");
    EXPECT_EQ(settings_path_for("conf", "/home/u"), "/home/u/.config/zeb/zeb.conf");
    EXPECT_EQ(settings_path_for(nullptr, nullptr), "");
    EXPECT_EQ(settings_path_for(nullptr, "home"), "");
}

// Read once through the platform: a missing file is the defaults without a word; a FIFO
// or a directory in its place is refused at once by name; the file itself is left as it was.
TEST(Settings, TheUserFileIsReadOnlyWhenRegularAndNeverWritten) {
    namespace fs = std::filesystem;
    const fs::path dir = fs::path(::testing::TempDir()) / ("zeb_settings_" + std::to_string(getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    reset_everything();
    std::vector<std::string> report = {"stale"};
    EXPECT_EQ(read_user_settings(&report).keys.row_keys, table_keys()) << "the headless backend read a file";
    EXPECT_TRUE(report.empty());

    const std::string path = (dir / "zeb.conf").string();
    headless_set_settings_path(path);
    read_user_settings(&report);
    EXPECT_TRUE(report.empty()) << report[0];

    std::ofstream(path) << "bind Space jump\nbind Space jumpp\n";
    struct stat before {};
    ASSERT_EQ(stat(path.c_str(), &before), 0);
    const Settings read = read_user_settings(&report);
    EXPECT_EQ(key_of(read, "jump"), Key::Space);
    EXPECT_EQ(report, std::vector<std::string>{path + ":2: unknown action \"jumpp\""});
    struct stat after {};
    ASSERT_EQ(stat(path.c_str(), &after), 0);
    EXPECT_EQ(after.st_mtim.tv_sec, before.st_mtim.tv_sec);
    EXPECT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
    EXPECT_EQ(after.st_size, before.st_size);

    fs::remove(path);
    ASSERT_EQ(mkfifo(path.c_str(), 0600), 0); // nobody writes: an open that waited would hang
    read_user_settings(&report);
    EXPECT_EQ(report, std::vector<std::string>{
                          path + ": the settings file cannot be read (not a regular file): the defaults hold"});
    fs::remove(path);
    fs::create_directory(path);
    read_user_settings(&report);
    EXPECT_EQ(report.size(), 1u);
    reset_everything();
    fs::remove_all(dir);
}

// The start-up question: the command line's answer wins over the file's.
TEST(Settings, TheCommandLineWinsOverTheStartSetting) {
    Settings settings;
    EXPECT_EQ(startup_answer_of(settings, 0), 0);
    settings.start = StartMode::Windowed;
    EXPECT_EQ(startup_answer_of(settings, 0), IDNO);
    EXPECT_EQ(startup_answer_of(settings, IDYES), IDYES);
    settings.start = StartMode::Fullscreen;
    EXPECT_EQ(startup_answer_of(settings, 0), IDYES);
    EXPECT_EQ(startup_answer_of(settings, IDNO), IDNO);
}
