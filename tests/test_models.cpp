// The model catalogue: every model against its expected slots, counts, extent, front and the
// GL state it leaves; the torus; the vector helpers; the orb's spin and world independence.
#include "app/window.h"
#include "assets/textures.h"
#include "nav/worlds.h"
#include "assets/gl_caps.h"
#include "scene/blocks.h"
#include "scene/models.h"
#include "scene/vec3.h"
#include "support.h"
#include "tools/census/census.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <initializer_list>
#include <iterator>
#include <ostream>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

enum class Family { Facade, Boarding, Quadric, Orb, Gate };

using SlotCounts = std::vector<std::pair<int, int>>; // (slot, triangles); 0 triangles: any

struct Expected {
    const char* name;
    Family family;
    SlotCounts triangles; // per slot, summed over runs
    SlotCounts runs;      // the non-empty runs in order, where fixed
    std::set<int> bound;  // every slot bound, quadric-only slots included
    int quadrics[4];      // cylinders, disks, spheres, tori
    float extent[6];      // x0 y0 z0 x1 y1 z1, local
    unsigned front;       // FACE_ side of a single-sided piece, 0 for solids
};

// The vault's rails start at z = -0.15: their own translation of -0.10 in the frame the
// vault's move back left 0.05 behind. The orb's ring reaches 0.9 before
// the scale, past the cloud's 0.8. The quadric extents hold the whole cylinders, not only the
// clipped halves, as the census measures them.
// clang-format off
const Expected EXPECTED[] = {
    {"draw_door_framed",         Family::Facade,   {{12, 12}, {7, 18}},           {}, {7, 12},     {}, {-0.8f,  0.0f,  -1.6f,  -0.6f,  1.4f,  -0.8f},   FACE_POS_X},
    {"draw_window_recessed",     Family::Facade,   {{12, 14}, {13, 38}, {1, 2}},  {}, {1, 12, 13}, {}, {-0.8f,  0.01f, -1.5f,  -0.6f,  1.4f,  -0.3f},   FACE_POS_X},
    {"draw_window_wide",         Family::Facade,   {{1, 2}, {13, 40}},            {}, {1, 13},     {}, {-1.25f, 2.0f,   0.95f, -0.05f, 3.6f,   1.0f},   FACE_NEG_Z},
    {"draw_window_narrow",       Family::Facade,   {{1, 2}, {13, 36}},            {}, {1, 13},     {}, {-0.85f, 2.0f,   0.95f, -0.05f, 3.6f,   1.0f},   FACE_NEG_Z},
    {"draw_window_six_pane",     Family::Facade,   {{1, 2}, {13, 34}},            {}, {1, 13},     {}, {-0.95f, 0.2f,  -0.15f, -0.9f,  2.1f,   0.95f},  FACE_NEG_X},
    {"draw_window_three_pane",   Family::Facade,   {{1, 2}, {13, 32}},            {}, {1, 13},     {}, {-0.95f, 0.2f,  -0.15f, -0.9f,  2.1f,   0.55f},  FACE_NEG_X},
    {"draw_window_double",       Family::Facade,   {{1, 6}, {13, 102}},           {}, {1, 13},     {}, {-0.94f, 2.3f,   0.5f,  -0.7f,  3.9f,   2.3f},   FACE_NEG_X},
    {"draw_window_small",        Family::Facade,   {{1, 2}, {13, 16}},            {}, {1, 13},     {}, {-0.8f,  0.1f,  -0.02f, -0.4f,  1.0f,   0.0f},   FACE_NEG_Z},
    {"draw_window_small_framed", Family::Facade,   {{1, 2}, {12, 24}, {13, 12}},  {}, {1, 12, 13}, {}, {-0.9f,  0.35f, -0.1f,  -0.3f,  1.2f,   0.0f},   FACE_NEG_Z},
    {"draw_window_square",       Family::Facade,   {{1, 2}, {13, 12}},            {}, {1, 13},     {}, {-0.8f,  0.55f, -0.011f,-0.4f,  1.0f,  -0.009f}, FACE_NEG_Z},
    {"draw_dormer",              Family::Facade,   {{1, 2}, {0, 12}, {13, 16}},   {}, {0, 1, 13},  {}, {-1.0f,  0.01f, -2.1f,  -0.2f,  1.25f,  0.0f},   FACE_NEG_Z},
    {"draw_chimney_wide",        Family::Facade,   {{0, 8}},                      {}, {0},         {}, {-1.0f,  0.1f,  -1.0f,   0.0f,  2.0f,  -0.5f},   0},
    {"draw_chimney_narrow",      Family::Facade,   {{0, 8}},                      {}, {0},         {}, {-0.5f,  0.1f,  -1.0f,   0.0f,  2.0f,  -0.5f},   0},
    {"draw_timber_frame",        Family::Facade,   {{13, 96}},                    {}, {13},        {}, {-2.4f,  0.0f,   0.5f,  -0.6f,  1.9f,   1.7f},   0},
    {"draw_post_bracket",        Family::Facade,   {{13, 28}},                    {}, {13},        {}, {-1.5f,  0.0f,   0.4f,  -0.1f,  2.0f,   0.6f},   0},
    {"draw_deck_small",          Family::Facade,   {{7, 10}, {13, 6}},            {}, {7, 13},     {}, {-2.3f,  4.99f, -1.6f,  -0.3f,  5.05f, -0.4f},   0},
    {"draw_deck_large",          Family::Facade,   {{13, 20}}, {{13, 0}, {13, 0}},    {13},        {}, {-4.3f,  4.99f, -2.6f,  -0.3f,  5.05f, -0.4f},   0},
    {"draw_beam_long",           Family::Facade,   {{13, 12}},                    {}, {13},        {}, {-4.3f,  2.0f,   0.5f,  -0.3f,  2.2f,   0.7f},   0},
    {"draw_post",                Family::Facade,   {{13, 10}},                    {}, {13},        {}, {-0.6f,  0.3f,   0.5f,  -0.4f,  2.0f,   0.7f},   0},
    {"draw_gable_roof",          Family::Facade,   {{12, 4}, {13, 8}},            {}, {12, 13},    {}, {-4.3f,  4.0f,  -4.4f,  -0.3f,  6.0f,   3.5f},   0},
    {"draw_balcony",             Family::Facade,   {{13, 126}, {12, 2}},          {}, {12, 13},    {}, {-2.3f,  2.0f,   3.5f,   0.0f,  4.05f,  4.3f},   0},
    {"draw_house",               Family::Facade,   {{12, 30}, {13, 12}},          {}, {12, 13},    {}, {-5.4f,  0.0f,   1.5f,  -0.2f,  7.5f,   5.5f},   0},
    {"draw_post_on_base",        Family::Facade,   {{13, 8}, {12, 10}},           {}, {12, 13},    {}, {-0.45f, 0.0f,  -0.65f, -0.15f, 4.0f,  -0.35f},  0},
    {"draw_board_row_8",         Family::Boarding, {{16, 96}},                    {}, {16},        {}, { 0.0f,  0.95f, -0.08f,  1.5f,  1.6f,   0.04f},  0},
    {"draw_board_row_16",        Family::Boarding, {{16, 192}}, {{16, 96}, {16, 96}}, {16},        {}, { 0.0f,  0.95f, -0.08f,  2.9f,  1.6f,   0.04f},  0},
    {"draw_rafter_3_0",          Family::Boarding, {{16, 12}},                    {}, {16},        {}, { 0.0f,  0.5f,  -0.35f,  0.2f,  3.5f,   0.0f},   0},
    {"draw_rafter_2_3",          Family::Boarding, {{16, 12}},                    {}, {16},        {}, { 0.0f,  1.2f,  -0.35f,  0.2f,  3.5f,   0.0f},   0},
    {"draw_rafter_3_7",          Family::Boarding, {{16, 12}},                    {}, {16},        {}, { 0.0f, -0.2f,  -0.35f,  0.2f,  3.5f,   0.0f},   0},
    {"draw_board_row_13",        Family::Boarding, {{16, 156}},                   {}, {16},        {}, { 0.0f,  0.95f, -0.08f,  2.35f, 1.6f,   0.04f},  0},
    {"draw_board_row_tall",      Family::Boarding, {{16, 192}}, {{16, 96}, {16, 96}}, {16},        {}, { 0.0f,  0.95f, -0.08f,  2.9f,  5.6f,   0.04f},  0},
    {"draw_board_row_32",        Family::Boarding, {{16, 384}},                   {}, {16},        {}, { 0.0f,  0.95f, -0.08f,  5.7f,  1.6f,   0.04f},  0},
    {"draw_plank_walkway",       Family::Boarding, {{13, 276}},                   {}, {13},        {}, { 0.0f,  0.95f, -0.08f,  4.07f, 3.5f,   0.04f},  0},
    {"draw_vault_canopy",        Family::Quadric,  {},                            {}, {12},        {12, 5, 0, 0},  {-1.9f,  0.0f,  -0.15f,  0.1f,  1.9f,   3.95f},  0},
    {"draw_arcade_fence",        Family::Quadric,  {{13, 22}},                    {}, {12, 13},    {31, 40, 0, 0}, {-3.16f, 0.0f,   0.44f, 18.0f,  3.16f,  0.76f},  0},
    {"draw_gothic_window",       Family::Quadric,  {{15, 2}, {4, 2}},             {}, {4, 12, 15}, {6, 8, 0, 0},   {-1.26f, 0.22f, -0.24f,  1.26f, 6.15f,  0.34f},  FACE_NEG_Z},
    {"draw_ring_orb",            Family::Orb,      {},                            {}, {10},        {0, 0, 2, 1},   {-0.63f,-0.495f,-0.4f,   0.63f, 0.495f, 0.4f},   0},
    {"draw_gate_wide",           Family::Gate,     {{25, 6}},                     {}, {25},        {}, {-2.0f, -1.0f,   0.0f,   2.0f,  2.0f,   0.2f},   0},
    {"draw_gate_corner",         Family::Gate,     {{12, 4}},                     {}, {12},        {}, {-2.0f, -1.0f,   0.0f,   0.0f,  2.0f,   4.0f},   0},
};
// clang-format on
static_assert(std::size(EXPECTED) == std::size(MODEL_CATALOGUE));

constexpr float EXTENT_TOLERANCE = 0.0101f; // 0.01, and float noise on top
// The quadric extents are approximate: their outermost parts reach them to 0.02.
float reach_tolerance(Family family) { return family == Family::Quadric ? 0.02f : EXTENT_TOLERANCE; }

const ModelEntry* catalogue_entry(const char* name) {
    for (const ModelEntry& entry : MODEL_CATALOGUE)
        if (std::strcmp(entry.name, name) == 0) return &entry;
    return nullptr;
}

// The program running in the town, so that slots resolve to world 2's textures.
class TownTest : public ::testing::Test {
protected:
    void SetUp() override {
        reset_everything();
        ASSERT_TRUE(start_windowed_program());
        enter_world(2);
    }
    void TearDown() override { reset_everything(); }
    static void enter_world(int world) {
        switch_world(world, 1.6f);
        run_frames(1);
        ASSERT_EQ(current_world(), world);
        ASSERT_TRUE(textures.texture_set_loaded);
    }
};

// GL state outside the saved attribute group, set before a model and read after it.
struct StateBefore {
    bool cull_face, blend;
    float point_size;
};

void set_state(const StateBefore& s) {
    s.cull_face ? glEnable(GL_CULL_FACE) : glDisable(GL_CULL_FACE);
    s.blend ? glEnable(GL_BLEND) : glDisable(GL_BLEND);
    glPointSize(s.point_size);
    glEnable(GL_TEXTURE_2D);
    glFrontFace(GL_CCW);
    glDisable(GL_CLIP_PLANE0);
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);
    if (gl_caps.separate_specular) glLightModeli(GL_LIGHT_MODEL_COLOR_CONTROL, GL_SINGLE_COLOR);
}

// One primitive from GL feedback, in window coordinates.
struct FeedbackVertex {
    float x, y, z;
    float rgba[4];
    float str[4];
};
using Polygon = std::vector<FeedbackVertex>;

// The polygons `draw` issues, through GL feedback. `type` is GL_3D or GL_3D_COLOR_TEXTURE;
// points and lines are left out.
template <typename Draw> std::vector<Polygon> feedback(GLenum type, Draw draw) {
    const int per_vertex = type == GL_3D ? 3 : 11;
    std::vector<GLfloat> buffer(1 << 20);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), type, buffer.data());
    glRenderMode(GL_FEEDBACK);
    draw();
    const GLint used = glRenderMode(GL_RENDER);
    EXPECT_GE(used, 0) << "feedback buffer overflow";
    std::vector<Polygon> polygons;
    for (GLint i = 0; i < used;) {
        const auto token = static_cast<GLenum>(buffer[i++]);
        int vertices = 0;
        switch (token) {
        case GL_POLYGON_TOKEN:
            vertices = static_cast<int>(buffer[i++]);
            break;
        case GL_POINT_TOKEN:
        case GL_BITMAP_TOKEN:
        case GL_DRAW_PIXEL_TOKEN:
        case GL_COPY_PIXEL_TOKEN:
            i += per_vertex;
            continue;
        case GL_LINE_TOKEN:
        case GL_LINE_RESET_TOKEN:
            i += 2 * per_vertex;
            continue;
        case GL_PASS_THROUGH_TOKEN:
            i += 1;
            continue;
        default:
            ADD_FAILURE() << "feedback token " << token;
            return polygons;
        }
        Polygon polygon;
        for (int v = 0; v < vertices; ++v, i += per_vertex) {
            FeedbackVertex fv{buffer[i], buffer[i + 1], buffer[i + 2], {0, 0, 0, 0}, {0, 0, 0, 0}};
            if (type != GL_3D) {
                std::copy(&buffer[i + 3], &buffer[i + 7], fv.rgba);
                std::copy(&buffer[i + 7], &buffer[i + 11], fv.str);
            }
            polygon.push_back(fv);
        }
        polygons.push_back(polygon);
    }
    return polygons;
}

// Twice the signed window area of a polygon: positive when it faces the viewer.
double signed_area(const Polygon& p) {
    double sum = 0;
    for (size_t k = 0; k < p.size(); ++k) {
        const FeedbackVertex &a = p[k], &b = p[(k + 1) % p.size()];
        sum += static_cast<double>(a.x) * b.y - static_cast<double>(b.x) * a.y;
    }
    return sum;
}

// Six times the signed volume that the polygons enclose round `c`, in window space.
double signed_volume(const std::vector<Polygon>& polygons, const double c[3]) {
    double sum = 0;
    for (const Polygon& p : polygons)
        for (size_t k = 1; k + 1 < p.size(); ++k) {
            const FeedbackVertex* v[3] = {&p[0], &p[k], &p[k + 1]};
            double d[3][3];
            for (int i = 0; i < 3; ++i) {
                d[i][0] = v[i]->x - c[0];
                d[i][1] = v[i]->y - c[1];
                d[i][2] = v[i]->z - c[2];
            }
            sum += d[0][0] * (d[1][1] * d[2][2] - d[1][2] * d[2][1]) -
                   d[0][1] * (d[1][0] * d[2][2] - d[1][2] * d[2][0]) +
                   d[0][2] * (d[1][0] * d[2][1] - d[1][1] * d[2][0]);
        }
    return sum;
}

// An orthographic camera on the side `view` of the model's bounds, looking at their centre,
// with the whole model inside its volume. Returns the window position of the centre.
void look_from(const float* b, const float view[3], double centre_window[3]) {
    const double c[3] = {(b[0] + b[3]) / 2.0, (b[1] + b[4]) / 2.0, (b[2] + b[5]) / 2.0};
    const double r =
        std::sqrt((b[3] - b[0]) * (b[3] - b[0]) + (b[4] - b[1]) * (b[4] - b[1]) + (b[5] - b[2]) * (b[5] - b[2])) / 2 +
        0.1;
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-r, r, -r, r, r, 3 * r);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(c[0] + 2 * r * view[0], c[1] + 2 * r * view[1], c[2] + 2 * r * view[2], c[0], c[1], c[2], 0, 1, 0);
    GLdouble model[16], projection[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    gluProject(c[0], c[1], c[2], model, projection, viewport, &centre_window[0], &centre_window[1], &centre_window[2]);
}

// The front of a model: a single-sided piece seen from its front shows its faces and hardly
// any backs (thin edges of slanted parts may look away, a face wound backwards is far more);
// a solid encloses a positive volume, so its faces look outwards.
void expect_front(const Expected& e, void (*draw)(), const float* bounds) {
    glDisable(GL_CULL_FACE);
    double centre[3];
    if (e.front != 0) {
        const float view[3] = {e.front == FACE_POS_X   ? 1.f
                               : e.front == FACE_NEG_X ? -1.f
                                                       : 0.f,
                               0,
                               e.front == FACE_POS_Z   ? 1.f
                               : e.front == FACE_NEG_Z ? -1.f
                                                       : 0.f};
        look_from(bounds, view, centre);
        double facing = 0, away = 0;
        for (const Polygon& p : feedback(GL_3D, draw)) {
            const double a = signed_area(p);
            (a > 0 ? facing : away) += std::fabs(a);
        }
        EXPECT_GT(facing, 0) << "nothing faces the front";
        EXPECT_LE(away, 0.1 * facing) << "faces look away from the front";
    } else {
        const float view[3] = {0, 0, 1};
        look_from(bounds, view, centre);
        // Window depth grows away from the viewer, which mirrors the space: outward faces
        // give a negative window volume.
        EXPECT_LT(signed_volume(feedback(GL_3D, draw), centre), 0) << "faces look inwards";
    }
}

// A failing row names its model instead of dumping its bytes.
void PrintTo(const Expected& e, std::ostream* out) { *out << e.name; }

class Catalogue : public TownTest, public ::testing::WithParamInterface<Expected> {};

SlotCounts sorted(SlotCounts counts) {
    std::sort(counts.begin(), counts.end());
    return counts;
}

} // namespace

TEST(CatalogueTable, ListsTheModelsInCatalogueOrderWithTheirFronts) {
    for (size_t i = 0; i < std::size(MODEL_CATALOGUE); ++i) {
        EXPECT_STREQ(MODEL_CATALOGUE[i].name, EXPECTED[i].name);
        EXPECT_EQ(MODEL_CATALOGUE[i].front, EXPECTED[i].front) << EXPECTED[i].name;
    }
}

TEST_P(Catalogue, IssuesItsSlotsCountsAndExtentAndKeepsTheState) {
    const Expected& e = GetParam();
    const ModelEntry* entry = catalogue_entry(e.name);
    ASSERT_NE(entry, nullptr);

    for (const StateBefore before : {StateBefore{false, true, 2.0f}, StateBefore{true, false, 1.0f}}) {
        SCOPED_TRACE(before.cull_face ? "culling on before" : "culling off before");
        set_state(before);
        const CensusResult r = census_run(entry->draw);

        EXPECT_EQ(census_triangles_by_slot(r), sorted(e.triangles));
        if (!e.runs.empty()) {
            SlotCounts runs;
            for (const auto& run : r.runs)
                if (run.second > 0) runs.push_back(run);
            ASSERT_EQ(runs.size(), e.runs.size());
            for (size_t i = 0; i < runs.size(); ++i) {
                EXPECT_EQ(runs[i].first, e.runs[i].first) << "run " << i;
                if (e.runs[i].second > 0) {
                    EXPECT_EQ(runs[i].second, e.runs[i].second) << "run " << i;
                }
            }
        }
        std::set<int> bound;
        for (const auto& run : r.runs) bound.insert(run.first);
        EXPECT_EQ(bound, e.bound);
        EXPECT_EQ(r.cylinders, e.quadrics[0]);
        EXPECT_EQ(r.disks, e.quadrics[1]);
        EXPECT_EQ(r.spheres, e.quadrics[2]);
        EXPECT_EQ(r.tori, e.quadrics[3]);
        EXPECT_EQ(r.strip_triangles, 0); // the torus' strips are counted as the torus

        ASSERT_TRUE(r.any_geometry);
        const char* AXIS[] = {"x", "y", "z"};
        for (int k = 0; k < 3; ++k) {
            EXPECT_GE(r.bounds[k], e.extent[k] - EXTENT_TOLERANCE) << AXIS[k] << " low";
            EXPECT_LE(r.bounds[k + 3], e.extent[k + 3] + EXTENT_TOLERANCE) << AXIS[k] << " high";
            EXPECT_LE(r.bounds[k], e.extent[k] + reach_tolerance(e.family)) << AXIS[k] << " low not reached";
            EXPECT_GE(r.bounds[k + 3], e.extent[k + 3] - reach_tolerance(e.family)) << AXIS[k] << " high not reached";
        }

        EXPECT_TRUE(r.matrix_depth_ok);
        EXPECT_TRUE(r.colour_kept);
        const int depth = e.family == Family::Facade ? 3 : e.family == Family::Boarding ? 1 : r.max_matrix_depth;
        EXPECT_EQ(r.max_matrix_depth, depth);
        EXPECT_LE(r.max_matrix_depth, 3);

        // Quadric assemblies switch culling on when they finish; the orb leaves blending off
        // and its point size set; everything else is as it was.
        EXPECT_EQ(r.cull_face, e.family == Family::Quadric || before.cull_face);
        EXPECT_EQ(r.blend, e.family != Family::Orb && before.blend);
        EXPECT_FLOAT_EQ(r.point_size, e.family == Family::Orb ? 0.1f : before.point_size);
        EXPECT_TRUE(r.texture_2d);
        EXPECT_TRUE(r.front_face_ccw);
        EXPECT_FALSE(r.clip_plane0);
        EXPECT_FALSE(r.texgen_s);
        EXPECT_FALSE(r.texgen_t);
        EXPECT_FALSE(r.separate_specular);
    }

    // Winding, for the meshes; the quadrics' own triangles follow GLU's.
    if (e.family == Family::Facade || e.family == Family::Boarding) {
        const CensusResult r = census_run(entry->draw);
        expect_front(e, entry->draw, r.bounds);
    }
}

std::string model_test_name(const ::testing::TestParamInfo<Expected>& param) {
    return std::string(param.param.name).substr(std::strlen("draw_"));
}
INSTANTIATE_TEST_SUITE_P(Models, Catalogue, ::testing::ValuesIn(EXPECTED), model_test_name);

TEST_F(TownTest, AModelBindsTheSameSlotsInAnotherWorld) {
    std::vector<std::vector<std::pair<int, int>>> town;
    for (const ModelEntry& entry : MODEL_CATALOGUE) town.push_back(census_run(entry.draw).runs);
    const std::vector<GLuint> town_names(std::begin(textures.texture_names), std::end(textures.texture_names));
    enter_world(3);
    ASSERT_NE(std::vector<GLuint>(std::begin(textures.texture_names), std::end(textures.texture_names)), town_names);
    for (size_t i = 0; i < std::size(MODEL_CATALOGUE); ++i)
        EXPECT_EQ(census_run(MODEL_CATALOGUE[i].draw).runs, town[i]) << MODEL_CATALOGUE[i].name;
}

TEST_F(TownTest, TheOrbAdvancesItsSpinEachTimeItIsTurned) {
    const float start = model_state.orb_spin_angle; // the town's own frame turned it once already
    turn_ring_orb();
    turn_ring_orb();
    EXPECT_FLOAT_EQ(model_state.orb_spin_angle, start + 0.2f);
    // The spin turns the cloud: the census sees its bounding corners turn with it, and
    // drawing does not turn it.
    const float before = census_run(draw_ring_orb).bounds[4];
    EXPECT_FLOAT_EQ(model_state.orb_spin_angle, start + 0.2f);
    for (int i = 0; i < 447; ++i) turn_ring_orb(); // to 45 degrees
    EXPECT_GT(census_run(draw_ring_orb).bounds[4], before + 0.1f);
}

TEST_F(TownTest, TheVaultsRailsKeepItsLeftoverStep) {
    const CensusResult r = census_run(draw_vault_canopy);
    // The rails start 0.15 before z = 0, the -0.05 step the vault left included.
    EXPECT_NEAR(r.bounds[2], -0.15f, 1e-4);
    EXPECT_NEAR(r.bounds[5], 3.95f, 1e-4); // the vault itself, 4 long from -0.05
}

TEST_F(TownTest, TheTorusIsStripsRoundTheRingClosingTheTube) {
    // An orthographic unit cube, so window coordinates map straight back to local ones, and
    // three white lights along x, y and z that paint each vertex with its normal's parts.
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-1, 1, -1, 1, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_CULL_FACE);
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);
    glDisable(GL_COLOR_MATERIAL);
    glEnable(GL_LIGHTING);
    const GLfloat none[4] = {0, 0, 0, 1}, white[4] = {1, 1, 1, 1};
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, none);
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, none);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, none);
    glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, none);
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, white);
    for (int k = 0; k < 8; ++k) glDisable(GL_LIGHT0 + k);
    for (int k = 0; k < 3; ++k) {
        const GLfloat direction[4] = {k == 0 ? 1.f : 0.f, k == 1 ? 1.f : 0.f, k == 2 ? 1.f : 0.f, 0};
        const GLfloat colour[4] = {k == 0 ? 1.f : 0.f, k == 1 ? 1.f : 0.f, k == 2 ? 1.f : 0.f, 1};
        glLightfv(GL_LIGHT1 + k, GL_POSITION, direction);
        glLightfv(GL_LIGHT1 + k, GL_DIFFUSE, colour);
        glLightfv(GL_LIGHT1 + k, GL_AMBIENT, none);
        glLightfv(GL_LIGHT1 + k, GL_SPECULAR, none);
        glEnable(GL_LIGHT1 + k);
    }
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    auto local = [&](const FeedbackVertex& v) {
        return Vec3{(v.x - static_cast<float>(viewport[0])) / static_cast<float>(viewport[2]) * 2 - 1,
                    (v.y - static_cast<float>(viewport[1])) / static_cast<float>(viewport[3]) * 2 - 1, 1 - 2 * v.z};
    };
    auto same_place = [&](const FeedbackVertex& a, const FeedbackVertex& b) {
        const Vec3 p = local(a), q = local(b);
        return std::fabs(p.x - q.x) < 1e-3f && std::fabs(p.y - q.y) < 1e-3f && std::fabs(p.z - q.z) < 1e-3f;
    };

    const std::vector<Polygon> triangles = feedback(GL_3D_COLOR_TEXTURE, [] { draw_torus(0.55f, 0.35f, 36, 17); });
    constexpr int STRIPS = 36, PER_STRIP = 36 - 2;
    ASSERT_EQ(triangles.size(), static_cast<size_t>(STRIPS * PER_STRIP));
    for (const Polygon& t : triangles) ASSERT_EQ(t.size(), 3u);

    const FeedbackVertex& first = triangles[0][0];
    const Vec3 at = local(first);
    EXPECT_NEAR(at.x, 0.9f, 1e-3);
    EXPECT_NEAR(at.y, 0, 1e-3);
    EXPECT_NEAR(at.z, 0, 1e-3);
    EXPECT_NEAR(first.rgba[0], 1, 1e-3); // normal (1, 0, 0)
    EXPECT_NEAR(first.rgba[1], 0, 1e-3);
    EXPECT_NEAR(first.rgba[2], 0, 1e-3);
    EXPECT_FLOAT_EQ(first.str[0], 0);
    EXPECT_FLOAT_EQ(first.str[1], 0);

    // Each strip opens on its pair at t = 0 and closes on a pair at t = 1 in the same places,
    // and its s runs from i/36 to (i+1)/36.
    for (int strip = 0; strip < STRIPS; ++strip) {
        SCOPED_TRACE(strip);
        const Polygon& opening = triangles[static_cast<size_t>(strip * PER_STRIP)];
        const Polygon& closing = triangles[static_cast<size_t>(strip * PER_STRIP + PER_STRIP - 1)];
        EXPECT_FLOAT_EQ(opening[0].str[0], static_cast<float>(strip) / STRIPS);
        EXPECT_FLOAT_EQ(opening[1].str[0], static_cast<float>(strip + 1) / STRIPS);
        std::vector<const FeedbackVertex*> seam;
        for (const FeedbackVertex& v : closing)
            if (v.str[1] == 1.0f) seam.push_back(&v);
        ASSERT_EQ(seam.size(), 2u);
        for (int k = 0; k < 2; ++k) {
            EXPECT_FLOAT_EQ(opening[k].str[1], 0);
            EXPECT_TRUE(same_place(opening[k], *seam[0]) || same_place(opening[k], *seam[1])) << "vertex " << k;
        }
    }
}

TEST_F(TownTest, ATorusWithoutSidesBeginsNothing) {
    // glBegin inside an open glBegin is an error: a torus that began a strip would raise it.
    while (glGetError() != GL_NO_ERROR) {}
    glBegin(GL_POINTS);
    draw_torus(0.55f, 0.35f, 0, 17);
    glEnd();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    glBegin(GL_POINTS);
    draw_torus(0.55f, 0.35f, 1, 17);
    glEnd();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_INVALID_OPERATION));
}

TEST(VectorHelpers, FaceNormalFollowsTheWinding) {
    const Vec3 o = {0, 0, 0}, x = {1, 0, 0}, y = {0, 1, 0};
    Vec3 n;
    face_normal(&o, &x, &y, &n);
    EXPECT_FLOAT_EQ(n.x, 0);
    EXPECT_FLOAT_EQ(n.y, 0);
    EXPECT_FLOAT_EQ(n.z, 1);
    face_normal(&o, &y, &x, &n);
    EXPECT_FLOAT_EQ(n.z, -1);
    // Not at the origin and not of unit size: still a unit normal.
    const Vec3 a = {2, 1, 3}, b = {2, 1, 7}, c = {2, 4, 3};
    face_normal(&a, &b, &c, &n);
    EXPECT_FLOAT_EQ(n.x, -1);
    EXPECT_FLOAT_EQ(n.y, 0);
    EXPECT_FLOAT_EQ(n.z, 0);

    Vec3 v = {3, 4, 0};
    EXPECT_EQ(vec3_normalize(&v), &v);
    EXPECT_FLOAT_EQ(v.x, 0.6f);
    EXPECT_FLOAT_EQ(v.y, 0.8f);
    Vec3 zero = {0, 0, 0};
    vec3_normalize(&zero);
    EXPECT_EQ(zero.x, 0);
    EXPECT_FALSE(std::isnan(zero.y));
}
