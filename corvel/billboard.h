// Camera-facing frames, sprite-sheet cells and textured vertex pairs.
#pragma once

#include <cstdint>

namespace corvel {

void LOCKVIEWMODELBEGIN(float X, float Y, float Z);
void LOCKVIEWMODELEND();
void LOCKVIEWMODELSCALEOFF();
void FINDCHARACTER(float X, float Y, float PX, float PY, float SX, float SY, int32_t ROWS, int32_t COLUMNS);
void LINEFREE(float TX1, float TY1, float TX2, float TY2, float X1, float Y1, float Z1, float X2, float Y2, float Z2,
              bool TEXTURE);

}  // namespace corvel
