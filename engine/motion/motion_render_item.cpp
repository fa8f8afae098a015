#include "engine/motion/motion_render_item.h"

#include <algorithm>
#include <cmath>

namespace {

// A NaN depth sorts after every number, so a broken item can't break the
// ordering the sort relies on.
bool before(float a, float b) { return !std::isnan(a) && (std::isnan(b) || a < b); }

bool drawnBefore(const MMotionRenderItem* a, const MMotionRenderItem* b) {
    if (before(a->z, b->z)) return true;
    if (before(b->z, a->z)) return false;
    if (before(a->playerZ, b->playerZ)) return true;
    if (before(b->playerZ, a->playerZ)) return false;
    return a->order < b->order;
}

}  // namespace

void sortMotionRenderQueue(std::vector<MMotionRenderItem*>& queue) {
    for (size_t i = 0; i < queue.size(); ++i) queue[i]->order = uint32_t(i);
    // The arrival number makes the key total, so ties keep queue order
    // without a stable sort.
    std::sort(queue.begin(), queue.end(), drawnBefore);
}

void MMotionVertexGrid::resetBounds() {
    bounds[0] = bounds[1] = std::numeric_limits<float>::max();
    bounds[2] = bounds[3] = -std::numeric_limits<float>::max();
    boundsValid = 0;
}

const float* MMotionVertexGrid::validBounds() {
    if (boundsValid) return bounds;
    boundsValid = 1;
    for (size_t i = 0; i + 1 < points.size(); i += 2) {
        bounds[0] = std::min(bounds[0], points[i]);
        bounds[1] = std::min(bounds[1], points[i + 1]);
        bounds[2] = std::max(bounds[2], points[i]);
        bounds[3] = std::max(bounds[3], points[i + 1]);
    }
    return bounds;
}
