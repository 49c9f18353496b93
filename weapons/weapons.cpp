#include "weapons.h"

#include "nav/keys.h"

WeaponState weapon_state = {0};

void select_weapon_keys() {
    for (int weapon = 1; weapon <= 5; ++weapon)
        if (keys['0' + weapon]) weapon_state.held_weapon = weapon;
    if (keys['0']) weapon_state.held_weapon = 0;
}
