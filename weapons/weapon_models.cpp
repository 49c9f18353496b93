#include "weapon_models.h"

WeaponModelState weapon_models = {0, 0, 0, {false, false, false}};

void reset_weapon_models() { weapon_models = WeaponModelState{0, 0, 0, {false, false, false}}; }
