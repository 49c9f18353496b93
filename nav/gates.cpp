#include "gates.h"

namespace {
// Every gate up.
constexpr GateState GATES_AT_START = {
    2.0f,
    2.0f,
    {{false, 4.0f}, {false, 4.0f}, {false, 4.0f}, {false, 4.0f}, {false, 4.0f}},
};
} // namespace

GateState gates = GATES_AT_START;

void reset_gates() { gates = GATES_AT_START; }
