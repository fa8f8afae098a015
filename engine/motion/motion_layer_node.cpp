#include "engine/motion/motion_layer_node.h"

#include "engine/motion/motion_player.h"

MMotionLayerNode::MMotionLayerNode() = default;
MMotionLayerNode::~MMotionLayerNode() = default;
MMotionLayerNode::MMotionLayerNode(MMotionLayerNode&&) noexcept = default;
MMotionLayerNode& MMotionLayerNode::operator=(MMotionLayerNode&&) noexcept = default;

void MMotionLayerNode::setMeshPoints(int32_t kind, const float* points) {
    if (kind != 1) return;
    state.changed = true;
    meshChanged = true;
    meshPointsExternal = true;
    if (points == nullptr) {
        meshPoints.clear();
        return;
    }
    meshPoints.assign(points, points + 32);
}
