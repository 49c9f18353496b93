#include "weapon_state.h"

WeaponState weapon_state;

void reset_weapon_state() { weapon_state = WeaponState{}; }
