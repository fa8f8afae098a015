#pragma once
// Where the screen goes in the window: the fit rectangles (the whole screen,
// pillar- or letter-boxed into the client area, which the mouse mapping
// reads) and the present rectangles of fit mode 1.

#include "platform/device/device.h"

struct D3DFitRect {
    float left = 0.0f;
    float top = 0.0f;
    float right = 0.0f;
    float bottom = 0.0f;
    bool operator==(const D3DFitRect&) const = default;
};

struct D3DFitRects {
    D3DFitRect source;       // (0, 0, screen width, screen height)
    D3DFitRect destination;  // the part of the client area that shows it
};

D3DFitRects computeFitRects(int screenW, int screenH, int clientW, int clientH);

// Fit mode 1 presents the middle of the back buffer, cut to the window's
// aspect, over the whole window. False when the back buffer is narrower.
struct D3DPresentFit {
    platform::Rect source;
    platform::Rect destination;
};
bool computePresentFit(int windowW, int windowH, int backBufferW, int backBufferH, D3DPresentFit& out);
