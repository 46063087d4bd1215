// BMP encoding: the 14-byte file header and 40-byte info header, then B, G, R rows from the bottom.
#include "bmp_writer.h"

namespace assets {
namespace {

constexpr uint32_t kHeadersSize = 14 + 40;
constexpr int32_t kPixelsPerMetre = 2835;  // 72 dots per inch

void put16(std::vector<uint8_t>& out, uint32_t v) {
    for (int k = 0; k < 2; ++k) out.push_back(static_cast<uint8_t>(v >> (8 * k)));
}

void put32(std::vector<uint8_t>& out, uint32_t v) {
    for (int k = 0; k < 4; ++k) out.push_back(static_cast<uint8_t>(v >> (8 * k)));
}

}  // namespace

std::vector<uint8_t> encode_bmp(const Image& image) {
    const uint32_t row_bytes = (static_cast<uint32_t>(image.width) * 3 + 3) & ~3u;
    const uint32_t pixel_bytes = row_bytes * static_cast<uint32_t>(image.height);
    std::vector<uint8_t> out;
    out.reserve(kHeadersSize + pixel_bytes);
    out.push_back('B');
    out.push_back('M');
    put32(out, kHeadersSize + pixel_bytes);
    put32(out, 0);  // two reserved words
    put32(out, kHeadersSize);
    put32(out, 40);
    put32(out, static_cast<uint32_t>(image.width));
    put32(out, static_cast<uint32_t>(image.height));  // positive: bottom-up
    put16(out, 1);                                    // planes
    put16(out, 24);
    put32(out, 0);  // no compression
    put32(out, pixel_bytes);
    put32(out, kPixelsPerMetre);
    put32(out, kPixelsPerMetre);
    put32(out, 0);  // colours used
    put32(out, 0);  // important colours
    for (int y = image.height - 1; y >= 0; --y) {
        const size_t row_start = out.size();
        for (int x = 0; x < image.width; ++x) {
            const Rgba& c = image.at(x, y);
            out.push_back(to_byte(c.b));
            out.push_back(to_byte(c.g));
            out.push_back(to_byte(c.r));
        }
        out.resize(row_start + row_bytes, 0);
    }
    return out;
}

}  // namespace assets
