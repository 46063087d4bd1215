// Cursors and icons (the system's by resource number, or from files) and the pointer's screen position.
#pragma once

#include <cstdint>

#include "platform/types.h"

namespace platform {

// System cursors (instance 0, IDC_*); the same number always gives the same handle. 0 for unknown ones.
HCURSOR load_cursor(HINSTANCE instance, int32_t cursor_id);
// The application icon (instance 0, IDI_APPLICATION): the window system's default icon.
HICON load_icon(HINSTANCE instance, int32_t icon_id);
// A cursor from a BMP file, hot spot at its top-left corner; 0 when the file cannot be loaded. A class
// may use such a cursor as its icon too.
HCURSOR load_cursor_from_file(const char* file_name);

// The pointer on the screen. Without a display the layer keeps the position that was last set.
int32_t get_cursor_pos(POINT* point);
int32_t set_cursor_pos(int32_t x, int32_t y);

}  // namespace platform
