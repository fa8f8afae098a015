#include "engine/motion/bezier_weights.h"

#include "engine/motion/curve_cache.h"

MMotionBezierWeights::MMotionBezierWeights(uint32_t count) : n(count), rows(4 * (size_t(count) + 1)) {
    // A table for 0 subdivisions is its one row at t = 0, not 0 / 0.
    for (uint32_t k = 0; k <= n; ++k) bernsteinWeights(n > 0 ? float(k) / float(n) : 0.0f, &rows[4 * size_t(k)]);
}

MMotionBezierWeights* MMotionBezierWeights::get(uint32_t n, MMotionCurveCache* cache) {
    auto& tables = curveCacheOrProcess(cache).weights;
    auto found = tables.find(n);
    if (found != tables.end()) {
        ++found->second->references;
        return found->second.get();
    }
    auto table = std::make_unique<MMotionBezierWeights>(n);
    MMotionBezierWeights* shared = table.get();
    tables.emplace(n, std::move(table));
    return shared;
}

void MMotionBezierWeights::release(MMotionBezierWeights* weights, MMotionCurveCache* cache) {
    if (!weights) return;
    auto& tables = curveCacheOrProcess(cache).weights;
    auto found = tables.find(weights->n);
    if (found == tables.end() || found->second.get() != weights) return;
    if (--weights->references <= 0) tables.erase(found);
}
