#include "animations.h"

#include "scene/random.h"
#include "assets/textures.h"
#include "nav/player.h"
#include "nav/worlds.h"
#include "platform/platform.h"
#include "render/frame.h"
#include "scene/blocks.h"

#include <GL/gl.h>

#include <iterator>

AnimationState animation;

void reset_animations() { animation = AnimationState{}; }

namespace {

constexpr float BOB_TOP = 0.05f, BOB_STEP = 0.0005f;
constexpr float WAVE_B_TOP = 0.5f, WAVE_A_TOP = 0.5f, WAVE_A_BOTTOM = -0.5f, WAVE_STEP = 0.003f;

constexpr int LIFT_FAST_FRAMES = 14; // frames 1 to 13 rise fast
constexpr int LIFT_END_FRAME = 100;
constexpr float LIFT_FAST_RISE = 0.05f, LIFT_SLOW_RISE = 0.016f;
constexpr int BOOST_END_FRAME = 14;
constexpr float BOOST_RISE = 0.03f;

constexpr float GATE_SINK_STEP = 0.05f;
constexpr float GATE_STOP = -0.2f; // a triggered gate sinks until it is no longer above this
constexpr float WORLD3_GATE_TOP = 4, WORLD2_GATE_TOP = 2, WORLD2_GATE_BOTTOM = -0.4f;

constexpr float SWING_LIMIT = 50, SWING_STEP = 0.5f;
constexpr int SWING_RUNS = 50, SWING_POSITIVE_RUNS = 35; // 35 of 50 runs swing towards +50

enum class GateShape { Wide, Narrow };

struct GateUnitPlacement {
    PositionBox trigger;
    float switch_x, switch_y, switch_z; // cube centre; animation.bob_offset is added to its height
    GateShape shape;
    float gate_x, gate_y, gate_z;
    float turn; // degrees about y
};

constexpr float NO_BOUND = 1e30f;
// clang-format off
constexpr GateUnitPlacement GATE_UNIT_TABLE[GATE_UNITS] = {
    //  trigger box (x, z, eye)                                    switch cube          gate                            turn
    {{ 11.0f,  12.0f, -23.0f, -22.0f, -NO_BOUND, NO_BOUND}, 11.5f, 1.2f, -22.5f, GateShape::Wide,   -7.1f,  1.0f, -11.0f,   -90},
    {{  6.0f,   6.5f, -NO_BOUND, -22.0f, -NO_BOUND, NO_BOUND}, 6.5f, 1.2f, -22.5f, GateShape::Wide,    7.5f,  1.0f, -11.0f,   -90},
    {{-13.5f, -13.0f, -11.5f, -10.5f, -NO_BOUND, NO_BOUND}, -13.0f, 1.7f, -11.5f, GateShape::Wide,  -14.0f,  1.0f, -11.0f,   -90},
    {{-17.0f, -16.0f, -12.0f, -11.0f, -NO_BOUND, NO_BOUND}, -16.5f, 1.7f, -11.5f, GateShape::Wide,   23.5f,  1.0f, -17.5f,   -90},
    {{ 22.0f,  23.0f, -23.0f, -22.0f, -NO_BOUND, NO_BOUND}, 22.5f, 1.2f, -22.5f, GateShape::Narrow, 22.0f, -2.5f, -20.48f,   0},
};
// clang-format on
static_assert(std::size(GATE_UNIT_TABLE) == GATE_UNITS);

// One face of the switch cube: the whole texture on a square at z = +h, turned into place.
void cube_face(float h) {
    glTexCoord2f(0, 0);
    glVertex3f(-h, -h, h);
    glTexCoord2f(1, 0);
    glVertex3f(h, -h, h);
    glTexCoord2f(1, 1);
    glVertex3f(h, h, h);
    glTexCoord2f(0, 1);
    glVertex3f(-h, h, h);
}

// The slab of a switch gate: front, top and back faces from x = left to x = 1, the
// texture stretched over each whatever the height.
void draw_gate_slab(float left, float h) {
    Placement block;
    bind_slot(25);
    glBegin(GL_TRIANGLES);
    emit_face({left, -1, 0, 1, h, 0.2f}, FACE_NEG_Z);
    // top face, y = h
    emit_triangle({1, h, 0.2f}, 0, 0, {left, h, 0}, 1, 1, {left, h, 0.2f}, 1, 0);
    emit_triangle({1, h, 0.2f}, 0, 0, {1, h, 0}, 0, 1, {left, h, 0}, 1, 1);
    // back face, z = 0.2
    emit_triangle({1, -1, 0.2f}, 0, 0, {1, h, 0.2f}, 0, 1, {left, h, 0.2f}, 1, 1);
    emit_triangle({1, -1, 0.2f}, 0, 0, {left, h, 0.2f}, 1, 1, {left, -1, 0.2f}, 1, 0);
    glEnd();
}

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

void update_lift() {
    LiftSequence& l = lift;
    if (l.lift_active) {
        l.boost_ready = false;
        l.lift_frame += 1;
        if (l.lift_frame < LIFT_FAST_FRAMES) player.eye_height += LIFT_FAST_RISE;
        if (l.lift_frame == 1) platform_play_sound(LIFT_SOUND);
        if (l.lift_frame >= LIFT_FAST_FRAMES && l.lift_frame < LIFT_END_FRAME) player.eye_height += LIFT_SLOW_RISE;
        if (l.lift_frame == LIFT_END_FRAME) {
            l.lift_active = false;
            l.boost_ready = true;
            l.lift_frame = 0;
        }
    }
    if (l.boost_ready && l.boost_active) {
        l.boost_frame += 1;
        if (l.boost_frame < BOOST_END_FRAME) player.eye_height += BOOST_RISE;
        if (l.boost_frame == BOOST_END_FRAME) {
            l.boost_active = false;
            l.boost_frame = 0;
        }
    }
}

void update_and_draw_gate_units() {
    for (int u = 0; u < GATE_UNITS; ++u) {
        const GateUnitPlacement& p = GATE_UNIT_TABLE[u];
        GateUnit& unit = gates.gate_units[u];
        if (player_inside(p.trigger)) unit.gate_triggered = true;
        if (unit.gate_triggered && unit.gate_height > GATE_STOP) unit.gate_height -= GATE_SINK_STEP;

        {
            Placement block;
            glTranslatef(p.switch_x, p.switch_y + animation.bob_offset, p.switch_z);
            glRotatef(frame_state.spin_angle, 0, 1, 0);
            draw_switch_cube();
        }
        Placement block;
        glTranslatef(p.gate_x, p.gate_y, p.gate_z);
        if (p.turn != 0) glRotatef(p.turn, 0, 1, 0);
        if (p.shape == GateShape::Wide) draw_switch_gate(unit.gate_height);
        else draw_switch_gate_narrow(unit.gate_height);
    }
}

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

void raise_gates() {
    if (gates.gate_wide_top < WORLD2_GATE_TOP) gates.gate_wide_top += GATE_SINK_STEP;
    if (gates.gate_corner_top < WORLD2_GATE_TOP) gates.gate_corner_top += GATE_SINK_STEP;
    for (GateUnit& unit : gates.gate_units)
        if (unit.gate_height < WORLD3_GATE_TOP) unit.gate_height += GATE_SINK_STEP;
}

void lower_gates() {
    if (gates.gate_wide_top > WORLD2_GATE_BOTTOM) gates.gate_wide_top -= GATE_SINK_STEP;
    if (gates.gate_corner_top > WORLD2_GATE_BOTTOM) gates.gate_corner_top -= GATE_SINK_STEP;
    for (GateUnit& unit : gates.gate_units)
        if (unit.gate_height > GATE_STOP) unit.gate_height -= GATE_SINK_STEP;
}

void draw_switch_cube() {
    constexpr float H = 0.1f;
    bind_slot(10);
    glBegin(GL_QUADS);
    cube_face(H);
    cube_face(0.101f); // a second front face just outside the first
    glEnd();
    // The other five faces: the front face turned to -z, +y, -y, +x and -x.
    const float turns[5][4] = {{180, 0, 1, 0}, {-90, 1, 0, 0}, {90, 1, 0, 0}, {90, 0, 1, 0}, {-90, 0, 1, 0}};
    for (const auto& t : turns) {
        bind_slot(0);
        glPushMatrix();
        glRotatef(t[0], t[1], t[2], t[3]);
        glBegin(GL_QUADS);
        cube_face(H);
        glEnd();
        glPopMatrix();
    }
}

void draw_switch_gate(float height) { draw_gate_slab(-2, height); }
void draw_switch_gate_narrow(float height) { draw_gate_slab(0, height); }
