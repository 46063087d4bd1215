// The process-wide random generator shared by RANDOMF and the explosion effect.
#include "corvel/random.h"

#include <cmath>

namespace corvel {

std::mt19937& random_generator() {
    // Seeded once, at first use, so every run draws the same sequence.
    static std::mt19937 generator(0);
    return generator;
}

double random_fraction() {
    return std::ldexp(static_cast<double>(random_generator()()), -32);
}

uint32_t random_below(uint32_t n) {
    return static_cast<uint32_t>((static_cast<uint64_t>(random_generator()()) * n) >> 32);
}

}  // namespace corvel
