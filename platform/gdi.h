// Bitmaps loaded from BMP files into the Windows in-memory layout (bottom-up rows padded to 4 bytes,
// B,G,R or B,G,R,X), and the GDI object calls that describe and release them.
#pragma once

#include <cstdint>

#include "platform/types.h"

namespace platform {

constexpr uint32_t IMAGE_BITMAP = 0;
constexpr uint32_t LR_LOADFROMFILE = 0x10;
constexpr uint32_t LR_LOADTRANSPARENT = 0x20;
constexpr uint32_t LR_CREATEDIBSECTION = 0x2000;

// LoadImage for bitmap files (IMAGE_BITMAP with LR_LOADFROMFILE) at their own size (cx = cy = 0); other
// requests return 0, as does a file that cannot be loaded. 32-bit files give 32-bit B,G,R,X bitmaps, all
// others 24-bit B,G,R. LR_LOADTRANSPARENT only concerns colour tables, which no loaded bitmap keeps.
// The caller releases the handle with delete_object.
HBITMAP load_image(HINSTANCE instance, const char* name, uint32_t type, int32_t cx, int32_t cy, uint32_t flags);

// GetObject: fills a BITMAP record for a bitmap handle and returns the bytes written; with a null `out`
// returns the size needed; 0 for a handle that names nothing or a buffer too small.
int32_t get_object(HGDIOBJ object, int32_t size, void* out);

// DeleteObject: false when the handle names no live object.
bool delete_object(HGDIOBJ object);

}  // namespace platform
