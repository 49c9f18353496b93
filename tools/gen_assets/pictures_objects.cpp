#include "pictures.h"

#include "procedural.h"

#include <algorithm>
#include <cmath>

namespace {

// Averages samples x samples points per pixel of shape(u, v): smooth edges for drawings.
template <class Shape> Picture paint_smooth(int samples, Shape shape) {
    const double weight = 1.0 / (samples * samples);
    return paint(SIDE, SIDE, [&](double, double, int x, int y) {
        Color sum{0, 0, 0};
        for (int sy = 0; sy < samples; ++sy)
            for (int sx = 0; sx < samples; ++sx)
                sum = sum + shape((x + (sx + 0.5) / samples) / SIDE, (y + (sy + 0.5) / samples) / SIDE);
        return sum * weight;
    });
}

double distance(double x0, double y0, double x1, double y1) {
    return std::sqrt((x0 - x1) * (x0 - x1) + (y0 - y1) * (y0 - y1));
}

// Radius of a `points`-pointed star outline in the direction `angle`.
double star_radius(double angle, int points, double outer, double inner) {
    const double phase = fract(angle * points / (2.0 * PI));
    const double from_tip = 2.0 * std::fmin(phase, 1.0 - phase); // 0 at a tip, 1 between tips
    return lerp(outer, inner, from_tip);
}

} // namespace

Picture coat_of_arms() {
    const Color field = rgb(26, 36, 96), diaper = rgb(40, 54, 126), black = rgb(14, 12, 12);
    const Color gules = rgb(184, 28, 38), gold = rgb(232, 186, 56), argent = rgb(236, 236, 228);
    const Color azure = rgb(30, 62, 168);
    constexpr double TOP = 0.25, SHOULDER = 0.56, POINT = 0.93, HALF = 0.3, OUTLINE = 0.008;

    // Crown above the shield, grown by `grow` (used to draw its black outline first).
    // 0 outside, 1 metal, 2 pearl, 3 jewel.
    const auto crown = [](double u, double v, double grow) {
        for (double jewel_u : {0.42, 0.5, 0.58})
            if (distance(u, v, jewel_u, 0.19) < 0.013 + grow) return 3;
        const double apexes[3][2] = {{0.37, 0.095}, {0.5, 0.07}, {0.63, 0.095}};
        for (const auto& a : apexes)
            if (distance(u, v, a[0], a[1]) < 0.017 + grow) return 2;
        if (u > 0.34 - grow && u < 0.66 + grow && v > 0.165 - grow && v < 0.215 + grow) return 1;
        for (const auto& a : apexes) {
            const double half = 0.06 * (v - a[1]) / (0.165 - a[1]) + grow;
            if (v > a[1] - grow && v < 0.17 && std::fabs(u - a[0]) < half) return 1;
        }
        return 0;
    };

    return paint_smooth(4, [&](double u, double v) -> Color {
        const bool lattice =
            std::fabs(fract((u + v) * 8.0) - 0.5) > 0.47 || std::fabs(fract((u - v) * 8.0) - 0.5) > 0.47;
        Color c = lattice ? diaper : field;
        if (const int part = crown(u, v, 0.0)) return part == 1 ? gold : (part == 2 ? argent : gules);
        if (crown(u, v, OUTLINE)) return black;

        // Heater shield: straight sides, then a curve to the point. `inside` approximates the
        // distance from the outline.
        const double dx = std::fabs(u - 0.5);
        double half = HALF, slope = 0.0;
        if (v > SHOULDER) {
            const double t = (v - SHOULDER) / (POINT - SHOULDER);
            half = HALF * (1.0 - t * t);
            slope = 2.0 * HALF * t / (POINT - SHOULDER);
        }
        const double inside = std::fmin(v - TOP, (half - dx) / std::sqrt(1.0 + slope * slope));
        if (v > POINT + OUTLINE || inside < -OUTLINE) return c;
        if (inside < 0.0) return black;
        if (inside < 0.026) return argent; // bordure
        if (inside < 0.026 + OUTLINE) return black;

        const double cx = 0.5, cy = 0.5;
        const double r = distance(u, v, cx, cy);
        if (r < 0.105) {
            const double angle = det_atan2(v - cy, u - cx) + PI / 2;
            if (r < star_radius(angle, 8, 0.085, 0.04)) return gold;
            return r < 0.105 - OUTLINE ? azure : black;
        }
        // Quarterly: gules in the first and fourth quarters, or in the second and third.
        const bool first_or_fourth = (u < cx) == (v < cy);
        if (std::fabs(u - cx) < OUTLINE / 2 || std::fabs(v - cy) < OUTLINE / 2) return black;
        return first_or_fourth ? gules : gold;
    });
}

Picture eye() {
    const Color border = rgb(30, 18, 14), sclera = rgb(240, 234, 224), vein = rgb(196, 70, 64);
    const Color iris_dark = rgb(30, 78, 98), iris_light = rgb(104, 168, 168), amber = rgb(176, 132, 56);
    const Color limbus = rgb(16, 30, 40), pupil = rgb(6, 6, 8), white = rgb(255, 255, 255);
    constexpr double BALL = 0.46, IRIS = 0.2, PUPIL = 0.075;
    return paint_smooth(3, [&](double u, double v) -> Color {
        const double dx = u - 0.5, dy = v - 0.5;
        const double r = std::sqrt(dx * dx + dy * dy);
        if (r > BALL) return border * (1.0 - 0.5 * smoothstep(BALL, 0.7, r));
        // Sclera: shaded as a ball, with fine veins reaching in from the rim.
        Color c = sclera * (0.62 + 0.38 * std::sqrt(1.0 - (r / BALL) * (r / BALL)));
        const double ridge = 1.0 - std::fabs(2.0 * tile_fbm(u, v, 6, 6, 4, 3201u) - 1.0);
        c = mix(c, vein, 0.8 * smoothstep(0.93, 0.98, ridge) * smoothstep(0.24, 0.4, r));
        c = mix(c, border, smoothstep(BALL - 0.03, BALL, r));
        if (r < IRIS) {
            // Fibres run outwards: noise indexed by angle (wrapping once round) and radius.
            const double around = det_atan2(dy, dx) / (2.0 * PI) + 0.5;
            const double radial = r / IRIS;
            const double fibres = tile_fbm(around, radial * 0.25, 64, 2, 3, 3202u);
            Color iris = mix(iris_dark, iris_light, smoothstep(0.3, 0.7, fibres));
            iris = mix(iris, amber, 0.7 * smoothstep(0.6, 0.4, radial));
            iris = mix(iris, limbus, smoothstep(0.8, 1.0, radial));
            c = mix(c, iris, smoothstep(IRIS, IRIS - 0.006, r));
            c = mix(c, pupil, smoothstep(PUPIL + 0.006, PUPIL, r));
        }
        c = mix(c, white, smoothstep(0.036, 0.028, distance(dx, dy, -0.065, -0.075)));
        return mix(c, white, 0.8 * smoothstep(0.014, 0.009, distance(dx, dy, 0.055, 0.06)));
    });
}

namespace {

// Pseudo-text for the monitor: each character is two to four strokes on a 5 x 7 cell,
// picked by hash, which reads as writing at a distance.
bool glyph_pixel(uint32_t glyph, int col, int row) {
    bool on = false;
    for (int stroke = 0; stroke < 10; ++stroke) {
        if (((glyph >> stroke) & 1u) == 0) continue;
        switch (stroke) {
        case 0:
            on |= col == 0;
            break;
        case 1:
            on |= col == 4;
            break;
        case 2:
            on |= col == 2 && row > 0;
            break;
        case 3:
            on |= row == 0;
            break;
        case 4:
            on |= row == 3;
            break;
        case 5:
            on |= row == 6;
            break;
        case 6:
            on |= col == (row * 4 + 3) / 6;
            break;
        case 7:
            on |= col == 0 && row <= 3;
            break;
        case 8:
            on |= col == 4 && row >= 3;
            break;
        case 9:
            on |= row == 5 && col >= 1 && col <= 3;
            break;
        }
    }
    return on;
}

uint32_t glyph_for(int line, int index) {
    uint32_t bits = hash_u32(line, index, 3301u) & 0x3FFu;
    const auto strokes = [](uint32_t b) {
        int n = 0;
        for (; b; b &= b - 1) ++n;
        return n;
    };
    while (strokes(bits) > 4) bits &= bits - 1;               // at most four strokes
    return bits | (1u << (hash_u32(line, index, 3302u) % 6)); // at least one
}

} // namespace

Picture monitor_screen() {
    const Color phosphor = rgb(90, 255, 140), glass = rgb(6, 16, 12), plastic = rgb(14, 14, 16);
    constexpr int CHAR_W = 6, LINE_H = 11, LEFT = 18, LINES = 14, FIRST_LINE = 30;
    Field lit(SIDE, SIDE);
    const auto put_glyph = [&](uint32_t glyph, int x0, int y0, double value) {
        for (int row = 0; row < 7; ++row)
            for (int col = 0; col < 5; ++col)
                if (glyph_pixel(glyph, col, row)) lit.at(x0 + col, y0 + row) = value;
    };
    // Title bar: lit band with dark writing.
    for (int y = 10; y < 22; ++y)
        for (int x = 14; x < SIDE - 14; ++x) lit.at(x, y) = 0.8;
    for (int i = 0; i < 20; ++i) put_glyph(glyph_for(99, i), LEFT + i * CHAR_W, 13, 0.0);
    int cursor_x = LEFT, cursor_y = FIRST_LINE;
    for (int line = 0; line < LINES; ++line) {
        const int length = 8 + static_cast<int>(hash_u32(line, 0, 3303u) % 29u);
        const int y0 = FIRST_LINE + line * LINE_H;
        for (int i = 0; i < length; ++i)
            if (hash01(line, i, 3304u) > 0.16) put_glyph(glyph_for(line, i), LEFT + i * CHAR_W, y0, 1.0);
        cursor_x = LEFT + length * CHAR_W;
        cursor_y = y0;
    }
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 5; ++x) lit.at(cursor_x + x, cursor_y + y) = 1.0;
    // A bar chart along the bottom.
    for (int bar = 0; bar < 16; ++bar) {
        const int height = 6 + static_cast<int>(hash_u32(bar, 0, 3305u) % 30u);
        for (int y = 236 - height; y < 236; ++y)
            for (int x = 0; x < 9; ++x) lit.at(LEFT + bar * 14 + x, y) = 0.85;
    }
    Field glow = lit;
    blur(glow, 2, 3);

    return paint(SIDE, SIDE, [&](double u, double v, int x, int y) {
        // Rounded tube face inside a thin plastic surround.
        const double px = x + 0.5, py = y + 0.5;
        constexpr double INSET = 4.0, RADIUS = 26.0;
        const double qx = std::fmax(0.0, std::fabs(px - SIDE / 2.0) - (SIDE / 2.0 - INSET - RADIUS));
        const double qy = std::fmax(0.0, std::fabs(py - SIDE / 2.0) - (SIDE / 2.0 - INSET - RADIUS));
        const double inside = RADIUS - std::sqrt(qx * qx + qy * qy); // pixels in from the tube's edge
        if (inside < 0.0) return plastic;
        const double cu = u - 0.5, cv = v - 0.5;
        Color c = glass * (1.0 + 1.2 * (1.0 - 2.5 * (cu * cu + cv * cv)));
        c = c + phosphor * (0.85 * lit.get(x, y) + 1.1 * glow.get(x, y));
        if (y % 2) c = c * 0.62; // scanlines
        const double sheen = u + v - 0.5;
        c = c + Color{0.5, 0.55, 0.55} * (0.08 * det_exp(-sheen * sheen / 0.02));
        return c * (0.35 + 0.65 * smoothstep(0.0, 16.0, inside));
    });
}

Picture soft_glow() {
    const Color gold = rgb(255, 168, 60), white = rgb(255, 248, 232);
    return paint(SIDE, SIDE, [&](double u, double v, int, int) {
        const double r = 2.0 * distance(u, v, 0.5, 0.5); // 1 at the middle of each side
        const double fall = smoothstep(1.0, 0.0, r);
        const double wisps = 0.85 + 0.3 * tile_fbm(u, v, 6, 6, 4, 3401u);
        const double level = clamp01(1.1 * fall * std::sqrt(fall) * wisps + 0.8 * det_exp(-r * r / 0.04));
        return mix(gold, white, smoothstep(0.25, 0.95, level)) * level;
    });
}

Picture ringed_planet() {
    constexpr double R = 0.2;      // planet radius, picture widths
    constexpr double TILT = -0.38; // ring plane turned in the picture, radians
    constexpr double OPEN = 0.3;   // how far the rings open towards us
    const double close = std::sqrt(1.0 - OPEN * OPEN);
    const double ct = det_cos(TILT), st = det_sin(TILT);
    // Ring plane axes: e1 in the picture, e2 tipped towards the viewer (z out of the picture).
    const double e1[3] = {ct, st, 0.0}, e2[3] = {-st * OPEN, ct * OPEN, close};
    const double pole[3] = {e1[1] * e2[2] - e1[2] * e2[1], e1[2] * e2[0] - e1[0] * e2[2],
                            e1[0] * e2[1] - e1[1] * e2[0]};
    const double light_norm = std::sqrt(0.55 * 0.55 + 0.45 * 0.45 + 0.7 * 0.7);
    const double light[3] = {-0.55 / light_norm, -0.45 / light_norm, 0.7 / light_norm};
    const Color cream = rgb(236, 214, 170), tan = rgb(196, 156, 104), brown = rgb(138, 96, 62);
    const Color ring_dust = rgb(206, 186, 150), ring_ice = rgb(232, 220, 196), star = rgb(200, 210, 255);

    return paint_smooth(2, [&](double u, double v) -> Color {
        const double x = u - 0.5, y = v - 0.5;
        const CellSample s = tile_cells(u, v, 48, 48, 3501u, 0.9);
        const double twinkle = hash01(static_cast<int32_t>(s.id), 0, 3502u);
        Color c = twinkle > 0.75 ? star * (0.9 * (twinkle - 0.75) * smoothstep(0.07, 0.0, s.f1) * 4.0) : Color{0, 0, 0};

        // Where this pixel's line of sight meets the ring plane.
        const double a = x * ct + y * st, b = (-x * st + y * ct) / OPEN;
        const double p[3] = {a * e1[0] + b * e2[0], a * e1[1] + b * e2[1], a * e1[2] + b * e2[2]};
        const double rho = std::sqrt(a * a + b * b) / R;
        double density = smoothstep(1.3, 1.36, rho) * smoothstep(2.3, 2.22, rho);
        density *= (rho < 1.58 ? 0.4 : 0.95) * (1.0 - 0.92 * smoothstep(0.035, 0.01, std::fabs(rho - 1.95)));
        const double ringlets = tile_noise(rho / 3.0, 0.0, 96, 1, 3503u);
        density *= 0.6 + 0.4 * ringlets;
        // The planet's shadow falls across the rings behind it.
        const double along = -(p[0] * light[0] + p[1] * light[1] + p[2] * light[2]);
        double lit = 1.0;
        if (along > 0) {
            const double q[3] = {p[0] + along * light[0], p[1] + along * light[1], p[2] + along * light[2]};
            lit = q[0] * q[0] + q[1] * q[1] + q[2] * q[2] < R * R ? 0.12 : 1.0;
        }
        const Color ring = mix(ring_dust, ring_ice, ringlets) * lit;
        if (p[2] < 0) c = mix(c, ring, density);

        const double d2 = x * x + y * y;
        if (d2 < R * R) {
            const double z = std::sqrt(R * R - d2);
            const double n[3] = {x / R, y / R, z / R};
            const double latitude = n[0] * pole[0] + n[1] * pole[1] + n[2] * pole[2];
            const double bands = tile_fbm(0.0, 0.5 + 0.5 * latitude, 1, 10, 3, 3504u);
            Color surface = bands < 0.5 ? mix(brown, tan, smoothstep(0.3, 0.5, bands))
                                        : mix(tan, cream, smoothstep(0.5, 0.7, bands));
            const double sun = std::fmax(0.0, n[0] * light[0] + n[1] * light[1] + n[2] * light[2]);
            c = surface * (0.03 + 0.97 * sun) * (0.75 + 0.25 * n[2]);
        }
        if (p[2] >= 0) c = mix(c, ring, density);
        return c;
    });
}

Picture gate_panel() {
    constexpr int FRAME = 14, PLANKS = 6, STRAP_HALF = 10;
    constexpr int STRAPS[] = {51, 128, 205};
    const Color iron = rgb(58, 58, 64), iron_light = rgb(104, 104, 112), iron_dark = rgb(26, 26, 30);
    const Color rivet_light = rgb(168, 168, 176), rivet_mid = rgb(112, 112, 120);
    const Color planks[3] = {rgb(108, 72, 40), rgb(96, 62, 34), rgb(118, 80, 46)};
    const Color gap = rgb(34, 22, 12);
    const double plank_width = static_cast<double>(SIDE - 2 * FRAME) / PLANKS;

    // Flat three-tone rivet lit from the upper left; nothing outside its radius.
    const auto rivet = [&](double dx, double dy, Color& c) {
        if (dx * dx + dy * dy >= 4.5 * 4.5) return false;
        c = dx + dy < -1.5 ? rivet_light : (dx + dy > 1.5 ? iron_dark : rivet_mid);
        return true;
    };

    return paint(SIDE, SIDE, [&](double u, double v, int x, int y) {
        Color c{0, 0, 0};
        const int edge = std::min(std::min(x, y), std::min(SIDE - 1 - x, SIDE - 1 - y));
        if (edge < FRAME) {
            if (edge < 2) return iron_dark;
            // Rivets run along the middle of the frame every 32 pixels.
            const double along = (edge == x || edge == SIDE - 1 - x) ? y : x;
            const double across = edge - (FRAME - 1) / 2.0;
            if (rivet(across, along + 0.5 - (std::floor(along / 32.0) + 0.5) * 32.0, c)) return c;
            const bool lit_side = edge == x || edge == y;
            if (edge < 4) return lit_side ? iron_light : iron;
            if (edge >= FRAME - 2) return lit_side ? iron_dark : iron_light;
            return iron;
        }
        const double inner_x = x + 0.5 - FRAME;
        const int plank = std::min(PLANKS - 1, static_cast<int>(inner_x / plank_width));
        const double centre = (plank + 0.5) * plank_width;
        for (int strap : STRAPS) {
            const int dy = y - strap;
            if (std::abs(dy) > STRAP_HALF) continue;
            if (rivet(inner_x - centre, dy + 0.5, c)) return c;
            if (dy < -STRAP_HALF + 2) return iron_light;
            if (dy > STRAP_HALF - 2) return iron_dark;
            return iron;
        }
        const double local = inner_x - plank * plank_width;
        if (local < 2.0) return gap;
        c = planks[hash_u32(plank, 0, 3601u) % 3u];
        if (tile_fbm(u + plank * 0.37, v, 40, 3, 2, 3602u) > 0.56) c = c * 0.8; // grain
        for (int strap : STRAPS)
            if (y > strap + STRAP_HALF && y <= strap + STRAP_HALF + 3) c = c * 0.55; // shadow under a strap
        return c;
    });
}

namespace {

const Color LEAD = rgb(24, 24, 28);
const Color RUBY = rgb(196, 22, 44), COBALT = rgb(28, 56, 182), AMBER = rgb(238, 166, 24);
const Color EMERALD = rgb(22, 148, 74), VIOLET = rgb(124, 42, 156);
const Color PALE_GOLD = rgb(238, 224, 150), PALE_BLUE = rgb(164, 200, 236);
constexpr double LEAD_HALF = 1.6; // half the width of a lead came, pixels

// Streaky glass: three levels of brightness, so flat panes stay few colours.
Color glass(Color pane, double u, double v, uint32_t seed) {
    const double n = tile_fbm(u, v, 6, 24, 2, seed);
    return pane * (n < 0.42 ? 0.86 : (n > 0.58 ? 1.08 : 1.0));
}

} // namespace

Picture leaded_glass() {
    constexpr double BAND = 26.0, SQUARE = 32.0, MEDALLION = 52.0, LOBE = 20.0, BOSS = 9.0;
    const Color band_colours[4] = {RUBY, COBALT, AMBER, EMERALD};
    return paint(SIDE, SIDE, [&](double u, double v, int x, int y) {
        const double px = x + 0.5, py = y + 0.5;
        const double edge = std::fmin(std::fmin(px, SIDE - px), std::fmin(py, SIDE - py));
        if (edge < 2.5 || std::fabs(edge - BAND) < LEAD_HALF) return LEAD;
        if (edge < BAND) {
            const bool horizontal = edge == std::fmin(py, SIDE - py);
            const double along = horizontal ? px : py;
            const double m = fract(along / SQUARE);
            if (std::fmin(m, 1.0 - m) * SQUARE < LEAD_HALF) return LEAD;
            const int index = static_cast<int>(along / SQUARE) + (horizontal ? 0 : 1);
            return glass(band_colours[index % 4], u, v, 3701u);
        }
        const double dx = px - SIDE / 2.0, dy = py - SIDE / 2.0;
        const double r = std::sqrt(dx * dx + dy * dy);
        if (std::fabs(r - MEDALLION) < LEAD_HALF) return LEAD;
        if (r < MEDALLION) {
            // Quatrefoil: four lobes round a central boss.
            if (std::fabs(r - BOSS) < LEAD_HALF) return LEAD;
            if (r < BOSS) return glass(AMBER, u, v, 3702u);
            const double lobes[4] = {distance(dx, dy, LOBE, 0), distance(dx, dy, -LOBE, 0), distance(dx, dy, 0, LOBE),
                                     distance(dx, dy, 0, -LOBE)};
            bool in_lobe = false, on_outline = false;
            for (double d : lobes) {
                in_lobe |= d < LOBE - LEAD_HALF;
                on_outline |= std::fabs(d - LOBE) < LEAD_HALF;
            }
            if (on_outline && !in_lobe) return LEAD;
            return glass(in_lobe ? RUBY : COBALT, u, v, 3703u);
        }
        // Diamond quarries.
        constexpr double DIAMONDS = 6.0;
        const double a = (px + py) / SIDE * DIAMONDS, b = (px - py) / SIDE * DIAMONDS;
        const double to_lead = std::fmin(std::fmin(fract(a), 1.0 - fract(a)), std::fmin(fract(b), 1.0 - fract(b)));
        if (to_lead * SIDE / DIAMONDS / std::sqrt(2.0) < LEAD_HALF) return LEAD;
        const int ia = static_cast<int>(std::floor(a)), ib = static_cast<int>(std::floor(b));
        const double pick = hash01(ia, ib, 3704u);
        const Color pane = pick > 0.85 ? RUBY : (pick > 0.72 ? EMERALD : ((ia + ib) % 2 ? PALE_GOLD : PALE_BLUE));
        return glass(pane, u, v, 3705u);
    });
}

Picture rose_window() {
    constexpr double OUTER = 122.0, PETALS = 84.0, INNER = 44.0, HUB = 20.0;
    const Color ground = rgb(20, 30, 120), ring_colours[4] = {RUBY, EMERALD, VIOLET, AMBER};
    return paint(SIDE, SIDE, [&](double u, double v, int x, int y) {
        const double dx = x + 0.5 - SIDE / 2.0, dy = y + 0.5 - SIDE / 2.0;
        const double r = std::sqrt(dx * dx + dy * dy);
        const double angle = det_atan2(dy, dx) + PI; // 0 .. 2 pi
        // Spokes: segment number and how many pixels away the nearest spoke lies.
        const auto segment = [&](int count, int& index) {
            const double s = angle * count / (2.0 * PI);
            index = static_cast<int>(s) % count;
            const double f = fract(s);
            return std::fmin(f, 1.0 - f) * 2.0 * PI * r / count;
        };
        for (double ring : {OUTER, PETALS, INNER, HUB})
            if (std::fabs(r - ring) < LEAD_HALF) return LEAD;
        int index = 0;
        if (r > OUTER) {
            // Spandrels: deep blue with a gold roundel in each corner.
            const double corner = distance(std::fabs(dx), std::fabs(dy), 106.0, 106.0);
            if (std::fabs(corner - 12.0) < LEAD_HALF) return LEAD;
            return glass(corner < 12.0 ? AMBER : ground, u, v, 3801u);
        }
        if (r > PETALS) {
            if (segment(16, index) < LEAD_HALF) return LEAD;
            const double mid = (OUTER + PETALS) / 2.0;
            const double centre_angle = (index + 0.5) * 2.0 * PI / 16.0 - PI;
            const double eye = distance(dx, dy, mid * det_cos(centre_angle), mid * det_sin(centre_angle));
            if (std::fabs(eye - 9.0) < LEAD_HALF) return LEAD;
            return glass(eye < 9.0 ? COBALT : ring_colours[index % 4], u, v, 3802u);
        }
        if (r > INNER) {
            const double spoke = segment(8, index);
            if (spoke < LEAD_HALF) return LEAD;
            // A pointed petal in each segment, widest halfway out.
            const double along = (r - INNER) / (PETALS - INNER);
            const double half_segment = PI * r / 8.0;
            const double off = half_segment - spoke; // pixels from the segment's centre line
            const double petal = 15.0 * det_sin(PI * along);
            if (std::fabs(off - petal) < LEAD_HALF) return LEAD;
            return glass(off < petal ? RUBY : COBALT, u, v, 3803u);
        }
        if (r > HUB) {
            if (segment(8, index) < LEAD_HALF) return LEAD;
            return glass(index % 2 ? AMBER : PALE_GOLD, u, v, 3804u);
        }
        return glass(rgb(246, 236, 190), u, v, 3805u);
    });
}
