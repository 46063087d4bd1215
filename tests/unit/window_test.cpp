// Window records and the framework's creation steps without a display: class fields, styles, status
// bar, stale handles, and the three fatal failures (the process ends with code 1 after the error box).
#include "corvel/window.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "corvel/state.h"
#include "corvel/wndproc.h"
#include "platform/cursor.h"
#include "platform/dialog.h"
#include "platform/gl_context.h"
#include "platform/queue.h"
#include "platform/sys.h"
#include "platform/testing.h"
#include "platform/window.h"

using namespace corvel;
using namespace platform;

namespace {

std::vector<std::string> events;

LRESULT logging_procedure(HWND window, int32_t message, WPARAM, LPARAM) {
    if (message == WM_CREATE || message == WM_DESTROY) {
        char line[64];
        std::snprintf(line, sizeof line, "%s %u", message == WM_CREATE ? "create" : "destroy", window);
        events.push_back(line);
    }
    return 0;
}

LRESULT refusing_procedure(HWND, int32_t message, WPARAM, LPARAM) {
    return message == WM_CREATE ? -1 : 0;
}

void register_test_class(const char* name, WNDPROC procedure) {
    WNDCLASS window_class{};
    window_class.lpfnWndProc = procedure;
    window_class.lpszClassName = name;
    register_class(&window_class);
}

// Error boxes are answered here and written to stderr, where the death tests look for them.
void report_boxes() {
    set_message_box_handler([](const std::string& text, const std::string& caption, uint32_t style) {
        std::fprintf(stderr, "box [%s] [%s] style %u\n", caption.c_str(), text.c_str(), style);
        return IDOK;
    });
}

void forget_framework_classes() {
    unregister_class("GLWindow", 0);
    unregister_class(SZHOVERCLASS, 0);
}

class Window : public ::testing::Test {
protected:
    void SetUp() override {
        report_boxes();
        events.clear();
    }
};

TEST_F(Window, ClassesAreKnownByNameOnce) {
    register_test_class("Once", logging_procedure);
    WNDCLASS again{};
    again.lpfnWndProc = logging_procedure;
    again.lpszClassName = "Once";
    EXPECT_EQ(register_class(&again), 0);
    WNDCLASSEX info{};
    EXPECT_NE(get_class_info_ex(0, "Once", &info), 0);
    EXPECT_EQ(info.lpfnWndProc, logging_procedure);
    EXPECT_EQ(get_class_info_ex(0, "Never", &info), 0);
    EXPECT_EQ(create_window_ex(0, "Never", "", WS_POPUP, 0, 0, 1, 1, 0, 0, 0, nullptr), 0u);
    WNDCLASS nameless{};
    nameless.lpfnWndProc = logging_procedure;
    EXPECT_EQ(register_class(&nameless), 0);
}

TEST_F(Window, DestructionSendsWmDestroyToTheWindowThenItsChildren) {
    register_test_class("Family", logging_procedure);
    const HWND parent = create_window_ex(0, "Family", "p", WS_POPUP, 0, 0, 200, 100, 0, 0, 0, nullptr);
    const HWND child = create_window_ex(0, "Family", "c", WS_CHILD, 10, 10, 20, 20, parent, 5, 0, nullptr);
    ASSERT_NE(child, 0u);
    EXPECT_EQ(get_parent(child), parent);
    EXPECT_EQ(create_window_ex(0, "Family", "orphan", WS_CHILD, 0, 0, 1, 1, 0, 0, 0, nullptr), 0u);
    EXPECT_NE(destroy_window(parent), 0);
    const std::vector<std::string> expected = {"create " + std::to_string(parent), "create " + std::to_string(child),
                                               "destroy " + std::to_string(parent), "destroy " + std::to_string(child)};
    EXPECT_EQ(events, expected);
    EXPECT_FALSE(is_window(child));
    EXPECT_EQ(destroy_window(parent), 0);  // stale: harmless
    EXPECT_EQ(events.size(), 4u);
}

TEST_F(Window, ACreationMessageAnsweredMinusOneCancelsTheWindow) {
    register_test_class("Refusing", refusing_procedure);
    EXPECT_EQ(create_window_ex(0, "Refusing", "", WS_POPUP, 0, 0, 1, 1, 0, 0, 0, nullptr), 0u);
}

TEST_F(Window, StaleDeviceContextsAndWindowsFailHarmlessly) {
    register_test_class("Stale", logging_procedure);
    const HWND window = create_window_ex(0, "Stale", "", WS_POPUP, 0, 0, 10, 10, 0, 0, 0, nullptr);
    const HDC dc = get_dc(window);
    ASSERT_NE(dc, 0u);
    EXPECT_EQ(release_dc(window, dc), 1);
    EXPECT_EQ(release_dc(window, dc), 0);
    EXPECT_EQ(swap_buffers(dc), 0);
    const HDC kept = get_dc(window);
    destroy_window(window);
    EXPECT_EQ(swap_buffers(kept), 0);
    EXPECT_EQ(release_dc(window, kept), 0);
    EXPECT_EQ(set_window_text(window, "x"), 0);
    EXPECT_EQ(set_capture(window), 0u);
    EXPECT_EQ(update_window(window), 0);
    EXPECT_EQ(wgl_make_current(kept, 0), 1);  // no context: nothing to look at
    EXPECT_EQ(wgl_delete_context(0), 0);
}

TEST_F(Window, TitlesPropertiesAndRectangles) {
    register_test_class("Plain", logging_procedure);
    const HWND window = create_window_ex(0, "Plain", "Caf\xE9", WS_POPUP, 30, 40, 320, 200, 0, 0, 0, nullptr);
    char title[8];
    EXPECT_EQ(get_window_text(window, title, sizeof title), 4);
    EXPECT_STREQ(title, "Caf\xE9");
    EXPECT_EQ(get_window_text(window, title, 3), 2);  // cut to fit, NUL included
    EXPECT_STREQ(title, "Ca");
    RECT client{}, outer{};
    get_client_rect(window, &client);
    get_window_rect(window, &outer);
    EXPECT_EQ(client.right, 320);
    EXPECT_EQ(client.bottom, 200);
    EXPECT_EQ(outer.left, 30);
    EXPECT_EQ(outer.bottom, 240);
    EXPECT_EQ(set_prop(window, "A", 7), 1);
    EXPECT_EQ(get_prop(window, "A"), 7u);
    EXPECT_EQ(remove_prop(window, "A"), 7u);
    EXPECT_EQ(get_prop(window, "A"), 0u);
    destroy_window(window);
}

TEST_F(Window, StatusBarSitsAtTheBottomWithTextAndParts) {
    register_test_class("Framed", logging_procedure);
    const HWND parent = create_window_ex(0, "Framed", "", WS_POPUP, 0, 0, 800, 600, 0, 0, 0, nullptr);
    for (int i = 1; i <= 20; ++i) STATUSITEM[i] = 0;
    STATUSITEM[1] = 100, STATUSITEM[2] = 200, STATUSITEM[3] = -1;
    MAXSTATUSITEM = 3;
    const HWND status = CREATESTATUSBAR(parent);
    ASSERT_NE(status, 0u);
    EXPECT_EQ(AWND, status);
    EXPECT_EQ(get_parent(status), parent);
    EXPECT_STREQ(FILENAME.data(), "Percorso file");
    for (int i = 13; i <= 260; ++i) ASSERT_EQ(FILENAME[i], '\0');
    char text[32];
    get_window_text(status, text, sizeof text);
    EXPECT_STREQ(text, "Percorso file");
    RECT rect{};
    get_window_rect(status, &rect);
    EXPECT_EQ(rect.bottom, 600);
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.right, 800);
    EXPECT_LT(rect.top, 600);
    int32_t parts[4] = {};
    ASSERT_EQ(status_get_parts(status, 4, parts), 3);
    EXPECT_EQ(parts[0], 100);
    EXPECT_EQ(parts[2], -1);
    EXPECT_EQ(EDGES[2], 200);

    MAXSTATUSITEM = 0;
    EXPECT_EQ(status_get_parts(CREATESTATUSBAR(parent), 4, parts), 0);
    MAXSTATUSITEM = 99;  // more than the tables hold: only their 20
    EXPECT_EQ(status_get_parts(CREATESTATUSBAR(parent), 4, parts), 20);
    MAXSTATUSITEM = 0;
    EXPECT_EQ(CREATESTATUSBAR(0), 0u);
    EXPECT_EQ(AWND, 0u);
    destroy_window(parent);
}

TEST_F(Window, RegistrationFillsBothClasses) {
    forget_framework_classes();
    OGLWINDOWSETTING(CROSS, "", GENERIC, "");
    EXPECT_EQ(OBJNULL, 0u);  // no context yet
    EXPECT_TRUE(FOGONOFF);
    ASSERT_TRUE(WINDOWREGISTER());
    WNDCLASSEX gl{};
    ASSERT_NE(get_class_info_ex(0, "GLWindow", &gl), 0);
    EXPECT_EQ(gl.style, 3u);
    EXPECT_EQ(gl.lpfnWndProc, GLWNDPROC);
    EXPECT_EQ(gl.hCursor, load_cursor(0, IDC_CROSS));
    EXPECT_EQ(gl.hIcon, load_icon(0, IDI_APPLICATION));
    EXPECT_EQ(gl.hbrBackground, get_sys_color_brush(COLOR_BTNFACE));
    EXPECT_EQ(gl.hInstance, get_module_handle(nullptr));
    EXPECT_EQ(WINDOWCLASSEX.cbSize, 48u);
    EXPECT_STREQ(WINDOWCLASSEX.lpszClassName, "IMAGEBUTTON");
    EXPECT_EQ(WINDOWCLASSEX.hbrBackground, get_stock_object(NULL_BRUSH));
    EXPECT_EQ(WINDOWCLASSEX.hCursor, load_cursor(0, IDC_ARROW));
    bool hollow = false;
    EXPECT_TRUE(brush_colour(WINDOWCLASSEX.hbrBackground, nullptr, &hollow));
    EXPECT_TRUE(hollow);
    EXPECT_FALSE(WINDOWREGISTER());  // the GL class is registered once per process
    forget_framework_classes();
}

TEST_F(Window, MissingCursorFileLeavesTheClassWithoutACursor) {
    forget_framework_classes();
    OGLWINDOWSETTING(FILECURSOR, "/nonexistent/cursor.cur", FILEICON, "/nonexistent/icon.ico");
    ASSERT_TRUE(WINDOWREGISTER());
    WNDCLASSEX gl{};
    get_class_info_ex(0, "GLWindow", &gl);
    EXPECT_EQ(gl.hCursor, 0u);
    EXPECT_EQ(gl.hIcon, 0u);
    forget_framework_classes();
    OGLWINDOWSETTING(ARROW, "", GENERIC, "");
}

TEST_F(Window, WindowedCreationUsesItsStyleAndSize) {
    forget_framework_classes();
    ASSERT_TRUE(WINDOWREGISTER());
    FULLSCREEN = false;
    WIDTH = 800, HEIGHT = 600;
    ACTIVE = false;
    const HWND window = WINDOWCREATE("Esplosione 3D - Z gerera esplosione");
    ASSERT_NE(window, 0u);
    EXPECT_TRUE(ACTIVE);
    EXPECT_EQ(get_foreground_window(), window);
    RECT rect{};
    get_window_rect(window, &rect);
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.top, 0);
    EXPECT_EQ(rect.right, 800);
    EXPECT_EQ(rect.bottom, 600);
    destroy_window(window);
    EXPECT_FALSE(ACTIVE);
    MSG msg{};
    while (peek_message(&msg, 0, 0, 0, PM_REMOVE)) {
    }
    forget_framework_classes();
}

struct FatalCase {
    const char* name;
    platform::testing::Failure failure;
    const char* box;
};

class Fatal : public ::testing::TestWithParam<FatalCase> {};

TEST_P(Fatal, EndsTheProcessWithCodeOneAfterTheErrorBox) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const FatalCase& c = GetParam();
    EXPECT_EXIT(
        {
            report_boxes();
            forget_framework_classes();
            SHOWMENUBAR = true;  // with no builder set: skipped, not called
            SHOWSTATUSBAR = true;
            platform::testing::fail_next(c.failure);
            CREATEOGLWINDOW("App", 800, 600, 32, false);
            std::fprintf(stderr, "returned\n");
            std::exit(0);
        },
        ::testing::ExitedWithCode(1), std::string("box \\[Error\\] \\[") + c.box + "\\] style 0");
}

INSTANTIATE_TEST_SUITE_P(Steps, Fatal,
                         ::testing::Values(FatalCase{"Registration", platform::testing::Failure::RegisterClass,
                                                     "Errore di registro per la rispettiva applicazione!"},
                                           FatalCase{"Window", platform::testing::Failure::CreateWindow,
                                                     "Impossibile creare la finestra per la rispettiva applicazione!"},
                                           // UTF-8 of the single Windows-1252 byte 0xE8 that the text carries.
                                           FatalCase{"PixelFormat", platform::testing::Failure::ChoosePixelFormat,
                                                     "la rispettiva applicazione non \xC3\xA8 stata inizilizata!"}),
                         [](const ::testing::TestParamInfo<FatalCase>& info) { return std::string(info.param.name); });

TEST(FatalSecondCreation, ASecondWindowFailsAtRegistration) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            report_boxes();
            forget_framework_classes();
            WINDOWREGISTER();
            CREATEOGLWINDOW("App", 800, 600, 32, false);
            std::exit(0);
        },
        ::testing::ExitedWithCode(1), "box \\[Error\\] \\[Errore di registro per la rispettiva applicazione!\\]");
}

}  // namespace
