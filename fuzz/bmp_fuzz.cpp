// Fuzzes the BMP depth probe and bitmap loading through a real file: every bitmap loaded is in the
// Windows layout it claims, wholly readable, and released again.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "corvel/texture.h"
#include "fuzz/fuzz_input.h"
#include "platform/gdi.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const char* path = fuzz::write_input(data, size, ".bmp");
    if (!path) return 0;

    const int32_t depth = corvel::GETBMPDEPTH(path);
    if (depth < 0 || depth > 0xFFFF) std::abort();
    const platform::HBITMAP bitmap =
        platform::load_image(0, path, platform::IMAGE_BITMAP, 0, 0,
                             platform::LR_LOADFROMFILE | platform::LR_LOADTRANSPARENT | platform::LR_CREATEDIBSECTION);
    if (!bitmap) return 0;
    platform::BITMAP record = {};
    if (platform::get_object(bitmap, sizeof record, &record) != sizeof record) std::abort();
    const int32_t bytes_per_pixel = record.bmBitsPixel / 8;
    if ((record.bmBitsPixel != 24 && record.bmBitsPixel != 32) || record.bmWidth <= 0 || record.bmHeight <= 0 ||
        record.bmWidthBytes % 4 != 0 || record.bmWidthBytes < record.bmWidth * bytes_per_pixel ||
        record.bmWidthBytes - record.bmWidth * bytes_per_pixel >= 4 || record.bmBits == nullptr) {
        std::abort();
    }
    // Exchange blue and red row by row, as the texture loader does, over the whole bitmap.
    auto* bits = static_cast<uint8_t*>(record.bmBits);
    if (record.bmBitsPixel == 24) {
        for (int32_t row = 0; row < record.bmHeight; ++row) {
            corvel::SWAPRGB(bits + static_cast<size_t>(row) * record.bmWidthBytes, record.bmWidth);
        }
    }
    unsigned sum = 0;
    for (size_t i = 0; i < static_cast<size_t>(record.bmWidthBytes) * record.bmHeight; ++i) sum += bits[i];
    if (sum == 0xFFFFFFFFu) std::abort();
    if (!platform::delete_object(bitmap) || platform::get_object(bitmap, sizeof record, &record) != 0) std::abort();
    return 0;
}
