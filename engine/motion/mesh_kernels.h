#pragma once
// The arithmetic of 4 by 4 mesh patches. A control-point set is 16 points
// (x, y), 32 floats, row by row: point 4r + q is column q of row r. Point
// lists are (x, y) float pairs. Each kernel has a four-wide vector path and a
// scalar path that perform the same float operations in the same order, so
// both give the same bits; the process-wide SIMD flag picks one.
//
// Patch value: P(u, v) = sum over r of Br(v) times sum over q of Bq(u) times
// C[4r + q], u along a row and v down a column, with the Bernstein weights of
// bezier_weights.h; the inner sums over r are taken first, for each q.
//
// Threads: the kernels are pure and run on any thread (the worker pool's
// motion updates), taking no lock and allocating nothing beyond the growth of
// transformMeshPatch's output. The flag is set at start-up; tests switch it
// between their runs.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/motion/motion_point.h"

class MMotionBezierWeights;

constexpr size_t kMeshFloats = 32;

// Sets the SIMD flag from what the processor offers (done once during
// static initialisation).
void detectSimdSupport();
bool meshSimdEnabled();
// Clearing forces the scalar path; setting restores the vector path when the
// processor has it.
void setMeshSimdEnabled(bool on);

// out = a (1 - t) + b t, or a exactly when |t| is below the float epsilon.
// `out` may be `a` or `b`.
void lerpMesh(float* out, const float* a, const float* b, float t);
// out = a + b; `out` may be an input.
void addMesh(float* out, const float* a, const float* b);
// out = a + (b - c): a plus the difference of b from the neutral c, so that
// b equal to c gives a exactly; `out` may be an input.
void addMeshDelta(float* out, const float* a, const float* b, const float* c);
// Replaces each of the `count` (u, v) pairs by the patch value there.
void evalBezierPatch(float* points, size_t count, const float* controls);

// What `transformMeshPatch` samples: the patch and its grid of cells, with a
// weight table for each direction (across + 1 and down + 1 rows).
struct MMotionMeshSampling {
    uint32_t across = 0;
    uint32_t down = 0;
    const MMotionBezierWeights* columns = nullptr;
    const MMotionBezierWeights* rows = nullptr;
    const float* controls = nullptr;
};

// Places the patch by (x, y) -> m (x, y) + (tx, ty) and samples it: `out`
// becomes (across + 1) x (down + 1) points, row by row. A count beyond its
// weight table is cut to the table; without tables or points `out` is empty.
void transformMeshPatch(std::vector<float>& out, const MMotionMeshSampling& mesh, const MMotionMatrix2& m, float tx,
                        float ty);
