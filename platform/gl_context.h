// Pixel formats and OpenGL rendering contexts of windows (WGL's calls), and presenting frames.
#pragma once

#include <cstdint>

#include "platform/types.h"

namespace platform {

// The closest format the display offers: the request is relaxed step by step (stereo, accumulation,
// stencil, alpha, depth, colour) until a context can be made with it. Returns a format index (from 1),
// or 0 when no context can be made at all. Auxiliary buffers are never granted.
int32_t choose_pixel_format(HDC dc, const PIXELFORMATDESCRIPTOR* request);
// Gives the DC's window its format (once; the window's SDL window is made anew for it, hidden until it
// is shown). 0 for a bad index or a window that already has another format.
int32_t set_pixel_format(HDC dc, int32_t format, const PIXELFORMATDESCRIPTOR* request);
// What a format index grants; returns the number of formats known (0 for a bad DC).
int32_t describe_pixel_format(HDC dc, int32_t format, uint32_t size, PIXELFORMATDESCRIPTOR* out);

// A compatibility-profile context (legacy OpenGL, 1.x/2.1) for the DC's window; 0 without a pixel
// format or when the driver refuses. The current context does not change.
HGLRC wgl_create_context(HDC dc);
// Context 0 makes no context current (the DC is then not looked at). The first time a context becomes
// current it asks for vertical sync, adaptive where offered.
int32_t wgl_make_current(HDC dc, HGLRC context);
int32_t wgl_delete_context(HGLRC context);
HGLRC wgl_get_current_context();
// True when any OpenGL context is current on this thread, the layer's or another.
bool has_current_gl_context();

// Presents the back buffer of the DC's window; 0, and nothing happens, for a released DC or a destroyed
// window. After each present the swap listener (if any) hears of it.
int32_t swap_buffers(HDC dc);
using SwapListener = void (*)(HDC dc);
void set_swap_listener(SwapListener listener);

}  // namespace platform
