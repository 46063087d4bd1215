// Window classes and windows with Windows semantics: creation and destruction with their messages,
// procedures, properties, capture, titles, rectangles, invalidation and painting, child windows.
#pragma once

#include <cstdint>

#include "platform/types.h"

namespace platform {

// The program's module instance; instance 0 is accepted wherever an instance is asked for.
constexpr HINSTANCE MODULE_INSTANCE = 0x00400000;
HINSTANCE get_module_handle(const char* module_name);

// Classes are known by name (the instance is not part of the key). Registering a name twice fails (0).
ATOM register_class(const WNDCLASS* window_class);
ATOM register_class_ex(const WNDCLASSEX* window_class);
// Fails while windows of the class exist.
int32_t unregister_class(const char* class_name, HINSTANCE instance);
// Non-zero when the class exists; fills the record then (cbSize is left as the caller set it).
int32_t get_class_info_ex(HINSTANCE instance, const char* class_name, WNDCLASSEX* out);

// Top-level windows get an SDL window whose client area is width x height; CW_USEDEFAULT places a window
// at the screen's top-left. Styles without WS_CAPTION are borderless. WM_CREATE is sent before this
// returns; a procedure answering -1 cancels the creation (0). Child windows (WS_CHILD) need a live parent.
// `param` is not passed on: LPARAM is 32 bits wide here, so WM_CREATE carries 0.
HWND create_window_ex(uint32_t ex_style, const char* class_name, const char* window_name, uint32_t style, int32_t x,
                      int32_t y, int32_t width, int32_t height, HWND parent, HMENU menu, HINSTANCE instance,
                      void* param);
// Sends WM_DESTROY to the window, then to its children, and frees them; false for a stale handle.
int32_t destroy_window(HWND window);
bool is_window(HWND window);
// Returns whether the window was visible before.
int32_t show_window(HWND window, int32_t command);
// Sends WM_PAINT at once when the window has an update region; false for 0 or a stale handle.
int32_t update_window(HWND window);

// Default processing: WM_CLOSE destroys the window, WM_RBUTTONUP sends WM_CONTEXTMENU (children pass
// it to their parent), WM_PAINT validates; everything else answers 0.
LRESULT def_window_proc(HWND window, int32_t message, WPARAM wparam, LPARAM lparam);

HDC get_dc(HWND window);
int32_t release_dc(HWND window, HDC dc);

int32_t invalidate_rect(HWND window, const RECT* rect, int32_t erase);
HDC begin_paint(HWND window, PAINTSTRUCT* paint);
int32_t end_paint(HWND window, const PAINTSTRUCT* paint);

// Mouse capture: while a window holds it, it receives every mouse message, also from outside its client
// area (positions then run negative or past the size).
HWND set_capture(HWND window);
int32_t release_capture();
HWND get_capture();
HWND get_foreground_window();

int32_t set_window_text(HWND window, const char* text);
// Copies at most max_count - 1 characters and a NUL; returns the number copied.
int32_t get_window_text(HWND window, char* buffer, int32_t max_count);
// Client area: (0, 0, width, height). Window rectangle: on the screen (top-level) or in the parent's
// client area (child).
int32_t get_client_rect(HWND window, RECT* rect);
int32_t get_window_rect(HWND window, RECT* rect);
int32_t move_window(HWND window, int32_t x, int32_t y, int32_t width, int32_t height, int32_t repaint);
HWND get_parent(HWND window);
int32_t client_to_screen(HWND window, POINT* point);

// Named handles kept with a window until it is destroyed.
int32_t set_prop(HWND window, const char* name, HANDLE value);
HANDLE get_prop(HWND window, const char* name);
HANDLE remove_prop(HWND window, const char* name);

// The common-controls status bar: a child window across the bottom of the parent's client area, with its
// text and the right edges of its parts. (SB_SETPARTS carries an address, which a 32-bit LPARAM cannot,
// so the parts are set with status_set_parts.)
HWND create_status_window(int32_t style, const char* text, HWND parent, uint32_t id);
int32_t status_set_parts(HWND status, int32_t count, const int32_t* right_edges);
int32_t status_get_parts(HWND status, int32_t max_count, int32_t* right_edges);

}  // namespace platform
