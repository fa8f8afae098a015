#include "engine/app/win_app_window.h"

#include <cstdlib>

#include "engine/app/app_events.h"
#include "engine/base/display_seams.h"
#include "engine/base/res_cfg.h"
#include "engine/base/win_app_settings.h"
#include "engine/input/input_system.h"

namespace {

using Kind = platform::WindowMessageKind;

constexpr float kDragUnit = 10.0f;
constexpr float kStickRadius = 100.0f;
constexpr float kPrecisionThreshold = 4.0f;

}  // namespace

MWinAppWindow::MWinAppWindow(const MResCfg* config) : config_(config) {}

MWinAppWindow::~MWinAppWindow() {
    if (ownedPad_ && inputWindowSoftKeyPad() == ownedPad_.get()) setInputWindowSoftKeyPad(nullptr);
    ownedPad_.reset();
    touchTarget_ = nullptr;
    mouse_.reset();
    platform::destroyWindow(window_);
}

platform::WindowHandle MWinAppWindow::createAppWindow(MWinAppSettings& settings, int32_t width, int32_t height) {
    const bool popup = settings.popupStyle != 0;
    window_ = platform::createWindow({.title = settings.caption,
                                      .appName = settings.className,
                                      .width = width,
                                      .height = height,
                                      .borderless = popup,
                                      .visible = settings.visible});
    if (!window_) return nullptr;
    // The popup window shows no cursor; the recorded cursor state is left as
    // it is, so only a change of the wanted state shows it again. (Hidden
    // once video is up: before that there is no cursor to hide.)
    if (popup) platform::showCursor(false);
    const platform::ClientSize client = platform::windowClientSize(window_);
    settings.clientWidth = client.width;
    settings.clientHeight = client.height;
    // A window fitted to a smaller display is the window from now on; the
    // screen keeps its size and its picture is scaled into the window.
    if (client.width < width || client.height < height) {
        settings.windowWidth = client.width;
        settings.windowHeight = client.height;
    }
    return window_;
}

void MWinAppWindow::appWindowProc(const platform::WindowMessage& m) {
    float x = m.x;
    float y = m.y;
    switch (m.kind) {
        case Kind::Close: close(); break;
        case Kind::Minimize: minimize(); break;
        case Kind::Restore: restore(); break;
        case Kind::Activate: activate(m.active != 0); break;
        case Kind::Size: notifyWindowResize(m.width, m.height); break;
        case Kind::MouseMove:
            mapWindowPoint(x, y);
            mouseMove(x, y);
            break;
        case Kind::ButtonDown:
            mapWindowPoint(x, y);
            pressButton(m.button, x, y);
            break;
        case Kind::ButtonUp:
            mapWindowPoint(x, y);
            releaseButton(m.button, x, y);
            break;
        case Kind::CaptureLost: loseCapture(); break;
    }
}

// Read at every close, so the setting can be changed while the game runs.
void MWinAppWindow::close() {
    if (config_ && config_->getInt("FORCE_TERMINATE_ON_CLOSE") != 0) std::exit(0);
    requestInputExit();
    writeAppEvent(MAppEvent::CloseRequested, true);
}

void MWinAppWindow::minimize() {
    writeAppEvent(MAppEvent::MinimizeRequested, true);
    dispatchAppEvents();
}

// Frames resume at once; the request itself is cleared by the next dispatch.
void MWinAppWindow::restore() {
    writeAppEvent(MAppEvent::RestoreRequested, true);
    writeAppEvent(MAppEvent::Suspended, false);
}

void MWinAppWindow::activate(bool active) {
    setInputActive(active);
    acquireInputDevices();
}

bool MWinAppWindow::touchFollowsMouse() const { return winAppSettings().mouseToTouchPad && touchTarget_; }

void MWinAppWindow::mouseMove(float x, float y) {
    if (touchFollowsMouse() && buttonDown_[0]) touchTarget_->move(0, x, y);
    if (mouse_) mouse_->move(x, y);
}

void MWinAppWindow::pressButton(int button, float x, float y) {
    if (button < 0 || button >= kButtons) return;
    if (button == 0 && touchFollowsMouse()) touchTarget_->press(0, x, y);
    if (mouse_) mouse_->press(uint32_t(button), x, y);
    buttonDown_[button] = 1;
    if (!platform::isMouseCaptured(window_)) platform::captureMouse(true);
}

void MWinAppWindow::releaseButton(int button, float x, float y) {
    if (button < 0 || button >= kButtons) return;
    if (button == 0 && touchFollowsMouse()) touchTarget_->release(0, x, y);
    if (mouse_) mouse_->release(uint32_t(button), x, y);
    buttonDown_[button] = 0;
    const bool anyDown = buttonDown_[0] || buttonDown_[1] || buttonDown_[2];
    if (platform::isMouseCaptured(window_) && !anyDown) platform::captureMouse(false);
}

// Another window took the mouse: whatever was held is let go where it last was.
void MWinAppWindow::loseCapture() {
    if (touchFollowsMouse() && (touchTarget_->downMask() & 1u)) {
        const MInputPoint at = touchTarget_->position(0);
        touchTarget_->release(0, at.x, at.y);
    }
    for (int32_t& flag : buttonDown_) flag = 0;
    if (!mouse_) return;
    for (uint32_t button = 0; button < kButtons; ++button) {
        if (!(mouse_->downMask() & (1u << button))) continue;
        const MInputPoint at = mouse_->position(button);
        mouse_->release(button, at.x, at.y);
    }
}

void MWinAppWindow::createSoftKeyPadAndMouse() {
    const MWinAppSettings& s = winAppSettings();
    if (!ownedPad_) {
        for (int32_t& flag : buttonDown_) flag = 0;
        const float half = float(s.windowWidth / 2);
        const float width = float(s.windowWidth);
        const float height = float(s.windowHeight);
        auto pad = std::make_unique<MSoftKeyPad>(MInputRect{0.0f, 0.0f, half, height},
                                                 MInputRect{half, 0.0f, width, height}, uint32_t(s.softKeypadType),
                                                 kDragUnit, kStickRadius, kPrecisionThreshold);
        pad->setDirectionsEnabled(true);
        pad->setKeysEnabled(s.softKeypad);
        setSoftKeyPad(std::move(pad));
    }
    if (!mouse_) setMouse(std::make_unique<MMouse>());
}

void MWinAppWindow::setSoftKeyPad(std::unique_ptr<MSoftKeyPad> pad) {
    if (!window_) return;
    if (inputWindowSoftKeyPad() == ownedPad_.get()) setInputWindowSoftKeyPad(nullptr);
    // The touch target goes with the pad it points at.
    touchTarget_ = nullptr;
    ownedPad_ = std::move(pad);
    if (!ownedPad_) return;
    touchTarget_ = ownedPad_.get();
    ownedPad_->resetAndEnable();
    setInputWindowSoftKeyPad(ownedPad_.get());
}

void MWinAppWindow::setMouse(std::unique_ptr<MMouse> mouse) {
    if (!window_) return;
    mouse_ = std::move(mouse);
    if (mouse_) mouse_->resetAndEnable();
}
