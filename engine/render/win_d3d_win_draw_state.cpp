// MWinD3DWin's draw state: the stage-0 binding, the shader tables, draw
// modes with their blend rows and shader constants, and the default states.
#include <algorithm>
#include <vector>

#include "engine/render/win_d3d_win.h"

using platform::RenderState;
using platform::SamplerState;

namespace {

bool filterSelectorApplies(int32_t selector) { return selector >= 0 && selector <= 5; }

uint32_t filterOf(int32_t selector) {
    return uint32_t(selector == 0 ? platform::TextureFilter::Point : platform::TextureFilter::Linear);
}

uint32_t addressOf(int32_t selector) {
    switch (selector) {
    case 1: return uint32_t(platform::AddressMode::Wrap);
    case 2: return uint32_t(platform::AddressMode::Mirror);
    default: return uint32_t(platform::AddressMode::Clamp);
    }
}

float channel(uint32_t argb, int shift) { return float(argb >> shift & 0xFF) / 255.0f; }

}  // namespace

void MWinD3DWin::applyBlendRow(const D3DBlendRow& row) {
    platform::Device& d = *device_;
    d.setRenderState(RenderState::BlendOp, uint32_t(row.op));
    d.setRenderState(RenderState::DestBlend, uint32_t(row.dest));
    d.setRenderState(RenderState::SrcBlend, uint32_t(row.src));
    d.setRenderState(RenderState::BlendOpAlpha, uint32_t(row.opAlpha));
    d.setRenderState(RenderState::DestBlendAlpha, uint32_t(row.destAlpha));
    d.setRenderState(RenderState::SrcBlendAlpha, uint32_t(row.srcAlpha));
    lastMode_ = kNoMode;
}

void MWinD3DWin::applySampler(int stage, int32_t minSelector, int32_t magSelector, int32_t addressU,
                              int32_t addressV) {
    setTextureFilter(minSelector, magSelector, stage);
    device_->setSamplerState(stage, SamplerState::AddressU, addressOf(addressU));
    device_->setSamplerState(stage, SamplerState::AddressV, addressOf(addressV));
    if (stage != 0) return;
    stage0_.addressU = addressU;
    stage0_.addressV = addressV;
}

void MWinD3DWin::setTextureFilter(int32_t minSelector, int32_t magSelector, int32_t stage) {
    if (filterSelectorApplies(minSelector)) {
        device_->setSamplerState(stage, SamplerState::MinFilter, filterOf(minSelector));
        if (stage == 0) stage0_.minFilter = minSelector;
    }
    if (filterSelectorApplies(magSelector)) {
        device_->setSamplerState(stage, SamplerState::MagFilter, filterOf(magSelector));
        if (stage == 0) stage0_.magFilter = magSelector;
    }
}

void MWinD3DWin::setTexture(MWinD3DTexture* texture) {
    if (!texture) {
        if (stage0_.texture) device_->setTexture(0, nullptr);
        stage0_.texture = nullptr;
        return;
    }
    stage0_.format = texture->format;
    if (texture->texture == stage0_.texture) return;
    stage0_.texture = texture->texture;
    device_->setTexture(0, stage0_.texture);
    applySampler(0, texture->minFilter, texture->magFilter, texture->addressU, texture->addressV);
}

void MWinD3DWin::restoreStage0(const D3DStageCache& kept) {
    device_->setTexture(0, kept.texture);
    applySampler(0, kept.minFilter, kept.magFilter, kept.addressU, kept.addressV);
    stage0_ = kept;
}

bool MWinD3DWin::isTextureBound(MWinD3DTexture* texture) {
    return texture && device_->texture(0) == texture->texture;
}

platform::VertexShader* MWinD3DWin::vertexShaderAt(int32_t index) {
    if (!vertexShaders_[index]) {
        vertexShaders_[index] = device_->createVertexShader(index);
        if (vertexShaders_[index]) onVertexShaderCreated(index);
    }
    return vertexShaders_[index];
}

platform::PixelShader* MWinD3DWin::pixelShaderAt(int32_t index) {
    // A shader that fails to build leaves its slot empty, to be tried again.
    if (!pixelShaders_[index]) pixelShaders_[index] = device_->createPixelShader(index);
    return pixelShaders_[index];
}

bool MWinD3DWin::setVertexShader(int32_t a, int32_t b) {
    const int32_t index = b + 2 * a;
    if (index < 0 || index >= platform::kVertexShaderCount) return false;
    vertexShaderAt(index);
    vertexShaderIndex_ = index;
    vertexShaderA_ = a;
    if (vertexShaders_[index] == currentVertexShader_) return false;
    currentVertexShader_ = vertexShaders_[index];
    device_->setVertexShader(currentVertexShader_);
    return true;
}

bool MWinD3DWin::setPixelShader(int32_t index) {
    if (index < 0 || index >= platform::kPixelShaderCount) return false;
    pixelShaderAt(index);
    if (pixelShaders_[index] == currentPixelShader_) return false;
    currentPixelShader_ = pixelShaders_[index];
    device_->setPixelShader(currentPixelShader_);
    return true;
}

namespace {

// A program play draws with: vertex layout, vertex shader (-1 none), pixel shader.
struct PreparedProgram {
    platform::VertexFormat format;
    int32_t vertexShader;
    int32_t pixelShader;
};

// Most used first: the copy of the screen's picture, fills, then the
// ordinary table without and with a mask, texture class 0 and colour mode 0
// before the rest.
std::vector<PreparedProgram> programsToPrepare() {
    using platform::VertexFormat;
    std::vector<PreparedProgram> list = {
        {VertexFormat::ScreenSpace, -1, ordinaryPixelShader(0, 0, 0, 0)},
        {VertexFormat::Coloured, 0, kSolidPixelShader},
        {VertexFormat::Coloured, 0, kHatchPixelShader},
        {VertexFormat::TwoTexture, 2, kPatternPixelShader},
    };
    for (int mask : {0, 1})
        for (int textureIndex : {0, 2, 1, 3})
            for (int colourMode = 0; colourMode < 5; ++colourMode)
                for (int blendClass = 0; blendClass < 3; ++blendClass)
                    list.push_back({VertexFormat::Coloured, 0,
                                    ordinaryPixelShader(blendClass, colourMode, mask, textureIndex)});
    return list;
}

}  // namespace

int32_t MWinD3DWin::prepareShaders(int32_t count) {
    static const std::vector<PreparedProgram> list = programsToPrepare();
    for (; count > 0 && preparedShaders_ < int32_t(list.size()); --count, ++preparedShaders_) {
        const PreparedProgram& p = list[size_t(preparedShaders_)];
        platform::PixelShader* pixel = pixelShaderAt(p.pixelShader);
        if (pixel) device_->prepareProgram(p.format, p.vertexShader < 0 ? nullptr : vertexShaderAt(p.vertexShader), pixel);
    }
    // States only once the programs are built, so the first frames cost no
    // more than the programs; then at most kWarmUpsPerCall a call, each
    // perhaps tens of milliseconds of code generation.
    const int32_t programsLeft = int32_t(list.size()) - preparedShaders_;
    for (int32_t warmed = 0; programsLeft == 0 && warmed < std::min(count, kWarmUpsPerCall); ++warmed)
        if (!warmNextQueued()) break;
    std::lock_guard lock(warmMutex_);
    return programsLeft + int32_t(warmQueue_.size() - warmNext_);
}

void MWinD3DWin::setDrawState(MDrawMode mode, int32_t colourMode, uint32_t colour, float parameter) {
    applyDrawState(mode, colourMode, colour, parameter, -1);
}

void MWinD3DWin::applyDrawState(MDrawMode mode, int32_t colourMode, uint32_t colour, float parameter,
                                int32_t pixelShader) {
    if (mask_.stateLocked) return;
    const bool grabbed = grabDestination(mode, parameter);
    D3DDrawShaderChoice choice =
        chooseDrawShader(mode, colourMode, stage0_.format, mask_.maskLayer ? 1 : 0, grabbed, parameter);
    if (pixelShader >= 0 && !choice.effect) choice.pixelShader = pixelShader;
    const MDrawMode masked = mode & kDrawModeMask;
    if (choice.effect) {
        setVertexShader(vertexShaderA_, 1);
        setEffectConstant(masked, parameter);
    }
    const bool shaderChanged = setPixelShader(choice.pixelShader);
    if (colourMode > 0 && (shaderChanged || colour != lastColour_)) {
        lastColour_ = colour;
        const float filterColour[4] = {channel(colour, 16), channel(colour, 8), channel(colour, 0),
                                       channel(colour, 24)};
        device_->setPixelShaderConstants(0, filterColour, 1);
    }
    // Blending follows the row alone: a new shader with the same row leaves it.
    const uint32_t row = choice.effect ? kEffectRow : uint32_t(choice.blendRow);
    if (row != lastMode_) {
        applyBlendRow(choice.effect ? effectBlendRow() : blendRow(choice.blendRow));
        lastMode_ = row;
    }
}

void MWinD3DWin::setEffectConstant(MDrawMode mode, float parameter) {
    if ((mode != kDrawModeMosaic && mode != kDrawModeBlur) || !destination_) return;
    const float w = float(destination_->width), h = float(destination_->height);
    float constant[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    if (mode == kDrawModeMosaic) {
        float viewW = 0, viewH = 0;
        view_->getViewSize(viewW, viewH);
        const float n = float(mosaicCellSize(viewW, viewH, parameter));
        constant[0] = w / n;
        constant[1] = h / n;
        constant[2] = (n * 0.5f + 0.5f) / w;
        constant[3] = (n * 0.5f + 0.5f) / h;
    } else if (blurIsHorizontal(parameter)) {
        constant[0] = 1.0f / w;
    } else {
        constant[1] = 1.0f / h;
    }
    device_->setPixelShaderConstants(2, constant, 1);
}

void MWinD3DWin::setDefaultRenderStates() {
    platform::Device& d = *device_;
    setVertexFormat(1);
    d.setRenderState(RenderState::AlphaRef, 0);
    d.setRenderState(RenderState::AlphaTestEnable, 1);
    d.setRenderState(RenderState::AlphaFunc, uint32_t(platform::CompareFunc::Greater));
    currentVertexShader_ = nullptr;
    currentPixelShader_ = nullptr;
    vertexShaderIndex_ = -1;
    d.setRenderState(RenderState::SrcBlend, uint32_t(platform::Blend::SrcAlpha));
    d.setRenderState(RenderState::DestBlend, uint32_t(platform::Blend::InvSrcAlpha));
    d.setRenderState(RenderState::AlphaBlendEnable, 1);
    d.setRenderState(RenderState::SeparateAlphaBlendEnable, 1);
    lastMode_ = kNoMode;
    for (int stage : {0, 2}) {
        d.setSamplerState(stage, SamplerState::MinFilter, uint32_t(platform::TextureFilter::Point));
        d.setSamplerState(stage, SamplerState::MagFilter, uint32_t(platform::TextureFilter::Point));
        d.setSamplerState(stage, SamplerState::MipFilter, uint32_t(platform::TextureFilter::None));
        d.setSamplerState(stage, SamplerState::AddressU, uint32_t(platform::AddressMode::Wrap));
        d.setSamplerState(stage, SamplerState::AddressV, uint32_t(platform::AddressMode::Wrap));
    }
    d.setRenderState(RenderState::CullMode, uint32_t(platform::CullMode::None));
    stage0_ = D3DStageCache{};
    setVertexShader(0, 0);
    setDrawState(0, 0, 0, 0);
}

void MWinD3DWin::resetRenderStates() {
    platform::Device& d = *device_;
    setTexture(nullptr);
    setVertexShader(0, 0);
    currentPixelShader_ = nullptr;
    d.setPixelShader(nullptr);
    setTextureFilter(0, 0, 0);
    d.setRenderState(RenderState::AlphaRef, 0);
    d.setRenderState(RenderState::AlphaTestEnable, 1);
    d.setRenderState(RenderState::AlphaFunc, uint32_t(platform::CompareFunc::Greater));
    d.setRenderState(RenderState::SrcBlend, uint32_t(platform::Blend::SrcAlpha));
    d.setRenderState(RenderState::DestBlend, uint32_t(platform::Blend::InvSrcAlpha));
    d.setRenderState(RenderState::AlphaBlendEnable, 1);
    d.setRenderState(RenderState::CullMode, uint32_t(platform::CullMode::None));
    lastMode_ = kNoMode;
}

void MWinD3DWin::setHatch(MWinD3DTexture* texture, float x, float y) {
    hatch_ = texture;
    hatchX_ = x;
    hatchY_ = y;
}

void MWinD3DWin::setStripSource(MWinD3DTexture* texture, int32_t colourMode, uint32_t colour) {
    stripTexture_ = texture;
    stripColourMode_ = colourMode;
    stripColour_ = colour;
}
