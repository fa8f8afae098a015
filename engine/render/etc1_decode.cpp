#include "engine/render/etc1_decode.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

constexpr int kModifiers[8][2] = {{2, 8}, {5, 17}, {9, 29}, {13, 42}, {18, 60}, {24, 80}, {33, 106}, {47, 183}};

struct Rgb {
    int r, g, b;
};

int expand4(int v) { return v << 4 | v; }
int expand5(int v) { return v << 3 | v >> 2; }

// The 3-bit two's-complement delta of differential mode.
int delta3(int v) { return (v & 4) ? (v & 7) - 8 : (v & 7); }

// The two base colours of a block: individual (two 4-bit colours) or
// differential (a 5-bit colour and a delta from it).
void baseColours(const uint8_t* block, Rgb& first, Rgb& second) {
    const bool differential = block[3] & 2;
    int a[3], b[3];
    for (int c = 0; c < 3; ++c) {
        if (differential) {
            const int base = block[c] >> 3;
            a[c] = expand5(base);
            b[c] = expand5(std::clamp(base + delta3(block[c]), 0, 31));
        } else {
            a[c] = expand4(block[c] >> 4);
            b[c] = expand4(block[c] & 0xF);
        }
    }
    first = {a[0], a[1], a[2]};
    second = {b[0], b[1], b[2]};
}

uint32_t shade(const Rgb& base, int modifier) {
    const auto channel = [&](int v) { return uint32_t(std::clamp(v + modifier, 0, 255)); };
    return 0xFF000000u | channel(base.r) << 16 | channel(base.g) << 8 | channel(base.b);
}

// One block into out at the given row stride.
void decodeBlock(const uint8_t* block, uint32_t* out, int stride) {
    Rgb colours[2];
    baseColours(block, colours[0], colours[1]);
    const int tables[2] = {block[3] >> 5, (block[3] >> 2) & 7};
    const bool flip = block[3] & 1;
    const uint32_t msb = uint32_t(block[4]) << 8 | block[5];
    const uint32_t lsb = uint32_t(block[6]) << 8 | block[7];
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            const int half = flip ? (y >= 2) : (x >= 2);
            const int bit = x * 4 + y;  // indices run down the columns
            const int index = int((msb >> bit) & 1) << 1 | int((lsb >> bit) & 1);
            const int* row = kModifiers[tables[half]];
            const int modifier = (index & 1 ? row[1] : row[0]) * (index & 2 ? -1 : 1);
            out[y * stride + x] = shade(colours[half], modifier);
        }
    }
}

}  // namespace

int32_t decodeETC1(const uint8_t* data, int32_t width, int32_t height, uint32_t* output) {
    if (width <= 0 || height <= 0) return 0;
    const int blocksX = (width + 3) / 4, blocksY = (height + 3) / 4;
    const int paddedWidth = blocksX * 4;
    const bool whole = paddedWidth == width && blocksY * 4 == height;
    std::vector<uint32_t> aside;
    if (!whole) aside.resize(size_t(paddedWidth) * blocksY * 4);
    uint32_t* target = whole ? output : aside.data();
    for (int by = 0; by < blocksY; ++by) {
        for (int bx = 0; bx < blocksX; ++bx) {
            const uint8_t* block = data + (size_t(by) * blocksX + bx) * 8;
            decodeBlock(block, target + size_t(by) * 4 * paddedWidth + bx * 4, paddedWidth);
        }
    }
    if (!whole) {
        for (int y = 0; y < height; ++y)
            std::memcpy(output + size_t(y) * width, aside.data() + size_t(y) * paddedWidth, size_t(width) * 4);
    }
    return blocksX * blocksY * 8;
}
