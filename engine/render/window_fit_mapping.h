#pragma once
// fitMapWindowPoint: the window-to-screen point mapping the display installs
// on the shell (engine/base/display_seams.h). A client point becomes a screen
// point through the Direct3D window's fit rectangles: the destination (the
// part of the client area showing the screen) maps onto the source (the
// screen), each coordinate truncated to a whole pixel.
//
// Threads: main thread only (the window procedure).

// Leaves the point as it is without a display, or while the destination is
// empty.
void fitMapWindowPoint(float& x, float& y);
