#include "engine/render/display.h"

#include <algorithm>
#include <cmath>

#include "engine/base/display_seams.h"
#include "engine/base/performance_counter.h"
#include "engine/base/win_app_settings.h"
#include "engine/render/window_fit_mapping.h"
#include "engine/render/win_d3d_win.h"
#include "engine/task/looper.h"
#include "platform/clock/clock.h"

namespace {

MDisplay* theDisplay = nullptr;

// The camera stands this far in front of the world plane.
constexpr float kCameraDistance = 300.0f;
constexpr float kDegreesToRadians = 0.017453292f;

float roundHalfAway(float v) { return v >= 0.0f ? std::floor(v + 0.5f) : std::ceil(v - 0.5f); }

// The view matrix of a top-of-stack matrix: its transpose as a 4 x 4 matrix,
// except that the z translation is half the view height, whatever the top
// holds there, so the depth divide always sees the same distance.
MMatrix44 viewOf(const MMatrix34& top, float halfHeight) {
    MMatrix44 v;
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 3; ++column) v.m[row][column] = top.m[column][row];
    v.m[3][0] = top.m[0][3];
    v.m[3][1] = top.m[1][3];
    v.m[3][2] = halfHeight;
    v.m[3][3] = 1.0f;
    return v;
}

// A perspective with a 90-degree vertical field of view whose depth output
// is always 0, zoomed.
MMatrix44 projectionOf(float aspect, float zoom) {
    MMatrix44 p;
    p.m[0][0] = 1.0f / aspect;
    p.m[1][1] = 1.0f;
    p.m[2][2] = 1.0f;
    p.m[2][3] = 1.0f;
    return matrix44Multiply(p, matrix44Scaling(zoom, zoom, 0.0f));
}

}  // namespace

MDisplay::MDisplay(platform::DeviceFactory& factory, platform::WindowHandle window) {
    updateScreenSize();
    const MWinAppSettings& s = winAppSettings();
    win_ = std::make_unique<MWinD3DWin>(factory, window, s.fullscreenMode, s.clientWidth, s.clientHeight);
    win_->setDisplayView(&drawView_);
    win_->initialize();
    theDisplay = this;
    setScissorRect(0.0f, 0.0f, screenW_, screenH_);
    setViewport(0.0f, 0.0f, screenW_, screenH_);

    frameDevice_ = std::make_unique<MDisplayFrameDevice>(*win_);
    if (MLooper* looper = MLooper::getInstance()) looper->setFrameDevice(frameDevice_.get());
    // A resize before this point was dropped by the shell: the window had no
    // Direct3D window to size.
    setWindowResizeHandler([this](int32_t width, int32_t height) {
        if (win_->device()) win_->setScreenSize(width, height);
    });
    setWindowPointMapping(fitMapWindowPoint);
}

MDisplay::~MDisplay() {
    setWindowPointMapping(nullptr);
    setWindowResizeHandler({});
    MLooper* looper = MLooper::getInstance();
    if (looper && looper->getFrameDevice() == frameDevice_.get()) looper->setFrameDevice(nullptr);
    if (theDisplay == this) theDisplay = nullptr;
    win_.reset();
}

MDisplay* MDisplay::getInstance() { return theDisplay; }

platform::Device* MDisplay::device() const { return win_ ? win_->device() : nullptr; }

void MDisplay::onPreLoop() {
    if (PerformanceCounter* counter = performanceCounter()) counter->restart();
    platform::Clock& clock = platform::currentClock();
    frameRate_.tick(double(clock.counterFrequency()), double(clock.counter()));
    stack_.clear();
    updateProjection(MMatrix34::identity());
    stack_.push_back(MMatrix34::identity());
}

int32_t MDisplay::getFramesPerSecond() { return theDisplay ? theDisplay->frameRate_.count() : 0; }

void MDisplay::updateProjection(const MMatrix34& top) {
    platform::Device* d = device();
    if (!d) return;
    view_ = viewOf(top, (extents_.bottom - extents_.top) / 2.0f);
    win_->setVertexFormat(1);
    const float aspect = win_->resourceAspect() != 0.0f ? win_->resourceAspect() : (screenW_ / 2.0f) / (screenH_ / 2.0f);
    projection_ = projectionOf(aspect, win_->resourceScale());
    world_ = MMatrix44::identity();
    const MMatrix44 constants = matrix44Transpose(matrix44Multiply(matrix44Multiply(world_, view_), projection_));
    d->setVertexShaderConstants(0, &constants.m[0][0], 4);
    // The primitives' half-pixel shift, expressed in world units.
    MMatrix44 inverse;
    if (matrix44Inverse(view_, inverse)) {
        const MVector4 offset = vector4Transform({-0.5f, 0.5f, 0.0f, 0.0f}, inverse);
        win_->setPixelOffset(offset.x, offset.y);
    }
}

void MDisplay::setCamera(float x, float y, float scale, float angleDegrees) {
    MDisplay* display = theDisplay;
    if (!display) return;
    MMatrix34 look;
    matrixLookAt(look, {x, y, -kCameraDistance}, {0.0f, -1.0f, 0.0f}, {x, y, 0.0f});
    for (int row = 0; row < 2; ++row)
        for (float& e : look.m[row]) e *= scale;
    MMatrix34& top = display->topTransform();
    matrixMultiply(matrixRotationZ(angleDegrees * kDegreesToRadians), look, top);
    display->updateProjection(top);
}

void MDisplay::projectRect(MRectF& out, float left, float top, float right, float bottom) {
    MDisplay* display = theDisplay;
    if (!display) return;
    const platform::Viewport screen{0, 0, int(display->screenW_), int(display->screenH_), 0.0f, 1.0f};
    const MVector3 corners[4] = {{left, top, 0.0f}, {right, top, 0.0f}, {right, bottom, 0.0f}, {left, bottom, 0.0f}};
    for (int i = 0; i < 4; ++i) {
        const MVector3 p = vector3Project(corners[i], screen, display->projection_, display->view_, display->world_);
        out.left = i == 0 ? p.x : std::min(out.left, p.x);
        out.top = i == 0 ? p.y : std::min(out.top, p.y);
        out.right = i == 0 ? p.x : std::max(out.right, p.x);
        out.bottom = i == 0 ? p.y : std::max(out.bottom, p.y);
    }
}

void MDisplay::setScissorRect(float left, float top, float right, float bottom) {
    scissor_ = {left, top, right, bottom};
    platform::Device* d = device();
    if (!d) return;
    if (scissor_ == MRectF{0.0f, 0.0f, screenW_, screenH_}) {
        d->setRenderState(platform::RenderState::ScissorTestEnable, 0);
        return;
    }
    d->setRenderState(platform::RenderState::ScissorTestEnable, 1);
    d->setScissorRect({int(roundHalfAway(left)), int(roundHalfAway(top)), int(roundHalfAway(right)),
                       int(roundHalfAway(bottom))});
}

void MDisplay::setViewport(float x, float y, float width, float height) {
    viewport_ = {x, y, x + width, y + height};
    if (platform::Device* d = device()) d->setViewport({int(x), int(y), int(width), int(height), 0.0f, 1.0f});
}

void MDisplay::updateScreenSize() {
    const MWinAppSettings& s = winAppSettings();
    screenW_ = float(s.screenWidth);
    screenH_ = float(s.screenHeight);
    extents_ = {-screenW_ / 2.0f, -screenH_ / 2.0f, screenW_ / 2.0f, screenH_ / 2.0f};
    updateSafeRect();
}

void MDisplay::setSafeScreenRatio(float x, float y) {
    safeRatioX_ = x;
    safeRatioY_ = y;
}

void MDisplay::updateSafeRect() {
    safeRect_ = {extents_.left * safeRatioX_, extents_.top * safeRatioY_, extents_.right * safeRatioX_,
                 extents_.bottom * safeRatioY_};
}

void MDisplay::setScreenMode(int32_t mode) {
    if (mode != -1 && mode != 0) return;
    screenMode_ = mode;
    updateScreenSize();
    setScissorRect(0.0f, 0.0f, screenW_, screenH_);
}

void MDisplay::getScreenArea(MRectF& out) const { out = {0.0f, 0.0f, screenW_, screenH_}; }

void MDisplay::popTransform() {
    if (!stack_.empty()) stack_.pop_back();
}

MMatrix34& MDisplay::topTransform() {
    if (stack_.empty()) stack_.push_back(MMatrix34::identity());
    return stack_.back();
}
