// Orientation of the held weapon and the switches of world 1's ring display.
#pragma once

extern float weapon_pitch_angle; // degrees, keys K and L
extern float weapon_yaw_angle;   // keys J and H
extern float weapon_roll_angle;  // keys C and D

struct RingPairState {
    bool effects_on; // tinted colour cycling
    bool blend_on;   // the second ring's sphere blended
    bool points_on;  // a cloud of points round the second ring
};
extern RingPairState ring_pair;
