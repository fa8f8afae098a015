#include "engine/render/display_draw_view.h"

#include "engine/render/display.h"

void MDisplayDrawView::getViewSize(float& width, float& height) {
    const MRectF& extents = display_.viewExtents();
    width = extents.right - extents.left;
    height = extents.bottom - extents.top;
}

void MDisplayDrawView::getScreenSize(float& width, float& height) {
    width = display_.screenWidth();
    height = display_.screenHeight();
}

platform::Viewport MDisplayDrawView::getViewport() {
    const MRectF& v = display_.viewportRect();
    return {int(v.left), int(v.top), int(v.right - v.left), int(v.bottom - v.top), 0.0f, 1.0f};
}

D3DFitRect MDisplayDrawView::projectRect(float left, float top, float right, float bottom) {
    MRectF box;
    MDisplay::projectRect(box, left, top, right, bottom);
    return {box.left, box.top, box.right, box.bottom};
}
