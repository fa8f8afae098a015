// The mesh kernels over a 16 x 16 grid, vector path against scalar path in
// one run: what one mesh node costs a step (a tween of its control points, a
// combinator's add and difference, placing and sampling the patch, carrying
// the grid through a host patch).
#include <benchmark/benchmark.h>

#include <array>
#include <vector>

#include "engine/motion/bezier_weights.h"
#include "engine/motion/curve_cache.h"
#include "engine/motion/mesh_kernels.h"

namespace {

constexpr uint32_t kCells = 16;

using Mesh = std::array<float, kMeshFloats>;

Mesh bentGrid(float bend) {
    Mesh grid{};
    for (int i = 0; i < 16; ++i) {
        grid[2 * i] = float(i % 4) / 3.0f + bend * float(i % 3);
        grid[2 * i + 1] = float(i / 4) / 3.0f - bend * float(i % 5);
    }
    return grid;
}

void runKernels(benchmark::State& state, bool vector) {
    setMeshSimdEnabled(vector);
    MMotionCurveCache cache;
    MMotionBezierWeights* weights = MMotionBezierWeights::get(kCells, &cache);
    const Mesh a = bentGrid(0.01f), b = bentGrid(-0.02f), neutral = bentGrid(0.0f);
    Mesh mesh{}, host = bentGrid(0.005f);
    std::vector<float> grid, carried;
    const MMotionMatrix2 m{64.0f, 0.5f, -0.25f, 48.0f};
    float t = 0.0f;
    for (auto _ : state) {
        t = t > 0.9f ? 0.05f : t + 0.01f;
        lerpMesh(mesh.data(), a.data(), b.data(), t);
        addMesh(mesh.data(), mesh.data(), host.data());
        addMeshDelta(mesh.data(), mesh.data(), b.data(), neutral.data());
        transformMeshPatch(grid, {kCells, kCells, weights, weights, mesh.data()}, m, 12.0f, -7.0f);
        carried.assign(grid.begin(), grid.end());
        for (float& v : carried) v *= 1.0f / 64.0f;
        evalBezierPatch(carried.data(), carried.size() / 2, host.data());
        benchmark::DoNotOptimize(carried.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * (kCells + 1) * (kCells + 1));
    MMotionBezierWeights::release(weights, &cache);
    detectSimdSupport();
}

void BM_MeshKernelsVector(benchmark::State& state) { runKernels(state, true); }
void BM_MeshKernelsScalar(benchmark::State& state) { runKernels(state, false); }
BENCHMARK(BM_MeshKernelsVector);
BENCHMARK(BM_MeshKernelsScalar);

// The two heavy kernels alone: sampling a placed patch on the grid, and
// evaluating a patch at the grid's points.
void runSampling(benchmark::State& state, bool vector) {
    setMeshSimdEnabled(vector);
    MMotionCurveCache cache;
    MMotionBezierWeights* weights = MMotionBezierWeights::get(kCells, &cache);
    const Mesh mesh = bentGrid(0.01f);
    std::vector<float> grid;
    for (auto _ : state) {
        transformMeshPatch(grid, {kCells, kCells, weights, weights, mesh.data()}, MMotionMatrix2{}, 0.0f, 0.0f);
        benchmark::DoNotOptimize(grid.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * (kCells + 1) * (kCells + 1));
    MMotionBezierWeights::release(weights, &cache);
    detectSimdSupport();
}

void runEvaluation(benchmark::State& state, bool vector) {
    setMeshSimdEnabled(vector);
    const Mesh mesh = bentGrid(0.01f);
    std::vector<float> uv, points;
    for (uint32_t j = 0; j <= kCells; ++j)
        for (uint32_t i = 0; i <= kCells; ++i) uv.insert(uv.end(), {float(i) / kCells, float(j) / kCells});
    for (auto _ : state) {
        points.assign(uv.begin(), uv.end());
        evalBezierPatch(points.data(), points.size() / 2, mesh.data());
        benchmark::DoNotOptimize(points.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * (kCells + 1) * (kCells + 1));
    detectSimdSupport();
}

void BM_TransformMeshPatchVector(benchmark::State& state) { runSampling(state, true); }
void BM_TransformMeshPatchScalar(benchmark::State& state) { runSampling(state, false); }
void BM_EvalBezierPatchVector(benchmark::State& state) { runEvaluation(state, true); }
void BM_EvalBezierPatchScalar(benchmark::State& state) { runEvaluation(state, false); }
BENCHMARK(BM_TransformMeshPatchVector);
BENCHMARK(BM_TransformMeshPatchScalar);
BENCHMARK(BM_EvalBezierPatchVector);
BENCHMARK(BM_EvalBezierPatchScalar);

}  // namespace
