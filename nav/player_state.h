// The player: a free camera that walks on the ground plane with an eye height; the lift
// and jump sequences that raise it; the pointer that turns it. Kept apart from the rules
// (nav/player.h) so the clamps and the world boxes read and set it without them.
#pragma once

#include <cstdint>

struct PlayerState {
    float x = -1; // position, world units
    float z = -1;
    float eye_height = 0; // the camera's world y
    float heading = 0;    // yaw in degrees, unbounded; 0 looks towards -z
    float pitch = 0;      // degrees about the camera's x axis, unbounded; positive looks down
};
extern PlayerState player;

struct MovementState {
    bool move_allowed = true;    // result of the last world-1 clamp; gates the arrow steps
    bool jump_key_latch = false; // End was down at the last key step (or a step-up hopped)
    bool lift_key_latch = false; // Delete was down at the last key step
};
extern MovementState movement;

// The lift (Delete) and the jump boost (End or a step up), advanced once per frame.
struct LiftSequence {
    bool lift_active = false;  // Delete started a lift
    int32_t lift_frame = 0;    // frames into the lift, 0 when none
    bool boost_ready = true;   // no lift running: a jump may rise
    bool boost_active = false; // a jump (End or a step up) is rising
    int32_t boost_frame = 0;
};
extern LiftSequence lift;

constexpr const char* LIFT_SOUND = "text/a_avion01.wav";

// Where the input step puts the pointer back after every mouse-look reading in a
// 1024 x 768 client area: five rows below its centre. Any other size keeps that relation.
constexpr int CURSOR_CENTER_X = 512;
constexpr int CURSOR_CENTER_Y = 389;
constexpr int CURSOR_CENTER_BELOW = CURSOR_CENTER_Y - 768 / 2;

struct CursorPos {
    int32_t x;
    int32_t y;
};
// The pointer as the last input step read it, in window pixels with the origin top left:
// mouse-look turns by its offset from the centre, and shots pick and mark at it.
struct PointerState {
    CursorPos cursor_pos = {CURSOR_CENTER_X, CURSOR_CENTER_Y};
    // Where the pointer is put back: follows the client area's size.
    CursorPos center = {CURSOR_CENTER_X, CURSOR_CENTER_Y};
    // The pointer was put at the centre since the window last got the input.
    bool pointer_held = true;
};
extern PointerState pointer;

// How the pointer's motion turns the view: the user's settings, 1 and upright by default.
struct MouseLook {
    double sensitivity = 1; // multiplies the turn and the tilt of a pixel's motion
    bool inverted = false;  // the pointer moved up tilts the view down
};
extern MouseLook mouse_look;

// The player at (-1, -1) on the ground, looking towards -z, keys released, no lift, the
// pointer held at the centre of a 1024 x 768 client area, the mouse-look settings at their
// defaults.
void reset_player();
