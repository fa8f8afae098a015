#pragma once
// The two implementations behind mesh_kernels.h, for its dispatch only. The
// vector path repeats the scalar path's operations lane by lane; a change to
// one must be made to the other.

#include <cstddef>
#include <cstdint>

#include "engine/motion/motion_point.h"

namespace meshpath {

// The grid sampling after the control points have been placed.
struct Grid {
    uint32_t across;
    uint32_t down;
    const float* columns;  // (across + 1) rows of four weights
    const float* rows;     // (down + 1) rows of four weights
    float* out;            // (across + 1) x (down + 1) points
};

namespace scalar {
void lerp(float* out, const float* a, const float* b, float t);
void add(float* out, const float* a, const float* b);
void addDelta(float* out, const float* a, const float* b, const float* c);
void evalPatch(float* points, size_t count, const float* controls);
void place(float* out, const float* controls, const MMotionMatrix2& m, float tx, float ty);
void sample(const Grid& grid, const float* placed);
// Pieces the vector path shares for its leftovers: the four column sums
// (x, y pairs) of one weight row, and one point from them.
void columnSums(float* sums, const float* weights, const float* controls);
void combineSums(float* point, const float* weights, const float* sums);
}  // namespace scalar

// Present only where the build targets SSE.
namespace sse {
void lerp(float* out, const float* a, const float* b, float t);
void add(float* out, const float* a, const float* b);
void addDelta(float* out, const float* a, const float* b, const float* c);
void evalPatch(float* points, size_t count, const float* controls);
void place(float* out, const float* controls, const MMotionMatrix2& m, float tx, float ty);
void sample(const Grid& grid, const float* placed);
}  // namespace sse

}  // namespace meshpath
