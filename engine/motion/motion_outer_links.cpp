#include "engine/motion/motion_outer_links.h"

#include <variant>

#include "engine/motion/motion_player.h"

const float* motionClipInForce(MMotionPlayer& player, const MMotionLayerNode& node) {
    const std::vector<MMotionLayerNode>& nodes = player.nodes();
    if (node.clip < 0 || size_t(node.clip) >= nodes.size()) return player.timelineState().outer.clip;
    const auto* record = std::get_if<MMotionClipRecord>(&nodes[size_t(node.clip)].record);
    return record ? record->rect.data() : nullptr;
}

MMotionRenderItem* motionDrawnContainer(MMotionPlayer& player, const MMotionLayerNode& node) {
    if (node.drawnAncestor < 0) return player.timelineState().outer.container;
    return &player.nodes()[size_t(node.drawnAncestor)].draw.item;
}

const MMotionLayerNode* motionOuterHost(MMotionPlayer& player) {
    const std::vector<const MMotionLayerNode*>& hosts = player.timelineState().outer.hosts;
    return hosts.empty() ? nullptr : hosts.front();
}

void carryOuterLinks(MMotionPlayer& player, const MMotionLayerNode& layer, MMotionPlayer& inner) {
    MMotionOuterLinks& links = inner.timelineState().outer;
    links.clip = motionClipInForce(player, layer);
    links.container = motionDrawnContainer(player, layer);
    links.hosts.clear();
    const std::vector<MMotionLayerNode>& nodes = player.nodes();
    for (int32_t host = layer.draw.host; host > 0; host = nodes[size_t(host)].draw.host) {
        links.hosts.push_back(&nodes[size_t(host)]);
    }
    const std::vector<const MMotionLayerNode*>& above = player.timelineState().outer.hosts;
    links.hosts.insert(links.hosts.end(), above.begin(), above.end());
}
