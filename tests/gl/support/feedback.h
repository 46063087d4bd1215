// The vertices OpenGL actually received, read back in feedback render mode.
#pragma once

#include <GL/gl.h>

#include <functional>
#include <vector>

namespace gltest {

// Window coordinates, colour and texture coordinate of one vertex (GL_3D_COLOR_TEXTURE).
struct FeedbackVertex {
    float x, y, z;
    float r, g, b, a;
    float s, t, p, q;
};

struct FeedbackPrimitive {
    GLenum token;  // GL_POLYGON_TOKEN, GL_POINT_TOKEN, GL_LINE_TOKEN...
    std::vector<FeedbackVertex> vertices;
};

// Runs draw in feedback mode and returns what reached the rasteriser (after culling and clipping).
std::vector<FeedbackPrimitive> capture_feedback(const std::function<void()>& draw);

// All vertices of all primitives, in order.
std::vector<FeedbackVertex> all_vertices(const std::vector<FeedbackPrimitive>& primitives);

}  // namespace gltest
