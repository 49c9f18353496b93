// Orientation of the held weapon and the switches of world 1's ring display.
#pragma once


struct RingPairState {
    bool effects_on; // tinted colour cycling
    bool blend_on;   // the second ring's sphere blended
    bool points_on;  // a cloud of points round the second ring
};
struct WeaponModelState {
    float weapon_pitch_angle; // degrees, keys K and L
    float weapon_yaw_angle;   // keys J and H
    float weapon_roll_angle;  // keys C and D
    RingPairState ring_pair;
};
extern WeaponModelState weapon_models;
void reset_weapon_models();
