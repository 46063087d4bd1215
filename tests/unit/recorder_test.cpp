// The vertex recorder's slots and transforms, driven with OpenGL suppressed so no context is needed.
#include "corvel/recorder.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "corvel/state.h"

using namespace corvel;

namespace {

class Recorder : public ::testing::Test {
protected:
    void SetUp() override {
        std::memset(&GLBASEVERTEX3F, 0, sizeof GLBASEVERTEX3F);
        GLVERT3FREMOVE = true;
        GLVERT3FENABLEEDIT = true;
    }
    void TearDown() override {
        GLVERT3FREMOVE = false;
        GLVERT3FENABLEEDIT = false;
    }

    static TGLVERTEX3F& rec() { return GLBASEVERTEX3F; }

    // Opens an edit-mode batch of n slots from slot 1, as an application does.
    static void begin_batch(int32_t n) {
        rec().GLVERT3FSETNUM = n;
        rec().GLVERT3FCOUNT = 0;
        GLBEGIN(GL_QUADS);
    }
};

void expect_vector(const TGLVECTOR& v, float x, float y, float z) {
    EXPECT_EQ(v.X, x);
    EXPECT_EQ(v.Y, y);
    EXPECT_EQ(v.Z, z);
}

}  // namespace

TEST_F(Recorder, PlainSlotsKeepTheVerticesAndTheLastSlotTakesTheOverflow) {
    begin_batch(2);
    EXPECT_EQ(rec().GLVERT3FMAX, 2);
    GLVERTEX3F(1, 2, 3);
    GLVERTEX3F(4, 5, 6);
    expect_vector(rec().GLVERT3F[1], 1, 2, 3);
    expect_vector(rec().GLVERT3F[2], 4, 5, 6);
    expect_vector(rec().GLVERT3FTMPSCALE[1], 1, 1, 1);
    expect_vector(rec().GLVERT3FTMPSCALE[2], 1, 1, 1);
    GLVERTEX3F(7, 8, 9);
    GLEND();
    EXPECT_EQ(rec().GLVERT3FCOUNT, 2);
    expect_vector(rec().GLVERT3F[1], 1, 2, 3);
    expect_vector(rec().GLVERT3F[2], 7, 8, 9);
    expect_vector(rec().GLVERT3FOFFSET[2], 7, 8, 9);
    expect_vector(rec().GLVERT3F[3], 0, 0, 0);
    expect_vector(rec().GLVERT3FTMPSCALE[3], 0, 0, 0);
}

TEST_F(Recorder, OverflowVerticesUseTheLastSlotsTransform) {
    rec().GLVERT3FTMP[3] = TGLVECTOR{10, 0, 0};
    begin_batch(3);
    for (int k = 1; k <= 5; ++k) GLVERTEX3F(static_cast<float>(k), 0, 0);
    GLEND();
    EXPECT_EQ(rec().GLVERT3FCOUNT, 3);
    expect_vector(rec().GLVERT3F[3], 15, 0, 0);
    expect_vector(rec().GLVERT3FOFFSET[3], 5, 0, 0);
    expect_vector(rec().GLVERT3F[2], 2, 0, 0);
}

TEST_F(Recorder, ScaleThenBothTranslationsThenRotation) {
    rec().GLVERT3FTMPSCALE[1] = TGLVECTOR{2, 2, 2};
    rec().GLVERT3FTMP[1] = TGLVECTOR{1, 0, 0};
    rec().GLVERT3FTMPPOSROT[1] = TGLVECTOR{0, 1, 0};
    rec().GLVERT3FTMPROTATE[1] = TGLVECTOR{0, 0, 90};
    begin_batch(1);
    GLVERTEX3F(1, 0, 0);
    GLEND();
    // (3, 1, 0) yawed by 90 degrees; 3 * cos(float pi/2) - 1 rounds to the float just below -1.
    expect_vector(rec().GLVERT3F[1], std::nextafter(-1.0f, -2.0f), 3, 0);
    expect_vector(rec().GLVERT3FOFFSET[1], 1, 0, 0);
    expect_vector(rec().GLVERT3FTMPSCALE[1], 2, 2, 2);
}

TEST_F(Recorder, PartlyZeroScaleFlattensAndIsKept) {
    rec().GLVERT3FTMPSCALE[1] = TGLVECTOR{0, 1, 1};
    begin_batch(1);
    GLVERTEX3F(5, 6, 7);
    GLEND();
    expect_vector(rec().GLVERT3F[1], 0, 6, 7);
    expect_vector(rec().GLVERT3FTMPSCALE[1], 0, 1, 1);
}

TEST_F(Recorder, ABatchWithoutResetContinuesWhereTheLastStopped) {
    begin_batch(4);
    GLVERTEX3F(1, 0, 0);
    GLVERTEX3F(2, 0, 0);
    GLEND();
    GLBEGIN(GL_LINES);
    GLVERTEX3F(3, 0, 0);
    GLVERTEX3F(4, 0, 0);
    GLEND();
    EXPECT_EQ(rec().GLVERT3FCOUNT, 4);
    for (int slot = 1; slot <= 4; ++slot) expect_vector(rec().GLVERT3F[slot], static_cast<float>(slot), 0, 0);
}

TEST_F(Recorder, PassThroughStoresNothingAndOnlyBeginSetsTheLimit) {
    GLVERT3FENABLEEDIT = false;
    rec().GLVERT3FSETNUM = 7;
    rec().GLVERT3FCOUNT = 3;
    GLBEGIN(GL_QUADS);
    for (int k = 0; k < 4; ++k) GLVERTEX3F(1, 2, 3);
    GLEND();
    EXPECT_EQ(rec().GLVERT3FMAX, 7);
    EXPECT_EQ(rec().GLVERT3FCOUNT, 3);
    for (int slot = 1; slot <= 10000; ++slot) {
        ASSERT_EQ(rec().GLVERT3F[slot].X, 0.0f) << slot;
        ASSERT_EQ(rec().GLVERT3FOFFSET[slot].X, 0.0f) << slot;
        ASSERT_EQ(rec().GLVERT3FTMPSCALE[slot].X, 0.0f) << slot;
    }
}

TEST_F(Recorder, EveryOneOfTheTenThousandSlotsIsUsable) {
    begin_batch(10000);
    for (int k = 1; k <= 10001; ++k) GLVERTEX3F(static_cast<float>(k), 0, 0);
    GLEND();
    EXPECT_EQ(rec().GLVERT3FCOUNT, 10000);
    expect_vector(rec().GLVERT3F[9999], 9999, 0, 0);
    expect_vector(rec().GLVERT3F[10000], 10001, 0, 0);
}

using RecorderDeathTest = Recorder;

TEST_F(RecorderDeathTest, ASlotOutsideTheArraysEndsTheProgramBeforeAnyAccess) {
    struct Case {
        int32_t setnum;
        int32_t count;
        const char* message;
    };
    const Case cases[] = {
        {0, 0, "corvel: vertex recorder slot 0 outside 1..10000"},
        {10001, 10000, "corvel: vertex recorder slot 10001 outside 1..10000"},
        {5, -3, "corvel: vertex recorder slot -2 outside 1..10000"},
    };
    for (const Case& c : cases) {
        rec().GLVERT3FSETNUM = c.setnum;
        GLBEGIN(GL_QUADS);
        rec().GLVERT3FCOUNT = c.count;
        EXPECT_DEATH(GLVERTEX3F(1, 2, 3), c.message);
    }
}
