#include "weapon_models.h"

WeaponModelState weapon_models;

void reset_weapon_models() { weapon_models = WeaponModelState{}; }

void set_ring_pair_effects(bool on) {
    RingPairState& r = weapon_models.ring_pair;
    r.effects_on = r.blend_on = r.points_on = on;
}
