// One frame of play on one core: the game main update with 2000 live objects
// moving, drawing and colliding across the group pairs, and the draw that
// sorts and flushes their 4000 sprites.
#include <benchmark/benchmark.h>

#include <array>

#include "engine/render/raw_tex.h"
#include "game/core/collision.h"
#include "game/core/draw_store.h"
#include "game/core/game_main.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/sprite_frames.h"
#include "game/core/sprite_sheet.h"

namespace {

constexpr std::array<SpriteFrame, 3> kFrames{{
    {},
    {4, 0, 0, 16, 16, 1, 0, 0, 0, 0, 0},
    {4, 16, 0, 8, 8, 2, 0, 0, 0, 0, 0},
}};

const SpriteTarget kTarget{
    [](int) -> M2DCameraLocator* { return nullptr; },
    []() -> MView* { return nullptr; },
    [](int) {},
    [](MRawTex*, MDrawMode, const MQuadBatch::Quad& quad) { benchmark::DoNotOptimize(quad); },
    [](MRawTex*) {},
};

constexpr HitBox kSmall{0.0f, 0.0f, 2.0f, 3.0f};
constexpr HitBox kLarge[] = {{0.0f, -4.0f, 8.0f, 6.0f}, {0.0f, 6.0f, 12.0f, 4.0f}};

int hits = 0;

void countHit(ObjTask*, ObjWork* w);

// Drifts across the playfield and wraps, as shots and enemies roughly do. A
// shot spent in the last frame comes back as a new one.
void drift(ObjTask* task) {
    ObjWork* w = task->work;
    if (w->hitBoxes != nullptr) w->hit = countHit;
    w->x += w->vx;
    w->y += w->vy;
    if (w->x < -16.0f) w->x += 256.0f;
    if (w->x > 240.0f) w->x -= 256.0f;
    if (w->y < -16.0f) w->y += 320.0f;
    if (w->y > 304.0f) w->y -= 320.0f;
}

// A body and its shadow or glow.
void drawTwo(ObjTask*, ObjWork* w) {
    OBJdrawSprite(w, 1, w->x, w->y, 500 + w->kind, 1.0f, 1.0f, 0.0f, 1.0f, 7);
    OBJdrawSprite(w, 2, w->x + 2.0f, w->y + 3.0f, 400 + w->kind, 1.0f, 1.0f, 0.0f, 0.5f, 1);
}

// Shots and items are spent by a hit; the fighter, gun units, bombs and
// enemies take hit after hit.
void countHit(ObjTask*, ObjWork* w) {
    ++hits;
    ++w->life;
    if (w->kind == kGroupFighterShots || w->kind == kGroupEnemyShots || w->kind == kGroupSpecialEnemyShots ||
        w->kind == kGroupItems) {
        w->hit = nullptr;
    }
}

struct Population {
    int group;
    int count;
    bool large;
    bool hittable;
};

// 2000 objects: the fighter and its gun units, shots, enemies, enemy shots,
// items, a bomb and effects that take no part in the collisions.
constexpr Population kPopulation[] = {
    {kGroupFighter, 1, true, true},          {kGroupGunUnits, 2, false, true},
    {kGroupFighterShots, 300, false, true},  {kGroupEnemies, 250, true, true},
    {kGroupEnemyShots, 900, false, true},    {kGroupSpecialEnemyShots, 150, false, true},
    {kGroupItems, 96, false, true},          {kGroupBombs, 1, true, true},
    {8, 300, false, false},
};

uint32_t seed = 12345;
float nextUnit() {
    seed = seed * 214013u + 2531011u;
    return float((seed >> 16) & 0x7FFF) / 32768.0f;
}

void populate() {
    for (const Population& p : kPopulation) {
        for (int i = 0; i < p.count; ++i) {
            ObjTask* task = OBJtaskCreateTail(drift, p.group, objTag("BNCH"));
            ObjWork* w = OBJworkNew();
            task->work = w;
            w->x = nextUnit() * 224.0f;
            w->y = nextUnit() * 288.0f;
            w->vx = nextUnit() * 2.0f - 1.0f;
            w->vy = nextUnit() * 4.0f - 2.0f;
            w->kind = p.group;
            w->draw = drawTwo;
            w->ground = p.group == kGroupEnemies && i % 3 == 0 ? 1 : 0;
            if (!p.hittable) continue;
            w->hit = countHit;
            w->hitBoxes = p.large ? kLarge : &kSmall;
            w->hitBoxCount = p.large ? 2 : 1;
        }
    }
}

void BM_GameMainFrame(benchmark::State& state) {
    OBJtaskPoolInit();
    OBJsetFrameTable(kFrames);
    SDL2_wheel_TextureSet(4, new MRawTex(64, 64));
    setSpriteTarget(&kTarget);
    populate();
    gameMainUpdate(true);
    gameMainDraw();
    hits = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(gameMainUpdate(true));
        gameMainDraw();
    }
    state.counters["hits/frame"] = double(hits) / double(state.iterations());
    state.counters["sprites"] = double(OBJdrawRequestCount());
    for (int group = 0; group < kObjTaskGroups; ++group) {
        OBJtaskWalk(group, [](ObjTask* task) {
            OBJworkFree(task->work);
            task->work = nullptr;
            OBJtaskRelease(task);
        });
    }
    setSpriteTarget(nullptr);
    SDL2_wheel_TextureRelease(4);
    OBJsetFrameTable({});
}
BENCHMARK(BM_GameMainFrame)->Unit(benchmark::kMicrosecond);

}  // namespace
