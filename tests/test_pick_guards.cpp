// The pick's guards, seen through the GL calls it makes: the linker routes gluPerspective,
// glSelectBuffer and glRenderMode of this test binary through the wrappers below, which
// pass every call on and, when asked, record the aspect or report a hit record of their own.
#include "nav/player.h"
#include "render/view.h"
#include "support.h"
#include "weapons/targets.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <cmath>

extern "C" {
void __real_gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble near_plane, GLdouble far_plane);
void __real_glSelectBuffer(GLsizei size, GLuint* buffer);
GLint __real_glRenderMode(GLenum mode);
}

namespace {

struct Intercept {
    double last_aspect = 0; // the aspect of the last gluPerspective
    GLuint* select_buffer = nullptr;
    bool fake_hit = false; // the next return to GL_RENDER reports one hit named fake_name
    GLuint fake_name = 0;
};
Intercept intercept;

} // namespace

extern "C" {
void __wrap_gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble near_plane, GLdouble far_plane) {
    intercept.last_aspect = aspect;
    __real_gluPerspective(fovy, aspect, near_plane, far_plane);
}
void __wrap_glSelectBuffer(GLsizei size, GLuint* buffer) {
    intercept.select_buffer = buffer;
    __real_glSelectBuffer(size, buffer);
}
GLint __wrap_glRenderMode(GLenum mode) {
    const GLint result = __real_glRenderMode(mode);
    if (mode != GL_RENDER || !intercept.fake_hit || !intercept.select_buffer) return result;
    intercept.fake_hit = false;
    GLuint* record = intercept.select_buffer;
    record[0] = 1; // one name
    record[1] = record[2] = 0;
    record[3] = intercept.fake_name;
    return 1;
}
}

namespace {

class PickGuards : public ::testing::Test {
protected:
    void SetUp() override {
        reset_everything();
        intercept = Intercept{};
        ASSERT_TRUE(start_windowed_program());
        player = PlayerState{10, 10, 1, 0, 0}; // looking away from the targets
        glLoadIdentity();
        apply_camera();
    }
    void TearDown() override {
        intercept = Intercept{};
        reset_everything();
    }
};

} // namespace

// A window with no client area leaves a viewport of no height; the pick divides by it.
TEST_F(PickGuards, AViewportOfNoHeightGivesAFiniteAspect) {
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    glViewport(0, 0, viewport[2], 0);
    pick_targets();
    EXPECT_TRUE(std::isfinite(intercept.last_aspect));
    EXPECT_DOUBLE_EQ(intercept.last_aspect, viewport[2]); // as if one row high
    glViewport(0, 0, 0, 0);
    pick_targets();
    EXPECT_TRUE(std::isfinite(intercept.last_aspect));
    EXPECT_TRUE(targets.target_visible[0] && targets.target_visible[1] && targets.target_visible[2]);
}

// A hit record with a name beyond the three targets changes nothing, not even the bytes
// after the visibility flags; a name in range hides its target.
TEST_F(PickGuards, AHitNameOutsideTheTargetsIsIgnored) {
    for (int32_t& counter : targets.target_respawn_counter) counter = 0x55;
    for (GLuint name : {3u, 4u, 5u, 64u, 0xFFFFFFFFu}) {
        intercept.fake_hit = true;
        intercept.fake_name = name;
        pick_targets();
        EXPECT_FALSE(intercept.fake_hit) << "the pick did not return to render mode";
        EXPECT_TRUE(targets.target_visible[0] && targets.target_visible[1] && targets.target_visible[2]) << name;
        for (int32_t counter : targets.target_respawn_counter) EXPECT_EQ(counter, 0x55) << name;
    }
    intercept.fake_hit = true;
    intercept.fake_name = 1;
    pick_targets();
    EXPECT_FALSE(targets.target_visible[1]);
    EXPECT_TRUE(targets.target_visible[0] && targets.target_visible[2]);
}
