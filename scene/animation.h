// Time-driven movement of the scene, advanced once per rendered frame: three
// triangle-wave oscillators and the swing of the town's hanging signs.
#pragma once

#include <cstdint>

// Which way a triangle wave is going.
struct WaveDirection {
    bool rising = true;
    bool falling = false;
};

struct AnimationState {
    float bob_offset = 0; // 0 to 0.05: hovering objects, the light, the targets' sway
    float wave_a = 0;     // -0.5 to 0.5: the waving glow quad of world 1
    float wave_b = 0;     // 0 to 0.5: its rise
    WaveDirection bob_direction;
    WaveDirection wave_a_direction;
    WaveDirection wave_b_direction;
    float sign_swing_angle = 0; // degrees, kept near -50..50
    bool swing_new_run = true;  // the next frame draws a new run
    int32_t swing_run_pick = 0; // below 35 the run swings towards +50
    int32_t swing_run_frames = 0;
};
extern AnimationState animation;
void reset_animations();

// One step of a triangle wave: it turns at the top within the step and rests a step at
// the bottom.
void step_triangle_wave(float* value, WaveDirection* direction, float top, float bottom, float step);
void update_oscillators(); // wave_b, then wave_a
void update_bob();
void update_sign_swing();
