// The back buffer's kept colour. The renderer draws the screen into a
// texture of the back buffer's size, clears the back buffer and copies the
// texture onto it, and present copies the back buffer into the window: at
// 1920 x 1080 each of those passes costs the software rasteriser several
// milliseconds. So a whole clear and a whole copy are only noted; present
// reads the copy's source, and when the source is about to be redrawn whole
// (the next frame's clear) the back buffer takes its storage, keeping the
// picture with no copy at all. Anything else that writes or reads either
// first draws what was noted, so every caller sees the device it asked for.
#include <cstring>

#include "platform/device/gl/gl_device.h"
#include "platform/device/gl/gl_shader_sources.h"

namespace platform::gl {

namespace {

// The vertex layout of screen-space draws.
struct BackBufferScreenVertex {
    float x, y, z, rhw;
    uint32_t colour;
    float u, v;
};

// Whether an opaque texel (alpha 255) passes the alpha test.
bool opaquePassesAlphaTest(CompareFunc func, uint32_t ref) {
    switch (func) {
    case CompareFunc::Always:
    case CompareFunc::GreaterEqual: return true;
    case CompareFunc::Greater:
    case CompareFunc::NotEqual: return ref < 255;
    case CompareFunc::Equal:
    case CompareFunc::LessEqual: return ref == 255;
    default: return false;
    }
}

}  // namespace

bool GlDevice::isWholeCopy(PrimitiveType type, int primitiveCount, const void* vertices, int stride) const {
    GlTexture* t = bound_[0];
    const int w = target_->width(), h = target_->height();
    if (type != PrimitiveType::TriangleFan || primitiveCount != 2 || format_ != VertexFormat::ScreenSpace || !t ||
        stride < int(sizeof(BackBufferScreenVertex)) || target_->format() != PixelFormat::X8R8G8B8 ||
        t->surface() == target_)
        return false;
    // A target of the destination's own size and format, so that its
    // storage can stand in for the back buffer's and its texels are the
    // destination's pixels as they are (neither reads alpha).
    const TextureDesc& d = t->desc();
    if (d.usage != TextureUsage::RenderTarget || d.format != PixelFormat::X8R8G8B8 || d.levels != 1 ||
        d.width != w || d.height != h || !t->name())
        return false;
    // The texel times white: the built-in stage or the table's plain one.
    const int stage = pixelShader_ ? pixelShader_->index() : kModulatePixelStage;
    if (stage != kModulatePixelStage && stage != kSolidCarrierPixelStage) return false;
    auto rs = [&](RenderState s) { return renderStates_[size_t(s)]; };
    const bool copies = !rs(RenderState::AlphaBlendEnable) ||
                        (BlendOp(rs(RenderState::BlendOp)) == BlendOp::Add &&
                         Blend(rs(RenderState::SrcBlend)) == Blend::One && Blend(rs(RenderState::DestBlend)) == Blend::Zero);
    if (!copies || (rs(RenderState::ColorWriteEnable) & 7) != 7) return false;
    if (depth_ && (rs(RenderState::ZEnable) || rs(RenderState::StencilEnable))) return false;
    if (rs(RenderState::AlphaTestEnable) &&
        !opaquePassesAlphaTest(CompareFunc(rs(RenderState::AlphaFunc)), rs(RenderState::AlphaRef) & 0xFF))
        return false;
    if (rs(RenderState::ScissorTestEnable) && !(scissor_.left <= 0 && scissor_.top <= 0 && scissor_.right >= w &&
                                               scissor_.bottom >= h))
        return false;
    if (viewport_.x != 0 || viewport_.y != 0 || viewport_.width != w || viewport_.height != h) return false;
    // The fan's corners from the top left, clockwise, texel centres on
    // pixel centres.
    const float xs[4] = {-0.5f, float(w) - 0.5f, float(w) - 0.5f, -0.5f};
    const float ys[4] = {-0.5f, -0.5f, float(h) - 0.5f, float(h) - 0.5f};
    const float us[4] = {0, 1, 1, 0}, vs[4] = {0, 0, 1, 1};
    for (int i = 0; i < 4; ++i) {
        BackBufferScreenVertex v;
        std::memcpy(&v, static_cast<const char*>(vertices) + size_t(i) * size_t(stride), sizeof v);
        if (v.x != xs[i] || v.y != ys[i] || v.u != us[i] || v.v != vs[i] || v.colour != 0xFFFFFFFFu ||
            v.rhw != 1.0f || !(v.z >= 0.0f && v.z <= 1.0f))
            return false;
    }
    return true;
}

void GlDevice::beforeWrite(const GlColourSurface* surface, bool whole) {
    if (pending_.kind == PendingColour::Kind::None) return;
    if (surface == backBuffer_.get()) {
        if (whole) pending_ = {};
        else settleBackBuffer();
        return;
    }
    if (pending_.kind != PendingColour::Kind::Copy || surface != pending_.source->surface()) return;
    if (!whole) {
        settleBackBuffer();
        return;
    }
    // The source's picture is the back buffer's now, and the source is
    // about to be redrawn: trade storage rather than copy. Both are
    // RGBA8 textures of one size that read opaque.
    auto* source = static_cast<GlColourSurface*>(pending_.source->surface());
    backBufferTexture_ = pending_.source->exchangeName(backBufferTexture_);
    backBuffer_->exchangeStorage(*source);
    pending_ = {};
}

void GlDevice::settleBackBuffer() {
    const PendingColour pending = std::exchange(pending_, {});
    if (pending.kind == PendingColour::Kind::Clear) {
        colorFill(backBuffer_.get(), pending.colour);
    } else if (pending.kind == PendingColour::Kind::Copy) {
        const auto* source = static_cast<GlColourSurface*>(pending.source->surface());
        const int w = backBuffer_->width(), h = backBuffer_->height();
        bindFramebuffer(backBuffer_->framebuffer());
        glBindFramebuffer(GL_READ_FRAMEBUFFER, source->framebuffer());
        glDisable(GL_SCISSOR_TEST);
        glBlitFramebuffer(0, 0, w, h, 0, 0, w, h, GL_COLOR_BUFFER_BIT, GL_NEAREST);
        drawFramebuffer_ = kUnknownName;
        applyScissor();
    }
}

void GlDevice::copyWhole(GlTexture& source) {
    beforeWrite(target_, true);
    auto* from = static_cast<GlColourSurface*>(source.surface());
    const int w = target_->width(), h = target_->height();
    bindFramebuffer(target_->framebuffer());
    glBindFramebuffer(GL_READ_FRAMEBUFFER, from->framebuffer());
    glDisable(GL_SCISSOR_TEST);
    glBlitFramebuffer(0, 0, w, h, 0, 0, w, h, GL_COLOR_BUFFER_BIT, GL_NEAREST);
    drawFramebuffer_ = kUnknownName;
    applyScissor();
}

GlColourSurface* GlDevice::backBufferPicture() {
    if (pending_.kind == PendingColour::Kind::Clear) settleBackBuffer();
    return pending_.kind == PendingColour::Kind::Copy ? static_cast<GlColourSurface*>(pending_.source->surface())
                                                      : backBuffer_.get();
}

}  // namespace platform::gl
