// Vapour wisps for screen-like blending: faint, pale, streaked; many overlap, so each stays dim.
#include <cmath>

#include "assets.h"
#include "cell.h"

namespace assets {
namespace {

constexpr uint32_t kSeed = 0x7A90u;
constexpr Rgba kPale{0.80f, 0.86f, 0.95f, 0};
constexpr float kPeak = 0.30f;

}  // namespace

Image make_vapour() {
    return render_sheet(8, 4, 64, [](const CellPoint& p) {
        const Noise noise(cell_seed(kSeed, p.index));
        const PuffShape shape{0.88f, 0.7f, 1.4f, 1.6f, 0.3f, 0.6f, 4};
        const float body = puff_density(p, noise, shape);
        // Ridges of the noise read as thin streaks of vapour.
        const float ridge = 1.0f - std::fabs(noise.fbm(p.x * 1.4f + 40.0f, p.y * 1.4f, 3));
        const float wisp = body * (0.45f + 0.55f * ridge * ridge);
        Rgba c = kPale * (kPeak * wisp);
        c.a = smoothstep(0.0f, 0.5f, wisp);
        return c;
    });
}

}  // namespace assets
