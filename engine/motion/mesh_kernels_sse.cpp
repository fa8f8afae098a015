// The vector mesh kernels on SSE: four floats a pass, each lane doing what
// the scalar path (mesh_kernels_scalar.cpp) does to one float, in the same
// order, so that the results agree bit for bit. Leftovers that do not fill
// four lanes go through the scalar path.
#if defined(__SSE__)

#include <xmmintrin.h>

#include "engine/motion/mesh_kernel_paths.h"
#include "engine/motion/mesh_kernels.h"

namespace meshpath::sse {

namespace {

// The Bernstein weights of four fractions at once (bezier_weights.h).
void bernstein4(__m128 t, __m128 w[4]) {
    const __m128 three = _mm_set1_ps(3.0f);
    const __m128 s = _mm_sub_ps(_mm_set1_ps(1.0f), t);
    w[0] = _mm_mul_ps(_mm_mul_ps(s, s), s);
    w[1] = _mm_mul_ps(_mm_mul_ps(_mm_mul_ps(three, t), s), s);
    w[2] = _mm_mul_ps(_mm_mul_ps(_mm_mul_ps(three, t), t), s);
    w[3] = _mm_mul_ps(_mm_mul_ps(t, t), t);
}

// ((w0 a + w1 b) + w2 c) + w3 d
__m128 weightedSum(__m128 w0, __m128 a, __m128 w1, __m128 b, __m128 w2, __m128 c, __m128 w3, __m128 d) {
    const __m128 first = _mm_add_ps(_mm_mul_ps(w0, a), _mm_mul_ps(w1, b));
    return _mm_add_ps(_mm_add_ps(first, _mm_mul_ps(w2, c)), _mm_mul_ps(w3, d));
}

}  // namespace

void lerp(float* out, const float* a, const float* b, float t) {
    const __m128 s = _mm_set1_ps(1.0f - t);
    const __m128 tt = _mm_set1_ps(t);
    for (size_t k = 0; k < kMeshFloats; k += 4) {
        const __m128 va = _mm_loadu_ps(a + k);
        const __m128 vb = _mm_loadu_ps(b + k);
        _mm_storeu_ps(out + k, _mm_add_ps(_mm_mul_ps(va, s), _mm_mul_ps(vb, tt)));
    }
}

void add(float* out, const float* a, const float* b) {
    for (size_t k = 0; k < kMeshFloats; k += 4)
        _mm_storeu_ps(out + k, _mm_add_ps(_mm_loadu_ps(a + k), _mm_loadu_ps(b + k)));
}

void addDelta(float* out, const float* a, const float* b, const float* c) {
    for (size_t k = 0; k < kMeshFloats; k += 4) {
        const __m128 delta = _mm_sub_ps(_mm_loadu_ps(b + k), _mm_loadu_ps(c + k));
        _mm_storeu_ps(out + k, _mm_add_ps(_mm_loadu_ps(a + k), delta));
    }
}

// Four points a pass, one point a lane: x and y apart.
void evalPatch(float* points, size_t count, const float* controls) {
    __m128 spread[kMeshFloats];
    if (count >= 4)
        for (size_t k = 0; k < kMeshFloats; ++k) spread[k] = _mm_set1_ps(controls[k]);
    size_t i = 0;
    for (; i + 4 <= count; i += 4) {
        float* p = points + 2 * i;
        const __m128 p01 = _mm_loadu_ps(p);
        const __m128 p23 = _mm_loadu_ps(p + 4);
        __m128 wu[4], wv[4];
        bernstein4(_mm_shuffle_ps(p01, p23, _MM_SHUFFLE(2, 0, 2, 0)), wu);
        bernstein4(_mm_shuffle_ps(p01, p23, _MM_SHUFFLE(3, 1, 3, 1)), wv);
        __m128 sums[8];
        for (size_t k = 0; k < 8; ++k)
            sums[k] = weightedSum(wv[0], spread[k], wv[1], spread[8 + k], wv[2], spread[16 + k], wv[3], spread[24 + k]);
        const __m128 x = weightedSum(wu[0], sums[0], wu[1], sums[2], wu[2], sums[4], wu[3], sums[6]);
        const __m128 y = weightedSum(wu[0], sums[1], wu[1], sums[3], wu[2], sums[5], wu[3], sums[7]);
        _mm_storeu_ps(p, _mm_unpacklo_ps(x, y));
        _mm_storeu_ps(p + 4, _mm_unpackhi_ps(x, y));
    }
    scalar::evalPatch(points + 2 * i, count - i, controls);
}

// Two points a pass: lanes (x, y, x, y).
void place(float* out, const float* controls, const MMotionMatrix2& m, float tx, float ty) {
    const __m128 ac = _mm_setr_ps(m.a, m.c, m.a, m.c);
    const __m128 bd = _mm_setr_ps(m.b, m.d, m.b, m.d);
    const __m128 t = _mm_setr_ps(tx, ty, tx, ty);
    for (size_t k = 0; k < kMeshFloats; k += 4) {
        const __m128 p = _mm_loadu_ps(controls + k);
        const __m128 x = _mm_shuffle_ps(p, p, _MM_SHUFFLE(2, 2, 0, 0));
        const __m128 y = _mm_shuffle_ps(p, p, _MM_SHUFFLE(3, 3, 1, 1));
        _mm_storeu_ps(out + k, _mm_add_ps(_mm_add_ps(_mm_mul_ps(ac, x), _mm_mul_ps(bd, y)), t));
    }
}

// Per output row the four column sums in lanes (x, y, x, y); then two
// points a pass, each weight spread over its point's two lanes.
void sample(const Grid& grid, const float* placed) {
    float* out = grid.out;
    for (uint32_t j = 0; j <= grid.down; ++j) {
        const float* wr = grid.rows + 4 * size_t(j);
        const __m128 w0 = _mm_set1_ps(wr[0]), w1 = _mm_set1_ps(wr[1]);
        const __m128 w2 = _mm_set1_ps(wr[2]), w3 = _mm_set1_ps(wr[3]);
        const __m128 s01 = weightedSum(w0, _mm_loadu_ps(placed), w1, _mm_loadu_ps(placed + 8), w2,
                                       _mm_loadu_ps(placed + 16), w3, _mm_loadu_ps(placed + 24));
        const __m128 s23 = weightedSum(w0, _mm_loadu_ps(placed + 4), w1, _mm_loadu_ps(placed + 12), w2,
                                       _mm_loadu_ps(placed + 20), w3, _mm_loadu_ps(placed + 28));
        const __m128 s0 = _mm_shuffle_ps(s01, s01, _MM_SHUFFLE(1, 0, 1, 0));
        const __m128 s1 = _mm_shuffle_ps(s01, s01, _MM_SHUFFLE(3, 2, 3, 2));
        const __m128 s2 = _mm_shuffle_ps(s23, s23, _MM_SHUFFLE(1, 0, 1, 0));
        const __m128 s3 = _mm_shuffle_ps(s23, s23, _MM_SHUFFLE(3, 2, 3, 2));
        uint32_t i = 0;
        for (; i + 1 <= grid.across; i += 2, out += 4) {
            const __m128 first = _mm_loadu_ps(grid.columns + 4 * size_t(i));
            const __m128 second = _mm_loadu_ps(grid.columns + 4 * size_t(i) + 4);
            const __m128 lo = _mm_unpacklo_ps(first, second);
            const __m128 hi = _mm_unpackhi_ps(first, second);
            _mm_storeu_ps(out, weightedSum(_mm_shuffle_ps(lo, lo, _MM_SHUFFLE(1, 1, 0, 0)), s0,
                                           _mm_shuffle_ps(lo, lo, _MM_SHUFFLE(3, 3, 2, 2)), s1,
                                           _mm_shuffle_ps(hi, hi, _MM_SHUFFLE(1, 1, 0, 0)), s2,
                                           _mm_shuffle_ps(hi, hi, _MM_SHUFFLE(3, 3, 2, 2)), s3));
        }
        if (i == grid.across) {
            float sums[8];
            _mm_storeu_ps(sums, s01);
            _mm_storeu_ps(sums + 4, s23);
            scalar::combineSums(out, grid.columns + 4 * size_t(i), sums);
            out += 2;
        }
    }
}

}  // namespace meshpath::sse

#endif
