// The kana font's mapping and the line layout of the result screens.
#include "game/frontend/play_scenes/kana_font.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct KanaCase {
    uint32_t codePoint;
    int32_t frame;
};

TEST(StageResultsKanaFont, MapsEveryBlockOfTheFont) {
    const KanaCase cases[] = {
        {0x3041, 2369}, {0x3093, 2451}, {0x30A1, 2267}, {0x30F3, 2349}, {0xFF10, 2359}, {0xFF19, 2368},
        {0xFF21, 2241}, {0xFF3A, 2266}, {0x30FB, 2352}, {0xFF1F, 2353}, {0xFF01, 2354}, {0x30FC, 2355},
        {0xFF0E, 2356}, {0xFF0C, 2357}, {0xFF06, 2358}, {0x3001, 2350}, {0x3002, 2351},
        {'A', kKanaNoFrame}, {0x3000, kKanaNoFrame}, {0xFFE5, kKanaNoFrame}, {0x4E00, kKanaNoFrame},
        {0x30F4, kKanaNoFrame}, {0x00E9, kKanaNoFrame},
    };
    for (const KanaCase& c : cases) EXPECT_EQ(kanaFontFrame(c.codePoint), c.frame) << std::hex << c.codePoint;
}

std::vector<KanaGlyph> layout(const char* text) {
    std::vector<KanaGlyph> glyphs(kKanaLineGlyphs);
    glyphs.resize(size_t(kanaLineLayout(text, glyphs.data())));
    return glyphs;
}

struct LineCase {
    std::string text;
    std::vector<KanaGlyph> glyphs;
};

TEST(StageResultsKanaLine, PlacesTheCharactersTheFontHolds) {
    const LineCase cases[] = {
        {"ぁア", {{2369, 16, 266}, {2268, 28, 266}}},
        {"１￥２", {{2360, 16, 266}, {2361, 16, 278}}},
        // ASCII and 2-byte characters draw nothing and take no room.
        {"Aあé!ァ", {{2370, 16, 266}, {2267, 28, 266}}},
        {"？ー", {{2353, 16, 266}, {2355, 28, 266}}},
        {"", {}},
    };
    for (const LineCase& c : cases) {
        SCOPED_TRACE(c.text);
        const std::vector<KanaGlyph> got = layout(c.text.c_str());
        ASSERT_EQ(got.size(), c.glyphs.size());
        for (size_t k = 0; k < got.size(); ++k) {
            EXPECT_EQ(got[k].frame, c.glyphs[k].frame);
            EXPECT_EQ(got[k].x, c.glyphs[k].x);
            EXPECT_EQ(got[k].y, c.glyphs[k].y);
        }
    }
}

// A line of 3-byte characters with no terminator in its 256 bytes: the
// reading stops at byte 256, and the character cut there is not drawn.
TEST(StageResultsKanaLine, StopsAtByte256WithoutATerminator) {
    std::string bytes;
    while (bytes.size() < 300) bytes += "あ";
    std::vector<char> line(bytes.begin(), bytes.begin() + 256);  // 85 whole characters and one cut
    const std::vector<KanaGlyph> got = layout(line.data());
    EXPECT_EQ(got.size(), 85u);
    // A cut character at the terminator ends the line too.
    const char cut[] = {char(0xE3), char(0x81), 0, char(0xE3), char(0x81), char(0x82), 0};
    EXPECT_TRUE(layout(cut).empty());
}

}  // namespace
