// Every public record of the framework, with its field order and widths.
#pragma once

#include <cstdint>

#include "corvel/array.h"

namespace corvel {

// A point, direction, speed, per-axis scale or triple of angles.
struct TGLVECTOR {
    float X;
    float Y;
    float Z;
};
static_assert(sizeof(TGLVECTOR) == 12, "three 32-bit floats");

using TGLVERTEX = TGLVECTOR;

// 4 x 4 floats indexed [row][column]; the rotation functions use the upper-left 3 x 3 block.
struct TGLBASEMATRIX {
    float M[4][4];
    float* operator[](int row) { return M[row]; }
    const float* operator[](int row) const { return M[row]; }
};
static_assert(sizeof(TGLBASEMATRIX) == 64, "sixteen 32-bit floats");

// One particle record; declared for the emitter's room, used by nothing.
struct TGLPARTICLE {
    float LIFESPAN;
    float FADE;
    float R;
    float G;
    float B;
    float A;
    float POSX;
    float POSY;
    float POSZ;
    float SPEEDX;
    float SPEEDY;
    float SPEEDZ;
    bool ACTIVE;
};
static_assert(sizeof(TGLPARTICLE) == 52, "twelve floats and a boolean, padded to 4");

// One emitter of the explosion effect.
struct TGLFX_PARTICLE {
    TARRAY<TGLPARTICLE, 0, 5000> P;
    TGLVECTOR POS;
    float SIZE;
    float ANG;
    int32_t RX;
    int32_t RY;
    int32_t RZ;
    int32_t MAX;
    int32_t MAXOBJ;
    int32_t GROUND;
    float LIFESPAN;
    float FADE;
    float R;
    float G;
    float B;
    float A;
    TGLVECTOR OFFSET;
    TGLVECTOR GRAVITY;
    TGLVECTOR SPEED;
    bool TEXTURE;
    char* TEXIMAGE;
};
static_assert(sizeof(TGLPARTICLE) * 5001 == 260052, "room for 5001 particles");

// The vertex recorder: six per-slot arrays (slots 1..10000) and three counters.
struct TGLVERTEX3F {
    TARRAY<TGLVECTOR, 1, 10000> GLVERT3F;
    TARRAY<TGLVECTOR, 1, 10000> GLVERT3FTMP;
    TARRAY<TGLVECTOR, 1, 10000> GLVERT3FTMPROTATE;
    TARRAY<TGLVECTOR, 1, 10000> GLVERT3FTMPPOSROT;
    TARRAY<TGLVECTOR, 1, 10000> GLVERT3FTMPSCALE;
    TARRAY<TGLVECTOR, 1, 10000> GLVERT3FOFFSET;
    int32_t GLVERT3FCOUNT;
    int32_t GLVERT3FMAX;
    int32_t GLVERT3FSETNUM;
};
static_assert(sizeof(TGLVERTEX3F) == 6 * 10000 * 12 + 12, "six slot arrays and three counters");

// The working record of a sprite-sheet cell.
struct TGLFX_3DANIMATION {
    int32_t ROWS;
    int32_t COLUMNS;
    TGLVECTOR V;
    float POS;
};
static_assert(sizeof(TGLFX_3DANIMATION) == 24, "two integers, a vector and a float");

// A decoded image: R,G,B(,A) bytes in file row order, owned by the holder after a successful read.
struct TGATEXTURE {
    uint8_t* IMAGEDATA;
    uint32_t BPP;
    uint32_t WIDTH;
    uint32_t HEIGHT;
    uint32_t TEXID;
    uint32_t TYP;
};

// The first twelve bytes of a TGA file.
struct TTGAHEADER {
    uint8_t HEADER[12];
};
static_assert(sizeof(TTGAHEADER) == 12, "twelve bytes");

// The TGA image header (file bytes 12..17) and the sizes derived from it.
struct TTGA {
    uint8_t HEADER[6];
    uint32_t BYTESPERPIXEL;
    uint32_t IMAGESIZE;
    uint32_t TYP;
    uint32_t HEIGH;
    uint32_t WIDTH;
    uint32_t BPP;
};
static_assert(sizeof(TTGA) == 8 + 6 * 4, "six bytes, padded, and six 32-bit integers");

}  // namespace corvel
