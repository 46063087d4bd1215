// The system tick count.
#pragma once

#include <cstdint>

namespace platform {

// Milliseconds since the system started, wrapping at 2^32 as Windows' counter does.
uint32_t get_tick_count();

}  // namespace platform
