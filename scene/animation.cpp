#include "animation.h"

#include "scene/random.h"

AnimationState animation;

void reset_animations() { animation = AnimationState{}; }

namespace {

constexpr float BOB_TOP = 0.05f, BOB_STEP = 0.0005f;
constexpr float WAVE_B_TOP = 0.5f, WAVE_A_TOP = 0.5f, WAVE_A_BOTTOM = -0.5f, WAVE_STEP = 0.003f;

constexpr float SWING_LIMIT = 50, SWING_STEP = 0.5f;
constexpr int SWING_RUNS = 50, SWING_POSITIVE_RUNS = 35; // 35 of 50 runs swing towards +50

} // namespace

void step_triangle_wave(float* value, WaveDirection* d, float top, float bottom, float step) {
    if (d->rising) {
        d->falling = false;
        if (*value >= top) d->falling = true;
        else *value += step;
    }
    if (d->falling) {
        d->rising = false;
        if (*value > bottom) *value -= step;
        else d->rising = true;
    }
}

void update_oscillators() {
    step_triangle_wave(&animation.wave_b, &animation.wave_b_direction, WAVE_B_TOP, 0, WAVE_STEP);
    step_triangle_wave(&animation.wave_a, &animation.wave_a_direction, WAVE_A_TOP, WAVE_A_BOTTOM, WAVE_STEP);
}

void update_bob() { step_triangle_wave(&animation.bob_offset, &animation.bob_direction, BOB_TOP, 0, BOB_STEP); }

void update_sign_swing() {
    if (animation.swing_new_run) {
        const int r = random_next() % SWING_RUNS;
        animation.swing_run_pick = r;
        animation.swing_run_frames = r;
        animation.swing_new_run = false;
    }
    if (animation.swing_run_pick < SWING_POSITIVE_RUNS) {
        if (animation.sign_swing_angle < SWING_LIMIT) animation.sign_swing_angle += SWING_STEP;
        else animation.sign_swing_angle -= SWING_STEP;
    } else {
        if (animation.sign_swing_angle > -SWING_LIMIT) animation.sign_swing_angle -= SWING_STEP;
        else animation.sign_swing_angle += SWING_STEP;
    }
    animation.swing_run_frames -= 1;
    if (animation.swing_run_frames < 0) animation.swing_new_run = true;
}
