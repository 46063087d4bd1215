// GL test fixture: a hidden SDL window with a compatibility context on Mesa; every test gets a fresh
// context, so no GL state leaks from one test to the next.
#pragma once

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

namespace gltest {

// A GL matrix as glGetFloatv gives it, column-major.
using Matrix = std::array<float, 16>;
constexpr Matrix kIdentity = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

class GLTest : public ::testing::Test {
public:
    static constexpr int kWidth = 256;
    static constexpr int kHeight = 256;

protected:
    void SetUp() override;
    void TearDown() override;

    // The current matrix of a mode (GL_MODELVIEW_MATRIX, GL_PROJECTION_MATRIX...), column-major.
    static Matrix matrix(GLenum which);
    static GLint integer(GLenum which);
    static std::array<float, 4> floats4(GLenum which);
    // A square orthographic view, x and y from -half to half and z from -depth to depth, with an identity
    // modelview: what is drawn maps straight onto the 256-pixel viewport.
    static void flat_view(double half, double depth);
    // RGBA bytes of the back buffer, rows from the bottom.
    static std::vector<uint8_t> read_pixels(int x, int y, int width, int height);

private:
    void* context_ = nullptr;
};

}  // namespace gltest
