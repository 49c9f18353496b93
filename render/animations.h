// The drawn side of world 3's five switch-and-gate units: each switch cube turning over its
// switch and each gate at the height nav/gates.h keeps.
#pragma once

#include "scene/world_objects.h"

// World 3: each unit's switch cube and gate, in table order; with `seen`, only the cubes
// and gates whose boxes it accepts (the texture bound after it as after all of them).
void draw_gate_units();
void draw_gate_units_where(BoxSeen seen);

void draw_switch_cube();
void draw_switch_gate(float height);
void draw_switch_gate_narrow(float height);
