// Smoke puffs for ordinary transparency: soft grey-brown billows, lighter where they face the light.
#include <cmath>

#include "assets.h"
#include "cell.h"

namespace assets {
namespace {

constexpr uint32_t kSeed = 0x5307Eu;
constexpr Rgba kShadow{0.27f, 0.24f, 0.20f, 0};
constexpr Rgba kLit{0.58f, 0.53f, 0.46f, 0};
constexpr PuffShape kBillows{0.92f, 0.7f, 1.3f, 0.6f, 0.2f, 0.35f, 4};
constexpr PuffShape kBroad{0.92f, 0.7f, 1.3f, 0.6f, 0.2f, 0.35f, 2};  // the billows' large forms only

}  // namespace

Image make_smoke() {
    return render_sheet(4, 4, 64, [](const CellPoint& p) {
        const Noise noise(cell_seed(kSeed, p.index));
        const float density = puff_density(p, noise, kBillows);
        // Broad billows facing up-left are lit: compare with the density a little way towards the light.
        const CellPoint towards{p.x - 0.08f, p.y + 0.08f, std::hypot(p.x - 0.08f, p.y + 0.08f), p.index};
        const float relief = puff_density(towards, noise, kBroad) - puff_density(p, noise, kBroad);
        Rgba c = mix(kShadow, kLit, clamp01(0.5f - 1.8f * relief + 0.3f * (density - 0.5f)));
        c.a = 0.75f * smoothstep(0.0f, 1.0f, density);
        return c;
    });
}

}  // namespace assets
