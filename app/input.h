// The key bindings applied once per frame from the key table, as one table in the fixed
// order of the key step.
#pragma once

#include "nav/keys.h"

#include <cstddef>

enum class KeyKind {
    Held, // acts on every key step while the key is down
    Edge, // sees the key's state on every step and acts once per press
};

// One binding. A held row calls its effect with `amount` while the key is down; an edge
// row calls it on every step with 1 while the key is down and 0 while it is up.
struct KeyBinding {
    const char* action; // the row's name, for settings and bindings from other devices
    Key key;            // the key that drives it unless the user binds another
    KeyKind kind;
    void (*effect)(int amount);
    int amount;
};
extern const KeyBinding KEY_BINDINGS[];
extern const size_t KEY_BINDING_COUNT;

// The row of the binding named `action`; -1 when no row has that name.
int binding_row(const char* action);

// What a binding asks of the loop rather than of the state it steps.
struct InputRequests {
    bool screenshot_key_latch = false; // the screenshot key is down and has been seen
    bool screenshot_asked = false;     // the next frame drawn is kept as a picture
};
extern InputRequests input_requests;
void reset_input_requests();

// Every binding of the key step, in table order; then a world just left gives up its
// textures. Escape and F1 belong to the main loop, O and P to the frame counter.
void apply_held_keys();
