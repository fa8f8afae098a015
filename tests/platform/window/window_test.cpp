#include "platform/window/window.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "tests/support/scoped_env.h"

namespace {

using platform::WindowHandle;

TEST(Window, FollowsTheSettingsForSizeBorderAndVisibility) {
    struct Case {
        bool borderless;
        bool visible;
    };
    for (const Case c : {Case{false, true}, Case{true, true}, Case{false, false}}) {
        WindowHandle window =
            platform::createWindow({.title = "Caption", .appName = "Class", .width = 320, .height = 200,
                                    .borderless = c.borderless, .visible = c.visible});
        ASSERT_NE(window, nullptr) << SDL_GetError();
        const Uint32 flags = SDL_GetWindowFlags(window);
        EXPECT_EQ((flags & SDL_WINDOW_BORDERLESS) != 0, c.borderless);
        EXPECT_EQ((flags & SDL_WINDOW_HIDDEN) != 0, !c.visible);
        EXPECT_NE(flags & SDL_WINDOW_OPENGL, 0u);
        EXPECT_STREQ(SDL_GetWindowTitle(window), "Caption");
        const platform::ClientSize size = platform::windowClientSize(window);
        EXPECT_EQ(size.width, 320);
        EXPECT_EQ(size.height, 200);
        platform::destroyWindow(window);
    }
    // Every reference to video given back.
    EXPECT_EQ(SDL_WasInit(SDL_INIT_VIDEO), 0u);
}

TEST(Window, SwitchesToDesktopFullScreenAndBack) {
    WindowHandle window = platform::createWindow({.title = "fs", .appName = {}, .width = 64, .height = 48});
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(platform::isWindowDesktopFullscreen(window));
    EXPECT_TRUE(platform::setWindowDesktopFullscreen(window, true));
    EXPECT_TRUE(platform::isWindowDesktopFullscreen(window));
    EXPECT_TRUE(platform::setWindowDesktopFullscreen(window, false));
    EXPECT_FALSE(platform::isWindowDesktopFullscreen(window));
    platform::destroyWindow(window);
}

TEST(Window, TheCursorIsShownOrHiddenByTheLastCall) {
    WindowHandle window = platform::createWindow({.title = "cursor", .appName = {}, .width = 64, .height = 48});
    ASSERT_NE(window, nullptr);
    platform::showCursor(false);
    platform::showCursor(false);
    EXPECT_FALSE(platform::isCursorShown());
    platform::showCursor(true);
    EXPECT_TRUE(platform::isCursorShown());
    platform::destroyWindow(window);
}

TEST(Window, DriversThatShowNothingRunOnlyWhenAskedForByName) {
    struct Case {
        const char* driver;
        const char* requested;
        bool allowed;
    };
    const Case cases[] = {
        {"x11", nullptr, true},           {"wayland", "x11", true},        {"offscreen", nullptr, false},
        {"dummy", nullptr, false},        {"offscreen", "", false},        {"offscreen", "x11", false},
        {"offscreen", "offscreen", true}, {"dummy", "DUMMY", true},        {"offscreen", "x11,offscreen", true},
        {"dummy", "x11,offscreen", false}, {nullptr, "offscreen", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(platform::videoDriverAllowed(c.driver, c.requested), c.allowed)
            << (c.driver ? c.driver : "null") << " / " << (c.requested ? c.requested : "null");
    }
}

TEST(Window, NoDisplayIsRefusedWithAMessage) {
    ScopedEnv env;
    env.set("SDL_VIDEODRIVER", std::nullopt);
    env.set("DISPLAY", std::nullopt);
    env.set("WAYLAND_DISPLAY", std::nullopt);
    testing::internal::CaptureStderr();
    WindowHandle window = platform::createWindow({.title = "blind", .appName = {}, .width = 64, .height = 48});
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(window, nullptr);
    EXPECT_NE(said.find(platform::kNoDisplayMessage), std::string::npos) << said;
    EXPECT_EQ(SDL_WasInit(SDL_INIT_VIDEO), 0u);
    platform::destroyWindow(window);
}

TEST(Window, TooLargeAWindowTakesTheLargestSizeOfItsShapeTheDisplayHolds) {
    struct Case {
        platform::ClientSize display, expected;
    };
    const Case cases[] = {
        {{1920, 1080}, {1920, 1080}}, {{2560, 1440}, {1920, 1080}}, {{1280, 1024}, {1280, 720}},
        {{800, 600}, {800, 450}},     {{1920, 1000}, {1777, 1000}}, {{1024, 768}, {1024, 576}},
        {{0, 0}, {1920, 1080}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(platform::fitWindowToDisplay({1920, 1080}, c.display), c.expected)
            << c.display.width << "x" << c.display.height;
    }
    EXPECT_EQ(platform::fitWindowToDisplay({224, 288}, {1280, 200}), (platform::ClientSize{155, 200}));
}

TEST(Window, NullWindowsAreHarmless) {
    EXPECT_FALSE(platform::isWindowDesktopFullscreen(nullptr));
    EXPECT_FALSE(platform::setWindowDesktopFullscreen(nullptr, true));
    EXPECT_FALSE(platform::isMouseCaptured(nullptr));
    EXPECT_EQ(platform::windowClientSize(nullptr).width, 0);
    platform::destroyWindow(nullptr);
}

}  // namespace
