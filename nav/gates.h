// The heights of every gate: the town's two (keys Y and I) and world 3's five switch
// gates. The walls read them to let the player over a sunken gate; the models draw them.
#pragma once

constexpr int GATE_UNITS = 5;

struct GateUnit {
    bool gate_triggered = false; // its switch was touched (for good)
    float gate_height = 4.0f;    // top of the gate in its own frame, 4.0 when closed
};

struct GateState {
    float gate_wide_top = 2.0f;      // top edge of the town's wide gates, 2.0 at start
    float gate_corner_top = 2.0f;    // top edge of the corner gate before the town's exit
    GateUnit gate_units[GATE_UNITS]; // world 3's switch gates, in trigger-table order
};
extern GateState gates;
void reset_gates();

// World 3, once a frame: each unit whose trigger box holds the player is triggered for
// good, and a triggered gate sinks until it is no longer above -0.2.
void step_gate_units();
// Keys Y (raise) and I (lower): both world-2 gates and all five world-3 gates.
void raise_gates();
void lower_gates();
