// Test fixtures for the image readers: tiny TGA and BMP files written into a temporary folder, a
// message-box recorder in place of the person, and a count of the process's open files.
#pragma once

#include <dirent.h>
#include <stdlib.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/dialog.h"

namespace imagetest {

using Bytes = std::vector<uint8_t>;

// A fresh folder per fixture, removed with it.
class TempDir {
public:
    TempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "corvel-images-XXXXXX").string();
        path_ = mkdtemp(pattern.data()) ? pattern : std::string();
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string path(const std::string& name) const { return path_ + "/" + name; }

    std::string write(const std::string& name, const Bytes& bytes) const {
        const std::string file = path(name);
        std::ofstream(file, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return file;
    }

private:
    std::string path_;
};

inline void put16(Bytes& out, uint32_t value) {
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

inline void put32(Bytes& out, uint32_t value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

inline Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// An 18-byte TGA header with the given image type, followed by `data` (pixels or packets) as given.
inline Bytes tga_file(uint8_t type, uint32_t width, uint32_t height, uint8_t bpp, const Bytes& data,
                      uint8_t descriptor = 0) {
    Bytes out = {0, 0, type, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    put16(out, width);
    put16(out, height);
    out.push_back(bpp);
    out.push_back(descriptor);
    return out + data;
}

// The pixel array of a BMP file: `height` rows of `width` pixels from pixel(x, row), each row padded
// with zeros to 4 bytes; row 0 is the first row stored.
template <typename Pixel>
Bytes bmp_rows(int width, int height, int bytes_per_pixel, Pixel pixel) {
    Bytes out;
    for (int row = 0; row < height; ++row) {
        for (int x = 0; x < width; ++x) {
            const Bytes value = pixel(x, row);
            out.insert(out.end(), value.begin(), value.begin() + bytes_per_pixel);
        }
        while (out.size() % 4) out.push_back(0);
    }
    return out;
}

// A BMP file with a 40-byte info header; a negative height stores the rows top-down. `palette` is the
// colour table as stored (B, G, R, 0 per entry).
inline Bytes bmp_file(int32_t width, int32_t height, uint16_t bpp, const Bytes& pixels, const Bytes& palette = {}) {
    const uint32_t offset = 14 + 40 + static_cast<uint32_t>(palette.size());
    Bytes out = {'B', 'M'};
    put32(out, offset + static_cast<uint32_t>(pixels.size()));
    put32(out, 0);
    put32(out, offset);
    put32(out, 40);
    put32(out, static_cast<uint32_t>(width));
    put32(out, static_cast<uint32_t>(height));
    put16(out, 1);
    put16(out, bpp);
    put32(out, 0);
    put32(out, static_cast<uint32_t>(pixels.size()));
    put32(out, 2835);
    put32(out, 2835);
    put32(out, static_cast<uint32_t>(palette.size() / 4));
    put32(out, 0);
    return out + palette + pixels;
}

struct Box {
    std::string text;
    std::string caption;
    uint32_t style;
};

// Answers every message box with OK and keeps what it showed.
class BoxRecorder {
public:
    BoxRecorder() {
        platform::set_message_box_handler([this](const std::string& text, const std::string& caption, uint32_t style) {
            boxes.push_back({text, caption, style});
            return 1;
        });
    }
    ~BoxRecorder() { platform::set_message_box_handler(nullptr); }
    BoxRecorder(const BoxRecorder&) = delete;
    BoxRecorder& operator=(const BoxRecorder&) = delete;

    std::vector<Box> boxes;
};

inline int open_file_count() {
    int count = 0;
    if (DIR* dir = opendir("/proc/self/fd")) {
        while (readdir(dir)) ++count;
        closedir(dir);
    }
    return count;
}

}  // namespace imagetest
