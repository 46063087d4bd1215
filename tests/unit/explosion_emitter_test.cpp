// Emitter start values and the return to the start state, without a display: the draws from the shared
// generator, the fields each operation writes, and what happens when a count does not fit the array.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "corvel/random.h"
#include "explosion/cvl_explosion.h"
#include "tests/gl/explosion_support.h"

using namespace CVL_Explosion;
using explosion_test::advanced;
using explosion_test::fields;
using explosion_test::small_array;
using explosion_test::zeroed;

namespace {

constexpr double two_pi = 6.283185307179586;

double fraction(std::mt19937& g) {
    return g() * 0x1p-32;
}

// Marks every field an emitter has after its particle room, so a write to any of them shows.
void mark(TGLFX_PARTICLE& emitter) {
    auto* bytes = reinterpret_cast<unsigned char*>(&emitter);
    const auto from = offsetof(TGLFX_PARTICLE, POS);
    std::memset(bytes + from, 0x5A, sizeof(emitter) - from);
}

}  // namespace

TEST(ExplosionEmitter, InitDrawsFiveValuesPerEmitterInTheirOrder) {
    auto array = zeroed<small_array>();
    small_array& a = *array;
    for (auto& emitter : a) mark(emitter);
    for (int i = 0; i < 3; ++i) a[i].SPEED = {7.0f, 8.0f, 9.0f};
    const auto untouched = fields(a[3]);

    std::mt19937 before = corvel::random_generator();
    const float LIFE = 0.25f, RADIUS = 2.0f, SX = 1.0f, SY = 2.0f, SZ = 3.0f, ADDVOLUME = 4.0f;
    INITBASEEXPLOSION(a, 3, LIFE, RADIUS, SX, SY, SZ, ADDVOLUME);

    EXPECT_EQ(corvel::random_generator(), advanced(before, 15));
    EXPECT_NE(corvel::random_generator(), advanced(before, 14));
    EXPECT_EQ(a[0].MAXOBJ, 3);

    std::mt19937 replay = before;
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const double T1 = fraction(replay) * two_pi;
        const double T2 = fraction(replay) * two_pi;
        const double r = fraction(replay) / 0.9 * RADIUS;
        const double size = ADDVOLUME / 2 + 2.5 - fraction(replay) / 0.9 * (ADDVOLUME + 5);
        const double n = static_cast<double>((static_cast<unsigned long long>(replay()) * 360) >> 32);
        EXPECT_NEAR(a[i].FADE, r, 1e-6);
        EXPECT_NEAR(a[i].POS.X, SX * r * std::sin(T1) * std::sin(T2), 1e-5);
        EXPECT_NEAR(a[i].POS.Y, SY * r * std::cos(T2), 1e-5);
        EXPECT_NEAR(a[i].POS.Z, SZ * r * std::cos(T1) * std::sin(T2), 1e-5);
        EXPECT_NEAR(a[i].SIZE, size, 1e-5);
        EXPECT_EQ(a[i].ANG, 180.0 - n);
        EXPECT_EQ(a[i].LIFESPAN, LIFE);
        // Re-initialising keeps the frame count, so the motion goes on from where it was.
        EXPECT_EQ(a[i].SPEED.X, 7.0f);
        EXPECT_EQ(a[i].SPEED.Y, 8.0f);
        EXPECT_EQ(a[i].SPEED.Z, 9.0f);
    }
    for (int i = 3; i < small_array::COUNT; ++i) EXPECT_EQ(fields(a[i]), untouched) << i;
}

TEST(ExplosionEmitter, StartValuesStayWithinTheirRanges) {
    auto array = zeroed<corvel::TARRAY<TGLFX_PARTICLE, 0, 799>>();
    const float RADIUS = 6.5f, SX = 0.1f, SY = 0.2f, SZ = 0.3f, ADDVOLUME = 3.5f;
    INITBASEEXPLOSION(*array, 800, 0.15f, RADIUS, SX, SY, SZ, ADDVOLUME);
    int negative = 0;
    for (const auto& e : *array) {
        EXPECT_GE(e.FADE, 0.0f);
        EXPECT_LT(e.FADE, RADIUS / 0.9f);
        // On the ellipsoid shell of semi-axes SX·r, SY·r, SZ·r.
        const double shell = std::pow(e.POS.X / SX, 2) + std::pow(e.POS.Y / SY, 2) + std::pow(e.POS.Z / SZ, 2);
        EXPECT_NEAR(std::sqrt(shell), e.FADE, 1e-4);
        EXPECT_LE(e.SIZE, ADDVOLUME / 2 + 2.5f);
        EXPECT_GT(e.SIZE, ADDVOLUME / 2 + 2.5f - (ADDVOLUME + 5) / 0.9f);
        EXPECT_EQ(e.ANG, std::floor(e.ANG));
        EXPECT_GE(e.ANG, -179.0f);
        EXPECT_LE(e.ANG, 180.0f);
        negative += e.SIZE < 0;
    }
    // A negative start size needs the fraction above 0.45: a little over half of them.
    EXPECT_GT(negative, 800 * 45 / 100);
    EXPECT_LT(negative, 800 * 65 / 100);
}

TEST(ExplosionEmitter, ZeroOrNegativeCountOnlySetsMaxobj) {
    for (const int NUMP : {0, -4}) {
        auto array = zeroed<small_array>();
        small_array& a = *array;
        for (auto& emitter : a) mark(emitter);
        const auto marked = fields(a[1]);
        const std::mt19937 before = corvel::random_generator();
        INITBASEEXPLOSION(a, NUMP, 0.25f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f);
        EXPECT_EQ(corvel::random_generator(), before);
        EXPECT_EQ(a[0].MAXOBJ, NUMP);
        EXPECT_EQ(a[0].SIZE, a[1].SIZE);
        for (int i = 1; i < small_array::COUNT; ++i) EXPECT_EQ(fields(a[i]), marked);
        // Nothing in use: the reset touches no emitter either.
        RESTBASEEXPLOSION(a);
        for (int i = 1; i < small_array::COUNT; ++i) EXPECT_EQ(fields(a[i]), marked);
    }
}

TEST(ExplosionEmitter, InitFillsAWholeArrayWhenTheCountIsItsLength) {
    auto array = zeroed<small_array>();
    INITBASEEXPLOSION(*array, small_array::COUNT, 0.5f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f);
    for (const auto& e : *array) EXPECT_EQ(e.LIFESPAN, 0.5f);
}

TEST(ExplosionEmitter, RestartZeroesPositionAndFrameCountOfEmittersInUse) {
    auto array = zeroed<small_array>();
    small_array& a = *array;
    for (auto& emitter : a) mark(emitter);
    INITBASEEXPLOSION(a, 5, 0.25f, 3.0f, 1.0f, 1.0f, 1.0f, 2.0f);
    for (int i = 0; i < 5; ++i) a[i].SPEED = {4.0f, 4.0f, 4.0f};
    const auto beyond = fields(a[5]);
    const TGLFX_PARTICLE kept = a[2];

    const std::mt19937 before = corvel::random_generator();
    RESTBASEEXPLOSION(a);
    EXPECT_EQ(corvel::random_generator(), before);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(a[i].POS.X, 0.0f);
        EXPECT_EQ(a[i].POS.Y, 0.0f);
        EXPECT_EQ(a[i].POS.Z, 0.0f);
        EXPECT_EQ(a[i].SPEED.X, 0.0f);
        EXPECT_EQ(a[i].SPEED.Y, 0.0f);
        EXPECT_EQ(a[i].SPEED.Z, 0.0f);
        EXPECT_EQ(a[i].SIZE, 1.0f);
    }
    EXPECT_EQ(a[0].MAXOBJ, 5);
    EXPECT_EQ(a[2].ANG, kept.ANG);
    EXPECT_EQ(a[2].LIFESPAN, kept.LIFESPAN);
    EXPECT_EQ(a[2].FADE, kept.FADE);
    for (int i = 5; i < small_array::COUNT; ++i) EXPECT_EQ(fields(a[i]), beyond);
}

// A count beyond the array would index outside it: each operation stops the program, with a message,
// before it touches anything (the frame step before it even sets up OpenGL, so no context is needed).
TEST(ExplosionEmitterDeathTest, CountBeyondTheArrayEndsTheProgram) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    auto array = zeroed<small_array>();
    small_array& a = *array;
    EXPECT_DEATH(INITBASEEXPLOSION(a, small_array::COUNT + 1, 0.1f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f),
                 "emitter count index 9 outside 0..8");
    a[0].MAXOBJ = 1000;
    EXPECT_DEATH(GENBASEEXPLOSION(a, EXPLO_LIGHT, 1, 1, 0.0f), "emitter count index 1000 outside 0..8");
    EXPECT_DEATH(RESTBASEEXPLOSION(a), "emitter count index 1000 outside 0..8");
}

TEST(ExplosionEmitterDeathTest, EmitterIndexIsCheckedAgainstTheLength) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    auto array = zeroed<small_array>();
    const emitter_array view(*array);
    EXPECT_EQ(view.length(), small_array::COUNT);
    EXPECT_EQ(&view[7], &(*array)[7]);
    EXPECT_DEATH(view[8], "emitter index 8 outside 0..7");
    EXPECT_DEATH(view[-1], "emitter index -1 outside 0..7");
}
