// Bitmap text: glyph lookup, the cells it draws from and its widths.
#include "game/core/bitmap_text.h"

#include <gtest/gtest.h>

#include "engine/render/raw_tex.h"
#include "tests/game/core/sprite_target_recorder.h"

namespace {

class BitmapTextTest : public testing::Test {
protected:
    void SetUp() override {
        SDL2_wheel_TextureSet(3, new MRawTex(80, 80));
        SDL2_wheel_TextInit();
        SDL2_wheel_TextSetGlyphsPerRow10();
    }
    void TearDown() override { SDL2_wheel_TextureRelease(3); }
    SpriteTargetRecorder recorder;
};

TEST_F(BitmapTextTest, GlyphsComeFromTheirCellsAndTheBackQuoteTakesNoRoom) {
    SDL2_wheel_TextDraw(0, "A`B \x7f\n~", 20, 30, 1001);
    const auto& quads = recorder.quads();
    ASSERT_EQ(quads.size(), 4u);
    struct Expected {
        float sourceX, sourceY, left, top;
    };
    // With 10 glyphs a row, "A" (index 33) is column 3, row 3.
    const Expected expected[] = {{24, 24, 20, 30}, {32, 24, 28, 30}, {0, 0, 36, 30}, {32, 72, 20, 38}};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(quads[i].layer, 1001);
        EXPECT_EQ(quads[i].quad.sourceX, expected[i].sourceX) << i;
        EXPECT_EQ(quads[i].quad.sourceY, expected[i].sourceY) << i;
        EXPECT_EQ(quads[i].quad.sourceWidth, 8);
        EXPECT_EQ(quads[i].quad.corners[0].x, expected[i].left) << i;
        EXPECT_EQ(quads[i].quad.corners[0].y, expected[i].top) << i;
    }
}

TEST_F(BitmapTextTest, WidthsCountGlyphsAndNewlines) {
    EXPECT_EQ(SDL2_wheel_TextWidth("AB"), 16);
    EXPECT_EQ(SDL2_wheel_TextWidth("A\nB"), 24);
    EXPECT_EQ(SDL2_wheel_TextWidth("A`"), 8);
    EXPECT_EQ(bitmapGlyphIndex('`'), -1);
    EXPECT_EQ(bitmapGlyphIndex('A'), 33);
    EXPECT_EQ(bitmapGlyphIndex('\x80'), -1);
}

TEST_F(BitmapTextTest, FontsThatAreOffOrWithoutASheetDrawNothing) {
    SDL2_wheel_TextDraw(1, "A", 0, 0, 5);
    SDL2_wheel_TextDraw(7, "A", 0, 0, 5);
    SDL2_wheel_TextureRelease(3);
    SDL2_wheel_TextDraw(0, "A", 0, 0, 5);
    EXPECT_TRUE(recorder.quads().empty());
    EXPECT_EQ(SDL2_wheel_TextWidth("A"), 8);  // the width needs the font, not its sheet
}

}  // namespace
