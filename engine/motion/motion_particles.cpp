#include "engine/motion/motion_particles.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <variant>
#include <vector>

#include "engine/base/debug_trace.h"
#include "engine/motion/motion_angle.h"
#include "engine/motion/motion_outer_links.h"
#include "engine/motion/motion_player.h"

namespace {

constexpr float kShapeRadius = 16.0f;

struct Vec {
    float x = 0.0f, y = 0.0f, z = 0.0f;
};

void moveRoot(MMotionPlayer& q, float x, float y, float z) {
    MMotionNodeState& local = q.nodes()[0].local;
    if (local.x != x || local.y != y || local.z != z) local.changed = true;
    local.x = x, local.y = y, local.z = z;
}

// A direction-list particle turns by choosing its motion again; a timeline
// particle turns its root.
void turnBy(MMotionPlayer& q, float da) {
    if (q.directionMode()) {
        q.setAngle(q.setAngleValue() + da);
        return;
    }
    q.setAngle(wrapDegrees(q.nodes()[0].local.angle + da));
}

void carryRotated(MMotionParticleEmitter& e, MMotionLayerNode& n, std::vector<std::unique_ptr<MMotionPlayer>>& live) {
    const MMotionNodeMatrix& m = n.matrix;
    const auto& o = e.matrix;
    const float det = o[0] * o[3] - o[1] * o[2];
    // Inverse of the last matrix, times the new one.
    const float ia = o[3] / det, ib = -o[1] / det, ic = -o[2] / det, id = o[0] / det;
    const float ra = m.a * ia + m.b * ic, rb = m.a * ib + m.b * id;
    const float rc = m.c * ia + m.d * ic, rd = m.c * ib + m.d * id;
    e.matrix = {m.a, m.b, m.c, m.d};
    const Vec prev{n.state.x - n.motion[0], n.state.y - n.motion[1], n.state.z - n.motion[2]};
    float da = n.state.angle - e.lastAngle;
    if (n.state.flipX != n.state.flipY) da = -da;
    e.lastAngle = n.state.angle;
    for (auto& q : live) {
        turnBy(*q, da);
        const MMotionNodeState& l = q->nodes()[0].local;
        auto& drift = q->timelineState().drift;
        if (n.coordinate == 0) {
            const float x = l.x - prev.x, y = l.y - prev.y;
            moveRoot(*q, ra * x + rb * y + n.state.x, rc * x + rd * y + n.state.y, l.z + n.motion[2]);
            const float vx = drift[0], vy = drift[1];
            drift[0] = ra * vx + rb * vy;
            drift[1] = rc * vx + rd * vy;
        } else if (n.coordinate == 1) {
            const float x = l.x - prev.x, z = l.z - prev.z;
            moveRoot(*q, ra * x + rb * z + n.state.x, l.y + n.motion[1], rc * x + rd * z + n.state.z);
            const float vx = drift[0], vz = drift[2];
            drift[0] = ra * vx + rb * vz;
            drift[2] = rc * vx + rd * vz;
        }
    }
}

// Live particles follow the emitter: turned with it when they take its
// angle, else moved by its motion.
void carry(MMotionParticleEmitter& e, MMotionLayerNode& n, std::vector<std::unique_ptr<MMotionPlayer>>& live) {
    const MMotionNodeMatrix& m = n.matrix;
    const auto& o = e.matrix;
    const bool turned = m.a != o[0] || m.b != o[1] || m.c != o[2] || m.d != o[3];
    // A singular last matrix has no inverse to turn by.
    if (!n.slots[n.currentSlot].empty && e.inheritAngle && turned && o[0] * o[3] - o[1] * o[2] != 0.0f) {
        carryRotated(e, n, live);
        return;
    }
    // Moved particles are placed again even when their own drift is still.
    for (auto& q : live) {
        const MMotionNodeState& l = q->nodes()[0].local;
        moveRoot(*q, l.x + n.motion[0], l.y + n.motion[1], l.z + n.motion[2]);
    }
}

float emissionInterval(MMotionPlayer& player, const MMotionEmission& v) {
    return player.randomRange(60.0f / v.fmin, 60.0f / v.fmax);
}

// How many particles this step emits. An interval that is not positive, or
// too small to move the timer, ends the emission rather than looping forever.
int32_t emissionCount(MMotionPlayer& player, MMotionParticleEmitter& e, const MMotionLayerNode& n) {
    const MMotionEmission& v = e.emission;
    const int32_t trigger = n.slots[n.currentSlot].particle.trigger;
    if (trigger == 0 && v.fmin == 0.0f) return 0;
    if (!e.active) {
        e.active = true;
        if (trigger == 0) e.timer = std::max(0.0f, e.timer + emissionInterval(player, v));
    }
    int32_t count = 0;
    if (trigger == 0) {
        e.timer -= player.step();
        while (e.timer <= 0.0f) {
            const float interval = emissionInterval(player, v);
            if (!(interval > 0.0f) || e.timer + interval == e.timer) break;
            ++count;
            e.timer += interval;
        }
        if (v.fmin > 0.0f) e.timer = std::min(e.timer, 60.0f / v.fmin);
    } else if (trigger == 1 && n.dirty) {
        const float burst = std::trunc(player.randomRange(v.fmin, v.fmax));
        // More than the most live particles would be evicted before playing.
        count = burst > 0.0f ? int32_t(std::min(burst, float(std::max(e.maxNum, 0)))) : 0;
    }
    return count;
}

Vec shapeOffset(MMotionPlayer& player, const MMotionParticleEmitter& e) {
    switch (e.kind) {
        case 1:
            if (e.triVolume) {
                const float t = player.randomRange(0.0f, 2.0f * kMotionPi);
                const float p = player.randomRange(0.0f, 2.0f * kMotionPi);
                const float r = std::cbrt(player.randomRange(0.0f, 1.0f)) * kShapeRadius;
                return {r * std::cos(t) * std::cos(p), r * std::sin(t) * std::cos(p), r * std::sin(p)};
            } else {
                const float t = player.randomRange(0.0f, 2.0f * kMotionPi);
                const float r = std::sqrt(player.randomRange(0.0f, 1.0f)) * kShapeRadius;
                return {r * std::cos(t), r * std::sin(t), 0.0f};
            }
        case 2: {
            Vec o;
            o.x = player.randomRange(-kShapeRadius, kShapeRadius);
            o.y = player.randomRange(-kShapeRadius, kShapeRadius);
            if (e.triVolume) o.z = player.randomRange(-kShapeRadius, kShapeRadius);
            return o;
        }
        default: return {};
    }
}

// The drift direction (radians), elevation and speed of a particle at p.
void aim(MMotionPlayer& player, const MMotionParticleEmitter& e, const MMotionLayerNode& n, const MMotionPlayer& q,
         const Vec& p, float& a, float& cosE, float& sinE, float& speed) {
    const MMotionEmission& v = e.emission;
    speed = player.randomRange(v.vmin, v.vmax);
    float base = std::atan2(n.matrix.c, n.matrix.a) * 360.0f / (2.0f * kMotionPi);
    if (e.flyDirection == 1 || e.flyDirection == 2) base = std::atan2(p.y, p.x) * 360.0f / (2.0f * kMotionPi);
    if (e.flyDirection == 2) {
        base += 180.0f;
        speed = MMotionParticles::homingSpeed(std::sqrt(p.x * p.x + p.y * p.y + p.z * p.z), q.lastTime(),
                                              e.accelRatio);
    }
    a = (base + player.randomRange(-v.range, v.range)) * kMotionPi * 2.0f / 360.0f;
    cosE = 1.0f, sinE = 0.0f;
    if ((e.flyDirection == 1 || e.flyDirection == 2) && (p.x != 0.0f || p.y != 0.0f) && p.z != 0.0f) {
        const float h = std::sqrt(p.x * p.x + p.y * p.y);
        const float l = std::sqrt(h * h + p.z * p.z);
        cosE = h / l;
        sinE = e.flyDirection == 2 ? -p.z / l : p.z / l;
    }
}

void emitOne(MMotionPlayer& player, MMotionParticleEmitter& e, MMotionLayerNode& n,
             std::vector<std::unique_ptr<MMotionPlayer>>& live) {
    const MMotionEmission& v = e.emission;
    const MMotionFrameContent& s = n.slots[n.currentSlot];
    const uint32_t count = e.motionList.getCount();
    const uint32_t index = std::min(uint32_t(player.random() * float(count)), count - 1);
    const PSBValue entry = e.motionList.at(index);
    auto q = std::make_unique<MMotionPlayer>(player.manager(), std::string(), player);
    q->setBaseColor(n.colors[0]);
    q->setObject(entry.at(0).toString());
    q->setMotion(entry.at(1).toString(), 0);
    q->setShown(true);
    if (e.inheritOpacity >= 1) q->setOpacity(n.state.opacity);

    const Vec offset = shapeOffset(player, e);
    const MMotionNodeMatrix& m = n.matrix;
    const float ox = offset.x - s.ox, oy = offset.y - s.oy;
    Vec p{m.a * ox + m.b * oy, m.c * ox + m.d * oy, offset.z};
    if (p.z != 0.0f) p.z *= std::sqrt(std::fabs(m.a * m.d - m.b * m.c));
    float a = 0.0f, cosE = 1.0f, sinE = 0.0f, speed = 0.0f;
    aim(player, e, n, *q, p, a, cosE, sinE, speed);

    auto& drift = q->timelineState().drift;
    const MMotionNodeState& st = n.state;
    if (n.coordinate == 0) {
        moveRoot(*q, st.x + p.x, st.y + p.y, st.z + p.z);
        drift = {std::cos(a) * speed * cosE, std::sin(a) * speed * cosE, sinE * speed};
    } else if (n.coordinate == 1) {
        moveRoot(*q, st.x + p.x, st.y + p.z, st.z + p.y);
        drift = {std::cos(a) * speed * cosE, sinE * speed, std::sin(a) * speed * cosE};
    }
    MMotionNodeState& local = q->nodes()[0].local;
    if (local.flipX != st.flipX || local.flipY != st.flipY) local.changed = true;
    local.flipX = st.flipX;
    local.flipY = st.flipY;

    float spin = player.randomRange(v.amin, v.amax);
    if (st.flipX != st.flipY) spin = -spin;
    const float angle = e.inheritAngle ? (a + (st.flipX ? kMotionPi : 0.0f)) * 360.0f / (2.0f * kMotionPi) + spin : spin;
    q->setAngle(wrapDegrees(angle));

    const float zoom = player.randomRange(v.zmin, v.zmax);
    const MMotionNodeState& root = player.nodes()[0].state;
    q->nodes()[0].local.zoomX = root.zoomX * zoom;
    q->nodes()[0].local.zoomY = root.zoomY * zoom;
    q->nodes()[0].local.changed = true;
    if (e.flyDirection != 2 && e.applyZoomToVelocity == 1) {
        for (float& d : drift) d *= zoom;
    } else if (e.flyDirection != 2 && e.applyZoomToVelocity == 2) {
        for (float& d : drift) d = zoom != 0.0f ? d / zoom : 0.0f;
    }
    if (e.inheritVelocity == 1 && player.step() != 0.0f) {
        for (size_t i = 0; i < 3; ++i) drift[i] += n.motion[i] / player.step();
    }
    // A damping ratio below 0 has no power to take; 0 stops the drift.
    q->timelineState().driftDamping = std::max(e.accelRatio, 0.0f);
    live.push_back(std::move(q));
    if (live.size() > size_t(std::max(e.maxNum, 0))) live.erase(live.begin());
}

bool overlaps(const float* box, const std::array<float, 4>& r) {
    return box[0] < r[2] && box[2] > r[0] && box[1] < r[3] && box[3] > r[1];
}

// A particle off the screen goes only once it has been on it.
bool leftScreen(const MMotionParticleEmitter& e, MMotionPlayer& q) {
    const float* b = q.bounds();
    const MMotionNodeState& l = q.nodes()[0].local;
    const float box[4] = {b[0] + l.x, b[1] + l.y, b[2] + l.x, b[3] + l.y};
    bool& entered = q.timelineState().enteredScreen;
    if (!entered) entered = overlaps(box, e.screen);
    return entered && !overlaps(box, e.deletion);
}

void upkeep(MMotionPlayer& player, MMotionLayerNode& n, MMotionParticleEmitter& e,
            std::vector<std::unique_ptr<MMotionPlayer>>& live) {
    for (size_t i = 0; i < live.size();) {
        MMotionPlayer& q = *live[i];
        if (!q.playing() || (e.deleteOutsideScreen && leftScreen(e, q))) {
            live.erase(live.begin() + std::ptrdiff_t(i));
            continue;
        }
        carryOuterLinks(player, n, q);
        q.advance(player.step());
        player.takeEventsOf(q);
        ++i;
    }
}

bool mayNest(MMotionPlayer& player, bool& traced, const MMotionLayerNode& n) {
    if (MMotionParticles::mayAddPlayer(player)) return true;
    if (!traced) {
        M_DEBUG_TRACE("motion: layer \"%s\" of \"%s\" is nested too deeply or under too many players; it plays nothing", n.label.c_str(),
                      player.motionName().c_str());
        traced = true;
    }
    return false;
}

void updateEmitter(MMotionPlayer& player, MMotionLayerNode& n) {
    auto* e = std::get_if<MMotionParticleEmitter>(&n.record);
    if (e == nullptr) return;
    auto& live = n.particlePlayers;
    if (e->inheritVelocity == 2) carry(*e, n, live);
    if (e->inheritOpacity == 2) {
        for (auto& q : live) q->setOpacity(n.state.opacity);
    }
    if (!n.state.visible) {
        e->active = false;
    } else {
        const int32_t count = emissionCount(player, *e, n);
        for (int32_t i = 0; i < count && e->motionList.getCount() > 0; ++i) {
            if (!mayNest(player, e->tooDeepTraced, n)) break;
            emitOne(player, *e, n, live);
        }
    }
    upkeep(player, n, *e, live);
}

}  // namespace

bool MMotionParticles::mayAddPlayer(MMotionPlayer& player) {
    return player.nestingDepth() < kMaxNesting && player.root().descendantCount() < kMaxPlayers;
}

void MMotionParticles::update(MMotionPlayer& player) {
    for (int32_t index : player.timelineState().byType[size_t(MMotionLayerNode::kParticleEmitter)]) {
        updateEmitter(player, player.nodes()[size_t(index)]);
    }
}

void MMotionParticles::tweenEmission(MMotionParticleEmitter& emitter, const MMotionParticleSettings& from,
                                     const MMotionParticleSettings& to, float f) {
    const auto mix = [f](float a, float b) { return a * (1.0f - f) + b * f; };
    MMotionEmission& v = emitter.emission;
    v.fmin = mix(from.fmin, to.fmin), v.fmax = mix(from.fmax, to.fmax);
    v.vmin = mix(from.vmin, to.vmin), v.vmax = mix(from.vmax, to.vmax);
    v.amin = mix(from.amin, to.amin), v.amax = mix(from.amax, to.amax);
    v.zmin = mix(from.zmin, to.zmin), v.zmax = mix(from.zmax, to.zmax);
    v.range = mix(from.range, to.range);
}

float MMotionParticles::homingSpeed(float d, float lastTime, float ratio) {
    const float seconds = lastTime / 60.0f;
    if (!(seconds > 0.0f) || !(ratio > 0.0f)) return 0.0f;
    const float speed = ratio == 1.0f ? d / seconds / 60.0f
                                      : std::log(ratio) * d / (std::pow(ratio, seconds) - 1.0f) / 60.0f;
    return std::isfinite(speed) ? speed : 0.0f;
}
