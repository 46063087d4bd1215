// Fuzzes the TGA reader through a real file: any input either reads with no message box or is refused
// with exactly one, and the file is closed either way.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "corvel/state.h"
#include "corvel/tga.h"
#include "fuzz/fuzz_input.h"
#include "platform/dialog.h"

namespace {

int boxes = 0;

// Counts the reader's message boxes in place of a person.
const bool counting = [] {
    platform::set_message_box_handler([](const std::string&, const std::string&, uint32_t) {
        ++boxes;
        return 1;
    });
    return true;
}();

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const char* path = fuzz::write_input(data, size, ".tga");
    if (!path || !counting) return 0;

    boxes = 0;
    corvel::TGATEXTURE image = {};
    const bool read = corvel::LOADTGA(image, path);
    if (corvel::FTGA != nullptr || boxes != (read ? 0 : 1)) std::abort();
    if (read) {
        // Touch every pixel so a buffer shorter than the header promises shows up.
        const size_t bytes = size_t{image.WIDTH} * image.HEIGHT * (image.BPP / 8);
        unsigned sum = 0;
        for (size_t i = 0; i < bytes; ++i) sum += image.IMAGEDATA[i];
        if (sum == 0xFFFFFFFFu) std::abort();
        std::free(image.IMAGEDATA);
    }
    return 0;
}
