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

// Brings up SDL's video and opens the window at an undefined position; null
// when either fails (SDL's reason goes to standard error).
WindowHandle createWindow(const WindowSpec& spec);
// Closes the window and gives back the video reference taken for it.
void destroyWindow(WindowHandle window);

struct ClientSize {
    int32_t width = 0;
    int32_t height = 0;
};
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
