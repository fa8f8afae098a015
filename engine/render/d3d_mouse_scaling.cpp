#include "engine/render/d3d_mouse_scaling.h"

#include <mutex>

namespace {

std::mutex& scalingMutex() {
    static std::mutex m;
    return m;
}

D3DMouseScaling& words() {
    static D3DMouseScaling w;
    return w;
}

}  // namespace

void publishMouseScaling(float width, float height) {
    std::lock_guard lock(scalingMutex());
    D3DMouseScaling& w = words();
    w.width = width;
    w.height = height;
    w.changedX = 1;
    w.changedY = 1;
    ++w.changeCount;
}

D3DMouseScaling readMouseScaling() {
    std::lock_guard lock(scalingMutex());
    return words();
}

void acknowledgeMouseScaling() {
    std::lock_guard lock(scalingMutex());
    words().changedX = 0;
    words().changedY = 0;
}
