// The demo scene: a lit, textured floor with the four-layer explosion four units above its centre.
#pragma once

#include <cstdint>

#include "explosion/cvl_explosion.h"

namespace explosion_demo {

// The one explosion of the scene and the texture names of its four layers.
extern CVL_Explosion::TGLEXPLOSION EXPLO;
extern uint32_t LAMPO;
extern uint32_t VAPORE;
extern uint32_t VAMPA;
extern uint32_t FUMO;

// Once, after the window and its context exist: images and the explosion.
void OPENGL_CREATELIST();
// Once per frame, between the message pump and the buffer swap.
void OPENGL_DRAW();
// One textured, lit, two-sided four-cornered polygon, drawn in the corner order 2, 1, 3, 4.
void QUAD(float X1, float Y1, float Z1, float X2, float Y2, float Z2, float X3, float Y3, float Z3, float X4, float Y4,
          float Z4);

}  // namespace explosion_demo
