#pragma once
// MWinAppWindow: the holder of the main window, owned by the application
// object. It creates the window from the settings and is its window
// procedure (appWindowProc): it turns the window's messages into mouse,
// touch and on-screen pad input and into application events. It owns the
// on-screen pad (also the touch target) and the mouse.
//
// Threads: main thread only, which is also the thread that pumps the
// window's messages. The application events it writes take the engine's
// global mutex; the pad and the mouse take their own.

#include <cstdint>
#include <memory>

#include "engine/input/mouse.h"
#include "engine/input/soft_key_pad.h"
#include "platform/window/window.h"
#include "platform/window/window_message.h"

class MResCfg;
struct MWinAppSettings;

class MWinAppWindow {
public:
    // config: the application's configuration, read at every close; may be null.
    explicit MWinAppWindow(const MResCfg* config);
    // Deletes the pad and the mouse, then destroys the window.
    ~MWinAppWindow();
    MWinAppWindow(const MWinAppWindow&) = delete;
    MWinAppWindow& operator=(const MWinAppWindow&) = delete;

    // Opens the window (width x height client, the settings' caption, a
    // borderless window without cursor for the popup style, hidden unless
    // visible) and measures its client size into the settings. Null when
    // the window could not be made.
    platform::WindowHandle createAppWindow(MWinAppSettings& settings, int32_t width, int32_t height);

    // One message of the window.
    void appWindowProc(const platform::WindowMessage& message);

    // Builds the on-screen pad over the window's two halves and the mouse,
    // each unless the holder has one (start-up calls it once the loop exists).
    void createSoftKeyPadAndMouse();
    // Only with a window: the pad replaces the owned one and becomes the
    // touch target, enabled and published to the input layer. Null removes it.
    void setSoftKeyPad(std::unique_ptr<MSoftKeyPad> pad);
    // Only with a window: the mouse replaces the holder's, enabled.
    void setMouse(std::unique_ptr<MMouse> mouse);

    platform::WindowHandle handle() const { return window_; }
    MTouchPad* touchTarget() const { return touchTarget_; }
    MSoftKeyPad* softKeyPad() const { return ownedPad_.get(); }
    MMouse* mouse() const { return mouse_.get(); }
    // The left (0), right (1) and middle (2) button-down flags.
    bool buttonDown(int button) const { return buttonDown_[button] != 0; }

private:
    static constexpr int kButtons = 3;

    void close();
    void minimize();
    void restore();
    void activate(bool active);
    void mouseMove(float x, float y);
    void pressButton(int button, float x, float y);
    void releaseButton(int button, float x, float y);
    void loseCapture();
    bool touchFollowsMouse() const;

    const MResCfg* config_;
    platform::WindowHandle window_ = nullptr;
    MTouchPad* touchTarget_ = nullptr;
    std::unique_ptr<MSoftKeyPad> ownedPad_;
    std::unique_ptr<MMouse> mouse_;
    int32_t buttonDown_[kButtons] = {};
};
