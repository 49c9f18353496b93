#include "probe.h"

#include "render/level_mesh.h"
#include "render/view.h"

#include <GL/gl.h>
#include <GL/glu.h>

bool probe_pixel(int x, int y, float* depth, Vec3* point) {
    if (x < 0 || y < 0 || x >= view.view_width || y >= view.view_height) return false;
    const int row = view.view_height - 1 - y;
    GLfloat z = 1;
    glReadPixels(x, row, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &z);
    *depth = z;
    if (z >= 1.0f) return false;
    GLdouble model[16], projection[16];
    for (int i = 0; i < 16; ++i) {
        model[i] = level_draw.camera_modelview[i];
        projection[i] = level_draw.camera_projection[i];
    }
    const GLint viewport[4] = {0, 0, view.view_width, view.view_height};
    GLdouble wx = 0, wy = 0, wz = 0;
    if (gluUnProject(x + 0.5, row + 0.5, z, model, projection, viewport, &wx, &wy, &wz) != GL_TRUE) return false;
    *point = {static_cast<float>(wx), static_cast<float>(wy), static_cast<float>(wz)};
    return true;
}
