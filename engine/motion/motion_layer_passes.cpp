// The passes of the special layer types that follow the tree's evaluation:
// anchors, clip rectangles, the camera, shapes and models.
#include <algorithm>
#include <cmath>
#include <variant>

#include "engine/motion/interpolation.h"
#include "engine/motion/motion_layer_eval.h"
#include "engine/motion/motion_outer_links.h"
#include "engine/motion/motion_player.h"

namespace {

constexpr int32_t kShapeType = 1;
constexpr int32_t kCameraType = 5;
constexpr int32_t kModelType = 6;
constexpr int32_t kClipType = 7;
constexpr int32_t kAnchorType = 9;

enum AnchorRule { kAtMost = 0, kEqual = 1, kAtLeast = 2 };

// One axis' corrections: kind 1 wins over kind 2, kind 2 over kind 0.
struct AxisCorrection {
    bool has[3] = {};
    float value[3] = {};

    void add(AnchorRule rule, float p, float q) {
        const float d = q - p;
        if (rule == kEqual) {
            has[kEqual] = true, value[kEqual] = d;
        } else if (rule == kAtMost && p > q && (!has[kAtMost] || d < value[kAtMost])) {
            has[kAtMost] = true, value[kAtMost] = d;
        } else if (rule == kAtLeast && q > p && (!has[kAtLeast] || d > value[kAtLeast])) {
            has[kAtLeast] = true, value[kAtLeast] = d;
        }
    }
    float result() const {
        for (int rule : {kEqual, kAtLeast, kAtMost}) {
            if (has[rule]) return value[rule];
        }
        return 0.0f;
    }
};

float axisOf(const MMotionNodeState& st, int32_t axis) { return axis == 0 ? st.x : axis == 1 ? st.y : st.z; }

int32_t flippedKind(int32_t kind, const MMotionNodeState& st) {
    if (st.flipX && (kind == 0 || kind == 2)) kind = 2 - kind;
    if (st.flipY && (kind == 3 || kind == 5)) kind = 8 - kind;
    return kind;
}

MMotionLayerNode& targetOr(MMotionPlayer& player, const std::string& label, MMotionLayerNode& fallback) {
    if (label.empty()) return fallback;
    MMotionLayerNode* found = player.findLayerNode(label);
    return found ? *found : fallback;
}

// position + matrix x (corner - origin), from the mapped position.
std::array<float, 2> placeCorner(const MMotionLayerNode& node, float cx, float cy) {
    const MMotionFrameContent& slot = node.slots[node.currentSlot];
    const float x = cx - slot.ox, y = cy - slot.oy;
    const MMotionNodeMatrix& m = node.matrix;
    return {node.mapped[0] + m.a * x + m.b * y, node.mapped[1] + m.c * x + m.d * y};
}

void writeShape(MMotionLayerNode& node, MMotionShapeRecord& record) {
    const float x = node.mapped[0], y = node.mapped[1];
    const float zx = node.state.zoomX, zy = node.state.zoomY;
    auto& g = record.geometry;
    switch (record.words[0]) {
        case 0: g[0] = x, g[1] = y; break;
        case 1: g[0] = x, g[1] = y, g[2] = zx * 16.0f * 0.5f; break;
        case 2: g[0] = x - 8.0f * zx, g[1] = y - 8.0f * zy, g[2] = x + 8.0f * zx, g[3] = y + 8.0f * zy; break;
        case 3: {
            const float corners[4][2] = {{-8.0f, -8.0f}, {8.0f, -8.0f}, {8.0f, 8.0f}, {-8.0f, 8.0f}};
            for (size_t i = 0; i < 4; ++i) {
                const auto p = placeCorner(node, corners[i][0], corners[i][1]);
                g[2 * i] = p[0], g[2 * i + 1] = p[1];
            }
            break;
        }
        default: break;
    }
}

MVector3 framePosition(const MMotionFrameContent& slot) { return {slot.x, slot.y, slot.z}; }

// The direction of the path between the node's frames at the scan time.
bool pathTangent(MMotionPlayer& player, MMotionLayerNode& node, std::array<float, 3>& direction) {
    const MMotionFrameContent& s = node.slots[node.currentSlot];
    const MMotionFrameContent& n = node.slots[1 - node.currentSlot];
    if (!s.tween || n.empty || n.time == s.time) return false;
    float f = (player.scanTime() - s.time) / (n.time - s.time);
    float g = f + 0.0001f;
    if (g >= 1.0f) f = 0.9999f, g = 1.0f;
    MMotionSlotCurves& curves = node.curves[node.currentSlot];
    MVector3 a = framePosition(s), b = framePosition(s);
    lerpPosition(node.coordinate, framePosition(s), framePosition(n), f, curves.path.get(), curves.position.get(), a);
    lerpPosition(node.coordinate, framePosition(s), framePosition(n), g, curves.path.get(), curves.position.get(), b);
    direction = {b.x - a.x, b.y - a.y, b.z - a.z};
    return true;
}

void modelDirection(MMotionPlayer& player, MMotionLayerNode& node, MMotionModelRecord& record) {
    const MMotionModelSettings& settings = node.slots[node.currentSlot].model;
    record.directional = false;
    switch (settings.dt) {
        case 2:
            if (!player.timelineState().fresh && record.time != 0.0f) {
                record.direction = node.motion;
                record.directional = true;
                return;
            }
            record.directional = pathTangent(player, node, record.direction);
            return;
        case 3: record.directional = pathTangent(player, node, record.direction); return;
        case 4: {
            const MMotionLayerNode* target = settings.dtgt.empty() ? nullptr : player.findLayerNode(settings.dtgt);
            if (target == nullptr) return;
            record.directional = true;
            record.direction = {target->state.x - node.state.x, target->state.y - node.state.y,
                                target->state.z - node.state.z};
            return;
        }
        default: return;
    }
}

float modelTime(MMotionPlayer& player, const MMotionLayerNode& node) {
    const auto& parameters = player.parameters();
    if (node.parameter >= 0 && size_t(node.parameter) < parameters.size()) return parameters[size_t(node.parameter)].value;
    return player.time();
}

}  // namespace

void MMotionLayerEval::applyAnchors(MMotionPlayer& player) {
    std::vector<MMotionLayerNode>& nodes = player.nodes();
    AxisCorrection axes[3];
    for (int32_t index : player.timelineState().byType[kAnchorType]) {
        MMotionLayerNode& anchor = nodes[size_t(index)];
        const MMotionFrameContent& slot = anchor.slots[anchor.currentSlot];
        const auto* record = std::get_if<MMotionAnchorRecord>(&anchor.record);
        if (slot.empty || record == nullptr) continue;
        const int32_t kind = flippedKind(record->anchor, anchor.state);
        if (kind < 0 || kind > 8) continue;
        const MMotionLayerNode& target = targetOr(player, slot.anchorTarget, nodes[0]);
        const int32_t axis = kind / 3;
        axes[axis].add(AnchorRule(kind % 3), axisOf(anchor.state, axis), axisOf(target.state, axis));
    }
    const float dx = axes[0].result(), dy = axes[1].result(), dz = axes[2].result();
    if (dx == 0.0f && dy == 0.0f && dz == 0.0f) return;
    player.timelineState().force = true;
    for (size_t i = 1; i < nodes.size(); ++i) {
        nodes[i].state.x += dx;
        nodes[i].state.y += dy;
        nodes[i].state.z += dz;
    }
}

void MMotionLayerEval::updateClipRects(MMotionPlayer& player) {
    std::vector<MMotionLayerNode>& nodes = player.nodes();
    nodes[0].clip = -1;
    for (size_t i = 1; i < nodes.size(); ++i) {
        MMotionLayerNode& node = nodes[i];
        const int32_t inherited = nodes[size_t(node.parent)].clip;
        auto* record = std::get_if<MMotionClipRecord>(&node.record);
        if (node.type != kClipType || record == nullptr || !node.state.visible) {
            node.clip = inherited;
            continue;
        }
        float left = INFINITY, top = INFINITY, right = -INFINITY, bottom = -INFINITY;
        const MMotionFrameContent& slot = node.slots[node.currentSlot];
        for (const float cy : {-16.0f, 16.0f}) {
            for (const float cx : {-16.0f, 16.0f}) {
                const float x = cx - slot.ox, y = cy - slot.oy;
                const MMotionNodeMatrix& m = node.matrix;
                const float px = node.state.x + m.a * x + m.b * y, py = node.state.y + m.c * x + m.d * y;
                left = std::min(left, px), right = std::max(right, px);
                top = std::min(top, py), bottom = std::max(bottom, py);
            }
        }
        std::array<float, 4> rect{left, top + node.state.z, right, bottom + node.state.z};
        // Inside another clip, its own or the one the tree above holds it in.
        if (const float* outer = motionClipInForce(player, nodes[size_t(node.parent)])) {
            rect = {std::max(rect[0], outer[0]), std::max(rect[1], outer[1]), std::min(rect[2], outer[2]),
                    std::min(rect[3], outer[3])};
        }
        record->rect = rect;
        node.clip = int32_t(i);
    }
}

void MMotionLayerEval::updateCamera(MMotionPlayer& player) {
    std::vector<MMotionLayerNode>& nodes = player.nodes();
    MMotionCamera& camera = player.timelineState().camera;
    camera.active = false;
    for (int32_t index : player.timelineState().byType[kCameraType]) {
        MMotionLayerNode& node = nodes[size_t(index)];
        if (!node.state.visible) continue;
        const std::string& label = node.slots[node.currentSlot].camera.target;
        MMotionLayerNode* target = label.empty() ? nullptr : player.findLayerNode(label);
        const MMotionLayerNode& t = target ? *target : node;
        const MMotionNodeState& root = nodes[0].state;
        camera.active = true;
        camera.offset = {int32_t(std::lround(-(t.mapped[0] - root.x))),
                         int32_t(std::lround(-((t.mapped[1] + t.mapped[2]) - (root.y + root.z))))};
        const auto* record = std::get_if<MMotionCameraRecord>(&node.record);
        camera.fov = record ? record->fov : 0.0f;
        camera.eye = node.mapped;
        camera.hasTarget = target != nullptr;
        if (target) camera.target = target->mapped;
        return;
    }
}

void MMotionLayerEval::updateShapes(MMotionPlayer& player) {
    std::vector<MMotionLayerNode>& nodes = player.nodes();
    for (int32_t index : player.timelineState().byType[kShapeType]) {
        MMotionLayerNode& node = nodes[size_t(index)];
        auto* record = std::get_if<MMotionShapeRecord>(&node.record);
        if (node.meshChanged && record) writeShape(node, *record);
    }
}

void MMotionLayerEval::updateModels(MMotionPlayer& player) {
    std::vector<MMotionLayerNode>& nodes = player.nodes();
    for (int32_t index : player.timelineState().byType[kModelType]) {
        MMotionLayerNode& node = nodes[size_t(index)];
        auto* record = std::get_if<MMotionModelRecord>(&node.record);
        if (record == nullptr) continue;
        const MMotionFrameContent& slot = node.slots[node.currentSlot];
        if (!node.state.visible || slot.empty || slot.src.empty()) {
            record->active = false;
            record->name.clear();
            record->time = 0.0f;
        } else if (!node.dirty || (record->active && record->name == slot.src)) {
            record->time += player.step();
        } else {
            record->active = true;
            record->name = slot.src;
            record->time = (modelTime(player, node) - slot.time) + slot.model.timeOffset;
        }
        modelDirection(player, node, *record);
    }
}
