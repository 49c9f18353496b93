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
    if (known(key)) key_taps.press(keys.flags, static_cast<size_t>(key));
}

void release_key(Key key) {
    if (known(key)) key_taps.release(keys.flags, static_cast<size_t>(key));
}

void finish_key_step() { key_taps.finish_step(keys.flags); }
