// World 3's pools: a water surface laid flat over the level at each, and the box its
// surface stays in, by which the visible sets tell where a pool can be seen from.
#pragma once

#include "scene/blocks.h"
#include "scene/vec3.h"

#include <iterator>

// The water grid is drawn laid flat (its x across, its y along -z, its heights up) at `at`,
// scaled by `scale` (x and y across the pool, z its heights). Pool i shows surface i.
struct Pool {
    Vec3 at;
    Vec3 scale;
};
// clang-format off
inline constexpr Pool POOLS[] = {
    {{4,     0, -14.5f},  {3.4f, 3.4f, 3.4f}},
    {{19.5f, 0, -15.35f}, {2.6f, 5,    4.2f}},
};
// clang-format on
constexpr int POOL_COUNT = static_cast<int>(std::size(POOLS));

// The grid's extent across, in its own units (render/water.cpp lays it out).
constexpr float WATER_GRID_LO = -3, WATER_GRID_HI = 1;
// How far the surface may rise and sink, in world units, while its box holds it. Waves
// run to about -0.3 and 0.1 here; a surface beyond is drawn wherever it may be in view.
constexpr float POOL_SINK = 0.5f, POOL_RISE = 0.15f;

// The box pool `p`'s surface lies in while its heights (grid units) stay within the above.
constexpr Box pool_box(const Pool& p) {
    return {p.at.x + p.scale.x * WATER_GRID_LO, p.at.y - POOL_SINK, p.at.z - p.scale.y * WATER_GRID_HI,
            p.at.x + p.scale.x * WATER_GRID_HI, p.at.y + POOL_RISE, p.at.z - p.scale.y * WATER_GRID_LO};
}

// Whether a surface whose heights run from `low` to `high` (grid units) stays in its box.
constexpr bool pool_in_box(const Pool& p, float low, float high) {
    return p.scale.z * low >= -POOL_SINK && p.scale.z * high <= POOL_RISE;
}
