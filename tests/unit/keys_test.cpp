// The key map, by SDL keycode value (SDL's keycodes are stable numbers: characters, or scancode | 1<<30).
#include "platform/keys.h"

#include <gtest/gtest.h>

namespace {

constexpr int32_t scancode_key(int32_t scancode) {
    return scancode | (1 << 30);
}

struct KeyCase {
    int32_t sdl;
    int32_t vk;
};

TEST(Keys, MapToVirtualKeyCodes) {
    const KeyCase cases[] = {
        {'a', 'A'},
        {'z', 'Z'},
        {'0', '0'},
        {'9', '9'},
        {27, 27},
        {13, 13},
        {8, 8},
        {9, 9},
        {' ', 32},
        {scancode_key(98), 96},   // keypad 0
        {scancode_key(89), 97},   // keypad 1
        {scancode_key(97), 105},  // keypad 9
        {scancode_key(58), 112},  // F1
        {scancode_key(67), 121},  // F10
        {scancode_key(69), 123},  // F12
        {scancode_key(80), 37},   // left
        {scancode_key(82), 38},   // up
        {scancode_key(79), 39},   // right
        {scancode_key(81), 40},   // down
        {scancode_key(225), 16},  // left shift
        {scancode_key(229), 16},  // right shift
        {scancode_key(224), 17},  // left ctrl
        {scancode_key(226), 18},  // left alt
        {scancode_key(230), 18},  // right alt
        {scancode_key(88), 13},   // keypad enter
        {127, 46},                // delete
        {';', 186},
        {'/', 191},
    };
    for (const KeyCase& c : cases) EXPECT_EQ(platform::virtual_key_from_sdl(c.sdl), c.vk) << c.sdl;
}

TEST(Keys, UnknownKeysHaveNoCode) {
    EXPECT_EQ(platform::virtual_key_from_sdl(0), 0);
    EXPECT_EQ(platform::virtual_key_from_sdl('A'), 0);  // SDL's letters are lower case
    EXPECT_EQ(platform::virtual_key_from_sdl(scancode_key(300)), 0);
}

}  // namespace
