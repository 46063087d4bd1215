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
        {0.45f, 0.04f, 0.01f, 0}, {0.85f, 0.15f, 0.02f, 0}, {1.00f, 0.40f, 0.05f, 0},
        {1.00f, 0.65f, 0.15f, 0}, {1.00f, 0.88f, 0.45f, 0}, {1.00f, 1.00f, 0.85f, 0},
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
        const PuffShape shape{0.9f, 0.45f, 2.6f, 1.2f, 0.25f, 0.6f, 5};
        const float density = puff_density(p, noise, shape);
        const float flicker = noise.turbulence(p.x * 5.0f + 3.0f, p.y * 5.0f, 3);
        const float heat = clamp01(density * (1.4f - 1.2f * p.r) - 0.25f * flicker + 0.1f);
        Rgba c = heat_colour(heat);
        // The blending weighs colour by alpha: the cool rim is faint as well as red, so the alpha-test
        // cut just inside the outline falls where little light is left.
        c.a = smoothstep(0.0f, 0.5f, density) * (0.35f + 0.65f * heat);
        return c;
    });
}

}  // namespace assets
