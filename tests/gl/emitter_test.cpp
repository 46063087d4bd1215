// The emitter frame step on a real context: which frames draw a sprite, where and how large (from the
// vertices OpenGL received), the sheet cell, blending, depth and alpha tests and the state left behind.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <ostream>
#include <vector>

#include "corvel/state.h"
#include "explosion/cvl_explosion.h"
#include "tests/gl/explosion_support.h"
#include "tests/gl/support/feedback.h"
#include "tests/gl/support/gl_context.h"

using namespace CVL_Explosion;
using explosion_test::small_array;
using explosion_test::zeroed;
using gltest::FeedbackVertex;

namespace {

// glOrtho(-8, 8, ...) on the 256-pixel viewport: one unit is 16 pixels, the origin at pixel 128.
constexpr float half_view = 8.0f;
float window(float v) {
    return (v / half_view + 1.0f) * 128.0f;
}

struct Corner {
    float x, y, s, t;
};

// The four corners a sprite of signed half-side `size`, turned by `angle` degrees about its centre
// (cx, cy), shows with the cell s0..s1, t0..t1, in window coordinates.
std::array<Corner, 4> sprite(float cx, float cy, float size, float angle, float s0, float s1, float t0, float t1) {
    const double a = angle * 3.14159265358979323846 / 180.0;
    const float c = static_cast<float>(std::cos(a)), sn = static_cast<float>(std::sin(a));
    const std::array<std::array<float, 4>, 4> corners{
        {{-size, -size, s0, t0}, {size, -size, s1, t0}, {size, size, s1, t1}, {-size, size, s0, t1}}};
    std::array<Corner, 4> out{};
    for (int i = 0; i < 4; ++i) {
        const float x = corners[i][0], y = corners[i][1];
        out[i] = {window(cx + x * c - y * sn), window(cy + x * sn + y * c), corners[i][2], corners[i][3]};
    }
    return out;
}

// Every vertex received belongs to one of the corners (found by its texture coordinate) and sits where
// that corner should; every corner is among them.
void expect_sprite(const std::vector<FeedbackVertex>& vertices, const std::array<Corner, 4>& corners) {
    ASSERT_FALSE(vertices.empty()) << "sprite not drawn";
    std::array<bool, 4> seen{};
    for (const auto& v : vertices) {
        const auto it = std::find_if(corners.begin(), corners.end(), [&](const Corner& c) {
            return std::fabs(c.s - v.s) < 1e-5f && std::fabs(c.t - v.t) < 1e-5f;
        });
        ASSERT_NE(it, corners.end()) << "unexpected texture coordinate " << v.s << ", " << v.t;
        EXPECT_NEAR(v.x, it->x, 2e-3f) << "corner " << (it - corners.begin());
        EXPECT_NEAR(v.y, it->y, 2e-3f) << "corner " << (it - corners.begin());
        seen[static_cast<size_t>(it - corners.begin())] = true;
    }
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(seen[i]) << "corner " << i << " missing";
}

// The centre of a received quad or of either triangle of it: the midpoint of its farthest-apart vertices.
std::array<float, 2> centre(const gltest::FeedbackPrimitive& primitive) {
    float best = -1.0f;
    std::array<float, 2> mid{};
    for (const auto& a : primitive.vertices) {
        for (const auto& b : primitive.vertices) {
            const float d = std::hypot(a.x - b.x, a.y - b.y);
            if (d > best) best = d, mid = {(a.x + b.x) / 2, (a.y + b.y) / 2};
        }
    }
    return mid;
}

class EmitterFrame : public gltest::GLTest {
protected:
    void SetUp() override {
        GLTest::SetUp();
        flat_view(half_view, 100);
        // Culling stays on: a sprite that arrived wound clockwise would not be seen.
        glEnable(GL_CULL_FACE);
        glCullFace(GL_BACK);
        array_ = zeroed<small_array>();
    }

    // One emitter in use, with the given start size, step, position and angle.
    small_array& one_emitter(float size, float step, corvel::TGLVECTOR pos, float angle) {
        small_array& a = *array_;
        a[0].MAXOBJ = 1;
        a[0].LIFESPAN = step;
        a[0].SIZE = size;
        a[0].POS = pos;
        a[0].ANG = angle;
        return a;
    }

    std::vector<FeedbackVertex> frame(small_array& a, int32_t type = EXPLO_GRAY, int32_t rows = 1,
                                      int32_t columns = 1) {
        return gltest::all_vertices(gltest::capture_feedback([&] { GENBASEEXPLOSION(a, type, rows, columns, 0.0f); }));
    }

    explosion_test::zeroed_ptr<small_array> array_;
};

struct SizeCase {
    float start, step;
    std::vector<float> after;  // SIZE after each frame; drawn in the frames where it is negative
};

void PrintTo(const SizeCase& c, std::ostream* out) {
    *out << "start " << c.start << " step " << c.step;
}

class EmitterSizes : public EmitterFrame, public ::testing::WithParamInterface<SizeCase> {};

TEST_P(EmitterSizes, DrawnWhileNegativeMovingOutByPosEachDrawnFrame) {
    const SizeCase& c = GetParam();
    const corvel::TGLVECTOR pos{1.0f, 0.5f, -0.25f};
    small_array& a = one_emitter(c.start, c.step, pos, 30.0f);
    int drawn = 0;
    for (size_t k = 0; k < c.after.size(); ++k) {
        SCOPED_TRACE(k + 1);
        const auto vertices = frame(a);
        EXPECT_NEAR(a[0].SIZE, c.after[k], 1e-6f);
        if (c.after[k] < 0) {
            ++drawn;
            const float scale = static_cast<float>(drawn + 1);
            expect_sprite(vertices, sprite(scale * pos.X, scale * pos.Y, c.after[k], 30.0f, 0, 1, 0, 1));
        } else {
            EXPECT_TRUE(vertices.empty());
        }
        EXPECT_EQ(a[0].SPEED.X, static_cast<float>(drawn));
        EXPECT_EQ(a[0].SPEED.Y, static_cast<float>(drawn));
        EXPECT_EQ(a[0].SPEED.Z, static_cast<float>(drawn));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EmitterSizes,
    ::testing::Values(SizeCase{-1.0f, 0.25f, {-0.75f, -0.5f, -0.25f, 0.0f, 0.0f, 0.0f}},
                      SizeCase{1.0f, 0.25f, {0.75f, 0.5f, 0.25f, 0.0f, 0.0f, 0.0f}},
                      // Past zero the two steps cancel: settles in [0, step) for good.
                      SizeCase{1.0f, 0.3f, {0.7f, 0.4f, 0.1f, 0.1f, 0.1f, 0.1f}},
                      // Drawn only while still negative after the step; never again once past zero.
                      SizeCase{-0.6f, 0.25f, {-0.35f, -0.1f, 0.15f, 0.15f, 0.15f}},
                      SizeCase{-0.1f, 0.25f, {0.15f, 0.15f, 0.15f}}));

TEST_F(EmitterFrame, SpritesAreWoundCounterClockwiseSoOnlyClockwiseFrontsCullThem) {
    small_array& a = one_emitter(-1.0f, 0.25f, {0, 0, 0}, 0.0f);
    EXPECT_FALSE(frame(a).empty());
    glFrontFace(GL_CW);
    EXPECT_TRUE(frame(a).empty());
}

TEST_F(EmitterFrame, WithoutStretchEverySpriteStaysAtTheCentre) {
    small_array& a = *array_;
    INITBASEEXPLOSION(a, small_array::COUNT, 0.05f, 3.25f, 0.0f, 0.0f, 0.0f, 4.0f);
    int primitives = 0;
    for (int k = 0; k < 40; ++k) {
        for (const auto& p : gltest::capture_feedback([&] { GENBASEEXPLOSION(a, EXPLO_LIGHT, 8, 4, 0.0f); })) {
            const auto mid = centre(p);
            EXPECT_NEAR(mid[0], 128.0f, 1e-3f);
            EXPECT_NEAR(mid[1], 128.0f, 1e-3f);
            ++primitives;
        }
    }
    EXPECT_GT(primitives, 0);
}

struct CellCase {
    int32_t rows, columns;
    float s0, t1;  // emitter 5's cell, as sent: s from s0 to s0 + 1/rows, t from t1 - 1/columns to t1
};

void PrintTo(const CellCase& c, std::ostream* out) {
    *out << c.rows << " by " << c.columns;
}

class EmitterCells : public EmitterFrame, public ::testing::WithParamInterface<CellCase> {};

TEST_P(EmitterCells, EmitterShowsTheCellOfItsIndex) {
    const CellCase& c = GetParam();
    small_array& a = *array_;
    a[0].MAXOBJ = 6;
    a[0].LIFESPAN = 0.25f;
    for (int i = 0; i < 5; ++i) a[i].SIZE = 1.0f;
    a[5].SIZE = -1.0f;
    const float w = 1.0f / c.rows, h = 1.0f / c.columns;
    expect_sprite(frame(a, EXPLO_GRAY, c.rows, c.columns), sprite(0, 0, -0.75f, 0, c.s0, c.s0 + w, c.t1 - h, c.t1));
}

// The textures repeat: 8 x 4 shows s 5/8..6/8 and t (-1/2..-1/4) = 1/2..3/4, the cell 5 across, 1 down.
INSTANTIATE_TEST_SUITE_P(Sheets, EmitterCells,
                         ::testing::Values(CellCase{8, 4, 5.0f / 8, -0.25f}, CellCase{4, 4, 5.0f / 4, -0.25f},
                                           CellCase{8, 1, 5.0f / 8, -4.0f}, CellCase{1, 1, 5.0f, -4.0f}));

struct BlendCase {
    int32_t type;
    GLenum src, dst;
};

void PrintTo(const BlendCase& c, std::ostream* out) {
    *out << "type " << c.type;
}

class EmitterBlend : public EmitterFrame, public ::testing::WithParamInterface<BlendCase> {};

TEST_P(EmitterBlend, CloudTypeChoosesTheBlendFunction) {
    glBlendFunc(GL_DST_COLOR, GL_SRC_ALPHA_SATURATE);
    small_array& a = *array_;
    GENBASEEXPLOSION(a, GetParam().type, 1, 1, 0.0f);
    EXPECT_EQ(integer(GL_BLEND_SRC), static_cast<GLint>(GetParam().src));
    EXPECT_EQ(integer(GL_BLEND_DST), static_cast<GLint>(GetParam().dst));
}

INSTANTIATE_TEST_SUITE_P(Types, EmitterBlend,
                         ::testing::Values(BlendCase{EXPLO_LIGHT, GL_ONE, GL_ONE_MINUS_SRC_COLOR},
                                           BlendCase{EXPLO_LUMINANCE, GL_SRC_ALPHA, GL_ONE},
                                           BlendCase{EXPLO_GRAY, GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA},
                                           BlendCase{EXPLO_DARK, GL_ZERO, GL_ONE_MINUS_SRC_ALPHA},
                                           // Unknown types keep the function in force.
                                           BlendCase{7, GL_DST_COLOR, GL_SRC_ALPHA_SATURATE},
                                           BlendCase{-1, GL_DST_COLOR, GL_SRC_ALPHA_SATURATE}));

TEST_F(EmitterFrame, EmptyArrayStillSetsUpAndTearsDown) {
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glEnable(GL_ALPHA_TEST);
    glDisable(GL_DEPTH_TEST);
    glDepthMask(GL_FALSE);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glColorMaterial(GL_FRONT, GL_AMBIENT);
    glAlphaFunc(GL_LESS, 0.9f);
    corvel::LOCKVIEWMODELSCALE = true;

    small_array& a = *array_;
    EXPECT_TRUE(frame(a, EXPLO_LUMINANCE).empty());

    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_FALSE(glIsEnabled(GL_ALPHA_TEST));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_EQ(integer(GL_DEPTH_WRITEMASK), GL_TRUE);
    GLint env_mode = 0;
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &env_mode);
    EXPECT_EQ(env_mode, GL_MODULATE);
    EXPECT_EQ(integer(GL_COLOR_MATERIAL_FACE), GL_FRONT_AND_BACK);
    EXPECT_EQ(integer(GL_COLOR_MATERIAL_PARAMETER), GL_DIFFUSE);
    EXPECT_FALSE(glIsEnabled(GL_COLOR_MATERIAL));
    EXPECT_EQ(integer(GL_ALPHA_TEST_FUNC), GL_GREATER);
    EXPECT_EQ(integer(GL_BLEND_SRC), GL_SRC_ALPHA);
    EXPECT_FALSE(corvel::LOCKVIEWMODELSCALE);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(EmitterFrame, DrawingLeavesTheModelviewAsItWas) {
    glTranslatef(1, 2, 3);
    glRotatef(40, 0, 1, 0);
    const auto before = matrix(GL_MODELVIEW_MATRIX);
    const GLint depth = integer(GL_MODELVIEW_STACK_DEPTH);
    small_array& a = *array_;
    INITBASEEXPLOSION(a, small_array::COUNT, 0.01f, 2.0f, 1.0f, 1.0f, 1.0f, 40.0f);
    GENBASEEXPLOSION(a, EXPLO_GRAY, 2, 2, 0.5f);
    EXPECT_EQ(matrix(GL_MODELVIEW_MATRIX), before);
    EXPECT_EQ(integer(GL_MODELVIEW_STACK_DEPTH), depth);
    EXPECT_FLOAT_EQ(floats4(GL_ALPHA_TEST_REF)[0], 0.5f);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

struct PixelCase {
    const char* what;
    float alpha, greater, depth;
    bool drawn;
};

void PrintTo(const PixelCase& c, std::ostream* out) {
    *out << c.what;
}

class EmitterPixels : public EmitterFrame, public ::testing::WithParamInterface<PixelCase> {};

// Sprites pass the depth test against what is already there and the alpha test against GREATER, and
// never write depth.
TEST_P(EmitterPixels, DepthAndAlphaTestsApplyAndDepthIsNotWritten) {
    const PixelCase& c = GetParam();
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    const GLubyte texel[4] = {255, 255, 255, static_cast<GLubyte>(std::lround(c.alpha * 255))};
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, texel);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glDisable(GL_DEPTH_TEST);
    glClearColor(0, 0, 0, 0);
    glClearDepth(c.depth);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

    small_array& a = one_emitter(-1.25f, 0.25f, {0, 0, 0}, 0.0f);
    GENBASEEXPLOSION(a, EXPLO_LUMINANCE, 1, 1, c.greater);

    const auto pixel = read_pixels(128, 128, 1, 1);
    EXPECT_EQ(pixel[0] > 0, c.drawn) << c.what << ": red " << int(pixel[0]);
    GLfloat depth = -1;
    glReadPixels(128, 128, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
    EXPECT_NEAR(depth, c.depth, 1e-6) << c.what;
    glDeleteTextures(1, &texture);
}

INSTANTIATE_TEST_SUITE_P(Cases, EmitterPixels,
                         ::testing::Values(PixelCase{"in front, opaque", 1.0f, 0.5f, 1.0f, true},
                                           PixelCase{"alpha below the threshold", 0.4f, 0.5f, 1.0f, false},
                                           PixelCase{"alpha above the threshold", 0.6f, 0.5f, 1.0f, true},
                                           PixelCase{"behind nearer geometry", 1.0f, 0.0f, 0.25f, false}));

}  // namespace
