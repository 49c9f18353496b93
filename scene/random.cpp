#include "random.h"

uint32_t random_seed = 1;

int random_next() {
    random_seed = random_seed * 22695477u + 1u; // wraps modulo 2^32
    return static_cast<int>((random_seed >> 16) & 0x7FFF);
}
