#pragma once
// A fresh pool and enemy words per test, stage tables of the test's own, a
// scripted enemy act of the usual shape and fighter-shot hitters.

#include <gtest/gtest.h>

#include "game/bosses/boss_flags.h"
#include "game/core/game_main.h"
#include "game/core/game_random.h"
#include "game/core/game_sequence.h"
#include "game/core/obj_ref.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/play_state.h"
#include "game/objects/eshot.h"
#include "game/objects/item.h"
#include "game/records/play_selection.h"
#include "game/stages/enemies/enemy_damage.h"
#include "game/stages/enemies/enemy_kinds.h"
#include "game/stages/enemies/enemy_script.h"
#include "game/stages/enemies/enemy_step.h"
#include "game/stages/enemies/enemy_words.h"
#include "game/stages/enemies/eshot_cancel.h"
#include "game/stages/rank_carriers.h"
#include "game/stages/stage_tables.h"

// Scripts of stage 1 by param: 0 the common small-enemy start, 1 a
// layer follower with rows due at once and later, 2 an end that goes on.
inline constexpr MoveScript kEnemyScriptStart[] = {
    {1, 0, 13600, 13600, 0, 0}, {7, 0, 300, 0, 0, 0}, {8, 0, 512, 0, 0, 0}, {0, 0, 0, 0, 0, 0}};
inline constexpr MoveScript kEnemyScriptLate[] = {{1, 0, 4000, 3000, 0, 0}, {2, 0, 2, 0, 0, 0},
                                                  {10, 3, 1, 0, 0, 0},      {6, 5, 1, 0, 0, 0},
                                                  {7, 5, 150, 0, 0, 0},     {8, 9, 256, 0, 0, 0},
                                                  {0, 50, 0, 0, 0, 0}};
inline constexpr MoveScript kEnemyScriptEnd[] = {{9, 0, 0, 0, 0, 0}, {7, 0, 200, 0, 0, 0}, {0, 0, 0, 0, 0, 0}};
inline constexpr MoveScript kEnemyScriptRest[] = {{0, 0, 0, 0, 0, 0}, {7, 0, 900, 0, 0, 0}};
inline constexpr const MoveScript* kEnemyScripts[] = {kEnemyScriptStart, kEnemyScriptLate, kEnemyScriptEnd,
                                                      kEnemyScriptRest};
inline constexpr SpawnRow kEnemyEndRow[] = {{0, -1, kSpawnEndFrame, 0, 0, {}}};
inline constexpr ScrollScript kEnemyLayerRest[] = {{0, 0, 0, 0, 0, 0}};
inline constexpr StageTables kEnemyStage = {
    kEnemyEndRow, 0, kEnemyScripts, 4, {kEnemyLayerRest, kEnemyLayerRest, kEnemyLayerRest, kEnemyLayerRest}};
inline constexpr StageTables kEnemyStages[kStageTableCount] = {kEnemyStage, kEnemyStage, kEnemyStage,
                                                               kEnemyStage, kEnemyStage, kEnemyStage};

// The act shape of every enemy: set-up in state 0, script, age and step in
// state 100, release otherwise.
inline void enemyTestAct(ObjTask* task) {
    if (task->state == kObjStateInit) {
        ObjWork* work = OBJworkNew();
        task->work = work;
        task->release = TSKgameCtrlKill;
        enemyAge(task) = 0;
        work->hit = TSKenemyHit;
        enemySelectMoveScript(work, enemySpawnParam(task));
        enemy(work).offscreenTimer = 3600;
        task->state = kObjStateRun;
        return;
    }
    if (task->state == kObjStateRun) {
        enemyMoveScript(task, task->work);
        ++enemyAge(task);
        if (!enemyStep(task, task->work)) task->state = kObjStateEnd;
        return;
    }
    if ((task->flags & kObjTaskPersistent) == 0) OBJtaskRelease(task);
}

class EnemyFixture : public ::testing::Test {
protected:
    void SetUp() override {
        OBJtaskPoolInit();
        gameRandSeed(1);
        stageTablesUse(kEnemyStages);
        stageNumber = 1;
        gameMode = 2;
        gameSystem = 0;
        menuResultCode = 0;
        bossPresentFlag = 0;
        stageClearFlag = 0;
        enemyAttackRank = 0;
        enemyWordsClear();
        bossFlagsClear();
        eshotCancelClear();
    }
    void TearDown() override {
        stageTablesUse(nullptr);
        OBJtaskReleaseAll(nullptr);
        OBJtaskPoolInit();
        seqTask = nullptr;
    }

    // An enemy of a size class with hp at (x, y), already on the screen
    // unless said, its script by param.
    ObjTask* makeEnemy(int32_t sizeClass, int32_t hp, float x, float y, int32_t param = -1) {
        ObjTask* task = OBJtaskCreate(enemyTestAct, kEnemyGroup, kEnemyTag);
        enemySpawnParam(task) = param;
        enemyTestAct(task);
        task->work->x = x;
        task->work->y = y;
        enemy(task->work).sizeClass = sizeClass;
        enemy(task->work).hp = hp;
        return task;
    }
    // A boss of class 4 with its forms' hit points.
    ObjTask* makeBoss(std::initializer_list<int32_t> forms, int32_t kind = 100) {
        ObjTask* task = makeEnemy(4, 0, 112.0f, 100.0f);
        EnemyFields& e = enemy(task->work);
        int i = 0;
        for (int32_t hp : forms) e.hp += (e.formHp[i++] = hp);
        e.formCount = i;
        task->work->kind = kind;
        return task;
    }
    static void enter(ObjTask* task) { enemy(task->work).offscreenTimer = 0; }
    static void step(ObjTask* task) { task->act(task); }

    // A hitter of a task group (6 fighter shot, 10 gun unit, 16 bomb) with
    // its damage, made the enemy's other party as the collision pass does.
    ObjWork* hit(ObjTask* target, int32_t group, int32_t damage) {
        ObjTask* hitter = OBJtaskCreate(enemyTestAct, group, objTag("TEST"));
        hitter->state = 12345;
        hitter->work = OBJworkNew();
        hitter->release = TSKgameCtrlKill;
        hitter->work->life = damage;
        target->work->lastCollider = objRef(hitter);
        ObjWorkFn callback = target->work->hit;
        if (callback != nullptr) callback(target, target->work);
        return hitter->work;
    }
};
