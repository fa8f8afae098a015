// The key=value writer keeps every key on the first line that holds it, and
// the content readers name the file and line at fault.
#include "tools/content/key_value_text.h"

#include <gtest/gtest.h>

#include "tests/support/temp_dir.h"
#include "tools/content/bitmap_font.h"
#include "tools/content/repertoire.h"

namespace {

using content::ContentError;
using content::KeyValue;

TEST(KeyValueTextTest, ShorterKeysFirstIsWrittenAndALaterSubstringIsRefused) {
    EXPECT_EQ(content::formatKeyValueText({{"laser", 128}, {"laser2", 64}, {"laser_dB", -30}}, "se"),
              "laser=128\nlaser2=64\nlaser_dB=-30\n");
    try {
        content::formatKeyValueText({{"bombitem_get", 1}, {"item_get", 2}}, "se");
        FAIL() << "item_get would be read from bombitem_get's line";
    } catch (const ContentError& error) {
        EXPECT_STREQ(error.what(), "se: key item_get would be read from line 1 (bombitem_get): put it before that line");
    }
}

TEST(KeyValueTextTest, ContentValuesAreCheckedWithTheirLine) {
    struct Case {
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {"A=1\nB 2\n", "t.txt:2: expected KEY=value"},
        {"A=1\nb=2\n", "t.txt:2: a key is capitals, digits and \"_\""},
        {"A=x\n", "t.txt:1: \"x\" is not a whole number"},
        {"A=-1\n", "t.txt:1: the value is below 0"},
        {"# note\nA=1\nA=2\n", "t.txt:3: key A appears twice"},
    };
    for (const Case& c : cases) {
        TempDir folder;
        folder.write("t.txt", c.text);
        const content::ContentContext context({folder.str(), "", "", ""});
        try {
            content::readKeyValueContent(context, "t.txt", 0);
            ADD_FAILURE() << c.text;
        } catch (const ContentError& error) {
            EXPECT_STREQ(error.what(), c.message);
        }
    }
}

TEST(KeyValueTextTest, GlyphAndRepertoireFilesRefuseWhatTheGameCannotDraw) {
    struct Case {
        const char* text;
        bool glyphs;
        const char* message;
    };
    const Case cases[] = {
        {"[`]\n", true, "g:1: the back-quote is drawn as a second space: leave it out"},
        {"[A]\n........\n", true, "g:1: 8 rows must follow"},
        {"[A]\n.......\n........\n........\n........\n........\n........\n........\n........\n", true, "g:2: a glyph row is 8 of \"#\" and \".\""},
        {"", true, "g: no glyph for \" \""},
        {"range U+0041 U+0040\n", false, "g:1: the range ends before it starts"},
        {"range U+41 U+10000\n", false, "g:1: \"U+10000\" is not U+XXXX of the BMP"},
        {"chars \xF0\x9F\x98\x80\n", false, "g:1: a character beyond the BMP"},
    };
    for (const Case& c : cases) {
        try {
            if (c.glyphs) content::parseBitmapGlyphs(c.text, "g");
            else content::parseRepertoire(c.text, "g");
            ADD_FAILURE() << c.text;
        } catch (const ContentError& error) {
            EXPECT_STREQ(error.what(), c.message);
        }
    }
    EXPECT_EQ(content::parseRepertoire("range U+0041 U+0043\nchars CDあ\n", "g"),
              (std::vector<char16_t>{u'A', u'B', u'C', u'D', u'あ'}));
}

}  // namespace
