// Fixed OpenGL set-ups: 3D and 2D projections, face culling, two-sided lighting, lights.
#pragma once

#include <cstdint>

namespace corvel {

// Colours come as alpha, red, green, blue.
void OPENGL_INIT(double DEPTH, double A, double R, double G, double B);
void OPENGL_I2D(double A, double R, double G, double B);
void TWOSIDEON();
void TWOSIDEOFF();
void SETGLREFRACTIVE();
void SETGLLIGHT(uint32_t NLIGHT, float L0, float L1, float L2, float L3);
void PUTGLPOINTLIGHT(uint32_t NLIGHT, float SIZE, float LX, float LY, float LZ, float LVAL);

}  // namespace corvel
