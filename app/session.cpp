#include "session.h"

#include "app/input.h"
#include "app/pad.h"
#include "app/program.h"
#include "app/timer.h"
#include "app/window.h"
#include "assets/draw_path.h"
#include "assets/font.h"
#include "assets/gl_caps.h"
#include "assets/level.h"
#include "assets/textures.h"
#include "nav/contacts.h"
#include "nav/gates.h"
#include "nav/keys.h"
#include "nav/player.h"
#include "nav/worlds.h"
#include "scene/animation.h"
#include "render/fps.h"
#include "render/frame.h"
#include "render/hud.h"
#include "render/level_mesh.h"
#include "render/particles.h"
#include "scene/random.h"
#include "render/sky.h"
#include "render/view.h"
#include "render/visible_sets.h"
#include "render/water.h"
#include "scene/blocks.h"
#include "scene/models.h"
#include "scene/world_objects.h"
#include "weapons/targets.h"
#include "weapons/weapon_models.h"
#include "weapons/weapon_table.h"
#include "weapons/weapons.h"

#include <iterator>

void reset_session() {
    program = ProgramState{};
    reset_input_requests();
    reset_pad();
    reset_bound_keys();
    reset_pad_bindings();
    reset_window_state();
    reset_timer();
    reset_player(); // the keys too
    reset_worlds();
    reset_contacts();
    reset_gates();
    reset_view();
    reset_frame_counter();
    random_seed = 1;
    reset_animations();
    reset_frame_state();
    reset_level_draw();
    reset_hud();
    reset_water();
    for (Particle& p : particles) p = Particle{};
    particle_draws = ParticleDraws{};
    sky_angle = 0;
    reset_model_state();
    reset_world_objects();
    reset_targets();
    reset_impact_marks();
    reset_weapon_state();
    reset_weapon_models();
    reset_textures();
    forget_font();
    forget_gl_caps();
    reset_draw_path();
    free_level();
    free_visible_sets();
}

namespace {

void list_program(FieldList* out) {
    add_field(out, "frame", program.frame_iterations);
    add_field(out, "running", program.running);
    add_field(out, "exited", program.exited);
    add_field(out, "exit_code", program.exit_code);
}

void list_input_requests(FieldList* out) {
    add_unprinted(out, "binding_row_driven", input_requests.row_driven);
    add_unprinted(out, "screenshot_asked", input_requests.screenshot_asked);
    add_unprinted(out, "quit_latch", input_requests.quit_latch);
    add_unprinted(out, "quit_asked", input_requests.quit_asked);
    add_unprinted(out, "fullscreen_asked", input_requests.fullscreen_asked);
}

// The controller is input, as the keys are: compared, not printed.
void list_pad(FieldList* out) {
    add_unprinted(out, "pad_held", pad.held);
    add_unprinted(out, "pad_pressed_since_step", pad.taps.pressed_since_step);
    add_unprinted(out, "pad_release_pending", pad.taps.release_pending);
    add_unprinted(out, "pad_axes", pad.axes);
    add_unprinted(out, "pad_left_trigger_pulled", pad.left_trigger_pulled);
    add_unprinted(out, "pad_right_trigger_pulled", pad.right_trigger_pulled);
}

// The settings in force: the keys of the bindings and the mouse-look's; not printed, so
// that a state stays the same whatever the user set.
void list_bound_keys(FieldList* out) { add_unprinted(out, "bound_keys", bound_keys.row_keys); }

void list_pad_bindings(FieldList* out) { add_unprinted(out, "pad_binding_rows", pad_binding_rows.row); }

void list_mouse_look(FieldList* out) {
    add_unprinted(out, "mouse_sensitivity", mouse_look.sensitivity);
    add_unprinted(out, "invert_look", mouse_look.inverted);
}

void list_worlds(FieldList* out) {
    add_fields(out, "world", worlds.world_flags);
    add_fields(out, "needs_init", worlds.needs_init);
    add_fields(out, "pickup", worlds.pickup_visible);
}

void list_player(FieldList* out) {
    add_field(out, "x", player.x);
    add_field(out, "z", player.z);
    add_field(out, "eye_height", player.eye_height);
    add_field(out, "heading", player.heading);
    add_field(out, "pitch", player.pitch);
}

void list_movement(FieldList* out) {
    add_field(out, "move_allowed", movement.move_allowed);
    add_field(out, "jump_key_latch", movement.jump_key_latch);
    add_field(out, "lift_key_latch", movement.lift_key_latch);
}

void list_lift(FieldList* out) {
    add_field(out, "lift_active", lift.lift_active);
    add_field(out, "lift_frame", lift.lift_frame);
    add_field(out, "boost_ready", lift.boost_ready);
    add_field(out, "boost_active", lift.boost_active);
    add_field(out, "boost_frame", lift.boost_frame);
}

void list_pointer(FieldList* out) {
    add_field(out, "cursor_x", pointer.cursor_pos.x);
    add_field(out, "cursor_y", pointer.cursor_pos.y);
    add_field(out, "pointer_center_x", pointer.center.x);
    add_field(out, "pointer_center_y", pointer.center.y);
    add_field(out, "pointer_held", pointer.pointer_held);
}

void list_keys(FieldList* out) { add_unprinted(out, "keys", keys); }

void list_key_taps(FieldList* out) {
    add_unprinted(out, "key_pressed_since_step", key_taps.pressed_since_step);
    add_unprinted(out, "key_release_pending", key_taps.release_pending);
}

void list_contacts(FieldList* out) {
    add_field(out, "probe_x", contacts.probe_point.x);
    add_field(out, "probe_z", contacts.probe_point.z);
    add_field(out, "step_origin_known", contacts.origin.known);
    add_field(out, "step_origin_world", contacts.origin.world);
    add_field(out, "step_origin_x", contacts.origin.x);
    add_field(out, "step_origin_z", contacts.origin.z);
}

void list_gates(FieldList* out) {
    for (int u = 0; u < GATE_UNITS; ++u)
        add_field(out, "gate" + std::to_string(u + 1) + "_triggered", gates.gate_units[u].gate_triggered);
    for (int u = 0; u < GATE_UNITS; ++u)
        add_field(out, "gate" + std::to_string(u + 1) + "_height", gates.gate_units[u].gate_height);
    add_field(out, "gate_wide_top", gates.gate_wide_top);
    add_field(out, "gate_corner_top", gates.gate_corner_top);
}

void list_window(FieldList* out) {
    add_field(out, "fullscreen", window.fullscreen);
    add_field(out, "active", window.active);
}

void list_timer(FieldList* out) {
    add_unprinted(out, "frame_timer", timer.frame_timer);
    add_field(out, "frame_pacing", timer.frame_pacing);
    add_unprinted(out, "pacing_wait", timer.pacing_wait);
}

void list_view(FieldList* out) {
    add_field(out, "view_width", view.view_width);
    add_field(out, "view_height", view.view_height);
    add_field(out, "field_of_view", view.field_of_view);
}

void list_frame_counter(FieldList* out) {
    add_field(out, "fps_frames", frame_counter.frames);
    add_field(out, "fps_last_tick", frame_counter.last_tick);
    add_field(out, "fps", frame_counter.fps_value);
}

void list_random(FieldList* out) { add_field(out, "random_seed", random_seed); }

void list_animation(FieldList* out) {
    const AnimationState& a = animation;
    add_field(out, "bob_offset", a.bob_offset);
    add_field(out, "wave_a", a.wave_a);
    add_field(out, "wave_b", a.wave_b);
    add_field(out, "bob_rising", a.bob_direction.rising);
    add_field(out, "bob_falling", a.bob_direction.falling);
    add_field(out, "wave_a_rising", a.wave_a_direction.rising);
    add_field(out, "wave_a_falling", a.wave_a_direction.falling);
    add_field(out, "wave_b_rising", a.wave_b_direction.rising);
    add_field(out, "wave_b_falling", a.wave_b_direction.falling);
    add_field(out, "sign_swing_angle", a.sign_swing_angle);
    add_field(out, "swing_new_run", a.swing_new_run);
    add_field(out, "swing_run_pick", a.swing_run_pick);
    add_field(out, "swing_run_frames", a.swing_run_frames);
}

void list_frame_state(FieldList* out) {
    add_field(out, "spin_angle", frame_state.spin_angle);
    add_field(out, "current_rgb_red", frame_state.current_rgb[0]);
    add_field(out, "current_rgb_green", frame_state.current_rgb[1]);
    add_field(out, "current_rgb_blue", frame_state.current_rgb[2]);
    add_field(out, "hud_triangle_total", frame_state.hud_triangle_total);
    add_unprinted(out, "light_angle", frame_state.light_angle);
    add_unprinted(out, "light_bob", frame_state.light_bob);
    add_unprinted(out, "object_angle", frame_state.object_angle);
    add_unprinted(out, "start_colour", frame_state.start_colour);
    add_unprinted(out, "sky_turn", frame_state.sky_turn);
    add_unprinted(out, "eye", frame_state.eye);
}

void list_level_draw(FieldList* out) {
    const LevelDrawState& d = level_draw;
    add_unprinted(out, "frustum_planes", d.frustum_planes);
    add_field(out, "visible_count", d.visible_count);
    add_field(out, "culled_count", d.culled_count);
    add_field(out, "degenerate_count", d.degenerate_count);
    add_field(out, "normal_parity", d.normal_parity);
    add_unprinted(out, "last_normal", d.last_normal);
    add_field(out, "tex_scroll", d.tex_scroll);
    add_unprinted(out, "pass_parity", d.pass_parity);
    add_unprinted(out, "pass_normal", d.pass_normal);
    add_unprinted(out, "pass_tex_scroll", d.pass_tex_scroll);
    add_field(out, "max_anisotropy", d.max_anisotropy);
    add_unprinted(out, "camera_modelview", d.camera_modelview);
    add_unprinted(out, "camera_projection", d.camera_projection);
}

void list_hud(FieldList* out) {
    add_field(out, "dist_readout", hud.dist_readout);
    add_field(out, "hud_triangles", hud.hud_printed.triangles);
    add_field(out, "hud_visible", hud.hud_printed.visible);
    add_field(out, "hud_culled", hud.hud_printed.culled);
    add_field(out, "hud_degenerate", hud.hud_printed.degenerate);
    add_unprinted(out, "quit_prompt_frames", hud.quit_prompt_frames);
}

// The grids are too large to print: the replay prints their checksum.
void list_water(FieldList* out) {
    add_unprinted(out, "water_vertices", water.water_vertices);
    add_unprinted(out, "water_drawn_height_min", water.drawn_height_min);
    add_unprinted(out, "water_drawn_height_max", water.drawn_height_max);
    add_unprinted(out, "water_height_a", water.water_height_a);
    add_unprinted(out, "water_height_b", water.water_height_b);
    add_unprinted(out, "water_current", water.water_current);
    add_unprinted(out, "water_previous", water.water_previous);
}

void list_particles(FieldList* out) { add_unprinted(out, "particles", particles); }

void list_particle_draws(FieldList* out) { add_unprinted(out, "particle_draws", particle_draws.drawn); }

void list_sky(FieldList* out) { add_field(out, "sky_angle", sky_angle); }

void list_models(FieldList* out) {
    add_field(out, "orb_spin_angle", model_state.orb_spin_angle);
    add_unprinted(out, "orb_drawn_angle", model_state.orb_drawn_angle);
}

void list_world_objects(FieldList* out) {
    add_field(out, "spinner_angle", world_objects.spinner_angle);
    add_unprinted(out, "spinner_drawn_angle", world_objects.spinner_drawn_angle);
}

void list_targets(FieldList* out) {
    for (int k = 0; k < TARGET_COUNT; ++k) {
        const std::string target = "target" + std::to_string(k + 1);
        add_field(out, target + "_visible", targets.target_visible[k]);
        add_field(out, target + "_respawn_counter", targets.target_respawn_counter[k]);
    }
    add_field(out, "target_row_sway", targets.row_sway);
    add_unprinted(out, "target_shown", targets.target_shown);
}

void list_mark_ring(FieldList* out, const std::string& ring, const char* count_name, const ImpactMarkRing& r) {
    add_unprinted(out, ring + "_slots", r.slots);
    add_field(out, count_name, r.count);
    add_unprinted(out, ring + "_last_impact", r.last_impact);
}

void list_impact_marks(FieldList* out) {
    list_mark_ring(out, "primary_ring", "primary_marks", impact_marks.primary_ring);
    list_mark_ring(out, "secondary_ring", "secondary_marks", impact_marks.secondary_ring);
    add_field(out, "impact_mark_total", impact_marks.impact_mark_total);
}

void list_weapon_state(FieldList* out) {
    const WeaponState& w = weapon_state;
    add_field(out, "held_weapon", w.held_weapon);
    for (int n = 1; n <= weapon_count(); ++n) weapon_record(n)->list_fields(out);
    add_field(out, "impact_marks_enabled", w.impact_marks_enabled);
    add_field(out, "mark_request_primary", w.mark_request_primary);
    add_field(out, "mark_request_secondary", w.mark_request_secondary);
    add_unprinted(out, "marks_asked", w.marks_asked);
}

void list_weapon_models(FieldList* out) {
    add_field(out, "weapon_pitch_angle", weapon_models.weapon_pitch_angle);
    add_field(out, "weapon_yaw_angle", weapon_models.weapon_yaw_angle);
    add_field(out, "weapon_roll_angle", weapon_models.weapon_roll_angle);
    const RingPairState& r = weapon_models.ring_pair;
    add_field(out, "ring_effects_on", r.effects_on);
    add_field(out, "ring_blend_on", r.blend_on);
    add_field(out, "ring_points_on", r.points_on);
    add_field(out, "ring_rise_height", r.rise_height);
    add_field(out, "ring_rise_depth", r.rise_depth);
    add_field(out, "ring_descent_allowed", r.descent_allowed);
    add_field(out, "ring_halo_progress", r.halo_progress);
    add_field(out, "ring_halo_height", r.halo_height);
    add_field(out, "ring_halo_depth", r.halo_depth);
    add_field(out, "ring_halo_density", r.halo_density);
    add_field(out, "ring_halo_spin", r.halo_spin);
    add_unprinted(out, "ring_drawn", r.drawn);
}

void list_textures(FieldList* out) {
    add_unprinted(out, "texture_names", textures.texture_names);
    add_field(out, "textures_loaded", textures.texture_set_loaded);
    add_field(out, "textures_blank", textures.texture_set_blank);
    add_field(out, "lod_bias", textures.lod_bias);
    add_field(out, "anisotropy", textures.anisotropy_enabled);
}

void list_draw_path(FieldList* out) { add_field(out, "draw_path_literal", draw_path.literal); }

void list_level_mesh(FieldList* out) {
    add_field(out, "level_triangles", level_mesh.count);
    add_unprinted(out, "level_triangle_array", level_mesh.triangles);
}

// Loaded with the level and checked against it: compared, too long to print.
void list_visible_sets(FieldList* out) {
    const VisibleSets& s = visible_sets;
    add_unprinted(out, "visible_sets_world", s.world);
    add_unprinted(out, "visible_sets_triangles", s.triangle_count);
    add_unprinted(out, "visible_sets_rows", s.row_count);
    add_unprinted(out, "visible_grid_x0", s.x0);
    add_unprinted(out, "visible_grid_z0", s.z0);
    add_unprinted(out, "visible_grid_cell", s.cell);
    add_unprinted(out, "visible_grid_columns", s.columns);
    add_unprinted(out, "visible_grid_rows", s.rows);
    add_unprinted(out, "visible_cells", s.cells);
    add_unprinted(out, "visible_bits", s.bits);
}

template <typename T> constexpr SessionModule module(const T& state, void (*list)(FieldList*)) {
    return SessionModule{&state, sizeof state, alignof(T), list};
}

} // namespace

// clang-format off
const SessionModule SESSION_MODULES[] = {
    module(program,        list_program),
    module(input_requests, list_input_requests),
    module(bound_keys,       list_bound_keys),
    module(pad_binding_rows, list_pad_bindings),
    module(worlds,         list_worlds),
    module(player,         list_player),
    module(movement,       list_movement),
    module(lift,           list_lift),
    module(pointer,        list_pointer),
    module(mouse_look,     list_mouse_look),
    module(keys,           list_keys),
    module(key_taps,       list_key_taps),
    module(pad,            list_pad),
    module(contacts,       list_contacts),
    module(gates,          list_gates),
    module(window,         list_window),
    module(timer,          list_timer),
    module(view,           list_view),
    module(frame_counter,  list_frame_counter),
    module(random_seed,    list_random),
    module(animation,      list_animation),
    module(frame_state,    list_frame_state),
    module(level_draw,     list_level_draw),
    module(hud,            list_hud),
    module(water,          list_water),
    module(particles,      list_particles),
    module(particle_draws, list_particle_draws),
    module(sky_angle,      list_sky),
    module(model_state,    list_models),
    module(world_objects,  list_world_objects),
    module(targets,        list_targets),
    module(impact_marks,   list_impact_marks),
    module(weapon_state,   list_weapon_state),
    module(weapon_models,  list_weapon_models),
    module(textures,       list_textures),
    module(draw_path,      list_draw_path),
    module(level_mesh,     list_level_mesh),
    module(visible_sets,   list_visible_sets),
};
// clang-format on
const size_t SESSION_MODULE_COUNT = std::size(SESSION_MODULES);

void list_session_fields(FieldList* out) {
    for (const SessionModule& m : SESSION_MODULES) m.list(out);
}

void list_context_caches(FieldList* out) {
    add_unprinted(out, "gl_generate_mipmap", gl_caps.generate_mipmap);
    add_unprinted(out, "gl_lod_bias", gl_caps.lod_bias);
    add_unprinted(out, "gl_max_lod_bias", gl_caps.max_lod_bias);
    add_unprinted(out, "gl_anisotropic", gl_caps.anisotropic);
    add_unprinted(out, "gl_separate_specular", gl_caps.separate_specular);
    add_unprinted(out, "font_list_base", font_list_base);
    add_unprinted(out, "shared_quadric", shared_quadric);
}
