// Which world is current: state every loader reads, kept apart from the switching rules.
#include "worlds.h"

WorldState worlds;

void reset_worlds() { worlds = WorldState{}; }

int current_world() {
    for (int w = 0; w < WORLD_COUNT; ++w)
        if (worlds.world_flags[w]) return w + 1;
    return 0;
}

const WorldRecord* current_world_record() { return world_record(current_world()); }

bool world_entry_pending() {
    for (bool pending : worlds.needs_init)
        if (pending) return true;
    return false;
}
