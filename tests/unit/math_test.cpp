// Euler matrices, vector rotation, degree conversion, GLVECTOR and triangle normals, with their 32-bit roundings.
#include "corvel/math.h"

#include <gtest/gtest.h>

#include <cmath>

#include "corvel/state.h"

using namespace corvel;

namespace {

// cos of the float nearest pi/2: what a quarter turn leaves where exact arithmetic would leave 0.
constexpr float kCosQuarter = -4.37113883e-08f;

struct QuarterTurn {
    const char* name;
    TGLVECTOR degrees;
    TGLVECTOR in;
    TGLVECTOR out;
};

const QuarterTurn kQuarterTurns[] = {
    {"roll 90 turns +Y to +Z", {90, 0, 0}, {0, 1, 0}, {0, kCosQuarter, 1}},
    {"pitch 90 turns +Z to +X", {0, 90, 0}, {0, 0, 1}, {1, 0, kCosQuarter}},
    {"pitch 90 turns +X to -Z", {0, 90, 0}, {1, 0, 0}, {kCosQuarter, 0, -1}},
    {"yaw 90 turns +X to +Y", {0, 0, 90}, {1, 0, 0}, {kCosQuarter, 1, 0}},
};

void expect_same_block(const TGLBASEMATRIX& a, const TGLBASEMATRIX& b) {
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) EXPECT_EQ(a[r][c], b[r][c]) << "row " << r << " column " << c;
}

// Rotates about one fixed axis, in double, right-handed.
void turn(double v[3], int axis, double radians) {
    const int a = (axis + 1) % 3;
    const int b = (axis + 2) % 3;
    const double va = v[a];
    const double vb = v[b];
    v[a] = va * std::cos(radians) - vb * std::sin(radians);
    v[b] = va * std::sin(radians) + vb * std::cos(radians);
}

}  // namespace

TEST(Math, ZeroAnglesGiveTheIdentity) {
    const TGLBASEMATRIX m = MATRIXEULERDEG({0, 0, 0});
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) EXPECT_EQ(m[r][c], r == c ? 1.0f : 0.0f);
    const TGLVECTOR v = MATRIXVECROT({1.5f, -2.25f, 3.0f}, m);
    EXPECT_EQ(v.X, 1.5f);
    EXPECT_EQ(v.Y, -2.25f);
    EXPECT_EQ(v.Z, 3.0f);
}

TEST(Math, QuarterTurnsKeepTheFloatRoundingOfCosine) {
    for (const QuarterTurn& q : kQuarterTurns) {
        SCOPED_TRACE(q.name);
        const TGLVECTOR v = MATRIXVECROT(q.in, MATRIXEULERRAD(q.degrees));
        EXPECT_EQ(v.X, q.out.X);
        EXPECT_EQ(v.Y, q.out.Y);
        EXPECT_EQ(v.Z, q.out.Z);
    }
}

TEST(Math, EulerDegTakesRadiansAndEulerRadTakesDegrees) {
    expect_same_block(MATRIXEULERDEG({static_cast<float>(M_PI / 2), 0, 0}), MATRIXEULERRAD({90, 0, 0}));
    // 90 given to MATRIXEULERDEG is a roll of 90 radians.
    const TGLBASEMATRIX m = MATRIXEULERDEG({90, 0, 0});
    EXPECT_EQ(m[1][1], static_cast<float>(std::cos(90.0)));
    EXPECT_EQ(m[1][2], static_cast<float>(std::sin(90.0)));
    EXPECT_EQ(m[2][1], -static_cast<float>(std::sin(90.0)));
}

TEST(Math, RotationRollsThenPitchesThenYawsAboutFixedAxes) {
    const TGLVECTOR degrees{25, -40, 70};
    const TGLVECTOR in{0.3f, -1.2f, 2.0f};
    double expected[3] = {in.X, in.Y, in.Z};
    turn(expected, 0, degrees.X * M_PI / 180);
    turn(expected, 1, degrees.Y * M_PI / 180);
    turn(expected, 2, degrees.Z * M_PI / 180);
    const TGLVECTOR v = MATRIXVECROT(in, MATRIXEULERRAD(degrees));
    EXPECT_NEAR(v.X, expected[0], 1e-6);
    EXPECT_NEAR(v.Y, expected[1], 1e-6);
    EXPECT_NEAR(v.Z, expected[2], 1e-6);
}

TEST(Math, DegToRadRoundsOnceToFloat) {
    EXPECT_EQ(DEGTORAD(180), static_cast<float>(M_PI));
    EXPECT_EQ(DEGTORAD(90), 1.57079637f);
    EXPECT_EQ(DEGTORAD(-45), -0.785398185f);
    EXPECT_EQ(DEGTORAD(0), 0.0f);
}

TEST(Math, GlVectorRoundsEachComponent) {
    const TGLVECTOR v = GLVECTOR(0.1, 0.2, 0.3);
    EXPECT_EQ(v.X, 0.1f);
    EXPECT_EQ(v.Y, 0.2f);
    EXPECT_EQ(v.Z, 0.3f);
}

struct NormalCase {
    const char* name;
    double corners[9];
    double normal[3];
};

// -1 / float(sqrt 2): the length is rounded to 32 bits before dividing.
const double kTiltedUnit = -1.0 / static_cast<double>(static_cast<float>(std::sqrt(2.0)));

const NormalCase kNormals[] = {
    {"counter-clockwise from +Z", {0, 0, 0, 1, 0, 0, 1, 1, 0}, {0, 0, 1}},
    {"V2 and V3 swapped", {0, 0, 0, 1, 1, 0, 1, 0, 0}, {0, 0, -1}},
    {"scaled by ten", {0, 0, 0, 10, 0, 0, 10, 10, 0}, {0, 0, 1}},
    {"in the YZ plane", {0, 0, 0, 0, 1, 0, 0, 0, 1}, {1, 0, 0}},
    {"tilted", {0, 0, 0, 1, 0, 0, 0, 1, 1}, {0, kTiltedUnit, -kTiltedUnit}},
    {"collinear", {0, 0, 0, 1, 1, 1, 2, 2, 2}, {0, 0, 0}},
    {"coincident", {3, 4, 5, 3, 4, 5, 3, 4, 5}, {0, 0, 0}},
};

TEST(Math, FindNormalFollowsTheWindingAndLeavesDegenerateTrianglesZero) {
    for (const NormalCase& n : kNormals) {
        SCOPED_TRACE(n.name);
        const double* c = n.corners;
        FINDNORMAL(c[0], c[1], c[2], c[3], c[4], c[5], c[6], c[7], c[8]);
        for (int i = 1; i <= 3; ++i) {
            EXPECT_FALSE(std::isnan(FNORMAL[i]));
            EXPECT_DOUBLE_EQ(FNORMAL[i], n.normal[i - 1]) << "component " << i;
        }
    }
}

TEST(Math, ReduceToUnitKeepsTheZeroVector) {
    double x = 0, y = 0, z = 0;
    REDUCETOUNIT(x, y, z);
    EXPECT_EQ(x, 0.0);
    EXPECT_EQ(y, 0.0);
    EXPECT_EQ(z, 0.0);
    double a = 3, b = 0, c = 4;
    REDUCETOUNIT(a, b, c);
    EXPECT_DOUBLE_EQ(a, 0.6);
    EXPECT_DOUBLE_EQ(c, 0.8);
}
