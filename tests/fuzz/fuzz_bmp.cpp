// libFuzzer target: the bitmap reader must refuse or decode any bytes without touching
// memory it does not own.
#include "assets/bmp.h"
#include "platform/headless.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    headless_reset(); // the recorded message boxes would pile up over millions of runs
    const char* error = nullptr;
    RgbImage* image = decode_dib(data, size, &error);
    if (image) {
        // Touch every output byte so a short buffer shows.
        volatile unsigned sum = 0;
        for (size_t i = 0; i < static_cast<size_t>(image->width) * image->height * 3; ++i) sum = sum + image->data[i];
    }
    free_rgb_image(image);
    return 0;
}
