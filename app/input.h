// The key table filled by the window procedure and the bindings applied once per frame.
#pragma once

#include <cstddef>

constexpr size_t KEY_COUNT = 256;
extern bool keys[KEY_COUNT]; // indexed by Windows virtual-key code

// Windows virtual-key codes used by the bindings.
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

// Every held-key binding, in the fixed order of the key step.
void apply_held_keys();
