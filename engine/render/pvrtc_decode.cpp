#include "engine/render/pvrtc_decode.h"

#include <algorithm>
#include <vector>

namespace {

// A block colour before upscaling: 5-bit red, green and blue, 4-bit alpha.
struct Colour {
    int r, g, b, a;
};

int widen4to5(int v) { return v << 1 | v >> 3; }
int widen3to5(int v) { return v << 2 | v >> 1; }

// Colour A: bits 1 to 15 of the colour word, bit 15 the opaque flag.
Colour colourA(uint32_t w) {
    if (w & 0x8000u) return {int(w >> 10) & 31, int(w >> 5) & 31, widen4to5(int(w >> 1) & 15), 15};
    return {widen4to5(int(w >> 8) & 15), widen4to5(int(w >> 4) & 15), widen3to5(int(w >> 1) & 7),
            (int(w >> 12) & 7) << 1};
}

// Colour B: bits 16 to 31, bit 31 the opaque flag.
Colour colourB(uint32_t w) {
    if (w & 0x80000000u) return {int(w >> 26) & 31, int(w >> 21) & 31, int(w >> 16) & 31, 15};
    return {widen4to5(int(w >> 24) & 15), widen4to5(int(w >> 20) & 15), widen4to5(int(w >> 16) & 15),
            (int(w >> 28) & 7) << 1};
}

// The block's index in the data: the bits of x and y interleaved (x lowest)
// over the smaller dimension, the larger one's remaining bits above.
uint32_t mortonIndex(uint32_t blocksX, uint32_t blocksY, uint32_t x, uint32_t y) {
    const uint32_t smaller = std::min(blocksX, blocksY);
    uint32_t index = 0, bit = 1, shift = 0;
    for (; bit < smaller; bit <<= 1, ++shift) {
        if (x & bit) index |= 1u << (2 * shift);
        if (y & bit) index |= 1u << (2 * shift + 1);
    }
    const uint32_t rest = (blocksX > blocksY ? x : y) >> shift;
    return index | rest << (2 * shift);
}

int wrap(int v, int n) { return ((v % n) + n) % n; }

class PvrtcImage {
public:
    PvrtcImage(const uint8_t* data, bool twoBit, int blocksX, int blocksY)
        : twoBit_(twoBit),
          blockW_(twoBit ? 8 : 4),
          blocksX_(blocksX),
          blocksY_(blocksY),
          a_(size_t(blocksX) * blocksY),
          b_(a_.size()),
          modes_(a_.size()),
          values_(size_t(blocksX) * blockW_ * blocksY * 4) {
        const uint32_t count = uint32_t(blocksX) * uint32_t(blocksY);
        for (int by = 0; by < blocksY; ++by) {
            for (int bx = 0; bx < blocksX; ++bx) {
                const uint32_t index = mortonIndex(uint32_t(blocksX), uint32_t(blocksY), bx, by) % count;
                const uint8_t* p = data + size_t(index) * 8;
                unpack(bx, by, readWord(p), readWord(p + 4));
            }
        }
    }

    // Pixel (x, y) as red, green, blue, alpha bytes.
    void pixel(int x, int y, uint8_t* out) const {
        int weight = modulation(x, y);
        const bool punchThrough = weight > 10;
        if (punchThrough) weight -= 10;
        const Colour ca = upscale(a_, x, y), cb = upscale(b_, x, y);
        const int channels[4][2] = {{ca.r, cb.r}, {ca.g, cb.g}, {ca.b, cb.b}, {ca.a, cb.a}};
        for (int c = 0; c < 4; ++c) out[c] = uint8_t((channels[c][0] * (8 - weight) + channels[c][1] * weight) / 8);
        if (punchThrough) out[3] = 0;
    }

private:
    static uint32_t readWord(const uint8_t* p) {
        return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
    }

    int valuesWidth() const { return blocksX_ * blockW_; }
    int& valueAt(int x, int y) { return values_[size_t(y) * valuesWidth() + x]; }
    int valueAt(int x, int y) const {
        return values_[size_t(wrap(y, blocksY_ * 4)) * valuesWidth() + wrap(x, valuesWidth())];
    }

    void unpack(int bx, int by, uint32_t modulation, uint32_t colour) {
        const size_t block = size_t(by) * blocksX_ + bx;
        a_[block] = colourA(colour);
        b_[block] = colourB(colour);
        const bool flag = colour & 1;
        const int x0 = bx * blockW_, y0 = by * 4;
        if (!twoBit_) {
            modes_[block] = flag;
            // Weights in eighths; 14 marks the punch-through weight 4.
            static constexpr int kStandard[4] = {0, 3, 5, 8}, kPunchThrough[4] = {0, 4, 14, 8};
            const int* weights = flag ? kPunchThrough : kStandard;
            for (int i = 0; i < 16; ++i, modulation >>= 2) valueAt(x0 + i % 4, y0 + i / 4) = weights[modulation & 3];
            return;
        }
        if (!flag) {
            modes_[block] = 0;
            for (int i = 0; i < 32; ++i, modulation >>= 1) valueAt(x0 + i % 8, y0 + i / 8) = modulation & 1 ? 3 : 0;
            return;
        }
        // Interpolated: the first stored value's low bit selects horizontal
        // and vertical interpolation (0) or one direction only, which the
        // centre value's low bit names; each of those values then repeats
        // its high bit in place of the low one.
        int mode = 1;
        if (modulation & 1) {
            mode = (modulation & (1u << 20)) ? 3 : 2;
            modulation = (modulation & ~(1u << 20)) | ((modulation >> 1) & (1u << 20));
        }
        modulation = (modulation & ~1u) | ((modulation >> 1) & 1u);
        modes_[block] = mode;
        for (int y = 0; y < 4; ++y) {
            for (int x = 0; x < 8; ++x) {
                if ((x ^ y) & 1) continue;
                valueAt(x0 + x, y0 + y) = int(modulation & 3);
                modulation >>= 2;
            }
        }
    }

    // The pixel's weight of colour B in eighths (plus 10 for punch-through).
    int modulation(int x, int y) const {
        if (!twoBit_) return valueAt(x, y);
        static constexpr int kWeights[4] = {0, 3, 5, 8};
        const int mode = modes_[size_t(y / 4) * blocksX_ + x / blockW_];
        const auto at = [&](int dx, int dy) { return kWeights[valueAt(x + dx, y + dy)]; };
        if (mode == 0 || ((x ^ y) & 1) == 0) return at(0, 0);
        if (mode == 1) return (at(0, -1) + at(0, 1) + at(-1, 0) + at(1, 0) + 2) / 4;
        if (mode == 2) return (at(-1, 0) + at(1, 0) + 1) / 2;
        return (at(0, -1) + at(0, 1) + 1) / 2;
    }

    // The block colours bilinearly upscaled to the pixel, each block's colour
    // centred on the block, widened to 8 bits by replication.
    Colour upscale(const std::vector<Colour>& colours, int x, int y) const {
        const int gx = x - blockW_ / 2, gy = y - 2;
        const int bx = gx >= 0 ? gx / blockW_ : -1, by = gy >= 0 ? gy / 4 : -1;
        const int fx = gx - bx * blockW_, fy = gy - by * 4;
        const auto at = [&](int dx, int dy) -> const Colour& {
            return colours[size_t(wrap(by + dy, blocksY_)) * blocksX_ + wrap(bx + dx, blocksX_)];
        };
        const Colour &p = at(0, 0), &q = at(1, 0), &r = at(0, 1), &s = at(1, 1);
        // Weights total 4 x blockW = 1 << shift.
        const int shift = twoBit_ ? 5 : 4;
        const auto mix = [&](int cp, int cq, int cr, int cs) {
            return (cp * (blockW_ - fx) + cq * fx) * (4 - fy) + (cr * (blockW_ - fx) + cs * fx) * fy;
        };
        const auto colour5 = [&](int v) { return (v >> (shift - 3)) + (v >> (shift + 2)); };
        const auto alpha4 = [&](int v) { return (v >> (shift - 4)) + (v >> shift); };
        return {colour5(mix(p.r, q.r, r.r, s.r)), colour5(mix(p.g, q.g, r.g, s.g)), colour5(mix(p.b, q.b, r.b, s.b)),
                alpha4(mix(p.a, q.a, r.a, s.a))};
    }

    bool twoBit_;
    int blockW_;
    int blocksX_;
    int blocksY_;
    std::vector<Colour> a_;
    std::vector<Colour> b_;
    std::vector<int> modes_;
    std::vector<int> values_;
};

}  // namespace

int32_t decodePVRTC(const uint8_t* data, int32_t mode, int32_t width, int32_t height, uint8_t* output) {
    if (width <= 0 || height <= 0) return 0;
    const bool twoBit = mode == 1;
    const int blockW = twoBit ? 8 : 4;
    const int trueWidth = std::max(width, twoBit ? 16 : 8), trueHeight = std::max(height, 8);
    const int blocksX = (trueWidth + blockW - 1) / blockW, blocksY = (trueHeight + 3) / 4;
    // Only the visible part of the decoded image is ever needed, so it is
    // computed straight into output however large the decoded size is.
    const PvrtcImage image(data, twoBit, blocksX, blocksY);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) image.pixel(x, y, output + (size_t(y) * width + x) * 4);
    return blocksX * blocksY * 8;
}
