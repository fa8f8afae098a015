// Keyframe tweens: scalars, angles, positions along paths, mesh points; one
// point of a patch; the division split.
#include <gtest/gtest.h>

#include <vector>

#include "engine/motion/curve_cache.h"
#include "engine/motion/interpolation.h"
#include "tests/engine/motion/curve_document.h"

namespace {

using psbwriter::List;
using psbwriter::Object;

struct AngleCase {
    float a;
    float b;
    float t;
    float expected;
};

TEST(LerpAngle, TakesTheShortWayAndWraps) {
    const AngleCase cases[] = {
        {350.0f, 10.0f, 0.5f, 0.0f},    // across 0 upwards
        {10.0f, 350.0f, 0.5f, 0.0f},    // across 0 downwards
        {350.0f, 10.0f, 0.25f, 355.0f},
        {10.0f, 350.0f, 0.75f, 355.0f},
        {350.0f, 10.0f, 0.75f, 5.0f},
        {0.0f, 180.0f, 0.5f, 90.0f},    // exactly half a turn: no wrap
        {180.0f, 0.0f, 0.5f, 90.0f},
        {90.0f, 90.0f, 0.3f, 90.0f},    // equal ends
        {400.0f, 400.0f, 0.5f, 400.0f},  // equal ends are returned unwrapped
        {-30.0f, -30.0f, 0.5f, -30.0f},
        {20.0f, 40.0f, 0.0f, 20.0f},
        {20.0f, 40.0f, 1.0f, 40.0f},
    };
    for (const AngleCase& c : cases)
        EXPECT_FLOAT_EQ(lerpAngle(c.a, c.b, c.t, nullptr), c.expected) << c.a << " to " << c.b << " at " << c.t;
}

TEST(LerpScalar, EqualEndsAndTheBlend) {
    EXPECT_EQ(lerpScalar(3.0f, 3.0f, 0.7f, nullptr), 3.0f);
    EXPECT_FLOAT_EQ(lerpScalar(2.0f, 6.0f, 0.25f, nullptr), 3.0f);
    EXPECT_EQ(lerpScalar(2.0f, 6.0f, 0.0f, nullptr), 2.0f);
}

TEST(LerpScalar, EasedByACurve) {
    // A straight piece from (0, 0) to (1, 0.5): e = t / 2.
    CurveDocument doc(Object{{"easing", List{List{splineSegment({0.0f, 1.0f}, {0.0f, 0.5f}, {0.0f, 0.0f})}}},
                             {"key", 0}});
    MMotionCurveCache cache;
    MMotionEasingRef ref = makeEasingRef(doc.root()["key"], &cache);
    EXPECT_FLOAT_EQ(lerpScalar(0.0f, 8.0f, 0.5f, &ref), 2.0f);
    EXPECT_FLOAT_EQ(lerpAngle(0.0f, 80.0f, 0.5f, &ref), 20.0f);
    releaseEasingRef(ref);
}

// An arch from (0, 0) through control points (1/3, 1), (2/3, 1) to (1, 0),
// re-timed straight: at 0.5 the path's point is (0.5, 0.75).
CurveDocument archDocument() {
    return CurveDocument(Object{{"x", floatList({0.0f, 1.0f / 3.0f, 2.0f / 3.0f, 1.0f})},
                                {"y", floatList({0.0f, 1.0f, 1.0f, 0.0f})},
                                {"t", floatList({0.0f, 1.0f})},
                                {"s", List{identitySpline()}}});
}

TEST(LerpPosition, StraightAndEqualEnds) {
    const MVector3 a{10.0f, 20.0f, 5.0f};
    const MVector3 b{30.0f, 20.0f, 9.0f};
    MVector3 out;
    lerpPosition(0, a, b, 0.5f, nullptr, nullptr, out);
    EXPECT_FLOAT_EQ(out.x, 20.0f);
    EXPECT_FLOAT_EQ(out.y, 20.0f);
    EXPECT_FLOAT_EQ(out.z, 7.0f);
    MMotionPathRef straight;
    lerpPosition(1, a, a, 0.5f, &straight, nullptr, out);
    EXPECT_EQ(out.x, 10.0f);
    EXPECT_EQ(out.z, 5.0f);
}

TEST(LerpPosition, AlongAPathInEitherPlane) {
    CurveDocument doc = archDocument();
    MMotionCurveCache cache;
    MMotionPathRef path{MMotionPathCurve::get(doc.root(), &cache)};
    const MVector3 a{10.0f, 20.0f, 5.0f};
    const MVector3 b{30.0f, 20.0f, 9.0f};  // d = (20, 0, 4)
    MVector3 out;
    lerpPosition(0, a, b, 0.5f, &path, nullptr, out);
    EXPECT_FLOAT_EQ(out.x, 20.0f);  // 10 + 20 u - 0 v
    EXPECT_FLOAT_EQ(out.y, 35.0f);  // 20 + 0 u + 20 v
    EXPECT_FLOAT_EQ(out.z, 7.0f);
    lerpPosition(1, a, b, 0.5f, &path, nullptr, out);
    EXPECT_FLOAT_EQ(out.x, 17.0f);  // 10 + 20 u - 4 v
    EXPECT_FLOAT_EQ(out.y, 20.0f);
    EXPECT_FLOAT_EQ(out.z, 22.0f);  // 5 + 4 u + 20 v
    // Other planes leave the output as it was.
    const MVector3 before{1.0f, 2.0f, 3.0f};
    out = before;
    lerpPosition(2, a, b, 0.5f, &path, nullptr, out);
    EXPECT_EQ(out.x, before.x);
    EXPECT_EQ(out.y, before.y);
    EXPECT_EQ(out.z, before.z);
    MMotionPathCurve::release(path.path, &cache);
}

std::vector<float> neutralGrid() {
    std::vector<float> grid(32);
    for (int i = 0; i < 16; ++i) {
        grid[2 * i] = float(i % 4) / 3.0f;
        grid[2 * i + 1] = float(i / 4) / 3.0f;
    }
    return grid;
}

TEST(LerpMeshPoints, SixteenPointsTweenOthersCopy) {
    const std::vector<float> a = neutralGrid();
    std::vector<float> b = a;
    for (float& v : b) v += 2.0f;
    std::vector<float> out;
    lerpMeshPoints(out, a, b, 0.5f, nullptr);
    ASSERT_EQ(out.size(), 32u);
    for (size_t k = 0; k < 32; ++k) EXPECT_FLOAT_EQ(out[k], a[k] + 1.0f) << k;
    lerpMeshPoints(out, a, {}, 0.5f, nullptr);
    EXPECT_EQ(out, a);
    lerpMeshPoints(out, {1.0f, 2.0f}, {3.0f, 4.0f}, 0.5f, nullptr);
    EXPECT_EQ(out, (std::vector<float>{1.0f, 2.0f}));
}

TEST(MeshPointAt, CornersAndTheNeutralGrid) {
    std::vector<float> controls(32);
    for (size_t k = 0; k < 32; ++k) controls[k] = float(k * 7 % 11) - 3.5f;
    const struct {
        float u, v;
        int corner;
    } corners[] = {{0, 0, 0}, {1, 0, 3}, {0, 1, 12}, {1, 1, 15}};
    for (const auto& c : corners) {
        const MMotionPoint p = meshPointAt(c.u, c.v, controls.data());
        EXPECT_EQ(p.x, controls[2 * c.corner]) << c.corner;
        EXPECT_EQ(p.y, controls[2 * c.corner + 1]) << c.corner;
    }
    const std::vector<float> neutral = neutralGrid();
    for (float u : {0.0f, 0.2f, 0.5f, 0.9f, 1.0f}) {
        for (float v : {0.0f, 0.3f, 0.75f, 1.0f}) {
            const MMotionPoint p = meshPointAt(u, v, neutral.data());
            EXPECT_NEAR(p.x, u, 1e-6f);
            EXPECT_NEAR(p.y, v, 1e-6f);
        }
    }
}

struct SplitCase {
    int32_t n, w1, w2;
    int32_t first, second;
};

TEST(SplitDivision, SharesByWeight) {
    const SplitCase cases[] = {
        {4, 1, 1, 3, 3},
        {4, 0, 1, 2, 5},
        {4, 1, 0, 5, 2},
        {8, 64, 32, 6, 4},  // a 64 x 32 picture divided 8 times
        {1, 1, 1, 2, 2},
        {0, 5, 5, 2, 2},
        {4, 0, 0, 2, 2},  // no weight at all: one cell each way, not a division by zero
        {0, 0, 0, 2, 2},
    };
    for (const SplitCase& c : cases) {
        const auto [first, second] = splitDivision(c.n, c.w1, c.w2);
        EXPECT_EQ(first, c.first) << c.n << " " << c.w1 << " " << c.w2;
        EXPECT_EQ(second, c.second) << c.n << " " << c.w1 << " " << c.w2;
    }
}

}  // namespace
