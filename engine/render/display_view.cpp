#include "engine/render/display_view.h"

#include <algorithm>

#include "engine/base/win_app_settings.h"

void MScreenDisplayView::getViewSize(float& width, float& height) { getScreenSize(width, height); }

void MScreenDisplayView::getScreenSize(float& width, float& height) {
    const MWinAppSettings& s = winAppSettings();
    width = float(s.screenWidth);
    height = float(s.screenHeight);
}

platform::Viewport MScreenDisplayView::getViewport() {
    const MWinAppSettings& s = winAppSettings();
    return {0, 0, s.screenWidth, s.screenHeight};
}

D3DFitRect MScreenDisplayView::projectRect(float left, float top, float right, float bottom) {
    float w = 0, h = 0;
    getScreenSize(w, h);
    return {std::min(left, right) + w / 2, std::min(top, bottom) + h / 2, std::max(left, right) + w / 2,
            std::max(top, bottom) + h / 2};
}
