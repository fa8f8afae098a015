// MVirtualScreenDriver: the task tree drawn into the virtual screen's target.
#include "engine/render/virtual_screen_driver.h"

#include <algorithm>

#include "engine/base/win_app_settings.h"
#include "engine/render/virtual_screen_view.h"
#include "engine/render/win_d3d_win.h"

namespace {

MWinD3DWin* displayWindow() {
    MDisplay* display = MDisplay::getInstance();
    return display ? display->d3dWin() : nullptr;
}

}  // namespace

MVirtualScreenDriver::MVirtualScreenDriver(MTask* child, int32_t width, int32_t height)
    : child_(child), width_(width), height_(height) {
    MWinD3DWin* win = displayWindow();
    if (!win || !win->device()) return;
    target_ = win->createTexture(width, height, platform::PixelFormat::A8R8G8B8, true, 1);
    const MWinAppSettings& s = winAppSettings();
    if (s.useDepthStencil && (s.screenWidth < width || s.screenHeight < height)) {
        depth_ = win->createDepthStencil(width, height, platform::PixelFormat::D24S8, 0, 0, 1);
    }
    win->addWarmTarget(target_, depth_);
}

MVirtualScreenDriver::~MVirtualScreenDriver() {
    for (MVirtualScreenView* view : views_) view->detachDriver();
    delete child_;
    if (MWinD3DWin* win = displayWindow()) {
        win->removeWarmTarget(target_);
        if (target_) win->releaseTexture(target_);
        if (depth_) win->releaseDepthStencil(depth_);
    }
}

void MVirtualScreenDriver::update() {
    if (child_) runTask(child_);
}

void MVirtualScreenDriver::setClearColour(int32_t red, int32_t green, int32_t blue, int32_t alpha) {
    clearRed_ = red;
    clearGreen_ = green;
    clearBlue_ = blue;
    clearAlpha_ = alpha;
}

uint32_t MVirtualScreenDriver::clearColourArgb() const {
    return (uint32_t(clearAlpha_) & 0xFF) << 24 | (uint32_t(clearRed_) & 0xFF) << 16 |
           (uint32_t(clearGreen_) & 0xFF) << 8 | (uint32_t(clearBlue_) & 0xFF);
}

void MVirtualScreenDriver::addView(MVirtualScreenView* view) { views_.push_back(view); }

void MVirtualScreenDriver::removeView(MVirtualScreenView* view) {
    views_.erase(std::remove(views_.begin(), views_.end(), view), views_.end());
}

void MVirtualScreenDriver::enterVirtualScreen(MDisplay& display, SavedDisplay& saved) {
    display.pushTransform(display.topTransform());
    saved = {display.viewExtents(), display.screenWidth(), display.screenHeight(), display.scissorRect(),
             display.screenMode()};
    display.setScreenMode(0);
    const float halfW = float(width_ / 2), halfH = float(height_ / 2);
    const MRectF extents{-halfW, -halfH, halfW, halfH};
    display.setViewExtents(extents);
    display.updateSafeRect();
    display.setScreenSize(float(width_), float(height_));
    display.setViewport(0.0f, 0.0f, float(width_), float(height_));
    MDisplay::setCamera(0.0f, 0.0f, 1.0f, 0.0f);
    MRectF scissor;
    MDisplay::projectRect(scissor, extents.left, extents.top, extents.right, extents.bottom);
    display.setScissorRect(scissor.left, scissor.top, scissor.right, scissor.bottom);
}

void MVirtualScreenDriver::leaveVirtualScreen(MDisplay& display, const SavedDisplay& saved) {
    if (saved.screenMode >= 0) display.setScreenMode(saved.screenMode);
    display.setViewExtents(saved.extents);
    display.updateSafeRect();
    display.setScreenSize(saved.screenWidth, saved.screenHeight);
    display.setScissorRect(saved.scissor.left, saved.scissor.top, saved.scissor.right, saved.scissor.bottom);
    display.setViewport(0.0f, 0.0f, saved.screenWidth, saved.screenHeight);
    // The projection stays: the next camera root or locator makes its own.
    display.popTransform();
}

void MVirtualScreenDriver::draw(int) {
    MDisplay* display = MDisplay::getInstance();
    if (!display || !target_) return;
    MWinD3DWin& win = *display->d3dWin();
    SavedDisplay saved;
    enterVirtualScreen(*display, saved);
    platform::Surface* keptDepth = nullptr;
    if (depth_) {
        keptDepth = win.device()->depthStencil();
        win.device()->setDepthStencil(depth_->surface);
    }
    if (child_ && child_->getState() != MTask::kFinished) {
        win.drawTaskToTarget(child_, target_, clearEveryFrame_ || clearNextFrame_, clearColourArgb());
        clearNextFrame_ = false;
    }
    leaveVirtualScreen(*display, saved);
    if (depth_) win.device()->setDepthStencil(keptDepth);
}

void MVirtualScreenDriver::warmDrawStates(const MDrawWarmState* states, int32_t count) {
    MWinD3DWin* win = displayWindow();
    if (!win || !target_) return;
    platform::Surface* keptDepth = win->device()->depthStencil();
    if (depth_) win->device()->setDepthStencil(depth_->surface);
    win->warmDrawStates(target_, states, count);
    win->device()->setDepthStencil(keptDepth);
}
