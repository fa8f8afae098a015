// MVirtualScreenView: the virtual screen's picture placed on the screen.
#include "engine/render/virtual_screen_view.h"

#include <algorithm>

#include "engine/render/psb_texture.h"
#include "engine/render/virtual_screen_driver.h"
#include "engine/render/win_d3d_win.h"

MOverlayConstants overlayConstants(int32_t vagueness, float progress) {
    // No vagueness at all would divide by zero: the hardest edge is one step.
    const float v = float(std::max(vagueness, 1));
    return {(1.0f - progress / 255.0f) * (v + 255.0f) / 255.0f, 255.0f / v};
}

MVirtualScreenView::MVirtualScreenView(MVirtualScreenDriver* driver) : driver_(driver) {
    if (!driver_) return;
    setFixedSize(float(driver_->getWidth()), float(driver_->getHeight()));
    driver_->addView(this);
}

MVirtualScreenView::~MVirtualScreenView() {
    if (driver_) driver_->removeView(this);
}

void MVirtualScreenView::assignPlacements(const MVirtualScreenPlacement* first,
                                          const MVirtualScreenPlacement* last) {
    placements_.assign(first, last);
}

void MVirtualScreenView::setTextureFilter(int32_t minSelector, int32_t magSelector) {
    minFilter_ = minSelector;
    magFilter_ = magSelector;
}

void MVirtualScreenView::draw(int) {
    MDisplay* display = MDisplay::getInstance();
    if (!driver_ || !driver_->getTarget() || !display) return;
    MWinD3DTexture* target = driver_->getTarget();
    target->minFilter = minFilter_;
    target->magFilter = magFilter_;
    const uint32_t argb = colour_ >> 8 | colour_ << 24;
    const MRectF rect = getRect();
    for (const MVirtualScreenPlacement& p : placements_) drawPlacement(p, rect, argb);
}

void MVirtualScreenView::drawPlacement(const MVirtualScreenPlacement& p, const MRectF& rect, uint32_t argb) {
    MWinD3DWin& win = *MDisplay::getInstance()->d3dWin();
    const float w = rect.right - rect.left, h = rect.bottom - rect.top;
    const float x0 = rect.left + w * p.x0, x1 = rect.left + w * p.x1;
    const float y0 = rect.top + h * p.y0, y1 = rect.top + h * p.y1;
    D3DColouredVertex vertices[4] = {{x0, y0, 0.0f, argb, p.u0, p.v0},
                                     {x1, y0, 0.0f, argb, p.u1, p.v0},
                                     {x1, y1, 0.0f, argb, p.u1, p.v1},
                                     {x0, y1, 0.0f, argb, p.u0, p.v1}};
    platform::Device& device = *win.device();
    const uint32_t blending = device.renderState(platform::RenderState::AlphaBlendEnable);
    if (!blend_) device.setRenderState(platform::RenderState::AlphaBlendEnable, 0);
    if (overlay_) drawOverlaid(p, vertices);
    else win.drawTexturedQuad(vertices, driver_->getTarget(), drawMode_, 0.0f, 0, 0);
    if (!blend_) device.setRenderState(platform::RenderState::AlphaBlendEnable, blending);
}

void MVirtualScreenView::drawOverlaid(const MVirtualScreenPlacement& p, const D3DColouredVertex (&vertices)[4]) {
    MWinD3DWin& win = *MDisplay::getInstance()->d3dWin();
    const MOverlayConstants c = overlayConstants(vagueness_, progress_);
    const float phase[4] = {c.phase, 0, 0, 0}, invVague[4] = {c.invVague, 0, 0, 0};
    win.device()->setPixelShaderConstants(0, phase, 1);
    win.device()->setPixelShaderConstants(1, invVague, 1);
    overlay_->callerWords[0] = overlay_->callerWords[1] = 1;
    overlay_->callerWords[2] = overlayParameters_[0];
    overlay_->callerWords[3] = overlayParameters_[1];
    const float xs[4] = {p.x0, p.x1, p.x1, p.x0}, ys[4] = {p.y0, p.y0, p.y1, p.y1};
    D3DTwoTextureVertex mesh[4];
    for (int i = 0; i < 4; ++i) {
        const D3DColouredVertex& v = vertices[i];
        mesh[i] = {v.x, v.y, v.z, v.colour, v.u, v.v, overlayRepeatX_ * xs[i], overlayRepeatY_ * ys[i]};
    }
    win.drawTexturedMesh(mesh, driver_->getTarget(), overlay_->texture);
}
