// The vertex recorder in front of glBegin, glVertex3f and glEnd: pass-through, suppressed and edit modes.
#pragma once

#include <cstdint>

namespace corvel {

void GLBEGIN(uint32_t MODE);
void GLVERTEX3F(float X, float Y, float Z);
void GLEND();

}  // namespace corvel
