#include "engine/motion/spline_segment.h"

#include <algorithm>

MMotionSplineSegment readSplineSegment(const PSBValue& segment) {
    const PSBValue xs = segment.get("x");
    const PSBValue ys = segment.get("y");
    const PSBValue ps = segment.get("p");
    const uint32_t count = std::min({xs.getCount(), ys.getCount(), ps.getCount()});
    MMotionSplineSegment points(count);
    for (uint32_t i = 0; i < count; ++i)
        points[i] = {xs.at(i).toFloat(), ys.at(i).toFloat(), ps.at(i).toFloat()};
    return points;
}

namespace {

// Moves the cursor to the interval [x(cursor), x(cursor + 1)] that holds x,
// never past the first or the last interval.
void seekInterval(const MMotionSplineSegment& points, float x, uint32_t& cursor) {
    const uint32_t last = uint32_t(points.size()) - 2;
    if (cursor > last) cursor = last;
    while (cursor < last && x > points[cursor + 1].x) ++cursor;
    while (cursor > 0 && points[cursor].x > x) --cursor;
}

}  // namespace

float evaluateSplineSegment(const MMotionSplineSegment& points, float x, uint32_t& cursor) {
    seekInterval(points, x, cursor);
    const MMotionCurvePoint& p0 = points[cursor];
    const MMotionCurvePoint& p1 = points[cursor + 1];
    const float h = p1.x - p0.x;
    const float b = (x - p0.x) / h;
    const float a = 1.0f - b;
    const float bend = ((a * a * a - a) * p0.p + (b * b * b - b) * p1.p) * (h * h) / 6.0f;
    return a * p0.y + b * p1.y + bend;
}
