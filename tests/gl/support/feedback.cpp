// Parses the feedback buffer into primitives.
#include "tests/gl/support/feedback.h"

#include <stdexcept>

namespace gltest {

std::vector<FeedbackPrimitive> capture_feedback(const std::function<void()>& draw) {
    std::vector<GLfloat> buffer(1 << 20);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR_TEXTURE, buffer.data());
    glRenderMode(GL_FEEDBACK);
    draw();
    const GLint count = glRenderMode(GL_RENDER);
    if (count < 0) throw std::runtime_error("feedback buffer overflow");

    std::vector<FeedbackPrimitive> primitives;
    GLint at = 0;
    auto vertex = [&] {
        FeedbackVertex v{};
        float* fields = &v.x;
        for (int i = 0; i < 11; ++i) fields[i] = buffer[at++];
        return v;
    };
    while (at < count) {
        const GLenum token = static_cast<GLenum>(buffer[at++]);
        FeedbackPrimitive primitive{token, {}};
        int vertices = 0;
        switch (token) {
            case GL_POINT_TOKEN:
            case GL_BITMAP_TOKEN:
            case GL_DRAW_PIXEL_TOKEN:
            case GL_COPY_PIXEL_TOKEN: vertices = 1; break;
            case GL_LINE_TOKEN:
            case GL_LINE_RESET_TOKEN: vertices = 2; break;
            case GL_POLYGON_TOKEN: vertices = static_cast<int>(buffer[at++]); break;
            case GL_PASS_THROUGH_TOKEN: ++at; continue;
            default: throw std::runtime_error("unknown feedback token");
        }
        for (int i = 0; i < vertices; ++i) primitive.vertices.push_back(vertex());
        primitives.push_back(std::move(primitive));
    }
    return primitives;
}

std::vector<FeedbackVertex> all_vertices(const std::vector<FeedbackPrimitive>& primitives) {
    std::vector<FeedbackVertex> out;
    for (const auto& primitive : primitives) out.insert(out.end(), primitive.vertices.begin(), primitive.vertices.end());
    return out;
}

}  // namespace gltest
