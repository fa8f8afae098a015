#pragma once
// Cubic Bernstein weights, and the shared tables of them that mesh sampling
// reads: a table for n holds the four weights at t = k / n for k = 0 to n,
// and is shared by every mesh subdivided n times, freed with the last
// reference.
//
// Threads: no locking; as for easing curves (curve_cache.h).
// `bernsteinWeights` is a pure function.

#include <cstddef>
#include <cstdint>
#include <vector>

class MMotionCurveCache;

// (1-t)^3, 3 t (1-t)^2, 3 t^2 (1-t), t^3. The vector mesh kernels repeat these
// exact operations lane by lane, so keep the two in step.
inline void bernsteinWeights(float t, float w[4]) {
    const float s = 1.0f - t;
    w[0] = s * s * s;
    w[1] = 3.0f * t * s * s;
    w[2] = 3.0f * t * t * s;
    w[3] = t * t * t;
}

class MMotionBezierWeights {
public:
    // The shared table for n (a null cache means the process-wide one).
    static MMotionBezierWeights* get(uint32_t n, MMotionCurveCache* cache);
    static void release(MMotionBezierWeights* weights, MMotionCurveCache* cache);

    explicit MMotionBezierWeights(uint32_t n);

    // The four weights of row k, 0 <= k <= n.
    const float* row(uint32_t k) const { return &rows[4 * size_t(k)]; }

    uint32_t n;
    int32_t references = 1;
    std::vector<float> rows;  // n + 1 rows of four
};
