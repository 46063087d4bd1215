// Vectors, Euler rotation matrices, degree conversion, the scaled random number and triangle normals.
#pragma once

#include "corvel/types.h"

namespace corvel {

constexpr double PIDIV180 = 1.7453292519943296E-0002;

// Angles in radians (X roll, Y pitch, Z yaw), despite the name.
TGLBASEMATRIX MATRIXEULERDEG(TGLVECTOR ANG);
// Angles in degrees, despite the name.
TGLBASEMATRIX MATRIXEULERRAD(TGLVECTOR ANG);
// VEC times the upper-left 3 x 3 block of ANG.
TGLVECTOR MATRIXVECROT(TGLVECTOR VEC, const TGLBASEMATRIX& ANG);
float DEGTORAD(float DEGREE);
// Random in [0, RANGE / 0.9) from the process-wide generator.
float RANDOMF(float RANGE);
TGLVECTOR GLVECTOR(double X, double Y, double Z);
// Unit normal of the triangle V1, V2, V3 into FNORMAL.
void FINDNORMAL(double V1X, double V1Y, double V1Z, double V2X, double V2Y, double V2Z, double V3X, double V3Y,
                double V3Z);
void REDUCETOUNIT(double& X, double& Y, double& Z);

}  // namespace corvel
