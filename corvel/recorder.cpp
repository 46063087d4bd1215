// The vertex recorder in front of glBegin, glVertex3f and glEnd: pass-through, suppressed and edit modes.
#include "corvel/recorder.h"

#include <GL/gl.h>

#include <cstdio>
#include <cstdlib>

#include "corvel/math.h"
#include "corvel/state.h"

namespace corvel {
namespace {

// A slot outside the arrays is a usage error of the application; stop before touching memory.
[[noreturn]] void slot_fault(int32_t slot) {
    std::fprintf(stderr, "corvel: vertex recorder slot %d outside %d..%d\n", static_cast<int>(slot),
                 decltype(TGLVERTEX3F::GLVERT3F)::LOW, decltype(TGLVERTEX3F::GLVERT3F)::HIGH);
    std::fflush(stderr);
    std::abort();
}

TGLVECTOR record_vertex(float X, float Y, float Z) {
    TGLVERTEX3F& rec = GLBASEVERTEX3F;
    if (rec.GLVERT3FCOUNT < rec.GLVERT3FMAX) ++rec.GLVERT3FCOUNT;
    const int32_t i = rec.GLVERT3FCOUNT;
    if (!decltype(rec.GLVERT3F)::contains(i)) slot_fault(i);

    rec.GLVERT3FOFFSET[i] = TGLVECTOR{X, Y, Z};
    TGLVECTOR& scale = rec.GLVERT3FTMPSCALE[i];
    // An all-zero scale means "not set"; a partly zero one flattens on purpose.
    if (scale.X == 0.0f && scale.Y == 0.0f && scale.Z == 0.0f) scale = TGLVECTOR{1.0f, 1.0f, 1.0f};
    const TGLVECTOR& shift = rec.GLVERT3FTMP[i];
    TGLVECTOR& out = rec.GLVERT3F[i];
    out.X = static_cast<float>(double{scale.X} * X + shift.X);
    out.Y = static_cast<float>(double{scale.Y} * Y + shift.Y);
    out.Z = static_cast<float>(double{scale.Z} * Z + shift.Z);

    const TGLVECTOR& pivot = rec.GLVERT3FTMPPOSROT[i];
    const TGLVECTOR p{pivot.X + out.X, pivot.Y + out.Y, pivot.Z + out.Z};
    out = MATRIXVECROT(p, MATRIXEULERRAD(rec.GLVERT3FTMPROTATE[i]));
    return out;
}

}  // namespace

void GLBEGIN(uint32_t MODE) {
    if (!GLVERT3FREMOVE) glBegin(MODE);
    GLBASEVERTEX3F.GLVERT3FMAX = GLBASEVERTEX3F.GLVERT3FSETNUM;
}

void GLVERTEX3F(float X, float Y, float Z) {
    if (!GLVERT3FENABLEEDIT) {
        if (!GLVERT3FREMOVE) glVertex3f(X, Y, Z);
        return;
    }
    const TGLVECTOR v = record_vertex(X, Y, Z);
    if (!GLVERT3FREMOVE) glVertex3f(v.X, v.Y, v.Z);
}

void GLEND() {
    if (!GLVERT3FREMOVE) glEnd();
}

}  // namespace corvel
