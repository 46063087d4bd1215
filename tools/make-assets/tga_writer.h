// 32-bit true-colour TGA files, uncompressed (type 2) or run-length encoded (type 10).
#pragma once

#include <cstdint>
#include <vector>

#include "image.h"

namespace assets {

enum class TgaEncoding { uncompressed, run_length };

// The whole file: an 18-byte header with no image ID, no colour map and origin 0, then the pixels
// B, G, R, A with the picture's bottom row first, as a reader that never flips expects.
std::vector<uint8_t> encode_tga(const Image& image, TgaEncoding encoding);

}  // namespace assets
