// System metrics, system-colour brushes, stock objects and the process's start-up show command.
#pragma once

#include <cstdint>

#include "platform/types.h"

namespace platform {

// SM_CXSCREEN / SM_CYSCREEN: the primary display's size in pixels (0 without a display).
int32_t get_system_metrics(int32_t index);

// A shared brush of a system colour (COLOR_*); the same index always gives the same handle.
HBRUSH get_sys_color_brush(int32_t index);
// Stock objects; NULL_BRUSH paints nothing. 0 for objects the layer does not have.
HGDIOBJ get_stock_object(int32_t index);

// What the brush paints: 0x00BBGGRR as Windows' COLORREF; `hollow` for NULL_BRUSH. False for no brush.
bool brush_colour(HBRUSH brush, uint32_t* colour, bool* hollow);

// The show command a process is started with. Nothing here starts a program minimised or maximised,
// so it is Windows' default.
constexpr int32_t STARTUP_SHOW_COMMAND = SW_SHOWDEFAULT;

}  // namespace platform
