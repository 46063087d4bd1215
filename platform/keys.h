// SDL keycodes to Windows virtual-key codes.
#pragma once

#include <cstdint>

namespace platform {

// The virtual-key code of an SDL keycode (SDL_Keycode values), or 0 for keys Windows has no code for.
// Letters give their upper-case code, left and right modifiers the shared VK_SHIFT/VK_CONTROL/VK_MENU.
int32_t virtual_key_from_sdl(int32_t sdl_keycode);

}  // namespace platform
