// The key bindings applied once per frame from the key table, as one table in the fixed
// order of the key step.
#pragma once

#include "nav/keys.h"

#include <array>
#include <cstddef>

enum class KeyKind {
    Held,  // acts on every key step while the key is down
    Edge,  // sees the key's state on every step and keeps its own latch
    Press, // acts once per press, on the step its key goes down
};

// One binding. A held row calls its effect with `amount` while it is driven; an edge row
// calls it on every step with 1 while it is driven and 0 while it is not; a press row
// calls it with `amount` on the first step it is driven after one it was not. A row is
// driven while its key or a controller button bound to it is down.
struct KeyBinding {
    const char* action; // the row's name, for settings and bindings from other devices
    Key key;            // the key that drives it unless the user binds another; Unknown: none
    KeyKind kind;
    void (*effect)(int amount);
    int amount;
};
// The table's rows; the keys in force (BoundKeys) keep one key per row.
constexpr size_t KEY_BINDING_COUNT = 38;
extern const KeyBinding KEY_BINDINGS[];

// The row of the binding named `action`; -1 when no row has that name.
int binding_row(const char* action);

using RowKeys = std::array<Key, KEY_BINDING_COUNT>;
// Each row's key as the table gives it.
RowKeys table_keys();

// The key that drives each row of KEY_BINDINGS: the table's unless the settings bind
// another. Key::Unknown leaves a row without a key (no key ever reads as Unknown). A key
// drives one row at most.
struct BoundKeys {
    RowKeys row_keys = table_keys();
};
extern BoundKeys bound_keys;
void reset_bound_keys();
// Gives the row `row` the key `key` (Unknown: none), taken from whichever row had it.
void bind_key(BoundKeys* bound, size_t row, Key key);

// The controller's buttons, by default: a row of KEY_BINDINGS for each, named by its action.
struct PadBinding {
    PadButton button;
    const char* action;
};
extern const PadBinding PAD_BINDINGS[];
extern const size_t PAD_BINDING_COUNT;

// The row of KEY_BINDINGS each controller button drives (-1: none): PAD_BINDINGS unless
// the settings bind another. A button drives one row; a row may have several buttons.
struct PadBindingRows {
    std::array<int, PAD_BUTTON_COUNT> row = default_pad_binding_rows();
    static std::array<int, PAD_BUTTON_COUNT> default_pad_binding_rows();
};
extern PadBindingRows pad_binding_rows;
void reset_pad_bindings();

// The frames the quit question stays on the HUD after a first press of the quit row's
// button (Start): two seconds at the loop's 100 frames a second. A second press within
// them quits.
constexpr int QUIT_CONFIRM_FRAMES = 200;

// What the bindings keep between key steps and ask of the loop rather than of the state
// they step.
struct InputRequests {
    std::array<bool, KEY_BINDING_COUNT> row_driven = {}; // each press row was driven at the last step
    bool screenshot_asked = false;                       // the next frame drawn is kept as a picture
    bool quit_latch = false;                             // the quit row is driven and has been seen
    bool quit_asked = false;                             // confirmed: the loop ends as on Escape
    bool fullscreen_asked = false;                       // the loop toggles fullscreen as on F1
};
extern InputRequests input_requests;
void reset_input_requests();

// Every binding of the key step, in table order, each driven by its key in force; then a
// world just left gives up its textures. Escape and F1 belong to the main loop, O and P
// to the frame counter.
void apply_held_keys();
