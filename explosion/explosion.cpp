// The four-layer explosion: flash, vapour, fire and smoke emitters switched on one after another by a
// frame counter.
#include <GL/gl.h>

#include <cstdint>
#include <limits>

#include "explosion/cvl_explosion.h"

namespace CVL_Explosion {
namespace {

using layer_array = corvel::TARRAY<TGLFX_PARTICLE, 0, 799> TGLEXPLOSION::*;

// What a layer's emitters start from.
struct layer_start {
    layer_array layer;
    int32_t NUMP;
    float LIFE;
    float RADIUS;
    float STRETCH;  // SX = SY = SZ
    float ADDVOLUME;
};

// In the order the layers take their random values.
constexpr layer_start layer_starts[] = {
    {&TGLEXPLOSION::LAMPO, 1, 0.2f, 3.25f, 0.0f, 12.0f},
    {&TGLEXPLOSION::VAPORE, 650, 0.05f, 3.25f, 0.02f, 1.5f},
    {&TGLEXPLOSION::VAMPA, 450, 0.15f, 6.5f, 0.1f, 3.5f},
    {&TGLEXPLOSION::FUMO, 450, 0.09f, 5.5f, 0.2f, 2.8f},
};

void init_layer(TGLEXPLOSION& EXP, const layer_start& start) {
    INITBASEEXPLOSION(EXP.*start.layer, start.NUMP, start.LIFE, start.RADIUS, start.STRETCH, start.STRETCH,
                      start.STRETCH, start.ADDVOLUME);
}

// The texture is bound even while the layer is still waiting, so the last layer's is left bound.
void run_layer(uint32_t texture, bool runs, emitter_array layer, int32_t TYPECLOUDS, int32_t ROWS, int32_t COLUMNS,
               float GREATER) {
    glBindTexture(GL_TEXTURE_2D, texture);
    if (runs) GENBASEEXPLOSION(layer, TYPECLOUDS, ROWS, COLUMNS, GREATER);
}

}  // namespace

void INITGLOBEEXPLOSION(TGLEXPLOSION& EXP) {
    for (const layer_start& start : layer_starts) init_layer(EXP, start);
}

void GENGLOBEEXPLOSION(TGLEXPLOSION& EXP, int32_t ROWS1, int32_t COLUMNS1, int32_t ROWS2, int32_t COLUMNS2,
                       int32_t ROWS3, int32_t COLUMNS3, int32_t ROWS4, int32_t COLUMNS4, uint32_t FLASH, uint32_t VAPOR,
                       uint32_t FIRE, uint32_t SMOKE) {
    // The counter only has to pass 45; it stops at the largest value instead of overflowing, so after
    // billions of frames every layer still runs.
    if (EXP.NNMFASE < std::numeric_limits<int32_t>::max()) ++EXP.NNMFASE;
    const int32_t phase = EXP.NNMFASE;
    // Drawn in this order, so the fire lies over the smoke.
    run_layer(FLASH, phase > 15, EXP.LAMPO, EXPLO_LIGHT, ROWS1, COLUMNS1, 0.0f);
    run_layer(VAPOR, phase > 39.5f, EXP.VAPORE, EXPLO_LIGHT, ROWS2, COLUMNS2, 0.0f);
    run_layer(SMOKE, phase > 45.5f, EXP.FUMO, EXPLO_GRAY, ROWS4, COLUMNS4, 0.0f);
    run_layer(FIRE, phase > 34.5f, EXP.VAMPA, EXPLO_LUMINANCE, ROWS3, COLUMNS3, 0.1f);
}

void RESETGLOBEEXPLOSION(TGLEXPLOSION& EXP) {
    EXP.NNMFASE = 0;
    for (const layer_start& start : layer_starts) {
        RESTBASEEXPLOSION(EXP.*start.layer);
        init_layer(EXP, start);
    }
}

}  // namespace CVL_Explosion
