#include "support.h"

#include "app/input.h"
#include "app/program.h"
#include "render/random.h"
#include "app/timer.h"
#include "app/window.h"
#include "assets/draw_path.h"
#include "assets/level.h"
#include "assets/textures.h"
#include "nav/contacts.h"
#include "nav/gates.h"
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
#include "scene/world_objects.h"
#include "weapons/targets.h"
#include "weapons/weapon_models.h"
#include "weapons/weapons.h"
#include "render/view.h"
#include "render/fps.h"
#include "nav/keys.h"

#include <algorithm>
#include <iterator>

void reset_everything() {
    if (program.running) close_window();
    headless_reset();
    headless_set_auto_clock(true);
    headless_move_cursor(CURSOR_CENTER_X, CURSOR_CENTER_Y);
    program = ProgramState{};
    preset_startup_answer = 0;
    reset_keys();
    reset_window_state();
    reset_view();
    reset_timer();
    reset_frame_counter();
    random_seed = 1;

    reset_player();
    reset_worlds();
    reset_contacts();
    reset_gates();

    reset_animations();
    reset_model_state();
    reset_world_objects();
    reset_frame_state();
    reset_targets();
    reset_level_draw();
    reset_hud();
    reset_water();
    for (Particle& p : particles) p = Particle{};
    sky_angle = 0;
    reset_textures();
    reset_draw_path();
    reset_weapon_state();
    reset_impact_marks();
    reset_weapon_models();
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
