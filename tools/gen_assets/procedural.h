// Building blocks shared by the picture and sound generators: exact-repeatable maths,
// hashing, tiling noise and colours.
#pragma once

#include "bmp_writer.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

constexpr double PI = 3.14159265358979323846;

// sin, cos, exp and atan2 from + - * / only. The C library's versions may differ in the
// last bit between releases, and the generated files must be the same bytes everywhere.
double det_sin(double x);
double det_cos(double x);
double det_exp(double x);
double det_atan2(double y, double x);

inline double clamp01(double x) { return x < 0.0 ? 0.0 : (x > 1.0 ? 1.0 : x); }
inline double lerp(double a, double b, double t) { return a + (b - a) * t; }
inline double fract(double x) { return x - std::floor(x); }
inline double smoothstep(double edge0, double edge1, double x) {
    const double t = clamp01((x - edge0) / (edge1 - edge0));
    return t * t * (3.0 - 2.0 * t);
}

uint32_t hash_u32(int32_t x, int32_t y, uint32_t seed);
double hash01(int32_t x, int32_t y, uint32_t seed); // [0, 1)

// splitmix64: small, fast and the same sequence on every platform.
class Rng {
public:
    explicit Rng(uint64_t seed) : state_(seed) {}
    uint32_t next();
    double uniform(); // [0, 1)
    double signed_unit() { return 2.0 * uniform() - 1.0; }

private:
    uint64_t state_;
};

// Value noise over the unit square with `cells_x` x `cells_y` lattice cells; it repeats at
// 1 in u and v so textures built from it tile without seams. Result in [0, 1].
double tile_noise(double u, double v, int cells_x, int cells_y, uint32_t seed);

// `octaves` layers of tile_noise, each at twice the cells and `gain` times the weight of the
// one before; normalised to [0, 1], clustered around 0.5.
double tile_fbm(double u, double v, int cells_x, int cells_y, int octaves, uint32_t seed, double gain = 0.5);

// Cellular noise over the unit square, wrapping like tile_noise. f1 and f2 are the distances
// (in cells) to the nearest and second nearest feature point; id names the nearest cell.
struct CellSample {
    double f1;
    double f2;
    uint32_t id;
};
CellSample tile_cells(double u, double v, int cells_x, int cells_y, uint32_t seed, double jitter);

struct Color {
    double r, g, b;
};
inline Color rgb(int r, int g, int b) { return Color{r / 255.0, g / 255.0, b / 255.0}; }
inline Color mix(Color a, Color b, double t) { return Color{lerp(a.r, b.r, t), lerp(a.g, b.g, t), lerp(a.b, b.b, t)}; }
inline Color operator+(Color a, Color b) { return Color{a.r + b.r, a.g + b.g, a.b + b.b}; }
inline Color operator*(Color a, double k) { return Color{a.r * k, a.g * k, a.b * k}; }
inline Color operator*(Color a, Color b) { return Color{a.r * b.r, a.g * b.g, a.b * b.b}; }
inline double luminance(Color c) { return 0.299 * c.r + 0.587 * c.g + 0.114 * c.b; }

// A scalar per pixel (heights, masks); reads wrap so tiling pictures shade across edges.
struct Field {
    int width = 0;
    int height = 0;
    std::vector<double> values;

    Field(int w, int h) : width(w), height(h), values(static_cast<size_t>(w) * static_cast<size_t>(h), 0.0) {}
    double& at(int x, int y) {
        return values[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
    }
    double get(int x, int y) const;
};

// How much a height field faces a light at the upper left: positive lit, negative shaded.
double facing_light(const Field& height, int x, int y);

// Box blur with wrap-around, `passes` times (three passes look close to a Gaussian).
void blur(Field& field, int radius, int passes);

inline unsigned char to_byte(double value) { return static_cast<unsigned char>(clamp01(value) * 255.0 + 0.5); }

// Fills a picture from shade(u, v, x, y) -> Color; u, v are pixel centres in [0, 1),
// v = 0 at the top row.
template <class Shade> Picture paint(int width, int height, Shade shade) {
    Picture picture;
    picture.width = width;
    picture.height = height;
    picture.rgb.resize(static_cast<size_t>(width) * static_cast<size_t>(height) * 3);
    size_t at = 0;
    for (int y = 0; y < height; ++y) {
        const double v = (y + 0.5) / height;
        for (int x = 0; x < width; ++x) {
            const Color c = shade((x + 0.5) / width, v, x, y);
            picture.rgb[at++] = to_byte(c.r);
            picture.rgb[at++] = to_byte(c.g);
            picture.rgb[at++] = to_byte(c.b);
        }
    }
    return picture;
}

template <class Value> Field make_field(int width, int height, Value value) {
    Field field(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) field.at(x, y) = value((x + 0.5) / width, (y + 0.5) / height, x, y);
    return field;
}
