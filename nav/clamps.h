// World 1's walkable area: a fixed table of clamps on the ground position, run before
// every arrow step while the eye is below CLAMP_EYE_LIMIT.
#pragma once

#include <array>

enum class ClampKind {
    Stop,      // -9 < x < 9 and z in [z_low, z_high]: z becomes value
    LeftBand,  // z in (z_low, z_high) and -9 <= x <= value: x becomes value
    RightBand, // z in (z_low, z_high) and value <= x <= 9: x becomes value
};

struct ClampEntry {
    ClampKind kind;
    float z_low;
    float z_high;
    float value;
};

constexpr int WORLD1_CLAMP_COUNT = 245;
extern const std::array<ClampEntry, WORLD1_CLAMP_COUNT> WORLD1_CLAMP_BANDS;
constexpr float CLAMP_EYE_LIMIT = 1.0f;

// Applies every entry in order to the player's position; always true.
bool clamp_world1_position();
