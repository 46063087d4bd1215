// The GL window made for real under X: handles, current context, exact client size and title, frame
// counting into the frame-rate title, full screen, and a harmless frame after the window's end.
#include <GL/gl.h>
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "corvel/state.h"
#include "corvel/window.h"
#include "corvel/wndproc.h"
#include "platform/cursor.h"
#include "platform/dialog.h"
#include "platform/gl_context.h"
#include "platform/queue.h"
#include "platform/testing.h"
#include "platform/window.h"

using namespace corvel;
using namespace platform;

namespace {

constexpr const char* kTitle = "Esplosione 3D - Z gerera esplosione";

SDL_Window* native(HWND window) {
    return SDL_GetWindowFromID(platform::testing::native_window_id(window));
}

std::string title_of(HWND window) {
    char text[128];
    get_window_text(window, text, sizeof text);
    return text;
}

class GlWindow : public ::testing::Test {
protected:
    void SetUp() override {
        set_message_box_handler([](const std::string& text, const std::string& caption, uint32_t) {
            ADD_FAILURE() << "unexpected box " << caption << ": " << text;
            return IDOK;
        });
        unregister_class("GLWindow", 0);
        unregister_class(SZHOVERCLASS, 0);
        FULLSCREEN = false;
        VIEWFPS = false;
        MOUSEFREE = false;
        FPSCOUNT = 0;
        FORCEFPS = 1;
        OGLWINDOWSETTING(ARROW, "", GENERIC, "");
    }
    void TearDown() override {
        DELETEOGLWINDOW();
        MSG msg{};
        while (peek_message(&msg, 0, 0, 0, PM_REMOVE)) {
        }
        unregister_class("GLWindow", 0);
        unregister_class(SZHOVERCLASS, 0);
    }
};

TEST_F(GlWindow, CreatesAVisibleWindowWithACurrentContext) {
    ASSERT_TRUE(CREATEOGLWINDOW(kTitle, 800, 600, 32, false));
    EXPECT_NE(HWINDOW, 0u);
    EXPECT_NE(DCWINDOW, 0u);
    EXPECT_NE(RCWINDOW, 0u);
    EXPECT_TRUE(ACTIVE);
    EXPECT_TRUE(has_current_gl_context());
    EXPECT_EQ(wgl_get_current_context(), RCWINDOW);
    SDL_Window* window = native(HWINDOW);
    ASSERT_NE(window, nullptr);
    int width = 0, height = 0, x = -1, y = -1;
    SDL_GetWindowSize(window, &width, &height);
    SDL_GetWindowPosition(window, &x, &y);
    EXPECT_EQ(width, 800);
    EXPECT_EQ(height, 600);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    EXPECT_TRUE(SDL_GetWindowFlags(window) & SDL_WINDOW_SHOWN);
    EXPECT_FALSE(SDL_GetWindowFlags(window) & SDL_WINDOW_BORDERLESS);
    EXPECT_STREQ(SDL_GetWindowTitle(window), kTitle);
    EXPECT_EQ(title_of(HWINDOW), kTitle);
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 800);
    EXPECT_EQ(viewport[3], 600);
    GLint depth = 0;
    glGetIntegerv(GL_DEPTH_BITS, &depth);
    EXPECT_GE(depth, 16);  // the request was relaxed to what the display offers, not to nothing
    GLint doublebuffer = 0;
    glGetIntegerv(GL_DOUBLEBUFFER, &doublebuffer);
    EXPECT_EQ(doublebuffer, GL_TRUE);
}

TEST_F(GlWindow, DeletionReleasesEverythingAndLaterSwapsAreHarmless) {
    ASSERT_TRUE(CREATEOGLWINDOW(kTitle, 800, 600, 32, false));
    FPSCOUNT = 0;
    glClear(GL_COLOR_BUFFER_BIT);
    EXPECT_EQ(swap_buffers(DCWINDOW), 1);
    EXPECT_EQ(FPSCOUNT, 1);
    const HWND window = HWINDOW;
    DELETEOGLWINDOW();
    EXPECT_FALSE(is_window(window));
    EXPECT_FALSE(has_current_gl_context());
    EXPECT_EQ(HWINDOW, window);  // the variables keep their values
    EXPECT_EQ(swap_buffers(DCWINDOW), 0);
    EXPECT_EQ(FPSCOUNT, 1);
}

TEST_F(GlWindow, TheFrameAfterTheCloseBoxIsDrawnSafely) {
    ASSERT_TRUE(CREATEOGLWINDOW(kTitle, 800, 600, 32, false));
    SDL_Event close{};
    close.type = SDL_WINDOWEVENT;
    close.window.event = SDL_WINDOWEVENT_CLOSE;
    close.window.windowID = platform::testing::native_window_id(HWINDOW);
    SDL_PushEvent(&close);
    for (int frame = 0; frame < 100 && ACTIVE; ++frame) SETGLMSG();
    EXPECT_FALSE(ACTIVE);
    EXPECT_FALSE(is_window(HWINDOW));
    // The host's loop still draws and presents this frame.
    glClearColor(0.2f, 0.3f, 0.4f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    EXPECT_EQ(swap_buffers(DCWINDOW), 0);
}

TEST_F(GlWindow, PresentedFramesBecomeTheFrameRateTitle) {
    VIEWFPS = true;
    ASSERT_TRUE(CREATEOGLWINDOW(kTitle, 800, 600, 32, false));
    FPSCOUNT = 0;
    for (int frame = 0; frame < 300; ++frame) swap_buffers(DCWINDOW);
    platform::testing::advance_clock(FPS_INTERVAL);
    const std::string expected = std::string(kTitle) + " - FPS [60]";
    for (int frame = 0; frame < 200 && title_of(HWINDOW) != expected; ++frame) SETGLMSG();
    EXPECT_EQ(title_of(HWINDOW), expected);
    EXPECT_STREQ(SDL_GetWindowTitle(native(HWINDOW)), expected.c_str());
    EXPECT_EQ(FPSCOUNT, 0);
}

TEST_F(GlWindow, FullScreenTakesTheScreenWithoutABorder) {
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
    SDL_Rect screen{};
    ASSERT_EQ(SDL_GetDisplayBounds(0, &screen), 0);
    ASSERT_TRUE(CREATEOGLWINDOW(kTitle, 800, 600, 32, true));
    EXPECT_EQ(WIDTH, screen.w);
    EXPECT_EQ(HEIGHT, screen.h);
    int width = 0, height = 0;
    SDL_GetWindowSize(native(HWINDOW), &width, &height);
    EXPECT_EQ(width, screen.w);
    EXPECT_EQ(height, screen.h);
    EXPECT_TRUE(SDL_GetWindowFlags(native(HWINDOW)) & SDL_WINDOW_BORDERLESS);
}

TEST_F(GlWindow, SettingsMakeTheEmptyListOnceAContextIsCurrent) {
    ASSERT_TRUE(CREATEOGLWINDOW(kTitle, 800, 600, 32, false));
    MOUSEFREE = true;
    OGLWINDOWSETTING(ARROW, "", GENERIC, "");
    EXPECT_NE(OBJNULL, 0u);
    EXPECT_TRUE(glIsList(OBJNULL));
    POINT cursor{};
    get_cursor_pos(&cursor);
    EXPECT_EQ(cursor.X, 400);
    EXPECT_EQ(cursor.Y, 300);
    MOUSEFREE = false;
}

TEST(GlWindowFatal, NoContextEndsTheProcessWithTheInitialisationBox) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            set_message_box_handler([](const std::string& text, const std::string& caption, uint32_t) {
                std::fprintf(stderr, "box [%s] [%s]\n", caption.c_str(), text.c_str());
                return IDOK;
            });
            platform::testing::fail_next(platform::testing::Failure::CreateContext);
            CREATEOGLWINDOW(kTitle, 800, 600, 32, false);
            std::exit(0);
        },
        ::testing::ExitedWithCode(1),
        "box \\[Error\\] \\[la rispettiva applicazione non \xC3\xA8 stata inizilizata!\\]");
}

}  // namespace
