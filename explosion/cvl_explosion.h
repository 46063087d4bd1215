// CVL_Explosion: arrays of camera-facing sprite emitters and the four-layer explosion built from them.
#pragma once

#include <cstdint>

#include "corvel/array.h"
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

// An array of emitters by reference, with its length. It can only be made from a whole array indexed
// from 0, so the length it carries is always the array's own; it is a view and copies no emitter.
class emitter_array {
public:
    template <int HI>
    emitter_array(corvel::TARRAY<TGLFX_PARTICLE, 0, HI>& array)  // NOLINT: converts implicitly on purpose
        : items_(array.data()), length_(static_cast<int32_t>(array.COUNT)) {}

    int32_t length() const { return length_; }

    // An index outside [0, length) ends the program instead of touching memory.
    TGLFX_PARTICLE& operator[](int64_t index) const {
        if (index < 0 || index >= length_) corvel::index_fault("emitter", index, 0, length_ - 1LL);
        return items_[index];
    }

private:
    TGLFX_PARTICLE* items_;
    int32_t length_;
};

// A NUMP (or a stored MAXOBJ) larger than the array is a caller's fault: it ends the program with a
// message before any emitter or OpenGL state is touched, rather than quietly handling fewer emitters.
void INITBASEEXPLOSION(emitter_array PARTICLE, int32_t NUMP, float LIFE, float RADIUS, float SX, float SY, float SZ,
                       float ADDVOLUME);
void GENBASEEXPLOSION(emitter_array PARTICLE, int32_t TYPECLOUDS, int32_t ROWS, int32_t COLUMNS, float GREATER);
void RESTBASEEXPLOSION(emitter_array PARTICLE);

void INITGLOBEEXPLOSION(TGLEXPLOSION& EXP);
void GENGLOBEEXPLOSION(TGLEXPLOSION& EXP, int32_t ROWS1, int32_t COLUMNS1, int32_t ROWS2, int32_t COLUMNS2,
                       int32_t ROWS3, int32_t COLUMNS3, int32_t ROWS4, int32_t COLUMNS4, uint32_t FLASH, uint32_t VAPOR,
                       uint32_t FIRE, uint32_t SMOKE);
void RESETGLOBEEXPLOSION(TGLEXPLOSION& EXP);

}  // namespace CVL_Explosion
