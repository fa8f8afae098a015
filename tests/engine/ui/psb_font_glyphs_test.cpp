// The header check and the glyph table of PSB font files, on documents made
// by our writer.
#include <gtest/gtest.h>

#include "engine/data/psb_value.h"
#include "engine/ui/psb_font_glyphs.h"
#include "tests/engine/data/psb_document.h"
#include "tools/psbwriter/psb_writer.h"

namespace {

using psbwriter::Object;
using psbwriter::Value;

Object glyphEntry(int id, float x) {
    return {{"id", id},         {"x", x},         {"y", 2.0f}, {"width", 7.0f}, {"height", 9.0f},
            {"w", 8.0f},        {"h", 10.0f},     {"a", 6.0f}, {"b", 1.0f},     {"d", 3.0f}};
}

std::unique_ptr<PSBObject> fontDocument(Object header) {
    Object root = std::move(header);
    root["label"] = "font16";
    root["code"] = Object{{"A", glyphEntry(0, 1.0f)}, {"\xE3\x81\x82", glyphEntry(1, 20.0f)},
                          {"B", Object{{"id", 0}, {"x", 1.0f}}}};
    return loadDocument(psbwriter::writePsb(Value(root)));
}

struct HeaderCase {
    const char* name;
    Object header;
    std::string message;
};

class FontHeaderTest : public testing::TestWithParam<HeaderCase> {};

TEST_P(FontHeaderTest, FormsTheMessage) {
    const auto document = fontDocument(GetParam().header);
    EXPECT_EQ(checkPSBFontHeader(document->root(), "win"), GetParam().message);
}

const std::string kOld = "font file 'font16' version is too old. update Glyphwright, export font file again.\n";
const std::string kNew = "font file 'font16' version is too new. update vantorlib.\n";
const std::string kSpec = "font file 'font16' has not adaptive spec of font file. export psb again.\n";

const HeaderCase kHeaderCases[] = {
    {"NoIdNoCheck", {{"spec", "ps3"}, {"version", 0.5f}}, ""},
    {"OtherIdNoCheck", {{"id", "image"}, {"version", 9.0f}}, ""},
    {"NumericIdNoCheck", {{"id", 4}}, ""},
    {"ExactVersion", {{"id", "font"}, {"spec", "win"}, {"version", 1.08f}}, ""},
    {"CommonSpec", {{"id", "font"}, {"spec", "common"}, {"version", 1.08f}}, ""},
    {"VersionJustBelow", {{"id", "font"}, {"spec", "win"}, {"version", 1.0799f}}, kOld},
    {"VersionJustAbove", {{"id", "font"}, {"spec", "win"}, {"version", 1.0801f}}, kNew},
    {"OtherSpecBeforeVersion", {{"id", "font"}, {"spec", "osx"}}, kSpec},
};

INSTANTIATE_TEST_SUITE_P(Font, FontHeaderTest, testing::ValuesIn(kHeaderCases),
                         [](const testing::TestParamInfo<HeaderCase>& info) { return info.param.name; });

TEST(FontHeader, ACheckedHeaderNeedsItsSpecAndVersion) {
    ThrowingPSBFatal fatal;
    EXPECT_THROW(checkPSBFontHeader(fontDocument({{"id", "font"}})->root(), "win"), PSBFatalError);
    EXPECT_THROW(checkPSBFontHeader(fontDocument({{"id", "font"}, {"spec", "win"}})->root(), "win"),
                 PSBFatalError);
}

TEST(FontGlyphs, AGlyphIsReadOnceAndKept) {
    const auto document = fontDocument({});
    MPSBFontGlyphs glyphs(document->root().get("code"));
    const auto a = glyphs.find(u'\u3042');
    ASSERT_TRUE(a.has_value());
    EXPECT_EQ(a->id, 1);
    EXPECT_EQ(a->x, 20.0f);
    EXPECT_EQ(a->y, 2.0f);
    EXPECT_EQ(a->width, 7.0f);
    EXPECT_EQ(a->height, 9.0f);
    EXPECT_EQ(a->w, 8.0f);
    EXPECT_EQ(a->h, 10.0f);
    EXPECT_EQ(a->a, 6.0f);
    EXPECT_EQ(a->b, 1.0f);
    EXPECT_EQ(a->d, 3.0f);
    EXPECT_EQ(glyphs.cachedCount(), 1u);
    EXPECT_EQ(glyphs.find(u'\u3042')->x, 20.0f);
    EXPECT_EQ(glyphs.cachedCount(), 1u);
    EXPECT_FALSE(glyphs.find(u'Z').has_value());
    EXPECT_EQ(glyphs.cachedCount(), 1u);
}

TEST(FontGlyphs, AnEntryMissingAKeyIsFatal) {
    ThrowingPSBFatal fatal;
    const auto document = fontDocument({});
    MPSBFontGlyphs glyphs(document->root().get("code"));
    try {
        glyphs.find(u'B');
        FAIL() << "no failure";
    } catch (const PSBFatalError& e) {
        EXPECT_STREQ(e.what(), "psb: undefined object key 'y' is referenced.");
    }
}

}  // namespace
