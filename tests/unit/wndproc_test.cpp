// GLWNDPROC driven with messages, straight or through the queue: activity, keys, mouse camera, free
// mouse-look, hooks and the frame-rate title.
#include "corvel/wndproc.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "corvel/state.h"
#include "platform/cursor.h"
#include "platform/dialog.h"
#include "platform/queue.h"
#include "platform/testing.h"
#include "platform/window.h"

using namespace corvel;
using namespace platform;

namespace {

void reset_input_state() {
    for (int32_t& key : SETKEY) key = 0;
    SETMX = SETMY = SETOMX = SETOMY = XCOORD = YCOORD = ZCOORD = 0;
    LEFTMOUSEDOWN = RIGHTMOUSEDOWN = LEFTMOUSEDOWN2 = RIGHTMOUSEDOWN2 = MOUSEFREE = false;
    XROT = YROT = DEPTH = XROT2 = YROT2 = DEPTH2 = 0.0f;
    MSPEED = 0;
    VIEWFPS = false;
    FPSCOUNT = 0;
    FORCEFPS = 1;
    ADDFORCEFPS = 0;
    SHOWMENUBAR = false;
    CREATEMOUSEMENU = nullptr;
    GETINPUTCOMMAND = nullptr;
    WIDTH = 800;
    HEIGHT = 600;
}

void drain_queue() {
    MSG msg{};
    while (peek_message(&msg, 0, 0, 0, PM_REMOVE)) {
    }
}

class WndProc : public ::testing::Test {
protected:
    void SetUp() override {
        set_message_box_handler([](const std::string&, const std::string&, uint32_t) { return IDOK; });
        static const bool registered = [] {
            WNDCLASS window_class{};
            window_class.lpfnWndProc = GLWNDPROC;
            window_class.lpszClassName = "WndProcTest";
            return register_class(&window_class) != 0;
        }();
        ASSERT_TRUE(registered);
        reset_input_state();
        ACTIVE = false;
        // Hidden: the test drives every message itself.
        HWINDOW = create_window_ex(0, "WndProcTest", "Title", WS_POPUP, 0, 0, 800, 600, 0, 0, 0, nullptr);
        ASSERT_NE(HWINDOW, 0u);
        drain_queue();
    }
    void TearDown() override {
        release_capture();
        destroy_window(HWINDOW);
        drain_queue();
        SETTITLENAME = nullptr;
    }

    static LRESULT deliver(int32_t message, WPARAM wparam, LPARAM lparam) {
        return GLWNDPROC(HWINDOW, message, wparam, lparam);
    }
    static std::string title() {
        char text[128];
        get_window_text(HWINDOW, text, sizeof text);
        return text;
    }
};

TEST_F(WndProc, CreationAndDestructionBoundActive) {
    EXPECT_TRUE(ACTIVE);  // WM_CREATE arrived inside create_window_ex
    destroy_window(HWINDOW);
    EXPECT_FALSE(ACTIVE);
    MSG msg{};
    ASSERT_TRUE(peek_message(&msg, 0, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<uint32_t>(WM_QUIT));
}

TEST_F(WndProc, EscapeEndsTheRunWithoutTouchingTheKeyTable) {
    ASSERT_TRUE(post_message(HWINDOW, WM_KEYDOWN, 27, 1));
    SETGLMSG();
    EXPECT_FALSE(ACTIVE);
    EXPECT_EQ(SETKEY[27], 0);
    EXPECT_TRUE(is_window(HWINDOW));  // stays until the host deletes it
    MSG msg{};
    EXPECT_TRUE(peek_message(&msg, 0, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST_F(WndProc, CloseRequestDestroysTheWindow) {
    post_message(HWINDOW, WM_CLOSE, 0, 0);
    SETGLMSG();
    EXPECT_FALSE(ACTIVE);
    EXPECT_FALSE(is_window(HWINDOW));
}

TEST_F(WndProc, KeysAreRecordedByVirtualKeyCodeThroughAutoRepeat) {
    for (int32_t code : {int32_t{'Z'}, int32_t{'0'}, 96, 105, 112, 123, 37, 40, 16, 17}) {
        deliver(WM_KEYDOWN, code, 1);
        EXPECT_EQ(SETKEY[code], -1) << code;
        deliver(WM_KEYDOWN, code, 1 | (1 << 30));  // auto-repeat
        EXPECT_EQ(SETKEY[code], -1) << code;
        deliver(WM_KEYUP, code, static_cast<LPARAM>(0xC0000001u));
        EXPECT_EQ(SETKEY[code], 0) << code;
    }
}

TEST_F(WndProc, SystemKeysAreNotRecorded) {
    deliver(WM_SYSKEYDOWN, 'X', 1 | (1 << 29));
    deliver(WM_SYSKEYDOWN, 121, 1);  // F10
    EXPECT_EQ(SETKEY['X'], 0);
    EXPECT_EQ(SETKEY[121], 0);
}

TEST_F(WndProc, CodesOutsideTheKeyTableAreIgnored) {
    for (int32_t code : {501, 1000, -1, INT32_MIN}) {
        deliver(WM_KEYDOWN, code, 1);
        deliver(WM_KEYUP, code, 1);
    }
    for (int32_t state : SETKEY) EXPECT_EQ(state, 0);
}

TEST_F(WndProc, AnyKeyReleaseEndsFreeMouseLook) {
    MOUSEFREE = true;
    deliver(WM_KEYUP, 'Q', static_cast<LPARAM>(0xC0000001u));  // never pressed
    EXPECT_FALSE(MOUSEFREE);
}

TEST_F(WndProc, LeftDragTurnsTheCamera) {
    MSPEED = 2;
    deliver(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 50));
    EXPECT_EQ(get_capture(), HWINDOW);
    EXPECT_TRUE(LEFTMOUSEDOWN && LEFTMOUSEDOWN2);
    EXPECT_EQ(SETMX, 100);
    EXPECT_EQ(SETMY, 50);
    deliver(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(110, 54));
    EXPECT_FLOAT_EQ(YROT, 10.0f);
    EXPECT_FLOAT_EQ(XROT, 4.0f);
    EXPECT_FLOAT_EQ(YROT2, 10.0f);
    EXPECT_FLOAT_EQ(XROT2, 4.0f);
    EXPECT_EQ(SETOMX, 110);
    EXPECT_EQ(SETOMY, 54);
    deliver(WM_LBUTTONUP, 0, MAKELPARAM(110, 54));
    EXPECT_EQ(get_capture(), 0u);
    EXPECT_FALSE(LEFTMOUSEDOWN || LEFTMOUSEDOWN2);
    EXPECT_EQ(XCOORD + YCOORD + SETMX + SETMY, 0);
    deliver(WM_MOUSEMOVE, 0, MAKELPARAM(300, 300));
    EXPECT_FLOAT_EQ(YROT, 10.0f);
}

TEST_F(WndProc, DraggingPastTheLeftAndTopEdgesGivesSmallNegativePositions) {
    MSPEED = 2;
    deliver(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 2));
    deliver(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(-1, -2));
    EXPECT_EQ(SETOMX, -1);
    EXPECT_EQ(SETOMY, -2);
    EXPECT_FLOAT_EQ(YROT, -4.0f);  // (-1 - 3) / 2 * 2
    EXPECT_FLOAT_EQ(XROT, -4.0f);  // (-2 - 2) / 2 * 2
}

TEST_F(WndProc, RightDragMovesTheCameraUnlessFreeMouseLook) {
    MSPEED = 2;
    deliver(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(0, 100));
    EXPECT_EQ(get_capture(), HWINDOW);
    deliver(WM_MOUSEMOVE, MK_RBUTTON, MAKELPARAM(0, 120));
    EXPECT_FLOAT_EQ(DEPTH, -4.0f);
    EXPECT_FLOAT_EQ(DEPTH2, -4.0f);
    MOUSEFREE = true;
    deliver(WM_MOUSEMOVE, MK_RBUTTON, MAKELPARAM(0, 200));
    EXPECT_FLOAT_EQ(DEPTH, -4.0f);
    deliver(WM_RBUTTONUP, 0, MAKELPARAM(0, 200));
    EXPECT_FALSE(RIGHTMOUSEDOWN || RIGHTMOUSEDOWN2);
    EXPECT_EQ(get_capture(), 0u);
}

TEST_F(WndProc, FreeMouseLookPinsTheCursorAndLimitsTheTilt) {
    MOUSEFREE = true;
    MSPEED = 1;
    platform::testing::set_foreground(HWINDOW);
    set_cursor_pos(430, 350);  // 30 right of and 50 below (400, 300)
    deliver(WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
    EXPECT_FLOAT_EQ(XROT, 0.3f);
    EXPECT_FLOAT_EQ(YROT, 0.5f);
    EXPECT_FLOAT_EQ(YROT2, 0.5f);
    EXPECT_EQ(MPOS.X, 430);
    POINT pinned{};
    get_cursor_pos(&pinned);
    EXPECT_EQ(pinned.X, 400);
    EXPECT_EQ(pinned.Y, 300);
    for (int i = 0; i < 150; ++i) {
        set_cursor_pos(400, 350);
        deliver(WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
    }
    EXPECT_FLOAT_EQ(YROT, 60.0f);
    EXPECT_FLOAT_EQ(YROT2, 60.0f);
    for (int i = 0; i < 300; ++i) {
        set_cursor_pos(400, 250);
        deliver(WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
    }
    EXPECT_FLOAT_EQ(YROT, -60.0f);
}

TEST_F(WndProc, FreeMouseLookNeedsTheForeground) {
    MOUSEFREE = true;
    MSPEED = 1;
    platform::testing::set_foreground(0);
    set_cursor_pos(400, 350);
    deliver(WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
    EXPECT_FLOAT_EQ(YROT, 0.0f);
}

struct FrameRateCase {
    int32_t frames;
    int32_t force;
    const char* shown;
};

TEST_F(WndProc, FrameRateTitle) {
    static const char kName[] = "Esplosione 3D - Z gerera esplosione";
    SETTITLENAME = kName;
    VIEWFPS = true;
    const FrameRateCase cases[] = {
        {300, 1, "60"},
        {2, 1, "1"},
        {0, 1, "1"},
        {3000000, 1000, "600000000"},          // past 32 bits in the product
        {INT32_MAX, INT32_MAX, "2147483647"},  // past even 64 bits: saturated
        {INT32_MAX, -1000, "1"},
    };
    for (const FrameRateCase& c : cases) {
        FPSCOUNT = c.frames;
        FORCEFPS = c.force;
        deliver(WM_TIMER, FPS_TIMER, 0);
        EXPECT_EQ(title(), std::string(kName) + " - FPS [" + c.shown + "]") << c.frames << " x " << c.force;
        EXPECT_EQ(FPSCOUNT, 0);
    }
}

TEST_F(WndProc, FrameRateOnlyWithViewFpsAndItsTimer) {
    FPSCOUNT = 300;
    deliver(WM_TIMER, FPS_TIMER, 0);
    VIEWFPS = true;
    deliver(WM_TIMER, 2, 0);
    EXPECT_EQ(title(), "Title");
    EXPECT_EQ(FPSCOUNT, 300);
    SETTITLENAME = nullptr;
    deliver(WM_TIMER, FPS_TIMER, 0);
    EXPECT_EQ(title(), " - FPS [60]");
}

TEST_F(WndProc, ForceFpsDriftsTowardItsTarget) {
    VIEWFPS = true;
    ADDFORCEFPS = 100;
    FPSCOUNT = 300;  // rate 60, below target
    deliver(WM_TIMER, FPS_TIMER, 0);
    EXPECT_EQ(FORCEFPS, 2);
    FPSCOUNT = 1000;  // rate 2 x 200 = 400, above target
    deliver(WM_TIMER, FPS_TIMER, 0);
    EXPECT_EQ(FORCEFPS, 1);
}

int menu_calls = 0;
int command_calls = 0;
int32_t command_args[4];

TEST_F(WndProc, MenuAndCommandHooksOnlyWhenSet) {
    menu_calls = command_calls = 0;
    SHOWMENUBAR = true;
    deliver(WM_CONTEXTMENU, static_cast<WPARAM>(HWINDOW), 0);  // null hook: skipped
    deliver(WM_COMMAND, 7, 0);
    CREATEMOUSEMENU = [] { ++menu_calls; };
    GETINPUTCOMMAND = [](HANDLE window, int32_t message, int32_t wparam, int32_t lparam) {
        ++command_calls;
        command_args[0] = static_cast<int32_t>(window), command_args[1] = message;
        command_args[2] = wparam, command_args[3] = lparam;
        return 5;
    };
    deliver(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    deliver(WM_RBUTTONUP, 0, MAKELPARAM(5, 5));  // default processing asks for the context menu
    EXPECT_EQ(menu_calls, 1);
    EXPECT_EQ(deliver(WM_COMMAND, 7, 9), 0);
    EXPECT_EQ(command_calls, 1);
    EXPECT_EQ(command_args[0], static_cast<int32_t>(HWINDOW));
    EXPECT_EQ(command_args[1], WM_COMMAND);
    EXPECT_EQ(command_args[2], 7);
    EXPECT_EQ(command_args[3], 9);
    SHOWMENUBAR = false;
    deliver(WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
    deliver(WM_COMMAND, 7, 9);
    EXPECT_EQ(menu_calls, 1);
    EXPECT_EQ(command_calls, 1);
}

TEST_F(WndProc, PumpHandlesOneMessagePerCallAndNeverWaits) {
    SETGLMSG();  // empty: returns at once
    for (int32_t code : {int32_t{'A'}, int32_t{'B'}, int32_t{'C'}}) post_message(HWINDOW, WM_KEYDOWN, code, 1);
    SETGLMSG();
    EXPECT_EQ(SETKEY['A'], -1);
    EXPECT_EQ(SETKEY['B'], 0);
    SETGLMSG();
    EXPECT_EQ(SETKEY['B'], -1);
    EXPECT_EQ(SETKEY['C'], 0);
    SETGLMSG();
    EXPECT_EQ(SETKEY['C'], -1);
    EXPECT_EQ(MSG_.message, static_cast<uint32_t>(WM_KEYDOWN));
    EXPECT_EQ(MSG_.wParam, 'C');
    SETGLMSG();
    SETGLMSG();
    EXPECT_FALSE(peek_message(&MSG_, 0, 0, 0, PM_NOREMOVE));
}

}  // namespace
