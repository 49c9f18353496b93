#include "scene_setup.h"

#include "assets/font.h"
#include "assets/gl_caps.h"
#include "assets/level.h"
#include "assets/textures.h"
#include "nav/worlds.h"
#include "render/frame.h"
#include "render/particles.h"
#include "render/visible_sets.h"
#include "render/water.h"

#include <GL/gl.h>

namespace {

// Render's part of the world table. Every window's scene is set up here (by the program, the
// tools and the tests alike) before its first frame, so handing it down here comes first.
// clang-format off
void attach_render_functions() {
    attach_world_functions(1, water_init, step_world1, draw_world1);
    attach_world_functions(2, nullptr,    step_world2, draw_world2);
    attach_world_functions(3, nullptr,    step_world3, draw_world3);
}
// clang-format on

} // namespace

bool init_scene() {
    attach_render_functions();
    glEnable(GL_TEXTURE_2D);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glClearColor(0, 0, 0, 0);
    glClearDepth(1.0);
    glDepthFunc(GL_LESS);
    glEnable(GL_DEPTH_TEST);
    glShadeModel(GL_SMOOTH);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    query_gl_caps();
    const int world = current_world();
    const WorldRecord* record = world_record(world);
    if (record && record->init) record->init();
    // A set still loaded here belongs to a world left without the key step (tests, tools).
    if (textures.texture_set_loaded) delete_textures();
    if (!load_textures(world)) return false;
    build_font();
    load_level(world);
    load_visible_sets(world);
    particles_init();
    return true;
}

void release_scene() {
    if (textures.texture_set_loaded) delete_textures();
    delete_font();
}

void forget_scene() {
    forget_textures();
    forget_font();
    forget_gl_caps();
}

void load_world_untextured() {
    // Never leave the previous world's geometry: this world's level, untextured.
    load_blank_textures();
    build_font();
    load_level(current_world());
    load_visible_sets(current_world());
    particles_init();
}

void set_lighting(bool on) {
    if (on) {
        glEnable(GL_LIGHTING);
        glEnable(GL_LIGHT0);
    } else {
        glDisable(GL_LIGHTING);
        glDisable(GL_LIGHT0);
    }
}
