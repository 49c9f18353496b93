#include "weapon_models.h"

float weapon_pitch_angle = 0;
float weapon_yaw_angle = 0;
float weapon_roll_angle = 0;
RingPairState ring_pair = {false, false, false};
