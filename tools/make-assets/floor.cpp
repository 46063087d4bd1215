// A worn stone-tile floor: 4 x 4 slabs with uneven grout, per-slab tone, faint veins, pits, bevelled
// and chipped edges and broad stains. Everything that crosses a slab's edge comes from noise periodic
// over the picture, so the picture tiles without a seam.
#include <cmath>

#include "assets.h"
#include "noise.h"

namespace assets {
namespace {

constexpr int kSize = 256;
constexpr int kTiles = 4;
constexpr float kTile = static_cast<float>(kSize / kTiles);
constexpr uint32_t kSeed = 0xF1002u;
constexpr Rgba kWarmStone{0.56f, 0.51f, 0.44f, 1};
constexpr Rgba kCoolStone{0.47f, 0.47f, 0.46f, 1};
constexpr Rgba kGrout{0.15f, 0.14f, 0.13f, 1};
constexpr Rgba kStain{0.33f, 0.29f, 0.24f, 1};

int wrap(int v) {
    return ((v % kTiles) + kTiles) % kTiles;
}

struct Floor {
    Noise edge_warp{kSeed, 8};
    Noise wear{kSeed + 1, 4};
    Noise grain{kSeed + 2, 64};
    Noise grit{kSeed + 3, 32};

    // The slab's own face at slab-local pixel (u, v): its noise never crosses an edge, so it needs no period.
    Rgba face(float u, float v, int tx, int ty, float x, float y) const {
        const uint32_t slab = hash32(kSeed, wrap(tx), wrap(ty));
        const Noise own(slab);
        const float su = u / kTile, sv = v / kTile;
        Rgba c = mix(kWarmStone, kCoolStone, hash01(slab, 2, 0)) * (0.88f + 0.17f * hash01(slab, 1, 0));
        c = c * (1.0f + 0.12f * own.fbm(su * 2.5f, sv * 2.5f, 5));
        const float vein = 1.0f - std::fabs(own.fbm(su * 1.2f + 11.0f, sv * 1.2f, 5));
        c = c * (1.0f - 0.16f * hash01(slab, 3, 0) * std::pow(vein, 16.0f));
        const float speck = grain.fbm(x * 64.0f / kSize, y * 64.0f / kSize, 2);
        c = c * (1.0f + 0.06f * speck - 0.22f * smoothstep(0.45f, 0.75f, speck));
        return c;
    }

    Rgba shade(int px, int py) const {
        const float x = px + 0.5f, y = py + 0.5f;
        const float s = 8.0f / kSize;
        const float wx = x + 1.3f * edge_warp.fbm(x * s, y * s, 3);
        const float wy = y + 1.3f * edge_warp.fbm(x * s + 3.7f, y * s + 1.3f, 3);
        const int tx = static_cast<int>(std::floor(wx / kTile));
        const int ty = static_cast<int>(std::floor(wy / kTile));
        const float u = wx - tx * kTile, v = wy - ty * kTile;
        // Worn, chipped edges: the grout eats into the slab where the wear noise is high.
        const float w = 0.5f + 0.5f * wear.fbm(x * 4.0f / kSize, y * 4.0f / kSize, 5);
        const float chip = 1.5f + 2.5f * smoothstep(0.5f, 0.85f, w) * grit.turbulence(x * s * 4, y * s * 4, 3);
        const auto rim = [chip](float d) { return 1.0f - smoothstep(chip, chip + 5.0f, d); };
        // Rounded edges catch the light on the top and left of a slab and fall into shadow on the others.
        const float bevel = 0.10f * rim(v) + 0.06f * rim(u) - 0.16f * rim(kTile - v) - 0.10f * rim(kTile - u);
        Rgba c = face(u, v, tx, ty, x, y) * (1.0f + bevel);
        const float d = std::min(std::min(u, kTile - u), std::min(v, kTile - v));
        // Dirt gathers along the grout and in broad patches where feet wear the floor least.
        const float grime =
            0.35f * (1.0f - smoothstep(chip, chip + 9.0f, d)) + 0.6f * smoothstep(0.55f, 0.95f, 1.0f - w);
        c = mix(c, kStain, clamp01(grime));
        const Rgba grout = kGrout * (0.8f + 0.4f * grit.fbm(x * s * 4, y * s * 4, 3));
        c = mix(grout, c, smoothstep(chip - 0.8f, chip + 0.6f, d));
        c.a = 1;
        return c;
    }
};

}  // namespace

Image make_floor() {
    const Floor floor;
    Image image(kSize, kSize);
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) image.at(x, y) = floor.shade(x, y);
    return image;
}

}  // namespace assets
