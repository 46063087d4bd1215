// What the demo shows, frame by frame: projection, camera, light, floor, the Z key and the explosion.
#include "app/scene.h"

#include <GL/gl.h>

#include "corvel/corvel.h"

namespace explosion_demo {

using namespace corvel;

CVL_Explosion::TGLEXPLOSION EXPLO;
uint32_t LAMPO = 0;
uint32_t VAPORE = 0;
uint32_t VAMPA = 0;
uint32_t FUMO = 0;

namespace {

void OPENGL_TEXTURE() {
    TEXTURELOADID("Floor01.bmp", 0);
    TEXTURELOADTGAID("flare01.tga", LAMPO);
    TEXTURELOADTGAID("CloudsParticles4.tga", VAPORE);
    TEXTURELOADTGAID("ExplosionParticles.tga", VAMPA);
    TEXTURELOADTGAID("CloudsParticles3.tga", FUMO);
}

// The 2D set-up is replaced at once by the 3D one; both are kept so the frame sets up what it always did.
void OPENGL_DRAW2D() {
    OPENGL_I2D(0.0, 0.0, 0.0, 0.0);
    OPENGL_INIT(100.0, 0.0, 0.0, 0.0, 0.0);
}

// Hooks for a scene that draws 2D overlays or reads the keyboard; this one does neither.
void OPENGL_MOUSE2D() {}
void OPENGL_KEYBOARD() {}

}  // namespace

void OPENGL_CREATELIST() {
    OPENGL_TEXTURE();
    CVL_Explosion::INITGLOBEEXPLOSION(EXPLO);
}

void OPENGL_DRAW() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    OPENGL_DRAW2D();
    OPENGL_MOUSE2D();
    OPENGL_KEYBOARD();
    glTranslatef(0.0f, -2.0f, -30.0f);
    glRotatef(25.0f, 1.0f, 0.0f, 0.0f);
    SETGLMOUSEMOVE(GL_M0, 2);
    PUTGLPOINTLIGHT(GL_LIGHT0, 0.0f, 0.0f, 10.0f, 0.0f, 0.1f);
    TEXTURESELECTID(0);
    QUAD(-10, 0, -10, 10, 0, -10, -10, 0, 10, 10, 0, 10);
    if (SETGLKEY('Z')) CVL_Explosion::RESETGLOBEEXPLOSION(EXPLO);
    glPushMatrix();
    glTranslatef(0.0f, 4.0f, 0.0f);
    CVL_Explosion::GENGLOBEEXPLOSION(EXPLO, 1, 1, 8, 4, 8, 1, 4, 4, LAMPO, VAPORE, VAMPA, FUMO);
    glPopMatrix();
}

void QUAD(float X1, float Y1, float Z1, float X2, float Y2, float Z2, float X3, float Y3, float Z3, float X4, float Y4,
          float Z4) {
    TWOSIDEON();
    glDisable(GL_CULL_FACE);
    GLBEGIN(GL_QUADS);
    FINDNORMAL(X2, Y2, Z2, X1, Y1, Z1, X3, Y3, Z3);
    glNormal3f(static_cast<float>(FNORMAL[1]), static_cast<float>(FNORMAL[2]), static_cast<float>(FNORMAL[3]));
    LINEFREE(1, 1, 0, 1, X2, Y2, Z2, X1, Y1, Z1, true);
    LINEFREE(0, 0, 1, 0, X3, Y3, Z3, X4, Y4, Z4, true);
    GLEND();
    glEnable(GL_CULL_FACE);
    TWOSIDEOFF();
}

}  // namespace explosion_demo
