#include "icon.h"

#include "procedural.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include <png.h>

namespace {

// Shapes as signed distances in icon units (0..1 across, v downwards): negative inside.
double rounded_box(double u, double v, double half, double radius) {
    const double qx = std::fabs(u - 0.5) - (half - radius), qy = std::fabs(v - 0.5) - (half - radius);
    const double outside = std::hypot(std::max(qx, 0.0), std::max(qy, 0.0));
    return outside + std::min(std::max(qx, qy), 0.0) - radius;
}

// A round-headed arch centred on u = 0.5: a half circle of `radius` around (0.5, `spring`)
// on top of a rectangle of the same width that ends at `sill`.
double arch(double u, double v, double radius, double spring, double sill) {
    if (v < spring) return std::hypot(u - 0.5, v - spring) - radius;
    return std::max(std::fabs(u - 0.5) - radius, v - sill);
}

constexpr double TILE_HALF = 0.45, TILE_RADIUS = 0.16;
constexpr double SPRING = 0.44, SILL = 0.74, OPENING = 0.12, FRAME = 0.19;

struct Sample {
    Color color;
    double alpha;
};

Sample shade(double u, double v) {
    const double tile = rounded_box(u, v, TILE_HALF, TILE_RADIUS);
    if (tile > 0.0) return {Color{0, 0, 0}, 0.0};
    const double opening = arch(u, v, OPENING, SPRING, SILL);
    const double frame = arch(u, v, FRAME, SPRING, SILL);
    if (opening < 0.0) {
        // Daylight beyond the door: sky above, warm light at the threshold.
        const double t = clamp01((v - (SPRING - OPENING)) / (SILL - (SPRING - OPENING)));
        return {mix(rgb(120, 196, 255), rgb(255, 240, 196), t), 1.0};
    }
    if (frame < 0.0) {
        // Gilded stone, darker towards its outer edge.
        const double depth = clamp01(-frame / (FRAME - OPENING));
        return {mix(rgb(150, 92, 30), rgb(240, 184, 82), depth), 1.0};
    }
    Color hall = mix(rgb(36, 30, 78), rgb(14, 12, 34), clamp01(v / SILL));
    if (v > SILL) {
        // The floor, with the door's light spilling towards the viewer.
        const double near = (v - SILL) / (1.0 - SILL);
        hall = mix(rgb(40, 34, 60), rgb(64, 56, 92), near);
        const double spill = std::fabs(u - 0.5) - (OPENING + near * 0.22);
        if (spill < 0.0) hall = hall + rgb(255, 200, 110) * (0.55 * (1.0 - near));
    }
    // Glow around the frame and a faint rim along the tile's edge.
    hall = hall + rgb(255, 170, 70) * (0.5 * det_exp(-frame * 16.0));
    if (tile > -0.02) hall = hall + rgb(90, 80, 160) * 0.5;
    return {hall, 1.0};
}

} // namespace

IconImage draw_icon(int side) {
    // Enough samples per pixel for smooth edges at every size, about 16 M at the largest.
    const int samples = side >= 128 ? 6 : 8;
    IconImage icon;
    icon.side = side;
    icon.rgba.reserve(static_cast<size_t>(side) * static_cast<size_t>(side) * 4);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            Color premultiplied{0, 0, 0};
            double coverage = 0.0;
            for (int sy = 0; sy < samples; ++sy)
                for (int sx = 0; sx < samples; ++sx) {
                    const Sample s = shade((x + (sx + 0.5) / samples) / side, (y + (sy + 0.5) / samples) / side);
                    premultiplied = premultiplied + s.color * s.alpha;
                    coverage += s.alpha;
                }
            const double alpha = coverage / (samples * samples);
            const Color c = coverage > 0.0 ? premultiplied * (1.0 / coverage) : Color{0, 0, 0};
            for (double channel : {c.r, c.g, c.b, alpha}) icon.rgba.push_back(to_byte(channel));
        }
    return icon;
}

bool write_icon_png(const std::string& path, const IconImage& icon) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    bool ok = false;
    if (info && !setjmp(png_jmpbuf(png))) {
        const auto side = static_cast<png_uint_32>(icon.side);
        png_init_io(png, file);
        png_set_IHDR(png, info, side, side, 8, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                     PNG_FILTER_TYPE_DEFAULT);
        png_write_info(png, info);
        for (png_uint_32 y = 0; y < side; ++y) png_write_row(png, icon.rgba.data() + static_cast<size_t>(y) * side * 4);
        png_write_end(png, nullptr);
        ok = true;
    }
    png_destroy_write_struct(&png, &info);
    ok = std::fclose(file) == 0 && ok;
    if (!ok) std::remove(path.c_str());
    return ok;
}
