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

// The player at (-1, -1) on the ground, looking towards -z, keys released, no lift.
void reset_player();

constexpr float MOVE_STEP = 0.05f;
extern const float DEG_TO_RAD; // pi / 180 in single precision

// Turns and tilts by the cursor's offset from the window centre.
void apply_mouse_look(int dx, int dy);
// End (jump), Delete (lift) and the four arrow steps, with world 1's clamps and, for
// the Up arrow, the doorway tests.
void apply_movement_keys();
// The camera transform of the frame.
void apply_camera();
