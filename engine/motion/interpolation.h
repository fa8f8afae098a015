#pragma once
// How keyframe values are tweened: a and b are the values of the two
// keyframes, t the fraction between them (0 to 1) and the easing reference,
// when it holds a curve, reshapes t into the eased fraction e first. Equal
// ends short-cut every rule before any curve is evaluated. Colours have their
// own file (color_interpolation.h).
//
// Threads: pure functions but for the cursors they move in the references,
// which belong to the caller's keyframe.

#include <cstdint>
#include <utility>
#include <vector>

#include "engine/motion/easing_curve.h"
#include "engine/motion/motion_path.h"
#include "engine/motion/motion_point.h"
#include "engine/render/matrix34.h"

// a (1 - e) + b e; a itself when a == b.
inline float lerpScalar(float a, float b, float t, MMotionEasingRef* easing) {
    if (a == b) return a;
    const float e = easeFraction(t, easing);
    return a * (1.0f - e) + b * e;
}

// The angle and position tweens below with the eased fraction asked of
// `ease()` (only when the ends differ), so a caller can share one curve
// evaluation among several values.
template <class Ease>
float lerpAngleEased(float a, float b, Ease&& ease) {
    if (a == b) return a;
    if (b > a && b - a > 180.0f) {
        b -= 360.0f;
    } else if (a >= b && a - b > 180.0f) {
        b += 360.0f;
    }
    float angle = a;
    if (a != b) {
        const float e = ease();
        angle = a * (1.0f - e) + b * e;
    }
    if (angle < 0.0f) {
        angle += 360.0f;
    } else if (angle >= 360.0f) {
        angle -= 360.0f;
    }
    return angle;
}

template <class Ease>
void lerpPositionEased(int32_t plane, const MVector3& a, const MVector3& b, MMotionPathRef* path, Ease&& ease,
                       MVector3& out) {
    if (a.x == b.x && a.y == b.y && a.z == b.z) {
        out = a;
        return;
    }
    const float e = ease();
    const float s = 1.0f - e;
    if (!path || !path->path) {
        out = {a.x * s + b.x * e, a.y * s + b.y * e, a.z * s + b.z * e};
        return;
    }
    const MMotionPoint uv = MMotionPathCurve::evaluate(path->path, e, path->segment, path->retiming);
    const MVector3 d{b.x - a.x, b.y - a.y, b.z - a.z};
    if (plane == 0) {
        out = {a.x + d.x * uv.x - d.y * uv.y, a.y + d.y * uv.x + d.x * uv.y, a.z * s + b.z * e};
    } else if (plane == 1) {
        out = {a.x + d.x * uv.x - d.z * uv.y, a.y * s + b.y * e, a.z + d.z * uv.x + d.x * uv.y};
    }
}

// Degrees, the short way round: an end more than 180 degrees away is moved by
// a turn first (exactly 180 is left alone), and the result is wrapped once
// into [0, 360). Equal ends give a as it is, unwrapped.
float lerpAngle(float a, float b, float t, MMotionEasingRef* easing);

// The position tween. Without a path each coordinate is linear. With one, the
// path is drawn in the frame where a is the origin and b - a the unit x axis
// (the y axis a quarter turn from it) in the layer's plane: 0 the x-y plane,
// 1 the x-z plane, the remaining coordinate linear. For any other plane a
// path leaves `out` as it was.
void lerpPosition(int32_t plane, const MVector3& a, const MVector3& b, float t, MMotionPathRef* path,
                  MMotionEasingRef* easing, MVector3& out);

// Point lists ((x, y) pairs): `out` takes a's size, each coordinate tweened by
// the mesh kernel. A 16-point mesh tweens only to another; any other pair of
// lists gives a copy of a.
void lerpMeshPoints(std::vector<float>& out, const std::vector<float>& a, const std::vector<float>& b, float t,
                    MMotionEasingRef* easing);

// One point of the patch spanned by 16 control points (32 floats).
MMotionPoint meshPointAt(float u, float v, const float* controls);

// Shares a subdivision count n between two directions in proportion to their
// weights (a picture's width and height): the first gets n w1 / (w1 + w2),
// the second the rest, each at least 1, then each one more. Weights that sum
// to 0 give the smallest grid, (2, 2).
std::pair<int32_t, int32_t> splitDivision(int32_t n, int32_t w1, int32_t w2);
