#include "engine/motion/motion_path.h"

#include <algorithm>

#include "engine/motion/bezier_weights.h"
#include "engine/motion/curve_cache.h"

MMotionPathCurve::MMotionPathCurve(MMotionCurveKey curveKey, const PSBValue& cp) : key(curveKey) {
    const PSBValue xs = cp.get("x");
    const PSBValue ys = cp.get("y");
    const PSBValue ts = cp.get("t");
    const PSBValue ss = cp.get("s");
    const uint32_t pointCount = std::min(xs.getCount(), ys.getCount());
    uint32_t segments = std::min(ss.getCount(), pointCount > 0 ? (pointCount - 1) / 3 : 0);
    segments = std::min(segments, ts.getCount() > 0 ? ts.getCount() - 1 : 0);
    controls.resize(segments > 0 ? 3 * segments + 1 : 0);
    for (uint32_t i = 0; i < controls.size(); ++i) controls[i] = {xs.at(i).toFloat(), ys.at(i).toFloat()};
    times.resize(segments > 0 ? segments + 1 : 0);
    for (uint32_t i = 0; i < times.size(); ++i) times[i] = ts.at(i).toFloat();
    retimings.reserve(segments);
    for (uint32_t i = 0; i < segments; ++i) retimings.push_back(readSplineSegment(ss.at(i)));
}

MMotionPathCurve* MMotionPathCurve::get(const PSBValue& cp, MMotionCurveCache* cache) {
    if (cp.getType() == kPSBNull) return nullptr;
    auto& paths = curveCacheOrProcess(cache).paths;
    const MMotionCurveKey key = MMotionCurveKey::of(cp);
    auto found = paths.find(key);
    if (found != paths.end()) {
        ++found->second->references;
        return found->second.get();
    }
    auto path = std::make_unique<MMotionPathCurve>(key, cp);
    MMotionPathCurve* shared = path.get();
    paths.emplace(key, std::move(path));
    return shared;
}

void MMotionPathCurve::release(MMotionPathCurve* path, MMotionCurveCache* cache) {
    if (!path) return;
    auto& paths = curveCacheOrProcess(cache).paths;
    auto found = paths.find(path->key);
    if (found == paths.end() || found->second.get() != path) return;
    if (--path->references <= 0) paths.erase(found);
}

namespace {

// The re-timed fraction: held at the spline's first and last point outside
// its range.
float retime(const MMotionSplineSegment& spline, float u, uint32_t& cursor) {
    if (spline.empty()) return u;
    if (u <= spline.front().x) return spline.front().y;
    if (u > spline.back().x) return spline.back().y;
    return evaluateSplineSegment(spline, u, cursor);
}

}  // namespace

MMotionPoint MMotionPathCurve::evaluate(const MMotionPathCurve* path, float t, uint32_t& segment, uint32_t& retiming) {
    const uint32_t count = path->segmentCount();
    if (count == 0) return {t, 0.0f};
    const std::vector<float>& times = path->times;
    const uint32_t last = count - 1;
    if (segment > last) segment = last;
    while (segment < last && t > times[segment + 1]) {
        ++segment;
        retiming = 0;
    }
    while (segment > 0 && times[segment] > t) {
        --segment;
        retiming = uint32_t(path->retimings[segment].size()) - 2;
    }
    const float u = (t - times[segment]) / (times[segment + 1] - times[segment]);
    const float v = retime(path->retimings[segment], u, retiming);
    float w[4];
    bernsteinWeights(v, w);
    const MMotionPoint* p = &path->controls[3 * segment];
    return {((w[0] * p[0].x + w[1] * p[1].x) + w[2] * p[2].x) + w[3] * p[3].x,
            ((w[0] * p[0].y + w[1] * p[1].y) + w[2] * p[2].y) + w[3] * p[3].y};
}
