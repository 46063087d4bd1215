// The GL harness itself: a real Mesa context whose vertices and pixels can be read back.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstring>

#include "tests/gl/support/feedback.h"
#include "tests/gl/support/gl_context.h"

using gltest::GLTest;

TEST_F(GLTest, ContextIsSoftwareMesaWithCompatibilityProfile) {
    const char* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    ASSERT_NE(renderer, nullptr);
    EXPECT_NE(std::strstr(renderer, "llvmpipe"), nullptr) << renderer;
    glBegin(GL_POINTS);
    glVertex3f(0, 0, 0);
    glEnd();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(GLTest, FeedbackReportsWindowCoordinatesAndTexCoords) {
    const auto primitives = gltest::capture_feedback([] {
        glBegin(GL_POINTS);
        glTexCoord2f(0.25f, 0.75f);
        glVertex3f(0.5f, -0.5f, 0.0f);
        glEnd();
    });
    ASSERT_EQ(primitives.size(), 1u);
    ASSERT_EQ(primitives[0].token, static_cast<GLenum>(GL_POINT_TOKEN));
    const auto& v = primitives[0].vertices[0];
    EXPECT_FLOAT_EQ(v.x, 0.75f * kWidth);
    EXPECT_FLOAT_EQ(v.y, 0.25f * kHeight);
    EXPECT_FLOAT_EQ(v.s, 0.25f);
    EXPECT_FLOAT_EQ(v.t, 0.75f);
}

TEST_F(GLTest, ClearedPixelsReadBack) {
    glClearColor(1.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    const auto pixels = read_pixels(10, 10, 1, 1);
    EXPECT_EQ(pixels[0], 255);
    EXPECT_EQ(pixels[1], 0);
    EXPECT_EQ(pixels[2], 0);
}
