// The bit-field converters of PSB images, on the corners of each width.
#include "engine/render/psb_pixel_convert.h"

#include <gtest/gtest.h>

namespace {

TEST(PSBPixelConvert, ExpandBitsWidensEveryFieldWidth) {
    struct Case {
        uint32_t value;
        int bits, shift;
        uint32_t expected;
    };
    const Case cases[] = {
        {0xAB00, 8, 8, 0xAB},  {0x3FF, 10, 0, 0xFF},   {0x200, 10, 0, 0x80},  {0xF, 4, 0, 0xFF},
        {0x8, 4, 0, 0x88},     {0x1F << 3, 5, 3, 0xFF}, {0x10, 5, 0, 0x84},   {0x3F, 6, 0, 0xFF},
        {0x20, 6, 0, 0x82},    {0x7F, 7, 0, 0xFF},     {0x1, 1, 0, 255},      {0x0, 1, 0, 0},
        {0x2, 2, 0, 170},      {0x5, 3, 0, 182},       {0x8000, 1, 15, 255},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(expandBits(c.value, c.bits, c.shift), c.expected) << c.value << " " << c.bits << " " << c.shift;
    }
}

TEST(PSBPixelConvert, ScaleAndPackNarrowAByteBackToItsField) {
    EXPECT_EQ(scaleByteToBits(0xFF, 5), 31u);
    EXPECT_EQ(scaleByteToBits(0x80, 1), 1u);
    EXPECT_EQ(scaleByteToBits(0xAB, 8), 0xABu);
    EXPECT_EQ(scaleByteToBits(0xFF, 16), 0xFFFFu);
    EXPECT_EQ(scaleByteToBits(0xFF, 20), 0xFFFFFu);
    EXPECT_EQ(scaleByteToBits(0x80, 20), 0x80808u);
    EXPECT_EQ(packBits(0xFF, 1, 15), 0x8000u);
    EXPECT_EQ(packBits(0xFF, 5, 10), 0x7C00u);
    EXPECT_EQ(packBits(0xAB, 8, 8), 0xAB00u);
    EXPECT_EQ(packBits(0xFF, 8, 12), 0xF000u);  // within 16 bits
    for (int bits : {1, 4, 5, 6}) {
        for (uint32_t field = 0; field < (1u << bits); ++field) {
            EXPECT_EQ(packBits(expandBits(field, bits, 0), bits, 0), field) << bits;
        }
    }
}

TEST(PSBPixelConvert, RGB5A3HasTwoForms) {
    EXPECT_EQ(rgb5a3ToArgb(0xFFFF), 0xFFFFFFFFu);
    EXPECT_EQ(rgb5a3ToArgb(0x8000), 0xFF000000u);
    EXPECT_EQ(rgb5a3ToArgb(0xFC00), 0xFFFF0000u);
    EXPECT_EQ(rgb5a3ToArgb(0x7FFF), 0xFFFFFFFFu);
    EXPECT_EQ(rgb5a3ToArgb(0x1F00), 0x24FF0000u);  // alpha 1 x 255 / 7
    EXPECT_EQ(rgb5a3ToArgb(0x0000), 0x00000000u);
}

TEST(PSBPixelConvert, ByteOrdersWorkInPlace) {
    uint8_t pixels[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    swapRedBlue(pixels, pixels, 2);
    EXPECT_EQ(std::vector<uint8_t>(pixels, pixels + 8), (std::vector<uint8_t>{3, 2, 1, 4, 7, 6, 5, 8}));
    reversePixelBytes(pixels, pixels, 2);
    EXPECT_EQ(std::vector<uint8_t>(pixels, pixels + 8), (std::vector<uint8_t>{4, 1, 2, 3, 8, 5, 6, 7}));
}

TEST(PSBPixelConvert, TilesBeyondTheImageAreSkipped) {
    // A 2 x 2 image in one 4 x 4 tile of RGB5A3: only its four pixels land.
    std::vector<uint8_t> tile(32, 0);
    for (int i = 0; i < 16; ++i) tile[size_t(i * 2)] = 0x80;
    tile[0] = tile[1] = 0xFF;  // pixel (0, 0) white
    tile[8] = 0xFC;            // pixel (0, 1): second row of the tile starts at value 4
    std::vector<uint8_t> out(16, 0xEE);
    convertRGB5A3Tiled(tile.data(), out.data(), 8, 2, 2);
    EXPECT_EQ(out, (std::vector<uint8_t>{255, 255, 255, 255, 0, 0, 0, 255, 0, 0, 255, 255, 0, 0, 0, 255}));
    EXPECT_EQ(tiledBytes(2, 2, 4, 4, 16), 32u);
    EXPECT_EQ(tiledBytes(9, 4, 8, 4, 8), 64u);
    EXPECT_EQ(swizzledBytes(20, 9), 32u * 16);
}

}  // namespace
