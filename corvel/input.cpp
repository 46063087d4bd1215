// Key queries on the key table, and the mouse camera as a translation and two rotations.
#include "corvel/input.h"

#include <GL/gl.h>

#include "corvel/state.h"

namespace corvel {
namespace {

struct CameraMode {
    TGLVERTEX translation_per_depth;  // times -DEPTH
    float first_axis[3];              // turned by XROT
    float second_axis[3];             // turned by YROT
};

constexpr CameraMode kModes[] = {
    {{0, 0, 1}, {1, 0, 0}, {0, 1, 0}},   // GL_M0
    {{0, 1, 0}, {1, 0, 0}, {0, 0, 1}},   // GL_MX
    {{1, 0, 0}, {0, 0, -1}, {0, 1, 0}},  // GL_MY
    {{0, 0, 1}, {0, 1, 0}, {1, 0, 0}},   // GL_MZ
};

}  // namespace

bool SETGLKEY(char KEY) {
    return SETKEY[static_cast<unsigned char>(KEY)] != 0;
}

void SETGLMOUSEMOVE(int32_t XYZ, int32_t SPEED) {
    MSPEED = SPEED;
    if (XYZ < GL_M0 || XYZ > GL_MZ) return;
    const CameraMode& mode = kModes[XYZ];
    const float depth = DEPTH;
    const float xrot = XROT;
    const float yrot = YROT;
    MY.X = mode.translation_per_depth.X ? -depth : 0.0f;
    MY.Y = mode.translation_per_depth.Y ? -depth : 0.0f;
    MY.Z = mode.translation_per_depth.Z ? -depth : 0.0f;
    glTranslatef(MY.X, MY.Y, MY.Z);
    glRotatef(xrot, mode.first_axis[0], mode.first_axis[1], mode.first_axis[2]);
    glRotatef(yrot, mode.second_axis[0], mode.second_axis[1], mode.second_axis[2]);
}

}  // namespace corvel
