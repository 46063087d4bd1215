// Fireballs for additive blending weighted by alpha: white-yellow core, orange body, dark red rim.
#include <cmath>

#include "assets.h"
#include "cell.h"

namespace assets {
namespace {

constexpr uint32_t kSeed = 0xF12Eu;

// Colour by heat, 0 (cold rim) to 1 (core).
Rgba heat_colour(float heat) {
    static const Rgba ramp[] = {
        {0.25f, 0.03f, 0.01f, 0}, {0.70f, 0.10f, 0.02f, 0}, {1.00f, 0.38f, 0.05f, 0},
        {1.00f, 0.70f, 0.18f, 0}, {1.00f, 0.92f, 0.55f, 0}, {1.00f, 1.00f, 0.88f, 0},
    };
    constexpr int last = sizeof(ramp) / sizeof(ramp[0]) - 1;
    const float t = clamp01(heat) * last;
    const int k = std::min(static_cast<int>(t), last - 1);
    return mix(ramp[k], ramp[k + 1], t - static_cast<float>(k));
}

}  // namespace

Image make_fire() {
    return render_sheet(8, 1, 64, [](const CellPoint& p) {
        const Noise noise(cell_seed(kSeed, p.index));
        const PuffShape shape{0.9f, 0.45f, 2.6f, 1.2f, 0.25f, 5};
        const float density = puff_density(p, noise, shape);
        const float flicker = noise.turbulence(p.x * 5.0f + 3.0f, p.y * 5.0f, 3);
        const float heat = density * (1.15f - 0.9f * p.r * p.r) - 0.25f * flicker;
        Rgba c = heat_colour(heat);
        // Light fades faster than coverage, so the alpha-test cut at the rim falls where it is already dim.
        const float glow = density * density;
        c = c * glow;
        c.a = smoothstep(0.0f, 0.55f, density);
        return c;
    });
}

}  // namespace assets
