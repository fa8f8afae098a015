#include "engine/app/toggle_fullscreen.h"

#include "engine/app/win_app.h"
#include "engine/app/win_app_cursor.h"
#include "engine/base/win_app_settings.h"
#include "platform/window/window.h"

bool toggleFullscreen() {
    const platform::WindowHandle window = mainWindowHandle();
    platform::setWindowDesktopFullscreen(window, !platform::isWindowDesktopFullscreen(window));
    // What the window became, not what was asked: a switch can fail.
    MWinAppSettings& s = winAppSettings();
    s.fullscreenMode = platform::isWindowDesktopFullscreen(window);
    syncCursor();
    return s.fullscreenMode;
}
