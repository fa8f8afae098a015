#pragma once
// A fresh pool for the effects, popups, wreckage, fighter shots and gun
// units: a fighter of the test's own in group 9 (a work with the fighter
// view's values, every gauge full), the counters and the words these read at
// their start values, and helpers to run act passes.

#include <gtest/gtest.h>

#include <vector>

#include "game/core/draw_store.h"
#include "game/core/game_random.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/screen_effects.h"
#include "game/core/sprite_frames.h"
#include "game/objects/fshot.h"
#include "game/objects/popups.h"
#include "game/records/play_selection.h"
#include "game/stages/field_layers.h"

inline void effectsFixtureIdle(ObjTask*) {}
inline void effectsFixtureFreeWork(ObjTask* task) {
    OBJworkFree(task->work);
    task->work = nullptr;
}

class EffectsFixture : public ::testing::Test {
protected:
    void SetUp() override {
        OBJtaskPoolInit();
        OBJdrawRequestsClear();
        OBJdrawFlush();
        resetWords();
    }
    void TearDown() override {
        OBJsetFrameTable({});
        OBJtaskReleaseAll(nullptr);
        OBJtaskPoolInit();
        OBJdrawRequestsClear();
        OBJdrawFlush();
        resetWords();
    }

    static void resetWords() {
        fshotCounters = {};
        scorePopupTimer = 0;
        dramaticMode = 1;
        gameMode = 2;
        gameRandSeed(1);
        quakeOffsetX = quakeOffsetY = 0;
        fieldLayerShift = {};
        fieldLayerOffset = {};
        fieldLayerSharedTint = {255, 255, 255};
    }

    // The fighter of type 0..3 at (112, 220): every gauge full, alive, firing.
    ObjTask* makeFighter(int32_t type) {
        ObjTask* task = OBJtaskCreate(effectsFixtureIdle, 9, objTag("FIGH"));
        task->work = OBJworkNew();
        task->release = effectsFixtureFreeWork;
        task->state = kObjStateRun;
        ObjWork* work = task->work;
        work->x = 112.0f;
        work->y = 220.0f;
        work->life = 3;
        FighterFields& f = fighter(work);
        f.type = type;
        for (int32_t& gauge : f.teamGauges) gauge = 100000;
        f.fireCount = 30;
        f.fireFrame = 1;
        return task;
    }

    // Every id below 6000 an 8 by 8 cell, so the draws queue what they draw.
    void useEightByEightFrames() {
        frames.assign(6000, SpriteFrame{4, 0, 0, 8, 8, 0, 0, 0, 0, 0, 0});
        OBJsetFrameTable(frames);
    }
    // The draw entries the work's draw callback queues.
    static std::vector<DrawObj> drawnBy(ObjTask* task) {
        OBJdrawRequestsClear();
        OBJdrawFlush();
        task->work->draw(task, task->work);
        std::vector<DrawObj> drawn;
        for (int i = 0; i < OBJdrawStoreCount(); ++i) drawn.push_back(*OBJdrawStoreEntry(i));
        return drawn;
    }

    static void actPass(int group) {
        OBJtaskWalk(group, [](ObjTask* task) { task->act(task); });
    }
    static std::vector<ObjTask*> tasksOf(int group) {
        std::vector<ObjTask*> tasks;
        OBJtaskWalk(group, [&](ObjTask* task) { tasks.push_back(task); });
        return tasks;
    }
    static int countOf(int group) { return int(tasksOf(group).size()); }
    // Act passes of one group until its only task has ended (state -1);
    // the passes taken, or -1 when it runs past the limit.
    static int passesUntilEnded(int group, int limit) {
        for (int pass = 0; pass <= limit; ++pass) {
            const std::vector<ObjTask*> tasks = tasksOf(group);
            if (tasks.empty() || tasks.front()->state == kObjStateEnd) return pass;
            actPass(group);
        }
        return -1;
    }

    std::vector<SpriteFrame> frames;
};
