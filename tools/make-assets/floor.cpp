// A worn stone-tile floor: 4 x 4 slabs with uneven grout, per-slab tone, veins, chips and wear.
// Everything that crosses a slab's edge comes from noise periodic over the picture, so it tiles.
#include <cmath>

#include "assets.h"
#include "noise.h"

namespace assets {
namespace {

constexpr int kSize = 256;
constexpr int kTiles = 4;
constexpr int kTileSize = kSize / kTiles;
constexpr uint32_t kSeed = 0xF1002u;
constexpr Rgba kStone{0.60f, 0.56f, 0.50f, 1};
constexpr Rgba kCoolStone{0.52f, 0.53f, 0.54f, 1};
constexpr Rgba kGrout{0.17f, 0.16f, 0.15f, 1};
constexpr Rgba kStain{0.36f, 0.31f, 0.25f, 1};

int wrap(int v) { return ((v % kTiles) + kTiles) % kTiles; }

// Distance, in pixels, from a slab's nearest edge: the grout line lies on multiples of kTileSize.
float edge_distance(float x, float y) {
    const auto along = [](float v) {
        const float f = std::fmod(v, static_cast<float>(kTileSize));
        const float g = f < 0 ? f + kTileSize : f;
        return std::min(g, kTileSize - g);
    };
    return std::min(along(x), along(y));
}

struct Floor {
    Noise edge_warp{kSeed, 8};
    Noise wear{kSeed + 1, 4};
    Noise grain{kSeed + 2, 64};
    Noise grout_noise{kSeed + 3, 32};

    Rgba stone(float x, float y, int tx, int ty) const {
        const uint32_t slab = hash32(kSeed, wrap(tx), wrap(ty));
        const Noise own(slab);
        // Slab-local coordinates: this noise never crosses an edge, so it needs no period.
        const float u = x / kTileSize, v = y / kTileSize;
        const float tone = 0.9f + 0.2f * hash01(slab, 1, 0);
        Rgba c = mix(kStone, kCoolStone, hash01(slab, 2, 0)) * tone;
        c = c * (1.0f + 0.10f * own.fbm(u * 3.0f, v * 3.0f, 5));
        const float vein = 1.0f - std::fabs(own.fbm(u * 1.7f + 11.0f, v * 1.7f, 5));
        c = c * (1.0f - 0.22f * std::pow(vein, 12.0f));
        const float pits = grain.fbm(x * 64.0f / kSize, y * 64.0f / kSize, 2);
        c = c * (1.0f + 0.07f * pits);
        return c;
    }

    Rgba shade(int px, int py) const {
        const float x = px + 0.5f, y = py + 0.5f;
        const float s = 8.0f / kSize;
        const float wx = x + 2.2f * edge_warp.fbm(x * s, y * s, 3);
        const float wy = y + 2.2f * edge_warp.fbm(x * s + 3.7f, y * s + 1.3f, 3);
        const int tx = static_cast<int>(std::floor(wx / kTileSize));
        const int ty = static_cast<int>(std::floor(wy / kTileSize));
        const float d = edge_distance(wx, wy);
        // Worn, chipped edges: the grout eats into the slab where the wear noise is high.
        const float w = 0.5f + 0.5f * wear.fbm(x * 4.0f / kSize, y * 4.0f / kSize, 5);
        const float chip = 1.6f + 2.5f * smoothstep(0.55f, 0.85f, w) * grout_noise.turbulence(x * s * 4, y * s * 4, 3);
        Rgba c = stone(wx - tx * kTileSize, wy - ty * kTileSize, tx, ty);
        c = c * (0.78f + 0.22f * smoothstep(chip, chip + 4.0f, d));  // edges rounded by wear
        c = mix(c, kStain, 0.45f * smoothstep(0.6f, 0.95f, 1.0f - w));
        const Rgba grout = kGrout * (0.85f + 0.3f * grout_noise.fbm(x * s * 4, y * s * 4, 3));
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
