#include "player.h"

#include "nav/clamps.h"
#include "nav/worlds.h"
#include "platform/platform.h"
#include "nav/keys.h"

#include <GL/gl.h>

#include <cmath>

PlayerState player;
MovementState movement;
LiftSequence lift;
PointerState pointer;
const float DEG_TO_RAD = 3.14159265f / 180.0f;

namespace {

// A step of MOVE_STEP along the heading turned by `turn` degrees; the sign picks forward
// (-1: towards where heading 0 looks) or the other way.
void step(float turn, float sign) {
    const float h = (player.heading + turn) * DEG_TO_RAD;
    player.x += sign * std::sin(h) * MOVE_STEP;
    player.z += sign * std::cos(h) * MOVE_STEP;
}

// World 1 keeps the player in its hall with clamps run before every arrow step.
void clamp_before_step() {
    if (worlds.world_flags[0]) movement.move_allowed = clamp_world1_position();
}

} // namespace

void reset_player() {
    player = PlayerState{};
    movement = MovementState{};
    lift = LiftSequence{};
    pointer = PointerState{};
    reset_keys();
}

void take_pointer() {
    platform_set_cursor_pos(pointer.center.x, pointer.center.y);
    pointer.cursor_pos = pointer.center;
    pointer.pointer_held = true;
}

void set_pointer_center(int client_width, int client_height) {
    if (client_width <= 0 || client_height <= 0) return;
    pointer.center = CursorPos{client_width / 2, client_height / 2 + CURSOR_CENTER_BELOW};
}

void apply_mouse_look(int dx, int dy) {
    player.heading = static_cast<float>(player.heading + dx * 0.01 * 5);
    player.pitch = static_cast<float>(player.pitch - dy * 0.01 * 5);
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

void walk_step(WalkDirection direction) {
    clamp_before_step();
    if (direction == WalkDirection::Forward) test_doorways(); // on the position the previous frames reached
    if (!movement.move_allowed) return;
    switch (direction) {
    case WalkDirection::Forward: step(0, -1); break;
    case WalkDirection::Back: step(0, 1); break;
    case WalkDirection::Right: step(90, 1); break;
    case WalkDirection::Left: step(-90, 1); break;
    }
}

void apply_camera() {
    glRotatef(player.pitch, 1, 0, 0);
    glRotatef(360 - player.heading, 0, 1, 0);
    glTranslatef(-player.x, -player.eye_height, -player.z);
}
