#include "engine/app/win_app_window.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <utility>

#include "engine/app/app_events.h"
#include "engine/base/display_seams.h"
#include "engine/app/win_app_cursor.h"
#include "engine/base/win_app_settings.h"
#include "engine/base/win_res_cfg.h"
#include "engine/input/input_map.h"
#include "engine/input/input_system.h"
#include "engine/task/looper.h"
#include "platform/input/fake_input_backend.h"

namespace {

using platform::WindowMessage;
using Kind = platform::WindowMessageKind;

WindowMessage button(Kind kind, int32_t which, float x, float y) {
    return {.kind = kind, .button = which, .x = x, .y = y};
}

WindowMessage move(float x, float y) { return {.kind = Kind::MouseMove, .x = x, .y = y}; }

// A 200 x 100 window with the engine's defaults; the pads need a looper.
class WinAppWindowTest : public testing::Test {
protected:
    WinAppWindowTest() {
        settings() = engineSettings();
        settings().windowWidth = 200;
        settings().windowHeight = 100;
        settings().visible = false;
    }
    ~WinAppWindowTest() override {
        holder.reset();
        setCursorVisibility(true);
        platform::showCursor(true);
        clearAppEvents();
        setInputActive(false);
        winAppSettings() = MWinAppSettings{};
    }

    static MWinAppSettings& settings() { return winAppSettings(); }

    MWinAppWindow& open() {
        holder->createAppWindow(settings(), settings().windowWidth, settings().windowHeight);
        EXPECT_NE(holder->handle(), nullptr);
        holder->createSoftKeyPadAndMouse();
        return *holder;
    }

    // The pad and the mouse as the next frame will read them.
    void latch() {
        holder->touchTarget()->latch();
        holder->mouse()->latch();
    }

    MLooper looper;
    MWinResCfg config;
    std::unique_ptr<MWinAppWindow> holder = std::make_unique<MWinAppWindow>(&config);
};

TEST_F(WinAppWindowTest, TheWindowFollowsPopupStyleAndVisibility) {
    struct Case {
        int32_t popup;
        bool visible;
        bool cursorShown;
    };
    for (const Case c : {Case{0, true, true}, Case{1, true, false}, Case{0, false, true}}) {
        settings().popupStyle = c.popup;
        settings().visible = c.visible;
        MWinAppWindow window(&config);
        ASSERT_NE(window.createAppWindow(settings(), 320, 200), nullptr);
        const Uint32 flags = SDL_GetWindowFlags(window.handle());
        EXPECT_EQ((flags & SDL_WINDOW_BORDERLESS) != 0, c.popup != 0);
        EXPECT_EQ((flags & SDL_WINDOW_HIDDEN) != 0, !c.visible);
        EXPECT_EQ(settings().clientWidth, 320);
        EXPECT_EQ(settings().clientHeight, 200);
        EXPECT_EQ(platform::isCursorShown(), c.cursorShown) << c.popup;
        // The popup window hid the cursor behind the recorded state's back,
        // so bringing the cursor into line changes nothing.
        EXPECT_TRUE(recordedCursorVisibility());
        syncCursor();
        EXPECT_EQ(platform::isCursorShown(), c.cursorShown) << c.popup;
        platform::showCursor(true);
    }
}

TEST_F(WinAppWindowTest, ThePadCoversTheTwoHalvesAndIsPublishedWithTheMouse) {
    settings().softKeypadType = 3;
    settings().softKeypad = true;
    MWinAppWindow& window = open();
    MSoftKeyPad* pad = window.softKeyPad();
    ASSERT_NE(pad, nullptr);
    EXPECT_EQ(window.touchTarget(), pad);
    EXPECT_EQ(inputWindowSoftKeyPad(), pad);
    EXPECT_TRUE(pad->isEnabled());
    EXPECT_TRUE(pad->keysEnabled());
    ASSERT_NE(window.mouse(), nullptr);
    EXPECT_TRUE(window.mouse()->isEnabled());
    // Type 3's second area is 2 x 2 from x = 100: Y at the top left.
    EXPECT_EQ(pad->hitTest(0, 125.0f, 25.0f), int32_t(kSoftKeyY));
    EXPECT_EQ(pad->hitTest(0, 175.0f, 75.0f), int32_t(kSoftKeyA));

    window.createSoftKeyPadAndMouse();
    EXPECT_EQ(window.softKeyPad(), pad);

    holder.reset();
    EXPECT_EQ(inputWindowSoftKeyPad(), nullptr);
}

TEST_F(WinAppWindowTest, WithoutAWindowNoPadOrMouseIsInstalled) {
    holder->createSoftKeyPadAndMouse();
    EXPECT_EQ(holder->softKeyPad(), nullptr);
    EXPECT_EQ(holder->touchTarget(), nullptr);
    EXPECT_EQ(holder->mouse(), nullptr);
    EXPECT_EQ(inputWindowSoftKeyPad(), nullptr);
    // Mouse messages only keep the button flags.
    holder->appWindowProc(button(Kind::ButtonDown, 1, 1.0f, 1.0f));
    EXPECT_TRUE(holder->buttonDown(1));
}

TEST_F(WinAppWindowTest, RemovingThePadTakesTheTouchTargetWithIt) {
    MWinAppWindow& window = open();
    window.setSoftKeyPad(nullptr);
    EXPECT_EQ(window.touchTarget(), nullptr);
    EXPECT_EQ(inputWindowSoftKeyPad(), nullptr);
    window.appWindowProc(button(Kind::ButtonDown, 0, 1.0f, 1.0f));
    window.mouse()->latch();
    EXPECT_EQ(window.mouse()->downMask(), 1u);
}

TEST_F(WinAppWindowTest, TheLeftButtonDrivesTouchZeroAndTheMouse) {
    MWinAppWindow& window = open();
    MTouchPad& touch = *window.touchTarget();
    MMouse& mouse = *window.mouse();

    window.appWindowProc(move(3.0f, 4.0f));
    window.appWindowProc(button(Kind::ButtonDown, 0, 10.0f, 20.0f));
    latch();
    EXPECT_EQ(touch.pressedMask(), 1u);
    EXPECT_EQ(mouse.pressedMask(), 1u);
    EXPECT_TRUE(window.buttonDown(0));
    EXPECT_EQ(touch.startPosition(0).x, 10.0f);

    window.appWindowProc(move(30.0f, 40.0f));
    latch();
    EXPECT_EQ(touch.movedMask(), 1u);
    EXPECT_EQ(touch.position(0).y, 40.0f);
    EXPECT_EQ(mouse.position(0).x, 30.0f);

    window.appWindowProc(button(Kind::ButtonUp, 0, 31.0f, 41.0f));
    latch();
    EXPECT_EQ(touch.releasedMask(), 1u);
    EXPECT_EQ(mouse.releasedMask(), 1u);
    EXPECT_FALSE(window.buttonDown(0));

    // The right and middle buttons reach the mouse only.
    window.appWindowProc(button(Kind::ButtonDown, 1, 5.0f, 5.0f));
    window.appWindowProc(button(Kind::ButtonDown, 2, 6.0f, 6.0f));
    latch();
    EXPECT_EQ(mouse.downMask(), 0b110u);
    EXPECT_EQ(touch.downMask(), 0u);
}

TEST_F(WinAppWindowTest, WithoutMouseToTouchPadTheTouchIsLeftAlone) {
    settings().mouseToTouchPad = false;
    MWinAppWindow& window = open();
    window.appWindowProc(button(Kind::ButtonDown, 0, 10.0f, 20.0f));
    latch();
    EXPECT_EQ(window.touchTarget()->downMask(), 0u);
    EXPECT_EQ(window.mouse()->downMask(), 1u);
}

TEST_F(WinAppWindowTest, PointsPassThroughTheInstalledMapping) {
    MWinAppWindow& window = open();
    setWindowPointMapping([](float& x, float& y) {
        x *= 2.0f;
        y += 1.0f;
    });
    window.appWindowProc(button(Kind::ButtonDown, 0, 10.0f, 20.0f));
    setWindowPointMapping(nullptr);
    latch();
    EXPECT_EQ(window.mouse()->position(0).x, 20.0f);
    EXPECT_EQ(window.touchTarget()->position(0).y, 21.0f);
}

TEST_F(WinAppWindowTest, LosingTheCaptureReleasesWhatIsHeldWhereItLastWas) {
    MWinAppWindow& window = open();
    MTouchPad& touch = *window.touchTarget();
    MMouse& mouse = *window.mouse();
    window.appWindowProc(button(Kind::ButtonDown, 0, 10.0f, 20.0f));
    window.appWindowProc(button(Kind::ButtonDown, 1, 5.0f, 6.0f));
    latch();
    window.appWindowProc(move(50.0f, 60.0f));
    latch();

    window.appWindowProc({.kind = Kind::CaptureLost});
    latch();
    EXPECT_EQ(touch.releasedMask(), 1u);
    EXPECT_EQ(touch.downMask(), 0u);
    EXPECT_EQ(touch.position(0).x, 50.0f);
    EXPECT_EQ(mouse.releasedMask(), 0b11u);
    EXPECT_EQ(mouse.downMask(), 0u);
    for (int b = 0; b < 3; ++b) EXPECT_FALSE(window.buttonDown(b));
}

TEST_F(WinAppWindowTest, WindowMessagesBecomeApplicationEvents) {
    MWinAppWindow& window = open();

    window.appWindowProc({.kind = Kind::Minimize});
    // Dispatched at once: the next frame step already sees it.
    EXPECT_TRUE(readAppEvent(MAppEvent::Suspended));
    EXPECT_FALSE(readAppEvent(MAppEvent::MinimizeRequested));

    window.appWindowProc({.kind = Kind::Restore});
    EXPECT_FALSE(readAppEvent(MAppEvent::Suspended));
    EXPECT_TRUE(readAppEvent(MAppEvent::RestoreRequested));

    window.appWindowProc({.kind = Kind::Activate, .active = 1});
    EXPECT_TRUE(inputActive());
    // A deactivation only stops the input; frames go on.
    window.appWindowProc({.kind = Kind::Activate, .active = 0});
    EXPECT_FALSE(inputActive());
    EXPECT_FALSE(readAppEvent(MAppEvent::Suspended));
}

TEST_F(WinAppWindowTest, ACloseIsARequestAndOneExitPress) {
    platform::FakeInputBackend backend;
    platform::setInputBackend(&backend);
    ASSERT_TRUE(initInputSystem());
    config.parse("FORCE_TERMINATE_ON_CLOSE = 0");
    MWinAppWindow& window = open();

    window.appWindowProc({.kind = Kind::Close});
    EXPECT_TRUE(readAppEvent(MAppEvent::CloseRequested));
    pollDirectInput();
    EXPECT_NE(slotEngineMask(0) & kInputExit, 0u);
    pollDirectInput();
    EXPECT_EQ(slotEngineMask(0) & kInputExit, 0u);

    shutdownInputSystem();
    platform::setInputBackend(nullptr);
}

TEST_F(WinAppWindowTest, ASizeChangeReachesTheDisplayOnceItListens) {
    MWinAppWindow& window = open();
    window.appWindowProc({.kind = Kind::Size, .width = 640, .height = 360});  // nobody listens yet
    std::pair<int32_t, int32_t> seen{0, 0};
    setWindowResizeHandler([&](int32_t w, int32_t h) { seen = {w, h}; });
    window.appWindowProc({.kind = Kind::Size, .width = 800, .height = 450});
    setWindowResizeHandler(nullptr);
    EXPECT_EQ(seen.first, 800);
    EXPECT_EQ(seen.second, 450);
}

}  // namespace
