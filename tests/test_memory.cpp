// A thousand world changes must leave the process where it was: no image, level array,
// texture name or display list may pile up.
#include "app/window.h"
#include "assets/font.h"
#include "assets/level.h"
#include "assets/textures.h"
#include "nav/worlds.h"
#include "support.h"
#include "render/scene_setup.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
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
    worlds.needs_init[target - 1] = false;
    init_scene();
}

} // namespace

TEST(Memory, AThousandWorldChangesLeakNothing) {
    reset_everything();
    ASSERT_TRUE(start_windowed_program());
    // Each figure is the least seen over ten consecutive changes: the driver frees some
    // buffers from its own threads, a little later at times. It also enlarges one of its
    // pools once, by about 1 MB, some sixty changes in (on the main heap, so that this
    // program's own allocations cannot be told apart before it). After that nothing may
    // move: a leak of even 100 bytes a change would show as 80 kB over the last 800.
    const int targets[] = {1, 3, 1, 2};
    struct Window {
        int first;
        long resident = LONG_MAX;
        long heap = LONG_MAX;
    };
    Window windows[] = {{10}, {200}, {991}};
    for (int change = 1; change <= 1000; ++change) {
        change_world(targets[change % std::size(targets)]);
        for (Window& w : windows)
            if (change >= w.first && change < w.first + 10) {
                w.resident = std::min(w.resident, resident_kb());
                w.heap = std::min(w.heap, static_cast<long>(mallinfo2().uordblks));
            }
    }
    const Window &ten = windows[0], &settled = windows[1], &end = windows[2];
    printf("resident after 10 changes %ld kB, after 200 %+ld kB, after 1000 %+ld kB; heap in use from 200 to "
           "1000 %+ld bytes\n",
           ten.resident, settled.resident - ten.resident, end.resident - ten.resident, end.heap - settled.heap);
    EXPECT_LT(end.heap - settled.heap, 64 * 1024); // a leak grows; the driver may give back
    EXPECT_LT(end.resident - settled.resident, 256);
    EXPECT_LT(end.resident - ten.resident, 2048);

    // The driver hands out fresh names rather than reusing freed ones, so count the live
    // objects among every name given out so far: one texture set and one font.
    const GLuint highest_texture =
        *std::max_element(std::begin(textures.texture_names), std::end(textures.texture_names));
    int live_textures = 0, lists = 0;
    for (GLuint name = 1; name <= highest_texture; ++name) live_textures += glIsTexture(name) ? 1 : 0;
    for (GLuint name = 1; name < font_list_base + FONT_GLYPH_COUNT; ++name) lists += glIsList(name) ? 1 : 0;
    EXPECT_EQ(live_textures, TEXTURE_SLOTS);
    EXPECT_EQ(lists, FONT_GLYPH_COUNT);
    EXPECT_EQ(headless_message_boxes().size(), 1u);
    reset_everything();
}
