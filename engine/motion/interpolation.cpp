#include "engine/motion/interpolation.h"

#include <algorithm>

#include "engine/motion/mesh_kernels.h"

float lerpScalar(float a, float b, float t, MMotionEasingRef* easing) {
    if (a == b) return a;
    const float e = easeFraction(t, easing);
    return a * (1.0f - e) + b * e;
}

float lerpAngle(float a, float b, float t, MMotionEasingRef* easing) {
    if (a == b) return a;
    if (b > a && b - a > 180.0f) {
        b -= 360.0f;
    } else if (a >= b && a - b > 180.0f) {
        b += 360.0f;
    }
    float angle = a;
    if (a != b) {
        const float e = easeFraction(t, easing);
        angle = a * (1.0f - e) + b * e;
    }
    if (angle < 0.0f) {
        angle += 360.0f;
    } else if (angle >= 360.0f) {
        angle -= 360.0f;
    }
    return angle;
}

void lerpPosition(int32_t plane, const MVector3& a, const MVector3& b, float t, MMotionPathRef* path,
                  MMotionEasingRef* easing, MVector3& out) {
    if (a.x == b.x && a.y == b.y && a.z == b.z) {
        out = a;
        return;
    }
    const float e = easeFraction(t, easing);
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

void lerpMeshPoints(std::vector<float>& out, const std::vector<float>& a, const std::vector<float>& b, float t,
                    MMotionEasingRef* easing) {
    if (a.size() != kMeshFloats || b.size() != kMeshFloats) {
        out = a;
        return;
    }
    out.resize(kMeshFloats);
    lerpMesh(out.data(), a.data(), b.data(), easeFraction(t, easing));
}

MMotionPoint meshPointAt(float u, float v, const float* controls) {
    float point[2] = {u, v};
    evalBezierPatch(point, 1, controls);
    return {point[0], point[1]};
}

std::pair<int32_t, int32_t> splitDivision(int32_t n, int32_t w1, int32_t w2) {
    const int64_t total = int64_t(w1) + int64_t(w2);
    if (total == 0) return {2, 2};
    const int64_t first = int64_t(n) * w1 / total;
    const int64_t second = int64_t(n) - first;
    const auto points = [](int64_t cells) { return int32_t(std::clamp<int64_t>(cells, 1, INT32_MAX - 1) + 1); };
    return {points(first), points(second)};
}
