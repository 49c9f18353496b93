#include "layout_bounds.h"

#include "scene/models.h"
#include "scene/world2_layout.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <iterator>

// What `census NAME` reports as each model's bounds, rounded outwards to 0.0001.
// clang-format off
const ModelBounds MODEL_BOUNDS[] = {
    {draw_door_framed,         {   -0.8f,     0.0f,    -1.6f}, {   -0.6f,     1.4f,    -0.8f}},
    {draw_window_recessed,     {   -0.8f,    0.01f,    -1.5f}, {   -0.6f,     1.4f,    -0.3f}},
    {draw_window_wide,         {  -1.25f,     2.0f,    0.95f}, {  -0.05f,     3.6f,     1.0f}},
    {draw_window_narrow,       {  -0.85f,     2.0f,    0.95f}, {  -0.05f,     3.6f,     1.0f}},
    {draw_window_six_pane,     {  -0.95f,     0.2f,   -0.15f}, {   -0.9f,     2.1f,    0.95f}},
    {draw_window_three_pane,   {  -0.95f,     0.2f,   -0.15f}, {   -0.9f,     2.1f,    0.55f}},
    {draw_window_double,       {  -0.94f,     2.3f,     0.5f}, {   -0.7f,     3.9f,     2.3f}},
    {draw_window_small,        {   -0.8f,     0.1f,   -0.02f}, {   -0.4f,     1.0f,     0.0f}},
    {draw_window_small_framed, {   -0.9f,    0.35f,    -0.1f}, {   -0.3f,     1.2f,     0.0f}},
    {draw_window_square,       {   -0.8f,    0.55f,  -0.011f}, {   -0.4f,     1.0f,  -0.009f}},
    {draw_dormer,              {   -1.0f,    0.01f,    -2.1f}, {   -0.2f,    1.25f,     0.0f}},
    {draw_chimney_wide,        {   -1.0f,     0.1f,    -1.0f}, {    0.0f,     2.0f,    -0.5f}},
    {draw_chimney_narrow,      {   -0.5f,     0.1f,    -1.0f}, {    0.0f,     2.0f,    -0.5f}},
    {draw_timber_frame,        {   -2.4f,     0.0f,     0.5f}, {   -0.6f,     1.9f,     1.7f}},
    {draw_post_bracket,        {   -1.5f,     0.0f,     0.4f}, {   -0.1f,     2.0f,     0.6f}},
    {draw_deck_small,          {   -2.3f,    4.99f,    -1.6f}, {   -0.3f,    5.05f,    -0.4f}},
    {draw_deck_large,          {   -4.3f,    4.99f,    -2.6f}, {   -0.3f,    5.05f,    -0.4f}},
    {draw_beam_long,           {   -4.3f,     2.0f,     0.5f}, {   -0.3f,     2.2f,     0.7f}},
    {draw_post,                {   -0.6f,     0.3f,     0.5f}, {   -0.4f,     2.0f,     0.7f}},
    {draw_gable_roof,          {   -4.3f,     4.0f,    -4.4f}, {   -0.3f,     6.0f,     3.5f}},
    {draw_balcony,             {   -2.3f,     2.0f,     3.5f}, {    0.0f,    4.05f,     4.3f}},
    {draw_house,               {   -5.4f,     0.0f,     1.5f}, {   -0.2f,     7.5f,     5.5f}},
    {draw_post_on_base,        {  -0.45f,     0.0f,   -0.65f}, {  -0.15f,     4.0f,   -0.35f}},
    {draw_board_row_8,         {    0.0f,    0.95f,   -0.08f}, {    1.5f,     1.6f,    0.04f}},
    {draw_board_row_16,        {    0.0f,    0.95f,   -0.08f}, {    2.9f,     1.6f,    0.04f}},
    {draw_rafter_3_0,          {    0.0f,     0.5f,   -0.35f}, {    0.2f,     3.5f,     0.0f}},
    {draw_rafter_2_3,          {    0.0f,     1.2f,   -0.35f}, {    0.2f,     3.5f,     0.0f}},
    {draw_rafter_3_7,          {    0.0f,    -0.2f,   -0.35f}, {    0.2f,     3.5f,     0.0f}},
    {draw_board_row_13,        {    0.0f,    0.95f,   -0.08f}, {   2.35f,     1.6f,    0.04f}},
    {draw_board_row_tall,      {    0.0f,    0.95f,   -0.08f}, {    2.9f,     5.6f,    0.04f}},
    {draw_board_row_32,        {    0.0f,    0.95f,   -0.08f}, {    5.7f,     1.6f,    0.04f}},
    {draw_plank_walkway,       {    0.0f,    0.95f,   -0.08f}, {   4.07f,     3.5f,    0.04f}},
    {draw_vault_canopy,        { -1.897f,   -0.01f,   -0.15f}, {  0.087f,    1.91f,    3.95f}},
    {draw_arcade_fence,        {  -3.16f,     0.0f,  0.4444f}, {   18.0f,    3.16f,  0.7556f}},
    {draw_gothic_window,       {-1.2558f,  0.2185f, -0.2415f}, { 1.2558f,    6.15f,  0.3415f}},
};
// clang-format on
static_assert(std::size(MODEL_BOUNDS) == MODEL_BOUNDS_ROWS);

namespace {

constexpr double PAD = 1e-3; // world units: far more than GL's float rounding of a turned corner

struct RowBox {
    bool known; // the row's model is listed
    Vec3 lo, hi;
};

const ModelBounds* bounds_of(void (*model)()) {
    for (const ModelBounds& b : MODEL_BOUNDS)
        if (b.model == model) return &b;
    return nullptr;
}

// out = a * (the matrix glRotatef(angle, axis) multiplies by).
void turn(const double a[3][3], const ModelRotation& r, double out[3][3]) {
    const double n = std::sqrt(double{r.axis_x} * r.axis_x + double{r.axis_y} * r.axis_y + double{r.axis_z} * r.axis_z);
    const double x = r.axis_x / n, y = r.axis_y / n, z = r.axis_z / n;
    const double angle = r.angle * M_PI / 180, c = std::cos(angle), s = std::sin(angle), t = 1 - c;
    const double m[3][3] = {{t * x * x + c, t * x * y - s * z, t * x * z + s * y},
                            {t * x * y + s * z, t * y * y + c, t * y * z - s * x},
                            {t * x * z - s * y, t * y * z + s * x, t * z * z + c}};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) out[i][j] = a[i][0] * m[0][j] + a[i][1] * m[1][j] + a[i][2] * m[2][j];
}

RowBox row_box(const ModelPlacement& row) {
    const ModelBounds* b = bounds_of(row.model);
    if (b == nullptr) return {false, {}, {}};
    double m[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    for (int k = 0; k < row.rotation_count; ++k) {
        double turned[3][3];
        turn(m, row.rotations[k], turned);
        std::memcpy(m, turned, sizeof m);
    }
    const double t[3] = {row.translation.x, row.translation.y, row.translation.z};
    double lo[3] = {INFINITY, INFINITY, INFINITY}, hi[3] = {-INFINITY, -INFINITY, -INFINITY};
    for (int corner = 0; corner < 8; ++corner) {
        const double p[3] = {corner & 1 ? b->hi.x : b->lo.x, corner & 2 ? b->hi.y : b->lo.y,
                             corner & 4 ? b->hi.z : b->lo.z};
        for (int i = 0; i < 3; ++i) {
            const double w = t[i] + m[i][0] * p[0] + m[i][1] * p[1] + m[i][2] * p[2];
            lo[i] = std::min(lo[i], w);
            hi[i] = std::max(hi[i], w);
        }
    }
    auto f = [](double v) { return static_cast<float>(v); };
    return {true, {f(lo[0] - PAD), f(lo[1] - PAD), f(lo[2] - PAD)}, {f(hi[0] + PAD), f(hi[1] + PAD), f(hi[2] + PAD)}};
}

} // namespace

bool layout_row_box(int row, Vec3* lo, Vec3* hi) {
    // The table is constant, so its boxes are worked out once, on first use.
    static const std::array<RowBox, WORLD2_LAYOUT_ROWS> boxes = [] {
        std::array<RowBox, WORLD2_LAYOUT_ROWS> out{};
        for (int i = 0; i < WORLD2_LAYOUT_ROWS; ++i) out[i] = row_box(WORLD2_LAYOUT[i]);
        return out;
    }();
    if (row < 0 || row >= WORLD2_LAYOUT_ROWS || !boxes[row].known) return false;
    *lo = boxes[row].lo;
    *hi = boxes[row].hi;
    return true;
}
