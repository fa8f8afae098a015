#include "engine/motion/motion_nested.h"

#include <cmath>
#include <memory>
#include <variant>

#include "engine/base/debug_trace.h"
#include "engine/motion/interpolation.h"
#include "engine/motion/motion_angle.h"
#include "engine/motion/motion_outer_links.h"
#include "engine/motion/motion_particles.h"
#include "engine/motion/motion_player.h"

namespace {

const MMotionParameter* layerParameter(MMotionPlayer& player, const MMotionLayerNode& node) {
    const auto& parameters = player.parameters();
    if (node.parameter >= 0 && size_t(node.parameter) < parameters.size()) return &parameters[size_t(node.parameter)];
    return nullptr;
}

float layerTime(MMotionPlayer& player, const MMotionLayerNode& node) {
    const MMotionParameter* parameter = layerParameter(player, node);
    return parameter ? parameter->value : player.scanTime();
}

float unclampedTime(MMotionPlayer& player, const MMotionLayerNode& node) {
    const MMotionParameter* parameter = layerParameter(player, node);
    return parameter ? parameter->value : player.time();
}

MVector3 positionOf(const MMotionFrameContent& slot) { return {slot.x, slot.y, slot.z}; }

// Degrees of (dx, dy) in the layer's plane; the plane's second axis is y or z.
float planeAngle(int32_t coordinate, float dx, float dy, float dz) {
    if (coordinate == 0) return std::atan2(dy, dx) * 360.0f / (2.0f * kMotionPi);
    if (coordinate == 1) return std::atan2(dz, dx) * 360.0f / (2.0f * kMotionPi);
    return 0.0f;
}

bool mayNest(MMotionPlayer& player, MMotionLayerNode& node) {
    if (MMotionParticles::mayAddPlayer(player)) return true;
    auto* record = std::get_if<MMotionNestedRecord>(&node.record);
    if (record && !record->tooDeepTraced) {
        M_DEBUG_TRACE("motion: layer \"%s\" of \"%s\" is nested too deeply or under too many players; it plays nothing", node.label.c_str(),
                      player.motionName().c_str());
        record->tooDeepTraced = true;
    }
    return false;
}

// From the new frame: the nested motion starts at the layer's time into the
// frame plus the frame's offset.
void restart(MMotionPlayer& player, MMotionLayerNode& node, MMotionPlayer& q) {
    const MMotionFrameContent& s = node.slots[node.currentSlot];
    q.setObject(s.src);
    q.setMotion(s.icon, uint32_t(s.motion.flags));
    if (!q.playing() || !q.holding()) return;
    float t = unclampedTime(player, node) - s.time + s.motion.timeOffset;
    // Only a motion that really loops folds; one whose loop time is at or
    // past its last time plays once.
    if (player.step() < 0.0f && q.loops() && t >= q.lastTime()) {
        t = q.loopTime() + std::fmod(t - q.loopTime(), q.lastTime() - q.loopTime());
    }
    q.setTime(t);
    if (!player.holding()) q.requestReplayFromStart();
}

float tweenFraction(MMotionPlayer& player, const MMotionLayerNode& node) {
    const MMotionFrameContent& s = node.slots[node.currentSlot];
    const MMotionFrameContent& n = node.slots[1 - node.currentSlot];
    return n.time != s.time ? (layerTime(player, node) - s.time) / (n.time - s.time) : 0.0f;
}

// The direction the frame's mode asks for; false when it finds none.
bool direction(MMotionPlayer& player, MMotionLayerNode& node, MMotionPlayer& q, float& angle) {
    const MMotionFrameContent& s = node.slots[node.currentSlot];
    const MMotionFrameContent& n = node.slots[1 - node.currentSlot];
    MMotionSlotCurves& curves = node.curves[node.currentSlot];
    int32_t dt = s.motion.dt;
    if (dt == 0) return false;
    float d = s.motion.dofst;
    if (s.motion.docmpl && s.tween && !n.empty && n.motion.dt != 0) {
        d = lerpAngle(s.motion.dofst, n.motion.dofst, tweenFraction(player, node), curves.angle.get());
    }
    if (node.coordinate != 0 && node.coordinate != 1) {
        angle = 0.0f;
        return true;
    }
    // The movement is not measured before the first evaluation.
    if (dt == 2 && q.timelineState().fresh) dt = 3;
    const MMotionNodeState& st = node.state;
    switch (dt) {
        case 1: angle = st.angle + d; return true;
        case 2: angle = planeAngle(node.coordinate, node.motion[0], node.motion[1], node.motion[2]) + d; break;
        case 3: {
            if (!s.tween || n.empty) return false;
            float f = tweenFraction(player, node);
            float g = f + 0.0001f;
            if (g >= 1.0f) f = 0.9999f, g = 1.0f;
            MVector3 a = positionOf(s), b = positionOf(s);
            lerpPosition(node.coordinate, positionOf(s), positionOf(n), f, curves.path.get(), curves.position.get(), a);
            lerpPosition(node.coordinate, positionOf(s), positionOf(n), g, curves.path.get(), curves.position.get(), b);
            angle = planeAngle(node.coordinate, b.x - a.x, b.y - a.y, b.z - a.z) + d;
            break;
        }
        case 4: {
            const MMotionLayerNode* target = player.findLayerNode(s.motion.dtgt);
            if (target == nullptr) return false;
            const MMotionNodeState& t = target->state;
            angle = planeAngle(node.coordinate, t.x - st.x, t.y - st.y, t.z - st.z) + d;
            break;
        }
        default: return false;
    }
    angle = wrapDegrees(angle);
    return true;
}

// Every placed value goes into the root's local block, which is then
// evaluated again.
void place(MMotionLayerNode& node, MMotionPlayer& q, bool turned, float angle) {
    const MMotionFrameContent& s = node.slots[node.currentSlot];
    const MMotionNodeState& st = node.state;
    const MMotionNodeMatrix& m = node.matrix;
    MMotionLayerNode& root = q.nodes()[0];
    MMotionNodeState& l = root.local;
    l.x = st.x, l.y = st.y, l.z = st.z;
    if (node.coordinate == 0) {
        l.x -= m.a * s.ox + m.b * s.oy;
        l.y -= m.c * s.ox + m.d * s.oy;
    } else if (node.coordinate == 1) {
        l.x -= m.a * s.ox + m.b * s.oy;
        l.z -= m.c * s.ox + m.d * s.oy;
    }
    l.flipX = st.flipX, l.flipY = st.flipY;
    l.zoomX = st.zoomX, l.zoomY = st.zoomY;
    l.slantX = st.slantX, l.slantY = st.slantY;
    l.opacity = st.opacity;
    l.shown = st.visible;
    if (turned) q.setAngle(angle);
    q.setBaseColor(node.colors[0]);
    root.matrix = m;
    if (turned && angle != st.angle && !q.directionMode()) {
        const float r = (angle - st.angle) * kMotionPi * 2.0f / 360.0f;
        const float c = std::cos(r), sn = std::sin(r);
        root.matrix = {m.a * c - m.c * sn, m.b * c - m.d * sn, m.c * c + m.a * sn, m.d * c + m.b * sn};
    }
    l.changed = true;
}

void updateNode(MMotionPlayer& player, MMotionLayerNode& node) {
    MMotionPlayer* q = node.nestedPlayer.get();
    if (q == nullptr) return;
    if (node.state.changed) {
        const MMotionFrameContent& s = node.slots[node.currentSlot];
        if (s.empty || s.src.empty()) {
            q->stopAndRelease();
            return;
        }
        if (node.dirty) {
            if (!mayNest(player, node)) {
                q->stopAndRelease();
                return;
            }
            restart(player, node, *q);
        }
        float angle = 0.0f;
        const bool turned = direction(player, node, *q, angle);
        place(node, *q, turned, angle);
    }
    carryOuterLinks(player, node, *q);
    q->advance(player.step());
    player.takeEventsOf(*q);
}

}  // namespace

void MMotionNested::attachPlayers(MMotionPlayer& player) {
    for (MMotionLayerNode& node : player.nodes()) {
        const auto* record = std::get_if<MMotionNestedRecord>(&node.record);
        if (record == nullptr) continue;
        node.nestedPlayer = std::make_unique<MMotionPlayer>(player.manager(), std::string(), player);
        MMotionPlayer& q = *node.nestedPlayer;
        q.markNested();
        q.timelineState().independentInherit = record->independentLayerInherit;
        MMotionLayerNode& root = q.nodes()[0];
        root.coordinate = node.coordinate;
        root.transformOrder = node.transformOrder;
    }
}

void MMotionNested::update(MMotionPlayer& player) {
    for (int32_t index : player.timelineState().byType[size_t(MMotionLayerNode::kNestedMotion)]) {
        updateNode(player, player.nodes()[size_t(index)]);
    }
}
