#include "platform/window/window.h"

#include <SDL.h>
#include <gtest/gtest.h>

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

TEST(Window, NullWindowsAreHarmless) {
    EXPECT_FALSE(platform::isWindowDesktopFullscreen(nullptr));
    EXPECT_FALSE(platform::setWindowDesktopFullscreen(nullptr, true));
    EXPECT_FALSE(platform::isMouseCaptured(nullptr));
    EXPECT_EQ(platform::windowClientSize(nullptr).width, 0);
    platform::destroyWindow(nullptr);
}

}  // namespace
