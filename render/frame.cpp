#include "frame.h"

#include "app/timer.h"

#include <GL/gl.h>

bool render_frame() {
    update_frame_counter();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    return true;
}
