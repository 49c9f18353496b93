// The procedurally drawn models of the town and the variables they read.
#pragma once

extern float gate_wide_top;   // top edge of the town's wide gates (keys Y and I), 2.0 at start
extern float gate_corner_top; // top edge of the corner gate before the town's exit
