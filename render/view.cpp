#include "view.h"

#include <GL/gl.h>
#include <GL/glu.h>

ViewState view = {0, 0, 45};

void reset_view() { view = ViewState{0, 0, 45}; }

void reproject() {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(view.field_of_view, static_cast<double>(view.view_width) / static_cast<double>(view.view_height),
                   NEAR_PLANE, FAR_PLANE);
    glMatrixMode(GL_MODELVIEW);
}

void resize_view(int width, int height) {
    if (height == 0) height = 1;
    view.view_width = width;
    view.view_height = height;
    glViewport(0, 0, width, height);
    reproject();
    glLoadIdentity();
}
