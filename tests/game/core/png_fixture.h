#pragma once
// PNG images written by libpng for the tests and the fuzzer's seeds.

#include <cstdint>
#include <vector>

// The colour of pixel (x, y) as R, G, B, A; every colour type takes what it
// holds of it (grey the red byte, palette the index red mod 4).
inline uint32_t fixturePixel(uint32_t x, uint32_t y) {
    return (x * 11 & 0xFF) << 24 | (y * 7 & 0xFF) << 16 | ((x + y) & 0xFF) << 8 | ((x * y + 64) & 0xFF);
}

// colourType as libpng's PNG_COLOR_TYPE_*; bitDepth 8 or 16.
std::vector<uint8_t> makePng(uint32_t width, uint32_t height, int colourType, int bitDepth = 8,
                             bool interlaced = false);
