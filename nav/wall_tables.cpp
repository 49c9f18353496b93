// World 1's wall table (the town's is in world2_walls.cpp, world 3's in world3_walls.cpp).
#include "nav/contacts.h"

#include <iterator>

namespace {
constexpr GateLink NONE = GateLink::None;
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
// clang-format on

const int WORLD1_WALL_COUNT = static_cast<int>(std::size(WORLD1_WALLS));
static_assert(std::size(WORLD1_WALLS) == 5);
