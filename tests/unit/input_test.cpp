// SETGLKEY reads the key table by character code; SETGLMOUSEMOVE with an unknown mode only sets the
// speed (no GL call, so no context is needed).
#include "corvel/input.h"

#include <gtest/gtest.h>

#include "corvel/state.h"
#include "corvel/wndproc.h"
#include "platform/types.h"

using namespace corvel;

namespace {

TEST(SetGlKey, ReadsTheKeyTableByCharacterCode) {
    for (int32_t& key : SETKEY) key = 0;
    SETKEY['Z'] = -1;
    SETKEY[97] = -1;  // the numeric keypad's 1
    EXPECT_TRUE(SETGLKEY('Z'));
    EXPECT_FALSE(SETGLKEY('z'));
    EXPECT_TRUE(SETGLKEY('a'));
    EXPECT_FALSE(SETGLKEY('A'));
    EXPECT_FALSE(SETGLKEY('\xFF'));  // high characters index 128..255, inside the table
    for (int32_t& key : SETKEY) key = 0;
}

TEST(SetGlKey, EscapeNeverReadsAsDown) {
    GLWNDPROC(0, platform::WM_KEYDOWN, 27, 1);
    EXPECT_FALSE(SETGLKEY('\x1B'));
}

TEST(SetGlMouseMove, UnknownModeOnlySetsTheSpeed) {
    MY = TGLVERTEX{1.0f, 2.0f, 3.0f};
    SETGLMOUSEMOVE(7, 3);
    EXPECT_EQ(MSPEED, 3);
    EXPECT_EQ(MY.X, 1.0f);
    EXPECT_EQ(MY.Y, 2.0f);
    EXPECT_EQ(MY.Z, 3.0f);
    SETGLMOUSEMOVE(-1, 4);
    EXPECT_EQ(MSPEED, 4);
    EXPECT_EQ(MY.Z, 3.0f);
}

}  // namespace
