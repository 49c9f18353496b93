// World 3's wall table: an entrance terrace between two raised platforms, a sunken pool
// whose corner pits teleport up to the platforms, a ramp over the pool's west edge, a
// west wing and room behind gates 1 and 3, an east gallery behind gate 2 above a second
// pool, a corridor along the south with three switches, and the exit bay behind gates 5
// and 4. Floors: ground 0, decks 1.0, the ramp 1.0-1.25-1.5-1.25-1.0, stairs of 0.25,
// platforms 3.0. The level file's walls and floors are built from this table.
#include "nav/contacts.h"

#include <iterator>

namespace {
constexpr GateLink NONE = GateLink::None;
} // namespace

// clang-format off
const WallSegment WORLD3_WALLS[] = {
    // z-walls: the north boundary, with the arrival terrace's back wall first
    {{ -3.00f, 0.0f,   0.00f}, {  3.00f, 5.0f,   0.00f}, NONE},
    {{ -7.35f, 0.0f,   0.00f}, { -3.00f, 5.0f,   0.00f}, NONE},
    {{  3.00f, 0.0f,   0.00f}, {  7.30f, 5.0f,   0.00f}, NONE},
    {{  7.80f, 0.0f,   0.00f}, { 11.70f, 5.0f,   0.00f}, NONE},
    {{ 11.70f, 0.0f,   0.00f}, { 22.10f, 5.0f,   0.00f}, NONE},
    // the platforms' fronts and the rails along their edges
    {{ -7.00f, 0.0f,  -3.30f}, { -3.00f, 3.0f,  -3.30f}, NONE},
    {{  3.00f, 0.0f,  -3.30f}, {  7.30f, 3.0f,  -3.30f}, NONE},
    {{ -7.00f, 3.0f,  -3.30f}, { -3.00f, 4.3f,  -3.30f}, NONE},
    {{  3.00f, 3.0f,  -3.30f}, {  7.30f, 4.3f,  -3.30f}, NONE},
    // the pool's rim, both faces
    {{ -5.75f, 0.0f,  -5.50f}, {  5.00f, 1.8f,  -5.50f}, NONE},
    {{ -5.75f, 0.0f,  -5.30f}, {  5.00f, 1.8f,  -5.30f}, NONE},
    {{  5.00f, 0.0f, -13.00f}, {  7.30f, 1.8f, -13.00f}, NONE},
    {{  5.00f, 0.0f, -12.80f}, {  7.30f, 1.8f, -12.80f}, NONE},
    {{ -5.75f, 0.0f, -18.50f}, {  7.30f, 1.8f, -18.50f}, NONE},
    {{ -5.75f, 0.0f, -18.70f}, {  7.30f, 1.8f, -18.70f}, NONE},
    // the west wing and the west room, both faces
    {{-14.00f, 0.0f,  -8.00f}, { -7.70f, 5.0f,  -8.00f}, NONE},
    {{-14.00f, 0.0f,  -7.80f}, { -7.70f, 5.0f,  -7.80f}, NONE},
    {{-14.00f, 0.0f, -15.00f}, { -7.70f, 5.0f, -15.00f}, NONE},
    {{-14.00f, 0.0f, -15.20f}, { -7.70f, 5.0f, -15.20f}, NONE},
    {{-17.00f, 0.0f,  -9.00f}, {-14.00f, 5.0f,  -9.00f}, NONE},
    {{-17.00f, 0.0f,  -8.80f}, {-14.00f, 5.0f,  -8.80f}, NONE},
    {{-17.00f, 0.0f, -14.00f}, {-14.00f, 5.0f, -14.00f}, NONE},
    {{-17.00f, 0.0f, -14.20f}, {-14.00f, 5.0f, -14.20f}, NONE},
    // jambs of the gate openings 1, 2 and 3
    {{ -7.70f, 0.0f, -12.50f}, { -7.35f, 5.0f, -12.50f}, NONE},
    {{ -7.70f, 0.0f, -10.50f}, { -7.35f, 5.0f, -10.50f}, NONE},
    {{  7.30f, 0.0f, -13.00f}, {  7.80f, 5.0f, -13.00f}, NONE},
    {{  7.30f, 0.0f, -10.00f}, {  7.80f, 5.0f, -10.00f}, NONE},
    {{-14.20f, 0.0f, -13.00f}, {-14.00f, 5.0f, -13.00f}, NONE},
    {{-14.20f, 0.0f, -10.00f}, {-14.00f, 5.0f, -10.00f}, NONE},
    // the corridor: north wall (both faces, gate 5's opening at x 22..23), south wall,
    // and the fronts of four pilasters on the south wall
    {{ -5.00f, 0.0f, -20.50f}, {  7.80f, 5.0f, -20.50f}, NONE},
    {{ -5.00f, 0.0f, -20.30f}, {  7.80f, 5.0f, -20.30f}, NONE},
    {{ 11.70f, 0.0f, -20.50f}, { 22.00f, 5.0f, -20.50f}, NONE},
    {{ 11.70f, 0.0f, -20.30f}, { 22.00f, 5.0f, -20.30f}, NONE},
    {{ 23.00f, 0.0f, -20.50f}, { 24.00f, 5.0f, -20.50f}, NONE},
    {{ -7.35f, 0.0f, -26.00f}, { 24.00f, 5.0f, -26.00f}, NONE},
    {{ -3.30f, 0.0f, -25.60f}, { -2.70f, 5.0f, -25.60f}, NONE},
    {{  2.70f, 0.0f, -25.60f}, {  3.30f, 5.0f, -25.60f}, NONE},
    {{  8.70f, 0.0f, -25.60f}, {  9.30f, 5.0f, -25.60f}, NONE},
    {{ 14.70f, 0.0f, -25.60f}, { 15.30f, 5.0f, -25.60f}, NONE},
    // the vestibule behind gate 5 and the exit bay behind gate 4, both faces
    {{ 21.80f, 0.0f, -16.50f}, { 23.00f, 5.0f, -16.50f}, NONE},
    {{ 23.00f, 0.0f, -19.00f}, { 26.00f, 5.0f, -19.00f}, NONE},
    {{ 23.00f, 0.0f, -19.20f}, { 26.00f, 5.0f, -19.20f}, NONE},
    {{ 23.00f, 0.0f, -17.00f}, { 26.00f, 5.0f, -17.00f}, NONE},
    {{ 23.00f, 0.0f, -16.80f}, { 26.00f, 5.0f, -16.80f}, NONE},
    // gate 5 (its walls turn inside out, and stop acting, once it has sunk below 0)
    {{ 22.00f, 0.0f, -20.00f}, { 23.00f, 4.0f, -20.00f}, GateLink::Unit5},
    {{ 22.00f, 0.0f, -20.50f}, { 23.00f, 4.0f, -20.50f}, GateLink::Unit5},

    // x-walls: the hall's west face with gate 1's opening
    {{ -7.35f, 0.0f, -10.50f}, { -7.35f, 5.0f,   0.00f}, NONE},
    {{ -7.35f, 0.0f, -26.00f}, { -7.35f, 5.0f, -12.50f}, NONE},
    // the platforms' sides
    {{ -3.00f, 0.0f,  -3.30f}, { -3.00f, 3.0f,   0.00f}, NONE},
    {{  3.00f, 0.0f,  -3.30f}, {  3.00f, 3.0f,   0.00f}, NONE},
    // the hall's east face with gate 2's opening, and the gallery's west face
    {{  7.30f, 0.0f, -10.00f}, {  7.30f, 5.0f,   0.00f}, NONE},
    {{  7.30f, 0.0f, -18.50f}, {  7.30f, 5.0f, -13.00f}, NONE},
    {{  7.80f, 0.0f, -10.00f}, {  7.80f, 5.0f,   0.00f}, NONE},
    {{  7.80f, 0.0f, -18.50f}, {  7.80f, 5.0f, -13.00f}, NONE},
    // the pool's rim
    {{ -5.75f, 0.0f, -18.50f}, { -5.75f, 1.8f,  -5.50f}, NONE},
    {{  5.00f, 0.0f, -13.00f}, {  5.00f, 1.8f,  -5.50f}, NONE},
    // the stairs' sides
    {{ -5.00f, 0.0f, -20.50f}, { -5.00f, 5.0f, -18.50f}, NONE},
    {{  7.80f, 0.0f, -20.50f}, {  7.80f, 5.0f, -18.50f}, NONE},
    {{ 11.70f, 0.0f, -20.50f}, { 11.70f, 5.0f, -18.50f}, NONE},
    // the west wing's east face with gate 1's opening
    {{ -7.70f, 0.0f, -15.00f}, { -7.70f, 5.0f, -12.50f}, NONE},
    {{ -7.70f, 0.0f, -10.50f}, { -7.70f, 5.0f,  -8.00f}, NONE},
    // the wall between wing and room, both faces, with gate 3's opening; the room's west wall
    {{-14.00f, 0.0f, -15.00f}, {-14.00f, 5.0f, -13.00f}, NONE},
    {{-14.00f, 0.0f, -10.00f}, {-14.00f, 5.0f,  -8.00f}, NONE},
    {{-14.20f, 0.0f, -15.00f}, {-14.20f, 5.0f, -13.00f}, NONE},
    {{-14.20f, 0.0f, -10.00f}, {-14.20f, 5.0f,  -8.00f}, NONE},
    {{-17.00f, 0.0f, -14.00f}, {-17.00f, 5.0f,  -9.00f}, NONE},
    // the second pool: parapet from the gallery, and its east wall
    {{ 11.70f, 0.0f, -18.50f}, { 11.70f, 3.0f,   0.00f}, NONE},
    {{ 22.10f, 0.0f, -16.50f}, { 22.10f, 5.0f,   0.00f}, NONE},
    // the corridor's east end, both faces, and the pilasters' sides
    {{ 24.00f, 0.0f, -26.00f}, { 24.00f, 5.0f, -20.50f}, NONE},
    {{ 24.20f, 0.0f, -26.00f}, { 24.20f, 5.0f, -20.50f}, NONE},
    {{ -3.30f, 0.0f, -26.00f}, { -3.30f, 5.0f, -25.60f}, NONE},
    {{ -2.70f, 0.0f, -26.00f}, { -2.70f, 5.0f, -25.60f}, NONE},
    {{  2.70f, 0.0f, -26.00f}, {  2.70f, 5.0f, -25.60f}, NONE},
    {{  3.30f, 0.0f, -26.00f}, {  3.30f, 5.0f, -25.60f}, NONE},
    {{  8.70f, 0.0f, -26.00f}, {  8.70f, 5.0f, -25.60f}, NONE},
    {{  9.30f, 0.0f, -26.00f}, {  9.30f, 5.0f, -25.60f}, NONE},
    {{ 14.70f, 0.0f, -26.00f}, { 14.70f, 5.0f, -25.60f}, NONE},
    {{ 15.30f, 0.0f, -26.00f}, { 15.30f, 5.0f, -25.60f}, NONE},
    // the vestibule: parapet over the second pool, and the walls beside gate 4; the exit
    // bay's end wall
    {{ 21.80f, 0.0f, -20.00f}, { 21.80f, 3.0f, -16.50f}, NONE},
    {{ 23.00f, 0.0f, -20.00f}, { 23.00f, 5.0f, -19.00f}, NONE},
    {{ 23.00f, 0.0f, -17.00f}, { 23.00f, 5.0f, -16.50f}, NONE},
    {{ 26.00f, 0.0f, -19.00f}, { 26.00f, 5.0f, -17.00f}, NONE},
    // gates 1 to 4
    {{ -7.00f, -1.0f, -12.50f}, { -7.00f, 4.0f, -10.50f}, GateLink::Unit1},
    {{  7.50f, -1.0f, -13.00f}, {  7.50f, 4.0f, -10.00f}, GateLink::Unit2},
    {{  7.00f, -1.0f, -13.00f}, {  7.00f, 4.0f, -10.00f}, GateLink::Unit2},
    {{-14.00f, -1.0f, -13.00f}, {-14.00f, 4.0f, -10.00f}, GateLink::Unit3},
    {{ 23.00f, -1.0f, -19.00f}, { 23.00f, 4.0f, -17.00f}, GateLink::Unit4},

    // floors: terrace, north walk, platforms
    {{ -3.00f, 1.00f,  -3.30f}, {  3.00f, 1.00f,   0.00f}, NONE},
    {{ -7.00f, 1.00f,  -5.50f}, {  7.30f, 1.00f,  -3.30f}, NONE},
    {{ -7.00f, 3.00f,  -3.30f}, { -3.00f, 3.00f,   0.00f}, NONE},
    {{  3.00f, 3.00f,  -3.30f}, {  7.30f, 3.00f,   0.00f}, NONE},
    // the ramp over the pool's west edge, cresting in front of gate 1
    {{ -7.00f, 1.00f,  -9.50f}, { -5.75f, 1.00f,  -5.50f}, NONE},
    {{ -7.00f, 1.25f, -10.50f}, { -5.75f, 1.25f,  -9.50f}, NONE},
    {{ -7.00f, 1.50f, -12.50f}, { -5.75f, 1.50f, -10.50f}, NONE},
    {{ -7.00f, 1.25f, -13.50f}, { -5.75f, 1.25f, -12.50f}, NONE},
    {{ -7.00f, 1.00f, -18.50f}, { -5.75f, 1.00f, -13.50f}, NONE},
    // east walk, gallery, the pool's basin (its south part holds the two pits)
    {{  5.00f, 1.00f, -13.00f}, {  7.30f, 1.00f,  -5.50f}, NONE},
    {{  7.30f, 1.00f, -18.50f}, { 11.70f, 1.00f,   0.00f}, NONE},
    {{ -5.75f, 0.00f, -13.00f}, {  5.00f, 0.00f,  -5.50f}, NONE},
    {{ -5.75f, 0.00f, -18.50f}, {  7.30f, 0.00f, -13.00f}, NONE},
    // stairs down to the corridor, west and east
    {{ -7.00f, 0.75f, -19.00f}, { -5.00f, 0.75f, -18.50f}, NONE},
    {{ -7.00f, 0.50f, -19.50f}, { -5.00f, 0.50f, -19.00f}, NONE},
    {{ -7.00f, 0.25f, -20.00f}, { -5.00f, 0.25f, -19.50f}, NONE},
    {{  7.80f, 0.75f, -19.00f}, { 11.70f, 0.75f, -18.50f}, NONE},
    {{  7.80f, 0.50f, -19.50f}, { 11.70f, 0.50f, -19.00f}, NONE},
    {{  7.80f, 0.25f, -20.00f}, { 11.70f, 0.25f, -19.50f}, NONE},
    // the corridor, the west wing and room, the vestibule
    {{ -7.35f, 0.00f, -26.00f}, {  7.80f, 0.00f, -20.00f}, NONE},
    {{  7.80f, 0.00f, -26.00f}, { 24.00f, 0.00f, -20.00f}, NONE},
    {{-14.00f, 1.00f, -15.00f}, { -7.00f, 1.00f,  -8.00f}, NONE},
    {{-17.00f, 1.00f, -14.00f}, {-14.00f, 1.00f,  -9.00f}, NONE},
    {{ 21.80f, 0.00f, -20.50f}, { 23.00f, 0.00f, -16.50f}, NONE},
    // steps up from the vestibule into the exit bay
    {{ 22.45f, 0.25f, -19.00f}, { 22.70f, 0.25f, -17.00f}, NONE},
    {{ 22.70f, 0.50f, -19.00f}, { 23.00f, 0.50f, -17.00f}, NONE},
    {{ 23.00f, 0.75f, -19.00f}, { 23.30f, 0.75f, -17.00f}, NONE},
    {{ 23.30f, 1.00f, -19.00f}, { 26.00f, 1.00f, -17.00f}, NONE},

    // the surveyed edges of the site on the ground; lines, they never act
    {{-17.00f, 0.0f, -26.00f}, { 26.00f, 0.0f, -26.00f}, NONE},
    {{-17.00f, 0.0f,   0.00f}, { 26.00f, 0.0f,   0.00f}, NONE},
};
// clang-format on

const int WORLD3_WALL_COUNT = static_cast<int>(std::size(WORLD3_WALLS));
static_assert(std::size(WORLD3_WALLS) == 117);
