#pragma once
// The application's main window on SDL2: created from the window settings,
// with the few operations the window shell needs (client size, desktop full
// screen, the cursor and the mouse capture). The window is made for OpenGL,
// since the display device draws into it.
//
// Threads: main thread only (SDL's video calls belong to the thread that
// initialised video).

#include <cstdint>
#include <string>

struct SDL_Window;

namespace platform {

using WindowHandle = SDL_Window*;

struct WindowSpec {
    std::string title;
    // Names the application to the desktop (the window class elsewhere).
    std::string appName;
    int32_t width = 0;
    int32_t height = 0;
    bool borderless = false;  // a popup window: no caption, no frame
    bool visible = true;
};

struct ClientSize {
    int32_t width = 0;
    int32_t height = 0;
    bool operator==(const ClientSize&) const = default;
};

// Said on standard error when createWindow finds no display.
inline constexpr const char* kNoDisplayMessage =
    "No display could be opened: set DISPLAY to a running X server (or WAYLAND_DISPLAY).";

// Brings up SDL's video and opens the window at an undefined position, at
// the largest size of its shape that fits the first display; null when
// either fails (the reason goes to standard error). A driver that shows
// nothing ("offscreen", "dummy") counts as failing unless SDL_VIDEODRIVER
// names it.
WindowHandle createWindow(const WindowSpec& spec);
// Whether video may run on the driver SDL chose, given SDL_VIDEODRIVER.
bool videoDriverAllowed(const char* driver, const char* requested);
// The window's size when it fits the display, else the largest one of the
// same shape that does (whole pixels).
ClientSize fitWindowToDisplay(ClientSize window, ClientSize display);
// Closes the window and gives back the video reference taken for it.
void destroyWindow(WindowHandle window);

ClientSize windowClientSize(WindowHandle window);

// Full screen as a borderless window covering the desktop, at the desktop's mode.
bool setWindowDesktopFullscreen(WindowHandle window, bool fullscreen);
bool isWindowDesktopFullscreen(WindowHandle window);

// The client size of a window that is not full screen.
void setWindowClientSize(WindowHandle window, int32_t width, int32_t height);
// The caption and frame (a window without them is a popup).
bool hasWindowFrame(WindowHandle window);
void setWindowFrame(WindowHandle window, bool framed);
// Out of minimised or maximised, and shown.
void showWindowNormal(WindowHandle window);
// Kept above every other window, or not.
void setWindowTopMost(WindowHandle window, bool topMost);
bool isWindowTopMost(WindowHandle window);

// The cursor over the application's windows. Not counted: the last call wins.
void showCursor(bool shown);
bool isCursorShown();

// Keeps mouse events coming while the pointer leaves the window.
void captureMouse(bool capture);
bool isMouseCaptured(WindowHandle window);

}  // namespace platform
