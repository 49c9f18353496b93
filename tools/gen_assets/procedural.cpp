#include "procedural.h"

#include <cmath>

double det_sin(double x) {
    x -= 2.0 * PI * std::floor((x + PI) / (2.0 * PI)); // [-pi, pi)
    if (x > PI / 2) x = PI - x;
    else if (x < -PI / 2) x = -PI - x;
    // Taylor series to x^17: below 1e-15 on [-pi/2, pi/2].
    const double x2 = x * x;
    double term = x, sum = x;
    for (int n = 1; n <= 8; ++n) {
        term *= -x2 / static_cast<double>((2 * n) * (2 * n + 1));
        sum += term;
    }
    return sum;
}

double det_cos(double x) { return det_sin(x + PI / 2); }

double det_exp(double x) {
    if (x < -700.0) return 0.0;
    if (x > 700.0) x = 700.0;
    constexpr double LN2 = 0.69314718055994530942;
    const double k = std::floor(x / LN2 + 0.5);
    const double r = x - k * LN2; // |r| <= ln 2 / 2
    double term = 1.0, sum = 1.0;
    for (int n = 1; n <= 14; ++n) {
        term *= r / n;
        sum += term;
    }
    return std::ldexp(sum, static_cast<int>(k));
}

namespace {

// atan on [0, 1]: arguments above tan(pi/12) are moved below it with
// atan(z) = pi/6 + atan((z*sqrt3 - 1) / (sqrt3 + z)), then a short series does the rest.
double atan_unit(double z) {
    constexpr double SQRT3 = 1.73205080756887729353;
    constexpr double TAN_PI_12 = 0.26794919243112270647;
    double offset = 0.0;
    if (z > TAN_PI_12) {
        z = (z * SQRT3 - 1.0) / (SQRT3 + z);
        offset = PI / 6;
    }
    const double z2 = z * z;
    double power = z, sum = 0.0;
    for (int n = 0; n < 12; ++n) {
        sum += ((n & 1) ? -power : power) / (2 * n + 1);
        power *= z2;
    }
    return offset + sum;
}

} // namespace

double det_atan2(double y, double x) {
    const double ax = std::fabs(x), ay = std::fabs(y);
    if (ax == 0.0 && ay == 0.0) return 0.0;
    double a = ay <= ax ? atan_unit(ay / ax) : PI / 2 - atan_unit(ax / ay);
    if (x < 0) a = PI - a;
    return y < 0 ? -a : a;
}

namespace {

uint32_t mix32(uint32_t h) {
    h ^= h >> 16;
    h *= 0x7feb352du;
    h ^= h >> 15;
    h *= 0x846ca68bu;
    h ^= h >> 16;
    return h;
}

int wrap_index(int i, int n) {
    if (i >= 0 && i < n) return i; // the usual case; division is slow
    const int m = i % n;
    return m < 0 ? m + n : m;
}

// floor for the lattice: without SSE4.1 std::floor is a library call, and noise is the
// inner loop of every picture.
int floor_int(double x) {
    const int i = static_cast<int>(x);
    return x < i ? i - 1 : i;
}

// Quintic fade: the noise has no visible creases at lattice lines.
double fade(double t) { return t * t * t * (t * (t * 6.0 - 15.0) + 10.0); }

} // namespace

uint32_t hash_u32(int32_t x, int32_t y, uint32_t seed) {
    return mix32(static_cast<uint32_t>(x) * 0x8DA6B343u ^ static_cast<uint32_t>(y) * 0xD8163841u ^
                 (seed * 0xCB1AB31Fu + 0x9E3779B9u));
}

double hash01(int32_t x, int32_t y, uint32_t seed) { return (hash_u32(x, y, seed) >> 8) * (1.0 / 16777216.0); }

uint32_t Rng::next() {
    state_ += 0x9E3779B97F4A7C15ull;
    uint64_t z = state_;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return static_cast<uint32_t>((z ^ (z >> 31)) >> 32);
}

double Rng::uniform() { return (next() >> 8) * (1.0 / 16777216.0); }

double tile_noise(double u, double v, int cells_x, int cells_y, uint32_t seed) {
    const double x = u * cells_x, y = v * cells_y;
    const int ix = floor_int(x), iy = floor_int(y);
    const double tx = fade(x - ix), ty = fade(y - iy);
    const int x0 = wrap_index(ix, cells_x), x1 = wrap_index(ix + 1, cells_x);
    const int y0 = wrap_index(iy, cells_y), y1 = wrap_index(iy + 1, cells_y);
    const double top = lerp(hash01(x0, y0, seed), hash01(x1, y0, seed), tx);
    const double bottom = lerp(hash01(x0, y1, seed), hash01(x1, y1, seed), tx);
    return lerp(top, bottom, ty);
}

double tile_fbm(double u, double v, int cells_x, int cells_y, int octaves, uint32_t seed, double gain) {
    double sum = 0.0, weight = 1.0, total = 0.0;
    for (int i = 0; i < octaves; ++i) {
        sum += weight * tile_noise(u, v, cells_x << i, cells_y << i, seed + 101u * static_cast<uint32_t>(i));
        total += weight;
        weight *= gain;
    }
    return sum / total;
}

CellSample tile_cells(double u, double v, int cells_x, int cells_y, uint32_t seed, double jitter) {
    const double x = u * cells_x, y = v * cells_y;
    const int ix = floor_int(x), iy = floor_int(y);
    CellSample best{1e9, 1e9, 0};
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            const int cx = ix + dx, cy = iy + dy;
            const int wx = wrap_index(cx, cells_x), wy = wrap_index(cy, cells_y);
            const double px = cx + 0.5 + jitter * (hash01(wx, wy, seed) - 0.5);
            const double py = cy + 0.5 + jitter * (hash01(wx, wy, seed + 7u) - 0.5);
            const double d = std::sqrt((x - px) * (x - px) + (y - py) * (y - py));
            if (d < best.f1) {
                best.f2 = best.f1;
                best.f1 = d;
                best.id = hash_u32(wx, wy, seed + 13u);
            } else if (d < best.f2) {
                best.f2 = d;
            }
        }
    }
    return best;
}

double Field::get(int x, int y) const {
    return values[static_cast<size_t>(wrap_index(y, height)) * static_cast<size_t>(width) +
                  static_cast<size_t>(wrap_index(x, width))];
}

double facing_light(const Field& h, int x, int y) {
    // Height rising to the right or downwards turns the surface to the upper left.
    return (h.get(x + 1, y) - h.get(x - 1, y)) + (h.get(x, y + 1) - h.get(x, y - 1));
}

void blur(Field& field, int radius, int passes) {
    std::vector<double> line;
    const double scale = 1.0 / (2 * radius + 1);
    for (int pass = 0; pass < passes; ++pass) {
        line.assign(static_cast<size_t>(field.width), 0.0);
        for (int y = 0; y < field.height; ++y) {
            for (int x = 0; x < field.width; ++x) {
                double sum = 0.0;
                for (int k = -radius; k <= radius; ++k) sum += field.get(x + k, y);
                line[static_cast<size_t>(x)] = sum * scale;
            }
            for (int x = 0; x < field.width; ++x) field.at(x, y) = line[static_cast<size_t>(x)];
        }
        line.assign(static_cast<size_t>(field.height), 0.0);
        for (int x = 0; x < field.width; ++x) {
            for (int y = 0; y < field.height; ++y) {
                double sum = 0.0;
                for (int k = -radius; k <= radius; ++k) sum += field.get(x, y + k);
                line[static_cast<size_t>(y)] = sum * scale;
            }
            for (int y = 0; y < field.height; ++y) field.at(x, y) = line[static_cast<size_t>(y)];
        }
    }
}
