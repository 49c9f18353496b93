#include "world_table.h"

// clang-format off
const char* const WORLD1_TEXTURE_FILES[TEXTURE_SLOTS] = {
    "text/stena001.bmp",   "text/stena002.bmp",    "text/AGerb.bmp",       "text/stena003.bmp",
    "text/vitraj101.bmp",  "text/vitraj102.bmp",   "text/saturn001.bmp",   "text/stena004.bmp",
    "text/stena005.bmp",   "text/stena006.bmp",    "text/stena007.bmp",    "text/dusha001.bmp",
    "text/AGerb.bmp",      "text/AGerb.bmp",       "text/stena1013.bmp",   "text/AGerb.bmp",
    "text/stena008.bmp",   "text/AGerb.bmp",       "text/AGerb.bmp",       "text/AGerb.bmp",
    "text/AGerb.bmp",      "text/AGerb.bmp",       "text/AGerb.bmp",       "text/poll001.bmp",
    "text/AGerb.bmp",      "text/AGerb.bmp",       "text/astena103.bmp",   "text/voda001.bmp",
    "text/vitraj101.bmp",  "text/vitraj102.bmp",   "text/glaz.bmp",
};
const char* const WORLD2_TEXTURE_FILES[TEXTURE_SLOTS] = {
    "text/stena1011.bmp",  "text/stena104.bmp",    "text/stena106.bmp",    "text/poll201.bmp",
    "text/vitraj102.bmp",  "text/derevo203.bmp",   "text/vitraj102.bmp",   "text/derevo201.bmp",
    "text/nebo101.bmp",    "text/stena105.bmp",    "text/stena108.bmp",    "text/dusha001.bmp",
    "text/stena101.bmp",   "text/derevo202.bmp",   "text/stena102.bmp",    "text/vitraj101.bmp",
    "text/krisha101.bmp",  "text/vitraj102.bmp",   "text/vitraj102.bmp",   "text/vitraj102.bmp",
    "text/vitraj102.bmp",  "text/nebo102.bmp",     "text/nebo103.bmp",     "text/nebo104.bmp",
    "text/vitraj102.bmp",  "text/ff/index_03.bmp", "text/stena1013.bmp",   "text/ekran001.bmp",
    "text/vitraj101.bmp",  "text/vitraj102.bmp",   "text/glaz.bmp",
};
const char* const WORLD3_TEXTURE_FILES[TEXTURE_SLOTS] = {
    "text/stena014.bmp",   "text/stena002.bmp",    "text/ff/stena330t.bmp", "text/dusha001.bmp",
    "text/vitraj102.bmp",  "text/ff/001.bmp",      "text/ff/001.bmp",      "text/stena004.bmp",
    "text/stena005.bmp",   "text/stena006.bmp",    "text/stena007.bmp",    "text/dusha001.bmp",
    "text/dusha001.bmp",   "text/dusha001.bmp",    "text/ff/stena330t.bmp", "text/ff/stena330tt.bmp",
    "text/stena008.bmp",   "text/AGerb.bmp",       "text/AGerb.bmp",       "text/AGerb.bmp",
    "text/AGerb.bmp",      "text/nebo102.bmp",     "text/nebo103.bmp",     "text/nebo104.bmp",
    "text/AGerb.bmp",      "text/ff/index_03.bmp", "text/astena103.bmp",   "text/voda001.bmp",
    "text/vitraj101.bmp",  "text/vitraj102.bmp",   "text/glaz.bmp",
};
// clang-format on

const WorldRecord* world_record(int world) {
    if (world < 1 || world > WORLD_COUNT) return nullptr;
    return &world_table[world - 1];
}

void attach_world_functions(int world, void (*init)(), void (*step)(), void (*draw)()) {
    WorldRecord& r = world_table[world - 1];
    r.init = init;
    r.step = step;
    r.draw = draw;
}
