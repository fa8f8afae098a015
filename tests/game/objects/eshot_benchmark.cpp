// One act pass of 1024 live enemy shots of mixed types on one core: their
// updates, their draw entries (queued, sorted and flushed to a counting
// target) and the collision pass against the fighter.
#include <benchmark/benchmark.h>

#include <vector>

#include "engine/render/raw_tex.h"
#include "game/core/collision.h"
#include "game/core/draw_store.h"
#include "game/core/game_random.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/sprite_frames.h"
#include "game/core/sprite_sheet.h"
#include "game/objects/eshot.h"
#include "game/records/play_selection.h"
#include "game/records/settings_file.h"
#include "game/stages/enemies/eshot_cancel.h"

namespace {

// Counts quads without keeping them, as a layer would.
const SpriteTarget kEshotBenchTarget{
    [](int) -> M2DCameraLocator* { return nullptr; },
    []() -> MView* { return nullptr; },
    [](int) {},
    [](MRawTex*, MDrawMode, const MQuadBatch::Quad& quad) { benchmark::DoNotOptimize(quad); },
    [](MRawTex*) {},
};

constexpr HitBox kEshotBenchFighterBox{0.0f, 0.0f, 1.0f, 1.0f};
int eshotBenchFighterHits = 0;

void eshotBenchFighterHit(ObjTask*, ObjWork*) { ++eshotBenchFighterHits; }

// Types that stay where they are at speed 0, so every pass meets the same
// 1024: the plain and turned ones, the shootable ones and the orbiting,
// waving, bouncing and edge-watching specials with their trails.
int32_t eshotBenchType(int i) {
    constexpr int32_t kSpecials[] = {177, 179, 172, 173, 163};
    return i % 5 == 4 ? kSpecials[(i / 5) % 5] : i % 160;
}

void eshotBenchScene() {
    OBJtaskPoolInit();
    gameRandSeed(7);
    eshotLiveCount = 0;
    eshotSpeedBonus = 0.0f;
    enemyShotStop = 0;
    gameMode = 3;
    eshotCancelClear();
    settingsSnapshot.enemyShotDraw = 1;
    ObjTask* fighterTask = OBJtaskCreate(nullptr, kGroupFighter, objTag("FIGH"));
    fighterTask->work = OBJworkNew();
    fighterTask->work->x = 112.0f;
    fighterTask->work->y = 270.0f;
    fighterTask->work->life = 3;
    fighterTask->work->hit = eshotBenchFighterHit;
    fighterTask->work->hitBoxes = &kEshotBenchFighterBox;
    fighterTask->work->hitBoxCount = 1;
    fighter(fighterTask->work).powerUp = 1;
    fighter(fighterTask->work).blowOff = 1;
    uint32_t seed = 1;
    for (int i = 0; i < kEshotLiveLimit; ++i) {
        seed = seed * 214013u + 2531011u;
        const float x = float(30 + (seed >> 16) % 160);
        seed = seed * 214013u + 2531011u;
        const float y = float(40 + (seed >> 16) % 160);
        TSKeshotCreate(eshotBenchType(i), int32_t(seed % 1024), 0.0f, 0, 0, ObjRef{}, x, y);
    }
}

void BM_EshotActDrawCollide(benchmark::State& state) {
    std::vector<SpriteFrame> frames(6000, SpriteFrame{4, 8, 16, 16, 16, 1, 0, 0, 0, 8, 8});
    OBJsetFrameTable(frames);
    SDL2_wheel_TextureSet(4, new MRawTex(64, 64));
    setSpriteTarget(&kEshotBenchTarget);
    eshotBenchScene();
    for (auto _ : state) {
        OBJdrawRequestsClear();
        for (int group : {kEshotGroup, kEshotSpecialGroup}) {
            OBJtaskWalk(group, [](ObjTask* task) {
                task->act(task);
                if (task->work != nullptr && task->work->draw != nullptr) task->work->draw(task, task->work);
            });
        }
        OBJcollisionPass();
        OBJdrawSortLayers();
        OBJdrawFlush();
    }
    state.counters["live"] = double(eshotLiveCount);
    benchmark::DoNotOptimize(eshotBenchFighterHits);
    OBJtaskReleaseAll(nullptr);
    OBJdrawRequestsClear();
    setSpriteTarget(nullptr);
    SDL2_wheel_TextureRelease(4);
    OBJsetFrameTable({});
}
BENCHMARK(BM_EshotActDrawCollide)->Unit(benchmark::kMicrosecond);

}  // namespace
