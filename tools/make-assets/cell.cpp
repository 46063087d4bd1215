// Cell layout, border fade, and the puff shape that the fire, vapour and smoke sheets share.
#include "cell.h"

#include <cmath>

namespace assets {
namespace {

// Starts well inside the cell so the fade itself is soft.
constexpr float kFadeStart = 0.72f;

}  // namespace

Image render_sheet(int across, int down, int cell_size, const CellShader& shade) {
    Image sheet(across * cell_size, down * cell_size);
    const float half = 0.5f * static_cast<float>(cell_size);
    const float reach = half - 0.5f;  // centre to a border pixel's centre
    for (int cy = 0; cy < down; ++cy) {
        for (int cx = 0; cx < across; ++cx) {
            for (int py = 0; py < cell_size; ++py) {
                for (int px = 0; px < cell_size; ++px) {
                    CellPoint p;
                    p.x = (static_cast<float>(px) + 0.5f - half) / reach;
                    p.y = (half - static_cast<float>(py) - 0.5f) / reach;
                    p.r = std::hypot(p.x, p.y);
                    p.index = cy * across + cx;
                    Rgba c{};
                    if (p.r < 1.0f) c = shade(p) * (1.0f - smoothstep(kFadeStart, 1.0f, p.r));
                    sheet.at(cx * cell_size + px, cy * cell_size + py) = c;
                }
            }
        }
    }
    return sheet;
}

float puff_density(const CellPoint& p, const Noise& noise, const PuffShape& shape) {
    const float x = p.x * shape.scale, y = p.y * shape.scale;
    const float wx = noise.fbm(x + 17.3f, y - 4.1f, 3);
    const float wy = noise.fbm(x - 9.7f, y + 31.9f, 3);
    const float n = noise.fbm(x + shape.warp * wx, y + shape.warp * wy, shape.octaves);
    const float edge = shape.radius + shape.fray * n;
    const float body = 1.0f - smoothstep(edge - shape.softness, edge, p.r);
    return body * clamp01(0.65f + shape.contrast * n);
}

}  // namespace assets
