// The key table: which keys are down, by Windows virtual-key code. The window procedure
// writes it through press_key and release_key; the per-frame bindings read it.
#pragma once

#include <array>
#include <cstddef>

constexpr size_t KEY_COUNT = 256;
using KeyState = std::array<bool, KEY_COUNT>;
extern KeyState keys;

// A key pressed and released between two key steps (a tap shorter than a frame) still
// reads as held for the next frame: its release waits until that frame's key step is over.
struct KeyTaps {
    std::array<bool, KEY_COUNT> pressed_since_step; // went down since the last key step ended
    std::array<bool, KEY_COUNT> release_pending;    // went up again before a key step saw it
};
extern KeyTaps key_taps;

void reset_keys();             // every key up, no tap pending
void press_key(size_t code);   // key-down (auto-repeat included); codes past the table are ignored
void release_key(size_t code); // key-up: at once, or after the next key step for a tap
// The end of the frame's key step: taps seen by it are released.
void finish_key_step();

// Windows virtual-key codes used by the bindings (letters and digits are their characters).
enum VirtualKey : int {
    VK_ESCAPE = 27,
    VK_END = 35,
    VK_LEFT = 37,
    VK_UP = 38,
    VK_RIGHT = 39,
    VK_DOWN = 40,
    VK_DELETE = 46,
    VK_NUMPAD1 = 97,
    VK_NUMPAD6 = 102,
    VK_NUMPAD9 = 105,
    VK_F1 = 112,
};
