#include "pictures.h"

#include "procedural.h"

#include <cmath>

namespace {

// Courses of blocks: which block a pixel lies in and how far it is from the joints.
struct Courses {
    int rows;            // courses per picture height
    int blocks;          // blocks per course
    double stagger;      // shift of odd courses in block lengths; negative: a random shift per course
    double joint_jitter; // how far joints wander, in block lengths
    uint32_t seed;
};

struct BlockHit {
    int row, col;
    uint32_t id;
    double edge;   // pixels to the nearest joint
    double across; // 0..1 from the block's left joint to its right one
    double down;   // 0..1 from the block's top to its bottom
};

BlockHit find_block(const Courses& c, double x, double y) {
    const double course = static_cast<double>(SIDE) / c.rows;
    const double length = static_cast<double>(SIDE) / c.blocks;
    const int row = static_cast<int>(std::floor(y / course));
    const double top = row * course;
    const double shift = c.stagger >= 0 ? (row % 2) * c.stagger * length : hash01(row, 0, c.seed) * SIDE;
    const auto joint = [&](int k) {
        const int wrapped = k % c.blocks;
        return k * length + c.joint_jitter * length * (hash01(row, wrapped, c.seed + 1u) - 0.5);
    };
    double xs = fract((x - shift) / SIDE) * SIDE;
    if (xs < joint(0)) xs += SIDE;
    int col = 0;
    while (col < c.blocks - 1 && xs >= joint(col + 1)) ++col;
    const double left = joint(col), right = joint(col + 1);
    BlockHit hit;
    hit.row = row;
    hit.col = col;
    hit.id = hash_u32(row, col, c.seed + 2u);
    hit.edge = std::fmin(std::fmin(xs - left, right - xs), std::fmin(y - top, top + course - y));
    hit.across = (xs - left) / (right - left);
    hit.down = (y - top) / course;
    return hit;
}

struct Masonry {
    Courses courses;
    double mortar; // half width of a joint, pixels
    double bevel;  // pixels over which a face rounds off into the joint
    double chips;  // pixels by which block edges are irregular
    Color stone_a, stone_b;
    Color mortar_color;
    int grain_cells;  // scale of the stone's surface texture
    double roughness; // height of that texture
    double light;     // strength of the relief shading
};

// What a block's face looks like at one pixel, before lighting; `touch` may alter it.
struct Surface {
    Color color;
    double height;
    bool mortar;
};

template <class Touch> Picture masonry(const Masonry& m, uint32_t seed, Touch touch) {
    std::vector<Surface> surface(static_cast<size_t>(SIDE) * SIDE);
    Field height(SIDE, SIDE);
    for (int y = 0; y < SIDE; ++y) {
        for (int x = 0; x < SIDE; ++x) {
            const double u = (x + 0.5) / SIDE, v = (y + 0.5) / SIDE;
            const BlockHit hit = find_block(m.courses, x + 0.5, y + 0.5);
            const double chipped = hit.edge - m.chips * tile_fbm(u, v, 32, 32, 2, seed + 5u);
            const double face = smoothstep(m.mortar, m.mortar + m.bevel, chipped);
            const double grain = tile_fbm(u, v, m.grain_cells, m.grain_cells, 4, seed + 6u);
            const double tone = hash01(static_cast<int32_t>(hit.id), 1, seed);
            const double crystals = tile_noise(u, v, 128, 128, seed + 9u);
            Color stone = mix(m.stone_a, m.stone_b, tone) * (0.8 + 0.28 * grain + 0.14 * crystals);
            stone = stone * (0.92 + 0.16 * tile_fbm(u, v, 4, 4, 3, seed + 7u)); // broad weathering
            const Color joint = m.mortar_color * (0.85 + 0.3 * tile_fbm(u, v, 32, 32, 2, seed + 8u));
            Surface s{mix(joint, stone, smoothstep(m.mortar - 0.6, m.mortar + 0.6, chipped)),
                      face * (0.8 + m.roughness * grain), chipped < m.mortar};
            touch(s, u, v, hit);
            height.at(x, y) = s.height;
            surface[static_cast<size_t>(y) * SIDE + static_cast<size_t>(x)] = s;
        }
    }
    return paint(SIDE, SIDE, [&](double, double, int x, int y) {
        const Surface& s = surface[static_cast<size_t>(y) * SIDE + static_cast<size_t>(x)];
        return s.color * std::fmin(1.35, std::fmax(0.5, 1.0 + m.light * facing_light(height, x, y)));
    });
}

Picture masonry(const Masonry& m, uint32_t seed) {
    return masonry(m, seed, [](Surface&, double, double, const BlockHit&) {});
}

// Irregular stones set in mortar, from cellular noise.
struct Rubble {
    int cells;
    double gap;   // joint width, in cells
    double round; // how far in from the joint a stone's top is reached, in cells
    Color stone_a, stone_b, mortar_color;
    double light;
};

Picture rubble(const Rubble& r, uint32_t seed) {
    Field height(SIDE, SIDE);
    std::vector<Color> albedo(static_cast<size_t>(SIDE) * SIDE);
    for (int y = 0; y < SIDE; ++y) {
        for (int x = 0; x < SIDE; ++x) {
            const double u = (x + 0.5) / SIDE, v = (y + 0.5) / SIDE;
            const double wobble = 0.12 * (tile_fbm(u, v, 16, 16, 3, seed + 1u) - 0.5);
            const CellSample cell = tile_cells(u, v, r.cells, r.cells, seed, 0.85);
            const double edge = cell.f2 - cell.f1 + wobble;
            const double grain = tile_fbm(u, v, 32, 32, 3, seed + 2u);
            const double face = smoothstep(r.gap, r.gap + r.round, edge);
            height.at(x, y) = std::sqrt(face) * 1.6 + 0.25 * grain;
            const double tone = hash01(static_cast<int32_t>(cell.id), 3, seed);
            const Color stone = mix(r.stone_a, r.stone_b, tone) * (0.8 + 0.4 * grain);
            const Color joint = r.mortar_color * (0.8 + 0.4 * tile_noise(u, v, 64, 64, seed + 3u));
            albedo[static_cast<size_t>(y) * SIDE + static_cast<size_t>(x)] =
                mix(joint, stone, smoothstep(r.gap - 0.02, r.gap + 0.02, edge));
        }
    }
    return paint(SIDE, SIDE, [&](double, double, int x, int y) {
        const double h = height.get(x, y);
        const double occlusion = 0.55 + 0.45 * clamp01(h);
        return albedo[static_cast<size_t>(y) * SIDE + static_cast<size_t>(x)] *
               (occlusion * (1.0 + r.light * facing_light(height, x, y)));
    });
}

// Raises x in [0, 1] to the 16th power: the narrow peak of a marble vein.
double sharpen16(double x) {
    x *= x;
    x *= x;
    x *= x;
    return x * x;
}

// Marble: a folded sine through warped noise; 0 away from veins, 1 on them.
double marble_veins(double u, double v, int fu, int fv, double turbulence, uint32_t seed) {
    const double warp = tile_fbm(u, v, 2, 2, 5, seed);
    const double wave = det_sin(2.0 * PI * (u * fu + v * fv + turbulence * warp));
    return sharpen16(1.0 - std::fabs(wave));
}

} // namespace

Picture sandstone_ashlar() {
    // Kept in the middle of the range: the hall's water is added on top of this wall.
    const Masonry m{{4, 2, 0.5, 0.25, 11u}, 1.7, 3.0,  1.5, rgb(150, 118, 78), rgb(172, 140, 96),
                    rgb(150, 138, 116),     8,   0.35, 0.5};
    return masonry(m, 100u, [](Surface& s, double u, double v, const BlockHit&) {
        if (s.mortar) return;
        // Fine diagonal tooling left by the mason's chisel.
        const double tooling = det_sin(2.0 * PI * (u + v) * 48.0 + 4.0 * tile_noise(u, v, 16, 16, 103u));
        s.height += 0.015 * tooling;
    });
}

Picture mossy_stone() {
    const Masonry m{{4, 3, -1.0, 0.3, 21u}, 2.0, 3.5,  2.5, rgb(112, 108, 96), rgb(146, 138, 118),
                    rgb(88, 86, 74),        8,   0.45, 0.5};
    const Color moss_dark = rgb(58, 84, 34), moss_light = rgb(104, 128, 52), damp = rgb(60, 58, 50);
    return masonry(m, 200u, [&](Surface& s, double u, double v, const BlockHit& hit) {
        // Moss gathers in the joints and on the lower parts of blocks where water runs.
        const double patches = tile_fbm(u, v, 6, 6, 5, 201u);
        const double wet = (s.mortar ? 0.25 : 0.0) + 0.2 * hit.down;
        const double moss = smoothstep(0.5, 0.62, patches + wet * 0.5);
        s.color = mix(s.color, mix(moss_dark, moss_light, tile_noise(u, v, 96, 96, 202u)), moss * 0.85);
        s.height += 0.15 * moss;
        const double streaks = tile_fbm(u, v, 12, 3, 4, 203u);
        s.color = mix(s.color, damp, 0.25 * smoothstep(0.55, 0.7, streaks));
    });
}

Picture grey_blocks() {
    const Masonry m{{3, 2, -1.0, 0.35, 31u}, 2.0, 4.0, 2.0, rgb(126, 126, 122), rgb(168, 165, 158),
                    rgb(96, 94, 90),         6,   0.6, 0.55};
    return masonry(m, 300u);
}

Picture slate() {
    const Masonry m{{8, 2, -1.0, 0.5, 41u}, 1.6, 2.0, 2.5, rgb(50, 55, 64), rgb(78, 82, 92),
                    rgb(30, 30, 33),        8,   0.4, 0.6};
    return masonry(m, 400u, [](Surface& s, double u, double v, const BlockHit&) {
        // Split slate shows its layers as long horizontal laminations.
        const double layers = tile_fbm(u, v, 2, 48, 3, 401u);
        s.color = s.color * (0.85 + 0.3 * layers);
        s.height += 0.25 * layers;
    });
}

namespace {

Picture stone_tiles(Color a, Color b, Color joint, double stain, uint32_t seed) {
    const Masonry m{{4, 4, 0.0, 0.0, seed}, 1.8, 3.0, 1.0, a, b, joint, 8, 0.3, 0.45};
    return masonry(m, seed, [&](Surface& s, double u, double v, const BlockHit&) {
        const double cloud = tile_fbm(u, v, 8, 8, 4, seed + 1u);
        s.color = s.color * (0.9 + 0.2 * cloud);
        s.color = mix(s.color, s.color * 0.55, stain * smoothstep(0.55, 0.75, tile_fbm(u, v, 5, 5, 4, seed + 2u)));
    });
}

} // namespace

Picture blue_stone_tiles() { return stone_tiles(rgb(92, 108, 134), rgb(120, 136, 162), rgb(70, 76, 86), 0.3, 500u); }
Picture dark_blue_stone_tiles() { return stone_tiles(rgb(50, 60, 82), rgb(70, 80, 102), rgb(30, 32, 38), 0.8, 510u); }

Picture marble_floor() {
    const Masonry m{{2, 2, 0.0, 0.0, 61u}, 1.2, 1.5,  0.0, rgb(255, 255, 255), rgb(255, 255, 255),
                    rgb(60, 56, 52),       16,  0.05, 0.5};
    const Color cream = rgb(226, 214, 190), cream_vein = rgb(150, 130, 110);
    const Color rose = rgb(150, 70, 62), rose_vein = rgb(232, 200, 180);
    return masonry(m, 600u, [&](Surface& s, double u, double v, const BlockHit& hit) {
        if (s.mortar) return;
        const bool dark = (hit.row + hit.col) % 2 == 1;
        const double veins = marble_veins(u, v, 2, 3, dark ? 5.0 : 3.5, dark ? 601u : 602u);
        const double clouds = tile_fbm(u, v, 8, 8, 4, 603u);
        const Color base = (dark ? rose : cream) * (0.9 + 0.2 * clouds);
        // Polished: the face is flat, colour only, with a soft film over the veins.
        s.color = mix(s.color * base, dark ? rose_vein : cream_vein, 0.75 * veins);
        s.height = 1.0;
    });
}

Picture cobblestones() {
    return rubble(Rubble{8, 0.07, 0.35, rgb(104, 100, 96), rgb(150, 140, 124), rgb(52, 46, 38), 0.6}, 700u);
}

Picture fieldstone() {
    return rubble(Rubble{6, 0.05, 0.25, rgb(110, 112, 112), rgb(160, 160, 154), rgb(92, 90, 84), 0.6}, 800u);
}

namespace {

Masonry brick_bond(Color a, Color b, Color joint, uint32_t seed) {
    return Masonry{{12, 4, 0.5, 0.0, seed}, 1.7, 1.4, 1.2, a, b, joint, 32, 0.35, 0.5};
}

} // namespace

Picture red_brick() {
    const Color burnt = rgb(96, 40, 34);
    return masonry(brick_bond(rgb(148, 56, 40), rgb(186, 88, 60), rgb(196, 190, 178), 71u), 900u,
                   [&](Surface& s, double u, double v, const BlockHit& hit) {
                       if (s.mortar) return;
                       if (hash01(static_cast<int32_t>(hit.id), 9, 901u) > 0.85) s.color = s.color * (burnt * 2.2);
                       // Sand and grit fired into the face.
                       const double speck =
                           hash01(static_cast<int32_t>(u * 4096), static_cast<int32_t>(v * 4096), 902u);
                       if (speck > 0.93) s.color = s.color * 0.8;
                   });
}

Picture weathered_brick() {
    const Color soot = rgb(36, 30, 28), bloom = rgb(190, 186, 176);
    return masonry(brick_bond(rgb(82, 44, 38), rgb(112, 62, 50), rgb(92, 88, 80), 81u), 1000u,
                   [&](Surface& s, double u, double v, const BlockHit&) {
                       const double grime = tile_fbm(u, v, 4, 4, 5, 1001u);
                       s.color = mix(s.color, soot, 0.6 * smoothstep(0.45, 0.7, grime));
                       // Salts washed out of the joints leave pale blooms.
                       const double salt = tile_fbm(u, v, 16, 4, 4, 1002u);
                       s.color = mix(s.color, bloom, 0.22 * smoothstep(0.62, 0.75, salt));
                   });
}

namespace {

Picture plaster(Color base, double relief, uint32_t seed) {
    const Field height = make_field(SIDE, SIDE, [&](double u, double v, int, int) {
        return 3.0 * tile_fbm(u, v, 8, 8, 5, seed) + 0.6 * tile_noise(u, v, 128, 128, seed + 1u);
    });
    return paint(SIDE, SIDE, [&](double u, double v, int x, int y) {
        const double blotches = tile_fbm(u, v, 3, 3, 4, seed + 2u);
        return base * (0.9 + 0.2 * blotches) * (1.0 + relief * facing_light(height, x, y));
    });
}

} // namespace

Picture ochre_plaster() { return plaster(rgb(226, 202, 152), 0.22, 1100u); }

Picture stained_plaster() {
    const Picture clean = plaster(rgb(214, 198, 166), 0.3, 1200u);
    const Color timber_stain = rgb(118, 86, 52);
    return paint(SIDE, SIDE, [&](double u, double v, int x, int y) {
        const unsigned char* p = &clean.rgb[(static_cast<size_t>(y) * SIDE + static_cast<size_t>(x)) * 3];
        const Color c = rgb(p[0], p[1], p[2]);
        // Tannin washed out of the timbers runs down the plaster in streaks.
        const double runs = tile_fbm(u, v, 20, 2, 4, 1201u);
        const double patches = tile_fbm(u, v, 3, 3, 4, 1202u);
        const double stain = smoothstep(0.55, 0.72, runs) * 0.55 + smoothstep(0.6, 0.72, patches) * 0.35;
        return mix(c, timber_stain, clamp01(stain));
    });
}

Picture flaking_whitewash() {
    const Picture bricks = red_brick();
    const Color wash = rgb(230, 228, 216);
    const Field cover = make_field(SIDE, SIDE, [](double u, double v, int, int) {
        return smoothstep(0.58, 0.6, tile_fbm(u, v, 4, 4, 6, 1301u)); // 1 where the wash has fallen away
    });
    return paint(SIDE, SIDE, [&](double u, double v, int x, int y) {
        const unsigned char* p = &bricks.rgb[(static_cast<size_t>(y) * SIDE + static_cast<size_t>(x)) * 3];
        const double bare = cover.get(x, y);
        const Color lime = wash * (0.88 + 0.12 * tile_fbm(u, v, 16, 16, 3, 1302u));
        // The broken edge of the coat casts a thin shadow onto the brick.
        const double rim = clamp01(-1.5 * facing_light(cover, x, y));
        return mix(lime, rgb(p[0], p[1], p[2]) * (1.0 - 0.5 * rim), bare);
    });
}

Picture green_marble() {
    const Color deep = rgb(24, 64, 46), light = rgb(52, 104, 78), vein = rgb(186, 214, 194);
    return paint(SIDE, SIDE, [&](double u, double v, int, int) {
        const double clouds = tile_fbm(u, v, 4, 4, 5, 1401u);
        const double veins = marble_veins(u, v, 1, 2, 6.0, 1402u);
        const double fine = marble_veins(u, v, 3, 1, 4.0, 1403u);
        return mix(mix(deep, light, clouds), vein, clamp01(0.8 * veins + 0.35 * fine));
    });
}

Picture veined_dark_stone() {
    const Color base = rgb(16, 18, 20), vein = rgb(120, 132, 128), speck = rgb(210, 220, 215);
    return paint(SIDE, SIDE, [&](double u, double v, int, int) {
        const Color stone = base * (0.8 + 0.4 * tile_fbm(u, v, 16, 16, 4, 1501u));
        const double ridge = 1.0 - std::fabs(2.0 * tile_fbm(u, v, 4, 4, 5, 1502u) - 1.0);
        const double veins = smoothstep(0.95, 0.99, ridge) * tile_fbm(u, v, 3, 3, 2, 1503u);
        const CellSample dot = tile_cells(u, v, 40, 40, 1504u, 0.9);
        const double lit = hash01(static_cast<int32_t>(dot.id), 0, 1505u);
        const double specks = lit > 0.55 ? smoothstep(0.16, 0.02, dot.f1) * (lit - 0.55) * 2.2 : 0.0;
        return stone + vein * veins + speck * specks;
    });
}
