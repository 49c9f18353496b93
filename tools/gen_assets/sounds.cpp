#include "sounds.h"

#include "procedural.h"

#include <cmath>
#include <cstddef>

namespace {

constexpr int RATE = 22050;
constexpr double PEAK = 0.8; // about -2 dBFS: headroom for the mixer

// One-pole low-pass; the cut-off may change every sample.
struct LowPass {
    double state = 0.0;
    double operator()(double in, double cutoff_hz) {
        state += (1.0 - det_exp(-2.0 * PI * cutoff_hz / RATE)) * (in - state);
        return state;
    }
};

// Removes the slow drift filtered noise can leave, which would click at the fades.
void block_dc(std::vector<double>& s) {
    double previous_in = 0.0, previous_out = 0.0;
    const double keep = 1.0 - 2.0 * PI * 20.0 / RATE;
    for (double& x : s) {
        const double out = x - previous_in + keep * previous_out;
        previous_in = x;
        previous_out = out;
        x = out;
    }
}

// Scales to PEAK and applies raised-cosine fades, so both ends start and stop at zero.
Sound finish(std::vector<double> s, double fade_in_seconds, double fade_out_seconds) {
    block_dc(s);
    double peak = 0.0;
    for (double x : s) peak = std::fmax(peak, std::fabs(x));
    if (peak > 0.0)
        for (double& x : s) x *= PEAK / peak;
    const size_t fade_in = static_cast<size_t>(fade_in_seconds * RATE);
    const size_t fade_out = static_cast<size_t>(fade_out_seconds * RATE);
    for (size_t i = 0; i < fade_in && i < s.size(); ++i)
        s[i] *= 0.5 - 0.5 * det_cos(PI * static_cast<double>(i) / static_cast<double>(fade_in));
    for (size_t i = 0; i < fade_out && i < s.size(); ++i)
        s[s.size() - 1 - i] *= 0.5 - 0.5 * det_cos(PI * static_cast<double>(i) / static_cast<double>(fade_out));
    Sound sound;
    sound.sample_rate = RATE;
    sound.samples = std::move(s);
    return sound;
}

size_t samples_for(double seconds) { return static_cast<size_t>(seconds * RATE); }

double advance(double phase, double hz) {
    phase += 2.0 * PI * hz / RATE;
    return phase >= 2.0 * PI ? phase - 2.0 * PI : phase;
}

} // namespace

Sound make_shot() {
    std::vector<double> s(samples_for(0.25));
    Rng rng(0x5107);
    LowPass body_filter, tail_filter;
    double thump_phase = 0.0;
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / RATE;
        const double noise = rng.signed_unit();
        const double crack = noise * det_exp(-t / 0.006);
        const double body = body_filter(noise, 2600.0) * det_exp(-t / 0.035);
        const double tail = tail_filter(noise, 800.0) * det_exp(-t / 0.08);
        thump_phase = advance(thump_phase, 55.0 + 120.0 * det_exp(-t / 0.025));
        const double thump = det_sin(thump_phase) * det_exp(-t / 0.045);
        s[i] = 0.7 * crack + 1.5 * body + 2.2 * tail + 0.6 * thump;
    }
    return finish(std::move(s), 0.0015, 0.03);
}

Sound make_explosion() {
    std::vector<double> s(samples_for(1.2));
    Rng rng(0xB00);
    LowPass rumble_a, rumble_b, crack_filter;
    double boom_phase = 0.0;
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / RATE;
        const double noise = rng.signed_unit();
        const double attack = 1.0 - det_exp(-t / 0.003);
        // The rumble darkens as it dies away; a slow random flutter makes it roll.
        const double cutoff = 140.0 + 1500.0 * det_exp(-t / 0.12);
        const double flutter = 0.6 + 0.4 * tile_noise(t / 1.2, 0.0, 30, 1, 0xB01);
        const double rumble =
            rumble_b(rumble_a(noise, cutoff), cutoff) * (0.7 * det_exp(-t / 0.3) + 0.3 * det_exp(-t / 0.8)) * flutter;
        const double crack = (noise - crack_filter(noise, 1500.0)) * det_exp(-t / 0.02);
        boom_phase = advance(boom_phase, 36.0 + 55.0 * det_exp(-t / 0.12));
        const double boom = det_sin(boom_phase) * det_exp(-t / 0.3);
        s[i] = attack * (9.0 * rumble + 0.35 * crack + 0.9 * boom);
    }
    return finish(std::move(s), 0.002, 0.12);
}

Sound make_engine() {
    constexpr double LENGTH = 2.0;
    std::vector<double> s(samples_for(LENGTH));
    Rng rng(0xA710);
    LowPass noise_a, noise_b;
    double phase_a = 0.0, phase_b = 0.0, throb_phase = 0.0;
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / RATE;
        const double x = t / LENGTH;
        const double engine_hz = 62.0 + 50.0 * smoothstep(0.0, 1.0, x);
        phase_a = advance(phase_a, engine_hz);
        phase_b = advance(phase_b, engine_hz * 1.007);       // a second cylinder bank, beating slowly
        throb_phase = advance(throb_phase, engine_hz / 4.5); // propeller blades passing
        double tone = 0.0;
        for (int k = 1; k <= 10; ++k) {
            const double weight = (k & 1 ? 1.0 : 0.55) / k;
            tone += weight * (det_sin(k * phase_a) + 0.6 * det_sin(k * phase_b + 0.7 * k));
        }
        const double noise = noise_b(noise_a(rng.signed_unit(), 500.0), 500.0); // exhaust roar
        const double pulse = 0.5 + 0.5 * det_sin(throb_phase);
        const double throb = 0.45 + 0.55 * pulse * pulse;
        // Swells in, peaks a little past the middle, dies away.
        const double swell = det_sin(PI * (0.583 * x + 0.417 * x * x));
        s[i] = swell * swell * throb * (0.5 * tone + 2.5 * noise);
    }
    return finish(std::move(s), 0.01, 0.01);
}
