#include "sound_file.h"

#include "platform.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

constexpr int MIN_RATE = 1000;
constexpr int MAX_RATE = 192000;
constexpr int MAX_CHANNELS = 8;
constexpr unsigned FORMAT_PCM = 1;
constexpr unsigned FORMAT_FLOAT = 3;
constexpr unsigned FORMAT_EXTENSIBLE = 0xFFFE;

unsigned read_u16(const unsigned char* p) { return static_cast<unsigned>(p[0] | (p[1] << 8)); }
uint32_t read_u32(const unsigned char* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
           (static_cast<uint32_t>(p[3]) << 24);
}

struct WavFormat {
    unsigned encoding; // FORMAT_PCM or FORMAT_FLOAT once checked
    int channels;
    int rate;
    int bits;
    int frame_bytes;
};

bool refuse(std::string* why, std::string text) {
    *why = std::move(text);
    return false;
}

bool read_format(const unsigned char* body, uint32_t length, WavFormat* format, std::string* why) {
    if (length < 16) return refuse(why, "its format chunk is damaged");
    unsigned encoding = read_u16(body);
    // The extensible header names the real encoding in the first bytes of its GUID.
    if (encoding == FORMAT_EXTENSIBLE) {
        if (length < 40) return refuse(why, "its format chunk is damaged");
        encoding = read_u16(body + 24);
    }
    const unsigned channels = read_u16(body + 2);
    const uint32_t rate = read_u32(body + 4);
    const unsigned frame_bytes = read_u16(body + 12);
    const unsigned bits = read_u16(body + 14);
    if (encoding != FORMAT_PCM && encoding != FORMAT_FLOAT)
        return refuse(why, "its encoding (format " + std::to_string(encoding) + ") is not plain PCM");
    if (channels < 1 || channels > MAX_CHANNELS)
        return refuse(why, "it has " + std::to_string(channels) + " channels (1 to 8 play)");
    const bool bits_ok = encoding == FORMAT_FLOAT ? bits == 32 : (bits == 8 || bits == 16 || bits == 24 || bits == 32);
    if (!bits_ok)
        return refuse(why, "its samples have " + std::to_string(bits) + " bits (" +
                               (encoding == FORMAT_FLOAT ? "32 play as float)" : "8, 16, 24 or 32 play)"));
    if (rate < MIN_RATE || rate > MAX_RATE)
        return refuse(why, "its rate of " + std::to_string(rate) + " frames a second is outside 1000 to 192000");
    if (frame_bytes != channels * bits / 8)
        return refuse(why, "its frame size of " + std::to_string(frame_bytes) + " bytes does not fit " +
                               std::to_string(channels) + " channels of " + std::to_string(bits) + " bits");
    *format = WavFormat{encoding, static_cast<int>(channels), static_cast<int>(rate), static_cast<int>(bits),
                        static_cast<int>(frame_bytes)};
    return true;
}

// One sample as -1..1.
float sample_at(const unsigned char* p, const WavFormat& format) {
    if (format.encoding == FORMAT_FLOAT) {
        float value = 0;
        const uint32_t raw = read_u32(p);
        std::memcpy(&value, &raw, sizeof value);
        return std::isfinite(value) ? std::clamp(value, -1.0f, 1.0f) : 0.0f;
    }
    switch (format.bits) {
    case 8:
        return static_cast<float>(static_cast<int>(p[0]) - 128) / 128.0f;
    case 16:
        return static_cast<float>(static_cast<int16_t>(read_u16(p))) / 32768.0f;
    case 24: {
        const int32_t raw = p[0] | (p[1] << 8) | (p[2] << 16);
        return static_cast<float>(raw >= 0x800000 ? raw - 0x1000000 : raw) / 8388608.0f;
    }
    default:
        return static_cast<float>(static_cast<double>(static_cast<int32_t>(read_u32(p))) / 2147483648.0);
    }
}

// A frame as left and right: a mono sound plays on both sides; beyond two channels the
// first two are the front pair.
void frame_at(const unsigned char* data, size_t frame, const WavFormat& format, float* left, float* right) {
    const unsigned char* p = data + frame * static_cast<size_t>(format.frame_bytes);
    const int sample_bytes = format.bits / 8;
    *left = sample_at(p, format);
    *right = format.channels > 1 ? sample_at(p + sample_bytes, format) : *left;
}

int16_t to_s16(float value) {
    return static_cast<int16_t>(std::lround(std::clamp(value * 32767.0f, -32768.0f, 32767.0f)));
}

} // namespace

bool decode_wav(const unsigned char* data, size_t size, std::vector<int16_t>* samples, std::string* why) {
    samples->clear();
    if (size > SOUND_MAX_FILE_BYTES)
        return refuse(why, "it has " + std::to_string(size) + " bytes, more than the " +
                               std::to_string(SOUND_MAX_FILE_BYTES >> 20) + " MB a sound file may have");
    if (size < 12 || std::memcmp(data, "RIFF", 4) != 0 || std::memcmp(data + 8, "WAVE", 4) != 0)
        return refuse(why, "it is not a WAV file");
    WavFormat format = {};
    bool have_format = false;
    const unsigned char* sound = nullptr;
    size_t sound_bytes = 0;
    // Chunk sizes are checked against what the file holds before they are used.
    for (size_t at = 12; at + 8 <= size;) {
        const unsigned char* id = data + at;
        const uint32_t length = read_u32(data + at + 4);
        const size_t body = at + 8;
        const size_t left = size - body;
        if (std::memcmp(id, "data", 4) == 0) {
            if (!have_format) return refuse(why, "its samples come before their format");
            if (length > left)
                return refuse(why, "its data chunk claims " + std::to_string(length) + " bytes but " +
                                       std::to_string(left) + " follow");
            sound = data + body;
            sound_bytes = length;
            break;
        }
        if (std::memcmp(id, "fmt ", 4) == 0) {
            if (length > left) return refuse(why, "its format chunk is damaged");
            if (!read_format(data + body, length, &format, why)) return false;
            have_format = true;
        }
        if (length > left) break; // a damaged chunk after the format: no data follows
        at = body + length + (length & 1);
    }
    if (!have_format) return refuse(why, "it has no format chunk");
    if (!sound) return refuse(why, "it has no data chunk");
    const size_t frames = sound_bytes / static_cast<size_t>(format.frame_bytes);
    if (frames == 0) return refuse(why, "it holds no samples");
    const double seconds = static_cast<double>(frames) / format.rate;
    if (seconds > SOUND_MAX_SECONDS) {
        char text[96];
        snprintf(text, sizeof text, "it lasts %.0f s, more than the %.0f s a sound may last", seconds,
                 SOUND_MAX_SECONDS);
        return refuse(why, text);
    }

    // Linear interpolation to the playing rate; the length bounds this at 10 s of output.
    const size_t out_frames =
        static_cast<size_t>((static_cast<uint64_t>(frames) * SOUND_RATE + format.rate - 1) / format.rate);
    samples->resize(out_frames * SOUND_CHANNELS);
    const double step = static_cast<double>(format.rate) / SOUND_RATE;
    for (size_t i = 0; i < out_frames; ++i) {
        const double position = static_cast<double>(i) * step;
        const size_t first = std::min(static_cast<size_t>(position), frames - 1);
        const size_t second = std::min(first + 1, frames - 1);
        const float weight = static_cast<float>(position - static_cast<double>(first));
        float l0 = 0, r0 = 0, l1 = 0, r1 = 0;
        frame_at(sound, first, format, &l0, &r0);
        frame_at(sound, second, format, &l1, &r1);
        (*samples)[i * 2] = to_s16(l0 + (l1 - l0) * weight);
        (*samples)[i * 2 + 1] = to_s16(r0 + (r1 - r0) * weight);
    }
    return true;
}

bool read_sound_file(const char* path, std::vector<int16_t>* samples, std::string* why) {
    samples->clear();
    MappedFile file;
    if (!platform_map_file(path, &file)) return refuse(why, "it cannot be read (missing, empty or not a file)");
    const bool ok = decode_wav(file.data, file.size, samples, why);
    platform_unmap_file(&file);
    return ok;
}

std::string sound_refusal_line(const char* path, const std::string& why) {
    return std::string("zeb: sound ") + (path ? path : "") + " will not be played: " + why;
}
