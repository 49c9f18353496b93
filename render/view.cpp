#include "view.h"

#include "nav/player.h"
#include "platform/platform.h"

#include <GL/gl.h>
#include <GL/glu.h>

ViewState view;

void reset_view() { view = ViewState{}; }

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
    // A size that arrives with no context current is only recorded: the next open sets
    // the viewport and projection from it.
    if (!platform_context_current()) return;
    glViewport(0, 0, width, height);
    reproject();
    glLoadIdentity();
}

void resize_to_window(int width, int height) {
    // A fullscreen window covers the desktop, whatever size was asked for.
    int real_width = 0, real_height = 0;
    if (platform_get_client_size(&real_width, &real_height)) resize_view(real_width, real_height);
    else resize_view(width, height);
}

void apply_camera() { apply_camera_at({player.x, player.eye_height, player.z}); }

void apply_camera_at(const Vec3& eye) {
    glRotatef(player.pitch, 1, 0, 0);
    glRotatef(360 - player.heading, 0, 1, 0);
    glTranslatef(-eye.x, -eye.y, -eye.z);
}
