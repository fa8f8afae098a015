// The scalar mesh kernels: the reference for the vector path, which repeats
// every operation here in the same order.

#include "engine/motion/bezier_weights.h"
#include "engine/motion/mesh_kernel_paths.h"
#include "engine/motion/mesh_kernels.h"

namespace meshpath::scalar {

void lerp(float* out, const float* a, const float* b, float t) {
    const float s = 1.0f - t;
    for (size_t k = 0; k < kMeshFloats; ++k) out[k] = a[k] * s + b[k] * t;
}

void add(float* out, const float* a, const float* b) {
    for (size_t k = 0; k < kMeshFloats; ++k) out[k] = a[k] + b[k];
}

void addDelta(float* out, const float* a, const float* b, const float* c) {
    for (size_t k = 0; k < kMeshFloats; ++k) out[k] = a[k] + (b[k] - c[k]);
}

void columnSums(float* sums, const float* weights, const float* controls) {
    for (size_t k = 0; k < 8; ++k)
        sums[k] = ((weights[0] * controls[k] + weights[1] * controls[8 + k]) + weights[2] * controls[16 + k]) +
                  weights[3] * controls[24 + k];
}

void combineSums(float* point, const float* weights, const float* sums) {
    for (size_t k = 0; k < 2; ++k)
        point[k] = ((weights[0] * sums[k] + weights[1] * sums[2 + k]) + weights[2] * sums[4 + k]) +
                   weights[3] * sums[6 + k];
}

void evalPatch(float* points, size_t count, const float* controls) {
    for (size_t i = 0; i < count; ++i) {
        float* point = points + 2 * i;
        float wu[4], wv[4], sums[8];
        bernsteinWeights(point[0], wu);
        bernsteinWeights(point[1], wv);
        columnSums(sums, wv, controls);
        combineSums(point, wu, sums);
    }
}

void place(float* out, const float* controls, const MMotionMatrix2& m, float tx, float ty) {
    for (size_t k = 0; k < kMeshFloats; k += 2) {
        const float x = controls[k];
        const float y = controls[k + 1];
        out[k] = (m.a * x + m.b * y) + tx;
        out[k + 1] = (m.c * x + m.d * y) + ty;
    }
}

void sample(const Grid& grid, const float* placed) {
    float* out = grid.out;
    for (uint32_t j = 0; j <= grid.down; ++j) {
        float sums[8];
        columnSums(sums, grid.rows + 4 * size_t(j), placed);
        for (uint32_t i = 0; i <= grid.across; ++i, out += 2) combineSums(out, grid.columns + 4 * size_t(i), sums);
    }
}

}  // namespace meshpath::scalar
