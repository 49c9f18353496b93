// The hand-held weapons: which one is held.
#pragma once

#include <cstdint>

struct WeaponState {
    int32_t held_weapon; // 0 for none, 1 to 5
};
extern WeaponState weapon_state;

// Digit keys 1 to 5 take a weapon, 0 puts it away; the last held key in that order wins.
void select_weapon_keys();
