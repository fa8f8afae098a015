#include "engine/render/draw_mode.h"

#include <algorithm>
#include <cmath>

using platform::Blend;
using platform::BlendOp;

namespace {

const D3DBlendRow kBlendRows[6] = {
    {BlendOp::Add, Blend::InvSrcAlpha, Blend::SrcAlpha, BlendOp::Add, Blend::InvSrcAlpha, Blend::One},
    {BlendOp::Add, Blend::One, Blend::SrcAlpha, BlendOp::Add, Blend::One, Blend::Zero},
    {BlendOp::RevSubtract, Blend::One, Blend::SrcAlpha, BlendOp::Add, Blend::One, Blend::Zero},
    {BlendOp::Add, Blend::InvSrcAlpha, Blend::DestColor, BlendOp::Add, Blend::One, Blend::Zero},
    {BlendOp::Add, Blend::One, Blend::InvDestColor, BlendOp::Add, Blend::One, Blend::Zero},
    {BlendOp::RevSubtract, Blend::One, Blend::SrcAlpha, BlendOp::Add, Blend::One, Blend::Zero},
};

const D3DBlendRow kCopyRow = {BlendOp::Add, Blend::Zero, Blend::One, BlendOp::Add, Blend::Zero, Blend::One};
const D3DBlendRow kEffectRow = {BlendOp::Add, Blend::Zero, Blend::One, BlendOp::Add, Blend::One, Blend::Zero};

// The parameter as a whole number; values no int holds count as 0.
int wholeParameter(float parameter) {
    return parameter > -1.0e9f && parameter < 1.0e9f ? int(parameter) : 0;
}

}  // namespace

const D3DBlendRow& blendRow(int row) { return kBlendRows[row >= 0 && row < 6 ? row : 0]; }

const D3DBlendRow& copyBlendRow() { return kCopyRow; }

const D3DBlendRow& effectBlendRow() { return kEffectRow; }

bool isEffectMode(MDrawMode mode) { return (mode & 0xF00) == kDrawModeEffect; }

// Classes other than 1 draw as class 0: the tables hold no others.
int textureClassOf(MDrawMode mode) { return (mode >> 4 & 0xF) == 1 ? 1 : 0; }

int textureIndexOf(MDrawMode mode, platform::PixelFormat boundFormat) {
    return textureClassOf(mode) + (boundFormat == platform::PixelFormat::A8 ? 2 : 0);
}

int blendRowOf(MDrawMode mode) { return mode <= 5 ? int(mode) : 0; }

int blendClassOf(MDrawMode mode) {
    switch (blendRowOf(mode)) {
    case 3:
    case 4: return 2;
    case 5: return 1;
    default: return 0;
    }
}

int effectIndexOf(MDrawMode mode, float parameter) {
    if (mode >= kDrawModeEffect && mode < kDrawModeMosaic) return int(mode - kDrawModeEffect) + 1;
    if (mode == kDrawModeMosaic) return 13;
    if (mode == kDrawModeBlur) return 14 + blurKernelOf(parameter);
    return 0;
}

int ordinaryPixelShader(int blendClass, int colourMode, int mask, int textureIndex) {
    return blendClass + 3 * colourMode + 15 * mask + 30 * textureIndex;
}

int effectPixelShader(int effectIndex, int mask, int textureIndex) {
    return kEffectPixelShaderBase + effectIndex + kEffectShadersPerGroup * (mask + 2 * textureIndex);
}

D3DDrawShaderChoice chooseDrawShader(MDrawMode mode, int colourMode, platform::PixelFormat boundFormat, int mask,
                                     bool grabbed, float parameter) {
    const int textureIndex = textureIndexOf(mode, boundFormat);
    mode &= kDrawModeMask;
    D3DDrawShaderChoice choice;
    if (grabbed) {
        choice.effect = true;
        choice.effectIndex = effectIndexOf(mode, parameter);
        choice.pixelShader = effectPixelShader(choice.effectIndex, mask, textureIndex);
        return choice;
    }
    choice.blendRow = blendRowOf(mode);
    const int filter = colourMode >= 0 && colourMode <= 4 ? colourMode : 0;
    choice.pixelShader = ordinaryPixelShader(blendClassOf(mode), filter, mask, textureIndex);
    return choice;
}

int mosaicCellSize(float viewWidth, float viewHeight, float parameter) {
    const float larger = std::max(viewWidth, viewHeight);
    const float cells = std::ceil(larger / parameter);
    // A parameter of 0 or less (or too small to count) makes one cell of the whole view.
    if (!(parameter > 0.0f) || !(cells < larger)) return std::max(int(std::ceil(larger)), 1);
    return std::max(int(cells), 1);
}

int blurKernelOf(float parameter) { return (wholeParameter(parameter) % 5 + 5) % 5; }

bool blurIsHorizontal(float parameter) { return wholeParameter(parameter) < 5; }

int blurMargin(float parameter) {
    static const int margins[5] = {2, 2, 2, 4, 6};
    return margins[blurKernelOf(parameter)];
}
