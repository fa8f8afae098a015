// The layer driver's render list: the evaluated tree turned into render
// items, walked in the current draw order, with the stream's items instead
// when the motion plays one.
#include <algorithm>
#include <variant>

#include "engine/motion/color_interpolation.h"
#include "engine/motion/motion_layer_driver.h"
#include "engine/motion/motion_outer_links.h"
#include "engine/motion/motion_player.h"
#include "engine/motion/motion_stream.h"

namespace {

constexpr uint32_t kInheritTint = 0x200;
constexpr int32_t kSprite = 0;
constexpr int32_t kNested = 3;
constexpr int32_t kParticle = 4;
constexpr int32_t kFeedback = 10;
constexpr int32_t kStencil = 12;

using ItemList = std::vector<MMotionRenderItem*>;

bool ignoresTint(uint32_t drawMode) {
    const uint32_t m = drawMode & 0xff0f;
    return m == 2 || m == 3 || m == 5;
}

void fillColors(MMotionRenderItem& item, const MMotionLayerNode& node, uint32_t combined, MMotionColorCache& cache) {
    uint32_t applied = combined;
    bool neutral = combined == kMotionNeutralColor;
    if (ignoresTint(item.drawMode)) applied = kMotionNeutralColor, neutral = true;
    if (node.uniformColor && neutral && item.opacity == 255) {
        std::copy(node.colors.begin(), node.colors.end(), item.colors);
        if (node.defaultColor) item.flags |= MMotionRenderItem::kFlagDefaultColor;
        return;
    }
    bool translucent = false;
    for (size_t i = 0; i < 4; ++i) {
        const uint32_t own = node.uniformColor ? node.colors[0] : node.colors[i];
        item.colors[i] = multiplyColor(scaleAlpha(own, uint8_t(item.opacity)), applied, cache);
        translucent = translucent || (item.colors[i] & 0xff) < 0xff;
    }
    if (translucent) item.flags &= ~MMotionRenderItem::kFlagOpaque;
}

void fillStencil(MMotionRenderItem& item, const MMotionLayerNode& node) {
    const auto* record = std::get_if<MMotionStencilCompositeRecord>(&node.record);
    item.stencilOn = 0;
    if (!record || !record->stencilOn) return;
    item.stencilOn = 1;
    item.stencilScale = record->scale;
    item.stencilOffset = record->offset;
    // A reversed reveal swaps which side of the mask shows.
    const int32_t kind = item.stencilType & MMotionRenderItem::kMaskKindBits;
    if (node.slots[node.currentSlot].stencil.wrv && (kind == 1 || kind == 2)) item.stencilType ^= 0x3;
}

void fillItem(MMotionPlayer& player, MMotionLayerNode& node, uint32_t combined, MMotionColorCache& cache) {
    const MMotionFrameContent& slot = node.slots[node.currentSlot];
    const MMotionSourceInfo& source = node.source;
    MMotionRenderItem& item = node.draw.item;
    item.blank = node.sourceBlank;
    item.id = node.id;
    item.playerZ = player.z();
    item.drawMode = slot.drawMode;
    item.bp = slot.effectParameter;
    item.colorMode = player.renderAttrPair()[0];
    item.color = player.renderAttrPair()[1];
    item.attrWord = player.renderAttrWord();
    item.attrFloat = player.renderAttrFloat();
    item.z = node.state.z;
    item.texture = source.texture;
    item.flags = uint32_t(source.attr);
    item.source[0] = float(source.left);
    item.source[1] = float(source.top);
    item.source[2] = float(source.width) * source.resolution;
    item.source[3] = float(source.height) * source.resolution;
    item.opacity = node.state.opacity;
    const auto* sprite = std::get_if<MMotionSpriteRecord>(&node.record);
    item.layerWord = sprite ? uint32_t(sprite->objTriPriority) : 0;
    item.coordinate = node.coordinate;
    if ((item.drawMode & 0xff0f) != 0) item.flags &= ~MMotionRenderItem::kFlagOpaque;
    fillColors(item, node, combined, cache);
    item.clip = motionClipInForce(player, node);
    item.meshPatch = node.meshTransform == 1 && node.meshPoints.size() == 32 ? node.meshPoints.data() : nullptr;
    item.grid = &node.draw.grid;
    item.stencilType = node.stencilType;
    item.container = motionDrawnContainer(player, node);
    if (item.container) item.flags &= ~MMotionRenderItem::kFlagOpaque;
    item.children.clear();
    if (node.type == kStencil) fillStencil(item, node);
}

void listNested(MMotionPlayer& player, MMotionLayerNode& node, uint32_t pass, ItemList* out) {
    if (!node.nestedPlayer) return;
    if (!node.drawn && !node.stencilMask) {
        node.nestedPlayer->buildRenderList(pass, out);
        return;
    }
    MMotionRenderItem& item = node.draw.item;
    node.listed = true;
    item.stencilType = node.stencilType;
    item.container = motionDrawnContainer(player, node);
    item.stencilOn = 0;
    item.stencilScale = 1.0f;
    item.stencilOffset = 0.0f;
    item.children.clear();
    node.nestedPlayer->buildRenderList(pass, &item.children);
    if (out) out->insert(out->end(), item.children.begin(), item.children.end());
}

void listNode(MMotionPlayer& player, MMotionLayerNode& node, uint32_t combined, ItemList* out,
              MMotionColorCache& cache) {
    node.listed = false;
    const uint32_t pass = (node.inheritMask & kInheritTint) ? combined : kMotionNeutralColor;
    if (node.type == kParticle) {
        for (auto& particle : node.particlePlayers) particle->buildRenderList(pass, out);
        return;
    }
    if (!node.state.visible) return;
    if (node.type == kNested) {
        listNested(player, node, pass, out);
        return;
    }
    if ((node.type != kSprite && node.type != kFeedback && node.type != kStencil) || !node.sourceFound) return;
    fillItem(player, node, combined, cache);
    node.listed = true;
    if (node.type != kStencil) player.root().renderList().push_back(&node.draw.item);
    if (out) out->push_back(&node.draw.item);
}

// A composite that draws through its mask list stands for itself followed
// by the items of the listed masks.
void gatherMasks(MMotionPlayer& player) {
    std::vector<MMotionLayerNode>& nodes = player.nodes();
    for (int32_t index : player.timelineState().byType[size_t(kStencil)]) {
        MMotionLayerNode& node = nodes[size_t(index)];
        const auto* record = std::get_if<MMotionStencilCompositeRecord>(&node.record);
        if (!record || !(node.stencilType & MMotionRenderItem::kMaskUsesChildren) || !node.listed) continue;
        ItemList& children = node.draw.item.children;
        children.assign(1, &node.draw.item);
        for (int32_t m : record->masks) {
            if (m <= 0 || size_t(m) >= nodes.size() || !nodes[size_t(m)].listed) continue;
            MMotionRenderItem& mask = nodes[size_t(m)].draw.item;
            if (nodes[size_t(m)].type == kNested) {
                children.insert(children.end(), mask.children.begin(), mask.children.end());
            } else {
                children.push_back(&mask);
            }
        }
    }
}

}  // namespace

void MMotionLayerDriver::buildRenderList(MMotionPlayer& player, uint32_t inheritedColor, ItemList* out) {
    MMotionColorCache cache;
    const uint32_t combined = multiplyColor(inheritedColor, player.baseColor(), cache);
    if (MMotionStream* stream = player.stream(); stream && stream->active()) {
        stream->render(player, combined, out);
        return;
    }
    std::vector<MMotionLayerNode>& nodes = player.nodes();
    for (MMotionLayerNode& node : nodes) node.listed = false;
    const std::vector<int32_t>& order = player.timelineState().drawOrder;
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        if (*it <= 0 || size_t(*it) >= nodes.size()) continue;
        listNode(player, nodes[size_t(*it)], combined, out, cache);
    }
    gatherMasks(player);
}

void MMotionLayerDriver::loadStreams(MMotionPlayer& player, const PSBValue& timeline) {
    PSBValue stream;
    if (!timeline.find("stream", stream)) {
        if (player.stream()) player.stream()->load(player, timeline);
        return;
    }
    player.makeStream().load(player, timeline);
}

void MMotionLayerDriver::playStreams(MMotionPlayer& player) {
    if (MMotionStream* stream = player.stream(); stream && stream->active()) stream->play(player);
}
