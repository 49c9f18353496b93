// The default draw path moves and filters drawing only where no pixel can change: a tour
// through the three worlds, run once on each path from the same start, must present
// identical frames. The tour passes every reordered or filtered pass on screen and off
// it: the sky around the fountain and the orb, the sky straight overhead, a small view,
// raised texture LOD bias, lighting and anisotropic filtering on, LOD biases far beyond
// what the driver is given (anisotropy on and off), water in view and out of it, the
// town's layout mostly out of view (close up, straight down, at the edge), the placed
// objects and the pieces of the hall and the gates at the view's edges, weapons held and
// fired, and where the visible sets serve or give way: on cell borders and corners,
// lifted, in a house's shadow, at the town's edges, through lowered gates, and from
// heights no set was made for. Every printed state field but the path's own must agree
// too.
#include "support.h"

#include "app/session.h"
#include "assets/draw_path.h"
#include "assets/textures.h"
#include "nav/gates.h"
#include "nav/player.h"
#include "nav/worlds.h"
#include "render/frame.h"
#include "render/sky.h"
#include "render/view.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr int32_t LOD_BIAS_KEPT = 1 << 30;

struct TourView {
    const char* name;
    int world; // switched to first when another is current
    float x, z, eye, heading, pitch;
    const char* keys;                 // held during the view's first frame
    bool fire;                        // left button held through the view
    int width, height;                // the view's size (0: the window's)
    float gates;                      // every gate's top edge set to this first, or GATES_KEPT
    int32_t lod_bias = LOD_BIAS_KEPT; // the keys' LOD bias counter set to this first
};
constexpr float GATES_KEPT = 99;

// clang-format off
constexpr TourView TOUR[] = {
    {"world 1, start",                     1,   -1,    -1,   0.57f,    0,   0,  "",   false,   0,   0, GATES_KEPT},
    {"world 1, water on the left wall",    1,   -1,    -1,   0.57f,   90, -15,  "",   false,   0,   0, GATES_KEPT},
    {"world 1, weapon 4 firing",           1,   -1,     1,   1.0f,     0,   0,  "4",  true,    0,   0, GATES_KEPT},
    {"world 1, the wheel at the right edge",1,  -1,    -1,   0.57f,   76,   0,  "",   false,   0,   0, GATES_KEPT},
    {"world 1, the spinner at the left edge",1, -1,    -1,   0.57f,  148,  10,  "",   false,   0,   0, GATES_KEPT},
    {"world 1, the displays at the edge", 1,    -1,    -1,   0.57f,   34,  25,  "",   false,   0,   0, GATES_KEPT},
    {"world 2, arrival: lantern, fountain",2,   -1,    -1,   0.6f,     0,   0,  "",   false,   0,   0, GATES_KEPT},
    {"world 2, fountain at the view's edge",2,  -2,   -10,   0.6f,    28,  -8,  "",   false,   0,   0, GATES_KEPT},
    {"world 2, densest street",            2, -39.5f, 0.5f,  0.6f,    75,  -3,  "",   false,   0,   0, GATES_KEPT},
    {"world 2, the orb in the courtyard",  2,  -72,    14,   0.6f,   147,   5,  "",   false,   0,   0, GATES_KEPT},
    {"world 2, straight up",               2,   -1,    -1,   0.6f,     0, -90,  "",   false,   0,   0, GATES_KEPT},
    {"world 2, under the fountain",       2, -0.8f, -15.2f, 2.0f,    0, -60,  "",   false,   0,   0, GATES_KEPT},
    {"world 2, a small view, straight up", 2,   -1,    -1,   0.6f,     0, -90,  "",   false, 320, 240, GATES_KEPT},
    {"world 2, over the roofs, small",    2,   -1,    -1,  12.0f,     0,   0,  "",   false, 160, 120, GATES_KEPT},
    {"world 2, lighting on",               2,  -12,     6,   0.6f,   -60, -20,  "X",  false,   0,   0, GATES_KEPT},
    {"world 2, LOD bias raised, up",       2,  -12,     6,   0.6f,   -60, -90,  "WW", false,   0,   0, GATES_KEPT},
    {"world 2, a window close up, above", 2, -2.2f, -11.2f, 0.6f,   30, -60,  "",   false,   0,   0, GATES_KEPT},
    {"world 2, straight down",             2,   -1,    -1,   0.6f,     0,  90,  "",   false,   0,   0, GATES_KEPT},
    {"world 2, the signs at the left edge",2,   -1,    -1,   0.6f,   -22,   0,  "",   false,   0,   0, GATES_KEPT},
    {"world 2, a gate at the right edge",  2,   -1,    -1,   0.6f,    14,   0,  "",   false,   0,   0, GATES_KEPT},
    {"world 2, the town's edge, outwards", 2, 13.6f,  -20,   6.6f,   -90,   0,  "",   false,   0,   0, GATES_KEPT},
    {"world 2, on the landing, in the shadow",2,-43.5f,-2.0f, 1.6f,    90,   0,  "",   false,   0,   0, GATES_KEPT},
    {"world 2, on a cell border",          2,  -41,     1,   0.6f,   200,   0,  "",   false,   0,   0, GATES_KEPT},
    {"world 2, a cell corner, lifted",     2,  -21,     9,   2.7f,   300,  10,  "",   false,   0,   0, GATES_KEPT},
    {"world 2, the west edge, inwards",    2, -86.6f,  20,   0.6f,   270,   0,  "",   false,   0,   0, GATES_KEPT},
    {"world 2, the west edge, outwards",   2, -86.6f,  20,   0.6f,    90,   5,  "",   false,   0,   0, GATES_KEPT},
    {"world 2, along the south edge",      2,  -30, -24.6f,  0.6f,   270,   0,  "",   false,   0,   0, GATES_KEPT},
    {"world 2, through the lowered gate",  2,  -13,    -9,   0.6f,     0,   0,  "",   false,   0,   0, -0.4f},
    {"world 2, the gate raised again",     2,  -13,    -9,   0.6f,     0,   0,  "",   false,   0,   0, 2.0f},
    {"world 2, from the walkway on the roofs",2, 12, -13,    6.6f,    90,  10,  "",   false,   0,   0, GATES_KEPT},
    {"world 3, arrival",                   3,   -1,    -1,   1.58f,    0,   0,  "Q",  false,   0,   0, GATES_KEPT},
    {"world 3, terrace and pool",          3,    4,  -7.5f,  1.6f,     0,  20,  "",   false,   0,   0, GATES_KEPT},
    {"world 3, corridor",                  3, -6.3f, -22.5f, 0.58f,  -90,   0,  "",   false,   0,   0, GATES_KEPT},
    {"world 3, gate units at the edge",    3,    4,    -8,   1.6f,   -30,  10,  "",   false,   0,   0, GATES_KEPT},
    {"world 3, the display at the edge",   3,    2,    -2,   1.6f,   -95,  -5,  "",   false,   0,   0, GATES_KEPT},
    {"world 3, a cell border, lifted",     3,    0,   -10,   2.5f,    45,   0,  "",   false,   0,   0, GATES_KEPT},
    {"world 3, on a platform",             3,   -5,  -2.3f,  3.6f,   180,  15,  "",   false,   0,   0, GATES_KEPT},
    {"world 3, through the sunk gates",    3,    4,    -8,   1.6f,   -30,  10,  "",   false,   0,   0, -0.4f},
    {"world 3, anisotropic, looking up",   3,    4,  -7.5f,  1.6f,   180, -60,  "E",  false,   0,   0, GATES_KEPT},
    {"world 3, weapon 5 held",             3,   10,   -10,   0.6f,   -90,  -5,  "5R", true,    0,   0, GATES_KEPT},
    {"world 3, LOD bias -40, anisotropic, up",3,  4,  -7.5f,  1.6f,   180, -60,  "E",  false,   0,   0, GATES_KEPT, -40},
    {"world 3, LOD bias -40, up",          3,    4,  -7.5f,  1.6f,   180, -60,  "R",  false,   0,   0, GATES_KEPT, -40},
    {"world 2, LOD bias -40, anisotropic", 2, -39.5f, 0.5f,  0.6f,    75,  -3,  "E",  false,   0,   0, GATES_KEPT, -40},
    {"world 2, LOD bias 40, anisotropic, up",2,  -12,     6,   0.6f,   -60, -90,  "E",  false,   0,   0, GATES_KEPT, 40},
    {"world 2, LOD bias 40, up",           2,  -12,     6,   0.6f,   -60, -90,  "R",  false,   0,   0, GATES_KEPT, 40},
};
// clang-format on

struct Frame {
    std::vector<unsigned char> rgb;
    int width = 0, height = 0;
    std::map<std::string, double> state; // printed fields after the frame
};

std::map<std::string, double> printed_state() {
    FieldList fields;
    list_session_fields(&fields);
    std::map<std::string, double> out;
    for (const StateValue& v : fields)
        if (v.printed && v.name != "draw_path_literal") out[v.name] = v.is_flag ? v.flag : v.number;
    return out;
}

// A key by its one-character name.
void press(char name, bool down) { headless_push_event(key_event(down, key_named(std::string(1, name).c_str()))); }

// The tour's frames, each the second frame drawn at its view.
std::vector<Frame> run_tour(bool literal) {
    reset_everything();
    draw_path.literal = literal;
    std::vector<Frame> frames;
    if (!start_windowed_program()) return frames;
    const int window_width = view.view_width, window_height = view.view_height;
    for (const TourView& v : TOUR) {
        if (current_world() != v.world) {
            switch_world(v.world, 1.5f);
            run_frames(1);
        }
        resize_view(v.width ? v.width : window_width, v.height ? v.height : window_height);
        if (v.gates != GATES_KEPT) {
            gates.gate_wide_top = gates.gate_corner_top = v.gates;
            for (GateUnit& unit : gates.gate_units) unit.gate_height = v.gates;
        }
        if (v.lod_bias != LOD_BIAS_KEPT) textures.lod_bias = v.lod_bias;
        player.x = v.x;
        player.z = v.z;
        player.eye_height = v.eye;
        player.heading = v.heading;
        player.pitch = v.pitch;
        const std::string keys = v.keys;
        for (char k : keys) press(k, true);
        if (v.fire) headless_push_event(button_event(true, MouseButton::Left));
        run_frames(1);
        for (char k : keys) press(k, false);
        run_frames(1);
        if (v.fire) headless_push_event(button_event(false, MouseButton::Left));
        Frame f;
        headless_read_frame(&f.rgb, &f.width, &f.height);
        f.state = printed_state();
        frames.push_back(std::move(f));
    }
    reset_everything();
    return frames;
}

TEST(DrawPath, TheDefaultPathPresentsTheLiteralFramesPixelForPixel) {
    const std::vector<Frame> literal = run_tour(true);
    const std::vector<Frame> fast = run_tour(false);
    ASSERT_EQ(literal.size(), std::size(TOUR));
    ASSERT_EQ(fast.size(), std::size(TOUR));
    for (size_t i = 0; i < std::size(TOUR); ++i) {
        SCOPED_TRACE(TOUR[i].name);
        const Frame &a = literal[i], &b = fast[i];
        ASSERT_EQ(a.width, b.width);
        ASSERT_EQ(a.height, b.height);
        ASSERT_EQ(a.rgb.size(), b.rgb.size());
        size_t differing = 0, first = 0;
        for (size_t k = 0; k < a.rgb.size(); k += 3) {
            if (a.rgb[k] == b.rgb[k] && a.rgb[k + 1] == b.rgb[k + 1] && a.rgb[k + 2] == b.rgb[k + 2]) continue;
            if (differing++ == 0) first = k / 3;
        }
        EXPECT_EQ(differing, 0u) << "first at x " << first % a.width << ", row " << first / a.width;
        for (const auto& [name, value] : a.state) {
            EXPECT_EQ(b.state.at(name), value) << name;
        }
        // Identical frames mean something only when the views show something, each its own.
        size_t lit = 0;
        for (unsigned char c : a.rgb) lit += c > 40;
        EXPECT_GT(lit, a.rgb.size() / 50);
        if (i > 0) {
            EXPECT_NE(a.rgb, literal[i - 1].rgb);
        }
    }
}

// The sky's turn is state: a frame that draws no sky at all (an empty view) still turns
// it once, on either path.
TEST(DrawPath, AFrameWithAnEmptyViewTurnsTheSkyAsADrawWould) {
    float turned[2] = {};
    for (bool literal : {true, false}) {
        reset_everything();
        draw_path.literal = literal;
        ASSERT_TRUE(start_windowed_program());
        switch_world(2, 1.5f);
        run_frames(1);
        resize_view(0, 1);
        const float before = sky_angle;
        render_frame();
        turned[literal] = sky_angle - before;
    }
    reset_everything();
    EXPECT_GT(turned[true], 0);
    EXPECT_EQ(turned[false], turned[true]);
}

} // namespace
