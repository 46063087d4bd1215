// TGA encoding: header, BGRA pixels bottom row first, and the run-length packets of type 10.
#include "tga_writer.h"

#include <array>

namespace assets {
namespace {

using Pixel = std::array<uint8_t, 4>;

constexpr int kMaxPacket = 128;

void put16(std::vector<uint8_t>& out, int v) {
    out.push_back(static_cast<uint8_t>(v & 0xFF));
    out.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
}

void put_pixel(std::vector<uint8_t>& out, const Pixel& p) {
    out.insert(out.end(), p.begin(), p.end());
}

Pixel file_pixel(const Rgba& c) {
    return {to_byte(c.b), to_byte(c.g), to_byte(c.r), to_byte(c.a)};
}

// One stored row as file pixels; stored row 0 is the picture's bottom row.
std::vector<Pixel> stored_row(const Image& image, int stored) {
    std::vector<Pixel> row(image.width);
    for (int x = 0; x < image.width; ++x) row[x] = file_pixel(image.at(x, image.height - 1 - stored));
    return row;
}

// Packets stay within a row, as common readers expect. Two or more equal pixels make a run;
// anything else gathers into a raw packet.
void encode_row(std::vector<uint8_t>& out, const std::vector<Pixel>& row) {
    const int n = static_cast<int>(row.size());
    int i = 0;
    while (i < n) {
        int run = 1;
        while (i + run < n && run < kMaxPacket && row[i + run] == row[i]) ++run;
        if (run >= 2) {
            out.push_back(static_cast<uint8_t>(0x80 | (run - 1)));
            put_pixel(out, row[i]);
            i += run;
            continue;
        }
        int raw = 1;
        while (i + raw < n && raw < kMaxPacket && !(i + raw + 1 < n && row[i + raw] == row[i + raw + 1])) ++raw;
        out.push_back(static_cast<uint8_t>(raw - 1));
        for (int k = 0; k < raw; ++k) put_pixel(out, row[i + k]);
        i += raw;
    }
}

}  // namespace

std::vector<uint8_t> encode_tga(const Image& image, TgaEncoding encoding) {
    std::vector<uint8_t> out = {
        0, 0, static_cast<uint8_t>(encoding == TgaEncoding::uncompressed ? 2 : 10), 0, 0, 0, 0, 0, 0, 0, 0, 0};
    put16(out, image.width);
    put16(out, image.height);
    out.push_back(32);
    out.push_back(8);  // eight alpha bits, origin at the bottom left
    for (int stored = 0; stored < image.height; ++stored) {
        const auto row = stored_row(image, stored);
        if (encoding == TgaEncoding::run_length) {
            encode_row(out, row);
        } else {
            for (const auto& p : row) put_pixel(out, p);
        }
    }
    return out;
}

}  // namespace assets
