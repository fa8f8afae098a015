#pragma once
// The three caches that share curve objects by reference count: easing curves
// and paths keyed by the PSB value they were built from, Bezier weight tables
// keyed by their subdivision count. One process-wide set serves the players
// updated on the main thread; a player updated on the worker pool owns a set
// of its own, so that no two threads ever touch one cache.
//
// Threads: no locking. A cache belongs to one thread at a time; the
// process-wide set to the main thread.

#include <cstdint>
#include <map>
#include <memory>

#include "engine/motion/bezier_weights.h"
#include "engine/motion/easing_curve.h"
#include "engine/motion/motion_path.h"

class MMotionCurveCache {
public:
    MMotionCurveCache();
    ~MMotionCurveCache();
    MMotionCurveCache(const MMotionCurveCache&) = delete;
    MMotionCurveCache& operator=(const MMotionCurveCache&) = delete;

    // Entries still cached when the set goes are freed with it.
    std::map<MMotionCurveKey, std::unique_ptr<MMotionEasingCurve>> easing;
    std::map<MMotionCurveKey, std::unique_ptr<MMotionPathCurve>> paths;
    std::map<uint32_t, std::unique_ptr<MMotionBezierWeights>> weights;
};

// The process-wide set: made on first use, freed at exit.
MMotionCurveCache& processCurveCache();

// `cache`, or the process-wide set when it is null.
inline MMotionCurveCache& curveCacheOrProcess(MMotionCurveCache* cache) {
    return cache ? *cache : processCurveCache();
}
