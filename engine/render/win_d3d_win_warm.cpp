// MWinD3DWin's warm-up: draws with no area in the states play will meet, so
// that a software rasteriser, which generates machine code for each new
// combination of program and states at the draw that first uses it (tens of
// milliseconds each), does that on a loader step instead of inside a frame.
#include "engine/render/win_d3d_win.h"

namespace {

bool powerOfTwo(int32_t n) { return n > 0 && (n & (n - 1)) == 0; }

// A side of a stand-in: a whole number of compressed blocks either way.
int32_t standInSide(bool powerOfTwoSide) { return powerOfTwoSide ? 4 : 12; }

// The mode as what it draws with: its blend row and texture class, or the
// effect and texture class; words alike draw alike and are warmed once.
MDrawMode drawnMode(MDrawMode mode) {
    const MDrawMode textureClass = MDrawMode(textureClassOf(mode)) << 4;
    if (isEffectMode(mode)) return (mode & kDrawModeMask) | textureClass;
    return MDrawMode(blendRowOf(mode & kDrawModeMask)) | textureClass;
}

}  // namespace

void MWinD3DWin::warmDrawStates(MWinD3DTexture* target, const MDrawWarmState* states, int32_t count) {
    if (target) {
        warmInto(target->surface, states, count);
    } else {
        warmInto(captureTexture_ ? captureTexture_->surface : backBuffer_, states, count);
    }
}

void MWinD3DWin::warmInto(platform::Surface* target, const MDrawWarmState* states, int32_t count) {
    if (!target || !states) return;
    platform::Device& d = *device_;
    platform::Surface* keptTarget = d.renderTarget();
    const platform::Viewport keptViewport = d.viewport();
    const platform::Rect keptScissor = d.scissorRect();
    const D3DStageCache keptStage = stage0_;
    const int32_t keptVertexShader = vertexShaderIndex_;
    d.setRenderTarget(target);
    // The vertex shader of every frame's start, as resetRenderStates leaves it.
    setVertexShader(0, 0);
    for (int32_t i = 0; i < count; ++i) {
        const MDrawWarmState& s = states[i];
        D3DColouredVertex v[4];
        for (D3DColouredVertex& corner : v) corner = {0.0f, 0.0f, 0.0f, 0xFFFFFFFF, 0.0f, 0.0f};
        if (s.texture) {
            drawTexturedQuad(v, s.texture, s.mode, 0.0f, s.colourMode, 0xFFFFFFFF);
        } else {
            drawColorQuad(v);
        }
    }
    if (keptVertexShader >= 0) setVertexShader(keptVertexShader / 2, keptVertexShader % 2);
    restoreStage0(keptStage);
    if (keptTarget) d.setRenderTarget(keptTarget);
    d.setViewport(keptViewport);
    d.setScissorRect(keptScissor);
}

void MWinD3DWin::queueDrawWarmUp(const MWinD3DTexture& texture, std::span<const MDrawMode> modes) {
    const platform::TextureDesc desc = texture.texture ? texture.texture->desc() : platform::TextureDesc{};
    WarmClass c{texture.format,     powerOfTwo(desc.width), powerOfTwo(desc.height), desc.levels > 1,
                texture.minFilter,  texture.magFilter,      texture.addressU,        texture.addressV,
                0};
    std::lock_guard lock(warmMutex_);
    for (MDrawMode mode : modes) {
        c.mode = drawnMode(mode);
        if (warmQueued_.insert(c).second) warmQueue_.push_back(c);
    }
    // Mode 0 last: the fill drawn after it needs no state of its own.
    c.mode = 0;
    if (warmQueued_.insert(c).second) warmQueue_.push_back(c);
}

void MWinD3DWin::addWarmTarget(MWinD3DTexture* target, MWinD3DDepthSurface* depth) {
    if (target && target->surface) warmTargets_.push_back({target, depth});
}

void MWinD3DWin::removeWarmTarget(const MWinD3DTexture* target) {
    std::erase_if(warmTargets_, [&](const WarmTarget& t) { return t.texture == target; });
}

bool MWinD3DWin::warmNextQueued() {
    WarmClass c;
    {
        std::lock_guard lock(warmMutex_);
        if (warmNext_ >= warmQueue_.size()) return false;
        c = warmQueue_[warmNext_++];
        if (warmNext_ == warmQueue_.size()) {
            warmQueue_.clear();
            warmNext_ = 0;
        }
    }
    MWinD3DTexture* standIn = createTexture(standInSide(c.powerOfTwoWidth), standInSide(c.powerOfTwoHeight),
                                            c.format, false, c.mipmapped ? 2 : 1);
    if (!standIn) return true;
    standIn->minFilter = c.minFilter;
    standIn->magFilter = c.magFilter;
    standIn->addressU = c.addressU;
    standIn->addressV = c.addressV;
    const MDrawWarmState states[2] = {{standIn, c.mode, 0}, {nullptr, 0, 0}};
    const int32_t count = c.mode == 0 ? 2 : 1;
    warmDrawStates(nullptr, states, count);
    platform::Device& d = *device_;
    platform::Surface* keptDepth = d.depthStencil();
    for (const WarmTarget& t : warmTargets_) {
        if (t.depth) d.setDepthStencil(t.depth->surface);
        warmInto(t.texture->surface, states, count);
        d.setDepthStencil(keptDepth);
    }
    releaseTexture(standIn);
    return true;
}
