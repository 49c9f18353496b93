// The player: a free camera that walks on the ground plane with an eye height.
#pragma once

struct PlayerState {
    float x;          // position, world units
    float z;
    float eye_height; // the camera's world y
    float heading;    // yaw in degrees, unbounded; 0 looks towards -z
    float pitch;      // degrees about the camera's x axis, unbounded; positive looks down
};
extern PlayerState player;

extern bool move_allowed;   // result of the last world-1 clamp; gates the arrow steps
extern bool jump_key_latch; // End was down at the last key step (or a step-up hopped)
extern bool lift_key_latch; // Delete was down at the last key step

constexpr float MOVE_STEP = 0.05f;
extern const float DEG_TO_RAD; // pi / 180 in single precision

// Turns and tilts by the cursor's offset from the window centre.
void apply_mouse_look(int dx, int dy);
// End (jump), Delete (lift) and the four arrow steps, with world 1's clamps and, for
// the Up arrow, the doorway tests.
void apply_movement_keys();
// The camera transform of the frame.
void apply_camera();
