#include "pictures.h"

#include "procedural.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

namespace {

// Sawn timber with the grain running along `along`: 0 light early wood, 1 dark late wood.
// `rings` growth rings cross the picture; across and along are picture axes, so swapping
// them turns the grain; `waviness` is how far the rings wander. Integer ring counts keep
// the pattern tiling.
double grain(double across, double along, int rings, double waviness, double phase, uint32_t seed) {
    const double warp = tile_fbm(across, along, 3, 2, 4, seed);
    const double ring = fract(across * rings + waviness * warp + phase);
    const double late = smoothstep(0.55, 0.8, ring) * (1.0 - smoothstep(0.9, 1.0, ring));
    const double fibres = tile_noise(across, along, 128, 4, seed + 1u);
    return clamp01(0.65 * late + 0.35 * fibres);
}

struct Knot {
    double x, y;   // centre, pixels
    double rx, ry; // radii, pixels
};

// 0 outside a knot; inside, dark rings around a darker core.
double knot(const Knot& k, double px, double py) {
    const double dx = (px - k.x) / k.rx, dy = (py - k.y) / k.ry;
    const double d = std::sqrt(dx * dx + dy * dy);
    if (d >= 1.0) return 0.0;
    return (1.0 - d) * (0.5 + 0.5 * det_sin(d * 18.0)) + smoothstep(0.35, 0.0, d);
}

double nail_shade(double dx, double dy, double radius) {
    const double d = std::sqrt(dx * dx + dy * dy);
    if (d >= radius) return -1.0;
    return 0.5 - 0.5 * (dx + dy) / radius; // lit from the upper left
}

} // namespace

Picture door_planks() {
    constexpr int PLANKS = 4;
    constexpr double WIDTH = static_cast<double>(SIDE) / PLANKS;
    const Color light = rgb(156, 106, 60), dark = rgb(92, 58, 30), gap = rgb(28, 18, 10), iron = rgb(44, 42, 40);
    return paint(SIDE, SIDE, [&](double u, double v, int x, int y) {
        const double px = x + 0.5, py = y + 0.5;
        const int plank = static_cast<int>(px / WIDTH);
        const double local = px - plank * WIDTH;
        const double tone = hash01(plank, 0, 2401u);
        const double g = grain(u, v, 20, 2.5, tone * 3.0, 2402u + static_cast<uint32_t>(plank));
        Color c = mix(light, dark, g) * (0.85 + 0.25 * tone);
        c = c * (0.85 + 0.15 * smoothstep(0.0, 5.0, std::fmin(local, WIDTH - local))); // rounded plank edges
        c = mix(gap, c, smoothstep(1.0, 2.5, std::fmin(local, WIDTH - local)));
        // Two nails per plank into each hidden batten.
        for (double batten : {0.16 * SIDE, 0.84 * SIDE}) {
            for (double side : {-14.0, 14.0}) {
                const double dx = px - (plank + 0.5) * WIDTH - side, dy = py - batten;
                const double head = nail_shade(dx, dy, 3.5);
                if (head >= 0) return iron * (0.6 + 1.4 * head);
                c = c * (1.0 - 0.35 * smoothstep(7.0, 3.5, std::sqrt(dx * dx + dy * dy))); // rust halo
            }
        }
        return c;
    });
}

Picture hewn_beam() {
    const Color light = rgb(150, 112, 72), dark = rgb(88, 60, 36), crack = rgb(34, 22, 14);
    const Knot knots[] = {{158.0, 112.0, 11.0, 7.0}, {40.0, 196.0, 8.0, 5.0}};
    const Field height = make_field(SIDE, SIDE, [](double u, double v, int, int) {
        // Adze marks: shallow scoops one after another along the beam.
        const double phase = fract(u * 9.0 + 0.6 * tile_fbm(u, v, 3, 2, 3, 2501u));
        return 0.8 * (phase - 0.5) * (phase - 0.5) * (0.4 + 1.2 * tile_noise(u, v, 9, 3, 2502u));
    });
    return paint(SIDE, SIDE, [&](double u, double v, int x, int y) {
        Color c = mix(light, dark, grain(v, u, 12, 1.2, 0.0, 2503u));
        c = c * (0.9 + 0.15 * tile_fbm(u, v, 4, 4, 3, 2504u));
        for (const Knot& k : knots) c = mix(c, dark * 0.6, clamp01(knot(k, x + 0.5, y + 0.5)));
        // Drying checks along the grain; they open and close along the beam.
        for (double line : {0.3, 0.71}) {
            const double wander = line + 0.03 * (tile_noise(u, line, 6, 1, 2505u) - 0.5);
            const double open = smoothstep(0.45, 0.65, tile_noise(u, line, 3, 1, 2506u));
            const double width = 1.4 * open / SIDE;
            c = mix(c, crack, open * smoothstep(width, 0.0, std::fabs(v - wander) - width * 0.3));
        }
        return c * (1.0 + 0.9 * facing_light(height, x, y));
    });
}

Picture plank_floor() {
    constexpr int BOARDS = 8;
    constexpr double WIDTH = static_cast<double>(SIDE) / BOARDS;
    const Color light = rgb(170, 122, 74), dark = rgb(104, 68, 38), gap = rgb(30, 20, 12), nail = rgb(40, 36, 32);
    return paint(SIDE, SIDE, [&](double u, double v, int x, int y) {
        const double px = x + 0.5, py = y + 0.5;
        const int board = static_cast<int>(py / WIDTH);
        const double local = py - board * WIDTH;
        // One butt joint per board, at a different place on each.
        const double joint = hash01(board, 0, 2601u) * SIDE;
        const double along = fract((px - joint) / SIDE) * SIDE; // distance past the joint
        const double tone = hash01(board, 1, 2602u);
        Color c = mix(light, dark, grain(v, u, 24, 1.5, tone * 5.0, 2603u)) * (0.8 + 0.3 * tone);
        const double seam = std::fmin(std::fmin(local, WIDTH - local), std::fmin(along, SIDE - along));
        c = c * (0.82 + 0.18 * smoothstep(0.0, 4.0, seam));
        c = mix(gap, c, smoothstep(0.8, 2.0, seam));
        for (double from_joint : {7.0, SIDE - 7.0})
            for (double across : {WIDTH * 0.3, WIDTH * 0.7}) {
                const double head = nail_shade(along - from_joint, local - across, 1.8);
                if (head >= 0) return nail * (0.7 + 1.2 * head);
            }
        return c;
    });
}

Picture roof_shingles() {
    constexpr int COURSES = 8;
    constexpr double COURSE = static_cast<double>(SIDE) / COURSES;
    const Color weathered = rgb(104, 96, 86), fresh = rgb(138, 120, 98), gap = rgb(26, 22, 20);
    const Color lichen = rgb(150, 156, 118);
    return paint(SIDE, SIDE, [&](double u, double v, int x, int y) {
        const double px = x + 0.5, py = y + 0.5;
        const int course = static_cast<int>(py / COURSE);
        const double down = py - course * COURSE;
        // Each course is laid with its own shingle widths, shifted against the course below.
        const double shifted = fract(px / SIDE + hash01(course, 0, 2701u)) * SIDE;
        constexpr int PER_COURSE = 9;
        const double width = static_cast<double>(SIDE) / PER_COURSE;
        const auto joint = [&](int k) {
            return k * width + (k % PER_COURSE ? 8.0 * (hash01(course, k, 2702u) - 0.5) : 0.0);
        };
        int n = static_cast<int>(shifted / width);
        if (n > 0 && shifted < joint(n)) --n;
        else if (n + 1 < PER_COURSE && shifted >= joint(n + 1)) ++n;
        const double edge = std::fmin(shifted - joint(n), joint(n + 1) - shifted);
        const double tone = hash01(course, n, 2703u);
        const double streaks = tile_noise(u, v, 64, 8, 2704u);
        Color c = mix(weathered, fresh, tone * 0.8) * (0.78 + 0.35 * streaks);
        c = c * (0.85 + 0.2 * tile_fbm(u, v, 8, 8, 3, 2705u));
        c = mix(c, lichen, 0.55 * smoothstep(0.66, 0.74, tile_fbm(u, v, 12, 12, 4, 2706u)));
        c = c * (1.0 - 0.55 * smoothstep(7.0, 0.0, down));                   // shadow under the course above
        c = c * (1.0 + 0.25 * smoothstep(COURSE - 3.0, COURSE - 1.0, down)); // butt end catching light
        return mix(gap, c, smoothstep(0.5, 1.6, edge));
    });
}

namespace {

// A cloud layer for a sky sphere: u wraps round the horizon, v runs pole to pole, so
// features use twice the cells along u to stay round at the equator. Dark is clear sky:
// the layers are added over black. Towards the poles each row fades to its own average,
// so the pinch there shows an even veil rather than streaks or a hole.
struct CloudLayer {
    int cells_u, cells_v, octaves;
    double cover; // share of the sky under cloud; the densest 40% of that is solid
    double haze;  // faint glow everywhere
    double brightness;
    uint32_t seed;
};

// The value below which `share` of the field lies. Thresholds taken from the field itself
// keep a layer's cover as asked whatever its few coarse noise values happen to be.
double quantile(const Field& field, double share) {
    std::vector<double> sorted = field.values;
    const size_t rank = static_cast<size_t>(share * static_cast<double>(sorted.size() - 1));
    std::nth_element(sorted.begin(), sorted.begin() + static_cast<std::ptrdiff_t>(rank), sorted.end());
    return sorted[rank];
}

Picture sky(const CloudLayer& layer) {
    const Color white = rgb(255, 250, 240), shade = rgb(150, 160, 180);
    const Field density = make_field(SIDE, SIDE, [&](double u, double v, int, int) {
        return tile_fbm(u, v, layer.cells_u, layer.cells_v, layer.octaves, layer.seed);
    });
    const double low = quantile(density, 1.0 - layer.cover), high = quantile(density, 1.0 - 0.4 * layer.cover);
    const Field cover = make_field(SIDE, SIDE, [&](double u, double v, int x, int y) {
        const double body = tile_fbm(u, v, layer.cells_u * 2, layer.cells_v * 2, 3, layer.seed + 1u);
        return smoothstep(low, high, density.get(x, y)) * (0.6 + 0.4 * body);
    });
    std::vector<double> row_mean(SIDE, 0.0);
    for (int y = 0; y < SIDE; ++y)
        for (int x = 0; x < SIDE; ++x) row_mean[static_cast<size_t>(y)] += cover.get(x, y) / SIDE;
    return paint(SIDE, SIDE, [&](double, double v, int x, int y) {
        const double pole = smoothstep(0.0, 0.15, v) * smoothstep(1.0, 0.85, v);
        const double c = lerp(row_mean[static_cast<size_t>(y)], cover.get(x, y), pole);
        return mix(shade, white, c) * (layer.brightness * c) + white * layer.haze;
    });
}

} // namespace

Picture sky_masses() { return sky(CloudLayer{4, 2, 6, 0.45, 0.02, 1.0, 2801u}); }
Picture sky_wisps() { return sky(CloudLayer{4, 6, 5, 0.35, 0.01, 0.85, 2901u}); }
Picture sky_puffs() { return sky(CloudLayer{12, 6, 4, 0.25, 0.0, 0.9, 3001u}); }
Picture sky_streaks() { return sky(CloudLayer{2, 16, 4, 0.35, 0.01, 0.6, 3101u}); }
