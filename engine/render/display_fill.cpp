#include "engine/render/display_fill.h"

#include <cmath>

#include "engine/render/d3d_vertex.h"
#include "engine/render/display.h"
#include "engine/render/win_d3d_win.h"

namespace {

constexpr int kEllipseSegments = 32;
constexpr float kTwoPi = 6.2831855f;

uint32_t rgbaToArgb(uint32_t rgba) { return rgba >> 8 | rgba << 24; }

MWinD3DWin* drawingWindow() {
    MDisplay* display = MDisplay::getInstance();
    MWinD3DWin* win = display ? display->d3dWin() : nullptr;
    return win && win->device() ? win : nullptr;
}

}  // namespace

void drawFilledRect(uint32_t colour, float left, float top, float right, float bottom) {
    MWinD3DWin* win = drawingWindow();
    if (!win) return;
    const uint32_t argb = rgbaToArgb(colour);
    D3DColouredVertex quad[4] = {{left, top, 0, argb, 0, 0}, {right, top, 0, argb, 0, 0},
                                 {right, bottom, 0, argb, 0, 0}, {left, bottom, 0, argb, 0, 0}};
    win->drawColorQuad(quad);
}

void drawFilledEllipse(uint32_t colour, float left, float top, float right, float bottom, float z) {
    MWinD3DWin* win = drawingWindow();
    if (!win) return;
    const uint32_t argb = rgbaToArgb(colour);
    const float cx = (left + right) / 2, cy = (top + bottom) / 2;
    const float rx = (right - left) / 2, ry = (bottom - top) / 2;
    D3DColouredVertex fan[kEllipseSegments + 2];
    fan[0] = {cx, cy, z, argb, 0, 0};
    for (int i = 0; i <= kEllipseSegments; ++i) {
        const float angle = float(i) * kTwoPi * (1.0f / kEllipseSegments);
        fan[i + 1] = {std::cos(angle) * rx + cx, std::sin(angle) * ry + cy, z, argb, 0, 0};
    }
    win->setTexture(win->whiteTexture());
    win->setDrawState(0, 0, 0, 0.0f);
    win->applySolidShader();
    win->device()->drawPrimitiveUP(platform::PrimitiveType::TriangleFan, kEllipseSegments, fan, sizeof fan[0]);
}
