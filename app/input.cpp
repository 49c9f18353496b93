#include "input.h"

#include "app/timer.h"
#include "assets/textures.h"
#include "nav/player.h"
#include "nav/worlds.h"
#include "render/animations.h"
#include "render/hud.h"
#include "weapons/weapon_models.h"
#include "weapons/weapons.h"
#include "nav/keys.h"

#include <GL/gl.h>

void apply_held_keys() {
    if (keys[VK_NUMPAD1]) hud.dist_readout = 30;
    if (keys[VK_NUMPAD6]) hud.dist_readout = 90;
    if (keys[VK_NUMPAD9]) hud.dist_readout = -30;
    if (keys['E']) textures.anisotropy_enabled = true;
    if (keys['R']) textures.anisotropy_enabled = false;
    if (keys['Q']) textures.lod_bias -= 1;
    if (keys['W']) textures.lod_bias += 1;
    select_weapon_keys();
    if (keys['Y']) raise_gates();
    if (keys['I']) lower_gates();
    if (keys['C']) weapon_models.weapon_roll_angle -= 1;
    if (keys['D']) weapon_models.weapon_roll_angle += 1;
    if (keys['J']) weapon_models.weapon_yaw_angle -= 1;
    if (keys['H']) weapon_models.weapon_yaw_angle += 1;
    if (keys['K']) {
        weapon_models.weapon_pitch_angle -= 1;
        animation.sign_swing_angle -= 1;
    }
    if (keys['L']) {
        weapon_models.weapon_pitch_angle += 1;
        animation.sign_swing_angle += 1;
    }
    if (keys['A']) set_ring_pair_effects(true);
    if (keys['F']) set_ring_pair_effects(false);
    if (keys['B']) timer.frame_pacing += 1;
    if (keys['V']) timer.frame_pacing -= 1;
    if (keys['X']) {
        glEnable(GL_LIGHTING);
        glEnable(GL_LIGHT0);
    }
    if (keys['Z']) {
        glDisable(GL_LIGHTING);
        glDisable(GL_LIGHT0);
    }
    apply_movement_keys(); // End, Delete and the arrows; Up may walk through a doorway
    // A world left behind gives up its textures at once; the new set loads next frame.
    const bool entering = worlds.needs_init[0] || worlds.needs_init[1] || worlds.needs_init[2];
    if (entering && textures.texture_set_loaded) delete_textures();
}
