// The layer's own records of classes, windows and device contexts, shared by the platform sources
// (window, queue, GL context, cursor); free of SDL, which stays behind the opaque native window.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/handles.h"
#include "platform/types.h"

struct SDL_Window;

namespace platform {

struct WindowClass {
    ATOM atom = 0;
    uint32_t style = 0;
    WNDPROC procedure = nullptr;
    HINSTANCE instance = 0;
    HICON icon = 0;
    HICON small_icon = 0;
    HCURSOR cursor = 0;
    HBRUSH background = 0;
    std::string name;
};

// An SDL window. Shared, because a GL context keeps the window it draws into alive after the window
// record is destroyed: the frame in progress may still be drawn, into a hidden window, without faults.
struct NativeWindow {
    SDL_Window* sdl = nullptr;
    explicit NativeWindow(SDL_Window* window) : sdl(window) {}
    NativeWindow(const NativeWindow&) = delete;
    NativeWindow& operator=(const NativeWindow&) = delete;
    ~NativeWindow();
};

struct Window {
    std::string class_name;
    WNDPROC procedure = nullptr;
    uint32_t style = 0;
    uint32_t ex_style = 0;
    std::string title;  // Windows-1252, as given
    // Top-level windows: the client area on the screen. Child windows: the rectangle in the parent's
    // client area.
    RECT rect{};
    HWND parent = 0;
    int32_t id = 0;
    bool visible = false;
    bool destroying = false;
    bool needs_paint = false;
    RECT update{};
    std::map<std::string, HANDLE> properties;
    std::vector<HWND> children;  // bottom of the z-order first
    std::vector<int32_t> status_parts;
    int pixel_format = 0;                  // 0 until set_pixel_format
    std::shared_ptr<NativeWindow> native;  // top-level windows only, created when first needed
};

struct DeviceContext {
    HWND window = 0;
};

struct WindowSystem {
    std::map<std::string, WindowClass> classes;
    ATOM next_atom = 0xC000;
    HandleTable<Window, HandleKind::Window> windows;
    HandleTable<DeviceContext, HandleKind::DeviceContext> device_contexts;
    HWND capture = 0;
    HWND foreground = 0;
};

// The one instance; never destroyed, so nothing touches SDL while the process exits.
WindowSystem& window_system();

// The window a live handle names, or null.
Window* find_window(HWND window);

// The live window a device context draws on, or null for a released context or a destroyed window.
Window* window_of_dc(HDC dc, HWND* handle = nullptr);

// The top-level window that holds a window (itself when it is top-level), or 0.
HWND top_level_of(HWND window);

// The window record of an SDL window id (0 when it is not one of ours).
HWND window_from_native_id(uint32_t native_id);

// Makes sure a top-level window has its SDL window (with its pixel format when one is set); false when
// there is no video or SDL refuses.
bool realise_native(HWND window);

// Replaces the native window with one made under the current GL attributes.
bool recreate_native(HWND window);

// The deepest visible window under a point of a top-level client area (the top-level itself when no
// child is there); `local` receives the point in that window's client coordinates.
HWND window_at(HWND top, POINT point, POINT* local);
// Where a window's client area starts, in its top-level window's client coordinates.
POINT origin_in_top(HWND window);

// Sets SDL's GL attributes from a chosen pixel format (window creation reads them); false for no format.
bool apply_pixel_format(int format);
// The class cursor and icon on the screen (cursor.cpp).
void apply_class_cursor(HWND window);
void apply_class_icon(HWND window);
// Drops a destroyed window's queued messages and timers (queue.cpp).
void forget_window_messages(HWND window);

// Starts SDL's video on first use, with the hints the layer relies on; false without a display.
bool ensure_video();
bool video_started();

}  // namespace platform
