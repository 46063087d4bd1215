// The process-wide random generator: one MT19937, seeded 0 at first use and never again.
#pragma once

#include <cstdint>
#include <random>

namespace corvel {

// The generator itself; tests copy it to count the values a call draws, never reseed it.
std::mt19937& random_generator();
// Next output times 2^-32, in [0, 1).
double random_fraction();
// Upper 32 bits of next output times n, in [0, n).
uint32_t random_below(uint32_t n);

}  // namespace corvel
