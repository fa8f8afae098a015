#pragma once
// Paths: a keyframe's "cp" object bends the straight line between two
// positions into a chain of cubic Bezier segments, each re-timed by a spline.
// Paths are shared by every keyframe built from the same value and freed with
// the last reference. `MMotionPathRef` is what a keyframe holds: the path
// (null for a straight line) and its search cursors.
//
// Threads: no locking; as for easing curves (curve_cache.h).

#include <cstdint>
#include <vector>

#include "engine/data/psb_value.h"
#include "engine/motion/curve_key.h"
#include "engine/motion/motion_point.h"
#include "engine/motion/spline_segment.h"

class MMotionCurveCache;

class MMotionPathCurve {
public:
    // Null for a null value; else the shared path built from the "cp" object
    // ("x", "y", "t", "s", all required), as for easing curves.
    static MMotionPathCurve* get(const PSBValue& cp, MMotionCurveCache* cache);
    static void release(MMotionPathCurve* path, MMotionCurveCache* cache);
    // The point at time t, in the path's own frame (the straight line runs
    // from (0, 0) to (1, 0)). A t before the first or after the last segment
    // is taken by that segment, whose re-timing holds the end point. A path
    // without segments is the straight line itself.
    static MMotionPoint evaluate(const MMotionPathCurve* path, float t, uint32_t& segment, uint32_t& retiming);

    MMotionPathCurve(MMotionCurveKey key, const PSBValue& cp);

    MMotionCurveKey key;
    int32_t references = 1;
    // Segment k runs through control points 3k to 3k + 3 between times
    // times[k] and times[k + 1], re-timed by retimings[k]. Lists that disagree
    // in length give as many segments as all of them can hold.
    std::vector<MMotionPoint> controls;
    std::vector<float> times;
    std::vector<MMotionSplineSegment> retimings;

    uint32_t segmentCount() const { return uint32_t(retimings.size()); }
};

struct MMotionPathRef {
    MMotionPathCurve* path = nullptr;  // null: straight line
    uint32_t segment = 0;
    uint32_t retiming = 0;
};
