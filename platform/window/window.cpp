#include "platform/window/window.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <string_view>

namespace platform {

namespace {

constexpr const char* kHeadlessDrivers[] = {"offscreen", "dummy"};
constexpr int kVideoAttempts = 3;
constexpr Uint32 kVideoRetryMs = 250;

void reportFailure(const char* what) { std::fprintf(stderr, "window: %s: %s\n", what, SDL_GetError()); }

bool isHeadlessDriver(const char* driver) {
    for (const char* headless : kHeadlessDrivers)
        if (SDL_strcasecmp(driver, headless) == 0) return true;
    return false;
}

// The largest size of the window's shape that the first display holds;
// headless drivers have no screen to overhang.
ClientSize sizeForDisplay(int32_t width, int32_t height) {
    SDL_Rect usable;
    if (isHeadlessDriver(SDL_GetCurrentVideoDriver()) || SDL_GetDisplayUsableBounds(0, &usable) != 0) {
        return {width, height};
    }
    return fitWindowToDisplay({width, height}, {usable.w, usable.h});
}

// With no display to talk to, SDL falls back on a driver that shows
// nothing; a game played blind is no game. A display that was there a moment
// ago (a server still starting or busy) is asked again a few times.
bool startVideo() {
    for (int attempt = 0; attempt < kVideoAttempts; ++attempt) {
        if (attempt > 0) SDL_Delay(kVideoRetryMs);
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
            reportFailure("video");
            continue;
        }
        if (videoDriverAllowed(SDL_GetCurrentVideoDriver(), SDL_getenv("SDL_VIDEODRIVER"))) return true;
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
    return false;
}

}  // namespace

bool videoDriverAllowed(const char* driver, const char* requested) {
    if (!driver) return false;
    if (!isHeadlessDriver(driver)) return true;
    // SDL reads the variable as a list of names separated by commas.
    const std::string_view names = requested ? requested : "";
    for (size_t start = 0; start <= names.size();) {
        const size_t end = std::min(names.find(',', start), names.size());
        const std::string name(names.substr(start, end - start));
        if (SDL_strcasecmp(name.c_str(), driver) == 0) return true;
        start = end + 1;
    }
    return false;
}

ClientSize fitWindowToDisplay(ClientSize window, ClientSize display) {
    if (display.width <= 0 || display.height <= 0) return window;
    if (window.width <= display.width && window.height <= display.height) return window;
    // Whole pixels, never over the display: the smaller of the two ratios.
    if (int64_t(display.width) * window.height <= int64_t(display.height) * window.width) {
        return {display.width, int32_t(int64_t(window.height) * display.width / window.width)};
    }
    return {int32_t(int64_t(window.width) * display.height / window.height), display.height};
}

WindowHandle createWindow(const WindowSpec& spec) {
    // A close of the window is the application's to answer, not a quit of
    // SDL's; and terminal signals keep their default of ending the process.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_APP_NAME, spec.appName.c_str());
    if (!startVideo()) {
        std::fprintf(stderr, "%s\n", kNoDisplayMessage);
        return nullptr;
    }
    Uint32 flags = SDL_WINDOW_OPENGL;
    flags |= spec.borderless ? SDL_WINDOW_BORDERLESS : 0;
    flags |= spec.visible ? SDL_WINDOW_SHOWN : SDL_WINDOW_HIDDEN;
    const ClientSize size = sizeForDisplay(spec.width, spec.height);
    SDL_Window* window = SDL_CreateWindow(spec.title.c_str(), SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                                          size.width, size.height, flags);
    if (!window) {
        reportFailure("create");
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
    return window;
}

void destroyWindow(WindowHandle window) {
    if (!window) return;
    SDL_DestroyWindow(window);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

ClientSize windowClientSize(WindowHandle window) {
    ClientSize size;
    if (window) SDL_GetWindowSize(window, &size.width, &size.height);
    return size;
}

bool setWindowDesktopFullscreen(WindowHandle window, bool fullscreen) {
    if (!window) return false;
    return SDL_SetWindowFullscreen(window, fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) == 0;
}

bool isWindowDesktopFullscreen(WindowHandle window) {
    if (!window) return false;
    return (SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN_DESKTOP) == SDL_WINDOW_FULLSCREEN_DESKTOP;
}

void setWindowClientSize(WindowHandle window, int32_t width, int32_t height) {
    if (window) SDL_SetWindowSize(window, width, height);
}

bool hasWindowFrame(WindowHandle window) {
    return window && (SDL_GetWindowFlags(window) & SDL_WINDOW_BORDERLESS) == 0;
}

void setWindowFrame(WindowHandle window, bool framed) {
    if (window) SDL_SetWindowBordered(window, framed ? SDL_TRUE : SDL_FALSE);
}

void showWindowNormal(WindowHandle window) {
    if (!window) return;
    SDL_RestoreWindow(window);
    SDL_ShowWindow(window);
}

void setWindowTopMost(WindowHandle window, bool topMost) {
    if (window) SDL_SetWindowAlwaysOnTop(window, topMost ? SDL_TRUE : SDL_FALSE);
}

bool isWindowTopMost(WindowHandle window) {
    return window && (SDL_GetWindowFlags(window) & SDL_WINDOW_ALWAYS_ON_TOP) != 0;
}

void showCursor(bool shown) { SDL_ShowCursor(shown ? SDL_ENABLE : SDL_DISABLE); }

bool isCursorShown() { return SDL_ShowCursor(SDL_QUERY) == SDL_ENABLE; }

void captureMouse(bool capture) { SDL_CaptureMouse(capture ? SDL_TRUE : SDL_FALSE); }

bool isMouseCaptured(WindowHandle window) {
    return window && (SDL_GetWindowFlags(window) & SDL_WINDOW_MOUSE_CAPTURE) != 0;
}

}  // namespace platform
