// The GL window's life: cursor and icon choice, class registration, creation (windowed or screen-sized),
// status bar, pixel format and context, the fatal error box, and teardown.
#include "corvel/window.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "corvel/state.h"
#include "corvel/wndproc.h"
#include "platform/clock.h"
#include "platform/cursor.h"
#include "platform/dialog.h"
#include "platform/gl_context.h"
#include "platform/queue.h"
#include "platform/sys.h"
#include "platform/window.h"

namespace corvel {
namespace {

using namespace platform;

constexpr const char* kGlWindowClass = "GLWindow";
constexpr uint32_t kWindowedStyle =
    WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr uint32_t kFullScreenStyle =
    WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_BORDER | WS_SYSMENU;
static_assert(kWindowedStyle == 0x96CA0000u && kFullScreenStyle == 0x96880000u, "window styles");
constexpr uint32_t kStatusStyle = WS_CHILD | WS_VISIBLE;
constexpr uint32_t kStatusId = 30482;
constexpr uint32_t kPixelFlags = PFD_DOUBLEBUFFER | PFD_STEREO | PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL |
                                 PFD_GENERIC_FORMAT | PFD_GENERIC_ACCELERATED;
static_assert(kPixelFlags == 0x1067u, "pixel-format flags");

constexpr const char* kRegisterFailed = "Errore di registro per la rispettiva applicazione!";
constexpr const char* kCreateFailed = "Impossibile creare la finestra per la rispettiva applicazione!";
constexpr const char* kInitFailed = "la rispettiva applicazione non \xE8 stata inizilizata!";

// System cursors by selector ARROW (1) .. HELP (16); FILECURSOR (7) is loaded from CURSORFILE instead.
constexpr int32_t kCursors[16] = {IDC_ARROW, IDC_IBEAM,    IDC_WAIT,        IDC_CROSS,  IDC_UPARROW, IDC_SIZE,
                                  0,         IDC_SIZENWSE, IDC_SIZENESW,    IDC_SIZEWE, IDC_SIZENS,  IDC_SIZEALL,
                                  IDC_NO,    IDC_HAND,     IDC_APPSTARTING, IDC_HELP};

// A selector outside the table leaves the class without a cursor.
HCURSOR chosen_cursor() {
    if (SETTYPECURSOR == FILECURSOR) return load_cursor_from_file(CURSORFILE);
    if (SETTYPECURSOR >= ARROW && SETTYPECURSOR <= HELP) return load_cursor(0, kCursors[SETTYPECURSOR - 1]);
    return 0;
}

HICON chosen_icon() {
    if (SETTYPEICON == GENERIC) return load_icon(0, IDI_APPLICATION);
    if (SETTYPEICON == FILEICON) return load_cursor_from_file(ICONFILE);
    return 0;
}

// Frames presented on the GL window, for the frame-rate title.
void count_frame(HDC dc) {
    if (dc == DCWINDOW && FPSCOUNT < INT32_MAX) ++FPSCOUNT;
}

}  // namespace

void OGLWINDOWSETTING(int32_t TYPECURSOR, const char* CURFILE, int32_t TYPEICON, const char* ICOFILE) {
    if (MOUSEFREE) {
        START = get_tick_count();
        set_cursor_pos(WIDTH / 2, HEIGHT / 2);
    }
    FOGONOFF = true;
    SETTYPECURSOR = TYPECURSOR;
    CURSORFILE = CURFILE;
    SETTYPEICON = TYPEICON;
    ICONFILE = ICOFILE;
    // Without a current context (the usual case: settings come before the window) no list can be made.
    OBJNULL = 0;
    if (has_current_gl_context()) {
        OBJNULL = glGenLists(1);
        glNewList(OBJNULL, GL_COMPILE);
        glEndList();
    }
    GLVERT3FREMOVE = false;
    GLVERT3FENABLEEDIT = false;
}

bool CREATEOGLWINDOW(const char* APPNAME, int32_t APPWIDTH, int32_t APPHEIGHT, int32_t APPBITS, bool APPFULLSCREEN) {
    SETTITLENAME = APPNAME;
    WIDTH = APPWIDTH;
    HEIGHT = APPHEIGHT;
    BITS = APPBITS;
    FULLSCREEN = APPFULLSCREEN;
    if (!WINDOWREGISTER()) THROWERROR(kRegisterFailed);
    HWINDOW = WINDOWCREATE(APPNAME);
    if (SHOWMENUBAR && CREATEMENUBAR) CREATEMENUBAR();
    if (SHOWSTATUSBAR) HSTATUS = CREATESTATUSBAR(HWINDOW);
    if (HWINDOW == 0) THROWERROR(kCreateFailed);
    if (!WINDOWINIT(HWINDOW)) THROWERROR(kInitFailed);
    // The frame-rate title needs presented frames counted and a tick every period.
    set_swap_listener(count_frame);
    set_timer(HWINDOW, FPS_TIMER, FPS_INTERVAL, nullptr);
    return true;
}

bool WINDOWREGISTER() {
    WNDCLASS gl_class{};
    gl_class.style = CS_VREDRAW | CS_HREDRAW;
    gl_class.lpfnWndProc = GLWNDPROC;
    gl_class.cbClsExtra = 0;
    gl_class.cbWndExtra = 0;
    gl_class.hInstance = get_module_handle(nullptr);
    gl_class.hIcon = chosen_icon();
    gl_class.hCursor = chosen_cursor();
    gl_class.hbrBackground = get_sys_color_brush(COLOR_BTNFACE);
    gl_class.lpszMenuName = nullptr;
    gl_class.lpszClassName = kGlWindowClass;
    const bool registered = register_class(&gl_class) != 0;

    if (!get_class_info_ex(0, SZHOVERCLASS, &WINDOWCLASSEX)) {
        WINDOWCLASSEX = WNDCLASSEX{};
        WINDOWCLASSEX.cbSize = 48;
        WINDOWCLASSEX.style = 0;
        // The image buttons' own procedure takes this place once they exist.
        WINDOWCLASSEX.lpfnWndProc = def_window_proc;
        WINDOWCLASSEX.cbClsExtra = 0;
        WINDOWCLASSEX.cbWndExtra = 0;
        WINDOWCLASSEX.hInstance = get_module_handle(nullptr);
        WINDOWCLASSEX.hIcon = load_icon(0, IDI_APPLICATION);
        WINDOWCLASSEX.hCursor = load_cursor(0, IDC_ARROW);
        WINDOWCLASSEX.hbrBackground = get_stock_object(NULL_BRUSH);
        WINDOWCLASSEX.lpszMenuName = nullptr;
        WINDOWCLASSEX.lpszClassName = SZHOVERCLASS;
        WINDOWCLASSEX.hIconSm = load_icon(0, IDI_APPLICATION);
        register_class_ex(&WINDOWCLASSEX);
    }
    return registered;
}

HWND WINDOWCREATE(const char* PCAPPLICATIONNAME) {
    uint32_t style = kWindowedStyle;
    if (FULLSCREEN) {
        WIDTH = get_system_metrics(SM_CXSCREEN);
        HEIGHT = get_system_metrics(SM_CYSCREEN);
        style = kFullScreenStyle;
    }
    const HWND window = create_window_ex(0, kGlWindowClass, PCAPPLICATIONNAME, style, CW_USEDEFAULT, CW_USEDEFAULT,
                                         WIDTH, HEIGHT, 0, 0, get_module_handle(nullptr), nullptr);
    if (window != 0) {
        show_window(window, STARTUP_SHOW_COMMAND);
        update_window(window);
    }
    return window;
}

bool WINDOWINIT(HWND HPARENT) {
    int error = 0;
    DCWINDOW = get_dc(HPARENT);
    // Every size field carries BITS, which a byte holds only from 0 to 255.
    const uint8_t bits = static_cast<uint8_t>(std::clamp(BITS, 0, 255));
    PIXELFORMATDESCRIPTOR request{};
    request.nSize = 40;
    request.nVersion = 1;
    request.dwFlags = static_cast<uint32_t>(PIXEL_FORMAT_FLAGS) | kPixelFlags;
    request.iPixelType = PFD_TYPE_RGBA;
    request.cColorBits = bits;
    request.cAlphaBits = bits;
    request.cAccumBits = bits;
    request.cDepthBits = bits;
    request.cStencilBits = bits;
    request.cAuxBuffers = bits;
    request.iLayerType = 1;
    const int32_t format = choose_pixel_format(DCWINDOW, &request);
    if (format == 0) error = 1;
    set_pixel_format(DCWINDOW, format, &request);
    RCWINDOW = wgl_create_context(DCWINDOW);
    if (RCWINDOW == 0) error = 2;
    wgl_make_current(DCWINDOW, RCWINDOW);
    return error == 0;
}

HWND CREATESTATUSBAR(HWND PARENT) {
    constexpr char kText[] = "Percorso file";
    std::fill(FILENAME.begin(), FILENAME.end(), '\0');
    std::memcpy(FILENAME.data(), kText, sizeof(kText) - 1);
    AWND = create_status_window(static_cast<int32_t>(kStatusStyle), FILENAME.data(), PARENT, kStatusId);
    if (AWND != 0) {
        // The part tables hold 20 entries; a larger count would read past them.
        const int32_t parts = std::clamp(MAXSTATUSITEM, 0, static_cast<int32_t>(EDGES.size()));
        for (int32_t i = 1; i <= parts; ++i) EDGES[i] = STATUSITEM[i];
        status_set_parts(AWND, parts, EDGES.data());
    }
    return AWND;
}

void DELETEOGLWINDOW() {
    wgl_make_current(DCWINDOW, 0);
    wgl_delete_context(RCWINDOW);
    release_dc(HWINDOW, DCWINDOW);
    destroy_window(HWINDOW);
}

void THROWERROR(const char* PCERRORMESSAGE) {
    message_box(0, PCERRORMESSAGE, "Error", MB_OK);
    // A failed start is a failure: the exit code says so. Static destructors release the strings.
    std::exit(1);
}

}  // namespace corvel
