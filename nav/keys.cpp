#include "keys.h"

KeyState keys = {};
KeyTaps key_taps = {};

void reset_keys() {
    keys.fill(false);
    key_taps = KeyTaps{};
}

void press_key(size_t code) {
    if (code >= KEY_COUNT) return;
    keys[code] = true;
    key_taps.pressed_since_step[code] = true;
    key_taps.release_pending[code] = false;
}

void release_key(size_t code) {
    if (code >= KEY_COUNT) return;
    if (key_taps.pressed_since_step[code]) key_taps.release_pending[code] = true;
    else keys[code] = false;
}

void finish_key_step() {
    for (size_t code = 0; code < KEY_COUNT; ++code) {
        if (key_taps.release_pending[code]) keys[code] = false;
        key_taps.pressed_since_step[code] = false;
        key_taps.release_pending[code] = false;
    }
}
