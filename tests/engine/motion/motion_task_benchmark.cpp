// One frame of 32 motions of 100 sprite layers each (10 chains of 10 nested
// sprites, every one tweening its position, angle, zoom, opacity and
// colours): every motion updated as a job of the worker pool with its
// default workers, the deferred calls run, then each motion's render items
// queued on the motion layer.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/base/win_app_settings.h"
#include "engine/motion/motion.h"
#include "engine/motion/motion_layer.h"
#include "engine/task/worker_pool.h"
#include "tests/engine/motion/motion_fixture.h"

namespace {

namespace mb = psbwriter::motion;

constexpr int kMotions = 32;
constexpr int kChains = 10;
constexpr int kDepth = 10;
constexpr float kLastTime = 600.0f;
constexpr float kKeyEvery = 40.0f;

mb::Layer tweening(int chain, int depth) {
    mb::Layer layer{.label = "l" + std::to_string(chain) + "_" + std::to_string(depth), .type = mb::kSprite};
    for (float t = 0; t <= kLastTime; t += kKeyEvery) {
        const float k = t / kKeyEvery + float(chain + depth);
        mb::Content c{.src = "src",
                      .icon = "i0",
                      .coord = mb::Vec3{k, 2.0f * k, 0.0f},
                      .angle = 7.0f * k,
                      .zoomX = 1.0f + 0.01f * k,
                      .zoomY = 1.0f - 0.005f * k,
                      .cornerColors = std::array<uint32_t, 4>{0x808080ffu, 0x204060ffu, 0x80ff00ffu, 0x102030ffu},
                      .opacity = 128 + int(k) * 17 % 128};
        if (int(k) % 2 == 1) c.cornerColors = std::array<uint32_t, 4>{0x102030ffu, 0x808080ffu, 0x00ff80ffu, 0x40ffffffu};
        layer.frames.push_back(t < kLastTime ? mb::tweenFrame(t, c) : mb::holdFrame(t, c));
    }
    if (depth + 1 < kDepth) layer.children.push_back(tweening(chain, depth + 1));
    return layer;
}

std::unique_ptr<PSBObject> document() {
    mb::Timeline timeline{.loopTime = 0, .lastTime = kLastTime};
    for (int chain = 0; chain < kChains; ++chain) timeline.layers.push_back(tweening(chain, 0));
    mb::Document d{.label = "ship"};
    d.sources["src"].texture = motionfixture::image(8, 8);
    d.sources["src"].icons["i0"] = mb::Icon{.width = 8, .height = 8};
    d.objects["ship"].motions["m"] = timeline;
    return motionfixture::load(d);
}

void BM_MotionFrame(benchmark::State& state) {
    M_SPEC = "win";
    const std::unique_ptr<PSBObject> doc = document();
    MMotionLayer layer;
    layer.loadMotion(doc.get());
    std::vector<std::unique_ptr<MMotion>> motions;
    for (int i = 0; i < kMotions; ++i) {
        motions.push_back(std::make_unique<MMotion>(layer, "ship"));
        motions.back()->play("m", 0);
        motions.back()->setShown(true);
        motions.back()->setPosition(float(8 * i), 0.0f);
    }
    MWorkerPool& pool = getWorkerPool();
    size_t queued = 0;
    for (auto _ : state) {
        for (auto& motion : motions) queueWorkerJob(motion.get());
        pool.runJobs();
        pool.runDeferredCalls();
        for (auto& motion : motions) motion->draw(0);
        queued = layer.renderQueue().size();
        layer.renderQueue().clear();
    }
    state.counters["workers"] = pool.getThreadCount();
    state.counters["items"] = double(queued);
    motions.clear();
    M_SPEC.clear();
}
BENCHMARK(BM_MotionFrame)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace
