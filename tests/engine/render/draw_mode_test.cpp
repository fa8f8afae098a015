// Draw-mode words to shader indices, blend rows and effect constants, as
// pure functions over the documented cases and the corners of each range.
#include "engine/render/draw_mode.h"

#include <gtest/gtest.h>

namespace {

using platform::Blend;
using platform::BlendOp;
using platform::PixelFormat;

struct SelectionCase {
    const char* name;
    MDrawMode mode;
    int colourMode;
    PixelFormat format;
    int mask;
    bool grabbed;
    float parameter;
    bool effect;
    int pixelShader;
    int blendRow;
};

TEST(DrawMode, ShaderSelection) {
    const SelectionCase cases[] = {
        {"alpha", 0x00, 0, PixelFormat::A8R8G8B8, 0, false, 0, false, 0, 0},
        {"add", 0x01, 0, PixelFormat::A8R8G8B8, 0, false, 0, false, 0, 1},
        {"subtract", 0x02, 0, PixelFormat::A8R8G8B8, 0, false, 0, false, 0, 2},
        {"multiply", 0x03, 0, PixelFormat::A8R8G8B8, 0, false, 0, false, 2, 3},
        {"screen", 0x04, 0, PixelFormat::A8R8G8B8, 0, false, 0, false, 2, 4},
        {"inverted subtract", 0x05, 0, PixelFormat::A8R8G8B8, 0, false, 0, false, 1, 5},
        {"multiply, class 1", 0x13, 0, PixelFormat::A8R8G8B8, 0, false, 0, false, 32, 3},
        {"colour mode 4 masked", 0x00, 4, PixelFormat::A8R8G8B8, 1, false, 0, false, 27, 0},
        {"A8", 0x00, 0, PixelFormat::A8, 0, false, 0, false, 60, 0},
        {"A8 class 1, first", 0x10, 0, PixelFormat::A8, 0, false, 0, false, 90, 0},
        {"A8 class 1, last", 0x14, 4, PixelFormat::A8, 1, false, 0, false, 119, 4},
        {"normal sheet mode 7", 0x07, 0, PixelFormat::A8R8G8B8, 0, false, 0, false, 0, 0},
        {"mode 15", 0x0F, 1, PixelFormat::A8R8G8B8, 0, false, 0, false, 3, 0},
        {"high byte 2", 0x201, 0, PixelFormat::A8R8G8B8, 0, false, 0, false, 0, 0},
        {"bits 16 up ignored", 0x10003, 0, PixelFormat::A8R8G8B8, 0, false, 0, false, 2, 3},
        {"colour mode out of range", 0x00, 7, PixelFormat::A8R8G8B8, 0, false, 0, false, 0, 0},
        {"effect whose region is empty", 0x100, 0, PixelFormat::A8R8G8B8, 0, false, 0, false, 0, 0},
        {"linear dodge", 0x100, 0, PixelFormat::A8R8G8B8, 0, true, 0, true, 121, 0},
        {"luminance tint", 0x10B, 2, PixelFormat::A8R8G8B8, 0, true, 0, true, 132, 0},
        {"mosaic class 1", 0x11C, 0, PixelFormat::A8R8G8B8, 0, true, 10, true, 120 + 13 + 38, 0},
        {"blur 0", 0x10D, 0, PixelFormat::A8R8G8B8, 0, true, 0, true, 134, 0},
        {"blur 7", 0x10D, 0, PixelFormat::A8R8G8B8, 0, true, 7, true, 136, 0},
        {"blur 9", 0x10D, 0, PixelFormat::A8R8G8B8, 0, true, 9, true, 138, 0},
        {"effect 14 is plain", 0x10E, 0, PixelFormat::A8R8G8B8, 0, true, 0, true, 120, 0},
        {"effect 0xFF is plain", 0x1FF, 0, PixelFormat::A8R8G8B8, 1, true, 0, true, 139, 0},
        {"last effect shader", 0x11D, 0, PixelFormat::A8, 1, true, 4, true, 271, 0},
    };
    for (const SelectionCase& c : cases) {
        const D3DDrawShaderChoice choice = chooseDrawShader(c.mode, c.colourMode, c.format, c.mask, c.grabbed,
                                                            c.parameter);
        EXPECT_EQ(choice.effect, c.effect) << c.name;
        EXPECT_EQ(choice.pixelShader, c.pixelShader) << c.name;
        if (!c.effect) {
            EXPECT_EQ(choice.blendRow, c.blendRow) << c.name;
        }
    }
}

TEST(DrawMode, EffectModesAreThoseWithOneInBitsEightToEleven) {
    EXPECT_TRUE(isEffectMode(0x100));
    EXPECT_TRUE(isEffectMode(0x11D));
    EXPECT_TRUE(isEffectMode(0x1100));
    EXPECT_FALSE(isEffectMode(0x13));
    EXPECT_FALSE(isEffectMode(0x200));
    EXPECT_FALSE(isEffectMode(0x300));
}

TEST(DrawMode, EffectIndices) {
    for (MDrawMode mode = 0x100; mode <= 0x10B; ++mode) EXPECT_EQ(effectIndexOf(mode, 0), int(mode - 0x100) + 1);
    EXPECT_EQ(effectIndexOf(0x10C, 3), 13);
    EXPECT_EQ(effectIndexOf(0x10D, 7), 16);
    EXPECT_EQ(effectIndexOf(0x10D, 4.9f), 18);
    EXPECT_EQ(effectIndexOf(0x10D, -1), 18);  // never below the blur range
    EXPECT_EQ(effectIndexOf(0x10D, 1e30f), 14);
    EXPECT_EQ(effectIndexOf(0x10E, 0), 0);
    EXPECT_EQ(effectIndexOf(0x1100, 0), 0);
}

TEST(DrawMode, BlendRowsAsSetOnTheDevice) {
    struct Row {
        BlendOp op;
        Blend dest, src;
        BlendOp opAlpha;
        Blend destAlpha, srcAlpha;
    };
    const Row rows[6] = {
        {BlendOp::Add, Blend::InvSrcAlpha, Blend::SrcAlpha, BlendOp::Add, Blend::InvSrcAlpha, Blend::One},
        {BlendOp::Add, Blend::One, Blend::SrcAlpha, BlendOp::Add, Blend::One, Blend::Zero},
        {BlendOp::RevSubtract, Blend::One, Blend::SrcAlpha, BlendOp::Add, Blend::One, Blend::Zero},
        {BlendOp::Add, Blend::InvSrcAlpha, Blend::DestColor, BlendOp::Add, Blend::One, Blend::Zero},
        {BlendOp::Add, Blend::One, Blend::InvDestColor, BlendOp::Add, Blend::One, Blend::Zero},
        {BlendOp::RevSubtract, Blend::One, Blend::SrcAlpha, BlendOp::Add, Blend::One, Blend::Zero},
    };
    for (int i = 0; i < 6; ++i) {
        const D3DBlendRow& r = blendRow(i);
        EXPECT_EQ(r.op, rows[i].op) << i;
        EXPECT_EQ(r.dest, rows[i].dest) << i;
        EXPECT_EQ(r.src, rows[i].src) << i;
        EXPECT_EQ(r.opAlpha, rows[i].opAlpha) << i;
        EXPECT_EQ(r.destAlpha, rows[i].destAlpha) << i;
        EXPECT_EQ(r.srcAlpha, rows[i].srcAlpha) << i;
    }
    for (MDrawMode mode = 6; mode <= 15; ++mode) EXPECT_EQ(blendRowOf(mode), 0) << mode;
    const D3DBlendRow& e = effectBlendRow();
    EXPECT_EQ(e.dest, Blend::Zero);
    EXPECT_EQ(e.src, Blend::One);
    EXPECT_EQ(e.destAlpha, Blend::One);
    EXPECT_EQ(e.srcAlpha, Blend::Zero);
}

TEST(DrawMode, MosaicCellsAndBlurMargins) {
    EXPECT_EQ(mosaicCellSize(224, 288, 10), 29);
    EXPECT_EQ(mosaicCellSize(224, 288, 288), 1);
    EXPECT_EQ(mosaicCellSize(224, 288, 1000), 1);
    EXPECT_EQ(mosaicCellSize(224, 288, 0), 288);   // one cell, no division by zero
    EXPECT_EQ(mosaicCellSize(224, 288, -3), 288);
    EXPECT_EQ(mosaicCellSize(224, 288, 0.5f), 288);
    const int margins[10] = {2, 2, 2, 4, 6, 2, 2, 2, 4, 6};
    for (int k = 0; k < 10; ++k) {
        EXPECT_EQ(blurMargin(float(k)), margins[k]) << k;
        EXPECT_EQ(blurIsHorizontal(float(k)), k < 5) << k;
    }
}

}  // namespace
