// Measuring and drawing laid-out text through MFont, on a font of fixed
// glyph sizes (8 x 10, "W" 12 x 14, "?" without a glyph).
#include <gtest/gtest.h>

#include "tests/engine/ui/fake_font.h"

namespace {

GlyphRuns layout(FakeFont& font, std::u16string_view text) {
    GlyphRuns runs;
    font.layoutText(text, runs);
    return runs;
}

struct MeasureCase {
    const char* name;
    std::u16string text;
    float charGap, lineGap;
    MFontSize size;
};

class MeasureTest : public testing::TestWithParam<MeasureCase> {};

TEST_P(MeasureTest, GivesTheSize) {
    const MeasureCase& c = GetParam();
    FakeFont font;
    font.setMarkupEnabled(true);
    EXPECT_EQ(font.measure(layout(font, c.text), c.charGap, c.lineGap), c.size);
}

const MeasureCase kMeasureCases[] = {
    {"Empty", u"", 2.0f, 4.0f, {0.0f, 0.0f}},
    {"OneLine", u"aWb", 0.0f, 4.0f, {28.0f, 14.0f}},
    {"CharGapBetweenRuns", u"aWb", 2.0f, 4.0f, {32.0f, 14.0f}},
    {"EmptyLineBetween", u"ab\n\ncWd", 1.0f, 3.0f, {30.0f, 10.0f + 0.0f + 14.0f + 2 * 3.0f}},
    {"TrailingBreakAddsOnlyTheGap", u"ab\n", 0.0f, 5.0f, {16.0f, 15.0f}},
    {"OnlyBreaks", u"\n\n", 3.0f, 5.0f, {0.0f, 10.0f}},
    {"RunScale", u"a#{scale,2}W", 0.0f, 0.0f, {32.0f, 28.0f}},
    {"MissingGlyphMeasuresNothing", u"a?b", 0.0f, 0.0f, {16.0f, 10.0f}},
    {"NegativeGapNeverBelowZero", u"ab", -20.0f, 0.0f, {0.0f, 10.0f}},
    {"WidestLineWins", u"a\nWWW\nbb", 0.0f, 0.0f, {36.0f, 34.0f}},
};

INSTANTIATE_TEST_SUITE_P(Text, MeasureTest, testing::ValuesIn(kMeasureCases),
                         [](const testing::TestParamInfo<MeasureCase>& info) { return info.param.name; });

TEST(Font, TextSizeConvertsUtf8AndLaysOut) {
    FakeFont font;
    font.setMarkupEnabled(true);
    EXPECT_EQ(font.textSize("a#{scale,3}\xE3\x81\x8B\nb", 1.0f, 2.0f), (MFontSize{33.0f, 30.0f + 30.0f + 2.0f}));
}

TEST(Font, NarrowFormsAnswerForTheFirstCharacter) {
    FakeFont font;
    EXPECT_EQ(font.getCharSize(std::string("Wa")), (MFontSize{12.0f, 14.0f}));
    EXPECT_EQ(font.getCharSize(std::string("")), MFontSize{});
    EXPECT_TRUE(font.hasChar(std::string("\xE3\x81\x8B")));
    EXPECT_FALSE(font.hasChar(std::string("?a")));
}

TEST(Font, DrawTextPlacesEachRunAndSkipsLineBreaks) {
    FakeFont font;
    font.setColour(0xAABBCCDD);
    font.drawText(layout(font, u"aW\nb"), 255, 0, 0.0f, 100.0f, 50.0f, 2.0f, 3.0f);
    // Pens: a at 100, W at 100 + 8 + 2; the second line starts 3 + 14 lower.
    // Each glyph is raised by half its height, truncated.
    const std::vector<FakeFont::Draw> expected = {
        {100.0f, 45.0f, {u"a", 0xAABBCCDD, 1.0f}},
        {110.0f, 43.0f, {u"W", 0xAABBCCDD, 1.0f}},
        {100.0f, 62.0f, {u"b", 0xAABBCCDD, 1.0f}},
    };
    EXPECT_EQ(font.draws, expected);
    EXPECT_EQ(font.log, "[ggg]");
}

TEST(Font, HalfHeightIsTruncatedPerRunScale) {
    FakeFont font;
    font.setMarkupEnabled(true);
    font.drawText(layout(font, u"#{scale,1.5}W"), 255, 0, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f);
    ASSERT_EQ(font.draws.size(), 1u);
    EXPECT_EQ(font.draws[0].y, -10.0f);  // 14 x 1.5 / 2 = 10.5
}

struct AlignCase {
    uint32_t align;
    float boxWidth;
    float firstX, secondX;
};

class AlignTest : public testing::TestWithParam<AlignCase> {};

TEST_P(AlignTest, ShiftsEachLineInTheBox) {
    const AlignCase& c = GetParam();
    FakeFont font;
    // Lines of width 8 + 1 + 8 = 17 and 12.
    font.drawText(layout(font, u"ab\nW"), 255, c.align, c.boxWidth, 10.0f, 0.0f, 1.0f, 0.0f);
    ASSERT_EQ(font.draws.size(), 3u);
    EXPECT_EQ(font.draws[0].x, c.firstX);
    EXPECT_EQ(font.draws[2].x, c.secondX);
}

INSTANTIATE_TEST_SUITE_P(Box, AlignTest,
                         testing::Values(AlignCase{0, 20.0f, 10.0f, 10.0f},
                                         // 3 narrower: 1.5 truncated to 1; 8 narrower: 4.
                                         AlignCase{1, 20.0f, 11.0f, 14.0f}, AlignCase{2, 20.0f, 13.0f, 18.0f},
                                         // Wider than the box: -1.5 truncates toward zero.
                                         AlignCase{1, 14.0f, 9.0f, 11.0f}, AlignCase{7, 20.0f, 10.0f, 10.0f}));

TEST(Font, AlphaBelowOpaqueScalesEachRunsAlphaByte) {
    FakeFont font;
    font.setMarkupEnabled(true);
    const GlyphRuns runs = layout(font, u"#{color,102030FF}a#{color,40506080}b");
    font.drawText(runs, 128, 0, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f);
    ASSERT_EQ(font.draws.size(), 2u);
    EXPECT_EQ(font.draws[0].run.colour, 0x10203080u);  // 255 x 128 / 255
    EXPECT_EQ(font.draws[1].run.colour, 0x40506040u);  // 128 x 128 / 255 = 64
    font.draws.clear();
    font.drawText(runs, 0, 0, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f);
    EXPECT_EQ(font.draws[0].run.colour, 0x10203000u);
    font.draws.clear();
    font.drawText(runs, 255, 0, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f);
    EXPECT_EQ(font.draws[1].run.colour, 0x40506080u);
}

TEST(Font, AnOpenDrawingLeavesTheBracketsToTheCaller) {
    FakeFont font;
    font.setDrawingOpen(true);
    font.drawText(layout(font, u"ab"), 255, 0, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f);
    EXPECT_EQ(font.log, "gg");
    font.setDrawingOpen(false);
    font.drawText({}, 255, 0, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f);
    EXPECT_EQ(font.log, "gg[]");
}

}  // namespace
