// Texture loading on a real Mesa context: texels read back with glGetTexImage for BMP and TGA files of
// awkward widths, mipmap levels, the slot table, and the files that give no texture or no image.
#include "corvel/texture.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "corvel/state.h"
#include "tests/gl/support/gl_context.h"
#include "tests/unit/tga_bmp_files.h"

using namespace imagetest;
using namespace corvel;

namespace {

Bytes colour(int x, int row) {
    return {static_cast<uint8_t>(10 + x * 20), static_cast<uint8_t>(100 + row * 30), static_cast<uint8_t>(250 - x),
            static_cast<uint8_t>(5 + x + row * 8)};
}

// The picture's pixels in texture order (first stored row first), `channels` bytes each, R,G,B(,A).
Bytes rgba_of(int width, int height, int channels) {
    Bytes out;
    for (int row = 0; row < height; ++row) {
        for (int x = 0; x < width; ++x) {
            const Bytes bgra = colour(x, row);
            const Bytes rgba = {bgra[2], bgra[1], bgra[0], bgra[3]};
            out.insert(out.end(), rgba.begin(), rgba.begin() + channels);
        }
    }
    return out;
}

// The same pixels as a TGA file stores them: B,G,R(,A), rows packed.
Bytes tga_pixels(int width, int height, int channels) {
    Bytes out;
    for (int row = 0; row < height; ++row) {
        for (int x = 0; x < width; ++x) {
            const Bytes bgra = colour(x, row);
            out.insert(out.end(), bgra.begin(), bgra.begin() + channels);
        }
    }
    return out;
}

Bytes uniform(int count, const Bytes& value) {
    Bytes out;
    for (int i = 0; i < count; ++i) out.insert(out.end(), value.begin(), value.end());
    return out;
}

class Textures : public gltest::GLTest {
protected:
    void SetUp() override {
        GLTest::SetUp();
        GL_MIN_FILTER = GL_LINEAR;
        GL_MAG_FILTER = GL_LINEAR;
        TEXTUREID2 = {};
    }

    static GLint level_width(int level) {
        GLint width = 0;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_WIDTH, &width);
        return width;
    }

    static GLint parameter(GLenum name) {
        GLint value = 0;
        glGetTexParameteriv(GL_TEXTURE_2D, name, &value);
        return value;
    }

    // The bound texture's level in `format`, packed rows.
    static Bytes texels(int level, GLenum format, int channels) {
        GLint height = 0;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_HEIGHT, &height);
        Bytes out(static_cast<size_t>(level_width(level)) * height * channels);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, level, format, GL_UNSIGNED_BYTE, out.data());
        return out;
    }

    void expect_bound_and_set_up(GLuint name) {
        EXPECT_NE(name, 0u);
        EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
        EXPECT_EQ(static_cast<GLuint>(integer(GL_TEXTURE_BINDING_2D)), name);
        EXPECT_EQ(parameter(GL_TEXTURE_MIN_FILTER), GL_MIN_FILTER);
        EXPECT_EQ(parameter(GL_TEXTURE_MAG_FILTER), GL_MAG_FILTER);
        EXPECT_EQ(parameter(GL_TEXTURE_WRAP_S), GL_REPEAT);
        EXPECT_EQ(parameter(GL_TEXTURE_WRAP_T), GL_REPEAT);
    }

    TempDir dir;
    BoxRecorder recorder;
};

TEST_F(Textures, TwentyFourBitBmpShowsTrueColoursAtEveryWidth) {
    for (const int width : {4, 5, 1, 2, 3, 7}) {
        SCOPED_TRACE(width);
        const std::string file = dir.write("rgb.bmp", bmp_file(width, 2, 24, bmp_rows(width, 2, 3, colour)));
        TEXTURELOADID(file.c_str(), 0);
        expect_bound_and_set_up(TEXTUREID2[0]);
        EXPECT_EQ(level_width(0), width);
        EXPECT_EQ(texels(0, GL_RGB, 3), rgba_of(width, 2, 3));
        EXPECT_EQ(level_width(1), 0);
        EXPECT_EQ(integer(GL_UNPACK_ALIGNMENT), 4);
        EXPECT_EQ(integer(GL_UNPACK_ROW_LENGTH), 0);
        EXPECT_EQ(integer(GL_UNPACK_SKIP_ROWS), 0);
        EXPECT_EQ(integer(GL_UNPACK_SKIP_PIXELS), 0);
    }
}

TEST_F(Textures, ThirtyTwoBitBmpIsUploadedAsStoredWithItsAlpha) {
    GL_MAG_FILTER = GL_NEAREST;
    const Bytes rows = bmp_rows(3, 2, 4, colour);
    TEXTURELOADID(dir.write("argb.bmp", bmp_file(3, 2, 32, rows)).c_str(), 5);
    expect_bound_and_set_up(TEXTUREID2[5]);
    GLint internal = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT, &internal);
    EXPECT_EQ(internal, GL_RGBA);
    EXPECT_EQ(texels(0, GL_BGRA, 4), rows);
}

TEST_F(Textures, BmpWithoutUsableImageGetsANameButNoImage) {
    const Bytes rows24 = bmp_rows(2, 2, 3, colour);
    Bytes not_bmp = bmp_file(2, 2, 24, rows24);
    not_bmp[0] = 'X';
    Bytes core = bmp_file(2, 2, 24, rows24);
    core[14] = 12;
    const std::vector<std::pair<std::string, Bytes>> files = {
        {"8bit.bmp", bmp_file(4, 1, 8, {0, 1, 1, 0}, {0, 0, 0, 0, 9, 9, 9, 0})},
        {"16bit.bmp", bmp_file(2, 2, 16, Bytes(8, 0x55))},
        {"notbmp.bmp", not_bmp},
        {"core.bmp", core},
        // Probes as 24 and 32 bits, yet the pixels are missing, so there is no bitmap to upload.
        {"cut24.bmp", bmp_file(64, 64, 24, Bytes(20, 1))},
        {"cut32.bmp", bmp_file(64, 64, 32, Bytes(20, 1))},
    };
    GL_MIN_FILTER = GL_LINEAR_MIPMAP_LINEAR;
    int slot = 0;
    for (const auto& [name, bytes] : files) {
        SCOPED_TRACE(name);
        TEXTURELOADID(dir.write(name, bytes).c_str(), slot);
        expect_bound_and_set_up(TEXTUREID2[slot]);
        EXPECT_TRUE(glIsTexture(TEXTUREID2[slot]));
        EXPECT_EQ(level_width(0), 0);
        ++slot;
    }
    TEXTURELOADID(dir.path("missing.bmp").c_str(), slot);
    expect_bound_and_set_up(TEXTUREID2[slot]);
    EXPECT_EQ(level_width(0), 0);
    EXPECT_TRUE(recorder.boxes.empty());
}

TEST_F(Textures, SlotsKeepTheLatestNameAndSelectionOnlyBinds) {
    const std::string file = dir.write("rgb.bmp", bmp_file(2, 2, 24, bmp_rows(2, 2, 3, colour)));
    TEXTURESELECTID(7);
    EXPECT_EQ(integer(GL_TEXTURE_BINDING_2D), 0);
    TEXTURELOADID(file.c_str(), 3);
    const GLuint first = TEXTUREID2[3];
    TEXTURELOADID(file.c_str(), 3);
    const GLuint second = TEXTUREID2[3];
    EXPECT_NE(first, second);
    EXPECT_TRUE(glIsTexture(first));
    TEXTURELOADID(file.c_str(), 500);
    glDisable(GL_TEXTURE_2D);
    TEXTURESELECTID(3);
    EXPECT_EQ(static_cast<GLuint>(integer(GL_TEXTURE_BINDING_2D)), second);
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    TEXTURESELECTID(7);
    EXPECT_EQ(integer(GL_TEXTURE_BINDING_2D), 0);
}

TEST_F(Textures, MipmapFiltersBuildEveryLevelInTheBaseColours) {
    GL_MIN_FILTER = GL_LINEAR_MIPMAP_LINEAR;
    const Bytes bgra = {50, 100, 200, 128};
    const Bytes rgba = {200, 100, 50, 128};

    uint32_t tga_name = 0;
    TEXTURELOADTGAID(dir.write("flat.tga", tga_file(2, 4, 4, 32, uniform(16, bgra))).c_str(), tga_name);
    expect_bound_and_set_up(tga_name);
    EXPECT_EQ(texels(1, GL_RGBA, 4), uniform(4, rgba));
    EXPECT_EQ(texels(2, GL_RGBA, 4), rgba);

    TEXTURELOADID(dir.write("flat32.bmp", bmp_file(4, 4, 32, uniform(16, bgra))).c_str(), 1);
    expect_bound_and_set_up(TEXTUREID2[1]);
    EXPECT_EQ(texels(1, GL_RGBA, 4), uniform(4, rgba));
    EXPECT_EQ(texels(2, GL_RGBA, 4), rgba);

    const Bytes bgr(bgra.begin(), bgra.begin() + 3);
    TEXTURELOADID(dir.write("flat24.bmp", bmp_file(8, 4, 24, uniform(32, bgr))).c_str(), 2);
    expect_bound_and_set_up(TEXTUREID2[2]);
    EXPECT_EQ(texels(1, GL_RGB, 3), uniform(8, {200, 100, 50}));
    EXPECT_EQ(texels(3, GL_RGB, 3), (Bytes{200, 100, 50}));
}

TEST_F(Textures, OtherFiltersBuildNoMipmaps) {
    for (const GLint filter : {GL_LINEAR, GL_NEAREST}) {
        GL_MIN_FILTER = filter;
        uint32_t name = 0;
        TEXTURELOADTGAID(dir.write("flat.tga", tga_file(2, 4, 4, 32, uniform(16, {1, 2, 3, 4}))).c_str(), name);
        expect_bound_and_set_up(name);
        EXPECT_EQ(level_width(1), 0);
    }
}

TEST_F(Textures, TgaOfOddWidthIsReadWithPackedRowsAndAlignmentRestored) {
    for (const GLint previous : {4, 8, 2}) {
        SCOPED_TRACE(previous);
        glPixelStorei(GL_UNPACK_ALIGNMENT, previous);
        uint32_t name = 0;
        TEXTURELOADTGAID(dir.write("odd.tga", tga_file(2, 5, 3, 24, tga_pixels(5, 3, 3))).c_str(), name);
        expect_bound_and_set_up(name);
        EXPECT_EQ(texels(0, GL_RGB, 3), rgba_of(5, 3, 3));
        EXPECT_EQ(integer(GL_UNPACK_ALIGNMENT), previous);
    }
    // Mipmaps are built under the same packing: a 24-bit 4 x 4 image has 6-byte rows at level 1.
    GL_MIN_FILTER = GL_NEAREST_MIPMAP_NEAREST;
    uint32_t name = 0;
    TEXTURELOADTGAID(dir.write("small.tga", tga_file(10, 4, 4, 24, {0x8F, 1, 2, 3})).c_str(), name);
    EXPECT_EQ(texels(1, GL_RGB, 3), uniform(4, {3, 2, 1}));
    EXPECT_EQ(texels(2, GL_RGB, 3), (Bytes{3, 2, 1}));
    EXPECT_EQ(integer(GL_UNPACK_ALIGNMENT), 2);
}

TEST_F(Textures, ThirtyTwoBitTgaGoesIntoTheCallersVariable) {
    GL_MAG_FILTER = GL_NEAREST;
    uint32_t name = 0;
    TEXTURELOADTGAID(dir.write("rgba.tga", tga_file(10, 3, 2, 32, Bytes{0x05} + tga_pixels(3, 2, 4))).c_str(), name);
    expect_bound_and_set_up(name);
    EXPECT_EQ(texels(0, GL_RGBA, 4), rgba_of(3, 2, 4));
    EXPECT_EQ(TEXTURETGA2[0].IMAGEDATA, nullptr);
    EXPECT_TRUE(recorder.boxes.empty());
}

TEST_F(Textures, TgaThatGivesNoImageLeavesVariableAndTextureStateAlone) {
    const std::vector<std::pair<std::string, size_t>> cases = {{dir.path("missing.tga"), 0},
                                                               {dir.write("bad.tga", {0, 0, 3, 0}), 1}};
    for (const auto& [file, boxes] : cases) {
        SCOPED_TRACE(file);
        uint32_t name = 1234;
        TEXTURELOADTGAID(file.c_str(), name);
        EXPECT_EQ(name, 1234u);
        EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
        EXPECT_EQ(integer(GL_TEXTURE_BINDING_2D), 0);
        EXPECT_EQ(recorder.boxes.size(), boxes);
    }
    // No texture name was generated along the way.
    GLuint next = 0;
    glGenTextures(1, &next);
    EXPECT_EQ(next, 1u);
}

}  // namespace
