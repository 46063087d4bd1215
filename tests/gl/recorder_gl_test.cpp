// What the vertex recorder actually hands to OpenGL: exact call order in each mode, and edit-mode vertices
// reaching the rasteriser.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "corvel/recorder.h"
#include "corvel/state.h"
#include "tests/gl/support/feedback.h"
#include "tests/gl/support/gl_context.h"
#include "tests/gl/support/gl_trace_hooks.h"

using namespace corvel;
using gltest::GLCall;

namespace {

class RecorderGL : public gltest::GLTest {
protected:
    void SetUp() override {
        GLTest::SetUp();
        std::memset(&GLBASEVERTEX3F, 0, sizeof GLBASEVERTEX3F);
        GLVERT3FREMOVE = false;
        GLVERT3FENABLEEDIT = false;
    }
    void TearDown() override {
        GLVERT3FREMOVE = false;
        GLVERT3FENABLEEDIT = false;
        GLTest::TearDown();
    }
};

const float kQuad[4][3] = {{-0.5f, -0.5f, 0}, {0.5f, -0.5f, 0}, {0.5f, 0.5f, 0.25f}, {-0.5f, 0.5f, -0.25f}};

std::vector<GLCall> traced_quad_batch() {
    gltest::trace_start();
    GLBEGIN(GL_QUADS);
    for (const auto& v : kQuad) GLVERTEX3F(v[0], v[1], v[2]);
    GLEND();
    return gltest::trace_stop();
}

bool all_zero(const TGLVERTEX3F& rec) {
    static const TGLVERTEX3F zero{};
    return std::memcmp(&rec, &zero, sizeof rec) == 0;
}

}  // namespace

TEST_F(RecorderGL, PassThroughSendsExactlyTheBatch) {
    GLBASEVERTEX3F.GLVERT3FSETNUM = 9;
    const std::vector<GLCall> expected = {
        {"glBegin", {GL_QUADS}},          {"glVertex3f", {-0.5, -0.5, 0}},    {"glVertex3f", {0.5, -0.5, 0}},
        {"glVertex3f", {0.5, 0.5, 0.25}}, {"glVertex3f", {-0.5, 0.5, -0.25}}, {"glEnd", {}},
    };
    EXPECT_EQ(traced_quad_batch(), expected);
    EXPECT_EQ(GLBASEVERTEX3F.GLVERT3FMAX, 9);
    GLBASEVERTEX3F.GLVERT3FSETNUM = 0;
    GLBASEVERTEX3F.GLVERT3FMAX = 0;
    EXPECT_TRUE(all_zero(GLBASEVERTEX3F)) << "pass-through stored or counted something";
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(RecorderGL, SuppressedMakesNoCallInEitherMode) {
    GLVERT3FREMOVE = true;
    EXPECT_TRUE(traced_quad_batch().empty());

    GLVERT3FENABLEEDIT = true;
    GLBASEVERTEX3F.GLVERT3FSETNUM = 4;
    EXPECT_TRUE(traced_quad_batch().empty());
    EXPECT_EQ(GLBASEVERTEX3F.GLVERT3FCOUNT, 4);
    for (int slot = 1; slot <= 4; ++slot) {
        EXPECT_EQ(GLBASEVERTEX3F.GLVERT3F[slot].X, kQuad[slot - 1][0]);
        EXPECT_EQ(GLBASEVERTEX3F.GLVERT3F[slot].Z, kQuad[slot - 1][2]);
    }
}

TEST_F(RecorderGL, EditModeSendsTheTransformedVertex) {
    TGLVERTEX3F& rec = GLBASEVERTEX3F;
    rec.GLVERT3FTMPSCALE[1] = TGLVECTOR{2, 2, 2};
    rec.GLVERT3FTMP[1] = TGLVECTOR{1, 0, 0};
    rec.GLVERT3FTMPPOSROT[1] = TGLVECTOR{0, 1, 0};
    rec.GLVERT3FTMPROTATE[1] = TGLVECTOR{0, 0, 90};
    rec.GLVERT3FSETNUM = 1;
    GLVERT3FENABLEEDIT = true;
    gltest::trace_start();
    GLBEGIN(GL_POINTS);
    GLVERTEX3F(1, 0, 0);
    GLEND();
    const std::vector<GLCall> expected = {
        {"glBegin", {GL_POINTS}},
        {"glVertex3f", {std::nextafter(-1.0f, -2.0f), 3, 0}},
        {"glEnd", {}},
    };
    EXPECT_EQ(gltest::trace_stop(), expected);
}

TEST_F(RecorderGL, EditModeVerticesReachTheRasteriser) {
    // Slot 1 shifts right by 0.5, slot 2 is flattened onto x = 0; the viewport is 256 wide.
    TGLVERTEX3F& rec = GLBASEVERTEX3F;
    rec.GLVERT3FTMP[1] = TGLVECTOR{0.5f, 0, 0};
    rec.GLVERT3FTMPSCALE[2] = TGLVECTOR{0, 1, 1};
    rec.GLVERT3FSETNUM = 2;
    GLVERT3FENABLEEDIT = true;
    const auto points = gltest::all_vertices(gltest::capture_feedback([] {
        GLBEGIN(GL_POINTS);
        GLVERTEX3F(0, 0, 0);
        GLVERTEX3F(0.75f, -0.5f, 0);
        GLEND();
    }));
    ASSERT_EQ(points.size(), 2u);
    EXPECT_FLOAT_EQ(points[0].x, 192);
    EXPECT_FLOAT_EQ(points[0].y, 128);
    EXPECT_FLOAT_EQ(points[1].x, 128);
    EXPECT_FLOAT_EQ(points[1].y, 64);
}
