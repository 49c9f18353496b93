// The three hanging targets of world 1.
#pragma once

constexpr int TARGET_COUNT = 3;
constexpr int TARGET_RESPAWN_LIMIT = 100;

extern bool target_visible[TARGET_COUNT]; // drawn and hittable while true
