#include "engine/render/win_d3d_win.h"

#include <algorithm>

#include "engine/base/win_app_settings.h"
#include "engine/render/d3d_device_walk.h"
#include "engine/render/d3d_mouse_scaling.h"
#include "engine/render/texture_image_desc.h"
#include "engine/render/texture_upload.h"
#include "engine/task/task.h"
#include "platform/window/window.h"

using platform::PixelFormat;

namespace {

// Nesting of open scenes across every drawTaskToTarget of the process.
int32_t sceneNesting = 0;

platform::Rect toRect(const D3DFitRect& r) { return {int(r.left), int(r.top), int(r.right), int(r.bottom)}; }

}  // namespace

MWinD3DWin::MWinD3DWin(platform::DeviceFactory& factory, platform::WindowHandle window, bool fullscreen,
                       int32_t width, int32_t height)
    : factory_(factory),
      vertexShaders_(platform::kVertexShaderCount),
      pixelShaders_(platform::kPixelShaderCount),
      window_(window),
      mainThread_(std::this_thread::get_id()) {
    const MWinAppSettings& s = winAppSettings();
    fullscreen_ = fullscreen && s.fullscreenTypePure;
    if (!fullscreen_ && width * height == 0) {
        width = s.clientWidth;
        height = s.clientHeight;
    }
    backBufferW_ = clientW_ = width;
    backBufferH_ = clientH_ = height;
}

MWinD3DWin::~MWinD3DWin() {
    const MWinAppSettings& s = winAppSettings();
    if (device_ && s.fullscreenMode && s.fullscreenTypePure) leaveFullscreen();
    if (device_ && s.useDepthStencil && autoDepth_) {
        device_->setDepthStencil(nullptr);
        device_->releaseDepthStencil(autoDepth_);
    }
    keptTarget_ = nullptr;
    releaseAll();
}

void MWinD3DWin::releaseAll() {
    if (device_) {
        for (int stage = 0; stage < platform::kSamplerStages; ++stage) device_->setTexture(stage, nullptr);
        device_->setVertexShader(nullptr);
        device_->setPixelShader(nullptr);
    }
    std::lock_guard lock(recordsMutex_);
    for (MWinD3DTexture* t : released_) delete t;
    released_.clear();
    for (MWinD3DTexture* t : textures_) delete t;
    for (MWinD3DDepthSurface* d : depthSurfaces_) delete d;
    textures_.clear();
    depthSurfaces_.clear();
    listeners_.clear();
    // The device owns what the records pointed at and frees it with itself.
    device_.reset();
}

bool MWinD3DWin::initialize() {
    MWinAppSettings& s = winAppSettings();
    const int adapters = factory_.adapterCount();
    if (adapters <= 0) return false;
    if (s.displayAdapter >= adapters) s.displayAdapter = adapters - 1;
    if (!factory_.capabilities(s.displayAdapter, caps_)) return false;
    modes_ = factory_.displayModes(s.displayAdapter);
    if (s.resourceHeight != 0.0f && s.resourceAspect != 0.0f) {
        resourceScale_ = float(backBufferH_) / s.resourceHeight;
        if (s.fitMode == 3) resourceAspect_ = s.resourceAspect;
    }
    if (!createDevice(s.fitMode, s.resourceAspect * s.resourceHeight, s.resourceHeight)) return false;
    screenClearColour_ = 0xFF000000;
    setDefaultRenderStates();
    whiteTexture_ = createTexture(1, 1, PixelFormat::X8R8G8B8, false, 1);
    fillWhiteTexture();
    return true;
}

void MWinD3DWin::fillWhiteTexture() {
    if (!whiteTexture_) return;
    static const uint32_t white = 0xFFFFFFFF;
    MTextureImageDesc desc(32, 1, 1, 1, 1);
    desc.pixels = &white;
    uploadTexturePixels(*device_, whiteTexture_->texture, desc);
}

void MWinD3DWin::computeFit() {
    const MWinAppSettings& s = winAppSettings();
    fitRects_ = computeFitRects(s.screenWidth, s.screenHeight, clientW_, clientH_);
}

bool MWinD3DWin::createDevice(int32_t fitMode, float, float) {
    const MWinAppSettings& s = winAppSettings();
    if (fitMode == 1) presentFit_ = computePresentFit(s.windowWidth, s.windowHeight, backBufferW_, backBufferH_, presentRects_);
    computeFit();
    params_.backBufferWidth = backBufferW_;
    params_.backBufferHeight = backBufferH_;
    params_.windowed = !fullscreen_;
    params_.backBufferFormat = fullscreen_ ? PixelFormat::X8R8G8B8 : PixelFormat::Unknown;
    params_.refreshRate = fullscreen_ ? s.fullscreenRefreshRate : 0;
    params_.intervalOne = true;
    params_.autoDepthStencil = s.useDepthStencil;
    params_.depthStencilFormat = PixelFormat::D24S8;
    device_ = createDeviceByFallback(factory_, s.displayAdapter, caps_, s.d3dPureDevice, window_, params_);
    if (!device_) return false;
    updateVsyncPaced();
    createDefaultTargets();
    publishScaling();
    return true;
}

void MWinD3DWin::updateVsyncPaced() {
    vsyncPaced_ = false;
    if (!params_.intervalOne) return;
    const int refresh = device_->currentDisplayMode().refreshRate;
    vsyncPaced_ = caps_.intervalOne && refresh >= 58 && refresh <= 62;
}

void MWinD3DWin::createDefaultTargets() {
    const MWinAppSettings& s = winAppSettings();
    backBuffer_ = device_->backBuffer();
    device_->colorFill(backBuffer_, 0);
    captureTexture_ = createTexture(s.screenWidth, s.screenHeight, PixelFormat::X8R8G8B8, true, 1);
    if (captureTexture_) captureTexture_->minFilter = captureTexture_->magFilter = 1;
    if (s.useDepthStencil) {
        platform::Surface* depth = device_->createDepthStencil(
            std::max(backBufferW_, s.screenWidth), std::max(backBufferH_, s.screenHeight), PixelFormat::D24S8);
        if (depth) {
            if (autoDepth_) device_->releaseDepthStencil(autoDepth_);
            autoDepth_ = depth;
            device_->setDepthStencil(depth);
        }
    }
}

void MWinD3DWin::releaseDefaultTargets() {
    if (!winAppSettings().useDepthStencil || !autoDepth_) return;
    device_->setDepthStencil(nullptr);
    device_->releaseDepthStencil(autoDepth_);
    autoDepth_ = nullptr;
}

void MWinD3DWin::publishScaling() { publishMouseScaling(float(backBufferW_), float(backBufferH_)); }

platform::DeviceStatus MWinD3DWin::present() {
    collectReleasedRecords();
    const platform::DeviceStatus status =
        presentFit_ ? device_->present(&presentRects_.source, &presentRects_.destination)
                    : device_->present(nullptr, nullptr);
    if (status == platform::DeviceStatus::Lost) {
        MWinAppSettings& s = winAppSettings();
        s.deviceLost = true;
        if (resetDevice()) {
            s.deviceLost = false;
            updateVsyncPaced();
        }
    }
    return status;
}

bool MWinD3DWin::resetDevice() {
    const platform::DeviceStatus level = device_->testCooperativeLevel();
    if (level != platform::DeviceStatus::Ok && level != platform::DeviceStatus::NotReset) return false;
    notifyDeviceEvent(0);
    releaseDefaultTargets();
    releaseTexture(captureTexture_);
    captureTexture_ = nullptr;
    for (MWinD3DTexture*& target : mask_.targets) {
        releaseTexture(target);
        target = nullptr;
    }
    mask_.width = mask_.height = 0;
    mask_.firstLayer = mask_.stateLocked = false;
    backBuffer_ = nullptr;
    {
        std::lock_guard lock(recordsMutex_);
        for (MWinD3DTexture* t : textures_) {
            if (!t->isRenderTarget && !t->isDynamic) continue;
            device_->releaseTexture(t->texture);
            t->texture = nullptr;
            t->surface = nullptr;
            videoMemory_ -= uint32_t(t->width * t->height * 4);
            t->isLost = true;
        }
        for (MWinD3DDepthSurface* d : depthSurfaces_) {
            device_->releaseDepthStencil(d->surface);
            d->surface = nullptr;
            videoMemory_ -= uint32_t(d->width * d->height * d->bytesPerPixel);
            d->isLost = true;
        }
    }
    stage0_.texture = nullptr;
    if (!device_->reset(params_)) return false;
    createDefaultTargets();
    {
        std::lock_guard lock(recordsMutex_);
        for (MWinD3DTexture* t : textures_) {
            if (!t->isLost) continue;
            t->isLost = false;
            const auto usage = t->isRenderTarget ? platform::TextureUsage::RenderTarget : platform::TextureUsage::Dynamic;
            t->texture = device_->createTexture({t->width, t->height, t->levels, t->format, usage});
            if (t->texture && t->isRenderTarget) t->surface = t->texture->surface();
            videoMemory_ += uint32_t(t->width * t->height * 4);
        }
        for (MWinD3DDepthSurface* d : depthSurfaces_) {
            if (!d->isLost) continue;
            d->isLost = false;
            d->surface = device_->createDepthStencil(d->width, d->height, d->format);
            videoMemory_ += uint32_t(d->width * d->height * d->bytesPerPixel);
        }
    }
    setDefaultRenderStates();
    notifyDeviceEvent(1);
    return true;
}

void MWinD3DWin::forgetRecord(const MWinD3DTexture* record) {
    if (record == destination_) destination_ = nullptr;
    for (MWinD3DTexture*& target : mask_.targets)
        if (record == target) target = nullptr;
    if (record == hatch_) hatch_ = nullptr;
    if (record == stripTexture_) stripTexture_ = nullptr;
    removeWarmTarget(record);
}

void MWinD3DWin::notifyDeviceEvent(int32_t code) {
    for (auto& [key, listener] : listeners_) listener.fn(code, listener.argument);
}

void MWinD3DWin::addDeviceEventListener(int32_t key, DeviceEventFn fn, void* argument) {
    listeners_[key] = {fn, argument};
}

void MWinD3DWin::removeDeviceEventListener(int32_t key) { listeners_.erase(key); }

MWinD3DTexture* MWinD3DWin::createTexture(int32_t width, int32_t height, PixelFormat format, bool renderTarget,
                                          int32_t levels) {
    auto* record = new MWinD3DTexture;
    record->format = format;
    record->width = width;
    record->height = height;
    record->levels = levels;
    record->isRenderTarget = renderTarget;
    record->texture = device_->createTexture(
        {width, height, levels, format,
         renderTarget ? platform::TextureUsage::RenderTarget : platform::TextureUsage::Managed});
    if (!record->texture) {
        delete record;
        return nullptr;
    }
    if (renderTarget) record->surface = record->texture->surface();
    std::lock_guard lock(recordsMutex_);
    videoMemory_ += uint32_t(width * height * 4);
    textures_.push_back(record);
    return record;
}

MWinD3DTexture* MWinD3DWin::createDynamicTexture(int32_t width, int32_t height, PixelFormat format, bool fallback) {
    if (caps_.dynamicTextures) {
        auto* record = new MWinD3DTexture;
        record->format = format;
        record->width = width;
        record->height = height;
        record->isDynamic = true;
        record->texture = device_->createTexture({width, height, 1, format, platform::TextureUsage::Dynamic});
        if (record->texture) {
            std::lock_guard lock(recordsMutex_);
            videoMemory_ += uint32_t(width * height * 4);
            textures_.push_back(record);
            return record;
        }
        delete record;
    }
    return fallback ? createTexture(width, height, format, false, 1) : nullptr;
}

MWinD3DDepthSurface* MWinD3DWin::createDepthStencil(int32_t width, int32_t height, PixelFormat format,
                                                    int32_t multisampleType, int32_t multisampleQuality,
                                                    int32_t discard) {
    auto* record = new MWinD3DDepthSurface;
    record->format = format;
    record->width = width;
    record->height = height;
    record->multisampleType = multisampleType;
    record->multisampleQuality = multisampleQuality;
    record->discard = discard;
    record->bytesPerPixel = depthBytesPerPixel(format);
    record->surface = device_->createDepthStencil(width, height, format);
    if (!record->surface) {
        delete record;
        return nullptr;
    }
    std::lock_guard lock(recordsMutex_);
    videoMemory_ += uint32_t(width * height * record->bytesPerPixel);
    depthSurfaces_.push_back(record);
    return record;
}

bool MWinD3DWin::releaseTexture(MWinD3DTexture* record) {
    {
        std::lock_guard lock(recordsMutex_);
        auto it = std::find(textures_.begin(), textures_.end(), record);
        if (it == textures_.end()) return false;
        textures_.erase(it);
        videoMemory_ -= uint32_t(record->width * record->height * 4);
        // The bindings and the window's own pointers belong to the main
        // thread: it drops the record at its next frame.
        if (std::this_thread::get_id() != mainThread_) {
            released_.push_back(record);
            return true;
        }
    }
    dropRecord(record);
    return true;
}

void MWinD3DWin::collectReleasedRecords() {
    std::vector<MWinD3DTexture*> released;
    {
        std::lock_guard lock(recordsMutex_);
        released.swap(released_);
    }
    for (MWinD3DTexture* record : released) dropRecord(record);
}

void MWinD3DWin::dropRecord(MWinD3DTexture* record) {
    if (record->texture && (record->texture == stage0_.texture || record->texture == device_->texture(0))) {
        stage0_.texture = nullptr;
        device_->setTexture(0, nullptr);
    }
    forgetRecord(record);
    if (record->surface && record->surface == device_->renderTarget()) device_->setRenderTarget(backBuffer_);
    if (record->surface == keptTarget_) keptTarget_ = nullptr;
    device_->releaseTexture(record->texture);
    delete record;
}

bool MWinD3DWin::releaseDepthStencil(MWinD3DDepthSurface* record) {
    {
        std::lock_guard lock(recordsMutex_);
        auto it = std::find(depthSurfaces_.begin(), depthSurfaces_.end(), record);
        if (it == depthSurfaces_.end()) return false;
        depthSurfaces_.erase(it);
        videoMemory_ -= uint32_t(record->width * record->height * record->bytesPerPixel);
    }
    if (record->surface && record->surface == device_->depthStencil()) device_->setDepthStencil(autoDepth_);
    device_->releaseDepthStencil(record->surface);
    delete record;
    return true;
}

uint32_t MWinD3DWin::videoMemoryBytes() {
    std::lock_guard lock(recordsMutex_);
    return videoMemory_;
}

std::vector<MWinD3DTexture*> MWinD3DWin::textures() {
    std::lock_guard lock(recordsMutex_);
    return textures_;
}

std::vector<MWinD3DDepthSurface*> MWinD3DWin::depthSurfaces() {
    std::lock_guard lock(recordsMutex_);
    return depthSurfaces_;
}

uint32_t MWinD3DWin::clearFlags() const {
    return platform::kClearTarget |
           (winAppSettings().useDepthStencil ? platform::kClearDepth | platform::kClearStencil : 0u);
}

bool MWinD3DWin::blitTexture(platform::Surface* target, MWinD3DTexture* source, const platform::Rect* destination,
                             const platform::Rect* sourceRect) {
    platform::Surface* kept = device_->renderTarget();
    if (!target) return false;
    device_->setRenderTarget(target);
    device_->clear(clearFlags(), 0, 1.0f, 0);
    setVertexFormat(0);
    MWinD3DTexture* from = source ? source : captureTexture_;
    float l = -0.5f, t = -0.5f, r = float(backBufferW_) - 0.5f, b = float(backBufferH_) - 0.5f;
    if (destination) {
        l = float(destination->left) - 0.5f;
        t = float(destination->top) - 0.5f;
        r = float(destination->right) - 0.5f;
        b = float(destination->bottom) - 0.5f;
    }
    float u0 = 0, v0 = 0, u1 = 1, v1 = 1;
    if (sourceRect && from) {
        u0 = float(sourceRect->left) / float(from->width);
        v0 = float(sourceRect->top) / float(from->height);
        u1 = float(sourceRect->right) / float(from->width);
        v1 = float(sourceRect->bottom) / float(from->height);
    }
    const D3DScreenVertex fan[4] = {{l, t, 0, 1, 0xFFFFFFFF, u0, v0}, {r, t, 0, 1, 0xFFFFFFFF, u1, v0},
                                    {r, b, 0, 1, 0xFFFFFFFF, u1, v1}, {l, b, 0, 1, 0xFFFFFFFF, u0, v1}};
    setTexture(from);
    setDrawState(0, 0, 0, 0);
    applyBlendRow(copyBlendRow());
    device_->drawPrimitiveUP(platform::PrimitiveType::TriangleFan, 2, fan, sizeof fan[0]);
    applyBlendRow(blendRow(0));
    setVertexFormat(1);
    device_->setRenderTarget(kept);
    return true;
}

bool MWinD3DWin::clearTexture(MWinD3DTexture* texture, uint32_t colour) {
    if (!texture || !texture->surface) return false;
    platform::Surface* kept = device_->renderTarget();
    device_->setRenderTarget(texture->surface);
    device_->clear(clearFlags(), colour, 1.0f, 0);
    device_->setRenderTarget(kept);
    return true;
}

bool MWinD3DWin::captureToTexture(MWinD3DTexture* target, MWinD3DTexture* source,
                                  const platform::Rect* destination, const platform::Rect* sourceRect) {
    return target && blitTexture(target->surface, source, destination, sourceRect);
}

bool MWinD3DWin::captureToTextureWhole(MWinD3DTexture* target, MWinD3DTexture* source,
                                       const platform::Rect* sourceRect) {
    return captureToTexture(target, source, nullptr, sourceRect);
}

bool MWinD3DWin::drawTaskToTarget(MTask* task, MWinD3DTexture* target, bool clear, uint32_t clearColour) {
    if (sceneNesting == 0) collectReleasedRecords();
    inScene_ = true;
    const bool forScreen = target == nullptr;
    // This call's own: a target drawn inside (the virtual screen inside the
    // screen's draw) clears the member before the copy below would read it.
    bool copyToScreen = false;
    if (forScreen) {
        target = captureTexture_;
        copyToScreen = captureTarget_ = target != nullptr;
    } else if (!target->surface) {
        inScene_ = false;
        return false;
    }
    platform::Surface* kept = sceneNesting > 0 ? device_->renderTarget() : nullptr;
    if (target) device_->setRenderTarget(target->surface);

    if (clear) device_->clear(clearFlags(), forScreen ? screenClearColour_ : clearColour, 1.0f, 0);
    if (sceneNesting++ == 0) device_->beginScene();

    if (task && !task->isHidden() && task->getState() != MTask::kFinished) task->draw(0);
    if (copyToScreen) {
        const platform::Rect source = toRect(fitRects_.source), destination = toRect(fitRects_.destination);
        blitTexture(backBuffer_, captureTexture_, &destination, &source);
    }

    if (--sceneNesting == 0) device_->endScene();
    if (sceneNesting > 0 && kept) device_->setRenderTarget(kept);
    captureTarget_ = false;
    inScene_ = false;
    return true;
}

void MWinD3DWin::setScreenSize(int32_t width, int32_t height) {
    if (fullscreen_) return;
    if (width * height == 0) width = height = 1;
    clientW_ = backBufferW_ = width;
    clientH_ = backBufferH_ = height;
    MWinAppSettings& s = winAppSettings();
    s.clientWidth = width;
    s.clientHeight = height;
    params_.backBufferWidth = width;
    params_.backBufferHeight = height;
    computeFit();
    resetDevice();
    publishScaling();
}

void MWinD3DWin::enterFullscreen(int32_t width, int32_t height, int32_t refreshRate) {
    if (fullscreen_) return;
    const platform::DisplayMode wanted{width, height, refreshRate, PixelFormat::X8R8G8B8};
    if (std::find(modes_.begin(), modes_.end(), wanted) == modes_.end()) return;
    backBufferW_ = params_.backBufferWidth = width;
    backBufferH_ = params_.backBufferHeight = height;
    params_.backBufferFormat = PixelFormat::X8R8G8B8;
    params_.windowed = false;
    params_.refreshRate = refreshRate;
    params_.intervalOne = true;
    if (resetDevice()) updateVsyncPaced();
    fullscreen_ = true;
    MWinAppSettings& s = winAppSettings();
    s.fullscreenMode = s.fullscreenTypePure = true;
    setCursorShown(s.mouseCursor && s.fullscreenCursor);
    publishScaling();
}

void MWinD3DWin::leaveFullscreen() {
    if (!fullscreen_) return;
    MWinAppSettings& s = winAppSettings();
    backBufferW_ = params_.backBufferWidth = s.screenWidth;
    backBufferH_ = params_.backBufferHeight = s.screenHeight;
    params_.backBufferFormat = PixelFormat::Unknown;
    params_.windowed = true;
    params_.refreshRate = 0;
    params_.intervalOne = true;
    if (resetDevice()) updateVsyncPaced();
    fullscreen_ = false;
    s.fullscreenMode = s.fullscreenTypePure = false;
    setCursorShown(s.mouseCursor);
    publishScaling();
    restoreWindowFrame();
}

void MWinD3DWin::setCursorShown(bool shown) {
    if (cursorShown_ == int8_t(shown)) return;
    cursorShown_ = int8_t(shown);
    platform::showCursor(shown);
}

void MWinD3DWin::restoreWindowFrame() {
    // The window comes back at the settings' client size, or at twice that
    // when it already has it; a popup window gets its caption back. SDL
    // sizes the client area, so the frame's own size takes no part: the
    // outer width equals the client width plus the frame exactly when the
    // client width is the settings'.
    const MWinAppSettings& s = winAppSettings();
    if (platform::hasWindowFrame(window_)) {
        const bool atSettingsSize = platform::windowClientSize(window_).width == s.windowWidth;
        const int32_t scale = atSettingsSize ? 2 : 1;
        platform::setWindowClientSize(window_, s.windowWidth * scale, s.windowHeight * scale);
    } else {
        platform::setWindowClientSize(window_, s.windowWidth * 2, s.windowHeight * 2);
        platform::setWindowFrame(window_, true);
        platform::showWindowNormal(window_);
    }
    platform::setWindowTopMost(window_, false);
}

void MWinD3DWin::saveRenderTarget() { keptTarget_ = device_->renderTarget(); }

void MWinD3DWin::restoreRenderTarget() {
    if (keptTarget_) device_->setRenderTarget(keptTarget_);
    keptTarget_ = nullptr;
}

void MWinD3DWin::setRenderTargetTexture(MWinD3DTexture* texture) {
    if (texture && texture->surface) device_->setRenderTarget(texture->surface);
}

void MWinD3DWin::setVertexFormat(int32_t kind) {
    switch (kind) {
    case 0: device_->setVertexFormat(platform::VertexFormat::ScreenSpace); break;
    case 1: device_->setVertexFormat(platform::VertexFormat::Coloured); break;
    case 2: device_->setVertexFormat(platform::VertexFormat::TwoTexture); break;
    default: break;
    }
}

void MWinD3DWin::getWindowSize(float& width, float& height) {
    const MWinAppSettings& s = winAppSettings();
    width = float(s.windowWidth);
    height = float(s.windowHeight);
}

void MWinD3DWin::createCaptureTexture() {
    if (captureTexture_) return;
    const MWinAppSettings& s = winAppSettings();
    captureTexture_ = createTexture(s.screenWidth, s.screenHeight, PixelFormat::X8R8G8B8, true, 1);
    if (captureTexture_) captureTexture_->minFilter = captureTexture_->magFilter = 1;
}

void MWinD3DWin::getFitRects(D3DFitRect& destination, D3DFitRect& source) {
    destination = fitRects_.destination;
    source = fitRects_.source;
}
