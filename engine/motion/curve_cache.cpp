#include "engine/motion/curve_cache.h"

MMotionCurveCache::MMotionCurveCache() = default;
MMotionCurveCache::~MMotionCurveCache() = default;

MMotionCurveCache& processCurveCache() {
    static MMotionCurveCache cache;
    return cache;
}
