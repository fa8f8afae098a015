// A small PSB font made with our writer, drawn on the OpenGL device and read
// back: glyph quads at their pen positions and run scales, and a glyph whose
// image index names no source image drawing nothing.
#include "engine/ui/psb_font.h"

#include <gtest/gtest.h>

#include "engine/base/win_app_settings.h"
#include "engine/data/psb_value.h"
#include "tests/engine/data/psb_document.h"
#include "tests/engine/render/gl_display_fixture.h"
#include "tools/psbwriter/psb_writer.h"

namespace {

using psbwriter::Object;

constexpr uint32_t kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlack = 0xFF000000;

Object glyph(int id, float x) {
    return {{"id", id}, {"x", x},     {"y", 0.0f}, {"width", 3.0f}, {"height", 4.0f},
            {"w", 2.0f}, {"h", 2.0f}, {"a", 2.0f}, {"b", 0.0f},     {"d", 0.0f}};
}

// One 4 x 2 image: its left half red, its right half green (bytes B, G, R, A).
std::unique_ptr<PSBObject> fontDocument(Object header) {
    std::vector<uint8_t> pixels;
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x)
            pixels.insert(pixels.end(), {0, uint8_t(x < 2 ? 0 : 255), uint8_t(x < 2 ? 255 : 0), 255});
    Object image{{"width", 4}, {"height", 2}, {"type", "RGBA8"}, {"pixel", psbwriter::Resource{pixels, false}}};
    Object root = std::move(header);
    root["label"] = "tiny";
    root["maxWidth"] = 5.0f;
    root["maxHeight"] = 6.0f;
    root["code"] = Object{{"A", glyph(0, 0.0f)}, {"B", glyph(0, 2.0f)}, {"C", glyph(1, 0.0f)}, {"D", glyph(-1, 0.0f)}};
    root["source"] = psbwriter::List{image};
    return loadDocument(psbwriter::writePsb(root));
}

class PSBFontGlTest : public GlDisplayTest {
protected:
    void SetUp() override {
        M_SPEC = "win";
        // World origin in the middle of the screen, y down, a unit a pixel.
        const float matrix[16] = {2.0f / kSize, 0, 0, 0, 0, -2.0f / kSize, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1};
        win().device()->setVertexShaderConstants(0, matrix, 4);
        win().setPixelOffset(-0.5f, -0.5f);
        target_ = win().createTexture(kSize, kSize, platform::PixelFormat::A8R8G8B8, true, 1);
        ASSERT_NE(target_, nullptr);
        ASSERT_TRUE(win().clearTexture(target_, kBlack));
        win().setRenderTargetTexture(target_);
    }
    void TearDown() override {
        win().device()->setRenderTarget(win().device()->backBuffer());
        win().releaseTexture(target_);
    }

    // Pen positions in screen pixels from the top left.
    static void draw(MPSBFont& font, char16_t code, float x, float y, float scale = 1.0f) {
        font.drawGlyph(x - kSize / 2.0f, y - kSize / 2.0f, GlyphRun{std::u16string(1, code), 0xFFFFFFFF, scale});
    }

    std::vector<uint32_t> read() { return win().device()->readSurface(target_->surface, {0, 0, kSize, kSize}); }

    MWinD3DTexture* target_ = nullptr;
};

TEST_F(PSBFontGlTest, GlyphsDrawTheirRectanglesAtThePenAndRunScale) {
    const auto document = fontDocument({});
    MPSBFont font(*document, 1.0f);
    draw(font, u'A', 1, 3);        // pixels (1..2, 1..2) red
    draw(font, u'B', 8, 4, 2.0f);  // pixels (8..11, 0..3) green
    const auto pixels = read();
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            uint32_t expected = kBlack;
            if (x >= 1 && x < 3 && y >= 1 && y < 3) expected = kRed;
            if (x >= 8 && x < 12 && y < 4) expected = kGreen;
            EXPECT_EQ(pixels[size_t(y * kSize + x)], expected) << x << "," << y;
        }
    }
}

TEST_F(PSBFontGlTest, GlyphOfAMissingSourceImageDrawsNothing) {
    const auto document = fontDocument({});
    MPSBFont font(*document, 1.0f);
    ASSERT_EQ(font.sourceCount(), 1u);
    for (char16_t code : {u'C', u'D', u'Z'}) draw(font, code, 4, 4);
    for (uint32_t pixel : read()) EXPECT_EQ(pixel, kBlack);
    EXPECT_TRUE(font.hasChar(u'C'));
}

TEST_F(PSBFontGlTest, SizesFollowTheScaleButTheMaximumIsFixed) {
    const auto document = fontDocument({});
    MPSBFont font(*document, 2.0f);
    EXPECT_EQ(font.getMaxSize(), (MFontSize{10.0f, 12.0f}));
    EXPECT_EQ(font.getCharSize(u'A'), (MFontSize{6.0f, 8.0f}));
    font.setScale(1.0f, 0.5f);
    EXPECT_EQ(font.getCharSize(std::string("A")), (MFontSize{3.0f, 2.0f}));
    EXPECT_EQ(font.getCharSize(u'Z'), MFontSize{});
    EXPECT_FALSE(font.hasChar(std::u16string_view()));
    EXPECT_EQ(font.getMaxSize(), (MFontSize{10.0f, 12.0f}));
    EXPECT_EQ(font.getScaleXY(), (MFontScale{1.0f, 0.5f}));
}

TEST_F(PSBFontGlTest, AHeaderMismatchIsKeptAndLoadingGoesOn) {
    const auto document = fontDocument({{"id", "font"}, {"spec", "win"}, {"version", 1.0799f}});
    MPSBFont font(*document, 1.0f);
    EXPECT_EQ(font.headerMessage(),
              "font file 'tiny' version is too old. update Glyphwright, export font file again.\n");
    EXPECT_EQ(font.sourceCount(), 1u);
    EXPECT_TRUE(font.hasChar(u'A'));
}

}  // namespace
