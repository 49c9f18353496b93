#include "wav_writer.h"

#include "byte_file.h"

#include <cerrno>
#include <cmath>
#include <cstdint>

bool write_wav16(const std::string& path, const std::vector<double>& samples, int sample_rate) {
    if (sample_rate <= 0 || samples.size() > 0x3FFFFFF0u / 2) {
        errno = EINVAL;
        return false;
    }
    const uint32_t data_size = static_cast<uint32_t>(samples.size() * 2);
    const uint32_t rate = static_cast<uint32_t>(sample_rate);
    std::vector<unsigned char> out;
    out.reserve(44 + data_size);
    put_tag(out, "RIFF");
    put_u32(out, 36 + data_size);
    put_tag(out, "WAVE");
    put_tag(out, "fmt ");
    put_u32(out, 16);
    put_u16(out, 1); // PCM
    put_u16(out, 1); // mono
    put_u32(out, rate);
    put_u32(out, rate * 2); // bytes per second
    put_u16(out, 2);        // bytes per frame
    put_u16(out, 16);       // bits per sample
    put_tag(out, "data");
    put_u32(out, data_size);
    for (double s : samples) {
        const double clipped = s < -1.0 ? -1.0 : (s > 1.0 ? 1.0 : s);
        const long value = static_cast<long>(std::floor(clipped * 32767.0 + 0.5));
        put_u16(out, static_cast<uint16_t>(static_cast<int16_t>(value)));
    }
    return write_file(path, out);
}
