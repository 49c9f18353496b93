// The player: a free camera that walks on the ground plane with an eye height.
#pragma once

#include "nav/keys.h"

#include <cstdint>

struct PlayerState {
    float x;          // position, world units
    float z;
    float eye_height; // the camera's world y
    float heading;    // yaw in degrees, unbounded; 0 looks towards -z
    float pitch;      // degrees about the camera's x axis, unbounded; positive looks down
};
extern PlayerState player;

struct MovementState {
    bool move_allowed;   // result of the last world-1 clamp; gates the arrow steps
    bool jump_key_latch; // End was down at the last key step (or a step-up hopped)
    bool lift_key_latch; // Delete was down at the last key step
};
extern MovementState movement;

// The lift (Delete) and the jump boost (End or a step up), advanced once per frame.
struct LiftSequence {
    bool lift_active;   // Delete started a lift
    int32_t lift_frame; // frames into the lift, 0 when none
    bool boost_ready;   // no lift running: a jump may rise
    bool boost_active;  // a jump (End or a step up) is rising
    int32_t boost_frame;
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
    CursorPos cursor_pos;
    CursorPos center;  // where the pointer is put back: follows the client area's size
    bool pointer_held; // the pointer was put at the centre since the window last got the input
};
extern PointerState pointer;

// The player at (-1, -1) on the ground, looking towards -z, keys released, no lift, the
// pointer held at the centre of a 1024 x 768 client area.
void reset_player();

constexpr float MOVE_STEP = 0.05f;
extern const float DEG_TO_RAD; // pi / 180 in single precision

// Puts the pointer at the window centre and aims there without turning the view: used when
// a window opens or gets the input back, whose pointer may be anywhere on the desktop.
void take_pointer();
// Moves the centre with the client area; an empty area (a minimised window) keeps it.
void set_pointer_center(int client_width, int client_height);
// Turns and tilts by the cursor's offset from the window centre.
void apply_mouse_look(int dx, int dy);
// End (jump), Delete (lift) and the four arrow steps, with world 1's clamps and, for
// the Up arrow, the doorway tests.
void apply_movement_keys();
// The camera transform of the frame.
void apply_camera();
