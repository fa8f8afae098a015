#include "engine/motion/mesh_kernels.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>

#include "engine/motion/bezier_weights.h"
#include "engine/motion/mesh_kernel_paths.h"

namespace {

constexpr float kFloatEpsilon = 1.1920929e-07f;

bool processorHasSse() {
#if defined(__SSE__) && (defined(__x86_64__) || defined(__i386__))
    // Called from a static initialiser, possibly before the runtime's own
    // detection has run.
    __builtin_cpu_init();
    return __builtin_cpu_supports("sse");
#else
    return false;
#endif
}

// Relaxed: a plain switch read by every kernel call; nothing else is
// published through it.
std::atomic<bool> simdFlag{processorHasSse()};

}  // namespace

void detectSimdSupport() { simdFlag.store(processorHasSse(), std::memory_order_relaxed); }

bool meshSimdEnabled() { return simdFlag.load(std::memory_order_relaxed); }

void setMeshSimdEnabled(bool on) { simdFlag.store(on && processorHasSse(), std::memory_order_relaxed); }

#if defined(__SSE__)
#define MESH_DISPATCH(call) (meshSimdEnabled() ? meshpath::sse::call : meshpath::scalar::call)
#else
#define MESH_DISPATCH(call) (meshpath::scalar::call)
#endif

void lerpMesh(float* out, const float* a, const float* b, float t) {
    if (std::fabs(t) < kFloatEpsilon) {
        if (out != a) std::memmove(out, a, kMeshFloats * sizeof(float));
        return;
    }
    MESH_DISPATCH(lerp(out, a, b, t));
}

void addMesh(float* out, const float* a, const float* b) { MESH_DISPATCH(add(out, a, b)); }

void addMeshDelta(float* out, const float* a, const float* b, const float* c) {
    MESH_DISPATCH(addDelta(out, a, b, c));
}

void evalBezierPatch(float* points, size_t count, const float* controls) {
    MESH_DISPATCH(evalPatch(points, count, controls));
}

void transformMeshPatch(std::vector<float>& out, const MMotionMeshSampling& mesh, const MMotionMatrix2& m, float tx,
                        float ty) {
    if (!mesh.columns || !mesh.rows || !mesh.controls) {
        out.clear();
        return;
    }
    const uint32_t across = std::min(mesh.across, mesh.columns->n);
    const uint32_t down = std::min(mesh.down, mesh.rows->n);
    out.resize(2 * (size_t(across) + 1) * (size_t(down) + 1));
    float placed[kMeshFloats];
    MESH_DISPATCH(place(placed, mesh.controls, m, tx, ty));
    const meshpath::Grid grid{across, down, mesh.columns->row(0), mesh.rows->row(0), out.data()};
    MESH_DISPATCH(sample(grid, placed));
}
