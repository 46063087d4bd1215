// The shared generator (MT19937 from seed 0) and RANDOMF: ranges, formulas and how many values each call draws.
#include "corvel/random.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "corvel/math.h"

using namespace corvel;

namespace {

// True when the generator now stands exactly `draws` values after `before`.
bool drew(std::mt19937 before, unsigned long long draws) {
    before.discard(draws);
    return before == random_generator();
}

}  // namespace

TEST(Random, GeneratorIsTheReferenceSequenceFromSeedZero) {
    // Other tests in this process may already have drawn; the state must lie on the seed-0 sequence.
    std::mt19937 reference(0);
    int steps = 0;
    while (!(reference == random_generator()) && steps < 1000000) {
        reference();
        ++steps;
    }
    ASSERT_TRUE(reference == random_generator()) << "not reachable from seed 0";
    EXPECT_EQ(std::mt19937(0)(), 2357136044u);
}

TEST(Random, FractionIsTheNextOutputTimesTwoToTheMinus32) {
    std::mt19937 copy = random_generator();
    const double expected = static_cast<double>(copy()) / 4294967296.0;
    const std::mt19937 before = random_generator();
    EXPECT_EQ(random_fraction(), expected);
    EXPECT_TRUE(drew(before, 1));
}

TEST(Random, BelowTakesTheUpperHalfOfTheProduct) {
    std::mt19937 copy = random_generator();
    const uint64_t output = copy();
    const std::mt19937 before = random_generator();
    EXPECT_EQ(random_below(1000), static_cast<uint32_t>((output * 1000) >> 32));
    EXPECT_TRUE(drew(before, 1));
    for (int i = 0; i < 1000; ++i) {
        EXPECT_EQ(random_below(1), 0u);
        EXPECT_LT(random_below(7), 7u);
    }
}

TEST(Random, RandomfDrawsOneValueAndDividesByNineTenths) {
    std::mt19937 copy = random_generator();
    const double u = static_cast<double>(copy()) / 4294967296.0;
    const std::mt19937 before = random_generator();
    EXPECT_EQ(RANDOMF(2.5f), static_cast<float>(u / 0.9 * 2.5));
    EXPECT_TRUE(drew(before, 1));
}

TEST(Random, RandomfRangesFromZeroToAboutOnePointOneOneTimesTheRange) {
    const std::mt19937 before = random_generator();
    float highest = 0;
    for (int i = 0; i < 10000; ++i) {
        const float r = RANDOMF(1);
        ASSERT_GE(r, 0.0f);
        ASSERT_LT(r, static_cast<float>(1 / 0.9) + 1e-6f);
        highest = std::fmax(highest, r);
    }
    EXPECT_GT(highest, 1.0f) << "the divisor is 0.9, so some draws exceed the range";
    EXPECT_TRUE(drew(before, 10000));
    for (int i = 0; i < 1000; ++i) {
        const float r = RANDOMF(-3);
        ASSERT_LE(r, 0.0f);
        ASSERT_GE(r, static_cast<float>(-3 / 0.9) - 1e-5f);
    }
}

TEST(Random, RandomfOfZeroIsZeroButStillDraws) {
    const std::mt19937 before = random_generator();
    EXPECT_EQ(RANDOMF(0), 0.0f);
    EXPECT_TRUE(drew(before, 1));
}
