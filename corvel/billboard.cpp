// Camera-facing frames, sprite-sheet cells and textured vertex pairs.
#include "corvel/billboard.h"

#include <GL/gl.h>

#include "corvel/recorder.h"
#include "corvel/state.h"
#include "corvel/types.h"

namespace corvel {

void LOCKVIEWMODELBEGIN(float X, float Y, float Z) {
    glPushMatrix();
    glTranslatef(X, Y, Z);
    glPushMatrix();
    TARRAY<float, 0, 15> matrix;
    glGetFloatv(GL_MODELVIEW_MATRIX, matrix.data());
    // The upper-left block carries every rotation and scale; the translation column stays.
    for (int MX = 0; MX <= 2; ++MX) {
        for (int MY = 0; MY <= 2; ++MY) matrix[MX * 4 + MY] = (MX == MY) ? 1.0f : 0.0f;
    }
    glLoadMatrixf(matrix.data());
    if (LOCKVIEWMODELSCALE) glScalef(0.1f, 0.1f, 0.1f);
}

void LOCKVIEWMODELEND() {
    glPopMatrix();
    glPopMatrix();
}

void LOCKVIEWMODELSCALEOFF() {
    LOCKVIEWMODELSCALE = false;
}

void FINDCHARACTER(float X, float Y, float PX, float PY, float SX, float SY, int32_t ROWS, int32_t COLUMNS) {
    // An empty grid has no cells; drawing it would send infinite texture coordinates.
    if (ROWS < 1 || COLUMNS < 1) return;
    TGLFX_3DANIMATION cell{};
    cell.ROWS = ROWS;
    cell.COLUMNS = COLUMNS;
    cell.V.X = static_cast<float>(double{PX} / cell.ROWS);
    cell.V.Y = static_cast<float>(double{PY} / cell.COLUMNS);

    glPushMatrix();
    glTranslatef(X, Y, 0.0f);
    GLBEGIN(GL_QUADS);
    const float w = static_cast<float>(1.0 / cell.ROWS);
    const float h = static_cast<float>(1.0 / cell.COLUMNS);
    const float s0 = cell.V.X;
    const float s1 = s0 + w;
    const float t1 = 1.0f - cell.V.Y;
    const float t0 = t1 - h;
    glTexCoord2f(s0, t0);
    GLVERTEX3F(-SX, -SY, 0.0f);
    glTexCoord2f(s1, t0);
    GLVERTEX3F(SX, -SY, 0.0f);
    glTexCoord2f(s1, t1);
    GLVERTEX3F(SX, SY, 0.0f);
    glTexCoord2f(s0, t1);
    GLVERTEX3F(-SX, SY, 0.0f);
    GLEND();
    glPopMatrix();
}

void LINEFREE(float TX1, float TY1, float TX2, float TY2, float X1, float Y1, float Z1, float X2, float Y2, float Z2,
              bool TEXTURE) {
    if (TEXTURE) glTexCoord2f(TX1, TY1);
    GLVERTEX3F(X1, Y1, Z1);
    if (TEXTURE) glTexCoord2f(TX2, TY2);
    GLVERTEX3F(X2, Y2, Z2);
}

}  // namespace corvel
