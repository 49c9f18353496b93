// A placement block: the modelview matrix and the current colour, normal and texture
// coordinate are saved for the scope and restored after it.
#pragma once

#include <GL/gl.h>

struct Placement {
    Placement() {
        glPushMatrix();
        glPushAttrib(GL_CURRENT_BIT);
    }
    ~Placement() {
        glPopAttrib();
        glPopMatrix();
    }
    Placement(const Placement&) = delete;
    Placement& operator=(const Placement&) = delete;
};
