// The PNG decoder on images written by libpng: what it takes, what it
// refuses and that a refusal is logged and harmless.
#include "game/core/png_decode.h"

#include <gtest/gtest.h>
#include <png.h>

#include <array>

#include "tests/game/core/png_fixture.h"
#include "tests/game/working_folder.h"

namespace {

struct Decoded {
    bool ok = false;
    std::vector<uint8_t> pixels;
    size_t bytes = 0;
    uint32_t width = 0, height = 0;
    int bits = 0;
};

Decoded decode(const std::vector<uint8_t>& png) {
    Decoded d;
    d.ok = pngDecodeFromMemory(png.data(), png.size(), d.pixels, d.bytes, d.width, d.height, d.bits);
    return d;
}

void expectFixturePixels(const Decoded& d, bool opaque) {
    ASSERT_EQ(d.pixels.size(), size_t(d.width) * d.height * 4);
    for (uint32_t y = 0; y < d.height; ++y) {
        for (uint32_t x = 0; x < d.width; ++x) {
            const uint8_t* p = &d.pixels[(size_t(y) * d.width + x) * 4];
            const uint32_t rgba = fixturePixel(x, y);
            const uint32_t got = uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
            ASSERT_EQ(got, opaque ? (rgba | 0xFF) : rgba) << x << "," << y;
        }
    }
}

TEST(PngDecodeTest, RgbAndRgbaDecodeToRgbaBytes) {
    WorkingFolder folder;
    const Decoded rgb = decode(makePng(13, 7, PNG_COLOR_TYPE_RGB));
    ASSERT_TRUE(rgb.ok);
    EXPECT_EQ(rgb.bits, 24);
    EXPECT_EQ(rgb.bytes, 13u * 7 * 4);
    expectFixturePixels(rgb, true);
    const Decoded rgba = decode(makePng(5, 9, PNG_COLOR_TYPE_RGBA));
    ASSERT_TRUE(rgba.ok);
    EXPECT_EQ(rgba.bits, 32);
    EXPECT_EQ(rgba.width, 5u);
    EXPECT_EQ(rgba.height, 9u);
    expectFixturePixels(rgba, false);
    const Decoded interlaced = decode(makePng(9, 9, PNG_COLOR_TYPE_RGBA, 8, true));
    ASSERT_TRUE(interlaced.ok);
    expectFixturePixels(interlaced, false);
    EXPECT_TRUE(folder.logLines().empty());
}

TEST(PngDecodeTest, OtherImagesAreRefusedWithALogLine) {
    WorkingFolder folder;
    struct Case {
        const char* name;
        std::vector<uint8_t> png;
    };
    std::vector<uint8_t> truncated = makePng(40, 40, PNG_COLOR_TYPE_RGBA);
    truncated.resize(truncated.size() / 2);
    std::vector<uint8_t> broken = makePng(8, 8, PNG_COLOR_TYPE_RGB);
    broken[40] ^= 0x5A;
    const Case cases[] = {
        {"palette", makePng(8, 8, PNG_COLOR_TYPE_PALETTE)},
        {"grey", makePng(8, 8, PNG_COLOR_TYPE_GRAY)},
        {"grey alpha", makePng(8, 8, PNG_COLOR_TYPE_GRAY_ALPHA)},
        {"16-bit", makePng(8, 8, PNG_COLOR_TYPE_RGBA, 16)},
        {"truncated", truncated},
        {"broken", broken},
        {"empty", {}},
        {"not a png", {'G', 'I', 'F', '8', '9', 'a', 0, 0, 0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        folder.clearLog();
        const Decoded d = decode(c.png);
        EXPECT_FALSE(d.ok) << c.name;
        EXPECT_TRUE(d.pixels.empty()) << c.name;
        EXPECT_EQ(d.width, 0u) << c.name;
        const auto log = folder.logLines();
        ASSERT_EQ(log.size(), 1u) << c.name;
        EXPECT_EQ(log[0].rfind("pngDecodeFromMemory : ", 0), 0u) << c.name << ": " << log[0];
    }
}

TEST(PngDecodeTest, BgraDecodesIntoTheCallersRowsAndLeavesTheirPaddingAlone) {
    WorkingFolder folder;
    for (const bool interlaced : {false, true}) {
        for (const int colourType : {PNG_COLOR_TYPE_RGB, PNG_COLOR_TYPE_RGBA}) {
            const std::vector<uint8_t> png = makePng(6, 5, colourType, 8, interlaced);
            constexpr size_t kPitch = 8 * 4;
            std::array<uint8_t, kPitch * 8> buffer;
            buffer.fill(0xEE);
            uint32_t askedWidth = 0, askedHeight = 0, width = 0, height = 0;
            const PngRowsFor rows = [&](uint32_t w, uint32_t h) {
                askedWidth = w;
                askedHeight = h;
                return PngRows{buffer.data(), kPitch};
            };
            ASSERT_TRUE(pngDecodeBgraInto(png.data(), png.size(), rows, width, height));
            EXPECT_EQ(askedWidth, 6u);
            EXPECT_EQ(askedHeight, 5u);
            EXPECT_EQ(width, 6u);
            EXPECT_EQ(height, 5u);
            for (uint32_t y = 0; y < 8; ++y) {
                for (uint32_t x = 0; x < 8; ++x) {
                    const uint8_t* p = &buffer[y * kPitch + x * 4];
                    const uint32_t got = uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
                    uint32_t expected = 0xEEEEEEEE;
                    if (x < 6 && y < 5) {
                        const uint32_t rgba = fixturePixel(x, y) | (colourType == PNG_COLOR_TYPE_RGB ? 0xFF : 0);
                        expected = (rgba >> 8 & 0xFF) << 24 | (rgba >> 16 & 0xFF) << 16 | (rgba >> 24) << 8 | (rgba & 0xFF);
                    }
                    ASSERT_EQ(got, expected) << x << "," << y << " type " << colourType << " interlaced " << interlaced;
                }
            }
        }
    }
    EXPECT_TRUE(folder.logLines().empty());
}

TEST(PngDecodeTest, RowsThatCannotBeHadFailTheDecodeWithALogLine) {
    WorkingFolder folder;
    const std::vector<uint8_t> png = makePng(4, 4, PNG_COLOR_TYPE_RGBA);
    std::array<uint8_t, 4 * 4 * 4> narrow{};
    const PngRows refusals[] = {{}, {narrow.data(), 4 * 4 - 1}};
    for (const PngRows& refusal : refusals) {
        folder.clearLog();
        uint32_t width = 1, height = 1;
        EXPECT_FALSE(pngDecodeBgraInto(png.data(), png.size(), [&](uint32_t, uint32_t) { return refusal; }, width,
                                       height));
        EXPECT_EQ(width, 0u);
        EXPECT_EQ(height, 0u);
        const auto log = folder.logLines();
        ASSERT_EQ(log.size(), 1u);
        EXPECT_EQ(log[0].rfind("pngDecodeFromMemory : ", 0), 0u) << log[0];
    }
}

TEST(PngDecodeTest, ImagesLargerThanTheLimitAreRefusedBeforeDecoding) {
    WorkingFolder folder;
    EXPECT_FALSE(decode(makePng(kPngLargestSide + 1, 1, PNG_COLOR_TYPE_RGB)).ok);
    EXPECT_EQ(folder.logLines().size(), 1u);
}

}  // namespace
