// The ETC1 and PVRTC decoders on hand-made blocks whose texels are known.
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "engine/render/etc1_decode.h"
#include "engine/render/pvrtc_decode.h"

namespace {

constexpr uint32_t kGuard = 0xDEADBEEF;

uint32_t argb(int r, int g, int b) { return 0xFF000000u | uint32_t(r) << 16 | uint32_t(g) << 8 | uint32_t(b); }

// An ETC1 block: three colour bytes, the table/diff/flip byte, then the
// high and low index bits of the 16 pixels (pixel (x, y) at bit 4x + y).
std::array<uint8_t, 8> etc1Block(uint8_t r, uint8_t g, uint8_t b, uint8_t control, uint16_t msb, uint16_t lsb) {
    return {r, g, b, control, uint8_t(msb >> 8), uint8_t(msb), uint8_t(lsb >> 8), uint8_t(lsb)};
}

uint16_t pixelBit(int x, int y) { return uint16_t(1u << (x * 4 + y)); }

TEST(Etc1DecodeTest, DifferentialModeWidensTheBaseAndItsDelta) {
    // Red 31 with delta -4: 31 and 27, widened to 255 and 222; tables 0
    // (+2 for index 0); no flip: left half colour 1, right half colour 2.
    const auto block = etc1Block(0xF8 | 4, 0, 0, 0x02, 0, 0);
    std::vector<uint32_t> out(16);
    EXPECT_EQ(decodeETC1(block.data(), 4, 4, out.data()), 8);
    EXPECT_EQ(out[0], argb(255, 2, 2));
    EXPECT_EQ(out[1 * 4 + 1], argb(255, 2, 2));
    EXPECT_EQ(out[2], argb(224, 2, 2));
    EXPECT_EQ(out[3 * 4 + 3], argb(224, 2, 2));
}

TEST(Etc1DecodeTest, IndividualModeWithFlipAndEachModifier) {
    // Colours 0x88 (top half) and 0x44 (bottom half) in every channel;
    // table 7 (47/183) on top, table 1 (5/17) below.
    const uint16_t msb = pixelBit(2, 0) | pixelBit(3, 3);
    const uint16_t lsb = pixelBit(1, 0) | pixelBit(3, 3);
    const auto block = etc1Block(0x84, 0x84, 0x84, 7 << 5 | 1 << 2 | 1, msb, lsb);
    std::vector<uint32_t> out(16);
    decodeETC1(block.data(), 4, 4, out.data());
    const auto grey = [](int v) { return argb(v, v, v); };
    EXPECT_EQ(out[0], grey(136 + 47));     // index 0: +small
    EXPECT_EQ(out[1], grey(255));          // index 1: +large, clamped
    EXPECT_EQ(out[2], grey(136 - 47));     // index 2: -small
    EXPECT_EQ(out[1 * 4 + 3], grey(136 + 47));
    EXPECT_EQ(out[3 * 4 + 0], grey(68 + 5));
    EXPECT_EQ(out[3 * 4 + 3], grey(68 - 17));  // index 3: -large
}

TEST(Etc1DecodeTest, ASizeOffTheBlockGridWritesOnlyTheVisiblePixels) {
    // 6 x 5 takes 2 x 2 blocks; each block a different flat red.
    std::vector<uint8_t> data;
    for (uint8_t red : {0x11, 0x33, 0x55, 0x77}) {
        const auto block = etc1Block(red, 0, 0, 0, 0, 0);
        data.insert(data.end(), block.begin(), block.end());
    }
    std::vector<uint32_t> out(6 * 5 + 4, kGuard);
    EXPECT_EQ(decodeETC1(data.data(), 6, 5, out.data()), 32);
    EXPECT_EQ(out[0], argb(0x11 + 2, 2, 2));
    EXPECT_EQ(out[5], argb(0x33 + 2, 2, 2));  // (5, 0): the second block
    EXPECT_EQ(out[3 * 6 + 3], argb(0x11 + 2, 2, 2));
    EXPECT_EQ(out[4 * 6 + 0], argb(0x55 + 2, 2, 2));  // row 4: the second row of blocks
    EXPECT_EQ(out[4 * 6 + 5], argb(0x77 + 2, 2, 2));
    for (size_t i = 6 * 5; i < out.size(); ++i) EXPECT_EQ(out[i], kGuard);
}

TEST(Etc1DecodeTest, ATwoByTwoImageComesFromOneBlock) {
    const auto block = etc1Block(0xF0, 0x0F, 0x00, 0, 0, pixelBit(1, 1));
    std::vector<uint32_t> out(4 + 2, kGuard);
    EXPECT_EQ(decodeETC1(block.data(), 2, 2, out.data()), 8);
    EXPECT_EQ(out[0], argb(255, 2, 2));  // red clamped
    EXPECT_EQ(out[3], argb(255, 8, 8));  // index 1: +8, red clamped
    EXPECT_EQ(out[4], kGuard);
}

// A PVRTC block: the modulation word, then the colour word, little-endian.
void appendPvrtc(std::vector<uint8_t>& data, uint32_t modulation, uint32_t colour) {
    for (uint32_t word : {modulation, colour})
        for (int i = 0; i < 4; ++i) data.push_back(uint8_t(word >> (8 * i)));
}

std::vector<uint8_t> uniformPvrtc(int blocks, uint32_t modulation, uint32_t colour) {
    std::vector<uint8_t> data;
    for (int i = 0; i < blocks; ++i) appendPvrtc(data, modulation, colour);
    return data;
}

// Colour A opaque pure red (5 bits), colour B opaque pure blue.
constexpr uint32_t kRedBlue = 0x801Fu << 16 | 0xFC00u;

std::array<uint8_t, 4> pixelAt(const std::vector<uint8_t>& out, int width, int x, int y) {
    const size_t i = (size_t(y) * width + x) * 4;
    return {out[i], out[i + 1], out[i + 2], out[i + 3]};
}

using Rgba = std::array<uint8_t, 4>;

TEST(PvrtcDecodeTest, FourBitModulationWeights) {
    struct Case {
        uint32_t modulation;
        uint32_t flag;
        Rgba expected;
    };
    const Case cases[] = {
        {0x00000000, 0, {255, 0, 0, 255}},   // all colour A
        {0xFFFFFFFF, 0, {0, 0, 255, 255}},   // all colour B
        {0x55555555, 0, {159, 0, 95, 255}},  // 3/8 of B
        {0xAAAAAAAA, 0, {95, 0, 159, 255}},  // 5/8 of B
        {0x55555555, 1, {127, 0, 127, 255}}, // half and half
        {0xAAAAAAAA, 1, {127, 0, 127, 0}},   // half, alpha punched through
    };
    for (const Case& c : cases) {
        const auto data = uniformPvrtc(4, c.modulation, kRedBlue | c.flag);
        std::vector<uint8_t> out(8 * 8 * 4);
        EXPECT_EQ(decodePVRTC(data.data(), 0, 8, 8, out.data()), 32);
        for (auto [x, y] : {std::pair{0, 0}, {3, 5}, {7, 7}})
            EXPECT_EQ(pixelAt(out, 8, x, y), c.expected) << std::hex << c.modulation << " flag " << c.flag;
    }
}

TEST(PvrtcDecodeTest, TranslucentColoursWidenAlphaAndChannels) {
    // Colour A: alpha 7 of 3 bits, red 15 of 4, blue 7 of 3; colour B:
    // alpha 3, green 15.
    const uint32_t colour = (0x3u << 12 | 0xFu << 4) << 16 | 0x7u << 12 | 0xFu << 8 | 0x7u << 1;
    const auto data = uniformPvrtc(4, 0, colour);
    std::vector<uint8_t> out(8 * 8 * 4);
    decodePVRTC(data.data(), 0, 8, 8, out.data());
    EXPECT_EQ(pixelAt(out, 8, 2, 2), (Rgba{255, 0, 255, 0xEE}));
    const auto dataB = uniformPvrtc(4, 0xFFFFFFFF, colour);
    decodePVRTC(dataB.data(), 0, 8, 8, out.data());
    EXPECT_EQ(pixelAt(out, 8, 2, 2), (Rgba{0, 255, 0, 0x66}));
}

TEST(PvrtcDecodeTest, ASmallImageIsDecodedAtTheMinimumSize) {
    const auto data = uniformPvrtc(4, 0, kRedBlue);
    std::vector<uint8_t> out(4 * 4 * 4 + 4, 0xCD);
    EXPECT_EQ(decodePVRTC(data.data(), 0, 4, 4, out.data()), 32);
    EXPECT_EQ(pixelAt(out, 4, 3, 3), (Rgba{255, 0, 0, 255}));
    EXPECT_EQ(out[4 * 4 * 4], 0xCD);
    const auto twoBit = uniformPvrtc(4, 0, kRedBlue);
    EXPECT_EQ(decodePVRTC(twoBit.data(), 1, 2, 2, out.data()), 32);  // decoded as 16 x 8
}

TEST(PvrtcDecodeTest, ColoursAreUpscaledBetweenBlockCentresAndWrap) {
    // Block (1, 0), the second in Morton order, is red; the others black.
    std::vector<uint8_t> data;
    for (int i = 0; i < 4; ++i) appendPvrtc(data, 0, i == 1 ? 0xFC00u | 0x8000u << 16 : 0x8000u | 0x8000u << 16);
    std::vector<uint8_t> out(8 * 8 * 4);
    decodePVRTC(data.data(), 0, 8, 8, out.data());
    EXPECT_EQ(pixelAt(out, 8, 6, 2)[0], 255);  // the block's centre
    EXPECT_EQ(pixelAt(out, 8, 4, 2)[0], 127);  // half way from block (0, 0)
    EXPECT_EQ(pixelAt(out, 8, 0, 2)[0], 127);  // half way across the wrapped edge
    EXPECT_EQ(pixelAt(out, 8, 2, 2)[0], 0);    // block (0, 0)'s centre
    EXPECT_EQ(pixelAt(out, 8, 6, 6)[0], 0);    // block (1, 1)'s centre
    EXPECT_EQ(pixelAt(out, 8, 6, 4)[0], 127);
}

TEST(PvrtcDecodeTest, TwoBitModesPickOrInterpolateModulation) {
    struct Case {
        const char* name;
        uint32_t modulation;
        uint32_t flag;
        int rows[4][2];  // B's weight in eighths at x = 0 and x = 1 of each row
    };
    const Case cases[] = {
        {"one bit a pixel", 0x0000FF00, 0, {{0, 0}, {8, 8}, {0, 0}, {0, 0}}},
        // Stored values 3 on rows 0 and 2, 0 on rows 1 and 3.
        {"horizontal", 0x00EF00FF, 1, {{8, 8}, {0, 0}, {8, 8}, {0, 0}}},
        {"vertical", 0x00FF00FF, 1, {{8, 0}, {8, 0}, {8, 0}, {8, 0}}},
        {"both", 0x00FF00FE, 1, {{8, 4}, {4, 0}, {8, 4}, {4, 0}}},
    };
    for (const Case& c : cases) {
        const auto data = uniformPvrtc(4, c.modulation, kRedBlue | c.flag);
        std::vector<uint8_t> out(16 * 8 * 4);
        EXPECT_EQ(decodePVRTC(data.data(), 1, 16, 8, out.data()), 32);
        for (int y = 0; y < 4; ++y) {
            for (int x = 0; x < 2; ++x) {
                const int w = c.rows[y][x];
                const Rgba expected{uint8_t(255 * (8 - w) / 8), 0, uint8_t(255 * w / 8), 255};
                EXPECT_EQ(pixelAt(out, 16, x + 8, y + 4), expected) << c.name << " at " << x << "," << y;
            }
        }
    }
}

}  // namespace
