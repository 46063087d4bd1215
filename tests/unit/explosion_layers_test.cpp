// Setting up and restarting the four layers of the explosion, without a display: emitter counts, steps,
// shells and sizes per layer, the order in which the layers take their random values, and the counter.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "corvel/random.h"
#include "explosion/cvl_explosion.h"
#include "tests/gl/explosion_support.h"

using namespace CVL_Explosion;
using explosion_test::advanced;
using explosion_test::fields;
using explosion_test::zeroed;

namespace {

using layer_array = corvel::TARRAY<TGLFX_PARTICLE, 0, 799>;

struct Layer {
    const char* name;
    layer_array TGLEXPLOSION::*array;
    int used;
    float life, radius, stretch, addvolume;
    int first_draw;  // index of the layer's first random draw after the ones of the layers set up before it
};

const Layer layers[] = {
    {"LAMPO", &TGLEXPLOSION::LAMPO, 1, 0.2f, 3.25f, 0.0f, 12.0f, 0},
    {"VAPORE", &TGLEXPLOSION::VAPORE, 650, 0.05f, 3.25f, 0.02f, 1.5f, 5},
    {"VAMPA", &TGLEXPLOSION::VAMPA, 450, 0.15f, 6.5f, 0.1f, 3.5f, 5 + 5 * 650},
    {"FUMO", &TGLEXPLOSION::FUMO, 450, 0.09f, 5.5f, 0.2f, 2.8f, 5 + 5 * 650 + 5 * 450},
};
constexpr int total_draws = 5 * (1 + 650 + 450 + 450);

// The ANG the emitter whose five draws start at `first` gets: 180 minus its fifth draw scaled to 0..359.
float angle_from(const std::mt19937& before, int first) {
    std::mt19937 g = advanced(before, first + 4);
    return static_cast<float>(180 - static_cast<int>((static_cast<unsigned long long>(g()) * 360) >> 32));
}

float shell_from(const std::mt19937& before, int first, float radius) {
    std::mt19937 g = advanced(before, first + 2);
    return static_cast<float>(g() * 0x1p-32 / 0.9 * radius);
}

void expect_layers_initialised(const TGLEXPLOSION& exp, const std::mt19937& before) {
    for (const Layer& layer : layers) {
        SCOPED_TRACE(layer.name);
        const layer_array& a = exp.*layer.array;
        EXPECT_EQ(a[0].MAXOBJ, layer.used);
        // Each layer's emitters take their draws after the layers before it, emitter by emitter.
        EXPECT_EQ(a[0].ANG, angle_from(before, layer.first_draw));
        EXPECT_EQ(a[layer.used - 1].ANG, angle_from(before, layer.first_draw + 5 * (layer.used - 1)));
        EXPECT_NEAR(a[0].FADE, shell_from(before, layer.first_draw, layer.radius), 1e-6);
        for (int i = 0; i < layer.used; ++i) {
            EXPECT_EQ(a[i].LIFESPAN, layer.life);
            EXPECT_LE(std::fabs(a[i].POS.X), layer.stretch * a[i].FADE * 1.0001f);
            EXPECT_LE(std::fabs(a[i].POS.Y), layer.stretch * a[i].FADE * 1.0001f);
            EXPECT_LE(std::fabs(a[i].POS.Z), layer.stretch * a[i].FADE * 1.0001f);
            EXPECT_LE(a[i].SIZE, layer.addvolume / 2 + 2.5f);
        }
        // Emitters beyond those in use stay zero.
        const auto zero = fields(*zeroed<TGLFX_PARTICLE>());
        for (int i = layer.used; i < layer_array::COUNT; i += 37) EXPECT_EQ(fields(a[i]), zero) << i;
        EXPECT_EQ(fields(a[layer_array::COUNT - 1]), zero);
    }
}

}  // namespace

TEST(ExplosionLayers, SetUpGivesEachLayerItsRowInOrderAndLeavesTheCounter) {
    auto exp = zeroed<TGLEXPLOSION>();
    exp->NNMFASE = 7;
    const std::mt19937 before = corvel::random_generator();
    INITGLOBEEXPLOSION(*exp);
    EXPECT_EQ(corvel::random_generator(), advanced(before, total_draws));
    EXPECT_EQ(exp->NNMFASE, 7);
    expect_layers_initialised(*exp, before);
    // The flash has no stretch: it sits at the centre.
    EXPECT_EQ(exp->LAMPO[0].POS.X, 0.0f);
    EXPECT_EQ(exp->LAMPO[0].POS.Y, 0.0f);
    EXPECT_EQ(exp->LAMPO[0].POS.Z, 0.0f);
}

TEST(ExplosionLayers, RestartZeroesCounterAndFrameCountsAndDrawsAnew) {
    auto exp = zeroed<TGLEXPLOSION>();
    INITGLOBEEXPLOSION(*exp);
    exp->NNMFASE = 80;
    for (const Layer& layer : layers) {
        for (int i = 0; i < layer.used; ++i) (exp.get()->*layer.array)[i].SPEED = {12.0f, 12.0f, 12.0f};
    }
    const float old_angle = exp->VAPORE[3].ANG;
    const float old_size = exp->VAPORE[3].SIZE;

    const std::mt19937 before = corvel::random_generator();
    RESETGLOBEEXPLOSION(*exp);
    EXPECT_EQ(corvel::random_generator(), advanced(before, total_draws));
    EXPECT_EQ(exp->NNMFASE, 0);
    expect_layers_initialised(*exp, before);
    for (const Layer& layer : layers) {
        for (int i = 0; i < layer.used; ++i) {
            const auto& speed = (exp.get()->*layer.array)[i].SPEED;
            EXPECT_EQ(speed.X + speed.Y + speed.Z, 0.0f) << layer.name << " " << i;
        }
    }
    EXPECT_FALSE(exp->VAPORE[3].ANG == old_angle && exp->VAPORE[3].SIZE == old_size);
}
