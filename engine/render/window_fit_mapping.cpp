#include "engine/render/window_fit_mapping.h"

#include <cmath>

#include "engine/render/display.h"
#include "engine/render/win_d3d_win.h"

void fitMapWindowPoint(float& x, float& y) {
    MDisplay* display = MDisplay::getInstance();
    if (!display || !display->d3dWin()) return;
    D3DFitRect destination, source;
    display->d3dWin()->getFitRects(destination, source);
    const float width = destination.right - destination.left, height = destination.bottom - destination.top;
    if (width == 0.0f || height == 0.0f) return;
    x = std::trunc((source.right - source.left) * (x - destination.left) / width);
    y = std::trunc((source.bottom - source.top) * (y - destination.top) / height);
}
