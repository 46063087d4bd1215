// Fuzzes the BMP depth probe and bitmap loading through a real file: every bitmap loaded is in the
// Windows layout it claims, wholly readable, and released again.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "corvel/texture.h"
#include "platform/gdi.h"

namespace {

// A plain array, so the exit handler never sees a destroyed string.
const char* input_path() {
    static char path[64] = "";
    if (!path[0]) {
        std::snprintf(path, sizeof path, "/tmp/corvel-bmp-fuzz-%d.bmp", static_cast<int>(getpid()));
        std::atexit([] { std::remove(input_path()); });
    }
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const char* path = input_path();
    std::FILE* file = std::fopen(path, "wb");
    if (!file) return 0;
    std::fwrite(data, 1, size, file);
    std::fclose(file);

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
