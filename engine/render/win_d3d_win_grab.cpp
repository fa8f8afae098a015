// MWinD3DWin::grabDestination: effect modes read the picture beneath their
// draw, so the part of the scene under it is first copied into the
// destination texture, which the effect shaders sample on sampler 2.
#include <algorithm>
#include <cmath>

#include "engine/render/win_d3d_win.h"

using platform::RenderState;
using platform::SamplerState;

namespace {

// The region the effect reads, in view pixels, widened so a mosaic's cells
// stay whole and a blur's taps stay inside; clamped to the view.
platform::Rect grabRegion(D3DFitRect r, MDrawMode mode, float parameter, float viewW, float viewH) {
    if (mode == kDrawModeMosaic) {
        const float n = float(mosaicCellSize(viewW, viewH, parameter));
        r.left = std::floor(r.left / n) * n;
        r.top = std::floor(r.top / n) * n;
        r.right = std::ceil(r.right / n) * n;
        r.bottom = std::ceil(r.bottom / n) * n;
    } else if (mode == kDrawModeBlur) {
        const float margin = float(blurMargin(parameter));
        if (blurIsHorizontal(parameter)) {
            r.left -= margin;
            r.right += margin;
        } else {
            r.top -= margin;
            r.bottom += margin;
        }
    }
    // Written so that a NaN side gives an empty region.
    const float right = std::ceil(r.right) < viewW ? std::ceil(r.right) : viewW;
    const float bottom = std::ceil(r.bottom) < viewH ? std::ceil(r.bottom) : viewH;
    const float left = std::floor(r.left) > 0.0f ? std::floor(r.left) : 0.0f;
    const float top = std::floor(r.top) > 0.0f ? std::floor(r.top) : 0.0f;
    if (!(right > left && bottom > top)) return {};
    return {int(left), int(top), int(right), int(bottom)};
}

}  // namespace

bool MWinD3DWin::grabDestination(MDrawMode mode, float parameter) {
    if (!isEffectMode(mode)) {
        if (device_->texture(2)) device_->setTexture(2, nullptr);
        return false;
    }
    float viewW = 0, viewH = 0;
    view_->getViewSize(viewW, viewH);
    D3DFitRect box{0.0f, 0.0f, viewW, viewH};
    if (!drawRegion_.isEmpty())
        box = view_->projectRect(drawRegion_.minX, drawRegion_.minY, drawRegion_.maxX, drawRegion_.maxY);
    // The box serves one draw, grabbed or not.
    drawRegion_.clear();
    const platform::Rect region = grabRegion(box, mode & kDrawModeMask, parameter, viewW, viewH);
    if (region.width() <= 0 || region.height() <= 0) return false;

    const int w = region.width(), h = region.height();
    if (!destination_ || destination_->width < w || destination_->height < h ||
        float(w) < float(destination_->width) / 2 || float(h) < float(destination_->height) / 2) {
        if (destination_) releaseTexture(destination_);
        destination_ = createTexture(w, h, platform::PixelFormat::A8R8G8B8, true, 1);
    }
    if (destination_) copyToDestination(region);
    bindDestination(viewW, viewH, region);
    return true;
}

void MWinD3DWin::copyToDestination(const platform::Rect& region) {
    platform::Device& d = *device_;
    const D3DStageCache kept = stage0_;
    const uint32_t stencil = d.renderState(RenderState::StencilEnable);
    // The scissor rectangle is in view pixels, not in the destination's.
    const uint32_t scissor = d.renderState(RenderState::ScissorTestEnable);
    d.setRenderState(RenderState::StencilEnable, 0);
    d.setRenderState(RenderState::ScissorTestEnable, 0);
    d.setVertexShader(nullptr);
    d.setPixelShader(nullptr);
    platform::Surface* keptTarget = d.renderTarget();
    const platform::Viewport keptViewport = d.viewport();
    d.setRenderTarget(destination_->surface);

    // The scene is drawn into the capture texture: copy the region of it.
    float u0 = 0, v0 = 0, u1 = 1, v1 = 1;
    d.setTexture(0, captureTexture_ ? captureTexture_->texture : nullptr);
    if (captureTexture_) {
        const float cw = float(captureTexture_->width), ch = float(captureTexture_->height);
        u0 = float(region.left) / cw;
        v0 = float(region.top) / ch;
        u1 = float(region.right) / cw;
        v1 = float(region.bottom) / ch;
    }
    applySampler(0, 0, 0, 0, 0);
    d.setSamplerState(0, SamplerState::MipFilter, uint32_t(platform::TextureFilter::None));
    applyBlendRow(effectBlendRow());
    setVertexFormat(0);
    d.setRenderState(RenderState::AlphaBlendEnable, 0);
    const float r = float(region.width()) - 0.5f, b = float(region.height()) - 0.5f;
    const D3DScreenVertex fan[4] = {{-0.5f, -0.5f, 0, 1, 0xFFFFFFFF, u0, v0}, {r, -0.5f, 0, 1, 0xFFFFFFFF, u1, v0},
                                    {r, b, 0, 1, 0xFFFFFFFF, u1, v1}, {-0.5f, b, 0, 1, 0xFFFFFFFF, u0, v1}};
    d.drawPrimitiveUP(platform::PrimitiveType::TriangleFan, 2, fan, sizeof fan[0]);
    d.setRenderState(RenderState::AlphaBlendEnable, 1);
    setVertexFormat(1);

    d.setRenderTarget(keptTarget);
    d.setViewport(keptViewport);
    if (d.vertexShader() != currentVertexShader_) d.setVertexShader(currentVertexShader_);
    if (d.pixelShader() != currentPixelShader_) d.setPixelShader(currentPixelShader_);
    d.setRenderState(RenderState::StencilEnable, stencil);
    d.setRenderState(RenderState::ScissorTestEnable, scissor);
    restoreStage0(kept);
}

void MWinD3DWin::bindDestination(float viewW, float viewH, const platform::Rect& region) {
    platform::Device& d = *device_;
    d.setTexture(2, destination_ ? destination_->texture : nullptr);
    d.setSamplerState(2, SamplerState::MinFilter, uint32_t(platform::TextureFilter::Point));
    d.setSamplerState(2, SamplerState::MagFilter, uint32_t(platform::TextureFilter::Point));
    d.setSamplerState(2, SamplerState::MipFilter, uint32_t(platform::TextureFilter::None));
    d.setSamplerState(2, SamplerState::AddressU, uint32_t(platform::AddressMode::Wrap));
    d.setSamplerState(2, SamplerState::AddressV, uint32_t(platform::AddressMode::Wrap));
    if (!destination_) return;
    // From clip space to the destination texture, whose texel (0, 0) holds
    // the view pixel (region.left, region.top).
    const float w = float(destination_->width), h = float(destination_->height);
    const float scOffset2[4] = {0.5f * viewW / w - float(region.left) / w + 0.5f / w,
                                0.5f * viewH / h - float(region.top) / h + 0.5f / h, 0.5f * viewW / w,
                                -0.5f * viewH / h};
    d.setVertexShaderConstants(5, scOffset2, 1);
}
