#include "engine/render/d3d_mouse_scaling.h"

#include <mutex>

#include "engine/base/global_mutex.h"

namespace {

D3DMouseScaling& words() {
    static D3DMouseScaling w;
    return w;
}

}  // namespace

void publishMouseScaling(float width, float height) {
    std::lock_guard lock(engineGlobalMutex());
    D3DMouseScaling& w = words();
    w.width = width;
    w.height = height;
    w.changedX = 1;
    w.changedY = 1;
    ++w.changeCount;
}

D3DMouseScaling readMouseScaling() {
    std::lock_guard lock(engineGlobalMutex());
    return words();
}

void acknowledgeMouseScaling() {
    std::lock_guard lock(engineGlobalMutex());
    words().changedX = 0;
    words().changedY = 0;
}
