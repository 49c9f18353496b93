// The wall tables of worlds 1 and 2 (world 3's is in world3_walls.cpp).
#include "nav/contacts.h"

#include <iterator>

namespace {
constexpr GateLink NONE = GateLink::None;
constexpr GateLink WIDE = GateLink::World2Wide;
constexpr GateLink CORNER = GateLink::World2Corner;
} // namespace

// The hall's walls lie on the +-7 square; the probe point keeps them from ever acting,
// so the hall is bounded by the clamps and only the floor holds the eye.
// clang-format off
const WallSegment WORLD1_WALLS[] = {
    {{ -7.0f,  0.00f,  -7.0f}, {  7.0f,  5.00f,  -7.0f}, NONE},
    {{ -7.0f,  0.00f,   7.0f}, {  7.0f,  5.00f,   7.0f}, NONE},
    {{  7.0f,  0.00f,  -7.0f}, {  7.0f,  5.00f,   7.0f}, NONE},
    {{ -7.0f,  0.00f,  -7.0f}, { -7.0f,  5.00f,   7.0f}, NONE},
    {{-10.0f, -0.01f, -10.0f}, { 10.0f, -0.01f,  10.0f}, NONE},
};

// The town: the ground, the two stepped thresholds and the gate walls. The buildings'
// walls come with the town's level.
const WallSegment WORLD2_WALLS[] = {
    {{  6.0f, 0.00f, -12.25f}, {  6.0f, 2.00f,  -8.75f}, NONE},
    {{-87.0f, 0.00f, -25.00f}, { 15.0f, 0.00f,  35.00f}, NONE},   // the ground
    {{-42.0f, 0.20f,  -2.30f}, {-41.8f, 0.20f,  -1.90f}, NONE},   // flight towards -x
    {{-42.2f, 0.40f,  -2.30f}, {-42.0f, 0.40f,  -1.90f}, NONE},
    {{-42.4f, 0.60f,  -2.30f}, {-42.2f, 0.60f,  -1.90f}, NONE},
    {{-42.6f, 0.70f,  -2.30f}, {-42.4f, 0.70f,  -1.90f}, NONE},
    {{-44.5f, 1.00f,  -2.30f}, {-42.6f, 1.00f,  -1.90f}, NONE},   // landing
    {{-46.2f, 0.25f,   3.25f}, {-45.2f, 0.25f,   3.45f}, NONE},   // stoop towards +z
    {{-46.2f, 0.50f,   3.45f}, {-45.2f, 0.50f,   4.00f}, NONE},
    {{-14.7f, -1.0f, -12.00f}, {-11.5f, 0.00f, -12.00f}, WIDE},
    {{-14.7f, -1.0f, -11.80f}, {-11.5f, 0.00f, -11.80f}, WIDE},
    {{-16.5f, -1.0f,   6.00f}, {-16.5f, 0.00f,  10.00f}, WIDE},
    {{-16.7f, -1.0f,   6.00f}, {-16.7f, 0.00f,  10.00f}, WIDE},
    {{-30.3f, -1.0f,   3.30f}, {-26.3f, 0.00f,   3.30f}, WIDE},
    {{-30.3f, -1.0f,   3.00f}, {-26.3f, 0.00f,   3.00f}, WIDE},
    {{-34.3f, -1.0f,  -3.00f}, {-34.3f, 0.00f,   0.00f}, WIDE},
    {{-34.7f, -1.0f,  -3.00f}, {-34.7f, 0.00f,   0.00f}, WIDE},
    {{-62.4f, -1.0f,   3.50f}, {-62.4f, 0.00f,   6.50f}, WIDE},
    {{-62.2f, -1.0f,   3.50f}, {-62.2f, 0.00f,   6.50f}, WIDE},
    {{-77.0f, -1.0f,  16.00f}, {-75.1f, 0.00f,  16.00f}, CORNER},
};
// clang-format on

const int WORLD1_WALL_COUNT = static_cast<int>(std::size(WORLD1_WALLS));
const int WORLD2_WALL_COUNT = static_cast<int>(std::size(WORLD2_WALLS));
static_assert(std::size(WORLD1_WALLS) == 5);
