// A thousand world changes must leave the process where it was: no image, level array,
// texture name or display list may pile up.
#include "app/window.h"
#include "assets/font.h"
#include "assets/level.h"
#include "assets/textures.h"
#include "nav/worlds.h"
#include "support.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iterator>

#include <malloc.h>
#include <unistd.h>

namespace {

// Resident memory once the allocator has given back what it holds free.
long resident_kb() {
    malloc_trim(0);
    long pages = 0, resident = 0;
    FILE* f = fopen("/proc/self/statm", "r");
    if (!f) return -1;
    const int read = fscanf(f, "%ld %ld", &pages, &resident);
    fclose(f);
    return read == 2 ? resident * (sysconf(_SC_PAGESIZE) / 1024) : -1;
}

// What a world's block does on the first frame after a switch.
void change_world(int target) {
    switch_world(target, target == 1 ? 3.5f : 1.5f);
    needs_init[target - 1] = false;
    init_scene();
}

} // namespace

TEST(Memory, AThousandWorldChangesLeakNothing) {
    reset_everything();
    ASSERT_TRUE(start_windowed_program());
    const int targets[] = {1, 3, 1, 2}; // changes 10 and 1000 both end in world 1
    long settled_resident = 0;
    size_t settled_heap = 0;
    for (int change = 1; change <= 1000; ++change) {
        change_world(targets[change % std::size(targets)]);
        if (change == 10) {
            settled_resident = resident_kb();
            settled_heap = mallinfo2().uordblks;
        }
    }
    const long grown = resident_kb() - settled_resident;
    const long heap_grown = static_cast<long>(mallinfo2().uordblks) - static_cast<long>(settled_heap);
    printf("after 10 changes: resident %ld kB; after 1000: resident %+ld kB, heap in use %+ld bytes\n",
           settled_resident, grown, heap_grown);
    // Everything this program allocates lives on the main heap: it must come back to
    // where it was. The driver's rasteriser threads keep arenas of their own, one of
    // which grows once by about 1 MB (seen near the 65th change) and then stays put.
    EXPECT_LT(std::labs(heap_grown), 64 * 1024);
    EXPECT_LT(grown, 2048);

    // The driver hands out fresh names rather than reusing freed ones, so count the live
    // objects among every name given out so far: one texture set and one font.
    const GLuint highest_texture = *std::max_element(std::begin(texture_names), std::end(texture_names));
    int textures = 0, lists = 0;
    for (GLuint name = 1; name <= highest_texture; ++name) textures += glIsTexture(name) ? 1 : 0;
    for (GLuint name = 1; name < font_list_base + FONT_GLYPH_COUNT; ++name) lists += glIsList(name) ? 1 : 0;
    EXPECT_EQ(textures, TEXTURE_SLOTS);
    EXPECT_EQ(lists, FONT_GLYPH_COUNT);
    EXPECT_EQ(headless_message_boxes().size(), 1u);
    reset_everything();
}
