// One hidden window per test program, a new compatibility context per test.
#include "tests/gl/support/gl_context.h"

#include <SDL.h>

#include <cstdlib>

namespace gltest {
namespace {

SDL_Window* shared_window() {
    static SDL_Window* window = [] {
        setenv("LIBGL_ALWAYS_SOFTWARE", "1", 0);
        setenv("GALLIUM_DRIVER", "llvmpipe", 0);
        setenv("SDL_VIDEODRIVER", "x11", 0);
        if (SDL_Init(SDL_INIT_VIDEO) != 0) return static_cast<SDL_Window*>(nullptr);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
        SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
        SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
        SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 8);
        SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 8);
        return SDL_CreateWindow("gl test", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, GLTest::kWidth,
                                GLTest::kHeight, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    }();
    return window;
}

}  // namespace

void GLTest::SetUp() {
    SDL_Window* window = shared_window();
    ASSERT_NE(window, nullptr) << "no GL window: " << SDL_GetError() << " (is DISPLAY set, Xvfb running?)";
    context_ = SDL_GL_CreateContext(window);
    ASSERT_NE(context_, nullptr) << SDL_GetError();
    ASSERT_EQ(SDL_GL_MakeCurrent(window, context_), 0) << SDL_GetError();
    glViewport(0, 0, kWidth, kHeight);
    glDrawBuffer(GL_BACK);
    glReadBuffer(GL_BACK);
}

void GLTest::TearDown() {
    if (context_) {
        SDL_GL_MakeCurrent(shared_window(), nullptr);
        SDL_GL_DeleteContext(context_);
        context_ = nullptr;
    }
}

Matrix GLTest::matrix(GLenum which) {
    Matrix m{};
    glGetFloatv(which, m.data());
    return m;
}

GLint GLTest::integer(GLenum which) {
    GLint value = 0;
    glGetIntegerv(which, &value);
    return value;
}

std::array<float, 4> GLTest::floats4(GLenum which) {
    std::array<float, 4> v{};
    glGetFloatv(which, v.data());
    return v;
}

void GLTest::flat_view(double half, double depth) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-half, half, -half, half, -depth, depth);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

std::vector<uint8_t> GLTest::read_pixels(int x, int y, int width, int height) {
    std::vector<uint8_t> pixels(static_cast<size_t>(width) * height * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

}  // namespace gltest
