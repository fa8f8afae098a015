// One frame's worth of object work on one core: 20000 tasks created, walked
// and released, then 16384 sprites queued, sorted and flushed.
#include <benchmark/benchmark.h>

#include <array>

#include "engine/render/raw_tex.h"
#include "game/core/draw_store.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/sprite_frames.h"
#include "game/core/sprite_sheet.h"

namespace {

constexpr std::array<SpriteFrame, 2> kFrames{{{}, {4, 8, 16, 20, 10, 1, 0, 2, 3, 1, 1}}};

int steps = 0;

void countingAct(ObjTask* task) {
    ++steps;
    ++task->actWords[0];
}

// Counts quads without keeping them, as a layer would.
const SpriteTarget kTarget{
    [](int) -> M2DCameraLocator* { return nullptr; },
    []() -> MView* { return nullptr; },
    [](int) {},
    [](MRawTex*, MDrawMode, const MQuadBatch::Quad& quad) { benchmark::DoNotOptimize(quad); },
    [](MRawTex*) {},
};

void BM_TasksThenSprites(benchmark::State& state) {
    OBJtaskPoolInit();
    OBJsetFrameTable(kFrames);
    SDL2_wheel_TextureSet(4, new MRawTex(64, 64));
    setSpriteTarget(&kTarget);
    ObjWork* owner = OBJworkNew();
    for (auto _ : state) {
        for (int i = 0; i < kObjTaskPoolSize; ++i) OBJtaskCreateTail(countingAct, i % kObjTaskGroups, objTag("ZAKO"));
        for (int group = 0; group < kObjTaskGroups; ++group) OBJtaskWalk(group, [](ObjTask* task) { task->act(task); });
        OBJtaskReleaseAll(nullptr);
        OBJdrawRequestsClear();
        for (int i = 0; i < DRAWOBJ_STORE_MAX; ++i) {
            OBJdrawSprite(owner, 1, float(i % 224), float(i % 288), i % 1000, 1.0f, 1.0f, 0.0f, 1.0f, i % 3 ? 7 : 2);
        }
        OBJdrawSortLayers();
        OBJdrawFlush();
    }
    benchmark::DoNotOptimize(steps);
    OBJworkFree(owner);
    setSpriteTarget(nullptr);
    SDL2_wheel_TextureRelease(4);
    OBJsetFrameTable({});
}
BENCHMARK(BM_TasksThenSprites)->Unit(benchmark::kMicrosecond);

}  // namespace
