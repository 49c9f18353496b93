#include "weapon_table.h"

#include <iterator>

namespace {

// Row n - 1 is weapon n: the digit key that takes it and the state's number.
const WeaponRecord* const WEAPONS[] = {&WEAPON1, &WEAPON2, &WEAPON3, &WEAPON4, &WEAPON5};

} // namespace

int weapon_count() { return static_cast<int>(std::size(WEAPONS)); }

const WeaponRecord* weapon_record(int n) { return n >= 1 && n <= weapon_count() ? WEAPONS[n - 1] : nullptr; }
