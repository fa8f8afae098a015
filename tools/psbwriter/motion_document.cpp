#include "tools/psbwriter/motion_document.h"

#include <algorithm>
#include <bit>

#include "engine/motion/motion_frame_mask.h"

namespace psbwriter::motion {

namespace {

using namespace motion_frame_mask;

void put16(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}

void put32(std::vector<uint8_t>& out, uint32_t v) {
    put16(out, uint16_t(v));
    put16(out, uint16_t(v >> 16));
}

void putFloat(std::vector<uint8_t>& out, float v) { put32(out, std::bit_cast<uint32_t>(v)); }

// Sets the key and the mask bit that says it is there.
void put(Object& out, uint32_t& mask, uint32_t bit, const char* key, Value value) {
    mask |= bit;
    out[key] = std::move(value);
}

// Colours and masks are 32-bit words; stored as signed integers of 4 bytes.
Value word(uint32_t v) { return Value(int(int32_t(v))); }

Value nullable(const std::optional<int>& v) { return v ? Value(*v) : Value(); }

List floats(const std::vector<float>& values) { return List(values.begin(), values.end()); }

List strings(const std::vector<std::string>& values) { return List(values.begin(), values.end()); }

Object rect(const Rect& r) {
    return Object{{"left", r.left}, {"top", r.top}, {"right", r.right}, {"bottom", r.bottom}};
}

Object spline(const Spline& s) { return Object{{"x", floats(s.x)}, {"y", floats(s.y)}, {"p", floats(s.p)}}; }

Object path(const Path& p) {
    List splines;
    for (const Spline& s : p.s) splines.push_back(spline(s));
    return Object{{"x", floats(p.x)}, {"y", floats(p.y)}, {"t", floats(p.t)}, {"s", std::move(splines)}};
}

List meshPoints(const MeshPoints& points) { return List(points.begin(), points.end()); }

bool drawsSource(int layerType) {
    return layerType == kSprite || layerType == kNestedMotion || layerType == kModel || layerType == kImage ||
           layerType == kStencilComposite;
}

Object nestedSettings(const NestedSettings& m) {
    uint32_t mask = 0;
    Object out{{"timeOffset", m.timeOffset}};
    if (m.flags) put(out, mask, 0x1, "flags", *m.flags);
    if (m.dt) put(out, mask, 0x2, "dt", *m.dt);
    if (m.docmpl) put(out, mask, 0x4, "docmpl", *m.docmpl);
    if (m.dofst) put(out, mask, 0x8, "dofst", *m.dofst);
    if (m.dtgt) put(out, mask, 0x10, "dtgt", *m.dtgt);
    out["mask"] = word(mask);
    return out;
}

void putRange(Object& out, const std::optional<std::pair<float, float>>& range, const char* low, const char* high,
              uint32_t bit, uint32_t& mask) {
    if (!range) return;
    mask |= bit;
    out[low] = range->first;
    out[high] = range->second;
}

Object particleSettings(const ParticleSettings& p) {
    uint32_t mask = 0;
    Object out;
    if (p.trigger) put(out, mask, 0x1, "trigger", *p.trigger);
    putRange(out, p.frequency, "fmin", "fmax", 0x2, mask);
    putRange(out, p.speed, "vmin", "vmax", 0x4, mask);
    putRange(out, p.rotation, "amin", "amax", 0x8, mask);
    putRange(out, p.zoom, "zmin", "zmax", 0x10, mask);
    if (p.range) put(out, mask, 0x20, "range", *p.range);
    out["mask"] = word(mask);
    return out;
}

Object stencilSettings(const StencilSettings& s) {
    return Object{{"wrv", s.wrv}, {"wcc", nullable(s.easing)}, {"wrt", s.wrt}, {"wsf", s.wsf}};
}

// The keys of the transform group are read together, so each pair is
// written whole when either half is set.
void putTransform(const Content& c, Object& out, uint32_t& mask) {
    if (c.origin) {
        put(out, mask, kMaskOrigin, "ox", (*c.origin)[0]);
        out["oy"] = (*c.origin)[1];
    }
    if (c.coord) put(out, mask, kMaskCoord, "coord", List{c.coord->x, c.coord->y, c.coord->z});
    if (c.flipX || c.flipY) {
        mask |= (c.flipX ? kMaskFlipX : 0u) | (c.flipY ? kMaskFlipY : 0u);
        out["fx"] = c.flipX.value_or(false);
        out["fy"] = c.flipY.value_or(false);
    }
    if (c.angle) put(out, mask, kMaskAngle, "angle", *c.angle);
    if (c.zoomX || c.zoomY) {
        mask |= (c.zoomX ? kMaskZoomX : 0u) | (c.zoomY ? kMaskZoomY : 0u);
        out["zx"] = c.zoomX.value_or(1.0f);
        out["zy"] = c.zoomY.value_or(1.0f);
    }
    if (c.slantX || c.slantY) {
        mask |= (c.slantX ? kMaskSlantX : 0u) | (c.slantY ? kMaskSlantY : 0u);
        out["sx"] = c.slantX.value_or(0.0f);
        out["sy"] = c.slantY.value_or(0.0f);
    }
}

void putLook(const Content& c, Object& out, uint32_t& mask) {
    if (c.cornerColors) {
        mask |= kMaskColor;
        List corners;
        for (uint32_t corner : *c.cornerColors) corners.push_back(word(corner));
        out["color"] = std::move(corners);
    } else if (c.color) {
        put(out, mask, kMaskColor, "color", word(*c.color));
    }
    if (c.opacity) put(out, mask, kMaskOpacity, "opa", *c.opacity);
    if (c.drawMode) put(out, mask, kMaskDrawMode, "bm", word(*c.drawMode));
    if (c.effectParameter) put(out, mask, kMaskEffectParameter, "bp", *c.effectParameter);
}

void putTween(const Content& c, Object& out, uint32_t& mask) {
    const auto easing = [&](const std::optional<int>& index, const char* key, uint32_t bit) {
        if (index) put(out, mask, bit, key, *index);
    };
    easing(c.positionEasing, "ccc", kMaskPositionEasing);
    easing(c.angleEasing, "acc", kMaskAngleEasing);
    easing(c.zoomEasing, "zcc", kMaskZoomEasing);
    easing(c.slantEasing, "scc", kMaskSlantEasing);
    easing(c.colorEasing, "occ", kMaskColorEasing);
    if (c.path) put(out, mask, kMaskPath, "cp", path(*c.path));
    if (c.tweenStep) put(out, mask, kMaskTweenStep, "ti", *c.tweenStep);
}

void putSettings(const Content& c, Object& out, uint32_t& mask) {
    if (c.action) put(out, mask, kMaskAction, "act", *c.action);
    if (c.motion) put(out, mask, kMaskMotion, "motion", nestedSettings(*c.motion));
    if (c.particle) put(out, mask, kMaskParticle, "prt", particleSettings(*c.particle));
    if (c.camera) put(out, mask, kMaskCamera, "camera", Object{{"fov", c.camera->fov}, {"target", c.camera->target}});
    if (c.anchorTarget) put(out, mask, kMaskAnchor, "anchor", Object{{"target", *c.anchorTarget}});
    if (c.model) {
        mask |= kMaskModel;
        out["model"] = Object{
            {"timeOffset", c.model->timeOffset}, {"loop", c.model->loop}, {"dt", c.model->dt}, {"dtgt", c.model->dtgt}};
    }
    if (c.mesh) {
        mask |= kMaskMesh;
        out["mesh"] = Object{{"cc", nullable(c.mesh->easing)},
                             {"bp", c.mesh->points ? Value(meshPoints(*c.mesh->points)) : Value()}};
    }
    if (c.feedbackTimespan) put(out, mask, kMaskFeedback, "feedback", Object{{"timespan", *c.feedbackTimespan}});
    if (c.stencil) put(out, mask, kMaskStencil, "stc", stencilSettings(*c.stencil));
}

Value frameValue(const Frame& frame, int layerType) {
    Object out{{"time", frame.time}, {"type", frame.type}};
    if (frame.type == kEmpty) return out;
    uint32_t mask = 0;
    Object content;
    putTransform(frame.content, content, mask);
    putLook(frame.content, content, mask);
    putTween(frame.content, content, mask);
    putSettings(frame.content, content, mask);
    if (drawsSource(layerType)) {
        content["src"] = frame.content.src;
        content["icon"] = frame.content.icon;
    }
    content["mask"] = word(mask);
    out["content"] = std::move(content);
    return out;
}

Object meshCombinatorValue(const std::vector<MeshCombinator>& combinators) {
    List list;
    for (const MeshCombinator& c : combinators) {
        Resource raw;
        for (const MeshPoints& mesh : c.rawMeshes) {
            for (float v : mesh) putFloat(raw.bytes, v);
        }
        Object combinator{{"rawMeshList", std::move(raw)},
                          {"variable", Object{{"rangeBegin", c.rangeBegin},
                                              {"rangeEnd", c.rangeEnd},
                                              {"meshCount", int(c.rawMeshes.size())},
                                              {"key", c.key}}}};
        if (c.neutralIndex) combinator["neutralIndex"] = *c.neutralIndex;
        list.push_back(std::move(combinator));
    }
    return Object{{"combinatorList", std::move(list)}};
}

void putParticleEmitter(const ParticleEmitter& p, Object& out) {
    List motions;
    for (const auto& [object, motion] : p.motions) motions.push_back(List{object, motion});
    out["particle"] = p.kind;
    out["particleMaxNum"] = p.maxNum;
    out["particleInheritAngle"] = p.inheritAngle;
    out["particleDeleteOutsideScreen"] = p.deleteOutsideScreen;
    out["particleTriVolume"] = p.triVolume;
    if (p.inheritOpacity) out["particleInheritOpacity"] = *p.inheritOpacity;
    out["particleInheritVelocity"] = p.inheritVelocity;
    out["particleFlyDirection"] = p.flyDirection;
    out["particleApplyZoomToVelocity"] = p.applyZoomToVelocity;
    out["particleAccelRatio"] = p.accelRatio;
    out["particleMotionList"] = std::move(motions);
}

void putTypeKeys(const Layer& layer, Object& out) {
    switch (layer.type) {
        case kSprite:
            out["objTriPriority"] = layer.objTriPriority;
            break;
        case kShape:
            out["shape"] = layer.shape;
            break;
        case kNestedMotion:
            out["motionIndependentLayerInherit"] = layer.motionIndependentLayerInherit;
            break;
        case kParticleEmitter:
            putParticleEmitter(layer.particle, out);
            break;
        case kAnchor:
            out["anchor"] = layer.anchor;
            break;
        case kFeedback:
            out["screenBounds"] = rect(layer.screenBounds);
            break;
        case kStencilComposite:
            out["stencilCompositeMaskLayerList"] = strings(layer.stencilMasks);
            break;
        default:
            break;
    }
}

// Layers are numbered depth first, from 0; the first of equal labels keeps
// its number in the index map.
Value layerValue(const Layer& layer, int& next, Object& indexMap) {
    indexMap.try_emplace(layer.label, next++);
    List frames;
    for (const Frame& frame : layer.frames) frames.push_back(frameValue(frame, layer.type));
    Object out{{"label", layer.label},
               {"parameterize", nullable(layer.parameterize)},
               {"frameList", std::move(frames)},
               {"inheritMask", word(uint32_t(layer.inheritMask))},
               {"transformOrder", List(layer.transformOrder.begin(), layer.transformOrder.end())},
               {"type", layer.type},
               {"stencilType", layer.stencilType},
               {"coordinate", layer.coordinate},
               {"joinTarget", layer.joinTarget},
               {"groundCorrection", layer.groundCorrection},
               {"meshTransform", layer.meshTransform}};
    if (layer.meshTransform != 0) {
        out["meshSyncChildMask"] = layer.meshSyncChildMask;
        out["meshDivision"] = layer.meshDivision;
        out["meshCombine"] = layer.meshCombine;
    }
    if (!layer.meshCombinators.empty()) out["meshCombinator"] = meshCombinatorValue(layer.meshCombinators);
    putTypeKeys(layer, out);
    List children;
    for (const Layer& child : layer.children) children.push_back(layerValue(child, next, indexMap));
    out["children"] = std::move(children);
    return out;
}

Object variableValue(const Variable& v) {
    List frames;
    for (const VariableFrame& f : v.frames) {
        Object frame{{"time", f.time}, {"type", f.type}};
        if (f.type != kEmpty) {
            frame["content"] = Object{{"interval", f.interval}, {"value", f.value}, {"easing", nullable(f.easing)}};
        }
        frames.push_back(std::move(frame));
    }
    return Object{{"label", v.label}, {"scope", v.scope}, {"frameList", std::move(frames)}};
}

Object controlValue(const ControlFrame& c) {
    Object out{{"time", c.time}, {"type", c.type}};
    if (c.type == 1) out["content"] = Object{{"align", c.align}, {"sync", c.sync}, {"action", c.action}};
    return out;
}

Object drawOrderValue(const DrawOrderFrame& d) {
    return Object{{"time", d.time}, {"type", int(kHold)}, {"content", List(d.order.begin(), d.order.end())}};
}

Object streamValue(const Stream& s) {
    Resource vtx, mesh, color, z, layer, frameIdx, frame;
    for (const auto& [x, y] : s.vertices) {
        putFloat(vtx.bytes, x);
        putFloat(vtx.bytes, y);
    }
    for (const StreamMesh& m : s.meshes) {
        for (uint16_t v : {m.firstVertex, m.endVertex, m.columns, m.rows}) put16(mesh.bytes, v);
    }
    for (const auto& corners : s.colors) {
        for (uint32_t c : corners) put32(color.bytes, c);
    }
    for (float v : s.z) putFloat(z.bytes, v);
    for (const StreamLayer& l : s.layers) {
        for (uint16_t v : {l.source, l.drawMode, l.flags, l.mesh, l.color, l.z, l.opacity}) put16(layer.bytes, v);
    }
    for (uint16_t v : s.frameIndices) put16(frameIdx.bytes, v);
    for (const auto& [first, end] : s.frames) {
        put16(frame.bytes, first);
        put16(frame.bytes, end);
    }
    List sources;
    for (const auto& [src, icon] : s.sources) {
        sources.push_back(src);
        sources.push_back(icon);
    }
    return Object{{"maxLayerCount", s.maxLayerCount}, {"vtx", std::move(vtx)},     {"mesh", std::move(mesh)},
                  {"color", std::move(color)},        {"z", std::move(z)},         {"layer", std::move(layer)},
                  {"frameIdx", std::move(frameIdx)},  {"frame", std::move(frame)}, {"src", std::move(sources)}};
}

// Without a draw order every layer is drawn, the first of the list on top.
List drawOrder(const Timeline& t, int layerCount) {
    List out;
    if (!t.drawOrder.empty()) {
        for (const DrawOrderFrame& d : t.drawOrder) out.push_back(drawOrderValue(d));
        return out;
    }
    DrawOrderFrame all;
    for (int i = 0; i < layerCount; ++i) all.order.push_back(i);
    out.push_back(drawOrderValue(all));
    all.time = std::max(t.lastTime, 0.0f);
    out.push_back(drawOrderValue(all));
    return out;
}

Object timelineValue(const Timeline& t) {
    List parameters;
    for (const Parameter& p : t.parameters) {
        parameters.push_back(Object{{"id", p.id},
                                    {"discretization", p.discretization},
                                    {"rangeBegin", p.rangeBegin},
                                    {"rangeEnd", p.rangeEnd},
                                    {"division", p.division}});
    }
    int count = 0;
    Object indexMap;
    List layers;
    for (const Layer& layer : t.layers) layers.push_back(layerValue(layer, count, indexMap));
    List variables, controls;
    for (const Variable& v : t.variables) variables.push_back(variableValue(v));
    for (const ControlFrame& c : t.controls) controls.push_back(controlValue(c));
    Object out{{"type", 0},
               {"priority", drawOrder(t, count)},
               {"tag", std::move(controls)},
               {"loopTime", t.loopTime},
               {"lastTime", t.lastTime},
               {"bounds", rect(t.bounds)},
               {"parameter", std::move(parameters)},
               {"parameterize", nullable(t.parameterize)},
               {"layerIndexMap", std::move(indexMap)},
               {"layer", std::move(layers)},
               {"variable", std::move(variables)}};
    if (t.stream) out["stream"] = streamValue(*t.stream);
    return out;
}

Object motionValue(const Motion& motion) {
    if (const auto* list = std::get_if<DirectionList>(&motion)) {
        return Object{{"type", 1}, {"division", floats(list->division)}, {"motionList", strings(list->motions)}};
    }
    return timelineValue(std::get<Timeline>(motion));
}

Object iconValue(const Icon& i) {
    Object out{{"originX", i.originX}, {"originY", i.originY}, {"left", i.left},
               {"top", i.top},         {"width", i.width},     {"height", i.height}};
    if (i.attr) out["attr"] = *i.attr;
    if (i.resolution) out["resolution"] = *i.resolution;
    return out;
}

}  // namespace

Easing linearEasing() { return Easing{Spline{{0.0f, 1.0f}, {0.0f, 1.0f}, {0.0f, 0.0f}}}; }

Frame emptyFrame(float time) { return Frame{time, kEmpty, {}}; }
Frame holdFrame(float time, Content content) { return Frame{time, kHold, std::move(content)}; }
Frame tweenFrame(float time, Content content) { return Frame{time, kTween, std::move(content)}; }

Value motionDocument(const Document& d) {
    Object sources;
    for (const auto& [name, source] : d.sources) {
        Object icons;
        for (const auto& [iconName, icon] : source.icons) icons[iconName] = iconValue(icon);
        sources[name] = Object{{"texture", source.texture}, {"icon", std::move(icons)}};
    }
    Object objects;
    for (const auto& [name, object] : d.objects) {
        Object motions;
        for (const auto& [motionName, motion] : object.motions) motions[motionName] = motionValue(motion);
        objects[name] = Object{{"motion", std::move(motions)}};
    }
    List easings;
    for (const Easing& easing : d.easings) {
        List segments;
        for (const Spline& s : easing) segments.push_back(spline(s));
        easings.push_back(std::move(segments));
    }
    Object root{{"id", d.id},
                {"spec", d.spec},
                {"label", d.label},
                {"source", std::move(sources)},
                {"object", std::move(objects)},
                {"easing", std::move(easings)}};
    if (d.version) root["version"] = *d.version;
    if (!d.renames.empty()) {
        Object renames;
        for (const auto& [key, to] : d.renames) renames[key] = List{to.first, to.second};
        root["sourceIconRenameMap"] = std::move(renames);
    }
    if (d.screenSize) {
        root["screenSize"] = Object{{"width", d.screenSize->width},
                                    {"height", d.screenSize->height},
                                    {"originX", d.screenSize->originX},
                                    {"originY", d.screenSize->originY}};
    }
    return root;
}

}  // namespace psbwriter::motion
