// Textures from TGA files (name into the caller's variable) and BMP files (name into the slot table),
// texture selection, and the BMP helpers: depth probe, blue/red exchange and mipmaps.
#include "corvel/texture.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "corvel/state.h"
#include "corvel/tga.h"
#include "platform/gdi.h"

namespace corvel {
namespace {

bool is_mipmap_filter(int32_t filter) {
    return filter == GL_NEAREST_MIPMAP_NEAREST || filter == GL_LINEAR_MIPMAP_NEAREST ||
           filter == GL_NEAREST_MIPMAP_LINEAR || filter == GL_LINEAR_MIPMAP_LINEAR;
}

void set_texture_parameters() {
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_MIN_FILTER);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_MAG_FILTER);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
}

bool file_exists(const char* name) {
    std::error_code error;
    return std::filesystem::exists(name, error);
}

uint32_t little_endian(const uint8_t* bytes, int count) {
    uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) value = value << 8 | bytes[i];
    return value;
}

}  // namespace

void TEXTURELOADTGAID(const char* TGAFILE, uint32_t& TEXTURE) {
    if (!file_exists(TGAFILE)) return;
    TGATEXTURE& image = TEXTURETGA2[0];
    if (!LOADTGA(image, TGAFILE)) return;
    glEnable(GL_TEXTURE_2D);
    glGenTextures(1, &TEXTURE);
    glBindTexture(GL_TEXTURE_2D, TEXTURE);
    // TGA rows are packed; under the default 4-byte alignment a 24-bit row whose length is not a
    // multiple of 4 would be read skewed and past the end of the buffer.
    GLint alignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    const GLint components = static_cast<GLint>(image.BPP / 8);
    const auto width = static_cast<GLsizei>(image.WIDTH);
    const auto height = static_cast<GLsizei>(image.HEIGHT);
    glTexImage2D(GL_TEXTURE_2D, 0, components, width, height, 0, image.TYP, GL_UNSIGNED_BYTE, image.IMAGEDATA);
    set_texture_parameters();
    if (is_mipmap_filter(GL_MIN_FILTER)) {
        gluBuild2DMipmaps(GL_TEXTURE_2D, components, width, height, image.TYP, GL_UNSIGNED_BYTE, image.IMAGEDATA);
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
    std::free(image.IMAGEDATA);
    image.IMAGEDATA = nullptr;
    glBindTexture(GL_TEXTURE_2D, TEXTURE);
}

void TEXTURELOADID(const char* BMPFILE, int32_t NUM) {
    const int32_t FORMAT = GETBMPDEPTH(BMPFILE);
    const platform::HBITMAP bitmap =
        platform::load_image(0, BMPFILE, platform::IMAGE_BITMAP, 0, 0,
                             platform::LR_LOADFROMFILE | platform::LR_LOADTRANSPARENT | platform::LR_CREATEDIBSECTION);
    platform::BITMAP BM = {};
    platform::get_object(bitmap, sizeof BM, &BM);
    auto* bits = static_cast<uint8_t*>(BM.bmBits);
    // Only a bitmap that was loaded, and whose layout is the depth the probe promised, is uploaded:
    // anything else would have OpenGL read through a null pointer or past the pixels.
    const int32_t upload_format = bits && BM.bmBitsPixel == FORMAT ? FORMAT : 0;
    if (upload_format == 24) {
        // Rows are padded to 4 bytes; exchanging across the padding would scramble every later row.
        for (int32_t row = 0; row < BM.bmHeight; ++row) {
            SWAPRGB(bits + static_cast<std::ptrdiff_t>(row) * BM.bmWidthBytes, BM.bmWidth);
        }
    }
    glEnable(GL_TEXTURE_2D);
    glGenTextures(1, &TEXTUREID2[NUM]);
    glBindTexture(GL_TEXTURE_2D, TEXTUREID2[NUM]);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    set_texture_parameters();
    if (upload_format == 24) {
        glTexImage2D(GL_TEXTURE_2D, 0, 3, BM.bmWidth, BM.bmHeight, 0, GL_RGB, GL_UNSIGNED_BYTE, bits);
    } else if (upload_format == 32) {
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, BM.bmWidth, BM.bmHeight, 0, GL_BGRA, GL_UNSIGNED_BYTE, bits);
    }
    if (is_mipmap_filter(GL_MIN_FILTER)) ADDMIPMAPSTEXTURE(upload_format, BM.bmWidth, BM.bmHeight, bits);
    platform::delete_object(bitmap);
}

void TEXTURESELECTID(int32_t NUM) {
    glBindTexture(GL_TEXTURE_2D, TEXTUREID2[NUM]);
}

int32_t GETBMPDEPTH(const char* BMPFILE) {
    if (!file_exists(BMPFILE)) return 0;
    std::FILE* file = std::fopen(BMPFILE, "rb");
    if (!file) return 0;
    uint8_t file_header[14];
    uint8_t info_header[40];
    int32_t depth = 0;
    // A file too short for both headers has no depth to tell, whatever its first bytes say.
    if (std::fread(file_header, 1, sizeof file_header, file) == sizeof file_header &&
        little_endian(file_header, 2) == 0x4D42 &&
        std::fread(info_header, 1, sizeof info_header, file) == sizeof info_header &&
        little_endian(info_header, 4) != 12) {
        depth = static_cast<int32_t>(little_endian(info_header + 14, 2));
    }
    std::fclose(file);
    return depth;
}

void SWAPRGB(uint8_t* DATA, int32_t SIZE) {
    for (int32_t k = 0; k < SIZE; ++k) {
        const uint8_t first = DATA[3 * k];
        DATA[3 * k] = DATA[3 * k + 2];
        DATA[3 * k + 2] = first;
    }
}

void ADDMIPMAPSTEXTURE(int32_t FORMAT, int32_t WIDTH, int32_t HEIGHT, const void* BITS) {
    if (FORMAT == 24) {
        gluBuild2DMipmaps(GL_TEXTURE_2D, 3, WIDTH, HEIGHT, GL_RGB, GL_UNSIGNED_BYTE, BITS);
    } else if (FORMAT == 32) {
        gluBuild2DMipmaps(GL_TEXTURE_2D, 4, WIDTH, HEIGHT, GL_BGRA, GL_UNSIGNED_BYTE, BITS);
    }
}

}  // namespace corvel
