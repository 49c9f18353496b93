#include "gates.h"

GateState gates;

void reset_gates() { gates = GateState{}; }
