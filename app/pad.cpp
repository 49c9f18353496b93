#include "pad.h"

#include "nav/player.h"
#include "nav/player_state.h"

#include <algorithm>
#include <cmath>

PadState pad;

void reset_pad() { pad = PadState{}; }

namespace {

size_t index_of(PadButton button) { return static_cast<size_t>(button); }

bool known(PadButton button) { return index_of(button) < PAD_BUTTON_COUNT; }

// Past the press threshold, or not yet back below the release one.
bool pulled(bool was_pulled, int value) {
    return was_pulled ? value >= PAD_TRIGGER_RELEASE : value > PAD_TRIGGER_PRESS;
}

TriggerChange pull_trigger(bool* was_pulled, int value, MouseButton button) {
    const bool now = pulled(*was_pulled, value);
    if (now == *was_pulled) return TriggerChange{};
    *was_pulled = now;
    return TriggerChange{true, button, now};
}

int axis(PadAxis a) { return pad.axes[static_cast<size_t>(a)]; }

} // namespace

void press_pad_button(PadButton button) {
    if (known(button)) pad.taps.press(pad.held, index_of(button));
}

void release_pad_button(PadButton button) {
    if (known(button)) pad.taps.release(pad.held, index_of(button));
}

void finish_pad_step() { pad.taps.finish_step(pad.held); }

TriggerChange move_pad_axis(PadAxis a, int value) {
    const size_t index = static_cast<size_t>(a);
    if (index >= PAD_AXIS_COUNT) return TriggerChange{};
    value = std::clamp(value, PAD_AXIS_MIN, PAD_AXIS_MAX);
    pad.axes[index] = value;
    if (a == PadAxis::LeftTrigger) return pull_trigger(&pad.left_trigger_pulled, value, MouseButton::Right);
    if (a == PadAxis::RightTrigger) return pull_trigger(&pad.right_trigger_pulled, value, MouseButton::Left);
    return TriggerChange{};
}

StickShare stick_share(int x, int y) {
    const double dx = x, dy = y;
    const double length = std::sqrt(dx * dx + dy * dy);
    if (length <= PAD_DEAD_ZONE) return StickShare{};
    // Full deflection along an axis (32767, or -32768) gives exactly 1.
    const double past = std::min(1.0, (length - PAD_DEAD_ZONE) / (PAD_AXIS_MAX - PAD_DEAD_ZONE));
    return StickShare{static_cast<float>(dx / length * past), static_cast<float>(dy / length * past)};
}

void apply_pad_look() {
    const StickShare look = stick_share(axis(PadAxis::RightX), axis(PadAxis::RightY));
    if (look.x != 0) player.heading = player.heading - PAD_LOOK_DEGREES * look.x;
    // The user's inverted look turns the stick's tilt round too; its sensitivity is the mouse's own.
    const float tilt = mouse_look.inverted ? -look.y : look.y;
    if (tilt != 0) player.pitch = player.pitch + PAD_LOOK_DEGREES * tilt;
}

void apply_pad_walk() {
    const StickShare walk = stick_share(axis(PadAxis::LeftX), axis(PadAxis::LeftY));
    if (walk.y < 0) walk_step(WalkDirection::Forward, -walk.y);
    if (walk.y > 0) walk_step(WalkDirection::Back, walk.y);
    if (walk.x > 0) walk_step(WalkDirection::Right, walk.x);
    if (walk.x < 0) walk_step(WalkDirection::Left, -walk.x);
}
