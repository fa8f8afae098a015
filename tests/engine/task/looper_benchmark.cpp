// One frame of the main loop: 10,000 trivial tasks in a parallel set and 64
// trivial worker jobs, with no window (the frame step only measures time).
#include <benchmark/benchmark.h>

#include "engine/task/looper.h"
#include "engine/task/process.h"

namespace {

class TrivialTask : public MTask {
public:
    explicit TrivialTask(bool worker) { setWorker(worker); }
    void update() override { ++updates_; }

private:
    uint64_t updates_ = 0;
};

// Each step is one benchmark iteration; the app ends when the benchmark does.
class BenchmarkApp : public MProcess {
public:
    BenchmarkApp(benchmark::State& state, int tasks, int jobs) : state_(state) {
        for (int i = 0; i < tasks; ++i) getParallelSet().add(new TrivialTask(false));
        for (int i = 0; i < jobs; ++i) getParallelSet().add(new TrivialTask(true));
    }
    void step() override {
        if (!state_.KeepRunning()) setState(kFinished);
    }

private:
    benchmark::State& state_;
};

void BM_LooperFrame(benchmark::State& state) {
    MLooper looper;
    looper.run(new BenchmarkApp(state, int(state.range(0)), int(state.range(1))));
}

BENCHMARK(BM_LooperFrame)
    ->ArgNames({"tasks", "jobs"})
    ->Args({10000, 64})
    ->Args({10000, 0})
    ->Args({0, 64})
    ->Unit(benchmark::kMicrosecond);

}  // namespace
