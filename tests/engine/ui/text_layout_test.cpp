// Layout of text into glyph runs, with and without inline markup.
#include <gtest/gtest.h>

#include "tests/engine/ui/fake_font.h"

namespace {

constexpr uint32_t kDefault = 0x11223344;

struct LayoutCase {
    const char* name;
    bool markup;
    std::u16string text;
    GlyphRuns runs;
};

GlyphRun run(std::u16string text, float scale = 1.0f, uint32_t colour = kDefault) {
    return {std::move(text), colour, scale};
}

GlyphRuns plain(std::u16string_view text, float scale = 1.0f, uint32_t colour = kDefault) {
    GlyphRuns runs;
    for (char16_t c : text) runs.push_back(run(std::u16string(1, c), scale, colour));
    return runs;
}

class LayoutTest : public testing::TestWithParam<LayoutCase> {};

TEST_P(LayoutTest, GivesTheRuns) {
    const LayoutCase& c = GetParam();
    FakeFont font;
    font.setColour(kDefault);
    font.setMarkupEnabled(c.markup);
    GlyphRuns runs = {run(u"stale")};
    font.layoutText(c.text, runs);
    EXPECT_EQ(runs, c.runs);
    EXPECT_GE(runs.capacity(), c.text.size());
}

const LayoutCase kLayoutCases[] = {
    {"Empty", true, u"", {}},
    {"PlainTextWithoutMarkup", false, u"ab\ncd", plain(u"ab\ncd")},
    {"CommandWithoutMarkupIsText", false, u"#{scale,2}", plain(u"#{scale,2}")},
    {"HashVanishes", true, u"#x", {run(u"x")}},
    {"CharactersAfterHashUntilBrace", true, u"#ab{scale,2}c", {run(u"a"), run(u"b"), run(u"c", 2.0f)}},
    {"SecondHashIsDrawnAfterTheFirst", true, u"##x", {run(u"#"), run(u"x")}},
    {"HashAtTheEnd", true, u"a#", {run(u"a")}},
    {"ScaleCommand", true, u"a#{scale,1.5}b", {run(u"a"), run(u"b", 1.5f)}},
    {"ScaleWithoutNumberIsZero", true, u"#{scale,big}a", {run(u"a", 0.0f)}},
    {"ColourCommand", true, u"a#{color,FF0000C0}b", {run(u"a"), run(u"b", 1.0f, 0xFF0000C0)}},
    {"SixDigitColourLeavesRedZero", true, u"#{color,  0x00ff80}a", {run(u"a", 1.0f, 0x0000FF80)}},
    {"ColourStopsAtTheFirstNonDigit", true, u"#{color,12g4}a", {run(u"a", 1.0f, 0x12)}},
    {"ColourWithoutDigitsIsZero", true, u"#{color,-1}a", {run(u"a", 1.0f, 0)}},
    {"ColourPast32BitsSaturates", true, u"#{color,123456789}a", {run(u"a", 1.0f, 0xFFFFFFFF)}},
    {"ColourClearRestoresTheDefault", true, u"#{color,ff}a#{color,clear}b",
     {run(u"a", 1.0f, 0xFF), run(u"b")}},
    {"ColourAndScaleTogether", true, u"#{scale,2}#{color,ff}a", {run(u"a", 2.0f, 0xFF)}},
    {"CommandWithoutValueChangesNothing", true, u"#{color}a#{scale}b", {run(u"a"), run(u"b")}},
    {"EmptyCommand", true, u"#{}a", {run(u"a")}},
    {"UnknownCommandChangesNothing", true, u"#{size,3}a#{Color,ff}b", {run(u"a"), run(u"b")}},
    {"FieldsAfterTheValueAreIgnored", true, u"#{scale,3,4}a", {run(u"a", 3.0f)}},
    {"UnclosedCommandIsDropped", true, u"ab#{scale,2", {run(u"a"), run(u"b")}},
    // The inner "#{" is read as text of the outer command's value, whose
    // first "}" closes it; what follows is drawn.
    {"NestedCommandClosesAtTheFirstBrace", true, u"#{color,#{scale,2}9}x",
     {run(u"9", 1.0f, 0), run(u"}", 1.0f, 0), run(u"x", 1.0f, 0)}},
    {"CommandsNarrowToTheLowByte", true, u"#{scal\u0165,2}a", {run(u"a", 2.0f)}},
    {"SurrogatePairWithVoicingMark", false, u"\xD83D\xDE00\u3099a", {run(u"\xD83D\xDE00\u3099"), run(u"a")}},
    {"LoneSurrogateAtTheEnd", false, u"a\xD83D", {run(u"a"), run(u"\xD83D")}},
    {"OneJoiningMarkPerCharacter", false, u"\u304b\u3099\u309a", {run(u"\u304b\u3099"), run(u"\u309a")}},
    {"ThaiMarks", false, u"\u0e01\u0e31\u0e01\u0e33\u0e01\u0e4e\u0e01\u0e32",
     {run(u"\u0e01\u0e31"), run(u"\u0e01\u0e33"), run(u"\u0e01\u0e4e"), run(u"\u0e01"), run(u"\u0e32")}},
    {"MarkupKeepsPairsInText", true, u"#{scale,2}\xD83D\xDE00\u3099",
     {run(u"\xD83D\xDE00\u3099", 2.0f)}},
    {"NoPairingAfterAHash", true, u"#\xD83D\xDE00", {run(u"\xD83D"), run(u"\xDE00")}},
};

INSTANTIATE_TEST_SUITE_P(Markup, LayoutTest, testing::ValuesIn(kLayoutCases),
                         [](const testing::TestParamInfo<LayoutCase>& info) { return info.param.name; });

TEST(Layout, MarkupStateLastsOneCall) {
    FakeFont font;
    font.setColour(kDefault);
    font.setMarkupEnabled(true);
    GlyphRuns runs;
    font.layoutText(u"#{scale,2}#{color,ff}a#{scale", runs);
    font.layoutText(u"b", runs);
    EXPECT_EQ(runs, GlyphRuns{run(u"b")});
}

}  // namespace
