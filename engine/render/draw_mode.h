#pragma once
// MDrawMode: the word that says how a primitive's pixels combine with the
// picture, and the pure rules that turn it into shader table indices, a blend
// row and the constants of the mosaic and blur effects.
//
// Bits 0-3 blend mode (0 alpha, 1 add, 2 subtract, 3 multiply, 4 screen,
// 5 inverted subtract); bits 4-7 texture class (0 or 1); bits 8-11 equal to 1
// mark an effect, whose number is the low byte without the texture class.
// Only the bits of 0xFF0F count once the texture class has been read.

#include <cstdint>

#include "platform/device/device.h"

using MDrawMode = uint32_t;

constexpr MDrawMode kDrawModeMask = 0xFF0F;
constexpr MDrawMode kDrawModeEffect = 0x100;
constexpr MDrawMode kDrawModeMosaic = 0x10C;
constexpr MDrawMode kDrawModeBlur = 0x10D;

constexpr int kOrdinaryPixelShaders = 120;
constexpr int kEffectPixelShaderBase = 120;
constexpr int kEffectShadersPerGroup = 19;
constexpr int kMaskPixelShaderBase = 272;  // 272..275: the mask composite
constexpr int kPatternPixelShader = 276;
constexpr int kYuvPixelShader = 277;
constexpr int kHatchPixelShader = 278;
constexpr int kSolidPixelShader = 279;

// The six blend states in the order they are set.
struct D3DBlendRow {
    platform::BlendOp op;
    platform::Blend dest;
    platform::Blend src;
    platform::BlendOp opAlpha;
    platform::Blend destAlpha;
    platform::Blend srcAlpha;
};

// Rows 0..5 of the ordinary blend modes.
const D3DBlendRow& blendRow(int row);
// Copies between targets: the source replaces colour and alpha.
const D3DBlendRow& copyBlendRow();
// Every effect replaces the colour with the shader's and keeps the destination alpha.
const D3DBlendRow& effectBlendRow();

bool isEffectMode(MDrawMode mode);
// 1 for class 1; every other class draws as 0, the tables holding no more.
int textureClassOf(MDrawMode mode);
// Texture class, plus 2 for an A8 texture (whose colour comes from the vertex).
int textureIndexOf(MDrawMode mode, platform::PixelFormat boundFormat);
// The blend row of an ordinary mode (already masked with 0xFF0F). Words past
// the six rows (blend modes 6 to 15, other high bytes) take row 0, alpha: a
// sprite sheet's "normal" mode 7 draws as alpha.
int blendRowOf(MDrawMode mode);
// 0 for alpha, add and subtract; 1 for mode 5; 2 for multiply and screen.
int blendClassOf(MDrawMode mode);
// e of an effect mode (masked): 1..12 for 0x100..0x10B, 13 mosaic,
// 14..18 blur by the parameter's kernel, 0 for any other number.
int effectIndexOf(MDrawMode mode, float parameter);
int ordinaryPixelShader(int blendClass, int colourMode, int mask, int textureIndex);
int effectPixelShader(int effectIndex, int mask, int textureIndex);

// What setDrawState draws a mode with.
struct D3DDrawShaderChoice {
    bool effect = false;
    int pixelShader = 0;
    int blendRow = 0;  // ignored for effects
    int effectIndex = 0;
};
// mode: the word as given; grabbed: whether the destination was grabbed
// (an effect mode whose region is empty falls back to the ordinary rules).
// Colour modes outside 0..4 draw as 0.
D3DDrawShaderChoice chooseDrawShader(MDrawMode mode, int colourMode, platform::PixelFormat boundFormat, int mask,
                                     bool grabbed, float parameter);

// Mosaic cell size in pixels for a view of width x height: the larger side
// cut into `parameter` cells. At least 1, at most the larger side.
int mosaicCellSize(float viewWidth, float viewHeight, float parameter);
// The blur's kernel 0..4 and direction: kernels 0..4 of parameters below 5
// blur horizontally, the rest vertically.
int blurKernelOf(float parameter);
bool blurIsHorizontal(float parameter);
// Pixels the blur reads beyond the region on each side along its direction.
int blurMargin(float parameter);
