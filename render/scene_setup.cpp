#include "scene_setup.h"

#include "assets/font.h"
#include "assets/gl_caps.h"
#include "assets/level.h"
#include "assets/textures.h"
#include "nav/worlds.h"
#include "render/particles.h"
#include "render/visible_sets.h"
#include "render/water.h"

#include <GL/gl.h>

bool init_scene() {
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
