// SETGLMOUSEMOVE on a real context: the model-view matrix it leaves and the translation it records.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "corvel/input.h"
#include "corvel/state.h"
#include "tests/gl/support/gl_context.h"

using namespace corvel;

namespace {

class MouseMove : public gltest::GLTest {};

// Builds the expected matrix with the same GL calls, from identity.
std::array<float, 16> expected(float tx, float ty, float tz, float a1, const float* axis1, float a2,
                               const float* axis2) {
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glTranslatef(tx, ty, tz);
    glRotatef(a1, axis1[0], axis1[1], axis1[2]);
    glRotatef(a2, axis2[0], axis2[1], axis2[2]);
    std::array<float, 16> m{};
    glGetFloatv(GL_MODELVIEW_MATRIX, m.data());
    glPopMatrix();
    return m;
}

struct ModeCase {
    int32_t mode;
    float translation[3];  // times DEPTH
    float axis1[3];
    float axis2[3];
};

TEST_F(MouseMove, EachModeTranslatesAndTurnsTheCurrentMatrix) {
    const ModeCase cases[] = {
        {GL_M0, {0, 0, -1}, {1, 0, 0}, {0, 1, 0}},
        {GL_MX, {0, -1, 0}, {1, 0, 0}, {0, 0, 1}},
        {GL_MY, {-1, 0, 0}, {0, 0, -1}, {0, 1, 0}},
        {GL_MZ, {0, 0, -1}, {0, 1, 0}, {1, 0, 0}},
    };
    DEPTH = 5.0f;
    XROT = 30.0f;
    YROT = -20.0f;
    for (const ModeCase& c : cases) {
        const auto want = expected(c.translation[0] * DEPTH, c.translation[1] * DEPTH, c.translation[2] * DEPTH, XROT,
                                   c.axis1, YROT, c.axis2);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        SETGLMOUSEMOVE(c.mode, 2);
        EXPECT_EQ(MSPEED, 2);
        EXPECT_FLOAT_EQ(MY.X, c.translation[0] * DEPTH) << c.mode;
        EXPECT_FLOAT_EQ(MY.Y, c.translation[1] * DEPTH) << c.mode;
        EXPECT_FLOAT_EQ(MY.Z, c.translation[2] * DEPTH) << c.mode;
        const auto got = matrix(GL_MODELVIEW_MATRIX);
        for (int i = 0; i < 16; ++i) EXPECT_NEAR(got[i], want[i], 1e-5f) << "mode " << c.mode << " element " << i;
    }
}

TEST_F(MouseMove, NegativeAxisOfModeY) {
    DEPTH = 5.0f;
    XROT = 90.0f;
    YROT = 0.0f;
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    SETGLMOUSEMOVE(GL_MY, 1);
    const auto m = matrix(GL_MODELVIEW_MATRIX);
    // 90 degrees about -Z sends +X to -Y: the first column is (0, -1, 0).
    EXPECT_NEAR(m[0], 0.0f, 1e-6f);
    EXPECT_NEAR(m[1], -1.0f, 1e-6f);
    EXPECT_NEAR(m[12], -5.0f, 1e-6f);
}

TEST_F(MouseMove, ZeroCameraLeavesTheMatrix) {
    DEPTH = XROT = YROT = 0.0f;
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(1, 2, 3);
    const auto before = matrix(GL_MODELVIEW_MATRIX);
    SETGLMOUSEMOVE(GL_M0, 2);
    EXPECT_EQ(MY.X, 0.0f);
    EXPECT_EQ(MY.Y, 0.0f);
    EXPECT_EQ(MY.Z, 0.0f);
    EXPECT_EQ(matrix(GL_MODELVIEW_MATRIX), before);
}

TEST_F(MouseMove, UnknownModeSetsOnlyTheSpeed) {
    DEPTH = 5.0f;
    XROT = 30.0f;
    MY = TGLVERTEX{7.0f, 8.0f, 9.0f};
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glRotatef(10, 0, 0, 1);
    const auto before = matrix(GL_MODELVIEW_MATRIX);
    SETGLMOUSEMOVE(7, 3);
    EXPECT_EQ(MSPEED, 3);
    EXPECT_EQ(MY.X, 7.0f);
    EXPECT_EQ(MY.Z, 9.0f);
    EXPECT_EQ(matrix(GL_MODELVIEW_MATRIX), before);
}

}  // namespace
