// The key table: which keys are down, by Windows virtual-key code. The window procedure
// writes it; the per-frame bindings read it.
#pragma once

#include <array>
#include <cstddef>

constexpr size_t KEY_COUNT = 256;
using KeyState = std::array<bool, KEY_COUNT>;
extern KeyState keys;
void reset_keys(); // every key up

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
