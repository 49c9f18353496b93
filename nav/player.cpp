#include "player.h"

#include "nav/worlds.h"
#include "platform/platform.h"

#include <cmath>

const float DEG_TO_RAD = 3.14159265f / 180.0f;

namespace {

constexpr int LIFT_FAST_FRAMES = 14; // frames 1 to 13 rise fast
constexpr int LIFT_END_FRAME = 100;
constexpr float LIFT_FAST_RISE = 0.05f, LIFT_SLOW_RISE = 0.016f;
constexpr int BOOST_END_FRAME = 14;
constexpr float BOOST_RISE = 0.03f;
constexpr float DESCENT_STEP = 0.02f, DESCENT_FLOOR = 0.1f;

// A step of `share` x MOVE_STEP along the heading turned by `turn` degrees; the sign
// picks forward (-1: towards where heading 0 looks) or the other way.
void step(float turn, float sign, float share) {
    const float h = (player.heading + turn) * DEG_TO_RAD;
    const float length = MOVE_STEP * share; // a share of 1 leaves MOVE_STEP as it is
    player.x += sign * std::sin(h) * length;
    player.z += sign * std::cos(h) * length;
}

// A world may keep the player in bounds with clamps run before every arrow step (world 1's
// hall does).
void clamp_before_step() {
    const WorldRecord* here = current_world_record();
    if (here && here->clamp_step) movement.move_allowed = here->clamp_step();
}

} // namespace

void take_pointer() {
    platform_set_cursor_pos(pointer.center.x, pointer.center.y);
    pointer.cursor_pos = pointer.center;
    pointer.pointer_held = true;
}

void set_pointer_center(int client_width, int client_height) {
    if (client_width <= 0 || client_height <= 0) return;
    pointer.center = CursorPos{client_width / 2, client_height / 2 + CURSOR_CENTER_BELOW};
}

// 0.05 degree a pixel; the sensitivity multiplies last, so its default 1 changes no bit.
void apply_mouse_look(int dx, int dy) {
    const double up = mouse_look.inverted ? -static_cast<double>(dy) : dy;
    player.heading = static_cast<float>(player.heading + dx * 0.01 * 5 * mouse_look.sensitivity);
    player.pitch = static_cast<float>(player.pitch - up * 0.01 * 5 * mouse_look.sensitivity);
}

void jump_key_step(bool down) {
    if (!down) {
        movement.jump_key_latch = false;
        return;
    }
    if (!movement.jump_key_latch && !lift.lift_active) {
        movement.jump_key_latch = true;
        lift.boost_active = true;
    }
}

void lift_key_step(bool down) {
    if (!down) {
        movement.lift_key_latch = false;
        return;
    }
    if (!movement.lift_key_latch) {
        platform_play_sound(LIFT_SOUND);
        movement.lift_key_latch = true;
        lift.lift_active = true;
    }
}

void walk_step(WalkDirection direction, float share) {
    clamp_before_step();
    if (direction == WalkDirection::Forward) test_doorways(); // on the position the previous frames reached
    if (!movement.move_allowed) return;
    switch (direction) {
    case WalkDirection::Forward:
        step(0, -1, share);
        break;
    case WalkDirection::Back:
        step(0, 1, share);
        break;
    case WalkDirection::Right:
        step(90, 1, share);
        break;
    case WalkDirection::Left:
        step(-90, 1, share);
        break;
    }
}

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

void descend_step() {
    if (player.eye_height > DESCENT_FLOOR) player.eye_height -= DESCENT_STEP;
}
