// One frame's worth of object work on one core: 20000 tasks created, walked
// and released, then 16384 sprites queued, sorted and flushed; and one
// collision pass over a busy screen.
#include <benchmark/benchmark.h>

#include <array>

#include "engine/render/raw_tex.h"
#include "game/core/collision.h"
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

int objectsBenchmarkHits = 0;

void objectsBenchmarkHit(ObjTask*, ObjWork*) { ++objectsBenchmarkHits; }

// As in play: a shot or a bullet that hits is spent and takes no more hits.
void objectsBenchmarkSpent(ObjTask*, ObjWork* work) {
    ++objectsBenchmarkHits;
    work->hit = nullptr;
}

void objectsBenchmarkRelease(ObjTask* task) {
    OBJworkFree(task->work);
    task->work = nullptr;
}

constexpr HitBox kObjectsBenchmarkShotBox{0.0f, 0.0f, 3.0f, 6.0f};
constexpr HitBox kObjectsBenchmarkEnemyBoxes[2] = {{0.0f, -6.0f, 14.0f, 8.0f}, {0.0f, 8.0f, 8.0f, 6.0f}};
constexpr HitBox kObjectsBenchmarkBulletBox{0.0f, 0.0f, 2.0f, 2.0f};
constexpr HitBox kObjectsBenchmarkFighterBox{0.0f, 0.0f, 1.0f, 1.0f};

// Spread over the playfield by a fixed sequence, so every run meets the same scene.
void objectsBenchmarkAdd(int group, int count, const HitBox* boxes, int32_t boxCount, uint32_t& seed,
                         ObjWorkFn hit = objectsBenchmarkHit) {
    for (int i = 0; i < count; ++i) {
        ObjTask* task = OBJtaskCreateTail(nullptr, group, objTag("BNCH"));
        task->work = OBJworkNew();
        task->release = objectsBenchmarkRelease;
        seed = seed * 214013u + 2531011u;
        task->work->x = float((seed >> 16) % 224);
        seed = seed * 214013u + 2531011u;
        task->work->y = float((seed >> 16) % 288);
        task->work->ground = group == kGroupEnemies && i % 4 == 0 ? 1 : 0;
        task->work->hit = hit;
        task->work->hitBoxes = boxes;
        task->work->hitBoxCount = boxCount;
    }
}

// A heavy moment of play: 200 fighter shots and 12 gun-unit shots against 60
// enemies of two boxes, 1500 enemy bullets, 40 items, the fighter among them.
// spent: the shots and bullets that hit take no more hits, as in play;
// otherwise every overlap calls back every pass.
void objectsBenchmarkScene(bool spent) {
    OBJtaskPoolInit();
    uint32_t seed = 1;
    const ObjWorkFn shots = spent ? objectsBenchmarkSpent : objectsBenchmarkHit;
    objectsBenchmarkAdd(kGroupFighterShots, 200, &kObjectsBenchmarkShotBox, 1, seed, shots);
    objectsBenchmarkAdd(kGroupGunUnits, 12, &kObjectsBenchmarkShotBox, 1, seed);
    objectsBenchmarkAdd(kGroupEnemies, 60, kObjectsBenchmarkEnemyBoxes, 2, seed);
    objectsBenchmarkAdd(kGroupEnemyShots, 1500, &kObjectsBenchmarkBulletBox, 1, seed, shots);
    objectsBenchmarkAdd(kGroupSpecialEnemyShots, 30, &kObjectsBenchmarkBulletBox, 1, seed, shots);
    objectsBenchmarkAdd(kGroupItems, 40, &kObjectsBenchmarkBulletBox, 1, seed);
    objectsBenchmarkAdd(kGroupFighter, 1, &kObjectsBenchmarkFighterBox, 1, seed);
    objectsBenchmarkHits = 0;
}

// The spent ones armed again for the next pass.
void objectsBenchmarkRearm() {
    for (int group : {kGroupFighterShots, kGroupEnemyShots, kGroupSpecialEnemyShots}) {
        OBJtaskWalk(group, [](ObjTask* task) { task->work->hit = objectsBenchmarkSpent; });
    }
}

void BM_CollisionPass(benchmark::State& state) {
    objectsBenchmarkScene(false);
    for (auto _ : state) OBJcollisionPass();
    state.counters["callbacks"] = double(objectsBenchmarkHits) / double(state.iterations());
    OBJtaskReleaseAll(nullptr);
}
BENCHMARK(BM_CollisionPass)->Unit(benchmark::kMicrosecond);

void BM_CollisionPassSpentShots(benchmark::State& state) {
    objectsBenchmarkScene(true);
    for (auto _ : state) {
        state.PauseTiming();
        objectsBenchmarkRearm();
        state.ResumeTiming();
        OBJcollisionPass();
    }
    state.counters["callbacks"] = double(objectsBenchmarkHits) / double(state.iterations());
    OBJtaskReleaseAll(nullptr);
}
BENCHMARK(BM_CollisionPassSpentShots)->Unit(benchmark::kMicrosecond);

}  // namespace
