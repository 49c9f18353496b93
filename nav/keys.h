// The key table: which keys are down, by Key. The window procedure writes it through
// press_key and release_key; the per-frame bindings read it.
#pragma once

#include "platform/input_event.h"

#include <array>
#include <cstddef>

// A flag per key, indexed by the key.
struct KeyFlags {
    std::array<bool, KEY_COUNT> flags = {};
    bool& operator[](Key key) { return flags[static_cast<size_t>(key)]; }
    bool operator[](Key key) const { return flags[static_cast<size_t>(key)]; }
};
using KeyState = KeyFlags;
extern KeyState keys;

// A key pressed and released between two key steps (a tap shorter than a frame) still
// reads as held for the next frame: its release waits until that frame's key step is over.
struct KeyTaps {
    KeyFlags pressed_since_step; // went down since the last key step ended
    KeyFlags release_pending;    // went up again before a key step saw it
};
extern KeyTaps key_taps;

void reset_keys();         // every key up, no tap pending
void press_key(Key key);   // key-down (auto-repeat included); Unknown and values past the keys are ignored
void release_key(Key key); // key-up: at once, or after the next key step for a tap
// The end of the frame's key step: taps seen by it are released.
void finish_key_step();
