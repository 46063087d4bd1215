// Billboard frames, sprite-sheet cells and textured vertex pairs on a real context: matrices, stack depth,
// texture windows and vertices as OpenGL received them, and the order of the calls.
#include "corvel/billboard.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <vector>

#include "corvel/recorder.h"
#include "corvel/state.h"
#include "tests/gl/support/feedback.h"
#include "tests/gl/support/gl_context.h"
#include "tests/gl/support/gl_trace_hooks.h"

using namespace corvel;
using gltest::GLCall;

namespace {

using gltest::kIdentity;
using gltest::Matrix;

class Billboard : public gltest::GLTest {
protected:
    void SetUp() override {
        GLTest::SetUp();
        LOCKVIEWMODELSCALE = true;
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
    }
    void TearDown() override {
        LOCKVIEWMODELSCALE = true;
        GLTest::TearDown();
    }

    static GLint depth() { return integer(GL_MODELVIEW_STACK_DEPTH); }
};

Matrix translation(float x, float y, float z, float scale) {
    Matrix m = kIdentity;
    m[0] = m[5] = m[10] = scale;
    m[12] = x;
    m[13] = y;
    m[14] = z;
    return m;
}

}  // namespace

TEST_F(Billboard, FrameIsTheTranslationWithOrWithoutTheTenthScale) {
    struct Case {
        bool scale;
        Matrix expected;
    };
    const Case cases[] = {{false, translation(1, 2, -5, 1)}, {true, translation(1, 2, -5, 0.1f)}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.scale ? "scaled" : "unscaled");
        LOCKVIEWMODELSCALE = c.scale;
        LOCKVIEWMODELBEGIN(1, 2, -5);
        EXPECT_EQ(matrix(GL_MODELVIEW_MATRIX), c.expected);
        LOCKVIEWMODELEND();
    }
}

TEST_F(Billboard, RotationAndScaleAreStrippedAndTheTranslationKept) {
    LOCKVIEWMODELSCALE = false;
    glRotatef(30, 0, 1, 0);
    glScalef(2, 2, 2);
    LOCKVIEWMODELBEGIN(1, 0, 0);
    const Matrix m = matrix(GL_MODELVIEW_MATRIX);
    LOCKVIEWMODELEND();
    for (int column = 0; column < 3; ++column)
        for (int row = 0; row < 3; ++row) EXPECT_EQ(m[column * 4 + row], row == column ? 1.0f : 0.0f);
    const double angle = 30 * M_PI / 180;
    EXPECT_NEAR(m[12], 2 * std::cos(angle), 1e-6);
    EXPECT_NEAR(m[13], 0, 1e-6);
    EXPECT_NEAR(m[14], -2 * std::sin(angle), 1e-6);
    EXPECT_EQ(m[3], 0.0f);
    EXPECT_EQ(m[7], 0.0f);
    EXPECT_EQ(m[11], 0.0f);
    EXPECT_EQ(m[15], 1.0f);
}

TEST_F(Billboard, EndRestoresTheMatrixAndTheStackDepth) {
    glTranslatef(0.5f, -1, -3);
    glRotatef(40, 1, 1, 0);
    glScalef(3, 1, 2);
    const Matrix before = matrix(GL_MODELVIEW_MATRIX);
    const GLint outside = depth();
    LOCKVIEWMODELBEGIN(1, 2, 3);
    EXPECT_EQ(depth(), outside + 2);
    FINDCHARACTER(0.25f, 0.25f, 0, 0, 1, 1, 4, 4);
    EXPECT_EQ(depth(), outside + 2);
    LOCKVIEWMODELEND();
    EXPECT_EQ(depth(), outside);
    EXPECT_EQ(matrix(GL_MODELVIEW_MATRIX), before);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(Billboard, ScaleOffStaysOff) {
    LOCKVIEWMODELSCALEOFF();
    LOCKVIEWMODELSCALEOFF();
    EXPECT_FALSE(LOCKVIEWMODELSCALE);
    LOCKVIEWMODELBEGIN(0, 0, 0);
    EXPECT_EQ(matrix(GL_MODELVIEW_MATRIX), kIdentity);
    LOCKVIEWMODELEND();
}

namespace {

struct CellCase {
    const char* name;
    float x, y, px, py, sx, sy;
    int32_t rows, columns;
    float s0, s1, t0, t1;
};

const CellCase kCells[] = {
    {"whole texture", 0, 0, 0, 0, 1, 1, 1, 1, 0, 1, 0, 1},
    {"cell (2, 1) of 4 x 4", 0, 0, 2, 1, 0.5f, 0.5f, 4, 4, 0.5f, 0.75f, 0.5f, 0.75f},
    {"cell (1, 0) of 2 across, 4 down", 0, 0, 1, 0, 1, 1, 2, 4, 0.5f, 1, 0.75f, 1},
    {"half-cell shift", 0, 0, 0.5f, 0, 1, 1, 4, 4, 0.125f, 0.375f, 0.75f, 1},
    {"off-centre, non-square", 0.5f, -0.75f, 3, 3, 0.25f, 0.5f, 4, 4, 0.75f, 1, 0, 0.25f},
};

// The projection maps x and y from -2..2 onto the 256-pixel window.
float object_x(float window) {
    return window / 64 - 2;
}

}  // namespace

TEST_F(Billboard, CellQuadsCarryTheirTextureWindow) {
    glMatrixMode(GL_PROJECTION);
    glOrtho(-2, 2, -2, 2, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    for (const CellCase& c : kCells) {
        SCOPED_TRACE(c.name);
        const auto vertices = gltest::all_vertices(
            gltest::capture_feedback([&] { FINDCHARACTER(c.x, c.y, c.px, c.py, c.sx, c.sy, c.rows, c.columns); }));
        ASSERT_GE(vertices.size(), 4u);
        bool seen[2][2] = {};
        for (const auto& v : vertices) {
            const bool right = object_x(v.x) > c.x;
            const bool top = object_x(v.y) > c.y;
            seen[right][top] = true;
            EXPECT_NEAR(object_x(v.x), c.x + (right ? c.sx : -c.sx), 1e-5);
            EXPECT_NEAR(object_x(v.y), c.y + (top ? c.sy : -c.sy), 1e-5);
            EXPECT_EQ(v.s, right ? c.s1 : c.s0);
            EXPECT_EQ(v.t, top ? c.t1 : c.t0);
        }
        EXPECT_TRUE(seen[0][0] && seen[0][1] && seen[1][0] && seen[1][1]) << "a corner is missing";
    }
}

TEST_F(Billboard, CellCornersGoOutCounterClockwiseFromBottomLeft) {
    gltest::trace_start();
    FINDCHARACTER(0, 0, 1, 1, 0.5f, 0.25f, 2, 2);
    const std::vector<GLCall> expected = {
        {"glBegin", {GL_QUADS}},          {"glTexCoord2f", {0.5, 0}},
        {"glVertex3f", {-0.5, -0.25, 0}}, {"glTexCoord2f", {1, 0}},
        {"glVertex3f", {0.5, -0.25, 0}},  {"glTexCoord2f", {1, 0.5}},
        {"glVertex3f", {0.5, 0.25, 0}},   {"glTexCoord2f", {0.5, 0.5}},
        {"glVertex3f", {-0.5, 0.25, 0}},  {"glEnd", {}},
    };
    EXPECT_EQ(gltest::trace_stop(), expected);
}

TEST_F(Billboard, MirroredCellIsCulledAsABackFace) {
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    glFrontFace(GL_CCW);
    EXPECT_FALSE(gltest::capture_feedback([] { FINDCHARACTER(0, 0, 0, 0, 0.5f, 0.5f, 1, 1); }).empty());
    EXPECT_TRUE(gltest::capture_feedback([] { FINDCHARACTER(0, 0, 0, 0, -0.5f, 0.5f, 1, 1); }).empty());
}

TEST_F(Billboard, EmptyGridDrawsNothingAndPushesNothing) {
    // With the stack full, any push would raise GL_STACK_OVERFLOW.
    const GLint room = integer(GL_MAX_MODELVIEW_STACK_DEPTH) - depth();
    for (GLint i = 0; i < room; ++i) glPushMatrix();
    ASSERT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    const int32_t grids[][2] = {{0, 1}, {1, 0}, {0, 0}, {-2, 4}, {4, -1}};
    for (const auto& grid : grids) {
        SCOPED_TRACE(testing::Message() << grid[0] << " x " << grid[1]);
        gltest::trace_start();
        FINDCHARACTER(0, 0, 1, 1, 1, 1, grid[0], grid[1]);
        EXPECT_TRUE(gltest::trace_stop().empty());
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }
    // The probe itself: a real cell at a full stack does overflow.
    FINDCHARACTER(0, 0, 0, 0, 1, 1, 1, 1);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_STACK_OVERFLOW));
}

TEST_F(Billboard, LineFreeSendsTexCoordsBeforeTheirVerticesOnlyWhenAsked) {
    struct Case {
        bool texture;
        std::vector<GLCall> calls;
        float s1, t1, s2, t2;
    };
    const Case cases[] = {
        {false,
         {{"glBegin", {GL_LINES}}, {"glVertex3f", {-0.5, 0.25, 0}}, {"glVertex3f", {0.5, -0.25, 0}}, {"glEnd", {}}},
         0.375f,
         0.625f,
         0.375f,
         0.625f},
        {true,
         {{"glBegin", {GL_LINES}},
          {"glTexCoord2f", {0.125, 0.25}},
          {"glVertex3f", {-0.5, 0.25, 0}},
          {"glTexCoord2f", {0.75, 0.875}},
          {"glVertex3f", {0.5, -0.25, 0}},
          {"glEnd", {}}},
         0.125f,
         0.25f,
         0.75f,
         0.875f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.texture ? "textured" : "untextured");
        auto draw = [&] {
            glTexCoord2f(0.375f, 0.625f);
            gltest::trace_start();
            GLBEGIN(GL_LINES);
            LINEFREE(0.125f, 0.25f, 0.75f, 0.875f, -0.5f, 0.25f, 0, 0.5f, -0.25f, 0, c.texture);
            GLEND();
        };
        const auto vertices = gltest::all_vertices(gltest::capture_feedback(draw));
        EXPECT_EQ(gltest::trace_stop(), c.calls);
        ASSERT_EQ(vertices.size(), 2u);
        EXPECT_EQ(vertices[0].s, c.s1);
        EXPECT_EQ(vertices[0].t, c.t1);
        EXPECT_EQ(vertices[1].s, c.s2);
        EXPECT_EQ(vertices[1].t, c.t2);
        EXPECT_FLOAT_EQ(vertices[0].x, 64);
        EXPECT_FLOAT_EQ(vertices[1].y, 96);
    }
}
