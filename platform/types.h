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

// Window messages.
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
