// Vectors, Euler rotation matrices, degree conversion, the scaled random number and triangle normals.
#include "corvel/math.h"

#include <cmath>

#include "corvel/random.h"
#include "corvel/state.h"

namespace corvel {
namespace {

constexpr long double PI_EXTENDED = 3.141592653589793238462643383279502884L;

float to_float(double value) {
    return static_cast<float>(value);
}

}  // namespace

TGLBASEMATRIX MATRIXEULERDEG(TGLVECTOR ANG) {
    // Every named factor is rounded to 32 bits, so cos(pi/2) is the float -4.37e-8, not 0.
    const float CR = to_float(std::cos(double{ANG.X}));
    const float SR = to_float(std::sin(double{ANG.X}));
    const float CP = to_float(std::cos(double{ANG.Y}));
    const float SP = to_float(std::sin(double{ANG.Y}));
    const float CY = to_float(std::cos(double{ANG.Z}));
    const float SY = to_float(std::sin(double{ANG.Z}));
    const float SRSP = to_float(double{SP} * SR);
    const float CRSP = to_float(double{SP} * CR);

    TGLBASEMATRIX M{};
    M[0][0] = to_float(double{CY} * CP);
    M[0][1] = to_float(double{SY} * CP);
    M[0][2] = -SP;
    M[1][0] = to_float(double{CY} * SRSP - double{SY} * CR);
    M[1][1] = to_float(double{SY} * SRSP + double{CY} * CR);
    M[1][2] = to_float(double{CP} * SR);
    M[2][0] = to_float(double{CY} * CRSP + double{SY} * SR);
    M[2][1] = to_float(double{SY} * CRSP - double{CY} * SR);
    M[2][2] = to_float(double{CP} * CR);
    return M;
}

TGLBASEMATRIX MATRIXEULERRAD(TGLVECTOR ANG) {
    TGLVECTOR radians;
    radians.X = DEGTORAD(ANG.X);
    radians.Y = DEGTORAD(ANG.Y);
    radians.Z = DEGTORAD(ANG.Z);
    return MATRIXEULERDEG(radians);
}

TGLVECTOR MATRIXVECROT(TGLVECTOR VEC, const TGLBASEMATRIX& ANG) {
    auto column = [&](int c) {
        return to_float(double{ANG[0][c]} * VEC.X + double{ANG[1][c]} * VEC.Y + double{ANG[2][c]} * VEC.Z);
    };
    return TGLVECTOR{column(0), column(1), column(2)};
}

float DEGTORAD(float DEGREE) {
    return static_cast<float>(static_cast<long double>(DEGREE) * PI_EXTENDED / 180.0L);
}

float RANDOMF(float RANGE) {
    return to_float(random_fraction() / 0.9 * RANGE);
}

TGLVECTOR GLVECTOR(double X, double Y, double Z) {
    return TGLVECTOR{to_float(X), to_float(Y), to_float(Z)};
}

void FINDNORMAL(double V1X, double V1Y, double V1Z, double V2X, double V2Y, double V2Z, double V3X, double V3Y,
                double V3Z) {
    constexpr int X = 1;
    constexpr int Y = 2;
    constexpr int Z = 3;
    TARRAY<double, 1, 3> TEMP_V1 = {{V1X - V2X, V1Y - V2Y, V1Z - V2Z}};
    TARRAY<double, 1, 3> TEMP_V2 = {{V2X - V3X, V2Y - V3Y, V2Z - V3Z}};
    FNORMAL[X] = TEMP_V1[Y] * TEMP_V2[Z] - TEMP_V1[Z] * TEMP_V2[Y];
    FNORMAL[Y] = TEMP_V1[Z] * TEMP_V2[X] - TEMP_V1[X] * TEMP_V2[Z];
    FNORMAL[Z] = TEMP_V1[X] * TEMP_V2[Y] - TEMP_V1[Y] * TEMP_V2[X];
    REDUCETOUNIT(FNORMAL[X], FNORMAL[Y], FNORMAL[Z]);
}

void REDUCETOUNIT(double& X, double& Y, double& Z) {
    // A degenerate triangle keeps its zero normal instead of dividing by zero.
    float LENGTH = to_float(std::sqrt(X * X + Y * Y + Z * Z));
    if (LENGTH == 0.0f) LENGTH = 1.0f;
    X /= LENGTH;
    Y /= LENGTH;
    Z /= LENGTH;
}

}  // namespace corvel
