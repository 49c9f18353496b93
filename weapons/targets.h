// The three hanging targets of world 1.
#pragma once

#include <cstdint>

constexpr int TARGET_COUNT = 3;
constexpr int TARGET_RESPAWN_LIMIT = 100;

struct TargetState {
    bool target_visible[TARGET_COUNT];          // drawn and hittable while true
    int32_t target_respawn_counter[TARGET_COUNT]; // frames towards showing a target again
};
extern TargetState targets;
void reset_targets();
