#include "keys.h"

KeyState keys = {};
KeyTaps key_taps = {};

namespace {

bool known(Key key) { return key != Key::Unknown && static_cast<size_t>(key) < KEY_COUNT; }

} // namespace

void reset_keys() {
    keys = KeyState{};
    key_taps = KeyTaps{};
}

void press_key(Key key) {
    if (!known(key)) return;
    keys[key] = true;
    key_taps.pressed_since_step[key] = true;
    key_taps.release_pending[key] = false;
}

void release_key(Key key) {
    if (!known(key)) return;
    if (key_taps.pressed_since_step[key]) key_taps.release_pending[key] = true;
    else keys[key] = false;
}

void finish_key_step() {
    for (size_t i = 0; i < KEY_COUNT; ++i) {
        if (key_taps.release_pending.flags[i]) keys.flags[i] = false;
        key_taps.pressed_since_step.flags[i] = false;
        key_taps.release_pending.flags[i] = false;
    }
}
