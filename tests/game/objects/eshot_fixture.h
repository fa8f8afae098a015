#pragma once
// A fresh pool and fresh shot words per test, a stand-in fighter of the
// test's own (group 9, `FIGH`) and helpers that find and count what the
// shots made.

#include <gtest/gtest.h>

#include <vector>

#include "game/core/game_random.h"
#include "game/core/game_sequence.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/play_state.h"
#include "game/objects/effects.h"
#include "game/objects/eshot.h"
#include "game/objects/item.h"
#include "game/records/play_selection.h"
#include "game/records/settings_file.h"
#include "game/stages/enemies/eshot_cancel.h"

inline void eshotFixtureClear() {
    eshotLiveCount = 0;
    eshotSpeedBonus = 0.0f;
    eshotConvertCountdown = 0;
    st4BurstSignal = 0;
    enemyShotStop = 0;
    gameMode = 2;
    menuResultCode = 0;
    stageNumber = 1;
    bossPresentFlag = 0;
    eshotCancelClear();
    eshotLaserClear();
    itemLiveBombs = itemLiveChanges = itemLiveSways = 0;
    settingsSnapshot.enemyShotDraw = 1;
}

// An item the shots made, as made: kind, delay and glow.
struct MadeItem {
    int32_t kind, delay, glow;
};
inline std::vector<MadeItem> madeItems() {
    std::vector<MadeItem> items;
    OBJtaskWalk(kItemGroup, [&](ObjTask* task) {
        if (task->work != nullptr) items.push_back({task->work->kind, item(task->work).delay, item(task->work).glow});
    });
    return items;
}

// The live effects of a kind.
inline int eshotFixtureEffects(int32_t kind) {
    int n = 0;
    OBJtaskWalk(kEffectGroup, [&](ObjTask* task) { n += task->work != nullptr && task->work->kind == kind; });
    return n;
}

// A fighter of the test's own at (x, y), running with life 3 and no act.
inline ObjWork* eshotFixtureFighter(float x, float y, bool powerUp) {
    ObjTask* task = OBJtaskCreate(nullptr, 9, objTag("FIGH"));
    task->work = OBJworkNew();
    task->release = TSKgameCtrlKill;
    task->state = kObjStateRun;
    task->work->x = x;
    task->work->y = y;
    task->work->life = 3;
    fighter(task->work).powerUp = powerUp ? 1 : 0;
    return task->work;
}

class EshotFixture : public ::testing::Test {
protected:
    void SetUp() override {
        OBJtaskPoolInit();
        gameRandSeed(1);
        eshotFixtureClear();
    }
    void TearDown() override {
        OBJtaskReleaseAll(nullptr);
        OBJtaskPoolInit();
        eshotFixtureClear();
        gameMode = 0;
    }

    // A fighter of the test's own at (x, y): life 3, no blow.
    ObjWork* makeFighter(float x, float y, bool powerUp = false) {
        ObjWork* work = eshotFixtureFighter(x, y, powerUp);
        fighter(work).blowOff = 1;
        return work;
    }
    // A parent of the test's own in group 7.
    ObjTask* makeParent() {
        ObjTask* task = OBJtaskCreate(nullptr, 7, objTag("ZAKO"));
        task->work = OBJworkNew();
        task->release = TSKgameCtrlKill;
        task->state = 12345;
        return task;
    }
    static ObjTask* taskOf(const ObjWork* work) {
        for (int group : {kEshotGroup, kEshotSpecialGroup}) {
            ObjTaskGroup& list = OBJtaskGroup(group);
            for (ObjTask* task = list.head.next; task != &list.tail; task = task->next) {
                if (task->work == work) return task;
            }
        }
        return nullptr;
    }
    static ObjTask* fire(int32_t type, float speed = 100.0f, float x = 112.0f, float y = 100.0f, int32_t angle = 0,
                         ObjRef parent = {}) {
        ObjWork* work = TSKeshotCreate(type, angle, speed, 0, 0, parent, x, y);
        return work != nullptr ? taskOf(work) : nullptr;
    }
    static void step(ObjTask* task) { task->act(task); }
    static int effects(int32_t kind) { return eshotFixtureEffects(kind); }
    static int shots() { return OBJtaskCountByTag(kEshotGroup, kEshotTag) + OBJtaskCountByTag(kEshotSpecialGroup, kEshotTag); }
};
