// libFuzzer target: the level loader on any text, through a memory stream.
#include "assets/level.h"
#include "platform/headless.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    headless_reset(); // the recorded message boxes would pile up over millions of runs
    if (size == 0) return 0;
    FILE* stream = fmemopen(const_cast<uint8_t*>(data), size, "r");
    if (!stream) return 0;
    load_level_from(stream, "fuzz.txt");
    fclose(stream);
    volatile float sum = 0;
    for (int i = 0; i < level_mesh.count; ++i) sum = sum + level_mesh.triangles[i].vertex[2].v;
    free_level();
    return 0;
}
