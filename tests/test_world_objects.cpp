// The objects the frame places itself: what each issues and the state it leaves, and the
// colour a placement block gives back.
#include "scene/blocks.h"
#include "support.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

namespace {

class WorldObjects : public ::testing::Test {
protected:
    void SetUp() override {
        reset_everything();
        ASSERT_TRUE(start_windowed_program());
    }
    void TearDown() override { reset_everything(); }
};

} // namespace

TEST_F(WorldObjects, ANestedPlacementGivesBackTheColourOfTheBlockAroundIt) {
    glColor3f(1, 1, 1);
    {
        Placement outer;
        glColor3f(0, 0, 1);
        {
            Placement inner;
            glColor3ub(250, 50, 250);
        }
    }
    GLfloat colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_FLOAT_EQ(colour[0], 1);
    EXPECT_FLOAT_EQ(colour[1], 1);
    EXPECT_FLOAT_EQ(colour[2], 1);
}
