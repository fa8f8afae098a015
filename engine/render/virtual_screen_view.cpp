// MVirtualScreenView: the virtual screen's picture placed on the screen.
#include "engine/render/virtual_screen_view.h"

#include "engine/render/virtual_screen_driver.h"
#include "engine/render/win_d3d_win.h"

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
    win.drawTexturedQuad(vertices, driver_->getTarget(), drawMode_, 0.0f, 0, 0);
    if (!blend_) device.setRenderState(platform::RenderState::AlphaBlendEnable, blending);
}
