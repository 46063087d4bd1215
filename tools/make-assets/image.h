// RGBA float picture the generators paint into, rows from the top; the writers turn it into file bytes.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace assets {

struct Rgba {
    float r = 0, g = 0, b = 0, a = 0;
};

inline Rgba operator*(Rgba c, float k) {
    return {c.r * k, c.g * k, c.b * k, c.a * k};
}
inline Rgba operator+(Rgba p, Rgba q) {
    return {p.r + q.r, p.g + q.g, p.b + q.b, p.a + q.a};
}

inline float clamp01(float v) {
    return std::min(1.0f, std::max(0.0f, v));
}

inline float smoothstep(float edge0, float edge1, float v) {
    const float t = clamp01((v - edge0) / (edge1 - edge0));
    return t * t * (3.0f - 2.0f * t);
}

inline float mix(float p, float q, float t) {
    return p + (q - p) * t;
}
inline Rgba mix(Rgba p, Rgba q, float t) {
    return p + (q + p * -1.0f) * t;
}

// A channel in [0, 1] as the byte a file stores.
inline uint8_t to_byte(float v) {
    return static_cast<uint8_t>(std::lround(clamp01(v) * 255.0f));
}

struct Image {
    int width = 0;
    int height = 0;
    std::vector<Rgba> pixels;

    Image(int w, int h) : width(w), height(h), pixels(static_cast<size_t>(w) * h) {}
    Rgba& at(int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; }
    const Rgba& at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

}  // namespace assets
