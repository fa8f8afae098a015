#include "engine/motion/motion_layer_loader.h"

#include <cstring>

#include "engine/base/debug_trace.h"
#include "engine/data/psb_object.h"
#include "engine/motion/motion_layer_node.h"
#include "engine/motion/motion_player.h"

namespace {

constexpr int32_t kStencilUsesMaskList = 0x4;

enum LayerType : int32_t {
    kSprite = 0,
    kShape = 1,
    kNestedMotion = 3,
    kParticleEmitter = 4,
    kCamera = 5,
    kModel = 6,
    kClipRect = 7,
    kAnchor = 9,
    kFeedback = 10,
    kStencilComposite = 12,
};

std::array<float, 4> screenRect(const PSBValue& screenSize) {
    const float width = screenSize.get("width").toFloat();
    const float height = screenSize.get("height").toFloat();
    const float x0 = -screenSize.get("originX").toFloat() - width * 0.5f;
    const float y0 = -screenSize.get("originY").toFloat() - height * 0.5f;
    return {x0, y0, x0 + width, y0 + height};
}

MMotionParticleEmitter particleEmitter(const PSBValue& layer, const PSBValue& root) {
    MMotionParticleEmitter e;
    e.kind = layer.get("particle").toInt();
    e.maxNum = layer.get("particleMaxNum").toInt();
    e.inheritAngle = layer.get("particleInheritAngle").toBool();
    e.deleteOutsideScreen = layer.get("particleDeleteOutsideScreen").toBool();
    e.triVolume = layer.get("particleTriVolume").toBool();
    PSBValue opacity;
    if (layer.find("particleInheritOpacity", opacity)) e.inheritOpacity = opacity.toInt();
    e.inheritVelocity = layer.get("particleInheritVelocity").toInt();
    e.flyDirection = layer.get("particleFlyDirection").toInt();
    e.applyZoomToVelocity = layer.get("particleApplyZoomToVelocity").toInt();
    e.accelRatio = layer.get("particleAccelRatio").toFloat();
    e.motionList = layer.get("particleMotionList");
    if (e.deleteOutsideScreen) {
        const PSBValue screenSize = root.get("screenSize");
        e.screen = screenRect(screenSize);
        const float dx = 0.05f * screenSize.get("width").toFloat();
        const float dy = 0.05f * screenSize.get("height").toFloat();
        e.deletion = {e.screen[0] - dx, e.screen[1] - dy, e.screen[2] + dx, e.screen[3] + dy};
    }
    return e;
}

MMotionFeedbackRecord feedbackRecord(const PSBValue& layer) {
    const PSBValue b = layer.get("screenBounds");
    const float bottom = b.get("bottom").toFloat();
    const float right = b.get("right").toFloat();
    const float top = b.get("top").toFloat();
    const float left = b.get("left").toFloat();
    MMotionFeedbackRecord r;
    r.bounds = {left, top, right, bottom};
    return r;
}

MMotionLayerRecord layerRecord(int32_t type, const PSBValue& layer, const PSBValue& root) {
    switch (type) {
        case kSprite: return MMotionSpriteRecord{layer.get("objTriPriority").toInt()};
        case kShape: {
            MMotionShapeRecord r;
            r.words[0] = layer.get("shape").toInt();
            return r;
        }
        case kNestedMotion: return MMotionNestedRecord{layer.get("motionIndependentLayerInherit").toBool()};
        case kParticleEmitter: return particleEmitter(layer, root);
        case kCamera: return MMotionCameraRecord{};
        case kModel: return MMotionModelRecord{};
        case kClipRect: return MMotionClipRecord{};
        case kAnchor: return MMotionAnchorRecord{layer.get("anchor").toInt()};
        case kFeedback: return feedbackRecord(layer);
        case kStencilComposite: {
            MMotionStencilCompositeRecord r;
            r.maskLabels = layer.get("stencilCompositeMaskLayerList");
            return r;
        }
        default: return std::monostate{};
    }
}


}  // namespace

void MMotionLayerLoader::loadLayers(MMotionPlayer& player, const PSBValue& timeline) {
    const PSBValue layers = timeline.get("layer");
    bool sound = layers.kind() == PSBKind::List && loadList(player, layers, 0, 0);
    if (!sound) {
        M_DEBUG_TRACE("motion: the layer tree of \"%s\" is damaged; the motion shows no layers",
                      player.motionName().c_str());
        player.nodes().resize(1);
        return;
    }
    for (MMotionLayerNode& node : player.nodes())
        if (node.type == kStencilComposite && (node.stencilType & kStencilUsesMaskList))
            resolveStencilMasks(player, timeline.get("layerIndexMap"), node);
}

bool MMotionLayerLoader::loadList(MMotionPlayer& player, const PSBValue& list, int32_t parent, int32_t depth) {
    if (depth >= kMaxDepth) return false;
    for (uint32_t i = 0; i < list.getCount(); ++i) {
        const PSBValue layer = list.at(i);
        if (layer.kind() != PSBKind::Object) return false;
        MMotionLayerNode node;
        node.parent = parent;
        loadNode(node, layer);
        const PSBValue children = layer.get("children");
        player.nodes().push_back(std::move(node));
        if (children.kind() != PSBKind::List) return false;
        if (!loadList(player, children, int32_t(player.nodes().size() - 1), depth + 1)) return false;
    }
    return true;
}

void MMotionLayerLoader::loadNode(MMotionLayerNode& node, const PSBValue& layer) {
    node.value = layer;
    node.label = layer.get("label").toString();
    const PSBValue parameterize = layer.get("parameterize");
    node.parameter = parameterize.kind() == PSBKind::Null ? -1 : parameterize.toInt();
    node.frameList = layer.get("frameList");
    node.inheritMask = uint32_t(layer.get("inheritMask").toInt());
    const PSBValue order = layer.get("transformOrder");
    for (uint32_t i = 0; i < 4; ++i) node.transformOrder[i] = order.at(i).toInt();
    node.type = layer.get("type").toInt();
    PSBValue stencilType;
    node.stencilType = layer.find("stencilType", stencilType) ? stencilType.toInt() : 0;
    node.coordinate = layer.get("coordinate").toInt();
    node.joinTarget = layer.get("joinTarget").toBool();
    node.groundCorrection = layer.get("groundCorrection").toBool();
    node.meshTransform = layer.get("meshTransform").toInt();
    if (node.meshTransform != 0) {
        node.meshSyncChildMask = layer.get("meshSyncChildMask").toInt();
        node.meshDivision = layer.get("meshDivision").toInt();
        PSBValue combinator;
        node.hasMeshCombinator = layer.find("meshCombinator", combinator);
        node.meshCombine = layer.get("meshCombine").toBool();
    }
    node.record = layerRecord(node.type, layer, layer.document()->root());
}

void MMotionLayerLoader::resolveStencilMasks(MMotionPlayer& player, const PSBValue& map, MMotionLayerNode& node) {
    auto* record = std::get_if<MMotionStencilCompositeRecord>(&node.record);
    if (record == nullptr) return;
    const PSBValue& labels = record->maskLabels;
    if (labels.kind() != PSBKind::List) return;
    std::vector<MMotionLayerNode>& nodes = player.nodes();
    for (uint32_t i = 0; i < labels.getCount(); ++i) {
        const PSBValue label = labels.at(i);
        PSBValue mapped;
        if (label.getType() != kPSBString || !map.find(label.toString(), mapped)) continue;
        // A map written for another tree may name a layer this one lacks.
        const int64_t index = int64_t(mapped.toInt()) + 1;
        if (index < 1 || index >= int64_t(nodes.size())) continue;
        MMotionLayerNode& mask = nodes[size_t(index)];
        if (mask.type != kSprite && mask.type != kNestedMotion) continue;
        record->masks.push_back(int32_t(index));
        mask.stencilMask = true;
    }
}

std::vector<int32_t> MMotionLayerLoader::drawOrder(const PSBValue& content, size_t nodeCount) {
    std::vector<int32_t> order;
    if (content.kind() != PSBKind::List) return order;
    for (uint32_t i = 0; i < content.getCount(); ++i) {
        const int64_t index = int64_t(content.at(i).toInt()) + 1;
        if (index >= 1 && index < int64_t(nodeCount)) order.push_back(int32_t(index));
    }
    return order;
}
