// SDL's video subsystem, started on first use with the hints that give the layer its Windows behaviour.
#include <SDL.h>

#include "platform/window_table.h"

namespace platform {
namespace {

int video_state = 0;  // 0 not tried, 1 running, -1 unavailable (not tried again)

}  // namespace

bool ensure_video() {
    if (video_state == 0) {
        // The layer decides who gets the mouse (set_capture), so SDL must not capture on its own while a
        // button is held; a signal must end the process as it would anywhere else, not become an event.
        SDL_SetHint(SDL_HINT_MOUSE_AUTO_CAPTURE, "0");
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
        SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
        video_state = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0 ? 1 : -1;
    }
    return video_state == 1;
}

bool video_started() {
    return video_state == 1;
}

}  // namespace platform
