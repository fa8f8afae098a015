#pragma once
// What the window shell hears from its window. SDL reports what happened
// (the window was minimised) where the shell's messages are requests (a
// minimise is asked for); the event translator turns one into the other.

#include <cstdint>

namespace platform {

enum class WindowMessageKind : uint8_t {
    Close,        // the user asked to close the window
    Minimize,     // the window was minimised
    Restore,      // the window came back from minimised or maximised
    Activate,     // active: the window gained (1) or lost (0) the focus
    Size,         // width, height: the new client size
    MouseMove,    // x, y: the cursor in client coordinates
    ButtonDown,   // button 0 left, 1 right, 2 middle; x, y
    ButtonUp,     // likewise
    CaptureLost,  // another window took the mouse
};

struct WindowMessage {
    WindowMessageKind kind = WindowMessageKind::Close;
    int32_t active = 0;
    int32_t width = 0;
    int32_t height = 0;
    int32_t button = 0;
    float x = 0.0f;
    float y = 0.0f;
};

}  // namespace platform
