// Colour tween, gradients, corner grids, alpha scaling and colour products.
#include <gtest/gtest.h>

#include "engine/motion/color_interpolation.h"

namespace {

struct ColorPair {
    uint32_t a;
    uint32_t b;
};

constexpr ColorPair kPairs[] = {
    {0x000000ffu, 0xffffffffu},
    {0x12345678u, 0x9abcdef0u},
    {0xff00ff00u, 0x00ff00ffu},
    {0x808080ffu, 0x40404040u},
};

TEST(LerpColor, EndsAreExact) {
    for (const ColorPair& pair : kPairs) {
        EXPECT_EQ(lerpColor(pair.a, pair.b, 0.0f, nullptr), pair.a);
        EXPECT_EQ(lerpColor(pair.a, pair.b, 1.0f, nullptr), pair.b);
        EXPECT_EQ(lerpColor(pair.a, pair.a, 0.5f, nullptr), pair.a);
    }
}

TEST(LerpColor, ChannelsBlendApart) {
    // w = 128 for every channel: (a + b) / 2 truncated, no carry between bytes.
    EXPECT_EQ(lerpColor(0x000000ffu, 0xffffffffu, 0.5f, nullptr), 0x7f7f7fffu);
    EXPECT_EQ(lerpColor(0xff00ff00u, 0x00ff00ffu, 0.5f, nullptr), 0x7f7f7f7fu);
    // w = 64.
    EXPECT_EQ(lerpColor(0x00000000u, 0xfc0080ffu, 0.25f, nullptr), 0x3f00203fu);
}

// An eased fraction beyond the ends (an overshooting curve) holds the end
// colour instead of carrying one channel into the next.
TEST(LerpColor, FractionsBeyondTheEndsHoldThem) {
    for (const ColorPair& pair : kPairs) {
        EXPECT_EQ(lerpColor(pair.a, pair.b, 1.25f, nullptr), pair.b);
        EXPECT_EQ(lerpColor(pair.a, pair.b, -0.5f, nullptr), pair.a);
    }
}

TEST(ColorGradient, ThreeEntries) {
    uint32_t colors[3] = {0x000000ffu, 0, 0xffffffffu};
    fillColorGradient(colors, 3, 1);
    EXPECT_EQ(colors[1], 0x7f7f7fffu);
    EXPECT_EQ(colors[0], 0x000000ffu);
    EXPECT_EQ(colors[2], 0xffffffffu);
}

TEST(ColorGradient, EqualEndsFillAndShortListsStay) {
    uint32_t colors[9] = {0x11223344u, 1, 2, 3, 4, 5, 6, 7, 0x11223344u};
    fillColorGradient(colors, 5, 2);
    for (int i = 0; i < 9; i += 2) EXPECT_EQ(colors[i], 0x11223344u) << i;
    EXPECT_EQ(colors[1], 1u);
    uint32_t pair[2] = {5, 6};
    fillColorGradient(pair, 2, 1);
    EXPECT_EQ(pair[0], 5u);
    EXPECT_EQ(pair[1], 6u);
}

TEST(ColorGrid, CornersColumnsThenRows) {
    std::vector<uint32_t> grid;
    fillColorGrid(0x000000ffu, 0x000000ffu, 0xffffffffu, 0xffffffffu, 2, 2, grid);
    ASSERT_EQ(grid.size(), 9u);
    const uint32_t expected[9] = {0x000000ffu, 0x000000ffu, 0x000000ffu, 0x7f7f7fffu, 0x7f7f7fffu,
                                  0x7f7f7fffu, 0xffffffffu, 0xffffffffu, 0xffffffffu};
    for (int i = 0; i < 9; ++i) EXPECT_EQ(grid[i], expected[i]) << i;

    fillColorGrid(0xff0000ffu, 0x00ff00ffu, 0x0000ffffu, 0xffffffffu, 1, 3, grid);
    ASSERT_EQ(grid.size(), 8u);
    EXPECT_EQ(grid[0], 0xff0000ffu);
    EXPECT_EQ(grid[1], 0x00ff00ffu);
    EXPECT_EQ(grid[6], 0x0000ffffu);
    EXPECT_EQ(grid[7], 0xffffffffu);

    fillColorGrid(0x808080ffu, 0x808080ffu, 0x808080ffu, 0x808080ffu, 3, 1, grid);
    ASSERT_EQ(grid.size(), 8u);
    for (uint32_t c : grid) EXPECT_EQ(c, 0x808080ffu);
}

TEST(ScaleAlpha, OnlyTheAlphaByte) {
    EXPECT_EQ(scaleAlpha(0x10203040u, 255), 0x10203040u);
    EXPECT_EQ(scaleAlpha(0x102030ffu, 128), 0x10203080u);
    EXPECT_EQ(scaleAlpha(0x102030ffu, 0), 0x10203000u);
    EXPECT_EQ(scaleAlpha(0x10203080u, 128), 0x10203040u);
}

TEST(MultiplyColor, NeutralOperandsGiveTheOther) {
    MMotionColorCache cache;
    EXPECT_EQ(multiplyColor(0x808080ffu, 0x12345678u, cache), 0x12345678u);
    EXPECT_EQ(multiplyColor(0x12345678u, 0x808080ffu, cache), 0x12345678u);
}

TEST(MultiplyColor, ChannelsSaturateAndAlphaScales) {
    MMotionColorCache cache;
    EXPECT_EQ(multiplyColor(0xffffffffu, 0xffffffffu, cache), 0xffffffffu);
    // Red 0x20 x 0x40 >> 7, green 0x40 x 0x80 >> 7, blue 0x60 x 0xc0 >> 7, alpha 0xff x 0x80 / 255.
    EXPECT_EQ(multiplyColor(0x204060ffu, 0x4080c080u, cache), 0x10409080u);
    EXPECT_EQ(cache.result, 0x10409080u);
    // The cached pair answers in either order.
    EXPECT_EQ(multiplyColor(0x4080c080u, 0x204060ffu, cache), 0x10409080u);
    EXPECT_EQ(multiplyColor(0x000000ffu, 0xffffffffu, cache), 0x000000ffu);
}

}  // namespace
