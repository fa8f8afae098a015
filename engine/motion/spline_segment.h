#pragma once
// One piece of a cubic spline as motion files store it: points in ascending
// x, each with the spline's second derivative at that point (written by the
// exporter; never solved for here). Easing curves are lists of such pieces
// and each segment of a path is re-timed by one.
//
// Threads: pure functions over data the caller owns.

#include <cstdint>
#include <vector>

#include "engine/data/psb_value.h"

struct MMotionCurvePoint {
    float x = 0.0f;
    float y = 0.0f;
    float p = 0.0f;  // second derivative
};

using MMotionSplineSegment = std::vector<MMotionCurvePoint>;

// Reads an object with the float lists "x", "y" and "p" (all required). Lists
// of unequal length give as many points as the shortest holds.
MMotionSplineSegment readSplineSegment(const PSBValue& segment);

// The spline's value at x. `cursor` is the interval searched from and left
// at the one used, so that a steadily moving x costs a step or two. An x
// outside the points' range uses the first or the last interval, whose
// cubic continues there. Needs at least two points.
float evaluateSplineSegment(const MMotionSplineSegment& points, float x, uint32_t& cursor);
