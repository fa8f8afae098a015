#pragma once
// Motion colours: 32-bit words, red in the high byte down to alpha in the
// low byte. In a colour channel 0x80 is full strength, in alpha 0xff, so
// 0x808080ff is the neutral colour. These are the colour tween, the vertex
// colours of a subdivided quad, and the products that combine a layer's
// colour with what it inherits.
//
// Threads: pure functions; a `MMotionColorCache` belongs to its caller.

#include <cstdint>
#include <vector>

#include "engine/motion/easing_curve.h"

constexpr uint32_t kMotionNeutralColor = 0x808080ffu;

// Each channel (a (256 - w) + b w) >> 8 with w = 256 e truncated (held to 0
// to 256, so an easing that overshoots can't carry one channel into the
// next); a when a == b.
uint32_t lerpColor(uint32_t a, uint32_t b, float t, MMotionEasingRef* easing);

// lerpColor in two halves, so one eased fraction's weight serves several
// colours: w = 256 e truncated and held to 0 to 256, then the blend.
inline uint32_t colorWeight(float e) {
    const float scaled = e * 256.0f;
    if (scaled >= 256.0f) return 256;
    return scaled > 0.0f ? uint32_t(scaled) : 0;
}

// Two channels at a time: the even bytes, then the odd bytes shifted down.
inline uint32_t blendColor(uint32_t a, uint32_t b, uint32_t w) {
    constexpr uint32_t kMask = 0x00ff00ffu;
    const uint32_t even = (a & kMask) * (256 - w) + (b & kMask) * w;
    const uint32_t odd = ((a >> 8) & kMask) * (256 - w) + ((b >> 8) & kMask) * w;
    return ((even >> 8) & kMask) | (odd & 0xff00ff00u);
}

// Fills entries 1 to n - 2 (stride apart) between entry 0 and entry n - 1,
// entry i at w = 256 i / (n - 1) by the rule of lerpColor.
void fillColorGradient(uint32_t* colors, uint32_t n, uint32_t stride);

// The (rows + 1) x (columns + 1) vertex colours of a grid, row by row, from
// its four corner colours: the first and last columns are graded first, then
// every row between its ends.
void fillColorGrid(uint32_t topLeft, uint32_t topRight, uint32_t bottomLeft, uint32_t bottomRight, uint32_t columns,
                   uint32_t rows, std::vector<uint32_t>& out);

// The colour with its alpha byte times alpha / 255.
uint32_t scaleAlpha(uint32_t color, uint8_t alpha);

// The last product multiplyColor worked out, kept by its caller.
struct MMotionColorCache {
    uint32_t a = 0;
    uint32_t b = 0;
    uint32_t result = 0;
};

// Colour channels (ca cb) >> 7, at most 255; alpha (aa ab) / 255. A neutral
// operand gives the other one.
uint32_t multiplyColor(uint32_t a, uint32_t b, MMotionColorCache& cache);
