// 24-bit BMP files: file header, BITMAPINFOHEADER, bottom-up rows padded to 4 bytes.
#pragma once

#include <cstdint>
#include <vector>

#include "image.h"

namespace assets {

// The whole file; alpha is dropped.
std::vector<uint8_t> encode_bmp(const Image& image);

}  // namespace assets
