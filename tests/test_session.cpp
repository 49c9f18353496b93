// The session's field lists and the key bindings.
#include "app/input.h"
#include "app/pad.h"
#include "app/program.h"
#include "app/session.h"
#include "app/window.h"
#include "assets/font.h"
#include "assets/textures.h"
#include "nav/gates.h"
#include "nav/worlds.h"
#include "platform/headless.h"
#include "render/hud.h"
#include "render/visible_sets.h"
#include "support.h"
#include "weapons/weapon_models.h"
#include "weapons/weapons.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <string>
#include <vector>

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
