#pragma once
// Easing curves: every easing a keyframe names is a curve stored in its
// motion file's root "easing" list (there are no built-in kinds). A curve is
// a list of spline pieces, shared by every keyframe that names the same
// entry and freed with the last reference. `MMotionEasingRef` is what a
// keyframe holds: the curve (null for linear) and the search cursors that
// make the next evaluation at a nearby fraction cheap.
//
// Threads: no locking; a curve and its cache belong to the thread that
// updates the player owning the cache (curve_cache.h).

#include <cstdint>
#include <vector>

#include "engine/data/psb_value.h"
#include "engine/motion/curve_key.h"
#include "engine/motion/spline_segment.h"

class MMotionCurveCache;

class MMotionEasingCurve {
public:
    // The curve built from one "easing" entry (a list of objects with "x",
    // "y", "p" float lists), shared: a cached curve gains a reference, a new
    // one starts with 1. A null cache means the process-wide one.
    static MMotionEasingCurve* get(const PSBValue& entry, MMotionCurveCache* cache);
    // Drops a reference; the last one removes the curve from `cache` (where it
    // must have come from) and frees it. Null is ignored.
    static void release(MMotionEasingCurve* curve, MMotionCurveCache* cache);
    // The curve's value at x, searching from the cursors and leaving them at
    // the piece and interval used. An x outside the covered range is taken by
    // the first or the last piece; a curve without usable pieces is linear.
    static float evaluate(const MMotionEasingCurve* curve, float x, uint32_t& segment, uint32_t& point);

    MMotionEasingCurve(MMotionCurveKey key, const PSBValue& entry);

    MMotionCurveKey key;
    int32_t references = 1;
    // Pieces of fewer than two points describe nothing and are left out.
    std::vector<MMotionSplineSegment> segments;
};

struct MMotionEasingRef {
    MMotionEasingCurve* curve = nullptr;  // null: linear
    uint32_t segment = 0;
    uint32_t point = 0;
    MMotionCurveCache* cache = nullptr;  // where the curve came from (null: process-wide)
};

// A reference for a keyframe's easing value: null gives a linear reference;
// otherwise the value is an index into the root "easing" list of its
// document (then required). An index outside the list is linear too.
MMotionEasingRef makeEasingRef(const PSBValue& value, MMotionCurveCache* cache);
// Gives the curve back and leaves the reference linear.
void releaseEasingRef(MMotionEasingRef& ref);

// The eased fraction: the curve's value at t, or t itself without a curve.
inline float easeFraction(float t, MMotionEasingRef* easing) {
    if (!easing || !easing->curve) return t;
    return MMotionEasingCurve::evaluate(easing->curve, t, easing->segment, easing->point);
}
