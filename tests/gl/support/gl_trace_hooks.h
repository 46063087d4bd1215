// The interposed GL entry points: include in exactly one source file of a test program that traces.
// They live in a header, not the support library, because corvel's own references to glBegin would
// otherwise pull them into every GL test program that links the library.
#pragma once

#include <GL/gl.h>

#include "tests/gl/support/gl_trace.h"

namespace gltest::trace_detail {

template <typename Function>
Function* next(const char* name) {
    return reinterpret_cast<Function*>(next_symbol(name));
}

}  // namespace gltest::trace_detail

extern "C" {

void GLAPIENTRY glBegin(GLenum mode) {
    static auto* real = gltest::trace_detail::next<void GLAPIENTRY(GLenum)>("glBegin");
    gltest::trace_detail::record("glBegin", {static_cast<double>(mode)});
    real(mode);
}

void GLAPIENTRY glEnd() {
    static auto* real = gltest::trace_detail::next<void GLAPIENTRY()>("glEnd");
    gltest::trace_detail::record("glEnd", {});
    real();
}

void GLAPIENTRY glVertex3f(GLfloat x, GLfloat y, GLfloat z) {
    static auto* real = gltest::trace_detail::next<void GLAPIENTRY(GLfloat, GLfloat, GLfloat)>("glVertex3f");
    gltest::trace_detail::record("glVertex3f", {x, y, z});
    real(x, y, z);
}

void GLAPIENTRY glTexCoord2f(GLfloat s, GLfloat t) {
    static auto* real = gltest::trace_detail::next<void GLAPIENTRY(GLfloat, GLfloat)>("glTexCoord2f");
    gltest::trace_detail::record("glTexCoord2f", {s, t});
    real(s, t);
}

}  // extern "C"
