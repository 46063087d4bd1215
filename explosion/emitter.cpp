// Arrays of sprite emitters: random start values on an ellipsoid shell, the per-frame step with its
// blending and drawing, and the return to the start state.
#include <GL/gl.h>

#include <cmath>

#include "corvel/billboard.h"
#include "corvel/math.h"
#include "corvel/random.h"
#include "explosion/cvl_explosion.h"

namespace CVL_Explosion {
namespace {

constexpr double two_pi = 6.283185307179586476925286766559;

// The number of emitters an operation may touch: the count it was handed, which must fit the array.
int32_t emitters_in_use(const emitter_array& PARTICLE, int32_t count) {
    if (count > PARTICLE.length()) corvel::index_fault("emitter count", count, 0, PARTICLE.length());
    return count;
}

void set_blend_function(int32_t TYPECLOUDS) {
    switch (TYPECLOUDS) {
        case EXPLO_LIGHT:
            glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_COLOR);
            break;
        case EXPLO_LUMINANCE:
            glBlendFunc(GL_SRC_ALPHA, GL_ONE);
            break;
        case EXPLO_GRAY:
            glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
            break;
        case EXPLO_DARK:
            glBlendFunc(GL_ZERO, GL_ONE_MINUS_SRC_ALPHA);
            break;
        default:
            break;  // an unknown cloud type keeps whatever blend function is in force
    }
}

void begin_sprites(int32_t TYPECLOUDS, float GREATER) {
    corvel::LOCKVIEWMODELSCALEOFF();
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    set_blend_function(TYPECLOUDS);
    // Hidden behind nearer solid geometry, but sprites never hide one another.
    glEnable(GL_DEPTH_TEST);
    glDepthMask(GL_FALSE);
    glColorMaterial(GL_FRONT_AND_BACK, GL_DIFFUSE);
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, 8448.0f);
    glAlphaFunc(GL_GREATER, GREATER);
    glEnable(GL_ALPHA_TEST);
}

void end_sprites() {
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
    glDepthMask(GL_TRUE);
}

// A visible emitter moves out along POS by one more POS each drawn frame, its size already stepped.
void draw_sprite(TGLFX_PARTICLE& emitter, int32_t I, int32_t ROWS, int32_t COLUMNS) {
    glPushMatrix();
    emitter.SPEED = corvel::GLVECTOR(emitter.SPEED.X + 1.0, emitter.SPEED.Y + 1.0, emitter.SPEED.Z + 1.0);
    glScalef(emitter.SPEED.X + 1.0f, emitter.SPEED.Y + 1.0f, emitter.SPEED.Z + 1.0f);
    corvel::LOCKVIEWMODELBEGIN(emitter.POS.X, emitter.POS.Y, emitter.POS.Z);
    glRotatef(emitter.ANG, 0.0f, 0.0f, 1.0f);
    const float cell = static_cast<float>(I);
    corvel::FINDCHARACTER(0.0f, 0.0f, cell, cell, emitter.SIZE, emitter.SIZE, ROWS, COLUMNS);
    corvel::LOCKVIEWMODELEND();
    glPopMatrix();
}

}  // namespace

void INITBASEEXPLOSION(emitter_array PARTICLE, int32_t NUMP, float LIFE, float RADIUS, float SX, float SY, float SZ,
                       float ADDVOLUME) {
    const int32_t count = emitters_in_use(PARTICLE, NUMP);
    PARTICLE[0].MAXOBJ = NUMP;
    for (int32_t I = 0; I < count; ++I) {
        TGLFX_PARTICLE& emitter = PARTICLE[I];
        // Five draws per emitter, always in this order, so every run builds the same explosion.
        const double T1 = corvel::random_fraction() * two_pi;
        const double T2 = corvel::random_fraction() * two_pi;
        emitter.FADE = corvel::RANDOMF(RADIUS);
        const double r = emitter.FADE;
        emitter.POS = corvel::GLVECTOR(SX * r * std::sin(T1) * std::sin(T2), SY * r * std::cos(T2),
                                       SZ * r * std::cos(T1) * std::sin(T2));
        emitter.SIZE = static_cast<float>(ADDVOLUME / 2.0 + 2.5 - corvel::RANDOMF(ADDVOLUME + 5.0f));
        emitter.ANG = static_cast<float>(180 - static_cast<int32_t>(corvel::random_below(360)));
        emitter.LIFESPAN = LIFE;
    }
}

void GENBASEEXPLOSION(emitter_array PARTICLE, int32_t TYPECLOUDS, int32_t ROWS, int32_t COLUMNS, float GREATER) {
    const int32_t count = emitters_in_use(PARTICLE, PARTICLE[0].MAXOBJ);
    begin_sprites(TYPECLOUDS, GREATER);
    const float L = PARTICLE[0].LIFESPAN;
    for (int32_t I = 0; I < count; ++I) {
        TGLFX_PARTICLE& emitter = PARTICLE[I];
        // A negative size climbs to zero; a positive one falls and then settles in [0, L).
        if (emitter.SIZE > 0) emitter.SIZE -= L;
        if (emitter.SIZE < 0) emitter.SIZE += L;
        if (emitter.SIZE < 0) draw_sprite(emitter, I, ROWS, COLUMNS);
    }
    end_sprites();
}

void RESTBASEEXPLOSION(emitter_array PARTICLE) {
    const int32_t count = emitters_in_use(PARTICLE, PARTICLE[0].MAXOBJ);
    for (int32_t I = 0; I < count; ++I) {
        TGLFX_PARTICLE& emitter = PARTICLE[I];
        emitter.POS = corvel::TGLVECTOR{0.0f, 0.0f, 0.0f};
        emitter.SPEED = corvel::TGLVECTOR{0.0f, 0.0f, 0.0f};
        emitter.SIZE = 1.0f;
    }
}

}  // namespace CVL_Explosion
