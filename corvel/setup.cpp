// Fixed OpenGL set-ups: 3D and 2D projections, face culling, two-sided lighting, lights.
#include "corvel/setup.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "corvel/recorder.h"
#include "corvel/state.h"

namespace corvel {
namespace {

// A window reported with no width or height must not divide by zero: it is projected as one pixel.
int32_t divisor(int32_t size) {
    return size < 1 ? 1 : size;
}

void clear_colour(double A, double R, double G, double B) {
    glClearColor(static_cast<float>(R), static_cast<float>(G), static_cast<float>(B), static_cast<float>(A));
}

void viewport_and_projection() {
    glViewport(0, 0, WIDTH, HEIGHT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
}

void identity_modelview() {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void depth_test_lequal() {
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
}

void place_light(uint32_t NLIGHT, float X, float Y, float Z, float W) {
    LIGHTPOSITION[0] = X;
    LIGHTPOSITION[1] = Y;
    LIGHTPOSITION[2] = Z;
    LIGHTPOSITION[3] = W;
    glLightfv(NLIGHT, GL_POSITION, LIGHTPOSITION.data());
}

}  // namespace

void OPENGL_INIT(double DEPTH, double A, double R, double G, double B) {
    clear_colour(A, R, G, B);
    viewport_and_projection();
    gluPerspective(45.0, static_cast<double>(WIDTH) / divisor(HEIGHT), 0.1, DEPTH);
    identity_modelview();
    glClearDepth(DEPTH);
    depth_test_lequal();
    glColor4f(1.0f, 1.0f, 1.0f, 0.5f);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, 1);
    glHint(GL_LINE_SMOOTH_HINT, GL_NICEST);
    glHint(GL_POLYGON_SMOOTH_HINT, GL_NICEST);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glEnable(GL_AUTO_NORMAL);
    glEnable(GL_NORMALIZE);
}

void OPENGL_I2D(double A, double R, double G, double B) {
    const int32_t q = HEIGHT / divisor(WIDTH);
    OFFX = static_cast<float>(q - 2.05);
    OFFY = static_cast<float>(q - 1.45);
    clear_colour(A, R, G, B);
    viewport_and_projection();
    const double top = static_cast<double>(2 * HEIGHT) / divisor(WIDTH);
    const double bottom = static_cast<double>(-2 * HEIGHT) / divisor(WIDTH);
    glOrtho(-2.0, 2.0, bottom, top, -2.0, 2.0);
    identity_modelview();
    depth_test_lequal();
    glEnable(GL_NORMALIZE);
}

void TWOSIDEON() {
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 1);
}

void TWOSIDEOFF() {
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 0);
}

void SETGLREFRACTIVE() {
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    glFrontFace(GL_CCW);
    glShadeModel(GL_SMOOTH);
}

void SETGLLIGHT(uint32_t NLIGHT, float L0, float L1, float L2, float L3) {
    glEnable(GL_LIGHTING);
    glLightfv(NLIGHT, GL_AMBIENT, AMBIENTLIGHT.data());
    glLightfv(NLIGHT, GL_DIFFUSE, DIFFUSELIGHT.data());
    glLightfv(NLIGHT, GL_SPECULAR, SPECULARLIGHT.data());
    glEnable(NLIGHT);
    place_light(NLIGHT, L0, L1, L2, L3);
}

void PUTGLPOINTLIGHT(uint32_t NLIGHT, float SIZE, float LX, float LY, float LZ, float LVAL) {
    place_light(NLIGHT, LX, LY, LZ, LVAL);
    if (SIZE == 0.0f) return;
    glPointSize(SIZE);
    GLBEGIN(GL_POINTS);
    glNormal3f(0.0f, 0.0f, 1.0f);
    GLVERTEX3F(LX, LY, LZ);
    GLEND();
}

}  // namespace corvel
