// One step of a motion of 200 layers (20 chains of 10 nested layers, every
// one tweening its position, angle, zoom, opacity and colours, half of them
// through an easing curve): the time step, the forward scans and the
// evaluation of every node.
#include <benchmark/benchmark.h>

#include <string>

#include "tests/engine/motion/motion_eval_fixture.h"

namespace {

namespace mb = psbwriter::motion;

constexpr int kChains = 20;
constexpr int kDepth = 10;
constexpr float kLastTime = 600.0f;
constexpr float kKeyEvery = 40.0f;

mb::Layer tweening(int chain, int depth) {
    mb::Layer layer{.label = "l" + std::to_string(chain) + "_" + std::to_string(depth), .type = mb::kGroup};
    for (float t = 0; t <= kLastTime; t += kKeyEvery) {
        const float k = t / kKeyEvery + float(chain + depth);
        mb::Content c{.coord = mb::Vec3{k, 2.0f * k, 0.0f},
                      .angle = 7.0f * k,
                      .zoomX = 1.0f + 0.01f * k,
                      .zoomY = 1.0f - 0.005f * k,
                      .cornerColors = std::array<uint32_t, 4>{0x808080ffu, 0x204060ffu, 0x80ff00ffu, 0x102030ffu},
                      .opacity = int(k) * 17 % 256};
        if ((chain + depth) % 2 == 0) c.positionEasing = 0, c.angleEasing = 0, c.colorEasing = 0;
        if (int(k) % 2 == 1) c.cornerColors = std::array<uint32_t, 4>{0x102030ffu, 0x808080ffu, 0x00ff80ffu, 0x40ffffffu};
        layer.frames.push_back(t < kLastTime ? mb::tweenFrame(t, c) : mb::holdFrame(t, c));
    }
    if (depth + 1 < kDepth) layer.children.push_back(tweening(chain, depth + 1));
    if (depth % 3 == 1) layer.inheritMask = mb::kInheritAngle | mb::kInheritOpacity;
    return layer;
}

void BM_EvaluateStep(benchmark::State& state) {
    mb::Timeline timeline{.loopTime = 0, .lastTime = kLastTime};
    for (int chain = 0; chain < kChains; ++chain) timeline.layers.push_back(tweening(chain, 0));
    const mb::Easing ease{mb::Spline{{0.0f, 0.5f, 1.0f}, {0.0f, 0.3f, 1.0f}, {0.0f, 0.0f, 0.0f}}};
    evalfixture::Stage stage(timeline, {ease});
    stage.player.progress(1);
    for (auto _ : state) {
        stage.player.advance(1.0f);
        benchmark::DoNotOptimize(stage.player.nodes().back().matrix);
    }
    state.counters["layers"] = double(stage.player.nodes().size() - 1);
}
BENCHMARK(BM_EvaluateStep);

}  // namespace
