#include "engine/motion/easing_curve.h"

#include "engine/data/psb_object.h"
#include "engine/motion/curve_cache.h"

MMotionEasingCurve::MMotionEasingCurve(MMotionCurveKey curveKey, const PSBValue& entry) : key(curveKey) {
    const uint32_t count = entry.getCount();
    for (uint32_t i = 0; i < count; ++i) {
        MMotionSplineSegment points = readSplineSegment(entry.at(i));
        if (points.size() >= 2) segments.push_back(std::move(points));
    }
}

MMotionEasingCurve* MMotionEasingCurve::get(const PSBValue& entry, MMotionCurveCache* cache) {
    auto& curves = curveCacheOrProcess(cache).easing;
    const MMotionCurveKey key = MMotionCurveKey::of(entry);
    auto found = curves.find(key);
    if (found != curves.end()) {
        ++found->second->references;
        return found->second.get();
    }
    auto curve = std::make_unique<MMotionEasingCurve>(key, entry);
    MMotionEasingCurve* shared = curve.get();
    curves.emplace(key, std::move(curve));
    return shared;
}

void MMotionEasingCurve::release(MMotionEasingCurve* curve, MMotionCurveCache* cache) {
    if (!curve) return;
    auto& curves = curveCacheOrProcess(cache).easing;
    auto found = curves.find(curve->key);
    if (found == curves.end() || found->second.get() != curve) return;
    if (--curve->references <= 0) curves.erase(found);
}

float MMotionEasingCurve::evaluate(const MMotionEasingCurve* curve, float x, uint32_t& segment, uint32_t& point) {
    const auto& segments = curve->segments;
    if (segments.empty()) return x;
    const uint32_t last = uint32_t(segments.size()) - 1;
    if (segment > last) segment = last;
    while (segment < last && x > segments[segment].back().x) {
        ++segment;
        point = 0;
    }
    while (segment > 0 && segments[segment].front().x > x) {
        --segment;
        point = uint32_t(segments[segment].size()) - 2;
    }
    return evaluateSplineSegment(segments[segment], x, point);
}

MMotionEasingRef makeEasingRef(const PSBValue& value, MMotionCurveCache* cache) {
    MMotionEasingRef ref;
    ref.cache = cache;
    if (value.getType() == kPSBNull) return ref;
    const int32_t index = value.toInt();
    const PSBValue list = value.document()->root().get("easing");
    if (index < 0 || uint32_t(index) >= list.getCount()) return ref;
    ref.curve = MMotionEasingCurve::get(list.at(uint32_t(index)), cache);
    return ref;
}

void releaseEasingRef(MMotionEasingRef& ref) {
    MMotionEasingCurve::release(ref.curve, ref.cache);
    ref.curve = nullptr;
    ref.segment = 0;
    ref.point = 0;
}
