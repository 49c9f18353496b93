// The bindings applied once per frame from the key table.
#pragma once

#include "nav/keys.h"

// Every held-key binding, in the fixed order of the key step.
void apply_held_keys();
