// Tick count from the monotonic clock (which on Linux counts from boot), plus the tests' offset.
#include "platform/clock.h"

#include <chrono>

#include "platform/testing.h"

namespace platform {
namespace {

uint32_t offset = 0;

}  // namespace

uint32_t get_tick_count() {
    const auto since = std::chrono::steady_clock::now().time_since_epoch();
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(since).count();
    return static_cast<uint32_t>(ms) + offset;
}

namespace testing {
void advance_clock(uint32_t milliseconds) {
    offset += milliseconds;
}
}  // namespace testing

}  // namespace platform
