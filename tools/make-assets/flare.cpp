// The flash: a white-hot core inside a yellow-orange halo, with soft rays of uneven length.
#include <cmath>

#include "assets.h"
#include "cell.h"

namespace assets {
namespace {

constexpr uint32_t kSeed = 0xF1A4Eu;
constexpr float kTwoPi = 6.28318530718f;
constexpr int kRayPeriod = 9;  // lattice cells once round the circle: the rays' count, roughly
constexpr Rgba kWhite{1.0f, 1.0f, 1.0f, 0};
constexpr Rgba kYellow{1.0f, 0.82f, 0.40f, 0};
constexpr Rgba kOrange{1.0f, 0.45f, 0.10f, 0};

}  // namespace

Image make_flare() {
    return render_sheet(1, 1, 128, [](const CellPoint& p) {
        // Periodic in the angle, so the rays close up without a seam.
        const Noise rays_noise(kSeed, kRayPeriod);
        const float turn = (std::atan2(p.y, p.x) / kTwoPi + 0.5f) * kRayPeriod;
        const float ray = clamp01(0.5f + 0.9f * rays_noise.fbm(turn, 0.37f + 2.0f * p.r, 3));
        const float core = std::exp(-(p.r * p.r) / 0.05f);
        const float halo = 0.5f * std::exp(-p.r / 0.15f) + 0.8f * std::exp(-(p.r * p.r) / 0.22f);
        const float rays = ray * ray * std::exp(-p.r / 0.45f);
        const Rgba tint = mix(kYellow, kOrange, smoothstep(0.1f, 0.8f, p.r));
        Rgba c = kWhite * core + tint * halo + mix(kYellow, tint, 0.5f) * (0.6f * rays);
        c.a = clamp01(std::max(c.r, std::max(c.g, c.b)));
        return c;
    });
}

}  // namespace assets
