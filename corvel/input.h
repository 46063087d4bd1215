// Key queries and the mouse-driven camera transform.
#pragma once

#include <cstdint>

namespace corvel {

bool SETGLKEY(char KEY);
void SETGLMOUSEMOVE(int32_t XYZ, int32_t SPEED);

}  // namespace corvel
