// The default path leaves out the placed objects, and the pieces of the table-driven ones,
// whose boxes lie wholly outside the view. That is exact only while each box holds all
// its object draws in any state of its animation, while leaving an object out changes
// nothing a later object reads, and while each object binds the textures it draws with.
#include "app/session.h"
#include "assets/textures.h"
#include "nav/gates.h"
#include "nav/worlds.h"
#include "render/animations.h"
#include "render/placed_culling.h"
#include "scene/animation.h"
#include "scene/world_objects.h"
#include "support.h"
#include "tools/census/census.h"

#include <GL/gl.h>
#include <GL/glext.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace {

// Every printed state field but the frame-rate counter's, which follows the clock.
std::map<std::string, double> printed_state() {
    FieldList fields;
    list_session_fields(&fields);
    std::map<std::string, double> out;
    for (const StateValue& v : fields)
        if (v.printed && v.name.rfind("fps", 0) != 0) out[v.name] = v.is_flag ? v.flag : v.number;
    return out;
}

// The GL state a drawn object could leave behind that a later draw reads.
std::vector<float> gl_state() {
    std::vector<float> out;
    for (GLenum cap : {GL_CULL_FACE, GL_BLEND, GL_DEPTH_TEST, GL_TEXTURE_2D, GL_TEXTURE_GEN_S, GL_TEXTURE_GEN_T,
                       GL_LIGHTING, GL_NORMALIZE, GL_CLIP_PLANE0, GL_CLIP_PLANE1, GL_CLIP_PLANE2})
        out.push_back(glIsEnabled(cap));
    for (GLenum name : {GL_TEXTURE_BINDING_2D, GL_FRONT_FACE, GL_LIGHT_MODEL_TWO_SIDE, GL_LIGHT_MODEL_COLOR_CONTROL,
                        GL_MODELVIEW_STACK_DEPTH, GL_ATTRIB_STACK_DEPTH, GL_MATRIX_MODE}) {
        GLint v = 0;
        glGetIntegerv(name, &v);
        out.push_back(static_cast<float>(v));
    }
    GLint mode = 0;
    glGetTexGeniv(GL_S, GL_TEXTURE_GEN_MODE, &mode);
    out.push_back(static_cast<float>(mode));
    GLfloat v[16];
    glGetFloatv(GL_POINT_SIZE, v);
    out.push_back(v[0]);
    glGetFloatv(GL_CURRENT_COLOR, v);
    out.insert(out.end(), v, v + 4);
    glGetFloatv(GL_MODELVIEW_MATRIX, v);
    out.insert(out.end(), v, v + 16);
    return out;
}

const char* AXIS[] = {"x", "y", "z"};

// The census's bounds (a box in the frame the census started in) lie within `box`.
void expect_within(const CensusResult& r, const Box& box) {
    ASSERT_TRUE(r.any_geometry);
    const float lo[3] = {box.x0, box.y0, box.z0}, hi[3] = {box.x1, box.y1, box.z1};
    for (int k = 0; k < 3; ++k) {
        EXPECT_LE(lo[k], r.bounds[k]) << AXIS[k] << " low";
        EXPECT_GE(hi[k], r.bounds[k + 3]) << AXIS[k] << " high";
    }
}

// Each placed object is measured in the world it is placed in, after a frame there, so
// that its slots resolve and the GL state is the frame's.
class PlacedObjects : public ::testing::Test {
protected:
    void SetUp() override {
        reset_everything();
        ASSERT_TRUE(start_windowed_program());
        run_frames(1);
    }
    void TearDown() override { reset_everything(); }
    static void enter_world(int world) {
        if (current_world() == world) return;
        switch_world(world, 1.6f);
        run_frames(1);
        ASSERT_EQ(current_world(), world);
    }
};

int world_of(void (*draw)()) {
    if (draw == draw_glow_lantern || draw == draw_hanging_oval_sign || draw == draw_hanging_board_sign) return 2;
    return 1;
}

TEST_F(PlacedObjects, EachBoxHoldsWhatItsObjectDrawsThroughItsAnimation) {
    for (const PlacedBounds& object : PLACED_BOUNDS) {
        enter_world(world_of(object.draw));
        SCOPED_TRACE("row " + std::to_string(&object - PLACED_BOUNDS + 1));
        // The spinner's arms and the orb's cloud turn a full circle, the signs swing to
        // both ends, in steps that the census draws.
        for (int step = 0; step <= 24; ++step) {
            world_objects.spinner_angle = 15.0f * static_cast<float>(step);
            model_state.orb_spin_angle = 15.0f * static_cast<float>(step);
            turn_spiral_spinner();
            turn_ring_orb();
            animation.sign_swing_angle = -50 + 100 * static_cast<float>(step) / 24;
            SCOPED_TRACE("step " + std::to_string(step));
            expect_within(census_run(object.draw), object.box);
        }
    }
}

// Leaving an object out changes nothing that a later object reads: from the same start and
// the state the frame gives it, the same session state and GL state after either, but for
// the texture left bound, which every object binds for itself (the frames prove that).
struct After {
    std::map<std::string, double> session;
    std::vector<float> gl;
};
After after_one(const PlacedBounds& object, bool draw) {
    reset_everything();
    EXPECT_TRUE(start_windowed_program());
    run_frames(1);
    switch_world(world_of(object.draw), 1.6f);
    run_frames(1);
    glPointSize(0.05f); // as the frame leaves it before the orb
    {
        Placement block;
        if (draw) object.draw();
    }
    glBindTexture(GL_TEXTURE_2D, 0);
    return {printed_state(), gl_state()};
}

// The object's pixels in front of the camera, drawn after `bound` was left bound.
std::vector<unsigned char> pixels_after_binding(const PlacedBounds& object, GLuint bound) {
    const Box& b = object.box;
    const float size = std::max({b.x1 - b.x0, b.y1 - b.y0, b.z1 - b.z0});
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glBindTexture(GL_TEXTURE_2D, bound);
    {
        Placement block;
        glLoadIdentity();
        glTranslatef(-(b.x0 + b.x1) / 2, -(b.y0 + b.y1) / 2, -(b.z0 + b.z1) / 2 - 2 * size);
        if (object.draw) object.draw();
    }
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    std::vector<unsigned char> out(static_cast<size_t>(viewport[2]) * viewport[3] * 4);
    glReadPixels(0, 0, viewport[2], viewport[3], GL_RGBA, GL_UNSIGNED_BYTE, out.data());
    return out;
}

TEST_F(PlacedObjects, EachObjectBindsTheTexturesItDrawsWith) {
    for (const PlacedBounds& object : PLACED_BOUNDS) {
        enter_world(world_of(object.draw));
        SCOPED_TRACE("row " + std::to_string(&object - PLACED_BOUNDS + 1));
        const std::vector<unsigned char> after_none = pixels_after_binding(object, 0);
        ASSERT_FALSE(after_none == pixels_after_binding({nullptr, object.box}, 0))
            << "the object is out of the picture";
        for (int slot : {0, 5, 13})
            EXPECT_TRUE(pixels_after_binding(object, textures.texture_names[slot]) == after_none);
    }
}

TEST_F(PlacedObjects, LeavingOutDoesAllTheDrawingDoesButThePixels) {
    for (const PlacedBounds& object : PLACED_BOUNDS) {
        SCOPED_TRACE("row " + std::to_string(&object - PLACED_BOUNDS + 1));
        const After drawn = after_one(object, true), left_out = after_one(object, false);
        EXPECT_EQ(left_out.session, drawn.session);
        EXPECT_EQ(left_out.gl, drawn.gl);
    }
}

} // namespace
