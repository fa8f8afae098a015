#include "engine/base/display_seams.h"

#include <utility>

namespace {
MWindowPointMapping pointMapping = nullptr;

MWindowResizeHandler& resizeHandler() {
    static MWindowResizeHandler handler;
    return handler;
}
}  // namespace

void setWindowPointMapping(MWindowPointMapping mapping) { pointMapping = mapping; }

void mapWindowPoint(float& x, float& y) {
    if (pointMapping) pointMapping(x, y);
}

void setWindowResizeHandler(MWindowResizeHandler handler) { resizeHandler() = std::move(handler); }

void notifyWindowResize(int32_t width, int32_t height) {
    if (resizeHandler()) resizeHandler()(width, height);
}
