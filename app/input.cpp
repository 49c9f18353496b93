#include "input.h"

#include "app/timer.h"
#include "assets/textures.h"
#include "nav/player.h"
#include "render/animations.h"
#include "render/hud.h"
#include "weapons/weapon_models.h"
#include "weapons/weapons.h"

#include <GL/gl.h>

bool keys[KEY_COUNT];

void apply_held_keys() {
    if (keys[VK_NUMPAD1]) dist_readout = 30;
    if (keys[VK_NUMPAD6]) dist_readout = 90;
    if (keys[VK_NUMPAD9]) dist_readout = -30;
    if (keys['E']) anisotropy_enabled = true;
    if (keys['R']) anisotropy_enabled = false;
    if (keys['Q']) lod_bias -= 1;
    if (keys['W']) lod_bias += 1;
    select_weapon_keys();
    if (keys['Y']) raise_gates();
    if (keys['I']) lower_gates();
    if (keys['C']) weapon_roll_angle -= 1;
    if (keys['D']) weapon_roll_angle += 1;
    if (keys['J']) weapon_yaw_angle -= 1;
    if (keys['H']) weapon_yaw_angle += 1;
    if (keys['K']) {
        weapon_pitch_angle -= 1;
        sign_swing_angle -= 1;
    }
    if (keys['L']) {
        weapon_pitch_angle += 1;
        sign_swing_angle += 1;
    }
    if (keys['A']) ring_pair = RingPairState{true, true, true};
    if (keys['F']) ring_pair = RingPairState{false, false, false};
    if (keys['B']) frame_pacing += 1;
    if (keys['V']) frame_pacing -= 1;
    if (keys['X']) {
        glEnable(GL_LIGHTING);
        glEnable(GL_LIGHT0);
    }
    if (keys['Z']) {
        glDisable(GL_LIGHTING);
        glDisable(GL_LIGHT0);
    }
    apply_movement_keys(); // End, Delete and the arrows
}
