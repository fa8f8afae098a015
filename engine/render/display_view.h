#pragma once
// MDisplayView: what the draw state reads of the display: the size of the
// view it draws, its viewport, and where a world rectangle lands in view
// pixels. The display hands itself to MWinD3DWin::setDisplayView; until then
// the window uses MScreenDisplayView.
//
// Threads: main thread only, as all drawing.

#include "engine/render/d3d_fit.h"
#include "platform/device/device.h"

class MDisplayView {
public:
    virtual ~MDisplayView() = default;
    // The view extents' width and height, in pixels.
    virtual void getViewSize(float& width, float& height) = 0;
    // The screen size the display was given.
    virtual void getScreenSize(float& width, float& height) = 0;
    // The viewport last set through the display.
    virtual platform::Viewport getViewport() = 0;
    // The view-pixel bounding box of a world rectangle at z 0.
    virtual D3DFitRect projectRect(float left, float top, float right, float bottom) = 0;
};

// The screen of the settings under the camera at rest: the world's origin at
// the centre, one unit a pixel, y down.
class MScreenDisplayView final : public MDisplayView {
public:
    void getViewSize(float& width, float& height) override;
    void getScreenSize(float& width, float& height) override;
    platform::Viewport getViewport() override;
    D3DFitRect projectRect(float left, float top, float right, float bottom) override;
};
