// Sound files: what plays is converted once to 16-bit stereo at the playing rate, and a
// damaged or oversized file is refused with its reason before it can cost much.
#include "platform/sound_file.h"
#include "support.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace {

struct WavSpec {
    unsigned encoding = 1;
    unsigned channels = 1;
    uint32_t rate = 22050;
    unsigned bits = 16;
    unsigned frame_bytes = 0; // 0: channels x bits / 8
    std::vector<unsigned char> data;
    uint32_t claimed_data = 0; // 0: the data's real size
};

void put16(std::vector<unsigned char>* out, unsigned v) {
    out->push_back(static_cast<unsigned char>(v));
    out->push_back(static_cast<unsigned char>(v >> 8));
}
void put32(std::vector<unsigned char>* out, uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}
void tag(std::vector<unsigned char>* out, const char* t) { out->insert(out->end(), t, t + 4); }

std::vector<unsigned char> wav(const WavSpec& s) {
    std::vector<unsigned char> out;
    tag(&out, "RIFF");
    put32(&out, static_cast<uint32_t>(36 + s.data.size()));
    tag(&out, "WAVE");
    tag(&out, "fmt ");
    put32(&out, 16);
    put16(&out, s.encoding);
    put16(&out, s.channels);
    put32(&out, s.rate);
    const unsigned frame = s.frame_bytes ? s.frame_bytes : s.channels * s.bits / 8;
    put32(&out, s.rate * frame);
    put16(&out, frame);
    put16(&out, s.bits);
    tag(&out, "data");
    put32(&out, s.claimed_data ? s.claimed_data : static_cast<uint32_t>(s.data.size()));
    out.insert(out.end(), s.data.begin(), s.data.end());
    return out;
}

std::vector<unsigned char> s16_samples(const std::vector<int>& values) {
    std::vector<unsigned char> out;
    for (int v : values) put16(&out, static_cast<unsigned>(v) & 0xFFFF);
    return out;
}

std::string refusal(const std::vector<unsigned char>& file) {
    std::vector<int16_t> samples = {1};
    std::string why;
    if (decode_wav(file.data(), file.size(), &samples, &why)) return "accepted";
    EXPECT_TRUE(samples.empty());
    return why;
}

bool contains(const std::string& text, const char* part) { return text.find(part) != std::string::npos; }

} // namespace

TEST(Sounds, ConvertsEveryPlayedLayoutToStereoAtThePlayingRate) {
    std::vector<int16_t> out;
    std::string why;

    // Mono 16-bit at half the rate: twice the frames, both sides alike, levels kept.
    WavSpec mono;
    mono.data = s16_samples({1000, 1000, 1000, -2000});
    auto file = wav(mono);
    ASSERT_TRUE(decode_wav(file.data(), file.size(), &out, &why)) << why;
    ASSERT_EQ(out.size(), 8u * SOUND_CHANNELS);
    EXPECT_EQ(out[0], 1000);
    EXPECT_EQ(out[1], 1000);
    EXPECT_EQ(out[2], 1000); // interpolated between equal samples
    EXPECT_EQ(out[12], -2000);
    EXPECT_EQ(out[15], -2000); // the last frame holds the last sample

    // Stereo 8-bit unsigned at the playing rate: sides kept apart, 128 is silence.
    WavSpec stereo8;
    stereo8.channels = 2;
    stereo8.bits = 8;
    stereo8.rate = SOUND_RATE;
    stereo8.data = {128, 255, 0, 128};
    file = wav(stereo8);
    ASSERT_TRUE(decode_wav(file.data(), file.size(), &out, &why)) << why;
    ASSERT_EQ(out.size(), 4u);
    EXPECT_EQ(out[0], 0);
    EXPECT_NEAR(out[1], 32511, 1);
    EXPECT_EQ(out[2], -32767);
    EXPECT_EQ(out[3], 0);

    // 24-bit with a negative sample, 32-bit float with out-of-range values and a NaN,
    // and six channels of which the first two play.
    WavSpec deep;
    deep.bits = 24;
    deep.rate = SOUND_RATE;
    deep.data = {0x00, 0x00, 0xC0}; // -0.5
    file = wav(deep);
    ASSERT_TRUE(decode_wav(file.data(), file.size(), &out, &why)) << why;
    EXPECT_NEAR(out[0], -16384, 1);

    WavSpec floats;
    floats.encoding = 3;
    floats.bits = 32;
    floats.rate = SOUND_RATE;
    for (uint32_t bits : {0x40000000u, 0x7FC00000u, 0xBF000000u}) put32(&floats.data, bits); // 2, NaN, -0.5
    file = wav(floats);
    ASSERT_TRUE(decode_wav(file.data(), file.size(), &out, &why)) << why;
    ASSERT_EQ(out.size(), 6u);
    EXPECT_EQ(out[0], 32767);
    EXPECT_EQ(out[2], 0);
    EXPECT_NEAR(out[4], -16384, 1);

    WavSpec six;
    six.channels = 6;
    six.rate = SOUND_RATE;
    six.data = s16_samples({100, -100, 5000, 5000, 5000, 5000});
    file = wav(six);
    ASSERT_TRUE(decode_wav(file.data(), file.size(), &out, &why)) << why;
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[0], 100);
    EXPECT_EQ(out[1], -100);
}

TEST(Sounds, DamagedAndOversizedFilesAreRefusedWithTheirReason) {
    WavSpec ok;
    ok.data = s16_samples({1, 2, 3, 4});
    const auto good = wav(ok);

    EXPECT_TRUE(contains(refusal({}), "not a WAV file"));
    std::vector<unsigned char> noise(4096);
    srand(7);
    for (unsigned char& b : noise) b = static_cast<unsigned char>(rand());
    EXPECT_TRUE(contains(refusal(noise), "not a WAV file"));

    // Cut short inside the header, and inside the samples.
    EXPECT_TRUE(contains(refusal(std::vector<unsigned char>(good.begin(), good.begin() + 30)), "format chunk"));
    EXPECT_TRUE(contains(refusal(std::vector<unsigned char>(good.begin(), good.end() - 3)), "claims 8 bytes but 5"));

    // A data chunk that claims 4 GB and holds 1 KB: refused before anything is allocated.
    WavSpec liar;
    liar.data.assign(1024, 0);
    liar.claimed_data = 0xFFFFFFF0u;
    EXPECT_TRUE(contains(refusal(wav(liar)), "claims 4294967280 bytes"));

    WavSpec bad = ok;
    bad.channels = 0;
    bad.frame_bytes = 2;
    EXPECT_TRUE(contains(refusal(wav(bad)), "0 channels"));
    bad = ok;
    bad.channels = 255;
    EXPECT_TRUE(contains(refusal(wav(bad)), "255 channels"));
    bad = ok;
    bad.bits = 7;
    bad.frame_bytes = 1;
    EXPECT_TRUE(contains(refusal(wav(bad)), "7 bits"));
    bad = ok;
    bad.encoding = 2; // ADPCM
    bad.bits = 4;
    EXPECT_TRUE(contains(refusal(wav(bad)), "format 2"));
    bad = ok;
    bad.frame_bytes = 3;
    EXPECT_TRUE(contains(refusal(wav(bad)), "frame size"));
    bad = ok;
    bad.data.clear();
    EXPECT_TRUE(contains(refusal(wav(bad)), "no samples"));

    // 20 KB declared at 1 frame a second would last five and a half hours.
    WavSpec slow;
    slow.rate = 1;
    slow.data.assign(20000, 0);
    EXPECT_TRUE(contains(refusal(wav(slow)), "outside 1000 to 192000"));
    // A valid sound too long to convert: 20 s at 8 kHz (320 KB here, no size limit met).
    WavSpec long_sound;
    long_sound.rate = 8000;
    long_sound.data.assign(8000 * 2 * 20, 0);
    EXPECT_TRUE(contains(refusal(wav(long_sound)), "lasts 20 s"));
    // Beyond the file limit nothing of it is looked at.
    std::vector<unsigned char> huge(SOUND_MAX_FILE_BYTES + 1, 0);
    EXPECT_TRUE(contains(refusal(huge), "MB a sound file may have"));
}

TEST(Sounds, FilesThatCannotBeReadAreNamedAndTheProgramGoesOn) {
    std::vector<int16_t> out;
    std::string why;
    char dir[] = "/tmp/zeb-sounds-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    const std::string empty = std::string(dir) + "/empty.wav";
    fclose(fopen(empty.c_str(), "wb"));
    // A FIFO nobody writes to: refused at once, not waited on.
    const std::string fifo = std::string(dir) + "/fifo.wav";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& path : {std::string(dir), empty, fifo, std::string(dir) + "/missing.wav"}) {
        EXPECT_FALSE(read_sound_file(path.c_str(), &out, &why)) << path;
        EXPECT_TRUE(contains(why, "cannot be read")) << path;
    }
    EXPECT_EQ(sound_refusal_line("text/Shot.wav", "it holds no samples"),
              "zeb: sound text/Shot.wav will not be played: it holds no samples");
    unlink(empty.c_str());
    unlink(fifo.c_str());
    rmdir(dir);

    // The program's own sounds all load before the first frame.
    reset_everything();
    ASSERT_TRUE(start_windowed_program());
    EXPECT_EQ(headless_loaded_sounds().size(), 3u);
    EXPECT_TRUE(headless_refused_sounds().empty());
}
