// GLWNDPROC turns the GL window's messages into the framework's state (activity, keys, mouse camera,
// frame-rate title); SETGLMSG hands it at most one waiting message per frame.
#include "corvel/wndproc.h"

#include <cmath>
#include <cstdint>
#include <string>

#include "corvel/state.h"
#include "platform/cursor.h"
#include "platform/queue.h"
#include "platform/window.h"

namespace corvel {
namespace {

using namespace platform;

constexpr int32_t kEscape = 27;
constexpr double kRotationDivisor = 2.0;
constexpr double kDepthDivisor = 10.0;
constexpr double kMouseLookDivisor = 100.0;
constexpr float kMouseLookLimit = 60.0f;

// The key table's one writer. Codes outside it (virtual-key codes stay below 256) are ignored.
void set_key(WPARAM code, int32_t state) {
    if (SETKEY.contains(code)) SETKEY[code] = state;
}

float limited(float angle) {
    if (angle > kMouseLookLimit) return kMouseLookLimit;
    if (angle < -kMouseLookLimit) return -kMouseLookLimit;
    return angle;
}

void mouse_motion(int32_t x, int32_t y) {
    SETOMX = x;
    SETOMY = y;
    if (LEFTMOUSEDOWN) {
        const double down = (static_cast<double>(y) - YCOORD) / kRotationDivisor * MSPEED;
        const double across = (static_cast<double>(x) - XCOORD) / kRotationDivisor * MSPEED;
        XROT = static_cast<float>(XROT + down);
        YROT = static_cast<float>(YROT + across);
        XROT2 = static_cast<float>(XROT2 + down);
        YROT2 = static_cast<float>(YROT2 + across);
        XCOORD = x;
        YCOORD = y;
    }
    if (RIGHTMOUSEDOWN && !MOUSEFREE) {
        const double nearer = (static_cast<double>(y) - ZCOORD) / kDepthDivisor * MSPEED;
        DEPTH = static_cast<float>(DEPTH - nearer);
        DEPTH2 = static_cast<float>(DEPTH2 - nearer);
        ZCOORD = y;
    }
    if (MOUSEFREE && get_foreground_window() == HWINDOW) {
        const int32_t cx = WIDTH / 2;
        const int32_t cy = HEIGHT / 2;
        get_cursor_pos(&MPOS);
        set_cursor_pos(cx, cy);
        const double across = (static_cast<double>(MPOS.X) - cx) / kMouseLookDivisor * MSPEED;
        const double up = (static_cast<double>(cy) - MPOS.Y) / kMouseLookDivisor * MSPEED;
        XROT = static_cast<float>(XROT + across);
        YROT = limited(static_cast<float>(YROT - up));
        XROT2 = static_cast<float>(XROT2 + across);
        YROT2 = limited(static_cast<float>(YROT2 - up));
    }
}

int32_t to_int32(double value) {
    if (value >= static_cast<double>(INT32_MAX)) return INT32_MAX;
    if (value <= static_cast<double>(INT32_MIN)) return INT32_MIN;
    return static_cast<int32_t>(std::llround(value));
}

// The product is formed in 64 bits (32 overflow for large counts); one beyond even that is saturated.
void frame_rate_step() {
    int64_t product = 0;
    double rate = 0.0;
    if (__builtin_mul_overflow(static_cast<int64_t>(FORCEFPS) * 1000, static_cast<int64_t>(FPSCOUNT), &product)) {
        rate = ((FORCEFPS < 0) != (FPSCOUNT < 0)) ? -HUGE_VAL : HUGE_VAL;
    } else {
        rate = static_cast<double>(product) / FPS_INTERVAL;
    }
    FPSCOUNT = to_int32(rate);
    if (ADDFORCEFPS > 1) {
        if (FPSCOUNT < ADDFORCEFPS) FORCEFPS = FORCEFPS + 1;
        if (FPSCOUNT > ADDFORCEFPS) FORCEFPS = FORCEFPS - 1;
    }
    if (FPSCOUNT < 1) FPSCOUNT = 1;
    const std::string title =
        std::string(SETTITLENAME ? SETTITLENAME : "") + " - FPS [" + std::to_string(FPSCOUNT) + "]";
    set_window_text(HWINDOW, title.c_str());
    FPSCOUNT = 0;
}

}  // namespace

LRESULT GLWNDPROC(HWND WINDOW, int32_t AMESSAGE, WPARAM WPARAM, LPARAM LPARAM) {
    // Positions are signed: while the mouse is captured it may be left of or above the client area.
    const int32_t x = GET_X_LPARAM(LPARAM);
    const int32_t y = GET_Y_LPARAM(LPARAM);
    switch (AMESSAGE) {
        case WM_CREATE:
            ACTIVE = true;
            return 0;
        case WM_DESTROY:
            ACTIVE = false;
            post_quit_message(0);
            return 0;
        case WM_PAINT: {
            PAINTSTRUCT paint{};
            begin_paint(WINDOW, &paint);
            update_window(HSTATUS);
            end_paint(WINDOW, &paint);
            return 0;
        }
        case WM_COMMAND:
            if (SHOWMENUBAR && GETINPUTCOMMAND) GETINPUTCOMMAND(WINDOW, AMESSAGE, WPARAM, LPARAM);
            return 0;
        case WM_KEYDOWN:
            if (WPARAM == kEscape) {
                send_message(HWINDOW, WM_DESTROY, 0, 0);
                return 0;
            }
            set_key(WPARAM, -1);
            break;
        case WM_CONTEXTMENU:
            if (SHOWMENUBAR && CREATEMOUSEMENU) CREATEMOUSEMENU();
            break;
        case WM_KEYUP:
            set_key(WPARAM, 0);
            MOUSEFREE = false;
            break;
        case WM_TIMER:
            if (VIEWFPS && WPARAM == FPS_TIMER) frame_rate_step();
            break;
        case WM_MOUSEMOVE:
            mouse_motion(x, y);
            break;
        case WM_LBUTTONDOWN:
            release_capture();
            set_capture(HWINDOW);
            LEFTMOUSEDOWN = true;
            LEFTMOUSEDOWN2 = true;
            XCOORD = x;
            YCOORD = y;
            SETMX = x;
            SETMY = y;
            break;
        case WM_LBUTTONUP:
            release_capture();
            LEFTMOUSEDOWN = false;
            LEFTMOUSEDOWN2 = false;
            XCOORD = 0;
            YCOORD = 0;
            SETMX = 0;
            SETMY = 0;
            break;
        case WM_RBUTTONDOWN:
            release_capture();
            set_capture(HWINDOW);
            RIGHTMOUSEDOWN = true;
            RIGHTMOUSEDOWN2 = true;
            ZCOORD = y;
            break;
        case WM_RBUTTONUP:
            release_capture();
            RIGHTMOUSEDOWN = false;
            RIGHTMOUSEDOWN2 = false;
            break;
        default:
            break;
    }
    if (WPARAM == 0) update_window(HSTATUS);
    return def_window_proc(WINDOW, AMESSAGE, WPARAM, LPARAM);
}

void SETGLMSG() {
    if (!peek_message(&MSG_, 0, 0, 0, PM_NOREMOVE)) return;
    get_message(&MSG_, 0, 0, 0);
    translate_message(&MSG_);
    dispatch_message(&MSG_);
}

}  // namespace corvel
