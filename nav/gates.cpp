#include "gates.h"

#include "nav/worlds.h"

#include <iterator>

GateState gates;

void reset_gates() { gates = GateState{}; }

namespace {

constexpr float GATE_STEP = 0.05f;
constexpr float GATE_STOP = -0.2f; // a triggered gate sinks until it is no longer above this
constexpr float WORLD3_GATE_TOP = 4, WORLD2_GATE_TOP = 2, WORLD2_GATE_BOTTOM = -0.4f;

// clang-format off
constexpr PositionBox GATE_TRIGGERS[GATE_UNITS] = {
    //  x                 z                        eye
    { 11.0f,  12.0f,  -23.0f,    -22.0f, -BOX_OPEN, BOX_OPEN},
    {  6.0f,   6.5f,  -BOX_OPEN, -22.0f, -BOX_OPEN, BOX_OPEN}, // no lower z bound
    {-13.5f, -13.0f,  -11.5f,    -10.5f, -BOX_OPEN, BOX_OPEN},
    {-17.0f, -16.0f,  -12.0f,    -11.0f, -BOX_OPEN, BOX_OPEN},
    { 22.0f,  23.0f,  -23.0f,    -22.0f, -BOX_OPEN, BOX_OPEN},
};
// clang-format on
static_assert(std::size(GATE_TRIGGERS) == GATE_UNITS);

} // namespace

void step_gate_units() {
    for (int u = 0; u < GATE_UNITS; ++u) {
        GateUnit& unit = gates.gate_units[u];
        if (player_inside(GATE_TRIGGERS[u])) unit.gate_triggered = true;
        if (unit.gate_triggered && unit.gate_height > GATE_STOP) unit.gate_height -= GATE_STEP;
    }
}

void raise_gates() {
    if (gates.gate_wide_top < WORLD2_GATE_TOP) gates.gate_wide_top += GATE_STEP;
    if (gates.gate_corner_top < WORLD2_GATE_TOP) gates.gate_corner_top += GATE_STEP;
    for (GateUnit& unit : gates.gate_units)
        if (unit.gate_height < WORLD3_GATE_TOP) unit.gate_height += GATE_STEP;
}

void lower_gates() {
    if (gates.gate_wide_top > WORLD2_GATE_BOTTOM) gates.gate_wide_top -= GATE_STEP;
    if (gates.gate_corner_top > WORLD2_GATE_BOTTOM) gates.gate_corner_top -= GATE_STEP;
    for (GateUnit& unit : gates.gate_units)
        if (unit.gate_height > GATE_STOP) unit.gate_height -= GATE_STEP;
}
