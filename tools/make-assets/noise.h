// Our own seeded gradient noise and its fractal sums; optionally periodic so a picture can tile.
#pragma once

#include <cstdint>

namespace assets {

// A well-mixed 32-bit hash of a seed and a lattice point.
uint32_t hash32(uint32_t seed, int32_t x, int32_t y);
// The same hash as a fraction in [0, 1).
float hash01(uint32_t seed, int32_t x, int32_t y);

class Noise {
public:
    // period > 0 makes the base octave repeat every period lattice cells (and each finer octave
    // accordingly), so a picture sampled over exactly one period tiles without a seam.
    explicit Noise(uint32_t seed, int period = 0) : seed_(seed), period_(period) {}

    // Gradient noise, roughly in [-1, 1], zero at every lattice point.
    float gradient(float x, float y) const { return gradient_at(seed_, period_, x, y); }
    // Sum of octaves, each twice the frequency and half the amplitude of the last, scaled into about [-1, 1].
    float fbm(float x, float y, int octaves) const;
    // Sum of absolute octaves: billowy, in about [0, 1].
    float turbulence(float x, float y, int octaves) const;

private:
    static float gradient_at(uint32_t seed, int period, float x, float y);

    uint32_t seed_;
    int period_;
};

}  // namespace assets
