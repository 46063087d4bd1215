// The TGA reader: true-colour images, plain (type 2) or run-length encoded (type 10), 24 or 32 bits,
// turned into R,G,B(,A) pixel buffers; every refusal is told in one message box.
#include "corvel/tga.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "corvel/state.h"
#include "platform/dialog.h"

namespace corvel {
namespace {

constexpr uint32_t gl_rgb = 0x1907;
constexpr uint32_t gl_rgba = 0x1908;

// Headers may claim up to 65535 x 65535 x 4 bytes (17 GB); no texture this framework draws comes near
// 8192 x 8192 x 4, so anything larger is refused before allocating rather than attempted.
constexpr uint64_t max_image_bytes = uint64_t{8192} * 8192 * 4;

bool fail(const char* text, const char* caption = "ERROR") {
    platform::message_box(0, text, caption, 0);
    return false;
}

void close_file() {
    if (FTGA) std::fclose(FTGA);
    FTGA = nullptr;
}

bool read_bytes(void* into, size_t count) {
    return std::fread(into, 1, count, FTGA) == count;
}

void release_image(TGATEXTURE& TEXTURE) {
    std::free(TEXTURE.IMAGEDATA);
    TEXTURE.IMAGEDATA = nullptr;
}

// The steps both sub-readers open with: the 6-byte image header, its checks and the pixel buffer.
bool read_image_header(TGATEXTURE& TEXTURE) {
    if (!read_bytes(TGA.HEADER, sizeof TGA.HEADER)) return fail("Could not read info header");
    TEXTURE.WIDTH = TGA.HEADER[1] * 256u + TGA.HEADER[0];
    TEXTURE.HEIGHT = TGA.HEADER[3] * 256u + TGA.HEADER[2];
    TEXTURE.BPP = TGA.HEADER[4];
    TGA.WIDTH = TEXTURE.WIDTH;
    TGA.HEIGH = TEXTURE.HEIGHT;
    TGA.BPP = TEXTURE.BPP;
    if (TEXTURE.WIDTH == 0 || TEXTURE.HEIGHT == 0 || (TEXTURE.BPP != 24 && TEXTURE.BPP != 32)) {
        return fail("Invalid texture information");
    }
    TEXTURE.TYP = TEXTURE.BPP == 24 ? gl_rgb : gl_rgba;
    TGA.BYTESPERPIXEL = TEXTURE.BPP / 8;
    const uint64_t size = uint64_t{TGA.BYTESPERPIXEL} * TGA.WIDTH * TGA.HEIGH;
    if (size > max_image_bytes) return fail("Could not allocate memory for image");
    TGA.IMAGESIZE = static_cast<uint32_t>(size);
    TEXTURE.IMAGEDATA = static_cast<uint8_t*>(std::calloc(TGA.IMAGESIZE, 1));
    if (!TEXTURE.IMAGEDATA) return fail("Could not allocate memory for image");
    return true;
}

}  // namespace

bool LOADTGA(TGATEXTURE& TEXTURE, const char* FILENAME) {
    FTGA = std::fopen(FILENAME, "rb");
    if (!FTGA) return fail("Could not open texture file");
    bool read = false;
    if (!read_bytes(TGAHEADER.HEADER, sizeof TGAHEADER.HEADER)) {
        fail("Could not read file header");
    } else if (std::memcmp(TGAHEADER.HEADER, UTGACOMPARE.data(), UTGACOMPARE.size()) == 0) {
        read = LOADUNCOMPRESSEDTGA(TEXTURE, FILENAME);
    } else if (std::memcmp(TGAHEADER.HEADER, CTGACOMPARE.data(), CTGACOMPARE.size()) == 0) {
        read = LOADCOMPRESSEDTGA(TEXTURE, FILENAME);
    } else {
        fail("TGA file be type 2 or type 10", "Invalid Image");
    }
    close_file();
    return read;
}

bool LOADUNCOMPRESSEDTGA(TGATEXTURE& TEXTURE, const char* /*FILENAME*/) {
    if (!read_image_header(TEXTURE)) return false;
    if (!read_bytes(TEXTURE.IMAGEDATA, TGA.IMAGESIZE)) {
        release_image(TEXTURE);
        return fail("Could not read image data");
    }
    for (uint32_t i = 0; i < TGA.IMAGESIZE; i += TGA.BYTESPERPIXEL) {
        const uint8_t blue = TEXTURE.IMAGEDATA[i];
        TEXTURE.IMAGEDATA[i] = TEXTURE.IMAGEDATA[i + 2];
        TEXTURE.IMAGEDATA[i + 2] = blue;
    }
    close_file();
    return true;
}

bool LOADCOMPRESSEDTGA(TGATEXTURE& TEXTURE, const char* /*FILENAME*/) {
    if (!read_image_header(TEXTURE)) return false;
    const uint32_t PIXELCOUNT = TGA.HEIGH * TGA.WIDTH;
    uint32_t CURRENTPIXEL = 0;
    uint32_t CURRENTBYTE = 0;
    uint8_t* COLORBUFFER = static_cast<uint8_t*>(std::malloc(TGA.BYTESPERPIXEL));
    if (!COLORBUFFER) {
        release_image(TEXTURE);
        return fail("Could not allocate memory for color buffer");
    }
    const char* failure = nullptr;
    // Stores COLORBUFFER as the next pixel; false once the image is full.
    const auto store_pixel = [&] {
        if (CURRENTPIXEL == PIXELCOUNT) return false;
        uint8_t* pixel = TEXTURE.IMAGEDATA + CURRENTBYTE;
        pixel[0] = COLORBUFFER[2];
        pixel[1] = COLORBUFFER[1];
        pixel[2] = COLORBUFFER[0];
        if (TGA.BYTESPERPIXEL == 4) pixel[3] = COLORBUFFER[3];
        CURRENTBYTE += TGA.BYTESPERPIXEL;
        ++CURRENTPIXEL;
        return true;
    };
    while (!failure && CURRENTPIXEL < PIXELCOUNT) {
        uint8_t CHUNKHEADER = 0;
        if (!read_bytes(&CHUNKHEADER, 1)) {
            failure = "Could not read RLE header";
        } else if (CHUNKHEADER < 128) {
            for (int count = CHUNKHEADER + 1; !failure && count > 0; --count) {
                if (!read_bytes(COLORBUFFER, TGA.BYTESPERPIXEL)) {
                    failure = "Could not read image data";
                } else if (!store_pixel()) {
                    failure = "Too many pixels read";
                }
            }
        } else if (!read_bytes(COLORBUFFER, TGA.BYTESPERPIXEL)) {
            failure = "Could not read from file";
        } else {
            for (int count = CHUNKHEADER - 127; !failure && count > 0; --count) {
                if (!store_pixel()) failure = "Too many pixels read";
            }
        }
    }
    std::free(COLORBUFFER);
    if (failure) {
        release_image(TEXTURE);
        return fail(failure);
    }
    close_file();
    return true;
}

}  // namespace corvel
