// CVL_Explosion: arrays of camera-facing sprite emitters and the four-layer explosion built from them.
#pragma once

#include <cstdint>

#include "corvel/types.h"

namespace CVL_Explosion {

using corvel::TGLFX_PARTICLE;
using corvel::TGLPARTICLE;

constexpr int32_t EXPLO_LIGHT = 0;
constexpr int32_t EXPLO_LUMINANCE = 1;
constexpr int32_t EXPLO_GRAY = 2;
constexpr int32_t EXPLO_DARK = 3;

// About 830 MB, nearly all of it untouched particle room: keep it in zero-initialised static storage
// (or a calloc'd block) and pass it by reference; never copy it or value-initialise it on the heap.
struct TGLEXPLOSION {
    int32_t NNMFASE;
    corvel::TARRAY<TGLFX_PARTICLE, 0, 799> LAMPO;
    corvel::TARRAY<TGLFX_PARTICLE, 0, 799> VAPORE;
    corvel::TARRAY<TGLFX_PARTICLE, 0, 799> VAMPA;
    corvel::TARRAY<TGLFX_PARTICLE, 0, 799> FUMO;
};

// An array of emitters, by reference, with its length.
void INITBASEEXPLOSION(TGLFX_PARTICLE* PARTICLE, int32_t LENGTH, int32_t NUMP, float LIFE, float RADIUS, float SX,
                       float SY, float SZ, float ADDVOLUME);
void GENBASEEXPLOSION(TGLFX_PARTICLE* PARTICLE, int32_t LENGTH, int32_t TYPECLOUDS, int32_t ROWS, int32_t COLUMNS,
                      float GREATER);
void RESTBASEEXPLOSION(TGLFX_PARTICLE* PARTICLE, int32_t LENGTH);

void INITGLOBEEXPLOSION(TGLEXPLOSION& EXP);
void GENGLOBEEXPLOSION(TGLEXPLOSION& EXP, int32_t ROWS1, int32_t COLUMNS1, int32_t ROWS2, int32_t COLUMNS2, int32_t ROWS3,
                       int32_t COLUMNS3, int32_t ROWS4, int32_t COLUMNS4, uint32_t FLASH, uint32_t VAPOR, uint32_t FIRE,
                       uint32_t SMOKE);
void RESETGLOBEEXPLOSION(TGLEXPLOSION& EXP);

}  // namespace CVL_Explosion
