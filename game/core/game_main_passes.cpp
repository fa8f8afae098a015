#include "game/core/game_main_passes.h"

#include <algorithm>

#include "game/core/collision.h"
#include "game/core/game_main.h"
#include "game/core/input_words.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/play_state.h"
#include "game/objects/fighter.h"
#include "game/objects/popups.h"
#include "game/objects/eshot.h"
#include "game/stages/enemies/eshot_cancel.h"
#include "game/stages/enemies/enemy_sound_gate.h"
#include "game/stages/enemies/enemy_words.h"
#include "game/stages/stage_field.h"
#include "game/stages/rank_carriers.h"

namespace {

// The stage, its layers, the enemies and the wreckage stand still while the
// continue screen or the game-over scene runs; the sequence, shots, the
// fighter and the scenes go on.
bool frozenGroup(int32_t group) {
    return (group >= 1 && group <= 5) || group == kGroupEnemies || group == 17;
}

void drawObject(ObjTask* task) {
    ObjWork* work = task->work;
    if (work != nullptr && work->draw != nullptr && work->visible == 1) work->draw(task, work);
}

// A task released by its own act draws nothing.
void actAndDraw(ObjTask* task, bool frozen, int pass) {
    if (task->act != nullptr && !(frozen && frozenGroup(task->group))) task->act(task);
    if (pass == actPassCount - 1 && (task->flags & kObjTaskLive) != 0) drawObject(task);
}

void countDown(int32_t& timer) { timer = std::max(timer - 1, 0); }

void stepBulletCancelQueue() {
    EshotCancelQueue& queue = eshotCancelQueue;
    for (EshotCancelSlot& slot : queue.slots) {
        if (slot.done == 1) eshotCancelFreeSlot(slot);
    }
    if (queue.countdown > 0 && --queue.countdown == 0) {
        for (EshotCancelSlot& slot : queue.slots) eshotCancelFreeSlot(slot);
        queue.cancelledCount = 0;
    }
}

// The first task of group 9 with its work: the play fighter, or the staff
// roll's character (a task of another act).
const ObjTask* fighterPresent() {
    const ObjTaskGroup& fighters = OBJtaskGroup(kGroupFighter);
    const ObjTask* first = fighters.head.next;
    return first != &fighters.tail && first->work != nullptr ? first : nullptr;
}

// The bullet-cancel queue and the cooldowns run while a fighter is up; rank
// and the item carriers read the play fighter's own fields, so they leave
// the staff roll's character alone.
void stepPlayAfterPass() {
    const ObjTask* present = fighterPresent();
    if (present == nullptr) return;
    if (present->act == TSKfighterAct) {
        enemyUpdateRank();
        itemCarrierUpdate();
    }
    stepBulletCancelQueue();
    countDown(eshotConvertCountdown);
    countDown(enemyExplosionTimer);
    countDown(enemyShotSoundCooldown);
    enemySoundGatesCountDown();
    countDown(scorePopupTimer);
    countDown(layerTintTimer);
}

// Each pass reads the count and the freezes anew: an act may change them.
void runActPasses() {
    SDL2_wheel_InputPoll();
    if (actPassCount <= 0) {
        gameMainDrawWalk();
        return;
    }
    for (int pass = 0; pass < actPassCount; ++pass) {
        const bool frozen = gameMainPlayFrozen();
        for (int group = 0; group < kObjTaskGroups; ++group) {
            OBJtaskWalk(group, [frozen, pass](ObjTask* task) { actAndDraw(task, frozen, pass); });
        }
        stepPlayAfterPass();
        OBJcollisionPass();
    }
}

// N > 0 acts on the updates whose frame counter is a multiple of N; N < 0
// skips those.
bool slowMotionSkips() {
    const bool active = slowMotionFrames > 0;
    if (active) slowMotionPeriodInUse = slowMotionPeriod;
    if (slowMotionPeriodInUse == 0) slowMotionPeriodInUse = 1;
    if (!active) return false;
    const int64_t period = slowMotionPeriodInUse;
    const bool onBeat = gameFrameCounter % uint64_t(period > 0 ? period : -period) == 0;
    return period > 0 ? !onBeat : onBeat;
}

}  // namespace

bool gameMainPlayFrozen() { return continueScreenActive != 0 || freezeByGameOver != 0; }

void gameMainDrawWalk() {
    for (int group = 0; group < kObjTaskGroups; ++group) OBJtaskWalk(group, drawObject);
}

void gameMainRunObjects() {
    if (gamePaused == 1) {
        gameMainDrawWalk();
        SDL2_wheel_InputPoll();
        return;
    }
    if (slowMotionSkips()) {
        gameMainDrawWalk();
    } else {
        runActPasses();
    }
    countDown(slowMotionFrames);
}
