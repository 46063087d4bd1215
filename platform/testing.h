// Test hooks of the platform layer: make one step fail on purpose, move the tick clock, reach a window's
// SDL identity. Nothing outside tests calls the setters.
#pragma once

#include <cstdint>

#include "platform/types.h"

namespace platform::testing {

enum class Failure { RegisterClass, CreateWindow, ChoosePixelFormat, CreateContext, Count };

// The next call of that operation fails as the real one can (0 / null result).
void fail_next(Failure which);
// Consumes a pending failure; the operations themselves ask.
bool take_failure(Failure which);

// get_tick_count and the timers run this many milliseconds ahead from now on.
void advance_clock(uint32_t milliseconds);

// Makes a window the foreground window, as activating it would (0 for a stale handle).
void set_foreground(HWND window);

// The SDL window id of a top-level window (0 when it has none yet).
uint32_t native_window_id(HWND window);

}  // namespace platform::testing
