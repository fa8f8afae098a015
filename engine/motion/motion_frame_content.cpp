#include "engine/motion/motion_frame_content.h"

#include <algorithm>
#include <cstdlib>

#include "engine/motion/motion_frame_mask.h"
#include "engine/motion/motion_parameter.h"

namespace {

using namespace motion_frame_mask;

constexpr uint32_t kMaskColorRules = kMaskOpacity | kMaskDrawMode | kMaskEffectParameter | kMaskColor;

constexpr int32_t kFrameEmpty = 0;
constexpr int32_t kFrameTween = 3;
constexpr int32_t kStencilComposite = 12;

int32_t easingIndex(const PSBValue& value) { return value.kind() == PSBKind::Null ? -1 : value.toInt(); }

float floatAt(const PSBValue& list, uint32_t i) { return list.at(i).toFloat(); }

void readMotion(MMotionNestedSettings& m, const PSBValue& v) {
    const int32_t mask = v.get("mask").toInt();
    m = MMotionNestedSettings{};
    if (mask & 0x1) m.flags = v.get("flags").toInt();
    if (mask & 0x2) m.dt = v.get("dt").toInt();
    if (mask & 0x8) m.dofst = v.get("dofst").toFloat();
    if (mask & 0x4) m.docmpl = v.get("docmpl").toBool();
    if (mask & 0x10) m.dtgt = v.get("dtgt").toString();
    m.timeOffset = v.get("timeOffset").toFloat();
}

void readParticle(MMotionParticleSettings& p, const PSBValue& v) {
    const int32_t mask = v.get("mask").toInt();
    p = MMotionParticleSettings{};
    if (mask & 0x1) p.trigger = v.get("trigger").toInt();
    if (mask & 0x2) p.fmin = v.get("fmin").toFloat(), p.fmax = v.get("fmax").toFloat();
    if (mask & 0x4) p.vmin = v.get("vmin").toFloat(), p.vmax = v.get("vmax").toFloat();
    if (mask & 0x8) p.amin = v.get("amin").toFloat(), p.amax = v.get("amax").toFloat();
    if (mask & 0x10) p.zmin = v.get("zmin").toFloat(), p.zmax = v.get("zmax").toFloat();
    if (mask & 0x20) p.range = v.get("range").toFloat();
}

void readMesh(MMotionMeshSettings& m, const PSBValue& v) {
    m.easing = easingIndex(v.get("cc"));
    m.points.clear();
    const PSBValue points = v.get("bp");
    if (points.kind() == PSBKind::Null) return;
    // Fewer than 32 floats cannot be a 4 by 4 mesh: the layer keeps no points.
    if (points.getCount() < 32) return;
    for (uint32_t i = 0; i < 32; ++i) m.points.push_back(floatAt(points, i));
}

void readStencil(MMotionStencilSettings& s, const PSBValue& content, uint32_t mask) {
    s = MMotionStencilSettings{};
    if (!(mask & kMaskStencil)) return;
    const PSBValue v = content.get("stc");
    s.hasStencil = true;
    s.wrv = v.get("wrv").toBool();
    s.easing = easingIndex(v.get("wcc"));
    s.wrt = v.get("wrt").toFloat();
    s.wsf = v.get("wsf").toFloat();
}

void readTransform(MMotionFrameContent& slot, const PSBValue& c, uint32_t mask) {
    if (mask & kMaskOrigin) slot.ox = c.get("ox").toFloat(), slot.oy = c.get("oy").toFloat();
    if (mask & kMaskCoord) {
        const PSBValue coord = c.get("coord");
        slot.x = floatAt(coord, 0), slot.y = floatAt(coord, 1), slot.z = floatAt(coord, 2);
    }
    if (!(mask & kMaskMatrix)) return;
    if (mask & kMaskFlip) slot.fx = c.get("fx").toBool(), slot.fy = c.get("fy").toBool();
    if (mask & kMaskAngle) slot.angle = c.get("angle").toFloat();
    if (mask & kMaskZoom) slot.zx = c.get("zx").toFloat(), slot.zy = c.get("zy").toFloat();
    if (mask & kMaskSlant) slot.sx = c.get("sx").toFloat(), slot.sy = c.get("sy").toFloat();
}

void readTween(MMotionFrameContent& slot, const PSBValue& c, uint32_t mask) {
    if (mask & kMaskTweenStep) slot.tweenStep = uint32_t(c.get("ti").toInt());
    if (mask & kMaskPositionEasing) slot.positionEasing = easingIndex(c.get("ccc"));
    if (mask & kMaskAngleEasing) slot.angleEasing = easingIndex(c.get("acc"));
    if (mask & kMaskZoomEasing) slot.zoomEasing = easingIndex(c.get("zcc"));
    if (mask & kMaskSlantEasing) slot.slantEasing = easingIndex(c.get("scc"));
    if (mask & kMaskColorEasing) slot.colorEasing = easingIndex(c.get("occ"));
}

void readColors(MMotionFrameContent& slot, const PSBValue& c, uint32_t mask) {
    if (!(mask & kMaskColorRules)) return;
    PSBValue color;
    if ((mask & kMaskColor) && c.find("color", color)) {
        slot.defaultColor = false;
        if (color.kind() == PSBKind::List) {
            slot.uniformColor = false;
            for (uint32_t i = 0; i < 4; ++i) slot.colors[i] = uint32_t(color.at(i).toInt());
        } else {
            slot.colors.fill(uint32_t(color.toInt()));
        }
    } else if (((slot.drawMode >> 4) & 0xf) == 0) {
        slot.colors.fill(kMotionWhiteColor);
    }
}

void readTypeSettings(MMotionFrameContent& slot, int32_t layerType, const PSBValue& c, uint32_t mask) {
    if (mask & kMaskMotion) readMotion(slot.motion, c.get("motion"));
    if (mask & kMaskParticle) readParticle(slot.particle, c.get("prt"));
    if (mask & kMaskCamera) {
        const PSBValue v = c.get("camera");
        slot.camera.fov = v.get("fov").toFloat();
        slot.camera.target = v.get("target").toString();
    }
    if (mask & kMaskAnchor) slot.anchorTarget = c.get("anchor").get("target").toString();
    if (mask & kMaskModel) {
        const PSBValue v = c.get("model");
        slot.model = MMotionModelSettings{v.get("loop").toBool(), v.get("dt").toInt(), v.get("dtgt").toString(),
                                          v.get("timeOffset").toFloat()};
    }
    if (mask & kMaskMesh) readMesh(slot.mesh, c.get("mesh"));
    if (mask & kMaskFeedback) slot.feedbackTimespan = c.get("feedback").get("timespan").toFloat();
    if (layerType == kStencilComposite) readStencil(slot.stencil, c, mask);
}

}  // namespace

bool motionLayerHasSource(int32_t layerType) {
    return layerType == 0 || layerType == 3 || layerType == 6 || layerType == 11 || layerType == 12;
}

void loadFrameHeader(MMotionFrameContent& slot, uint32_t index, const PSBValue& frameList) {
    MMotionFrameContent fresh;
    fresh.motion = std::move(slot.motion);
    fresh.particle = slot.particle;
    fresh.camera = std::move(slot.camera);
    fresh.anchorTarget = std::move(slot.anchorTarget);
    fresh.model = std::move(slot.model);
    fresh.mesh = std::move(slot.mesh);
    fresh.feedbackTimespan = slot.feedbackTimespan;
    fresh.stencil = slot.stencil;
    slot = std::move(fresh);

    const PSBValue frame = frameList.at(index);
    slot.frameIndex = index;
    slot.time = frame.get("time").toFloat();
    const int32_t type = frame.get("type").toInt();
    slot.empty = type == kFrameEmpty;
    if (slot.empty) return;
    slot.tween = type == kFrameTween;
    slot.content = frame.get("content");
    slot.mask = uint32_t(slot.content.get("mask").toInt());
    if (slot.mask & kMaskAction) slot.action = slot.content.get("act").toString();
}

void loadFrameContent(MMotionFrameContent& slot, int32_t layerType, const PSBValue& frameList) {
    slot.loaded = true;
    if (slot.empty) return;
    const PSBValue c = slot.content.document() ? slot.content : frameList.at(slot.frameIndex).get("content");
    const uint32_t mask = slot.mask;
    if (motionLayerHasSource(layerType)) {
        slot.src = c.get("src").toString();
        slot.icon = c.get("icon").toString();
    }
    readTransform(slot, c, mask);
    if (mask & kMaskOpacity) slot.opacity = uint32_t(c.get("opa").toInt()) & 0xffu;
    if (slot.tween) readTween(slot, c, mask);
    if (mask & kMaskPath) slot.path = c.get("cp");
    if (mask & kMaskDrawMode) slot.drawMode = uint32_t(c.get("bm").toInt());
    if (mask & kMaskEffectParameter) slot.effectParameter = c.get("bp").toFloat();
    readTypeSettings(slot, layerType, c, mask);
    readColors(slot, c, mask);
}

MMotionSourceInfo parseBlankSource(const std::string& text) {
    std::vector<std::string> pieces;
    size_t start = 0;
    for (size_t colon; (colon = text.find(':', start)) != std::string::npos; start = colon + 1)
        pieces.push_back(trimSpaces(text.substr(start, colon - start)));
    pieces.push_back(trimSpaces(text.substr(start)));
    pieces.resize(4);
    MMotionSourceInfo info;
    info.width = std::atoi(pieces[0].c_str());
    info.height = std::atoi(pieces[1].c_str());
    info.originX = std::strtof(pieces[2].c_str(), nullptr);
    info.originY = std::strtof(pieces[3].c_str(), nullptr);
    return info;
}

std::array<int32_t, 2> meshGridCounts(int32_t division, int32_t width, int32_t height) {
    if (width < 0) width = 0;
    if (height < 0) height = 0;
    if (int64_t(width) + height == 0) return {2, 2};
    const int32_t x = int32_t(int64_t(division) * width / (int64_t(width) + height));
    const int32_t y = division - x;
    return {std::max(x, 1) + 1, std::max(y, 1) + 1};
}
