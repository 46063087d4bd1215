// Smoke puffs for ordinary transparency: grey-brown billows, lighter where they face the light.
#include "assets.h"
#include "cell.h"

namespace assets {
namespace {

constexpr uint32_t kSeed = 0x5307Eu;
constexpr Rgba kShadow{0.20f, 0.18f, 0.15f, 0};
constexpr Rgba kLit{0.62f, 0.57f, 0.50f, 0};

}  // namespace

Image make_smoke() {
    return render_sheet(4, 4, 64, [](const CellPoint& p) {
        const Noise noise(cell_seed(kSeed, p.index));
        const PuffShape shape{0.92f, 0.5f, 2.2f, 0.9f, 0.3f, 6};
        const float density = puff_density(p, noise, shape);
        // Billows facing up-left are lit: compare with the density a little way towards the light.
        const CellPoint towards{p.x - 0.05f, p.y + 0.05f, p.r, p.index};
        const float relief = puff_density(towards, noise, shape) - density;
        Rgba c = mix(kShadow, kLit, clamp01(0.45f - 4.0f * relief + 0.2f * density));
        c.a = 0.85f * smoothstep(0.0f, 0.8f, density);
        return c;
    });
}

}  // namespace assets
