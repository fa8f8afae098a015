#pragma once
// MDisplayDrawView: the display as the draw state reads it (display_view.h):
// the view extents' size, the screen size, the viewport last set and
// projectRect under the current transform. The display owns one and hands it
// to its Direct3D window.
//
// Threads: main thread only.

#include "engine/render/display_view.h"

class MDisplay;

class MDisplayDrawView final : public MDisplayView {
public:
    explicit MDisplayDrawView(MDisplay& display) : display_(display) {}

    void getViewSize(float& width, float& height) override;
    void getScreenSize(float& width, float& height) override;
    platform::Viewport getViewport() override;
    D3DFitRect projectRect(float left, float top, float right, float bottom) override;

private:
    MDisplay& display_;
};
