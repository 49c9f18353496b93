#include "support.h"

#include "app/input.h"
#include "app/program.h"
#include "app/random.h"
#include "app/timer.h"
#include "app/window.h"
#include "assets/level.h"
#include "assets/textures.h"
#include "nav/contacts.h"
#include "nav/player.h"
#include "nav/worlds.h"
#include "render/animations.h"
#include "render/frame.h"
#include "render/hud.h"
#include "render/level_mesh.h"
#include "render/particles.h"
#include "render/sky.h"
#include "render/water.h"
#include "scene/models.h"
#include "weapons/targets.h"
#include "weapons/weapon_models.h"
#include "weapons/weapons.h"

#include <algorithm>
#include <iterator>

void reset_everything() {
    if (program.running) close_window();
    headless_reset();
    headless_set_auto_clock(true);
    headless_move_cursor(CURSOR_CENTER_X, CURSOR_CENTER_Y);
    program = ProgramState{};
    preset_startup_answer = 0;
    std::fill(std::begin(keys), std::end(keys), false);
    fullscreen = true;
    active = true;
    view_width = 0;
    view_height = 0;
    field_of_view = 45;
    frame_pacing = 5;
    frame_timer = FrameTimer{};
    frame_counter = FrameCounter{};
    random_seed = 1;
    cursor_pos = CursorPos{};

    player = PlayerState{-1, -1, 0, 0, 0};
    move_allowed = true;
    jump_key_latch = false;
    lift_key_latch = false;
    world_flags[0] = true;
    world_flags[1] = world_flags[2] = false;
    needs_init[0] = needs_init[1] = needs_init[2] = false;
    pickup_visible[0] = pickup_visible[1] = true;
    probe_point = ProbePoint{0, -6};

    bob_offset = wave_a = wave_b = 0;
    bob_direction = wave_a_direction = wave_b_direction = WaveDirection{true, false};
    lift = LiftSequence{false, 0, true, false, 0};
    for (GateUnit& unit : gate_units) unit = GateUnit{false, 4};
    gate_wide_top = gate_corner_top = 2;
    sign_swing_angle = 0;
    swing_new_run = true;
    swing_run_pick = swing_run_frames = 0;

    spin_angle = 0;
    current_rgb[0] = current_rgb[1] = current_rgb[2] = 0.1f;
    hud_triangle_total = 0;
    for (int& c : target_respawn_counter) c = 0;
    for (bool& t : target_visible) t = true;
    visible_count = culled_count = degenerate_count = 0;
    normal_parity = 0;
    tex_scroll = 0;
    dist_readout = -30;
    hud_printed = HudCounts{};
    water_current = water_height_b;
    water_previous = water_height_a;
    for (Particle& p : particles) p = Particle{};
    sky_angle = 0;
    lod_bias = 0;
    texture_set_loaded = false;
    texture_set_blank = false;
    anisotropy_enabled = false;
    weapon_state = WeaponState{};
    weapon_pitch_angle = weapon_yaw_angle = weapon_roll_angle = 0;
    ring_pair = RingPairState{};
    free_level();
}

bool start_windowed_program() {
    headless_queue_answer(IDNO);
    return program_start();
}

void run_frames(int count) {
    for (int produced = 0; produced < count;) {
        const Iteration it = program_iterate();
        if (it == Iteration::Ended) return;
        if (it == Iteration::Frame) ++produced;
    }
}
