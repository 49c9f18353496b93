#include "state.h"

#include "app/program.h"
#include "app/timer.h"
#include "app/window.h"
#include "assets/level.h"
#include "assets/textures.h"
#include "nav/gates.h"
#include "nav/player.h"
#include "nav/worlds.h"
#include "render/animations.h"
#include "render/frame.h"
#include "render/hud.h"
#include "render/particles.h"
#include "render/sky.h"
#include "render/water.h"
#include "scene/world_objects.h"
#include "weapons/targets.h"
#include "weapons/weapon_models.h"
#include "weapons/weapons.h"
#include "platform/platform.h"
#include "render/view.h"
#include "render/fps.h"

#include <GL/gl.h>

namespace {

StateField number(const char* name, double value) { return {name, StateField::Kind::Number, value, false}; }
StateField flag(const char* name, bool value) { return {name, StateField::Kind::Flag, 0, value}; }

bool lighting_enabled() { return platform_context_current() && glIsEnabled(GL_LIGHTING) == GL_TRUE; }

double particle_checksum() {
    double sum = 0;
    for (const Particle& p : particles) sum += p.x + p.y + p.z + p.life;
    return sum;
}

// World 3's switch gates, numbered from 1 as the trigger table lists them.
void add_gate_units(std::vector<StateField>* fields) {
    for (int u = 0; u < GATE_UNITS; ++u)
        fields->push_back(flag(("gate" + std::to_string(u + 1) + "_triggered").c_str(),
                               gates.gate_units[u].gate_triggered));
    for (int u = 0; u < GATE_UNITS; ++u)
        fields->push_back(number(("gate" + std::to_string(u + 1) + "_height").c_str(), gates.gate_units[u].gate_height));
}

// The whole weapon state, the user angles, the targets, the marks and the ring pair.
void add_weapons(std::vector<StateField>* fields) {
    const WeaponState& w = weapon_state;
    int cartridges = 0;
    for (bool present : w.weapon2_cartridge_present) cartridges += present;
    const RingPairState& r = weapon_models.ring_pair;
    const ImpactMarkState& m = impact_marks;
    const std::vector<StateField> weapon_fields = {
        number("held_weapon", w.held_weapon),
        flag("weapon1_trigger", w.weapon1_trigger),
        flag("weapon2_trigger", w.weapon2_trigger),
        number("weapon2_shots", w.weapon2_shots),
        number("weapon2_cartridges_present", cartridges),
        number("weapon2_drum_angle", w.weapon2_drum_angle),
        flag("weapon3_fired", w.weapon3_fired),
        number("weapon3_fired_frames", w.weapon3_fired_frames),
        flag("weapon3_reloading", w.weapon3_reloading),
        number("weapon3_reload_frames", w.weapon3_reload_frames),
        flag("weapon4_left_held", w.weapon4_left_held),
        flag("weapon4_right_pressed", w.weapon4_right_pressed),
        flag("weapon4_launch_active", w.weapon4_launch_active),
        number("weapon4_launch_frames", w.weapon4_launch_frames),
        number("weapon4_fire_phase", w.weapon4_fire_phase),
        flag("weapon5_left_held", w.weapon5_left_held),
        flag("weapon5_right_held", w.weapon5_right_held),
        number("weapon5_left_angle", w.weapon5_left_angle),
        number("weapon5_right_angle", w.weapon5_right_angle),
        flag("impact_marks_enabled", w.impact_marks_enabled),
        flag("mark_request_primary", w.mark_request_primary),
        flag("mark_request_secondary", w.mark_request_secondary),
        number("weapon_pitch_angle", weapon_models.weapon_pitch_angle),
        number("weapon_yaw_angle", weapon_models.weapon_yaw_angle),
        number("weapon_roll_angle", weapon_models.weapon_roll_angle),
        number("primary_marks", m.primary_ring.count),
        number("secondary_marks", m.secondary_ring.count),
        number("impact_mark_total", m.impact_mark_total),
        flag("ring_effects_on", r.effects_on),
        flag("ring_blend_on", r.blend_on),
        flag("ring_points_on", r.points_on),
        number("ring_rise_height", r.rise_height),
        number("ring_rise_depth", r.rise_depth),
        flag("ring_descent_allowed", r.descent_allowed),
        number("ring_halo_progress", r.halo_progress),
        number("ring_halo_height", r.halo_height),
        number("ring_halo_depth", r.halo_depth),
        number("ring_halo_density", r.halo_density),
        number("ring_halo_spin", r.halo_spin),
        number("current_rgb_red", frame_state.current_rgb[0]),
        number("current_rgb_green", frame_state.current_rgb[1]),
        number("current_rgb_blue", frame_state.current_rgb[2]),
        number("cursor_x", pointer.cursor_pos.x),
        number("cursor_y", pointer.cursor_pos.y),
    };
    fields->insert(fields->end(), weapon_fields.begin(), weapon_fields.end());
    for (int k = 0; k < TARGET_COUNT; ++k) {
        const std::string target = "target" + std::to_string(k + 1);
        fields->push_back(flag((target + "_visible").c_str(), targets.target_visible[k]));
        fields->push_back(number((target + "_respawn_counter").c_str(), targets.target_respawn_counter[k]));
    }
}

} // namespace

std::vector<StateField> collect_state() {
    const PlatformActivity activity = platform_activity();
    std::vector<StateField> fields = {
        number("frame", static_cast<double>(program.frame_iterations)),
        number("world", current_world()),
        flag("world1", worlds.world_flags[0]),
        flag("world2", worlds.world_flags[1]),
        flag("world3", worlds.world_flags[2]),
        flag("needs_init1", worlds.needs_init[0]),
        flag("needs_init2", worlds.needs_init[1]),
        flag("needs_init3", worlds.needs_init[2]),
        number("x", player.x),
        number("z", player.z),
        number("eye_height", player.eye_height),
        number("heading", player.heading),
        number("pitch", player.pitch),
        flag("move_allowed", movement.move_allowed),
        number("fps", frame_counter.fps_value),
        number("field_of_view", view.field_of_view),
        number("frame_pacing", timer.frame_pacing),
        flag("lighting", lighting_enabled()),
        flag("fullscreen", window.fullscreen),
        flag("active", window.active),
        number("view_width", view.view_width),
        number("view_height", view.view_height),
        flag("exited", program.exited),
        number("exit_code", program.exited ? program.exit_code : 0),
        number("level_triangles", level_mesh.count),
        flag("textures_loaded", textures.texture_set_loaded),
        flag("textures_blank", textures.texture_set_blank),
        number("lod_bias", textures.lod_bias),
        flag("anisotropy", textures.anisotropy_enabled),
        number("hud_triangles", hud.hud_printed.triangles),
        number("hud_visible", hud.hud_printed.visible),
        number("hud_culled", hud.hud_printed.culled),
        number("hud_degenerate", hud.hud_printed.degenerate),
        flag("pickup1", worlds.pickup_visible[0]),
        flag("pickup2", worlds.pickup_visible[1]),
    };
    add_gate_units(&fields);
    const std::vector<StateField> rest = {
        number("gate_wide_top", gates.gate_wide_top),
        number("gate_corner_top", gates.gate_corner_top),
        number("spin_angle", frame_state.spin_angle),
        number("bob_offset", animation.bob_offset),
        number("wave_a", animation.wave_a),
        number("wave_b", animation.wave_b),
        flag("lift_active", lift.lift_active),
        number("lift_frame", lift.lift_frame),
        flag("boost_ready", lift.boost_ready),
        flag("boost_active", lift.boost_active),
        number("boost_frame", lift.boost_frame),
        number("sign_swing_angle", animation.sign_swing_angle),
        number("spinner_angle", world_objects.spinner_angle),
        number("sky_angle", sky_angle),
        number("water_checksum", water_checksum()),
        number("particle_checksum", particle_checksum()),
        number("weapon", weapon_state.held_weapon),
        number("message_count", activity.message_boxes),
        number("unshown_message_count", activity.unshown_message_boxes),
        number("sound_count", activity.sound_requests),
    };
    fields.insert(fields.end(), rest.begin(), rest.end());
    add_weapons(&fields);
    return fields;
}
