// The held weapons' user angles (three held-key angles turn every model), the two
// scenery copies of weapons 1 and 3, and world 1's ring-pair display.
#pragma once

// What the pair's drawing issues from the middle of its step: the colour triple as each
// count-down left it, and the circle's spin before the step turned it.
struct RingPairDraw {
    float first_ring_rgb[3] = {0, 0, 0};
    float after_sphere_rgb[3] = {0, 0, 0};
    bool drifted_sphere = false; // the circle has drifted all the way: its point sphere shows
    float drifted_sphere_rgb[3] = {0, 0, 0};
    float circle_rgb[3] = {0, 0, 0};
    float points_rgb[3] = {0, 0, 0};
    float halo_spin = 0;
};
struct RingPairState {
    bool effects_on = false;      // colour cycling, the rising sphere, the drifting circle
    bool blend_on = false;        // the second ring's sphere blended
    bool points_on = false;       // a sphere of points round the second ring
    float rise_height = 0;        // the first ring's sphere: 0 to 2 above it
    float rise_depth = 0;         // ... and as far back, 0.03 per 0.005 of rise
    bool descent_allowed = false; // the circle has drifted home: the sphere may sink
    float halo_progress = 0;      // 0 to 1.1: how far the point circle has drifted
    float halo_height = 0;        // the circle's drift
    float halo_depth = 0;
    float halo_density = 3; // points per half turn, 3 at start, up to 280
    float halo_spin = 0;    // degrees, +0.2 a frame
    RingPairDraw drawn;
};
struct WeaponModelState {
    float weapon_pitch_angle = 0; // degrees, keys K and L
    float weapon_yaw_angle = 0;   // keys J and H
    float weapon_roll_angle = 0;  // keys C and D
    RingPairState ring_pair;
};
extern WeaponModelState weapon_models;
void reset_weapon_models();

// Keys A and F: the ring pair's three switches together.
void set_ring_pair_effects(bool on);

// The scenery copies, at the caller's placement.
void draw_weapon1_display();
void draw_weapon3_display();
// World 1's ring pair, once a frame: the rising sphere and the drifting circle move, and
// `current_rgb`, the frame's running colour triple on a 0..255 scale, is counted down by
// the cycling colours; what the drawing issues from the middle of that is kept.
void step_ring_pair(float current_rgb[3]);
// The pair as its step left it, with the camera current. It ends in the colour of its
// last part, which nothing after it in world 1 changes for good: the frame ends in it, and
// the next frame starts in it.
void draw_ring_pair();
