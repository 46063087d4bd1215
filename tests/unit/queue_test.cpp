// The message queue without a display: order, filters, peek without removing, quit, send, timers on
// the test clock, characters from key-downs, and what a destroyed window leaves behind.
#include "platform/queue.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/testing.h"
#include "platform/window.h"

using namespace platform;

namespace {

constexpr int32_t WM_USER_ANSWER = 0x400;

std::vector<MSG> received;

LRESULT recording_procedure(HWND window, int32_t message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_CREATE || message == WM_DESTROY) return 0;
    received.push_back(MSG{window, static_cast<uint32_t>(message), wparam, lparam, 0, {0, 0}});
    return message == WM_USER_ANSWER ? wparam * 2 : 0;
}

class Queue : public ::testing::Test {
protected:
    void SetUp() override {
        static const bool registered = [] {
            WNDCLASS window_class{};
            window_class.lpfnWndProc = recording_procedure;
            window_class.lpszClassName = "QueueTest";
            return register_class(&window_class) != 0;
        }();
        ASSERT_TRUE(registered);
        window_ = create_window_ex(0, "QueueTest", "", WS_POPUP, 0, 0, 100, 100, 0, 0, 0, nullptr);
        other_ = create_window_ex(0, "QueueTest", "", WS_POPUP, 0, 0, 100, 100, 0, 0, 0, nullptr);
        ASSERT_NE(window_, 0u);
        drain();
        received.clear();
    }
    void TearDown() override {
        destroy_window(window_);
        destroy_window(other_);
        drain();
    }
    static void drain() {
        MSG msg{};
        while (peek_message(&msg, 0, 0, 0, PM_REMOVE)) {
        }
    }
    HWND window_ = 0;
    HWND other_ = 0;
};

TEST_F(Queue, PeekLeavesTheMessageAndGetTakesItInOrder) {
    MSG msg{};
    EXPECT_FALSE(peek_message(&msg, 0, 0, 0, PM_NOREMOVE));
    post_message(window_, WM_USER_ANSWER, 1, 10);
    post_message(window_, WM_USER_ANSWER, 2, 20);
    ASSERT_TRUE(peek_message(&msg, 0, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.wParam, 1);
    ASSERT_TRUE(peek_message(&msg, 0, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.wParam, 1);
    EXPECT_EQ(get_message(&msg, 0, 0, 0), 1);
    EXPECT_EQ(msg.hwnd, window_);
    EXPECT_EQ(msg.lParam, 10);
    EXPECT_EQ(dispatch_message(&msg), 2);
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].wParam, 1);
    EXPECT_EQ(get_message(&msg, 0, 0, 0), 1);
    EXPECT_EQ(msg.wParam, 2);
    EXPECT_FALSE(peek_message(&msg, 0, 0, 0, PM_REMOVE));
}

TEST_F(Queue, FiltersByWindowAndRange) {
    post_message(window_, WM_USER_ANSWER, 1, 0);
    post_message(other_, WM_USER_ANSWER + 1, 2, 0);
    MSG msg{};
    ASSERT_TRUE(peek_message(&msg, other_, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 2);
    EXPECT_FALSE(peek_message(&msg, 0, WM_USER_ANSWER + 1, WM_USER_ANSWER + 5, PM_REMOVE));
    ASSERT_TRUE(peek_message(&msg, 0, WM_USER_ANSWER, WM_USER_ANSWER, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 1);
}

TEST_F(Queue, QuitComesAfterQueuedMessagesAndReachesNoWindow) {
    post_quit_message(3);
    post_message(window_, WM_USER_ANSWER, 1, 0);
    MSG msg{};
    EXPECT_EQ(get_message(&msg, 0, 0, 0), 1);
    EXPECT_EQ(get_message(&msg, 0, 0, 0), 0);
    EXPECT_EQ(msg.message, static_cast<uint32_t>(WM_QUIT));
    EXPECT_EQ(msg.wParam, 3);
    EXPECT_EQ(dispatch_message(&msg), 0);
    EXPECT_TRUE(received.empty());
    EXPECT_FALSE(peek_message(&msg, 0, 0, 0, PM_REMOVE));
}

TEST_F(Queue, SendIsSynchronousAndStaleHandlesFailHarmlessly) {
    EXPECT_EQ(send_message(window_, WM_USER_ANSWER, 21, 0), 42);
    ASSERT_EQ(received.size(), 1u);
    const HWND gone = other_;
    destroy_window(gone);
    EXPECT_EQ(send_message(gone, WM_USER_ANSWER, 1, 0), 0);
    EXPECT_EQ(post_message(gone, WM_USER_ANSWER, 1, 0), 0);
    EXPECT_EQ(set_timer(gone, 1, 100, nullptr), 0u);
    EXPECT_EQ(received.size(), 1u);
}

TEST_F(Queue, DestroyedWindowsLeaveNoMessagesOrTimers) {
    post_message(other_, WM_USER_ANSWER, 1, 0);
    set_timer(other_, 4, 100, nullptr);
    destroy_window(other_);
    platform::testing::advance_clock(1000);
    MSG msg{};
    EXPECT_FALSE(peek_message(&msg, 0, 0, 0, PM_REMOVE));
}

TEST_F(Queue, TimersTickWhenDueAndOnlyWhenNothingElseWaits) {
    ASSERT_EQ(set_timer(window_, 1, 5000, nullptr), 1u);
    MSG msg{};
    EXPECT_FALSE(peek_message(&msg, 0, 0, 0, PM_NOREMOVE));
    platform::testing::advance_clock(5000);
    post_message(window_, WM_USER_ANSWER, 9, 0);
    ASSERT_TRUE(peek_message(&msg, 0, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<uint32_t>(WM_USER_ANSWER));
    ASSERT_TRUE(peek_message(&msg, 0, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.message, static_cast<uint32_t>(WM_TIMER));
    EXPECT_EQ(get_message(&msg, 0, 0, 0), 1);
    EXPECT_EQ(msg.message, static_cast<uint32_t>(WM_TIMER));
    EXPECT_EQ(msg.hwnd, window_);
    EXPECT_EQ(msg.wParam, 1);
    EXPECT_FALSE(peek_message(&msg, 0, 0, 0, PM_NOREMOVE));  // next tick in another period
    platform::testing::advance_clock(5000);
    EXPECT_TRUE(peek_message(&msg, 0, WM_TIMER, WM_TIMER, PM_REMOVE));
    EXPECT_EQ(kill_timer(window_, 1), 1);
    EXPECT_EQ(kill_timer(window_, 1), 0);
    platform::testing::advance_clock(5000);
    EXPECT_FALSE(peek_message(&msg, 0, 0, 0, PM_NOREMOVE));
}

TEST_F(Queue, TranslatePostsCharactersOfControlKeys) {
    post_message(window_, WM_KEYDOWN, VK_RETURN, 1);
    MSG msg{};
    get_message(&msg, 0, 0, 0);
    EXPECT_NE(translate_message(&msg), 0);
    ASSERT_TRUE(peek_message(&msg, 0, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<uint32_t>(WM_CHAR));
    EXPECT_EQ(msg.wParam, 13);
    post_message(window_, WM_KEYDOWN, VK_LEFT, 1);
    get_message(&msg, 0, 0, 0);
    translate_message(&msg);
    EXPECT_FALSE(peek_message(&msg, 0, 0, 0, PM_REMOVE));
    MSG other{};
    other.message = WM_USER_ANSWER;
    EXPECT_EQ(translate_message(&other), 0);
}

}  // namespace
