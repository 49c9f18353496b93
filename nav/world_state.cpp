// Which world is current: state every loader reads, kept apart from the switching rules.
#include "worlds.h"

bool world_flags[WORLD_COUNT] = {true, false, false};
bool needs_init[WORLD_COUNT] = {false, false, false};

int current_world() {
    for (int w = 0; w < WORLD_COUNT; ++w)
        if (world_flags[w]) return w + 1;
    return 0;
}
