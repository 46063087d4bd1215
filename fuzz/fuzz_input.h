// The fuzz input as a real file, since the loaders read files by name: one path per process, removed at exit.
#pragma once

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace fuzz {

// Writes the input to the process's file and returns its path, or null when it cannot be written.
// The path is a plain array, so the exit handler never sees a destroyed string.
inline const char* write_input(const uint8_t* data, size_t size, const char* suffix) {
    static char path[64] = "";
    if (!path[0]) {
        std::snprintf(path, sizeof path, "/tmp/corvel-fuzz-%d%s", static_cast<int>(getpid()), suffix);
        std::atexit([] { std::remove(path); });
    }
    std::FILE* file = std::fopen(path, "wb");
    if (!file) return nullptr;
    const bool written = std::fwrite(data, 1, size, file) == size;
    return std::fclose(file) == 0 && written ? path : nullptr;
}

}  // namespace fuzz
