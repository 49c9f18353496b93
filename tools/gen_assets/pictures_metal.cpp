#include "pictures.h"

#include "procedural.h"

#include <cmath>

namespace {

struct Lamp {
    double x, y, z;   // direction towards the lamp, y up, z towards the viewer
    double sharpness; // larger: smaller, harder highlight
    double power;
};

// A simple world around a reflective object: sky above, floor below, a bright horizon,
// some cloud and a few lamps.
struct Surroundings {
    Color zenith, horizon, ground;
    double horizon_glow;
    double clouds; // how much cloud brightens the upper half
    const Lamp* lamps;
    int lamp_count;
    uint32_t seed;
};

Color look(const Surroundings& s, double rx, double ry, double rz) {
    Color c = ry >= 0 ? mix(s.horizon, s.zenith, smoothstep(0.0, 0.9, ry))
                      : mix(s.horizon, s.ground, smoothstep(0.0, 0.35, -ry));
    c = c + s.horizon * (s.horizon_glow * det_exp(-(ry * ry) / 0.006));
    if (ry > 0) {
        const double puff = tile_fbm(0.5 + 0.25 * rx, 0.5 + 0.25 * rz, 8, 8, 4, s.seed);
        c = c + Color{1, 1, 1} * (s.clouds * smoothstep(0.5, 0.7, puff) * smoothstep(0.0, 0.3, ry));
    }
    for (int i = 0; i < s.lamp_count; ++i) {
        const Lamp& l = s.lamps[i];
        const double n = std::sqrt(l.x * l.x + l.y * l.y + l.z * l.z);
        const double facing = (rx * l.x + ry * l.y + rz * l.z) / n;
        c = c + Color{1, 0.97, 0.9} * (l.power * det_exp((facing - 1.0) * l.sharpness));
    }
    return c;
}

// The surroundings as a sphere-mapped object reflects them: the centre of the picture is
// what lies behind the viewer, the rim what lies behind the object. Outside the circle
// the rim colour continues, so filtering never pulls in a seam.
Picture sphere_map(const Surroundings& s, Color metal, double sparkle) {
    return paint(SIDE, SIDE, [&](double u, double v, int, int) {
        double nx = 2.0 * u - 1.0, ny = 1.0 - 2.0 * v;
        const double r2 = nx * nx + ny * ny;
        double nz = 0.0;
        if (r2 >= 1.0) {
            const double r = std::sqrt(r2);
            nx /= r;
            ny /= r;
        } else {
            nz = std::sqrt(1.0 - r2);
        }
        const Color env = look(s, 2.0 * nz * nx, 2.0 * nz * ny, 2.0 * nz * nz - 1.0);
        // Metal colours its reflection; the brightest light burns through white.
        return env * metal + Color{1, 1, 1} * (sparkle * std::fmax(0.0, luminance(env) - 0.8));
    });
}

} // namespace

Picture bronze_mirror() {
    static const Lamp lamps[] = {{-0.6, 0.6, 0.5, 14.0, 0.9}, {0.7, 0.3, 0.6, 60.0, 0.8}, {0.0, 0.9, -0.4, 10.0, 0.3}};
    const Surroundings s{rgb(180, 170, 150), rgb(235, 225, 200), rgb(50, 40, 30), 0.3, 0.15, lamps, 3, 1601u};
    return sphere_map(s, Color{1.0, 0.72, 0.4}, 0.9);
}

Picture polished_steel() {
    static const Lamp lamps[] = {{-0.5, 0.7, 0.5, 40.0, 1.4}, {0.6, 0.4, 0.7, 120.0, 1.2}, {0.2, -0.2, 1.0, 25.0, 0.3}};
    const Surroundings s{rgb(84, 94, 114), rgb(186, 192, 204), rgb(30, 32, 36), 0.5, 0.2, lamps, 3, 1701u};
    return sphere_map(s, Color{0.86, 0.9, 0.95}, 1.2);
}

Picture chrome() {
    static const Lamp lamps[] = {{0.4, 0.8, 0.4, 30.0, 1.0}, {-0.8, 0.1, 0.6, 80.0, 0.7}};
    const Surroundings s{rgb(60, 100, 170), rgb(235, 240, 245), rgb(40, 32, 26), 0.7, 0.3, lamps, 2, 1801u};
    return sphere_map(s, Color{0.92, 0.94, 1.0}, 1.0);
}

Picture water_reflection() {
    static const Lamp lamps[] = {{0.3, 0.5, 0.6, 20.0, 0.8}, {-0.7, 0.3, 0.4, 12.0, 0.25}};
    const Surroundings s{rgb(50, 110, 200), rgb(180, 225, 250), rgb(22, 58, 90), 0.3, 0.45, lamps, 2, 1901u};
    // Water is drawn additively over its basin: a dim reflection with bright glints keeps
    // the bottom visible instead of washing it out.
    return sphere_map(s, Color{0.2, 0.25, 0.32}, 0.35);
}

Picture teal_water_reflection() {
    static const Lamp lamps[] = {{-0.2, 0.6, 0.7, 16.0, 0.6}, {0.8, 0.2, 0.3, 30.0, 0.4}, {-0.6, 0.5, -0.2, 10.0, 0.3}};
    const Surroundings s{rgb(24, 110, 130), rgb(160, 240, 222), rgb(12, 62, 66), 0.3, 0.55, lamps, 3, 2001u};
    return sphere_map(s, Color{0.22, 0.3, 0.3}, 0.35);
}

Picture gunmetal() {
    const Color base = rgb(70, 75, 84);
    return paint(SIDE, SIDE, [&](double u, double v, int, int) {
        // Brushing: fine streaks along u; broad soft sheen so reflections read as metal.
        const double streaks = tile_fbm(u, v, 2, 128, 3, 2101u);
        const double fine = tile_noise(u, v, 16, 256, 2102u);
        const double sheen = 0.5 + 0.5 * det_sin(2.0 * PI * (u + v) + 2.0 * tile_fbm(u, v, 2, 2, 3, 2103u));
        return base * (0.75 + 0.3 * streaks + 0.1 * fine + 0.35 * sheen * sheen);
    });
}

Picture riveted_plate() {
    constexpr double BORDER = 10.0, RIVET_RADIUS = 5.0, RIVET_PITCH = 32.0;
    const Color steel = rgb(112, 118, 124), rust = rgb(120, 66, 34), seam = rgb(30, 30, 32);
    const Field height = make_field(SIDE, SIDE, [&](double u, double v, int x, int y) {
        const double px = x + 0.5, py = y + 0.5;
        const double edge = std::fmin(std::fmin(px, SIDE - px), std::fmin(py, SIDE - py));
        double h = 2.0 * smoothstep(1.0, 5.0, edge) + 0.3 * tile_fbm(u, v, 16, 16, 3, 2201u);
        // Rivets sit in a ring BORDER pixels in from the edge, every RIVET_PITCH pixels.
        const double rx = px - (std::floor(px / RIVET_PITCH) + 0.5) * RIVET_PITCH;
        const double ry = py - (std::floor(py / RIVET_PITCH) + 0.5) * RIVET_PITCH;
        const double ring_x = std::fmin(px, SIDE - px) - BORDER, ring_y = std::fmin(py, SIDE - py) - BORDER;
        const double d = std::fmin(std::sqrt(ring_x * ring_x + ry * ry), std::sqrt(rx * rx + ring_y * ring_y));
        if (d < RIVET_RADIUS) h += 3.0 * std::sqrt(1.0 - (d / RIVET_RADIUS) * (d / RIVET_RADIUS));
        return h;
    });
    return paint(SIDE, SIDE, [&](double u, double v, int x, int y) {
        const double px = x + 0.5, py = y + 0.5;
        const double edge = std::fmin(std::fmin(px, SIDE - px), std::fmin(py, SIDE - py));
        Color c = steel * (0.85 + 0.3 * tile_fbm(u, v, 6, 6, 4, 2202u));
        c = mix(c, rust, 0.7 * smoothstep(0.62, 0.78, tile_fbm(u, v, 8, 8, 5, 2203u)));
        c = mix(seam, c, smoothstep(0.5, 1.5, edge));
        return c * (1.0 + 0.6 * facing_light(height, x, y));
    });
}

Picture window_glass() {
    const Color top = rgb(46, 66, 96), bottom = rgb(16, 26, 46), sheen = rgb(170, 200, 232);
    return paint(SIDE, SIDE, [&](double u, double v, int, int) {
        Color c = mix(top, bottom, v);
        // Reflections: a broad soft band and a narrow one, both across the diagonal.
        const double d = u + v;
        const double broad = det_exp(-((d - 0.8) * (d - 0.8)) / 0.02);
        const double narrow = det_exp(-((d - 1.1) * (d - 1.1)) / 0.0015);
        c = c + sheen * (0.32 * broad + 0.22 * narrow);
        c = c + sheen * (0.07 * smoothstep(0.5, 0.75, tile_fbm(u, v, 3, 3, 4, 2301u))); // sky seen faintly
        const double edge = std::fmin(std::fmin(u, 1.0 - u), std::fmin(v, 1.0 - v));
        return c * (0.75 + 0.25 * smoothstep(0.0, 0.04, edge));
    });
}
