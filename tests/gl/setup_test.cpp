// The fixed set-ups on a real context: the projection, viewport, clear values, lights and render state they
// leave behind, read back with glGet*.
#include "corvel/setup.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <functional>

#include "corvel/state.h"
#include "tests/gl/support/feedback.h"
#include "tests/gl/support/gl_context.h"

using namespace corvel;

namespace {

using gltest::Matrix;
using Floats4 = std::array<float, 4>;

using gltest::kIdentity;

class Setup : public gltest::GLTest {
protected:
    void SetUp() override {
        GLTest::SetUp();
        WIDTH = 800;
        HEIGHT = 600;
    }

    // The projection OpenGL itself builds from `build`, leaving the current state as it was.
    static Matrix reference_projection(const std::function<void()>& build) {
        glMatrixMode(GL_PROJECTION);
        glPushMatrix();
        glLoadIdentity();
        build();
        const Matrix m = matrix(GL_PROJECTION_MATRIX);
        glPopMatrix();
        return m;
    }

    static bool enabled(GLenum capability) { return glIsEnabled(capability) == GL_TRUE; }

    static Floats4 light(GLenum name, GLenum parameter) {
        Floats4 v{};
        glGetLightfv(name, parameter, v.data());
        return v;
    }

    // State the set-ups must overwrite, so a test sees their effect rather than OpenGL's defaults.
    static void dirty_state() {
        glClearColor(0.9f, 0.8f, 0.7f, 0.6f);
        glClearDepth(0.25);
        glMatrixMode(GL_MODELVIEW);
        glTranslatef(3, 4, 5);
        glMatrixMode(GL_PROJECTION);
        glScalef(2, 2, 2);
        glDisable(GL_DEPTH_TEST);
        glDepthFunc(GL_LESS);
        glDisable(GL_NORMALIZE);
        glViewport(1, 2, 3, 4);
    }

    static void expect_common_projection_state(const Matrix& projection) {
        EXPECT_EQ(matrix(GL_PROJECTION_MATRIX), projection);
        EXPECT_EQ(matrix(GL_MODELVIEW_MATRIX), kIdentity);
        EXPECT_EQ(integer(GL_MATRIX_MODE), GL_MODELVIEW);
        GLint viewport[4] = {};
        glGetIntegerv(GL_VIEWPORT, viewport);
        EXPECT_EQ(viewport[0], 0);
        EXPECT_EQ(viewport[1], 0);
        EXPECT_EQ(viewport[2], WIDTH);
        EXPECT_EQ(viewport[3], HEIGHT);
        EXPECT_TRUE(enabled(GL_DEPTH_TEST));
        EXPECT_EQ(integer(GL_DEPTH_FUNC), GL_LEQUAL);
        EXPECT_TRUE(enabled(GL_NORMALIZE));
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }
};

}  // namespace

TEST_F(Setup, PerspectiveSetUpLeavesItsState) {
    struct Case {
        int32_t width, height;
        double depth, a, r, g, b;
        Floats4 clear;
        float clear_depth;
        bool blend_and_lighting;
    };
    const Case cases[] = {
        {800, 600, 100, 0, 0, 0, 0, {0, 0, 0, 0}, 1, false},
        {800, 600, 0.5, 1, 0.2, 0.4, 0.6, {0.2f, 0.4f, 0.6f, 1}, 0.5f, true},
        {600, 800, 30, 0.5, 1, 0, 0.25, {1, 0, 0.25f, 0.5f}, 1, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height << ", depth " << c.depth);
        WIDTH = c.width;
        HEIGHT = c.height;
        const Matrix projection =
            reference_projection([&] { gluPerspective(45.0, static_cast<double>(c.width) / c.height, 0.1, c.depth); });
        dirty_state();
        glColor4f(0, 0, 0, 1);
        glBlendFunc(GL_ONE, GL_ZERO);
        glHint(GL_LINE_SMOOTH_HINT, GL_FASTEST);
        glDisable(GL_AUTO_NORMAL);
        if (c.blend_and_lighting) {
            glEnable(GL_BLEND);
            glEnable(GL_LIGHTING);
        } else {
            glDisable(GL_BLEND);
            glDisable(GL_LIGHTING);
        }

        OPENGL_INIT(c.depth, c.a, c.r, c.g, c.b);

        expect_common_projection_state(projection);
        EXPECT_EQ(floats4(GL_COLOR_CLEAR_VALUE), c.clear);
        GLfloat clear_depth = 0;
        glGetFloatv(GL_DEPTH_CLEAR_VALUE, &clear_depth);
        EXPECT_EQ(clear_depth, c.clear_depth);
        EXPECT_EQ(floats4(GL_CURRENT_COLOR), (Floats4{1, 1, 1, 0.5f}));
        EXPECT_EQ(integer(GL_BLEND_SRC), GL_SRC_ALPHA);
        EXPECT_EQ(integer(GL_BLEND_DST), GL_ONE);
        EXPECT_EQ(enabled(GL_BLEND), c.blend_and_lighting);
        EXPECT_EQ(enabled(GL_LIGHTING), c.blend_and_lighting);
        EXPECT_EQ(integer(GL_LIGHT_MODEL_LOCAL_VIEWER), 1);
        EXPECT_EQ(integer(GL_LINE_SMOOTH_HINT), GL_NICEST);
        EXPECT_EQ(integer(GL_POLYGON_SMOOTH_HINT), GL_NICEST);
        EXPECT_EQ(integer(GL_PERSPECTIVE_CORRECTION_HINT), GL_NICEST);
        EXPECT_TRUE(enabled(GL_AUTO_NORMAL));
    }
}

TEST_F(Setup, FlatSetUpProjectsFourUnitsAcrossAndPublishesTheOffsets) {
    struct Case {
        int32_t width, height;
        double half_height;
        float offx, offy;
    };
    const Case cases[] = {
        {800, 600, 1.5, -2.05f, -1.45f},
        {600, 800, 1600.0 / 600, -1.05f, -0.45f},
        {256, 256, 2, -1.05f, -0.45f},
        {100, 250, 5, -0.05f, 0.55f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
        WIDTH = c.width;
        HEIGHT = c.height;
        const Matrix projection = reference_projection([&] { glOrtho(-2, 2, -c.half_height, c.half_height, -2, 2); });
        dirty_state();
        glColor4f(0.3f, 0.2f, 0.1f, 0.9f);
        glBlendFunc(GL_ONE, GL_ZERO);
        glHint(GL_LINE_SMOOTH_HINT, GL_FASTEST);
        glEnable(GL_LIGHTING);

        OPENGL_I2D(1, 0.2, 0.4, 0.6);

        expect_common_projection_state(projection);
        EXPECT_EQ(OFFX, c.offx);
        EXPECT_EQ(OFFY, c.offy);
        EXPECT_EQ(floats4(GL_COLOR_CLEAR_VALUE), (Floats4{0.2f, 0.4f, 0.6f, 1}));
        EXPECT_EQ(floats4(GL_CURRENT_COLOR), (Floats4{0.3f, 0.2f, 0.1f, 0.9f}));
        EXPECT_EQ(integer(GL_BLEND_SRC), GL_ONE);
        EXPECT_EQ(integer(GL_LINE_SMOOTH_HINT), GL_FASTEST);
        EXPECT_TRUE(enabled(GL_LIGHTING));
    }
}

TEST_F(Setup, ASizelessWindowDividesNothingByZero) {
    const int32_t sizes[][2] = {{0, 0}, {0, 600}, {800, 0}, {-4, 600}};
    for (const auto& size : sizes) {
        SCOPED_TRACE(testing::Message() << size[0] << " x " << size[1]);
        WIDTH = size[0];
        HEIGHT = size[1];
        for (auto set_up : {+[] { OPENGL_INIT(100, 1, 0, 0, 0); }, +[] { OPENGL_I2D(1, 0, 0, 0); }}) {
            set_up();
            for (float element : matrix(GL_PROJECTION_MATRIX)) EXPECT_TRUE(std::isfinite(element));
            EXPECT_TRUE(std::isfinite(OFFX));
            EXPECT_TRUE(std::isfinite(OFFY));
            glGetError();  // a zero-sized projection is an OpenGL error, and only that
        }
    }
}

TEST_F(Setup, RefractiveCullsBackFacesWoundClockwise) {
    glCullFace(GL_FRONT);
    glFrontFace(GL_CW);
    glShadeModel(GL_FLAT);
    SETGLREFRACTIVE();
    EXPECT_TRUE(enabled(GL_CULL_FACE));
    EXPECT_EQ(integer(GL_CULL_FACE_MODE), GL_BACK);
    EXPECT_EQ(integer(GL_FRONT_FACE), GL_CCW);
    EXPECT_EQ(integer(GL_SHADE_MODEL), GL_SMOOTH);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(Setup, TwoSidedLightingSwitchesOnAndOff) {
    TWOSIDEON();
    EXPECT_EQ(integer(GL_LIGHT_MODEL_TWO_SIDE), GL_TRUE);
    TWOSIDEOFF();
    EXPECT_EQ(integer(GL_LIGHT_MODEL_TWO_SIDE), GL_FALSE);
}

TEST_F(Setup, LightTakesTheFrameworkColoursAndItsPosition) {
    struct Case {
        GLenum light;
        Floats4 ambient;
        Floats4 position;
    };
    const Floats4 initial_ambient = {AMBIENTLIGHT[0], AMBIENTLIGHT[1], AMBIENTLIGHT[2], AMBIENTLIGHT[3]};
    const Case cases[] = {
        {GL_LIGHT1, {0.5f, 0.5f, 0.5f, 1}, {0, 0, 1, 0}},
        {GL_LIGHT3, {0.125f, 0.25f, 0.375f, 0.5f}, {2, -3, 4, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "light " << c.light - GL_LIGHT0);
        for (int i = 0; i < 4; ++i) AMBIENTLIGHT[i] = c.ambient[i];
        glDisable(GL_LIGHTING);
        SETGLLIGHT(c.light, c.position[0], c.position[1], c.position[2], c.position[3]);
        EXPECT_TRUE(enabled(GL_LIGHTING));
        EXPECT_TRUE(enabled(c.light));
        EXPECT_EQ(light(c.light, GL_AMBIENT), c.ambient);
        EXPECT_EQ(light(c.light, GL_DIFFUSE), (Floats4{1, 1, 1, 1}));
        EXPECT_EQ(light(c.light, GL_SPECULAR), (Floats4{1, 1, 1, 1}));
        EXPECT_EQ(light(c.light, GL_POSITION), c.position);
        for (int i = 0; i < 4; ++i) EXPECT_EQ(LIGHTPOSITION[i], c.position[i]);
    }
    for (int i = 0; i < 4; ++i) AMBIENTLIGHT[i] = initial_ambient[i];
    EXPECT_FALSE(enabled(GL_LIGHT0));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(Setup, PointLightMovesTheLightAndMarksItOnRequest) {
    glMatrixMode(GL_PROJECTION);
    glOrtho(-5, 5, -5, 5, -5, 5);
    glMatrixMode(GL_MODELVIEW);
    for (float size : {0.0f, 4.0f}) {
        SCOPED_TRACE(testing::Message() << "size " << size);
        glPointSize(1);
        glNormal3f(1, 0, 0);
        const auto primitives = gltest::capture_feedback([&] { PUTGLPOINTLIGHT(GL_LIGHT0, size, 1, 2, 3, 1); });
        const Floats4 position = {1, 2, 3, 1};
        EXPECT_EQ(light(GL_LIGHT0, GL_POSITION), position);
        for (int i = 0; i < 4; ++i) EXPECT_EQ(LIGHTPOSITION[i], position[i]);
        EXPECT_FALSE(enabled(GL_LIGHTING));
        EXPECT_FALSE(enabled(GL_LIGHT0));
        if (size == 0) {
            EXPECT_TRUE(primitives.empty());
            EXPECT_EQ(floats4(GL_CURRENT_NORMAL)[0], 1.0f);
            continue;
        }
        ASSERT_EQ(primitives.size(), 1u);
        ASSERT_EQ(primitives[0].token, static_cast<GLenum>(GL_POINT_TOKEN));
        EXPECT_FLOAT_EQ(primitives[0].vertices[0].x, 1.2f * 128);
        EXPECT_FLOAT_EQ(primitives[0].vertices[0].y, 1.4f * 128);
        GLfloat point_size = 0;
        glGetFloatv(GL_POINT_SIZE, &point_size);
        EXPECT_EQ(point_size, 4.0f);
        GLfloat normal[3] = {};
        glGetFloatv(GL_CURRENT_NORMAL, normal);
        EXPECT_EQ(normal[0], 0.0f);
        EXPECT_EQ(normal[1], 0.0f);
        EXPECT_EQ(normal[2], 1.0f);
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
