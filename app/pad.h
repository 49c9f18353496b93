// A game controller as the core sees it: which buttons are down, where the sticks and the
// triggers stand, and what the sticks and the triggers do. Its buttons drive rows of the
// key binding table (app/input.h); the triggers are the mouse buttons; the left stick
// walks as the arrow keys do and the right stick looks as the mouse does. Everything is
// computed from the integer axis values, so a played recording steps the same.
#pragma once

#include "nav/keys.h"
#include "platform/input_event.h"

#include <array>
#include <cstdint>

// A stick moves nothing while its deflection (the length of its x, y vector) is within
// this; beyond it the deflection is measured from the edge, so motion starts from zero.
constexpr int PAD_DEAD_ZONE = 8000;
// The right stick at full deflection turns and tilts the view by this much a frame: 150
// degrees a second at the loop's 100 frames, a half turn in 1.2 s, while a quarter of the
// way past the dead zone still aims finely (0.375 degrees a frame).
constexpr float PAD_LOOK_DEGREES = 1.5f;
// A trigger presses its mouse button once pulled past PAD_TRIGGER_PRESS and lets it go
// only once back below PAD_TRIGGER_RELEASE: one resting near either value does not chatter.
constexpr int PAD_TRIGGER_PRESS = 16384;
constexpr int PAD_TRIGGER_RELEASE = 8192;

struct PadState {
    std::array<bool, PAD_BUTTON_COUNT> held = {};
    Taps<PAD_BUTTON_COUNT> taps; // a tapped button reads as held for a step, as a tapped key does
    std::array<int32_t, PAD_AXIS_COUNT> axes = {};
    bool left_trigger_pulled = false; // past the press threshold, not yet below the release one
    bool right_trigger_pulled = false;
};
extern PadState pad;
void reset_pad();

void press_pad_button(PadButton button);
void release_pad_button(PadButton button);
// The end of the frame's key step: taps seen by it are released.
void finish_pad_step();

// A mouse button a trigger pressed or let go.
struct TriggerChange {
    bool changed = false;
    MouseButton button = MouseButton::Left;
    bool down = false;
};
// The axis moved to `value`; a trigger crossing its threshold asks for its mouse button:
// the left trigger is the right button (weapon 4's grenade), the right trigger the left
// button (fire), as first-person programs put them.
TriggerChange move_pad_axis(PadAxis axis, int value);

// A stick's deflection past the dead zone along x and y, each -1 to 1: its direction, with
// a length that grows from 0 at the dead zone's edge to 1 at full deflection.
struct StickShare {
    float x = 0;
    float y = 0;
};
StickShare stick_share(int x, int y);

// The right stick turns and tilts the view as the mouse does (stick right turns right,
// stick down tilts as the mouse moved down does, the other way when the look is inverted).
void apply_pad_look();
// The left stick walks: forward and back, then sideways, each a share of the arrow keys'
// step after the same clamps (forward tests the doorways as the Up arrow does).
void apply_pad_walk();
