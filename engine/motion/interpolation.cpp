#include "engine/motion/interpolation.h"

#include <algorithm>

#include "engine/motion/mesh_kernels.h"

float lerpAngle(float a, float b, float t, MMotionEasingRef* easing) {
    return lerpAngleEased(a, b, [&] { return easeFraction(t, easing); });
}

void lerpPosition(int32_t plane, const MVector3& a, const MVector3& b, float t, MMotionPathRef* path,
                  MMotionEasingRef* easing, MVector3& out) {
    lerpPositionEased(plane, a, b, path, [&] { return easeFraction(t, easing); }, out);
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
