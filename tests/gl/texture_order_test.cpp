// The order of the texture loaders' GL calls: this program interposes the pixel-store, parameter, upload
// and mipmap entry points, records each call and forwards it to the real library.
#include <GL/gl.h>
#include <GL/glu.h>
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "corvel/state.h"
#include "corvel/texture.h"
#include "tests/gl/support/gl_context.h"
#include "tests/unit/tga_bmp_files.h"

using namespace imagetest;
using namespace corvel;

namespace {

using Calls = std::vector<std::string>;

bool recording = false;
int inside_glu = 0;  // the calls GLU makes on its own are not the loader's
std::vector<std::string> calls;

template <typename F>
F real(const char* name) {
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

// This program defines every GLU entry point the loaders use, so the linker may leave GLU out.
template <typename F>
F real_glu(const char* name) {
    static void* const library = dlopen("libGLU.so.1", RTLD_NOW | RTLD_GLOBAL);
    return reinterpret_cast<F>(library ? dlsym(library, name) : nullptr);
}

void record(const std::string& call) {
    if (recording && inside_glu == 0) calls.push_back(call);
}

std::string hex(unsigned value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%04X", value);
    return text;
}

std::string store(GLenum name, GLint value) {
    return "PixelStorei(" + hex(name) + ", " + std::to_string(value) + ")";
}
std::string param(GLenum name, GLint value) {
    return "TexParameteri(" + hex(name) + ", " + hex(value) + ")";
}
std::string image(GLint internal, GLsizei width, GLsizei height, GLenum format) {
    return "TexImage2D(" + std::to_string(internal) + ", " + std::to_string(width) + "x" + std::to_string(height) +
           ", " + hex(format) + ")";
}
std::string mipmaps(GLint components, GLsizei width, GLsizei height, GLenum format) {
    return "Build2DMipmaps(" + std::to_string(components) + ", " + std::to_string(width) + "x" +
           std::to_string(height) + ", " + hex(format) + ")";
}

}  // namespace

extern "C" {

void glPixelStorei(GLenum name, GLint value) {
    record(store(name, value));
    static const auto forward = real<void (*)(GLenum, GLint)>("glPixelStorei");
    forward(name, value);
}

void glTexParameteri(GLenum target, GLenum name, GLint value) {
    record(param(name, value));
    static const auto forward = real<void (*)(GLenum, GLenum, GLint)>("glTexParameteri");
    forward(target, name, value);
}

void glTexImage2D(GLenum target, GLint level, GLint internal, GLsizei width, GLsizei height, GLint border,
                  GLenum format, GLenum type, const void* pixels) {
    if (level == 0) record(image(internal, width, height, format));
    static const auto forward =
        real<void (*)(GLenum, GLint, GLint, GLsizei, GLsizei, GLint, GLenum, GLenum, const void*)>("glTexImage2D");
    forward(target, level, internal, width, height, border, format, type, pixels);
}

GLint gluBuild2DMipmaps(GLenum target, GLint components, GLsizei width, GLsizei height, GLenum format, GLenum type,
                        const void* data) {
    record(mipmaps(components, width, height, format));
    static const auto forward =
        real_glu<GLint (*)(GLenum, GLint, GLsizei, GLsizei, GLenum, GLenum, const void*)>("gluBuild2DMipmaps");
    ++inside_glu;
    const GLint result = forward(target, components, width, height, format, type, data);
    --inside_glu;
    return result;
}

}  // extern "C"

namespace {

class TextureCallOrder : public gltest::GLTest {
protected:
    void SetUp() override {
        GLTest::SetUp();
        GL_MIN_FILTER = GL_LINEAR;
        GL_MAG_FILTER = GL_LINEAR;
        calls.clear();
    }

    template <typename F>
    std::vector<std::string> record_calls(F load) {
        calls.clear();
        recording = true;
        load();
        recording = false;
        return calls;
    }

    std::vector<std::string> load_bmp(const Bytes& file) {
        const std::string path = dir.write("image.bmp", file);
        return record_calls([&] { TEXTURELOADID(path.c_str(), 0); });
    }

    std::vector<std::string> load_tga(const Bytes& file) {
        const std::string path = dir.write("image.tga", file);
        uint32_t name = 0;
        return record_calls([&] { TEXTURELOADTGAID(path.c_str(), name); });
    }

    static std::vector<std::string> parameters() {
        return {param(GL_TEXTURE_MIN_FILTER, GL_MIN_FILTER), param(GL_TEXTURE_MAG_FILTER, GL_MAG_FILTER),
                param(GL_TEXTURE_WRAP_S, GL_REPEAT), param(GL_TEXTURE_WRAP_T, GL_REPEAT)};
    }

    static std::vector<std::string> bmp_store() {
        return {store(GL_UNPACK_ALIGNMENT, 4), store(GL_UNPACK_ROW_LENGTH, 0), store(GL_UNPACK_SKIP_ROWS, 0),
                store(GL_UNPACK_SKIP_PIXELS, 0)};
    }

    TempDir dir;
    BoxRecorder recorder;
};

std::vector<std::string> operator+(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST_F(TextureCallOrder, BmpSetsStoreAndParametersBeforeTheUpload) {
    const Bytes rows24 = bmp_rows(4, 2, 3, [](int x, int row) { return Bytes{uint8_t(x), uint8_t(row), 9}; });
    const Bytes rows32 = bmp_rows(4, 2, 4, [](int x, int row) { return Bytes{uint8_t(x), uint8_t(row), 9, 7}; });
    EXPECT_EQ(load_bmp(bmp_file(4, 2, 24, rows24)), (bmp_store() + parameters() + Calls{image(3, 4, 2, GL_RGB)}));
    EXPECT_EQ(load_bmp(bmp_file(4, 2, 32, rows32)),
              (bmp_store() + parameters() + Calls{image(GL_RGBA, 4, 2, GL_BGRA)}));
    EXPECT_EQ(load_bmp(bmp_file(4, 1, 8, {0, 0, 0, 0}, {1, 2, 3, 0})), (bmp_store() + parameters()));

    GL_MIN_FILTER = GL_LINEAR_MIPMAP_LINEAR;
    EXPECT_EQ(load_bmp(bmp_file(4, 2, 24, rows24)),
              (bmp_store() + parameters() + Calls{image(3, 4, 2, GL_RGB), mipmaps(3, 4, 2, GL_RGB)}));
    EXPECT_EQ(load_bmp(bmp_file(4, 2, 32, rows32)),
              (bmp_store() + parameters() + Calls{image(GL_RGBA, 4, 2, GL_BGRA), mipmaps(4, 4, 2, GL_BGRA)}));
    // No bitmap, no mipmaps either.
    EXPECT_EQ(load_bmp(bmp_file(4, 1, 8, {0, 0, 0, 0}, {1, 2, 3, 0})), (bmp_store() + parameters()));
}

TEST_F(TextureCallOrder, TgaUploadsPackedThenSetsParameters) {
    glPixelStorei(GL_UNPACK_ALIGNMENT, 8);
    const std::vector<std::string> packed = {store(GL_UNPACK_ALIGNMENT, 1)};
    const std::vector<std::string> restored = {store(GL_UNPACK_ALIGNMENT, 8)};
    EXPECT_EQ(load_tga(tga_file(2, 2, 2, 24, Bytes(12, 5))),
              (packed + Calls{image(3, 2, 2, GL_RGB)} + parameters() + restored));
    EXPECT_EQ(load_tga(tga_file(10, 2, 1, 32, {0x81, 1, 2, 3, 4})),
              (packed + Calls{image(4, 2, 1, GL_RGBA)} + parameters() + restored));

    for (const GLint filter :
         {GL_NEAREST_MIPMAP_NEAREST, GL_LINEAR_MIPMAP_NEAREST, GL_NEAREST_MIPMAP_LINEAR, GL_LINEAR_MIPMAP_LINEAR}) {
        GL_MIN_FILTER = filter;
        EXPECT_EQ(load_tga(tga_file(2, 2, 2, 24, Bytes(12, 5))),
                  (packed + Calls{image(3, 2, 2, GL_RGB)} + parameters() + Calls{mipmaps(3, 2, 2, GL_RGB)} + restored));
        EXPECT_EQ(
            load_tga(tga_file(10, 2, 1, 32, {0x81, 1, 2, 3, 4})),
            (packed + Calls{image(4, 2, 1, GL_RGBA)} + parameters() + Calls{mipmaps(4, 2, 1, GL_RGBA)} + restored));
    }
    GL_MIN_FILTER = GL_NEAREST;
    EXPECT_EQ(load_tga(tga_file(2, 1, 1, 24, {1, 2, 3})),
              (packed + Calls{image(3, 1, 1, GL_RGB)} + parameters() + restored));
}

}  // namespace
