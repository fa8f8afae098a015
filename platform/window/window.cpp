#include "platform/window/window.h"

#include <SDL.h>

#include <cstdio>

namespace platform {

namespace {

void reportFailure(const char* what) { std::fprintf(stderr, "window: %s: %s\n", what, SDL_GetError()); }

}  // namespace

WindowHandle createWindow(const WindowSpec& spec) {
    // A close of the window is the application's to answer, not a quit of
    // SDL's; and terminal signals keep their default of ending the process.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_APP_NAME, spec.appName.c_str());
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        reportFailure("video");
        return nullptr;
    }
    Uint32 flags = SDL_WINDOW_OPENGL;
    flags |= spec.borderless ? SDL_WINDOW_BORDERLESS : 0;
    flags |= spec.visible ? SDL_WINDOW_SHOWN : SDL_WINDOW_HIDDEN;
    SDL_Window* window = SDL_CreateWindow(spec.title.c_str(), SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                                          spec.width, spec.height, flags);
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
