// The GL window's procedure and the once-per-frame message pump.
#pragma once

#include <cstdint>

#include "platform/types.h"

namespace corvel {

platform::LRESULT GLWNDPROC(platform::HWND WINDOW, int32_t AMESSAGE, platform::WPARAM WPARAM, platform::LPARAM LPARAM);
void SETGLMSG();

}  // namespace corvel
