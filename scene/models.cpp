#include "models.h"

float gate_wide_top = 2.0f;
float gate_corner_top = 2.0f;
