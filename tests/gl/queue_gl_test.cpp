// SDL events of a real window becoming messages: keys by virtual-key code with auto-repeat and system
// keys, characters, coalesced motion, buttons, capture outside the window, child windows, paint, close.
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/cursor.h"
#include "platform/queue.h"
#include "platform/testing.h"
#include "platform/window.h"

using namespace platform;

namespace {

LRESULT quiet_procedure(HWND window, int32_t message, WPARAM wparam, LPARAM lparam) {
    return def_window_proc(window, message, wparam, lparam);
}

class QueueGl : public ::testing::Test {
protected:
    void SetUp() override {
        static const bool registered = [] {
            WNDCLASS window_class{};
            window_class.lpfnWndProc = quiet_procedure;
            window_class.lpszClassName = "QueueGl";
            return register_class(&window_class) != 0;
        }();
        ASSERT_TRUE(registered);
        // Away from where other tests put the pointer, so no stray motion reaches it.
        window_ = create_window_ex(0, "QueueGl", "queue", WS_POPUP | WS_VISIBLE, 1000, 800, 200, 150, 0, 0, 0, nullptr);
        ASSERT_NE(window_, 0u);
        settle();
        id_ = platform::testing::native_window_id(window_);
        ASSERT_NE(id_, 0u);
    }
    void TearDown() override {
        release_capture();
        destroy_window(window_);
        settle();
    }

    // Lets the X server's answers to mapping arrive and takes every message they caused.
    static void settle() {
        MSG msg{};
        for (int round = 0; round < 3; ++round) {
            SDL_Delay(20);
            while (peek_message(&msg, 0, 0, 0, PM_REMOVE)) {
                translate_message(&msg);
                dispatch_message(&msg);
            }
        }
    }
    // Every waiting message of the kinds asked for, in order; the others are handled (paint validates).
    static std::vector<MSG> take(std::initializer_list<int32_t> kinds) {
        std::vector<MSG> found;
        MSG msg{};
        while (peek_message(&msg, 0, 0, 0, PM_REMOVE)) {
            const bool wanted = std::find(kinds.begin(), kinds.end(), static_cast<int32_t>(msg.message)) != kinds.end();
            if (wanted) {
                found.push_back(msg);
            } else {
                dispatch_message(&msg);
            }
        }
        return found;
    }

    // A windowless key is one SDL reports while it has not yet applied a focus change.
    void key(uint32_t type, SDL_Keycode sym, uint16_t mod = KMOD_NONE, uint8_t repeat = 0,
             bool windowless = false) const {
        SDL_Event event{};
        event.type = type;
        event.key.windowID = windowless ? 0 : id_;
        event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
        event.key.repeat = repeat;
        event.key.keysym.sym = sym;
        event.key.keysym.mod = mod;
        SDL_PushEvent(&event);
    }
    void text(const char* characters) const {
        SDL_Event event{};
        event.type = SDL_TEXTINPUT;
        event.text.windowID = id_;
        std::strncpy(event.text.text, characters, sizeof event.text.text - 1);
        SDL_PushEvent(&event);
    }
    void motion(int x, int y, uint32_t state = 0) const {
        SDL_Event event{};
        event.type = SDL_MOUSEMOTION;
        event.motion.windowID = id_;
        event.motion.x = x;
        event.motion.y = y;
        event.motion.state = state;
        SDL_PushEvent(&event);
    }
    void button(uint32_t type, uint8_t which, int x, int y) const {
        SDL_Event event{};
        event.type = type;
        event.button.windowID = id_;
        event.button.button = which;
        event.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
        event.button.x = x;
        event.button.y = y;
        SDL_PushEvent(&event);
    }
    void window_event(uint8_t which) const {
        SDL_Event event{};
        event.type = SDL_WINDOWEVENT;
        event.window.windowID = id_;
        event.window.event = which;
        SDL_PushEvent(&event);
    }

    HWND window_ = 0;
    uint32_t id_ = 0;
};

TEST_F(QueueGl, KeysArriveByVirtualKeyCodeWithAutoRepeat) {
    key(SDL_KEYDOWN, SDLK_z);
    key(SDL_KEYDOWN, SDLK_z, KMOD_NONE, 1);
    key(SDL_KEYDOWN, SDLK_z, KMOD_NONE, 1);
    key(SDL_KEYUP, SDLK_z);
    key(SDL_KEYDOWN, SDLK_KP_3);
    key(SDL_KEYDOWN, SDLK_F1);
    const auto keys = take({WM_KEYDOWN, WM_KEYUP});
    ASSERT_EQ(keys.size(), 6u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(keys[i].message, static_cast<uint32_t>(WM_KEYDOWN));
        EXPECT_EQ(keys[i].wParam, 'Z');
        EXPECT_EQ(keys[i].hwnd, window_);
        EXPECT_EQ((static_cast<uint32_t>(keys[i].lParam) >> 30) & 1u, i == 0 ? 0u : 1u);  // previous state
    }
    EXPECT_EQ(keys[3].message, static_cast<uint32_t>(WM_KEYUP));
    EXPECT_EQ(static_cast<uint32_t>(keys[3].lParam) >> 30, 3u);
    EXPECT_EQ(keys[4].wParam, 99);
    EXPECT_EQ(keys[5].wParam, 112);
}

TEST_F(QueueGl, KeysWithoutAWindowGoToTheForegroundWindow) {
    platform::testing::set_foreground(window_);
    key(SDL_KEYDOWN, SDLK_z, KMOD_NONE, 0, true);
    key(SDL_KEYUP, SDLK_z, KMOD_NONE, 0, true);
    const auto keys = take({WM_KEYDOWN, WM_KEYUP});
    ASSERT_EQ(keys.size(), 2u);
    EXPECT_EQ(keys[0].hwnd, window_);
    EXPECT_EQ(keys[1].hwnd, window_);
    EXPECT_EQ(keys[1].message, static_cast<uint32_t>(WM_KEYUP));
}

TEST_F(QueueGl, AltCombinationsAndF10AreSystemKeys) {
    key(SDL_KEYDOWN, SDLK_LALT, KMOD_LALT);
    key(SDL_KEYDOWN, SDLK_x, KMOD_LALT);
    key(SDL_KEYUP, SDLK_x, KMOD_LALT);
    key(SDL_KEYUP, SDLK_LALT);
    key(SDL_KEYDOWN, SDLK_F10);
    const auto keys = take({WM_KEYDOWN, WM_KEYUP, WM_SYSKEYDOWN, WM_SYSKEYUP});
    ASSERT_EQ(keys.size(), 5u);
    const uint32_t expected[] = {WM_SYSKEYDOWN, WM_SYSKEYDOWN, WM_SYSKEYUP, WM_SYSKEYUP, WM_SYSKEYDOWN};
    const WPARAM codes[] = {VK_MENU, 'X', 'X', VK_MENU, VK_F10};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(keys[i].message, expected[i]) << i;
        EXPECT_EQ(keys[i].wParam, codes[i]) << i;
    }
    EXPECT_TRUE(static_cast<uint32_t>(keys[1].lParam) & (1u << 29));  // Alt held
}

TEST_F(QueueGl, TranslatedKeyDownsBringTheirCharacters) {
    key(SDL_KEYDOWN, SDLK_a);
    text("a");
    key(SDL_KEYDOWN, SDLK_a, KMOD_LSHIFT);
    text("A");
    std::vector<WPARAM> characters;
    MSG msg{};
    while (peek_message(&msg, 0, 0, 0, PM_REMOVE)) {
        translate_message(&msg);
        if (msg.message == static_cast<uint32_t>(WM_CHAR)) characters.push_back(msg.wParam);
    }
    EXPECT_EQ(characters, (std::vector<WPARAM>{'a', 'A'}));
}

TEST_F(QueueGl, PendingMotionIsCoalescedIntoItsLatestPosition) {
    motion(10, 10);
    motion(20, 15);
    motion(30, 25);
    button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 30, 25);
    motion(31, 26, SDL_BUTTON_LMASK);
    button(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 31, 26);
    const auto mouse = take({WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP});
    ASSERT_EQ(mouse.size(), 4u);
    EXPECT_EQ(mouse[0].message, static_cast<uint32_t>(WM_MOUSEMOVE));
    EXPECT_EQ(mouse[0].lParam, MAKELPARAM(30, 25));
    EXPECT_EQ(mouse[0].wParam & MK_LBUTTON, 0);
    EXPECT_EQ(mouse[0].pt.X, 1030);
    EXPECT_EQ(mouse[1].message, static_cast<uint32_t>(WM_LBUTTONDOWN));
    EXPECT_EQ(mouse[1].wParam & MK_LBUTTON, MK_LBUTTON);
    EXPECT_EQ(mouse[2].lParam, MAKELPARAM(31, 26));
    EXPECT_EQ(mouse[2].wParam & MK_LBUTTON, MK_LBUTTON);
    EXPECT_EQ(mouse[3].message, static_cast<uint32_t>(WM_LBUTTONUP));
    EXPECT_EQ(mouse[3].wParam & MK_LBUTTON, 0);
}

TEST_F(QueueGl, CapturedMotionOutsideTheWindowKeepsNegativePositions) {
    set_capture(window_);
    set_cursor_pos(1000 - 5, 800 - 7);
    std::vector<MSG> moves;
    for (int round = 0; round < 20 && moves.empty(); ++round) {
        SDL_Delay(10);
        moves = take({WM_MOUSEMOVE});
    }
    ASSERT_FALSE(moves.empty());
    EXPECT_EQ(moves.back().hwnd, window_);
    EXPECT_EQ(GET_X_LPARAM(moves.back().lParam), -5);
    EXPECT_EQ(GET_Y_LPARAM(moves.back().lParam), -7);
}

TEST_F(QueueGl, ChildWindowsGetTheMouseOverThem) {
    const HWND status = create_status_window(WS_CHILD | WS_VISIBLE, "s", window_, 1);
    ASSERT_NE(status, 0u);
    motion(50, 140);  // inside the bar along the bottom
    auto moves = take({WM_MOUSEMOVE});
    ASSERT_EQ(moves.size(), 1u);
    EXPECT_EQ(moves[0].hwnd, status);
    RECT bar{};
    get_window_rect(status, &bar);
    EXPECT_EQ(GET_Y_LPARAM(moves[0].lParam), 800 + 140 - bar.top);
    set_capture(window_);  // capture wins over the child
    motion(50, 141);
    moves = take({WM_MOUSEMOVE});
    ASSERT_FALSE(moves.empty());
    EXPECT_EQ(moves.back().hwnd, window_);
}

TEST_F(QueueGl, ExposureAsksForPaintUntilValidated) {
    window_event(SDL_WINDOWEVENT_EXPOSED);
    MSG msg{};
    ASSERT_TRUE(peek_message(&msg, 0, WM_PAINT, WM_PAINT, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, window_);
    EXPECT_TRUE(peek_message(&msg, 0, WM_PAINT, WM_PAINT, PM_REMOVE));  // still invalid
    dispatch_message(&msg);                                             // default processing validates
    EXPECT_FALSE(peek_message(&msg, 0, WM_PAINT, WM_PAINT, PM_REMOVE));
}

TEST_F(QueueGl, CloseRequestBecomesWmClose) {
    window_event(SDL_WINDOWEVENT_CLOSE);
    const auto closes = take({WM_CLOSE});
    ASSERT_EQ(closes.size(), 1u);
    EXPECT_EQ(closes[0].hwnd, window_);
    dispatch_message(&closes[0]);  // default processing destroys the window
    EXPECT_FALSE(is_window(window_));
}

}  // namespace
