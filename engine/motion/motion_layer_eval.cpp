#include "engine/motion/motion_layer_eval.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <variant>
#include <vector>

#include "engine/motion/color_interpolation.h"
#include "engine/motion/interpolation.h"
#include "engine/motion/motion_neutral_grid.h"
#include "engine/motion/motion_particles.h"
#include "engine/motion/motion_player.h"
#include "engine/motion/motion_resource_manager.h"

namespace {

constexpr uint32_t kInheritFlipX = 0x4;
constexpr uint32_t kInheritFlipY = 0x8;
constexpr uint32_t kInheritAngle = 0x10;
constexpr uint32_t kInheritZoomX = 0x20;
constexpr uint32_t kInheritZoomY = 0x40;
constexpr uint32_t kInheritSlantX = 0x80;
constexpr uint32_t kInheritSlantY = 0x100;
constexpr uint32_t kInheritMatrix = 0x1fc;
constexpr uint32_t kInheritOpacity = 0x400;
constexpr uint32_t kSkipAsParent = 0x400000;

constexpr int32_t kParticleEmitter = 4;
constexpr int32_t kCamera = 5;
constexpr int32_t kStencilComposite = 12;

constexpr uint32_t kTypeAnchor = 1u << 9;
constexpr uint32_t kTypeCamera = 1u << 5;
constexpr uint32_t kTypeShape = 1u << 1;
constexpr uint32_t kTypeClip = 1u << 7;
constexpr uint32_t kTypeNested = 1u << 3;
constexpr uint32_t kTypeModel = 1u << 6;
constexpr uint32_t kTypeParticle = 1u << 4;
// The types whose passes run after the drawn flags and read the step's marks.
constexpr uint32_t kLaterPasses = kTypeCamera | kTypeClip | kTypeShape | kTypeNested | kTypeModel | kTypeParticle;

constexpr float kEps = MMotionLayerEval::kEpsilon;

const std::vector<float>& neutralMesh() {
    static const std::vector<float> grid(kMotionNeutralMeshGrid.begin(), kMotionNeutralMeshGrid.end());
    return grid;
}

std::array<float, 3> positionOf(const MMotionNodeState& st) { return {st.x, st.y, st.z}; }

// The position change of this step; none while the player holds.
void setMotion(MMotionLayerNode& node, const std::array<float, 3>& before, bool hold) {
    const MMotionNodeState& st = node.state;
    node.motion = hold ? std::array<float, 3>{} : std::array<float, 3>{st.x - before[0], st.y - before[1], st.z - before[2]};
}

uint32_t mulOpacity(uint32_t a, uint32_t b) { return a * b / 255u; }

MVector3 positionOf(const MMotionFrameContent& slot) { return {slot.x, slot.y, slot.z}; }

// The stencil's scale and offset from its reveal and softness values.
void setStencil(MMotionStencilCompositeRecord& record, bool on, float reveal, float softness) {
    record.stencilOn = on;
    if (!on) return;
    record.scale = 1024.0f / (softness * 1023.0f + 1.0f);
    record.offset = 1.0f - (record.scale + 1.0f) * reveal;
}

void writeMesh(MMotionLayerNode& node, const float* points, size_t count) {
    if (std::equal(points, points + count, node.meshPoints.begin(), node.meshPoints.end())) return;
    node.meshPoints.assign(points, points + count);
    node.meshChanged = true;
}

void writeMesh(MMotionLayerNode& node, const std::vector<float>& points) {
    writeMesh(node, points.data(), points.size());
}

// A missing end is the neutral mesh. The tween goes through one buffer per
// updating thread, kept from step to step.
void tweenMesh(MMotionLayerNode& node, const MMotionFrameContent& s, const MMotionFrameContent& n, float f,
               MMotionEasingRef* curve) {
    if (s.mesh.points.empty() && n.mesh.points.empty()) {
        writeMesh(node, nullptr, 0);
        return;
    }
    static thread_local std::vector<float> points;
    lerpMeshPoints(points, s.mesh.points.empty() ? neutralMesh() : s.mesh.points,
                   n.mesh.points.empty() ? neutralMesh() : n.mesh.points, f, curve);
    writeMesh(node, points);
}

// Only these types hold values of their own in the frames; the record
// matches the type from the load on.
void tweenRecord(MMotionLayerNode& node, const MMotionFrameContent& s, const MMotionFrameContent& n, float f,
                 MMotionSlotCurves& curves) {
    if (node.type == kCamera) {
        if (auto* camera = std::get_if<MMotionCameraRecord>(&node.record)) {
            camera->fov = s.camera.fov * (1.0f - f) + n.camera.fov * f;
        }
    } else if (node.type == kParticleEmitter) {
        if (auto* emitter = std::get_if<MMotionParticleEmitter>(&node.record)) {
            MMotionParticles::tweenEmission(*emitter, s.particle, n.particle, f);
        }
    } else if (node.type == kStencilComposite) {
        if (auto* stencil = std::get_if<MMotionStencilCompositeRecord>(&node.record)) {
            const float reveal = lerpScalar(s.stencil.wrt, n.stencil.wrt, f, curves.stencil.get());
            const float softness = lerpScalar(s.stencil.wsf, n.stencil.wsf, f, curves.stencil.get());
            setStencil(*stencil, s.stencil.hasStencil, reveal, softness);
        }
    }
}

void copyRecord(MMotionLayerNode& node, const MMotionFrameContent& s) {
    if (node.type == kCamera) {
        if (auto* camera = std::get_if<MMotionCameraRecord>(&node.record)) camera->fov = s.camera.fov;
    } else if (node.type == kParticleEmitter) {
        if (auto* emitter = std::get_if<MMotionParticleEmitter>(&node.record)) {
            MMotionParticles::tweenEmission(*emitter, s.particle, s.particle, 0.0f);
        }
    } else if (node.type == kStencilComposite) {
        if (auto* stencil = std::get_if<MMotionStencilCompositeRecord>(&node.record)) {
            setStencil(*stencil, s.stencil.hasStencil, s.stencil.wrt, s.stencil.wsf);
        }
    }
}

// The eased fractions of one node's tween. An evaluation depends only on the
// curve, the fraction and the cursor it starts from, so a value naming the
// curve another value just used, from the same cursor, takes that result and
// the cursor it left: position, angle and colour usually share one curve.
class NodeEasing {
public:
    explicit NodeEasing(float f) : f_(f) {}

    float operator()(MMotionEasingRef* ref) {
        if (!ref || !ref->curve) return f_;
        if (ref->curve == curve_ && ref->segment == fromSegment_ && ref->point == fromPoint_) {
            ref->segment = toSegment_;
            ref->point = toPoint_;
            return value_;
        }
        curve_ = ref->curve;
        fromSegment_ = ref->segment;
        fromPoint_ = ref->point;
        value_ = MMotionEasingCurve::evaluate(ref->curve, f_, ref->segment, ref->point);
        toSegment_ = ref->segment;
        toPoint_ = ref->point;
        return value_;
    }

private:
    float f_;
    const MMotionEasingCurve* curve_ = nullptr;
    uint32_t fromSegment_ = 0, fromPoint_ = 0, toSegment_ = 0, toPoint_ = 0;
    float value_ = 0.0f;
};

// std::lround without the library call for the values opacities take; any
// other value goes to the library. The fraction of a float is exact.
uint32_t roundOpacity(float v) {
    if (!(v >= 0.0f && v < 8388608.0f)) return uint32_t(std::lround(v));
    const auto whole = uint32_t(v);
    return v - float(whole) >= 0.5f ? whole + 1 : whole;
}

// Word by word: std::array's == goes through a memcmp call.
bool sameColors(const std::array<uint32_t, 4>& a, const std::array<uint32_t, 4>& b) {
    return a[0] == b[0] && a[1] == b[1] && a[2] == b[2] && a[3] == b[3];
}

void tweenColors(MMotionLayerNode& node, const MMotionFrameContent& s, const MMotionFrameContent& n,
                 MMotionEasingRef* curve, NodeEasing& ease) {
    node.uniformColor = s.uniformColor && n.uniformColor;
    node.defaultColor = s.defaultColor && n.defaultColor;
    if (node.uniformColor) {
        const uint32_t a = s.colors[0], b = n.colors[0];
        node.colors.fill(a == b ? a : blendColor(a, b, colorWeight(ease(curve))));
    } else if (!sameColors(s.colors, n.colors)) {
        const uint32_t w = colorWeight(ease(curve));
        for (size_t i = 0; i < 4; ++i) {
            const uint32_t a = s.colors[i], b = n.colors[i];
            node.colors[i] = a == b ? a : blendColor(a, b, w);
        }
    } else {
        node.colors = s.colors;
    }
}

void tweenFrames(MMotionLayerNode& node, float f) {
    MMotionFrameContent& s = node.slots[node.currentSlot];
    MMotionFrameContent& n = node.slots[1 - node.currentSlot];
    MMotionSlotCurves& curves = node.curves[node.currentSlot];
    MMotionNodeState& st = node.state;
    NodeEasing ease(f);
    st.flipX = s.fx;
    st.flipY = s.fy;
    st.angle = lerpAngleEased(s.angle, n.angle, [&] { return ease(curves.angle.get()); });
    // One eased fraction serves both axes (and below all four corners): the
    // curve is evaluated once, and only when some value moves.
    if (s.zx != n.zx || s.zy != n.zy) {
        const float e = ease(curves.zoom.get());
        st.zoomX = lerpScalar(s.zx, n.zx, e, nullptr);
        st.zoomY = lerpScalar(s.zy, n.zy, e, nullptr);
    } else {
        st.zoomX = s.zx, st.zoomY = s.zy;
    }
    if (s.sx != n.sx || s.sy != n.sy) {
        const float e = ease(curves.slant.get());
        st.slantX = lerpScalar(s.sx, n.sx, e, nullptr);
        st.slantY = lerpScalar(s.sy, n.sy, e, nullptr);
    } else {
        st.slantX = s.sx, st.slantY = s.sy;
    }
    MVector3 p = positionOf(s);
    lerpPositionEased(node.coordinate, positionOf(s), positionOf(n), curves.path.get(),
                      [&] { return ease(curves.position.get()); }, p);
    st.x = p.x, st.y = p.y, st.z = p.z;
    st.opacity = roundOpacity(float(s.opacity) * (1.0f - f) + float(n.opacity) * f);
    tweenColors(node, s, n, curves.color.get(), ease);
    if (node.meshTransform == 1 && !node.meshPointsExternal) tweenMesh(node, s, n, f, curves.mesh.get());
    tweenRecord(node, s, n, f, curves);
}

void copyFrame(MMotionLayerNode& node) {
    const MMotionFrameContent& s = node.slots[node.currentSlot];
    MMotionNodeState& st = node.state;
    st.flipX = s.fx;
    st.flipY = s.fy;
    st.angle = s.angle;
    st.zoomX = s.zx;
    st.zoomY = s.zy;
    st.slantX = s.sx;
    st.slantY = s.sy;
    st.x = s.x, st.y = s.y, st.z = s.z;
    st.opacity = s.opacity;
    node.colors = s.colors;
    node.uniformColor = s.uniformColor;
    node.defaultColor = s.defaultColor;
    if (node.meshTransform == 1 && !node.meshPointsExternal) writeMesh(node, s.mesh.points);
    copyRecord(node, s);
}

float nodeTime(MMotionPlayer& player, const MMotionLayerNode& node) {
    const auto& parameters = player.parameters();
    if (node.parameter >= 0 && size_t(node.parameter) < parameters.size()) return parameters[size_t(node.parameter)].value;
    return player.scanTime();
}

// Returned rather than stored, and inlined, so that a product with the
// parent's matrix is worked out in registers and stored once (a matrix
// stored a field at a time and read straight back as a whole stalls).
[[gnu::always_inline]] inline MMotionNodeMatrix localMatrix(const MMotionLayerNode& node) {
    const MMotionNodeState& st = node.state;
    MMotionNodeMatrix m;
    for (int32_t step : node.transformOrder) {
        switch (step) {
            case 0:
                if (st.flipX) m.a = -m.a, m.b = -m.b;
                if (st.flipY) m.c = -m.c, m.d = -m.d;
                break;
            case 1:
                if (st.angle != 0.0f) {
                    const float r = st.angle * 3.1415927f * 2.0f / 360.0f;
                    const float s = std::sin(r), k = std::cos(r);
                    m = {m.a * k - m.c * s, m.b * k - m.d * s, m.c * k + m.a * s, m.d * k + m.b * s};
                }
                break;
            case 2:
                if (st.zoomX != 1.0f || st.zoomY != 1.0f) {
                    m = {m.a * st.zoomX, m.b * st.zoomX, m.c * st.zoomY, m.d * st.zoomY};
                }
                break;
            case 3:
                if (st.slantX != 0.0f || st.slantY != 0.0f) {
                    m = {m.a + st.slantX * m.c, m.b + st.slantX * m.d, m.c + st.slantY * m.a, m.d + st.slantY * m.b};
                }
                break;
            default: break;
        }
    }
    return m;
}

MMotionNodeMatrix multiply(const MMotionNodeMatrix& p, const MMotionNodeMatrix& m) {
    return {p.a * m.a + p.b * m.c, p.a * m.b + p.b * m.d, p.c * m.a + p.d * m.c, p.c * m.b + p.d * m.d};
}

bool stencilHides(const MMotionLayerNode& node) {
    if (node.type != kStencilComposite) return false;
    const auto* stencil = std::get_if<MMotionStencilCompositeRecord>(&node.record);
    return stencil && stencil->stencilOn && stencil->scale + stencil->offset < kEps;
}

// Adds (or with sign -1 takes out) the inherited values of `from`. Inlined,
// so the whole-matrix case drops the tests of its constant mask.
[[gnu::always_inline]] inline void inheritValues(MMotionNodeState& st, const MMotionNodeState& from, uint32_t mask, float sign) {
    if (mask & kInheritFlipX) st.flipX ^= from.flipX;
    if (mask & kInheritFlipY) st.flipY ^= from.flipY;
    if (mask & kInheritAngle) st.angle += sign * from.angle;
    const auto scale = [sign](float& v, float by) {
        if (sign > 0.0f) {
            v *= by;
        } else if (by != 0.0f) {  // a zero zoom has no share to take out
            v /= by;
        }
    };
    if (mask & kInheritZoomX) scale(st.zoomX, from.zoomX);
    if (mask & kInheritZoomY) scale(st.zoomY, from.zoomY);
    if (mask & kInheritSlantX) st.slantX += sign * from.slantX;
    if (mask & kInheritSlantY) st.slantY += sign * from.slantY;
}

void applyLocal(MMotionNodeState& st, const MMotionNodeState& local) {
    st.flipX ^= local.flipX;
    st.flipY ^= local.flipY;
    st.angle += local.angle;
    st.zoomX *= local.zoomX;
    st.zoomY *= local.zoomY;
    st.slantX += local.slantX;
    st.slantY += local.slantY;
    st.opacity = mulOpacity(st.opacity, local.opacity);
    st.x += local.x;
    st.y += local.y;
    st.z += local.z;
}

void placeInParent(MMotionLayerNode& node, const MMotionLayerNode& p) {
    MMotionNodeState& st = node.state;
    const MMotionNodeMatrix& m = p.matrix;
    if (p.coordinate == 0) {
        const float x = st.x, y = st.y;
        st.x = m.a * x + m.b * y;
        st.y = m.c * x + m.d * y;
    } else {
        const float x = st.x, z = st.z;
        st.x = m.a * x + m.b * z;
        st.z = m.c * x + m.d * z;
    }
    st.x += p.state.x;
    st.y += p.state.y;
    st.z += p.state.z;
}

void correctGround(MMotionPlayer& player, MMotionLayerNode& node, const MMotionLayerNode& p,
                   const std::array<float, 3>& before) {
    MMotionNodeState& st = node.state;
    MMotionVec3 position{st.x, st.y, st.z};
    const MMotionVec3 previous = node.groundIndex != -1 ? MMotionVec3{before[0], before[1], before[2]} : position;
    player.manager().correctGround(previous, position, MMotionVec3{p.state.x, p.state.y, p.state.z},
                                   node.groundIndex);
    st.x = position.x, st.y = position.y, st.z = position.z;
}

void inheritMatrix(MMotionPlayer& player, MMotionLayerNode& node, const MMotionLayerNode& p) {
    MMotionNodeState& st = node.state;
    const uint32_t mask = node.inheritMask & kInheritMatrix;
    if (mask == kInheritMatrix) {
        node.matrix = multiply(p.matrix, localMatrix(node));
        inheritValues(st, p.state, kInheritMatrix, 1.0f);
        return;
    }
    inheritValues(st, p.state, mask, 1.0f);
    if (player.timelineState().independentInherit) {
        MMotionLayerEval::buildLocalMatrix(node);
        return;
    }
    const MMotionLayerNode& root = player.nodes()[0];
    inheritValues(st, root.state, mask, -1.0f);
    const MMotionNodeMatrix own = localMatrix(node);
    inheritValues(st, root.state, mask, 1.0f);
    node.matrix = multiply(root.matrix, own);
}

// The parent whose state a node takes: the nearest ancestor not skipped.
int32_t inheritedParent(const std::vector<MMotionLayerNode>& nodes, int32_t parent) {
    while (parent > 0 && (nodes[size_t(parent)].inheritMask & kSkipAsParent)) parent = nodes[size_t(parent)].parent;
    return parent < 0 ? 0 : parent;
}

void evaluateNode(MMotionPlayer& player, MMotionEvalPasses& passes, size_t index, const std::array<float, 3>& before) {
    std::vector<MMotionLayerNode>& nodes = player.nodes();
    MMotionLayerNode& node = nodes[index];
    const MMotionLayerNode& real = nodes[size_t(node.parent)];
    const MMotionLayerNode& p = nodes[size_t(inheritedParent(nodes, node.parent))];
    const bool force = player.timelineState().force || node.groundCorrection || p.state.changed ||
                       real.state.changed || node.local.changed;
    if (!MMotionLayerEval::evaluateFrame(player, node, force)) return;
    node.local.changed = false;
    MMotionNodeState& st = node.state;
    if (node.slots[node.currentSlot].empty) {
        st = p.state;
        st.changed = p.state.changed || node.dirty;
        st.visible = false;
        st.shown = p.state.shown && node.local.shown;
        node.matrix = p.matrix;
        return;
    }
    st.changed = true;
    st.shown = node.local.shown && p.state.shown && !stencilHides(real);
    st.visible = node.local.visible && st.shown;
    applyLocal(st, node.local);
    if (p.meshTransform != 0) passes.followMesh(player, node, p);
    placeInParent(node, p);
    if (node.groundCorrection) correctGround(player, node, p, before);
    if (node.inheritMask & kInheritOpacity) {
        st.opacity = mulOpacity(p.state.opacity, st.opacity);
    } else if (!player.timelineState().independentInherit) {
        st.opacity = mulOpacity(nodes[0].state.opacity, st.opacity);
    }
    inheritMatrix(player, node, p);
}

bool drawable(const MMotionLayerNode& node) {
    if (node.slots[node.currentSlot].empty || node.stencilType == 0 || !node.state.visible) return false;
    if ((node.type == 0 || node.type == 11 || node.type == 12) && !node.sourceFound) return false;
    if (node.type != kStencilComposite) return true;
    const auto* stencil = std::get_if<MMotionStencilCompositeRecord>(&node.record);
    return !(stencil && stencil->stencilOn &&
             (stencil->offset - 1.0f > -kEps || stencil->scale + stencil->offset < kEps));
}

// The marks of this step, cleared once no pass reads them.
void clearMarks(MMotionLayerNode& node) {
    node.dirty = false;
    node.state.changed = false;
    node.meshChanged = false;
}

// With `clear`, when no pass after this one reads the marks, they are
// cleared in the same walk over the nodes.
void markDrawn(std::vector<MMotionLayerNode>& nodes, bool clear) {
    nodes[0].drawn = false;
    nodes[0].drawnAncestor = -1;
    if (clear) clearMarks(nodes[0]);
    for (size_t i = 1; i < nodes.size(); ++i) {
        MMotionLayerNode& node = nodes[i];
        const MMotionLayerNode& parent = nodes[size_t(node.parent)];
        node.drawnAncestor = parent.drawn ? node.parent : parent.drawnAncestor;
        node.drawn = drawable(node);
        if (clear) clearMarks(node);
    }
}

void drift(MMotionPlayer& player) {
    MMotionTimelineState& state = player.timelineState();
    MMotionNodeState& local = player.nodes()[0].local;
    float* position[3] = {&local.x, &local.y, &local.z};
    for (size_t i = 0; i < 3; ++i) {
        if (state.drift[i] == 0.0f) continue;
        *position[i] += state.drift[i] * player.step();
        local.changed = true;
    }
    if (state.driftDamping != 1.0f) {
        const float factor = std::pow(state.driftDamping, player.step() / 60.0f);
        for (float& v : state.drift) v *= factor;
    }
}

}  // namespace

void MMotionEvalPasses::meshPass(MMotionPlayer& player) {
    for (MMotionLayerNode& node : player.nodes()) {
        node.mapped = {node.state.x, node.state.y, node.state.z};
        if (node.state.changed) node.meshChanged = true;
    }
}

void MMotionLayerEval::evaluateNodes(MMotionPlayer& player, MMotionEvalPasses& passes) {
    std::vector<MMotionLayerNode>& nodes = player.nodes();
    MMotionTimelineState& state = player.timelineState();
    drift(player);
    const bool hold = player.holding();
    MMotionLayerNode& root = nodes[0];
    const auto before = positionOf(root.state);
    root.state = root.local;
    root.local.changed = false;
    MMotionVariables::evaluate(player);
    if (!player.nested()) buildLocalMatrix(root);
    setMotion(root, before, hold);
    // A node's evaluation reads only nodes before it, so each one's motion
    // can be taken as soon as it is evaluated.
    for (size_t i = 1; i < nodes.size(); ++i) {
        const auto start = positionOf(nodes[i].state);
        evaluateNode(player, passes, i, start);
        setMotion(nodes[i], start, hold);
    }
    state.force = false;
    if (state.typeMask & kTypeAnchor) applyAnchors(player);
    passes.meshPass(player);
    const bool later = state.typeMask & kLaterPasses;
    markDrawn(nodes, !later);
    if (later) {
        if (state.typeMask & kTypeCamera) updateCamera(player);
        // Without clip layers every node keeps the clip it was loaded with:
        // none of its tree's, so the one the tree's root is under.
        if (state.typeMask & kTypeClip) updateClipRects(player);
        if (state.typeMask & kTypeShape) updateShapes(player);
        if (state.typeMask & kTypeNested) passes.nestedMotions(player);
        if (state.typeMask & kTypeModel) updateModels(player);
        if (state.typeMask & kTypeParticle) passes.particles(player);
        for (MMotionLayerNode& node : nodes) clearMarks(node);
    }
    player.clearParameterChanges();
    state.fresh = false;
    passes.playStreams(player);
}

bool MMotionLayerEval::evaluateFrame(MMotionPlayer& player, MMotionLayerNode& node, bool force) {
    const MMotionFrameContent& s = node.slots[node.currentSlot];
    const MMotionFrameContent& n = node.slots[1 - node.currentSlot];
    force = force || node.dirty;
    if (s.empty) return force;
    // A list of one frame holds it in both slots: nothing to tween towards.
    if (s.tween && !n.empty && n.time != s.time) {
        float d = nodeTime(player, node) - s.time;
        if (s.tweenStep != 0) d = std::trunc(d / float(s.tweenStep)) * float(s.tweenStep);
        const float f = d / (n.time - s.time);
        if (std::fabs(f) >= kEps) {
            if (!force && std::fabs(node.lastFraction - f) < kEps) return false;
            node.lastFraction = f;
            tweenFrames(node, f);
            return true;
        }
        if (std::fabs(node.lastFraction - f) >= kEps) force = true;
        node.lastFraction = f;
    }
    if (!force) return false;
    copyFrame(node);
    return true;
}

void MMotionLayerEval::buildLocalMatrix(MMotionLayerNode& node) { node.matrix = localMatrix(node); }
