#include "engine/render/d3d_fit.h"

D3DFitRects computeFitRects(int screenW, int screenH, int clientW, int clientH) {
    D3DFitRects fit;
    fit.source = {0.0f, 0.0f, float(screenW), float(screenH)};
    fit.destination = {0.0f, 0.0f, float(clientW), float(clientH)};
    if (screenH <= 0 || clientH <= 0) return fit;
    if (float(screenW) / float(screenH) <= float(clientW) / float(clientH)) {
        const float width = float(clientH) * float(screenW) / float(screenH);
        fit.destination.left = (float(clientW) - width) * 0.5f;
        fit.destination.right = fit.destination.left + width;
    } else {
        const float height = float(clientW) * float(screenH) / float(screenW);
        fit.destination.top = (float(clientH) - height) * 0.5f;
        fit.destination.bottom = fit.destination.top + height;
    }
    return fit;
}

bool computePresentFit(int windowW, int windowH, int backBufferW, int backBufferH, D3DPresentFit& out) {
    if (windowH <= 0) return false;
    const float scaledWidth = float(windowW) / float(windowH) * float(backBufferH);
    const float margin = (float(backBufferW) - scaledWidth) / 2.0f;
    if (margin < 0.0f) return false;
    out.source = {int(margin), 0, int(margin + scaledWidth), backBufferH};
    out.destination = {0, 0, windowW, windowH};
    return true;
}
