// Easing curves, paths and Bezier weight tables: built from documents our
// writer makes, evaluated, shared by reference count.
#include <gtest/gtest.h>

#include <cmath>

#include "engine/motion/bezier_weights.h"
#include "engine/motion/curve_cache.h"
#include "engine/motion/easing_curve.h"
#include "engine/motion/motion_path.h"
#include "tests/engine/motion/curve_document.h"

namespace {

using psbwriter::List;
using psbwriter::Object;

// Entry 0: two straight pieces, [0, 0.5] to [0, 0.25] and [0.5, 1] to
// [0.25, 1]. Entry 1: one piece bent by a second derivative of 6 at x = 1.
// Entry 2: pieces too short to use. "keys" holds easing values as keyframes
// name them.
CurveDocument easingDocument() {
    List easing{
        List{splineSegment({0.0f, 0.5f}, {0.0f, 0.25f}, {0.0f, 0.0f}),
             splineSegment({0.5f, 1.0f}, {0.25f, 1.0f}, {0.0f, 0.0f})},
        List{splineSegment({0.0f, 1.0f}, {0.0f, 1.0f}, {0.0f, 6.0f})},
        List{splineSegment({0.5f}, {0.5f}, {0.0f}), splineSegment({}, {}, {})},
    };
    return CurveDocument(Object{{"easing", easing}, {"keys", List{0, 0, 1, 7, -1, psbwriter::Value()}}});
}

float evaluate(MMotionEasingRef& ref, float x) { return easeFraction(x, &ref); }

TEST(EasingCurve, EvaluatesTheSplineAcrossPieces) {
    CurveDocument doc = easingDocument();
    MMotionCurveCache cache;
    MMotionEasingRef ref = makeEasingRef(doc.root()["keys"].at(0), &cache);
    ASSERT_NE(ref.curve, nullptr);
    EXPECT_FLOAT_EQ(evaluate(ref, 0.25f), 0.125f);
    EXPECT_FLOAT_EQ(evaluate(ref, 0.75f), 0.625f);
    EXPECT_EQ(ref.segment, 1u);
    // Back into the first piece: the cursors follow.
    EXPECT_FLOAT_EQ(evaluate(ref, 0.1f), 0.05f);
    EXPECT_EQ(ref.segment, 0u);
    EXPECT_FLOAT_EQ(evaluate(ref, 1.0f), 1.0f);

    MMotionEasingRef bent = makeEasingRef(doc.root()["keys"].at(2), &cache);
    // a = b = 0.5: 0.5 + (0.125 - 0.5) * 6 / 6.
    EXPECT_FLOAT_EQ(evaluate(bent, 0.5f), 0.125f);
    releaseEasingRef(ref);
    releaseEasingRef(bent);
}

// Fractions outside the covered range stay on the first or last piece, never
// past the ends of the lists: the end pieces continue.
TEST(EasingCurve, FractionsOutsideTheRangeUseTheEndPieces) {
    CurveDocument doc = easingDocument();
    MMotionCurveCache cache;
    MMotionEasingRef ref = makeEasingRef(doc.root()["keys"].at(0), &cache);
    EXPECT_FLOAT_EQ(evaluate(ref, 1.5f), 1.75f);
    EXPECT_EQ(ref.segment, 1u);
    EXPECT_EQ(ref.point, 0u);
    EXPECT_FLOAT_EQ(evaluate(ref, -0.5f), -0.25f);
    EXPECT_EQ(ref.segment, 0u);
    EXPECT_EQ(ref.point, 0u);
    EXPECT_FLOAT_EQ(evaluate(ref, 100.0f), 149.5f);
    // A cursor left beyond the curve (by whoever) is brought back.
    ref.segment = 9;
    ref.point = 40;
    EXPECT_FLOAT_EQ(evaluate(ref, 0.75f), 0.625f);
    releaseEasingRef(ref);
}

TEST(EasingCurve, ValuesWithoutAUsableCurveAreLinear) {
    CurveDocument doc = easingDocument();
    MMotionCurveCache cache;
    const PSBValue keys = doc.root()["keys"];
    for (uint32_t i : {3u, 4u, 5u}) {
        MMotionEasingRef ref = makeEasingRef(keys.at(i), &cache);
        EXPECT_EQ(ref.curve, nullptr) << i;
        EXPECT_EQ(easeFraction(0.3f, &ref), 0.3f);
    }
    EXPECT_EQ(easeFraction(0.3f, nullptr), 0.3f);
    EXPECT_TRUE(cache.easing.empty());
    // Entry 2 has pieces, none long enough to describe anything.
    MMotionEasingCurve* empty = MMotionEasingCurve::get(doc.root()["easing"].at(2), &cache);
    EXPECT_TRUE(empty->segments.empty());
    uint32_t segment = 0, point = 0;
    EXPECT_EQ(MMotionEasingCurve::evaluate(empty, 0.7f, segment, point), 0.7f);
    MMotionEasingCurve::release(empty, &cache);
}

TEST(EasingCurve, KeyframesNamingOneEntryShareOneCurve) {
    CurveDocument doc = easingDocument();
    MMotionCurveCache cache;
    const PSBValue keys = doc.root()["keys"];
    MMotionEasingRef first = makeEasingRef(keys.at(0), &cache);
    MMotionEasingRef second = makeEasingRef(keys.at(1), &cache);
    MMotionEasingRef other = makeEasingRef(keys.at(2), &cache);
    ASSERT_EQ(first.curve, second.curve);
    EXPECT_NE(first.curve, other.curve);
    EXPECT_EQ(first.curve->references, 2);
    EXPECT_EQ(cache.easing.size(), 2u);

    releaseEasingRef(first);
    EXPECT_EQ(first.curve, nullptr);
    ASSERT_EQ(cache.easing.size(), 2u);
    EXPECT_EQ(second.curve->references, 1);
    EXPECT_FLOAT_EQ(evaluate(second, 0.75f), 0.625f);

    releaseEasingRef(second);
    releaseEasingRef(other);
    EXPECT_TRUE(cache.easing.empty());
    MMotionEasingCurve::release(nullptr, &cache);
}

TEST(EasingCurve, ANullCacheMeansTheProcessWideOne) {
    CurveDocument doc = easingDocument();
    const size_t before = processCurveCache().easing.size();
    MMotionEasingRef ref = makeEasingRef(doc.root()["keys"].at(0), nullptr);
    ASSERT_NE(ref.curve, nullptr);
    EXPECT_EQ(processCurveCache().easing.size(), before + 1);
    // The same curve through a private cache is a separate object.
    MMotionCurveCache own;
    MMotionEasingRef mine = makeEasingRef(doc.root()["keys"].at(0), &own);
    EXPECT_NE(mine.curve, ref.curve);
    releaseEasingRef(ref);
    releaseEasingRef(mine);
    EXPECT_EQ(processCurveCache().easing.size(), before);
}

TEST(EasingCurve, MissingKeysAreFatal) {
    ThrowingPSBFatal fatal;
    MMotionCurveCache cache;
    CurveDocument noP(Object{{"easing", List{List{Object{{"x", floatList({0, 1})}, {"y", floatList({0, 1})}}}}},
                             {"key", 0}});
    EXPECT_THROW(
        {
            try {
                makeEasingRef(noP.root()["key"], &cache);
            } catch (const PSBFatalError& e) {
                EXPECT_STREQ(e.what(), "psb: undefined object key 'p' is referenced.");
                throw;
            }
        },
        PSBFatalError);
    CurveDocument noEasing(Object{{"key", 0}});
    EXPECT_THROW(makeEasingRef(noEasing.root()["key"], &cache), PSBFatalError);
}

// Lists of unequal length give as many points as the shortest.
TEST(EasingCurve, UnequalListsUseTheShortest) {
    CurveDocument doc(List{splineSegment({0.0f, 1.0f, 2.0f}, {0.0f, 2.0f}, {0.0f, 0.0f, 0.0f, 0.0f})});
    MMotionCurveCache cache;
    MMotionEasingCurve* curve = MMotionEasingCurve::get(doc.root(), &cache);
    ASSERT_EQ(curve->segments.size(), 1u);
    EXPECT_EQ(curve->segments[0].size(), 2u);
    MMotionEasingCurve::release(curve, &cache);
}

// Two segments over times 0, 0.5, 1: the first an arch from (0, 0) to (1, 0)
// re-timed straight, the second straight from (1, 0) to (4, 0), re-timed
// over [0.25, 0.75] only.
CurveDocument pathDocument() {
    Object cp{
        {"x", floatList({0.0f, 1.0f / 3.0f, 2.0f / 3.0f, 1.0f, 2.0f, 3.0f, 4.0f})},
        {"y", floatList({0.0f, 1.0f, 1.0f, 0.0f, 0.0f, 0.0f, 0.0f})},
        {"t", floatList({0.0f, 0.5f, 1.0f})},
        {"s", List{identitySpline(), splineSegment({0.25f, 0.75f}, {0.0f, 1.0f}, {0.0f, 0.0f})}},
    };
    return CurveDocument(Object{{"cp", cp}, {"none", psbwriter::Value()}});
}

TEST(PathCurve, FollowsItsSegmentsAndRetiming) {
    CurveDocument doc = pathDocument();
    MMotionCurveCache cache;
    MMotionPathRef ref{MMotionPathCurve::get(doc.root()["cp"], &cache)};
    ASSERT_NE(ref.path, nullptr);
    ASSERT_EQ(ref.path->segmentCount(), 2u);

    const MMotionPoint top = MMotionPathCurve::evaluate(ref.path, 0.25f, ref.segment, ref.retiming);
    EXPECT_FLOAT_EQ(top.x, 0.5f);
    EXPECT_FLOAT_EQ(top.y, 0.75f);
    // u = 0.5 in the second segment, re-timed to 0.5.
    const MMotionPoint straight = MMotionPathCurve::evaluate(ref.path, 0.75f, ref.segment, ref.retiming);
    EXPECT_EQ(ref.segment, 1u);
    EXPECT_FLOAT_EQ(straight.x, 2.5f);
    EXPECT_FLOAT_EQ(straight.y, 0.0f);
    // Before the re-timing's range it holds the first point: the segment's start.
    const MMotionPoint held = MMotionPathCurve::evaluate(ref.path, 0.55f, ref.segment, ref.retiming);
    EXPECT_FLOAT_EQ(held.x, 1.0f);
    const MMotionPoint back = MMotionPathCurve::evaluate(ref.path, 0.0f, ref.segment, ref.retiming);
    EXPECT_EQ(ref.segment, 0u);
    EXPECT_EQ(back.x, 0.0f);
    EXPECT_EQ(back.y, 0.0f);
    MMotionPathCurve::release(ref.path, &cache);
    EXPECT_TRUE(cache.paths.empty());
}

// Times outside the covered range stay on the first or last segment, never
// past the ends of the lists, and its re-timing holds the end points.
TEST(PathCurve, TimesOutsideTheRangeHoldTheEnds) {
    CurveDocument doc = pathDocument();
    MMotionCurveCache cache;
    MMotionPathRef ref{MMotionPathCurve::get(doc.root()["cp"], &cache)};
    const MMotionPoint after = MMotionPathCurve::evaluate(ref.path, 3.0f, ref.segment, ref.retiming);
    EXPECT_EQ(ref.segment, 1u);
    EXPECT_FLOAT_EQ(after.x, 4.0f);
    EXPECT_FLOAT_EQ(after.y, 0.0f);
    const MMotionPoint before = MMotionPathCurve::evaluate(ref.path, -2.0f, ref.segment, ref.retiming);
    EXPECT_EQ(ref.segment, 0u);
    EXPECT_FLOAT_EQ(before.x, 0.0f);
    EXPECT_FLOAT_EQ(before.y, 0.0f);
    MMotionPathCurve::release(ref.path, &cache);
}

TEST(PathCurve, NullValuesAndSharing) {
    CurveDocument doc = pathDocument();
    MMotionCurveCache cache;
    EXPECT_EQ(MMotionPathCurve::get(doc.root()["none"], &cache), nullptr);
    EXPECT_EQ(MMotionPathCurve::get(PSBValue(), &cache), nullptr);
    MMotionPathCurve* first = MMotionPathCurve::get(doc.root()["cp"], &cache);
    MMotionPathCurve* second = MMotionPathCurve::get(doc.root()["cp"], &cache);
    EXPECT_EQ(first, second);
    EXPECT_EQ(first->references, 2);
    MMotionPathCurve::release(first, &cache);
    ASSERT_EQ(cache.paths.size(), 1u);
    MMotionPathCurve::release(second, &cache);
    EXPECT_TRUE(cache.paths.empty());
}

// Lists that can't agree on a segment give the straight line.
TEST(PathCurve, APathWithoutSegmentsIsTheStraightLine) {
    CurveDocument doc(Object{{"x", floatList({0.0f, 1.0f})},
                             {"y", floatList({0.0f, 1.0f})},
                             {"t", floatList({0.0f, 1.0f})},
                             {"s", List{identitySpline()}}});
    MMotionCurveCache cache;
    MMotionPathCurve* path = MMotionPathCurve::get(doc.root(), &cache);
    EXPECT_EQ(path->segmentCount(), 0u);
    uint32_t segment = 0, retiming = 0;
    const MMotionPoint p = MMotionPathCurve::evaluate(path, 0.4f, segment, retiming);
    EXPECT_EQ(p.x, 0.4f);
    EXPECT_EQ(p.y, 0.0f);
    MMotionPathCurve::release(path, &cache);
}

TEST(BezierWeights, RowsHoldTheBernsteinWeightsAndAreShared) {
    MMotionCurveCache cache;
    MMotionBezierWeights* three = MMotionBezierWeights::get(3, &cache);
    ASSERT_EQ(three->rows.size(), 16u);
    const float* first = three->row(0);
    EXPECT_EQ(first[0], 1.0f);
    EXPECT_EQ(first[1], 0.0f);
    EXPECT_EQ(first[3], 0.0f);
    const float* last = three->row(3);
    EXPECT_EQ(last[0], 0.0f);
    EXPECT_EQ(last[3], 1.0f);
    const float t = 1.0f / 3.0f;
    EXPECT_FLOAT_EQ(three->row(1)[0], (1 - t) * (1 - t) * (1 - t));
    EXPECT_FLOAT_EQ(three->row(1)[1], 3 * t * (1 - t) * (1 - t));
    EXPECT_FLOAT_EQ(three->row(1)[2], 3 * t * t * (1 - t));
    EXPECT_FLOAT_EQ(three->row(1)[3], t * t * t);

    EXPECT_EQ(MMotionBezierWeights::get(3, &cache), three);
    EXPECT_EQ(three->references, 2);
    MMotionBezierWeights* zero = MMotionBezierWeights::get(0, &cache);
    ASSERT_EQ(zero->rows.size(), 4u);
    EXPECT_EQ(zero->row(0)[0], 1.0f);
    EXPECT_EQ(cache.weights.size(), 2u);
    MMotionBezierWeights::release(three, &cache);
    MMotionBezierWeights::release(three, &cache);
    MMotionBezierWeights::release(zero, &cache);
    EXPECT_TRUE(cache.weights.empty());
}

}  // namespace
