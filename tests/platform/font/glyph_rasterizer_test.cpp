// The FreeType rasteriser over the installed IPAGothic.
#include "platform/font/glyph_rasterizer.h"

#include <gtest/gtest.h>

namespace {

using platform::GlyphBitmap;
using platform::GlyphRasterizer;

int countSet(const GlyphBitmap& bitmap) {
    int count = 0;
    for (int r = 0; r < bitmap.height; ++r)
        for (int c = 0; c < bitmap.width; ++c) count += bitmap.isSet(r, c);
    return count;
}

TEST(FindEmbedFontPath, TakesAFileABaseNameOrFallsBackToIpaGothic) {
    const std::string ipa = platform::findEmbedFontPath("");
    ASSERT_FALSE(ipa.empty());
    EXPECT_NE(ipa.find("ipag.ttf"), std::string::npos);
    EXPECT_EQ(platform::findEmbedFontPath(ipa), ipa);
    EXPECT_EQ(platform::findEmbedFontPath("IPAG"), ipa);
    EXPECT_NE(platform::findEmbedFontPath("DejaVuSans").find("DejaVuSans.ttf"), std::string::npos);
    EXPECT_EQ(platform::findEmbedFontPath("no such face"), ipa);
}

TEST(GlyphRasterizer, RendersAsciiAndJapaneseAsOneBitBitmapsInTheCellHeight) {
    auto rasterizer = GlyphRasterizer::open(platform::findEmbedFontPath(""), 28);
    ASSERT_TRUE(rasterizer);
    EXPECT_GT(rasterizer->ascent(), 14);
    EXPECT_LT(rasterizer->ascent(), 28);
    struct Case {
        char32_t code;
        int minWidth;
        int maxWidth;
    };
    const Case cases[] = {{U'A', 8, 16}, {U'i', 1, 8}, {U'\u3042', 16, 28}, {U'\u6F22', 16, 28}};
    for (const Case& c : cases) {
        GlyphBitmap bitmap;
        ASSERT_TRUE(rasterizer->render(c.code, bitmap)) << uint32_t(c.code);
        EXPECT_GE(bitmap.width, c.minWidth) << uint32_t(c.code);
        EXPECT_LE(bitmap.width, c.maxWidth) << uint32_t(c.code);
        EXPECT_GE(bitmap.pitch * 8, bitmap.width);
        EXPECT_GT(countSet(bitmap), 4) << uint32_t(c.code);
        EXPECT_LE(bitmap.originY, rasterizer->ascent()) << uint32_t(c.code);
    }
    GlyphBitmap space;
    ASSERT_TRUE(rasterizer->render(U' ', space));
    EXPECT_EQ(countSet(space), 0);
}

TEST(GlyphRasterizer, RefusesAMissingFileAndANonFont) {
    EXPECT_FALSE(GlyphRasterizer::open("/nonexistent/font.ttf", 28));
    EXPECT_FALSE(GlyphRasterizer::open("/etc/hostname", 28));
    EXPECT_FALSE(GlyphRasterizer::open(platform::findEmbedFontPath(""), 0));
}

}  // namespace
