// The one pseudo-random sequence of the program: a linear congruential generator that
// starts from seed 1 and is never reseeded, so every run repeats the same water drops,
// particle emissions and sign swings.
#pragma once

#include <cstdint>

extern uint32_t random_seed; // the generator's state, 1 at start

// The next value, 0 to 32767.
int random_next();
