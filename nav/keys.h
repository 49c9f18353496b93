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

// A button pressed and released between two key steps (a tap shorter than a frame) still
// reads as held for the next frame: its release waits until that frame's key step is
// over. The rule for any set of N buttons whose held flags are `held`: the keys, a game
// controller's buttons.
template <size_t N> struct Taps {
    std::array<bool, N> pressed_since_step = {}; // went down since the last key step ended
    std::array<bool, N> release_pending = {};    // went up again before a key step saw it

    void press(std::array<bool, N>& held, size_t i) {
        held[i] = true;
        pressed_since_step[i] = true;
        release_pending[i] = false;
    }
    void release(std::array<bool, N>& held, size_t i) {
        if (pressed_since_step[i]) release_pending[i] = true;
        else held[i] = false;
    }
    void finish_step(std::array<bool, N>& held) {
        for (size_t i = 0; i < N; ++i)
            if (release_pending[i]) held[i] = false;
        *this = Taps{};
    }
};
using KeyTaps = Taps<KEY_COUNT>;
extern KeyTaps key_taps;

void reset_keys();         // every key up, no tap pending
void press_key(Key key);   // key-down (auto-repeat included); Unknown and values past the keys are ignored
void release_key(Key key); // key-up: at once, or after the next key step for a tap
// The end of the frame's key step: taps seen by it are released.
void finish_key_step();
