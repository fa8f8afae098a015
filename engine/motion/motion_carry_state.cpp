#include "engine/motion/motion_carry_state.h"

#include <utility>
#include <variant>

#include "engine/motion/motion_frame_scan.h"
#include "engine/motion/motion_layer_eval.h"
#include "engine/motion/motion_player.h"

namespace {

// Shapes, cameras, models, anchors and feedback layers start afresh.
bool carriedType(int32_t type) {
    return type == 0 || type == 2 || type == 3 || type == 4 || type == 7 || type == 8 || type == 11 || type == 12;
}

bool resolvesSource(int32_t type) { return type == 0 || type == 11 || type == 12; }

MMotionSavedLayer saveLayer(MMotionLayerNode& node) {
    MMotionSavedLayer saved;
    saved.type = node.type;
    if (node.meshTransform == 1) saved.meshPoints = node.meshPoints;
    saved.nestedPlayer = std::move(node.nestedPlayer);
    saved.particles.swap(node.particlePlayers);
    const MMotionFrameContent& current = node.slots[node.currentSlot];
    saved.empty = current.empty;
    if (const auto* emitter = std::get_if<MMotionParticleEmitter>(&node.record); emitter && !current.empty) {
        saved.emission = emitter->emission;
    }
    if (!current.empty) {
        saved.content = current;
        saved.curves = std::move(node.curves[node.currentSlot]);
    }
    return saved;
}

// The frame's values, under the new frame's own place in its list.
void takeContent(MMotionLayerNode& node, MMotionSavedLayer& saved) {
    MMotionFrameContent& slot = node.slots[node.currentSlot];
    const MMotionFrameContent header = slot;
    slot = std::move(saved.content);
    slot.frameIndex = header.frameIndex;
    slot.content = header.content;
    slot.time = header.time;
    slot.tweenStep = header.tweenStep;
    slot.empty = header.empty;
    slot.tween = header.tween;
    slot.loaded = header.loaded;
    node.curves[node.currentSlot] = std::move(saved.curves);
}

void giveLayer(MMotionPlayer& player, MMotionLayerNode& node, MMotionSavedLayer& saved) {
    if (node.meshTransform == 1) {
        node.meshPoints = std::move(saved.meshPoints);
        node.meshChanged = true;
    }
    if (saved.nestedPlayer) node.nestedPlayer = std::move(saved.nestedPlayer);
    if (auto* emitter = std::get_if<MMotionParticleEmitter>(&node.record)) {
        node.particlePlayers.swap(saved.particles);
        if (saved.emission) emitter->emission = *saved.emission;
    }
    const bool empty = node.slots[node.currentSlot].empty;
    if (!saved.empty && !empty) takeContent(node, saved);
    if (resolvesSource(node.type) && !empty) MMotionFrameScan::resolveSource(player, node);
    node.dirty = true;
}

}  // namespace

MMotionSavedLayer::MMotionSavedLayer() = default;
MMotionSavedLayer::~MMotionSavedLayer() = default;
MMotionSavedLayer::MMotionSavedLayer(MMotionSavedLayer&&) noexcept = default;
MMotionSavedLayer& MMotionSavedLayer::operator=(MMotionSavedLayer&&) noexcept = default;

std::string MMotionCarryState::layerPath(MMotionPlayer& player, int32_t index) {
    const std::vector<MMotionLayerNode>& nodes = player.nodes();
    std::string path;
    for (int32_t i = index; i > 0 && size_t(i) < nodes.size(); i = nodes[size_t(i)].parent) {
        path.insert(0, "/" + nodes[size_t(i)].label);
    }
    return path;
}

void MMotionCarryState::save(MMotionPlayer& player) {
    if (player.holding()) return;
    clear(player);
    auto cache = std::make_shared<MMotionJoinCache>();
    MMotionVariables::evaluate(player);
    std::vector<MMotionLayerNode>& nodes = player.nodes();
    for (size_t i = 1; i < nodes.size(); ++i) {
        nodes[i].dirty = true;
        MMotionLayerEval::evaluateFrame(player, nodes[i], true);
    }
    for (const MMotionVariable& v : player.timelineState().variables) {
        if (!v.slots[v.currentSlot].empty) cache->variables[v.fullName] = v.value;
    }
    for (size_t i = 1; i < nodes.size(); ++i) {
        if (!nodes[i].joinTarget || !carriedType(nodes[i].type)) continue;
        cache->layers.insert_or_assign(layerPath(player, int32_t(i)), saveLayer(nodes[i]));
    }
    player.timelineState().joinCache = std::move(cache);
}

void MMotionCarryState::restore(MMotionPlayer& player) {
    const std::shared_ptr<MMotionJoinCache> cache = player.timelineState().joinCache;
    if (!cache) return;
    for (MMotionVariable& v : player.timelineState().variables) {
        MMotionVariableFrame& current = v.slots[v.currentSlot];
        const auto found = cache->variables.find(v.fullName);
        if (current.empty || found == cache->variables.end()) continue;
        current.value = found->second;
    }
    std::vector<MMotionLayerNode>& nodes = player.nodes();
    for (size_t i = 1; i < nodes.size() && !cache->layers.empty(); ++i) {
        MMotionLayerNode& node = nodes[i];
        const auto found = cache->layers.find(layerPath(player, int32_t(i)));
        if (found == cache->layers.end() || !node.joinTarget || found->second.type != node.type) continue;
        giveLayer(player, node, found->second);
        cache->layers.erase(found);
    }
    clear(player);
}

void MMotionCarryState::clear(MMotionPlayer& player) { player.timelineState().joinCache.reset(); }
