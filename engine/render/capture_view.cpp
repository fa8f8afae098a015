#include "engine/render/capture_view.h"

#include <algorithm>
#include <cmath>

#include "engine/render/psb_texture.h"
#include "engine/render/win_d3d_win.h"

namespace {

MWinD3DWin* currentWindow() {
    MDisplay* display = MDisplay::getInstance();
    return display ? display->d3dWin() : nullptr;
}

bool isEmpty(const MRectF& r) { return r.right <= r.left || r.bottom <= r.top; }

}  // namespace

MRectF captureScreenRect(const MRectF& b, float viewWidth, float viewHeight) {
    return {std::round(std::max(b.left, 0.0f)), std::round(std::max(b.top, 0.0f)),
            std::round(std::min(b.right, viewWidth)), std::round(std::min(b.bottom, viewHeight))};
}

MCapture::MCapture() { hide(); }

MCapture::~MCapture() {
    for (MCaptured* view : views_) view->capture_ = nullptr;
    if (MWinD3DWin* window = currentWindow(); window && texture_) window->releaseTexture(texture_);
}

void MCapture::draw(int) {
    MWinD3DWin* window = currentWindow();
    if (!window) return;
    const MRectF own = getRect();
    MRectF projected;
    MDisplay::projectRect(projected, own.left, own.top, own.right, own.bottom);
    const MRectF& extents = MDisplay::getInstance()->viewExtents();
    const MRectF rect = captureScreenRect(projected, extents.right - extents.left, extents.bottom - extents.top);
    // Off the screen: nothing to copy.
    if (isEmpty(rect)) return;
    if (!texture_ || !(rect == captured_)) remake(rect);
    if (!texture_) return;
    // The copy fills the capture texture, not the back buffer's extent.
    const platform::Rect destination{0, 0, textureWidth_, textureHeight_};
    const platform::Rect source{int(captured_.left), int(captured_.top), int(captured_.right),
                                int(captured_.bottom)};
    window->blitTexture(texture_->surface, nullptr, &destination, &source);
}

void MCapture::remake(const MRectF& rect) {
    MWinD3DWin* window = currentWindow();
    captured_ = rect;
    if (texture_) window->releaseTexture(texture_);
    textureWidth_ = int32_t(rect.right - rect.left);
    textureHeight_ = int32_t(rect.bottom - rect.top);
    texture_ = window->createTexture(textureWidth_, textureHeight_, platform::PixelFormat::A8R8G8B8, true, 1);
    if (texture_) window->clearTexture(texture_, 0);
    for (MCaptured* view : views_) view->setFixedSize(rect.right - rect.left, rect.bottom - rect.top);
}

MCaptured::MCaptured(MCapture* capture) : capture_(capture) {
    hide();
    const MRectF& r = capture->capturedRect();
    setFixedSize(r.right - r.left, r.bottom - r.top);
    capture->views_.push_back(this);
}

MCaptured::~MCaptured() {
    if (!capture_) return;
    auto& views = capture_->views_;
    views.erase(std::remove(views.begin(), views.end(), this), views.end());
}

void MCaptured::draw(int) {
    if (!capture_ || !capture_->texture_ || !currentWindow()) return;
    const MViewSize size = getSize();
    const MRectF rect{position_.x, position_.y, position_.x + size.width, position_.y + size.height};
    if (mask && mask->texture) {
        drawMasked(rect);
    } else {
        drawPlain(rect);
    }
}

void MCaptured::drawPlain(const MRectF& r) {
    const uint32_t colour = uint32_t(int32_t(alpha)) << 24 | 0xFFFFFFu;
    D3DColouredVertex quad[4] = {{r.left, r.top, 0.0f, colour, 0.0f, 0.0f},
                                 {r.right, r.top, 0.0f, colour, 1.0f, 0.0f},
                                 {r.right, r.bottom, 0.0f, colour, 1.0f, 1.0f},
                                 {r.left, r.bottom, 0.0f, colour, 0.0f, 1.0f}};
    currentWindow()->drawTexturedQuad(quad, capture_->texture_, MDrawMode(0), 0.0f, 0, colour);
}

void MCaptured::drawMasked(const MRectF& r) {
    MWinD3DWin* window = currentWindow();
    // A vagueness of 0 would divide by zero: the hardest edge is 1.
    const float vague = float(vagueness == 0 ? 1 : vagueness);
    const float phase[4] = {(1.0f - alpha / 255.0f) * (vague + 255.0f) / 255.0f, 0.0f, 0.0f, 0.0f};
    const float invVague[4] = {255.0f / vague, 0.0f, 0.0f, 0.0f};
    window->device()->setPixelShaderConstants(0, phase, 1);
    window->device()->setPixelShaderConstants(1, invVague, 1);
    mask->callerWords[0] = mask->callerWords[1] = 1;
    mask->callerWords[2] = maskWords[0];
    mask->callerWords[3] = maskWords[1];
    const float u = (maskRect.right - maskRect.left) / float(mask->width) * maskRepeatX;
    const float v = (maskRect.bottom - maskRect.top) / float(mask->height) * maskRepeatY;
    const uint32_t colour = 0xFFFFFFFFu;
    D3DTwoTextureVertex quad[4] = {{r.left, r.top, 0.0f, colour, 0.0f, 0.0f, 0.0f, 0.0f},
                                   {r.right, r.top, 0.0f, colour, 1.0f, 0.0f, u, 0.0f},
                                   {r.right, r.bottom, 0.0f, colour, 1.0f, 1.0f, u, v},
                                   {r.left, r.bottom, 0.0f, colour, 0.0f, 1.0f, 0.0f, v}};
    window->drawTexturedMesh(quad, capture_->texture_, mask->texture);
}
