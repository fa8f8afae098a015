// The PSB fonts as the engine reads them: each loads without a header
// message, holds every character of the repertoire with a glyph that has
// ink and lies in its line cell, draws each with one quad, and draws
// nothing for a character it does not hold.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "engine/base/text_conv.h"
#include "engine/base/win_app_settings.h"
#include "engine/ui/psb_font.h"
#include "tests/engine/data/psb_document.h"
#include "tests/engine/ui/recording_display_fixture.h"
#include "tools/content/font_face.h"
#include "tools/content/repertoire.h"
#include "tools/psbwriter/data_container.h"

namespace {

std::vector<uint8_t> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::vector<char16_t> repertoire() {
    const std::vector<uint8_t> text = readFile(std::string(HALVIR_CONTENT_DIR "/") + content::kRepertoireFile);
    return content::parseRepertoire({reinterpret_cast<const char*>(text.data()), text.size()},
                                    content::kRepertoireFile);
}

bool isBlank(char16_t c) { return c == u' ' || c == u'\u3000'; }

// Whether the image rectangle holds a pixel with some alpha (B, G, R, A bytes).
bool hasInk(const PSBValue& image, int x, int y, int w, int h) {
    const int width = image.get("width").toInt();
    const uint8_t* pixels = image.get("pixel").getResourceData();
    for (int row = y; row < y + h; ++row) {
        for (int column = x; column < x + w; ++column) {
            if (pixels[(size_t(row) * size_t(width) + size_t(column)) * 4 + 3] != 0) return true;
        }
    }
    return false;
}

class PsbFontsTest : public RecordingDisplayTest, public testing::WithParamInterface<int> {
protected:
    void SetUp() override {
        RecordingDisplayTest::SetUp();
        M_SPEC = "win";
        name_ = "font" + std::to_string(GetParam()) + ".psb.m";
        const std::vector<uint8_t> container = readFile(std::string(HALVIR_RESOURCE_DIR "/font/") + name_);
        ASSERT_TRUE(psbwriter::isContainer(container)) << name_;
        document_ = loadDocument(psbwriter::unpackContainer(container, {}, name_));
    }

    std::string name_;
    std::unique_ptr<PSBObject> document_;
};

TEST_P(PsbFontsTest, EveryCharacterOfTheRepertoireMeasuresAndDrawsItsInk) {
    const float height = float(GetParam());
    MPSBFont font(*document_, 1.0f);
    EXPECT_EQ(font.headerMessage(), "");
    EXPECT_EQ(font.getMaxSize().height, height);
    ASSERT_EQ(font.sourceCount(), 1u);
    const PSBValue root = document_->root();
    const PSBValue image = root.get("source").at(0);
    const std::vector<char16_t> characters = repertoire();
    ASSERT_GT(characters.size(), 350u);
    for (char16_t c : characters) {
        const std::string key = wideToUtf8(std::u16string(1, c));
        ASSERT_TRUE(font.hasChar(c)) << key;
        const MFontSize size = font.getCharSize(c);
        EXPECT_GT(size.width, 0.0f) << key;
        EXPECT_LE(size.width, font.getMaxSize().width) << key;
        EXPECT_EQ(size.height, height) << key;

        const PSBValue glyph = root.get("code").get(key.c_str());
        const int x = glyph.get("x").toInt(), y = glyph.get("y").toInt();
        const int w = glyph.get("w").toInt(), h = glyph.get("h").toInt();
        const float a = glyph.get("a").toFloat();
        EXPECT_LE(x + w, image.get("width").toInt()) << key;
        EXPECT_LE(y + h, image.get("height").toInt()) << key;
        if (isBlank(c)) {
            EXPECT_EQ(w * h, 0) << key;
        } else {
            EXPECT_TRUE(hasInk(image, x, y, w, h)) << key;
            // Hanging from the pen at the cell's top: the glyph stays in its line.
            EXPECT_GE(-a, -1.0f) << key;
            EXPECT_LE(float(h) - a, height + 1.0f) << key;
        }

        device->clearRecord();
        font.drawGlyph(100.0f, 100.0f, GlyphRun{std::u16string(1, c), 0xFFFFFFFF, 1.0f});
        EXPECT_EQ(device->draws().size(), 1u) << key;
    }
}

TEST_P(PsbFontsTest, ACharacterItDoesNotHoldMeasuresNothingAndDrawsNothing) {
    MPSBFont font(*document_, 1.0f);
    for (char16_t c : {u'\u4E01', u'\u0001', u'\uFF5E'}) {
        EXPECT_FALSE(font.hasChar(c));
        EXPECT_EQ(font.getCharSize(c), MFontSize{});
        device->clearRecord();
        font.drawGlyph(100.0f, 100.0f, GlyphRun{std::u16string(1, c), 0xFFFFFFFF, 1.0f});
        EXPECT_TRUE(device->draws().empty());
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, PsbFontsTest, testing::Values(16, 24, 32));

TEST(FontFileTest, AMissingFaceNamesThePackageToInstall) {
    try {
        content::findFontFile("NoSuchFace.ttf", "fonts-nosuchface");
        FAIL() << "a missing face was found";
    } catch (const content::ContentError& error) {
        EXPECT_STREQ(error.what(), "font file NoSuchFace.ttf not found under /usr/share/fonts: install the Debian "
                                   "package fonts-nosuchface (scripts/install-deps)");
    }
    EXPECT_EQ(content::findFontFile("ipag.ttf", "fonts-ipafont-gothic"),
              "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf");
}

}  // namespace
