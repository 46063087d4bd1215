// Gradient noise on an integer lattice: hashed unit gradients, quintic interpolation.
#include "noise.h"

#include <cmath>

namespace assets {
namespace {

constexpr float kTwoPi = 6.28318530718f;

int wrap(int v, int period) {
    if (period <= 0) return v;
    const int m = v % period;
    return m < 0 ? m + period : m;
}

float fade(float t) {
    return t * t * t * (t * (t * 6.0f - 15.0f) + 10.0f);
}

float corner(uint32_t seed, int period, int ix, int iy, float dx, float dy) {
    const float angle = hash01(seed, wrap(ix, period), wrap(iy, period)) * kTwoPi;
    return std::cos(angle) * dx + std::sin(angle) * dy;
}

// The octaves share one loop; `shape` turns each raw octave into its contribution.
template <typename Shape>
float octave_sum(uint32_t seed, int period, float x, float y, int octaves, Shape shape,
                 float (*sample)(uint32_t, int, float, float)) {
    float sum = 0.0f, amplitude = 1.0f, norm = 0.0f, frequency = 1.0f;
    for (int k = 0; k < octaves; ++k) {
        sum += amplitude *
               shape(sample(seed + 0x9E3779B9u * static_cast<uint32_t>(k), period << k, x * frequency, y * frequency));
        norm += amplitude;
        amplitude *= 0.5f;
        frequency *= 2.0f;
    }
    return sum / norm;
}

}  // namespace

uint32_t hash32(uint32_t seed, int32_t x, int32_t y) {
    uint32_t h = seed * 0x27D4EB2Fu ^ static_cast<uint32_t>(x) * 0x85EBCA6Bu ^ static_cast<uint32_t>(y) * 0xC2B2AE35u;
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return h;
}

float hash01(uint32_t seed, int32_t x, int32_t y) {
    return static_cast<float>(hash32(seed, x, y) >> 8) * (1.0f / 16777216.0f);
}

float Noise::gradient_at(uint32_t seed, int period, float x, float y) {
    const float fx = std::floor(x), fy = std::floor(y);
    const int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
    const float dx = x - fx, dy = y - fy;
    const float u = fade(dx), v = fade(dy);
    const float n00 = corner(seed, period, ix, iy, dx, dy);
    const float n10 = corner(seed, period, ix + 1, iy, dx - 1.0f, dy);
    const float n01 = corner(seed, period, ix, iy + 1, dx, dy - 1.0f);
    const float n11 = corner(seed, period, ix + 1, iy + 1, dx - 1.0f, dy - 1.0f);
    const float bottom = n00 + (n10 - n00) * u;
    const float top = n01 + (n11 - n01) * u;
    // Unit gradients reach at most about 0.7; scale towards [-1, 1].
    return (bottom + (top - bottom) * v) * 1.4142f;
}

float Noise::fbm(float x, float y, int octaves) const {
    return octave_sum(
        seed_, period_, x, y, octaves, [](float n) { return n; }, &Noise::gradient_at);
}

float Noise::turbulence(float x, float y, int octaves) const {
    return octave_sum(
        seed_, period_, x, y, octaves, [](float n) { return std::fabs(n); }, &Noise::gradient_at);
}

}  // namespace assets
