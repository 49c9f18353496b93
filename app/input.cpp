#include "input.h"

#include "app/timer.h"

#include <GL/gl.h>

bool keys[KEY_COUNT];

void apply_held_keys() {
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
}
