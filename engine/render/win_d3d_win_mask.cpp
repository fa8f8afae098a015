// MWinD3DWin's mask compositing: the motion renderer draws the layers that
// mask a later layer between beginMaskComposite and its last nextMaskLayer.
// In stencil mode each layer counts up the stencil where the layers before
// all covered; in render-target mode the layers' alpha is gathered into the
// green channel of two view-sized targets, each layer multiplied by the
// picture of the ones before.
#include <utility>

#include "engine/render/win_d3d_win.h"

using platform::RenderState;
using platform::SamplerState;

void MWinD3DWin::beginMaskComposite(uint32_t reference) {
    platform::Device& d = *device_;
    if (mask_.mode == 0) {
        d.clear(platform::kClearStencil, 0, 1.0f, reference);
        d.setRenderState(RenderState::StencilEnable, 1);
        d.setRenderState(RenderState::StencilFail, uint32_t(platform::StencilOp::Keep));
        d.setRenderState(RenderState::StencilWriteMask, 0xFF);
        // Layers write only the stencil: every pixel fails the depth test.
        d.setRenderState(RenderState::ZEnable, 1);
        d.setRenderState(RenderState::ZFunc, uint32_t(platform::CompareFunc::Never));
        d.setRenderState(RenderState::AlphaRef, 0x40);
        return;
    }
    float viewW = 0, viewH = 0;
    view_->getViewSize(viewW, viewH);
    const int32_t w = int32_t(viewW), h = int32_t(viewH);
    if (w != mask_.width || h != mask_.height) {
        for (MWinD3DTexture*& target : mask_.targets) {
            if (target) releaseTexture(target);
            target = createTexture(w, h, platform::PixelFormat::R5G6B5, true, 1);
        }
        const bool made = mask_.targets[0] && mask_.targets[1];
        mask_.width = made ? w : 0;
        mask_.height = made ? h : 0;
    }
    const float scOffset[4] = {0.5f / float(w) + 0.5f, 0.5f / float(h) + 0.5f, 0.0f, 0.0f};
    d.setVertexShaderConstants(4, scOffset, 1);
    d.setSamplerState(1, SamplerState::MinFilter, uint32_t(platform::TextureFilter::Linear));
    d.setSamplerState(1, SamplerState::MagFilter, uint32_t(platform::TextureFilter::Linear));
    d.setSamplerState(1, SamplerState::AddressU, uint32_t(platform::AddressMode::Clamp));
    d.setSamplerState(1, SamplerState::AddressV, uint32_t(platform::AddressMode::Clamp));
    mask_.firstLayer = true;
    mask_.stateLocked = true;
    saveRenderTarget();
    mask_.keptViewport = view_->getViewport();
}

void MWinD3DWin::makeMaskLayerTarget(MWinD3DTexture* target) {
    setRenderTargetTexture(target);
    device_->setViewport(mask_.keptViewport);
}

void MWinD3DWin::nextMaskLayer(uint32_t reference) {
    platform::Device& d = *device_;
    if (mask_.mode == 0) {
        d.setRenderState(RenderState::StencilFunc, uint32_t(platform::CompareFunc::Equal));
        d.setRenderState(RenderState::StencilRef, reference);
        d.setRenderState(RenderState::StencilPass, uint32_t(platform::StencilOp::Incr));
        d.setRenderState(RenderState::StencilZFail, uint32_t(platform::StencilOp::Incr));
        return;
    }
    if (!mask_.targets[0] || !mask_.targets[1]) return;
    d.setTexture(1, nullptr);
    const int32_t shader = mask_.parameterFlag ? kMaskPixelShaderBase + 2 : kMaskPixelShaderBase;
    const float param[4] = {mask_.scale, mask_.offset, 0.0f, 0.0f};
    d.setPixelShaderConstants(1, param, 1);
    if (mask_.firstLayer) {
        mask_.firstLayer = false;
        makeMaskLayerTarget(mask_.targets[0]);
        setVertexShader(0, 0);
        setPixelShader(shader);
        // Layers overlap as a union: g + (1 - g) x the green already there.
        d.setRenderState(RenderState::BlendOp, uint32_t(platform::BlendOp::Add));
        d.setRenderState(RenderState::SrcBlend, uint32_t(platform::Blend::One));
        d.setRenderState(RenderState::DestBlend, uint32_t(platform::Blend::InvSrcColor));
        lastMode_ = kNoMode;
        d.clear(platform::kClearTarget, 0, 1.0f, 0);
        return;
    }
    onMaskLayerSwap();
    std::swap(mask_.targets[0], mask_.targets[1]);
    makeMaskLayerTarget(mask_.targets[0]);
    setVertexShader(2, 0);
    setPixelShader(shader + 1);
    d.clear(platform::kClearTarget, 0, 1.0f, 0);
    d.setTexture(1, mask_.targets[1]->texture);
}

void MWinD3DWin::subtractMaskLayer(uint32_t reference) {
    platform::Device& d = *device_;
    if (mask_.mode == 0) {
        d.setRenderState(RenderState::StencilFunc, uint32_t(platform::CompareFunc::Equal));
        d.setRenderState(RenderState::StencilRef, reference);
        d.setRenderState(RenderState::StencilPass, uint32_t(platform::StencilOp::Decr));
        d.setRenderState(RenderState::StencilZFail, uint32_t(platform::StencilOp::Decr));
        return;
    }
    if (!mask_.targets[0] || !mask_.targets[1]) return;
    d.setTexture(1, nullptr);
    if (mask_.firstLayer) {
        // Without an additive mask before it, the mask starts out covering all.
        mask_.firstLayer = false;
        makeMaskLayerTarget(mask_.targets[0]);
        d.clear(platform::kClearTarget, 0xFFFFFFFF, 1.0f, 0);
    }
    const float param[4] = {mask_.scale, mask_.offset, 0.0f, 0.0f};
    if (mask_.parameterFlag) d.setPixelShaderConstants(1, param, 1);
    setPixelShader(mask_.parameterFlag ? kMaskPixelShaderBase + 2 : kMaskPixelShaderBase);
    setVertexShader(0, 0);
    // Green that stays: g x (1 - the layer's green).
    d.setRenderState(RenderState::BlendOp, uint32_t(platform::BlendOp::Add));
    d.setRenderState(RenderState::SrcBlend, uint32_t(platform::Blend::Zero));
    d.setRenderState(RenderState::DestBlend, uint32_t(platform::Blend::InvSrcColor));
    lastMode_ = kNoMode;
}

void MWinD3DWin::finishMaskComposite(uint32_t reference) {
    platform::Device& d = *device_;
    if (mask_.mode == 0) {
        d.setRenderState(RenderState::StencilPass, uint32_t(platform::StencilOp::Keep));
        d.setRenderState(RenderState::StencilZFail, uint32_t(platform::StencilOp::Keep));
        d.setRenderState(RenderState::StencilFunc, uint32_t(platform::CompareFunc::Equal));
        d.setRenderState(RenderState::StencilRef, reference);
        d.setRenderState(RenderState::ZEnable, 0);
        d.setRenderState(RenderState::AlphaRef, 0);
        return;
    }
    mask_.stateLocked = false;
    if (!mask_.targets[0] || !mask_.targets[1]) {
        restoreRenderTarget();
        return;
    }
    if (mask_.firstLayer) {
        // No mask was drawn: nothing is masked out.
        mask_.firstLayer = false;
        makeMaskLayerTarget(mask_.targets[0]);
        d.clear(platform::kClearTarget, 0xFFFFFFFF, 1.0f, 0);
    }
    restoreRenderTarget();
    device_->setViewport(mask_.keptViewport);
    setVertexShader(2, 0);
    d.setTexture(1, mask_.targets[0]->texture);
    mask_.maskLayer = true;
    lastMode_ = kNoMode;
}

void MWinD3DWin::endMaskComposite() {
    platform::Device& d = *device_;
    if (mask_.mode == 0) {
        d.setRenderState(RenderState::StencilEnable, 0);
        return;
    }
    d.setTexture(1, nullptr);
    setVertexShader(0, 0);
    mask_.maskLayer = false;
    mask_.stateLocked = false;
}
