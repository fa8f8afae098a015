#pragma once
// A fresh pool, a synthetic stage (a few rows, two movement scripts, layer
// scripts over ops 1 to 11) and a recording act the spawn rule finds for
// kinds 2, 5, 123 and 140.

#include <gtest/gtest.h>

#include <vector>

#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/play_start.h"
#include "game/core/play_state.h"
#include "game/frontend/play_scenes/stage_results.h"
#include "game/objects/fighter.h"
#include "game/objects/fighter_counters.h"
#include "game/records/play_selection.h"
#include "game/records/settings_file.h"
#include "game/stages/enemies/enemy_kinds.h"
#include "game/stages/field_layers.h"
#include "game/stages/stage_field.h"
#include "game/stages/stage_tables.h"

// What the recording act saw when it first ran.
struct SpawnSeen {
    int32_t kind;   // the work's kind while the act ran (0: not yet written)
    int32_t param;  // the task's param word
    float x, y;     // the work's place while the act ran
    int32_t frame;  // the stage frame
};

inline std::vector<SpawnSeen>& spawnSeen() {
    static std::vector<SpawnSeen> seen;
    return seen;
}

inline void stageFixtureRecordAct(ObjTask* task) {
    if (task->state != kObjStateInit) return;
    ObjWork* work = OBJworkNew();
    task->work = work;
    task->release = [](ObjTask* t) {
        OBJworkFree(t->work);
        t->work = nullptr;
    };
    spawnSeen().push_back({work->kind, enemySpawnParam(task), work->x, work->y, stageFrame});
    task->state = kObjStateRun;
}

// An act that makes no work.
inline void stageFixtureNoWorkAct(ObjTask* task) { task->state = kObjStateRun; }

inline ObjTaskFn stageFixtureActOf(int32_t kind) {
    if (kind == 2 || kind == 5 || kind == 123 || kind == 140) return stageFixtureRecordAct;
    if (kind == 7) return stageFixtureNoWorkAct;
    return nullptr;
}

inline constexpr MoveScript kFixtureMoveA[] = {{7, 0, 100, 0, 0, 0}, {0, 0, 0, 0, 0, 0}};
inline constexpr MoveScript kFixtureMoveB[] = {{8, 0, 512, 0, 0, 0}, {0, 0, 0, 0, 0, 0}};
inline constexpr const MoveScript* kFixtureMoves[] = {kFixtureMoveA, kFixtureMoveB};

// Rows: two on frame 10 (in order), one 3 with extras, a null kind, an
// out-of-range kind, a kind without work, then the end row.
inline constexpr SpawnRow kFixtureRows[] = {
    {2, 0, 0, 1000, -2000, {}},        {5, 1, 10, 2000, 3000, {}},     {2, 1, 10, 2500, 3500, {}},
    {140, 0, 20, 1234, -567, {6, 7, 8, 9}}, {3, 0, 30, 0, 0, {}},      {200, 0, 31, 0, 0, {}},
    {7, 0, 32, 0, 0, {}},              {2, 0, 40, 100, 100, {}},       {0, -1, kSpawnEndFrame, 0, 0, {}}};

// Layer 1: place, wrap, speed; layer 2 a heading and factors; layer 3 a
// row behind its predecessor; layer 4 kills itself at frame 5.
inline constexpr ScrollScript kFixtureLayer1[] = {{1, 0, 0, 100, 0, 0}, {9, 0, 0, 0, 50, 0}, {2, 0, 300, 0, 0, 0},
                                                  {4, 0, 0, 0, 0, 0},   {2, 20, 150, 0, 0, 0}, {0, 0, 0, 0, 0, 0}};
inline constexpr ScrollScript kFixtureLayer2[] = {{2, 0, 200, 0, 0, 0}, {3, 0, 256, 0, 0, 0}, {10, 0, 50, 0, 0, 0},
                                                  {11, 0, 200, 0, 0, 0}, {6, 0, 20, 40, 0, 0}, {7, 30, 9999, 0, 0, 0},
                                                  {8, 30, 9999, 0, 0, 0}, {0, 0, 0, 0, 0, 0}};
inline constexpr ScrollScript kFixtureLayer3[] = {{2, 0, 100, 0, 0, 0}, {2, 10, 400, 0, 0, 0}, {2, 5, 0, 0, 0, 0},
                                                  {2, 20, 0, 0, 0, 0},  {0, 0, 0, 0, 0, 0}};
inline constexpr ScrollScript kFixtureLayer4[] = {{2, 0, 1600, 0, 0, 0}, {5, 5, 7, 0, 0, 0}, {5, 5, 3, 0, 0, 0},
                                                  {0, 0, 0, 0, 0, 0}};
inline constexpr StageTables kFixtureStage = {
    kFixtureRows, 8, kFixtureMoves, 2, {kFixtureLayer1, kFixtureLayer2, kFixtureLayer3, kFixtureLayer4}};
inline constexpr StageTables kFixtureStages[kStageTableCount] = {kFixtureStage, kFixtureStage, kFixtureStage,
                                                                 kFixtureStage, kFixtureStage, kFixtureStage};

class StageFixture : public ::testing::Test {
protected:
    void SetUp() override {
        OBJtaskPoolInit();
        stageTablesUse(kFixtureStages);
        stageSpawnAct = stageFixtureActOf;
        spawnSeen().clear();
        stageNumber = 1;
        gamePhase = 3;
        spawnSuppressed = 0;
        replayPlaybackFlag = 0;
        settingsSnapshot = GameSettings{};
        settingsSnapshot.BG_BRIGHTNESS = 10;
        stageFieldReset();
    }
    void TearDown() override {
        OBJtaskReleaseAll(nullptr);
        stageTablesUse(nullptr);
        stageSpawnAct = enemyKindAct;
        spawnSuppressed = 0;
        stageNumber = 0;
        gamePhase = 0;
        stageFieldReset();
    }

    // One act pass over the field's and the layers' groups.
    static void pass() {
        for (int group = 1; group <= 5; ++group) {
            OBJtaskWalk(group, [](ObjTask* task) { task->act(task); });
        }
    }
    static void passes(int n) {
        for (int i = 0; i < n; ++i) pass();
    }
    // The stage's field, created as the stage load does and set up by one pass.
    ObjTask* makeField(int32_t stage) {
        stageNumber = stage;
        field = OBJtaskCreate(stageFieldActTable[size_t(stage)], 1, objTag("FILD"));
        pass();
        return field;
    }
    static ObjWork* layerWork(int index) {
        const ObjTaskGroup& list = OBJtaskGroup(2 + index);
        for (ObjTask* t = list.head.next; t != &list.tail; t = t->next) {
            if (t->tag == objTag("FILD")) return t->work;
        }
        return nullptr;
    }
    static int enemies() { return OBJtaskCountByTag(kEnemyGroup, kEnemyTag); }

    ObjTask* field = nullptr;
};
