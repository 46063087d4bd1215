// Modal message boxes: SDL's box on screen, or a handler that tests put in place of the person.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/types.h"

namespace platform {

// Shows a modal box with the Windows-1252 text and caption; returns the button pressed (IDOK, IDYES,
// IDNO...), or 0 when no box could be shown. The owner is ignored: boxes are always top-level.
int32_t message_box(HWND owner, const char* text, const char* caption, uint32_t style);

// Text and caption arrive converted to UTF-8. A null handler restores the real box.
using MessageBoxHandler = std::function<int32_t(const std::string& text, const std::string& caption, uint32_t style)>;
void set_message_box_handler(MessageBoxHandler handler);

// Windows-1252 to UTF-8.
std::string cp1252_to_utf8(const char* text);

}  // namespace platform
