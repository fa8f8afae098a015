#pragma once
// What the display installs on the window shell, so that the shell needs none
// of the display's types: the window-to-screen point mapping (the fit of the
// screen into the client area) and the handler of client-size changes (the
// Direct3D window's new screen size). Until the display installs them, points
// pass unchanged and size changes are dropped: a resize before the display
// exists must not reach it.
//
// Threads: main thread only.

#include <cstdint>
#include <functional>

using MWindowPointMapping = void (*)(float& x, float& y);
using MWindowResizeHandler = std::function<void(int32_t width, int32_t height)>;

// Null removes the mapping.
void setWindowPointMapping(MWindowPointMapping mapping);
// Maps a client point in place through the installed mapping, if any.
void mapWindowPoint(float& x, float& y);

// An empty handler removes it.
void setWindowResizeHandler(MWindowResizeHandler handler);
void notifyWindowResize(int32_t width, int32_t height);
