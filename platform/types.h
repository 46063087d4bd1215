// Windows-shaped records, handles and constants of the platform layer; free of SDL.
#pragma once

#include <cstdint>

namespace platform {

// Every handle is 32 bits (index plus generation, see handles.h); 0 means none.
using HANDLE = uint32_t;
using HWND = HANDLE;
using HDC = HANDLE;
using HGLRC = HANDLE;
using HBITMAP = HANDLE;
using HPALETTE = HANDLE;
using HRGN = HANDLE;
using HCURSOR = HANDLE;
using HICON = HANDLE;
using HBRUSH = HANDLE;
using HMENU = HANDLE;
using HINSTANCE = HANDLE;
using HGDIOBJ = HANDLE;
using ATOM = uint16_t;

using WPARAM = int32_t;
using LPARAM = int32_t;
using LRESULT = int32_t;
using WNDPROC = LRESULT (*)(HWND window, int32_t message, WPARAM wparam, LPARAM lparam);

struct POINT {
    int32_t X;
    int32_t Y;
};

struct RECT {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};

struct MSG {
    HWND hwnd;
    uint32_t message;
    WPARAM wParam;
    LPARAM lParam;
    uint32_t time;
    POINT pt;
};

struct WNDCLASS {
    uint32_t style;
    WNDPROC lpfnWndProc;
    int32_t cbClsExtra;
    int32_t cbWndExtra;
    HINSTANCE hInstance;
    HICON hIcon;
    HCURSOR hCursor;
    HBRUSH hbrBackground;
    const char* lpszMenuName;
    const char* lpszClassName;
};

struct WNDCLASSEX {
    uint32_t cbSize;
    uint32_t style;
    WNDPROC lpfnWndProc;
    int32_t cbClsExtra;
    int32_t cbWndExtra;
    HINSTANCE hInstance;
    HICON hIcon;
    HCURSOR hCursor;
    HBRUSH hbrBackground;
    const char* lpszMenuName;
    const char* lpszClassName;
    HICON hIconSm;
};

// The in-memory description of a bitmap, as GetObject reports it.
struct BITMAP {
    int32_t bmType;
    int32_t bmWidth;
    int32_t bmHeight;
    int32_t bmWidthBytes;
    uint16_t bmPlanes;
    uint16_t bmBitsPixel;
    void* bmBits;
};

// The pixel-format request and description, field for field as Windows lays it out (40 bytes).
struct PIXELFORMATDESCRIPTOR {
    uint16_t nSize;
    uint16_t nVersion;
    uint32_t dwFlags;
    uint8_t iPixelType;
    uint8_t cColorBits;
    uint8_t cRedBits;
    uint8_t cRedShift;
    uint8_t cGreenBits;
    uint8_t cGreenShift;
    uint8_t cBlueBits;
    uint8_t cBlueShift;
    uint8_t cAlphaBits;
    uint8_t cAlphaShift;
    uint8_t cAccumBits;
    uint8_t cAccumRedBits;
    uint8_t cAccumGreenBits;
    uint8_t cAccumBlueBits;
    uint8_t cAccumAlphaBits;
    uint8_t cDepthBits;
    uint8_t cStencilBits;
    uint8_t cAuxBuffers;
    uint8_t iLayerType;
    uint8_t bReserved;
    uint32_t dwLayerMask;
    uint32_t dwVisibleMask;
    uint32_t dwDamageMask;
};
static_assert(sizeof(PIXELFORMATDESCRIPTOR) == 40, "Windows layout");

// What begin_paint hands the painter.
struct PAINTSTRUCT {
    HDC hdc;
    int32_t fErase;
    RECT rcPaint;
};

// Mouse positions travel in LPARAM as two 16-bit halves, x low and y high; negative values (outside the
// client area while captured) are 16-bit two's complement, so read them back as signed.
constexpr LPARAM MAKELPARAM(int32_t low, int32_t high) {
    return static_cast<LPARAM>((static_cast<uint32_t>(low) & 0xFFFFu) | ((static_cast<uint32_t>(high) & 0xFFFFu) << 16));
}
constexpr int32_t GET_X_LPARAM(LPARAM lparam) { return static_cast<int16_t>(static_cast<uint32_t>(lparam) & 0xFFFFu); }
constexpr int32_t GET_Y_LPARAM(LPARAM lparam) { return static_cast<int16_t>(static_cast<uint32_t>(lparam) >> 16); }

// Pixel-format flags and types.
constexpr uint32_t PFD_DOUBLEBUFFER = 0x1;
constexpr uint32_t PFD_STEREO = 0x2;
constexpr uint32_t PFD_DRAW_TO_WINDOW = 0x4;
constexpr uint32_t PFD_SUPPORT_OPENGL = 0x20;
constexpr uint32_t PFD_GENERIC_FORMAT = 0x40;
constexpr uint32_t PFD_GENERIC_ACCELERATED = 0x1000;
constexpr uint8_t PFD_TYPE_RGBA = 0;
constexpr uint8_t PFD_MAIN_PLANE = 0;

// Class and window styles.
constexpr uint32_t CS_VREDRAW = 0x1;
constexpr uint32_t CS_HREDRAW = 0x2;
constexpr uint32_t WS_POPUP = 0x80000000u;
constexpr uint32_t WS_CHILD = 0x40000000u;
constexpr uint32_t WS_VISIBLE = 0x10000000u;
constexpr uint32_t WS_CLIPSIBLINGS = 0x04000000u;
constexpr uint32_t WS_CLIPCHILDREN = 0x02000000u;
constexpr uint32_t WS_CAPTION = 0x00C00000u;
constexpr uint32_t WS_BORDER = 0x00800000u;
constexpr uint32_t WS_SYSMENU = 0x00080000u;
constexpr uint32_t WS_MINIMIZEBOX = 0x00020000u;
constexpr int32_t CW_USEDEFAULT = static_cast<int32_t>(0x80000000u);

// Show commands.
constexpr int32_t SW_HIDE = 0;
constexpr int32_t SW_SHOWNORMAL = 1;
constexpr int32_t SW_SHOW = 5;
constexpr int32_t SW_SHOWDEFAULT = 10;

// peek_message removal.
constexpr uint32_t PM_NOREMOVE = 0x0;
constexpr uint32_t PM_REMOVE = 0x1;

// System metrics, colours, stock objects.
constexpr int32_t SM_CXSCREEN = 0;
constexpr int32_t SM_CYSCREEN = 1;
constexpr int32_t COLOR_BTNFACE = 15;
constexpr int32_t NULL_BRUSH = 5;

// System cursors and icons (resource numbers for load_cursor / load_icon with instance 0).
constexpr int32_t IDC_ARROW = 32512;
constexpr int32_t IDC_IBEAM = 32513;
constexpr int32_t IDC_WAIT = 32514;
constexpr int32_t IDC_CROSS = 32515;
constexpr int32_t IDC_UPARROW = 32516;
constexpr int32_t IDC_SIZE = 32640;
constexpr int32_t IDC_SIZENWSE = 32642;
constexpr int32_t IDC_SIZENESW = 32643;
constexpr int32_t IDC_SIZEWE = 32644;
constexpr int32_t IDC_SIZENS = 32645;
constexpr int32_t IDC_SIZEALL = 32646;
constexpr int32_t IDC_NO = 32648;
constexpr int32_t IDC_HAND = 32649;
constexpr int32_t IDC_APPSTARTING = 32650;
constexpr int32_t IDC_HELP = 32651;
constexpr int32_t IDI_APPLICATION = 32512;

// Status bar.
constexpr uint32_t SB_SETPARTS = 0x404;

// Virtual-key codes that have no character of their own.
constexpr int32_t VK_BACK = 8;
constexpr int32_t VK_TAB = 9;
constexpr int32_t VK_RETURN = 13;
constexpr int32_t VK_SHIFT = 16;
constexpr int32_t VK_CONTROL = 17;
constexpr int32_t VK_MENU = 18;
constexpr int32_t VK_PAUSE = 19;
constexpr int32_t VK_CAPITAL = 20;
constexpr int32_t VK_ESCAPE = 27;
constexpr int32_t VK_SPACE = 32;
constexpr int32_t VK_PRIOR = 33;
constexpr int32_t VK_NEXT = 34;
constexpr int32_t VK_END = 35;
constexpr int32_t VK_HOME = 36;
constexpr int32_t VK_LEFT = 37;
constexpr int32_t VK_UP = 38;
constexpr int32_t VK_RIGHT = 39;
constexpr int32_t VK_DOWN = 40;
constexpr int32_t VK_SNAPSHOT = 44;
constexpr int32_t VK_INSERT = 45;
constexpr int32_t VK_DELETE = 46;
constexpr int32_t VK_LWIN = 91;
constexpr int32_t VK_RWIN = 92;
constexpr int32_t VK_APPS = 93;
constexpr int32_t VK_NUMPAD0 = 96;
constexpr int32_t VK_MULTIPLY = 106;
constexpr int32_t VK_ADD = 107;
constexpr int32_t VK_SUBTRACT = 109;
constexpr int32_t VK_DECIMAL = 110;
constexpr int32_t VK_DIVIDE = 111;
constexpr int32_t VK_F1 = 112;
constexpr int32_t VK_F10 = 121;
constexpr int32_t VK_NUMLOCK = 144;
constexpr int32_t VK_SCROLL = 145;

// Window messages.
constexpr int32_t WM_NULL = 0;
constexpr int32_t WM_CREATE = 1;
constexpr int32_t WM_DESTROY = 2;
constexpr int32_t WM_SIZE = 5;
constexpr int32_t WM_ACTIVATE = 6;
constexpr int32_t WM_PAINT = 15;
constexpr int32_t WM_CLOSE = 16;
constexpr int32_t WM_QUIT = 18;
constexpr int32_t WM_CONTEXTMENU = 123;
constexpr int32_t WM_KEYDOWN = 256;
constexpr int32_t WM_KEYUP = 257;
constexpr int32_t WM_CHAR = 258;
constexpr int32_t WM_SYSKEYDOWN = 260;
constexpr int32_t WM_SYSKEYUP = 261;
constexpr int32_t WM_SYSCHAR = 262;
constexpr int32_t WM_COMMAND = 273;
constexpr int32_t WM_SYSCOMMAND = 274;
constexpr int32_t WM_TIMER = 275;
constexpr int32_t WM_MOUSEMOVE = 512;
constexpr int32_t WM_LBUTTONDOWN = 513;
constexpr int32_t WM_LBUTTONUP = 514;
constexpr int32_t WM_RBUTTONDOWN = 516;
constexpr int32_t WM_RBUTTONUP = 517;
constexpr int32_t WM_MBUTTONDOWN = 519;
constexpr int32_t WM_MBUTTONUP = 520;

// Mouse-message key state bits (WPARAM of mouse messages).
constexpr int32_t MK_LBUTTON = 0x1;
constexpr int32_t MK_RBUTTON = 0x2;
constexpr int32_t MK_SHIFT = 0x4;
constexpr int32_t MK_CONTROL = 0x8;
constexpr int32_t MK_MBUTTON = 0x10;

// Message-box styles and answers.
constexpr uint32_t MB_OK = 0x0;
constexpr uint32_t MB_OKCANCEL = 0x1;
constexpr uint32_t MB_YESNO = 0x4;
constexpr uint32_t MB_ICONHAND = 0x10;
constexpr uint32_t MB_ICONQUESTION = 0x20;
constexpr uint32_t MB_ICONEXCLAMATION = 0x30;
constexpr uint32_t MB_ICONASTERISK = 0x40;
constexpr int32_t IDOK = 1;
constexpr int32_t IDCANCEL = 2;
constexpr int32_t IDYES = 6;
constexpr int32_t IDNO = 7;

}  // namespace platform
