// The system font on a display over the recording device: sizes, glyphs
// made on first draw, and white glyph quads whatever the run's colour.
#include "engine/ui/embed_font.h"

#include <gtest/gtest.h>

#include <cstring>

#include "engine/render/win_d3d_win.h"
#include "platform/font/glyph_rasterizer.h"
#include "tests/engine/ui/recording_display_fixture.h"

namespace {

using EmbedFontTest = RecordingDisplayTest;

TEST_F(EmbedFontTest, SizesFollowThePixelHeightAndTheScale) {
    MEmbedFont font(1.0f);
    EXPECT_EQ(font.getMaxSize(), (MFontSize{28.0f, 28.0f}));
    EXPECT_EQ(font.getCharSize(u' '), (MFontSize{14.0f, 28.0f}));
    auto reference = platform::GlyphRasterizer::open(platform::findEmbedFontPath(""), 28);
    platform::GlyphBitmap a;
    ASSERT_TRUE(reference->render(U'A', a));
    EXPECT_EQ(font.getCharSize(u"A"), (MFontSize{float(a.width + 1), 28.0f}));
    EXPECT_EQ(font.cache().nextFreeCell(), 0u);  // measuring draws nothing
    font.setScale(2.0f);
    EXPECT_EQ(font.getMaxSize(), (MFontSize{56.0f, 56.0f}));
    EXPECT_EQ(font.getScaleXY(), (MFontScale{1.0f, 1.0f}));
    EXPECT_TRUE(font.hasChar(u'\u3042'));
}

TEST_F(EmbedFontTest, PreparedGlyphsTakeOneCellEachOnce) {
    MEmbedFont font(1.0f);
    font.prepareGlyphs("A\xE3\x81\x82" "A");  // "A", hiragana a, "A"
    EXPECT_EQ(font.cache().nextFreeCell(), 2u);
    ASSERT_NE(font.cache().find(U'\u3042'), nullptr);
    EXPECT_GE(font.cache().find(U'\u3042')->x, 28);  // the second cell
    EXPECT_LT(font.cache().find(U'\u3042')->x, 56);
}

TEST_F(EmbedFontTest, ARedRunStillDrawsAWhiteGlyphQuadOverItsCell) {
    MEmbedFont font(1.0f);
    font.setScale(2.0f);
    device->clearRecord();
    font.drawGlyph(10.0f, 20.0f, GlyphRun{u"A", 0xFF0000FFu, 0.5f});
    const MEmbedGlyphCell* cell = font.cache().find(U'A');
    ASSERT_NE(cell, nullptr);
    const auto draws = device->draws();
    ASSERT_EQ(draws.size(), 1u);
    const auto& draw = draws[0];
    EXPECT_EQ(draw.primitives, 2);
    for (int v = 0; v < 4; ++v) {
        uint32_t colour = 0;
        std::memcpy(&colour, draw.vertices.data() + v * 24 + 12, 4);
        EXPECT_EQ(colour, 0xFFFFFFFFu) << v;
    }
    const float offset = display->d3dWin()->pixelOffsetX();
    EXPECT_FLOAT_EQ(draw.vertexFloat(6) - offset, 10.0f + float(cell->width));  // right = x + width * 2 * 0.5
    EXPECT_FLOAT_EQ(draw.vertexFloat(13) - display->d3dWin()->pixelOffsetY(), 20.0f + 28.0f);
    EXPECT_FLOAT_EQ(draw.vertexFloat(10), float(cell->x + cell->width) / 512.0f);  // u of the right side
}

}  // namespace
