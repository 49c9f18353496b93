// libFuzzer target: the sound reader on any bytes. What it accepts is a whole number of
// stereo frames no longer than the limit allows.
#include "platform/sound_file.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<int16_t> samples;
    std::string why;
    if (decode_wav(data, size, &samples, &why)) {
        const size_t most = static_cast<size_t>(SOUND_MAX_SECONDS * SOUND_RATE + 1) * SOUND_CHANNELS;
        if (samples.empty() || samples.size() % SOUND_CHANNELS != 0 || samples.size() > most) abort();
    } else if (why.empty() || !samples.empty()) {
        abort();
    }
    return 0;
}
