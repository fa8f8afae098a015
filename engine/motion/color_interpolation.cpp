#include "engine/motion/color_interpolation.h"

#include <algorithm>

namespace {

uint32_t channel(uint32_t color, int shift) { return (color >> shift) & 0xffu; }

}  // namespace

uint32_t lerpColor(uint32_t a, uint32_t b, float t, MMotionEasingRef* easing) {
    if (a == b) return a;
    return blendColor(a, b, colorWeight(easeFraction(t, easing)));
}

void fillColorGradient(uint32_t* colors, uint32_t n, uint32_t stride) {
    if (n <= 2) return;
    const uint32_t first = colors[0];
    const uint32_t last = colors[size_t(n - 1) * stride];
    for (uint32_t i = 1; i + 1 < n; ++i) {
        const auto w = uint32_t(uint64_t(256) * i / (n - 1));
        colors[size_t(i) * stride] = first == last ? first : blendColor(first, last, w);
    }
}

void fillColorGrid(uint32_t topLeft, uint32_t topRight, uint32_t bottomLeft, uint32_t bottomRight, uint32_t columns,
                   uint32_t rows, std::vector<uint32_t>& out) {
    const size_t width = size_t(columns) + 1;
    out.resize(width * (size_t(rows) + 1));
    if (topLeft == topRight && topLeft == bottomLeft && topLeft == bottomRight) {
        std::fill(out.begin(), out.end(), topLeft);
        return;
    }
    out.front() = topLeft;
    out[columns] = topRight;
    out[width * rows] = bottomLeft;
    out.back() = bottomRight;
    fillColorGradient(out.data(), rows + 1, uint32_t(width));
    fillColorGradient(out.data() + columns, rows + 1, uint32_t(width));
    if (width < 3) return;
    for (size_t r = 0; r <= rows; ++r) fillColorGradient(out.data() + r * width, uint32_t(width), 1);
}

uint32_t scaleAlpha(uint32_t color, uint8_t alpha) {
    if (alpha == 255) return color;
    return (color & 0xffffff00u) | ((color & 0xffu) * alpha / 255);
}

uint32_t multiplyColor(uint32_t a, uint32_t b, MMotionColorCache& cache) {
    if (b == kMotionNeutralColor) return a;
    if (a == kMotionNeutralColor) return b;
    if ((a == cache.a && b == cache.b) || (a == cache.b && b == cache.a)) return cache.result;
    uint32_t result = channel(a, 0) * channel(b, 0) / 255;
    for (int shift = 8; shift < 32; shift += 8)
        result |= std::min((channel(a, shift) * channel(b, shift)) >> 7, 255u) << shift;
    cache = {a, b, result};
    return result;
}
