// One-shot failure switches and the clock offset that tests use.
#include "platform/testing.h"

#include <SDL.h>

#include "platform/window_table.h"

namespace platform::testing {
namespace {

bool pending[static_cast<int>(Failure::Count)] = {};

}  // namespace

void fail_next(Failure which) {
    pending[static_cast<int>(which)] = true;
}

bool take_failure(Failure which) {
    bool& flag = pending[static_cast<int>(which)];
    const bool was = flag;
    flag = false;
    return was;
}

uint32_t native_window_id(HWND window) {
    Window* record = find_window(window);
    return record && record->native ? SDL_GetWindowID(record->native->sdl) : 0;
}

}  // namespace platform::testing
