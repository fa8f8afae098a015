// Kinds 130 to 133: invisible markers that let a spawn row run a move script
// (and its events) without an object to see or hit.
#include "game/bosses/boss_shape.h"
#include "game/bosses/boss_warning.h"
#include "game/core/game_sequence.h"
#include "game/core/obj_work.h"
#include "game/core/play_state.h"
#include "game/stages/enemies/enemy_kinds.h"
#include "game/stages/enemies/enemy_script.h"
#include "game/stages/enemies/enemy_step.h"

namespace {

constexpr float kEmptyEffectDepth = 420.0f;

void emptyEffectInit(ObjTask* task) {
    ObjWork* work = OBJworkSetUp(task, {TSKgameCtrlKill, nullptr, nullptr, kEmptyEffectDepth});
    if (work == nullptr) return;
    work->alpha = 0.0f;
    enemySelectMoveScript(work, enemySpawnParam(task));
}

void emptyEffectUpdate(ObjTask* task) {
    ObjWork* work = task->work;
    EnemyFields& e = enemy(work);
    if (!enemyStep(task, work)) task->state = kObjStateEnd;
    if (e.firstFrameSeen == 0) {
        e.firstFrameSeen = 1;
        // A stage already cleared has no use for what the row would start.
        if (stageClearFlag != 0) task->state = kObjStateEnd;
    }
    work->vx = work->vy = 0.0f;
    work->speedX = work->speedY = 0;
    ++work->age;
}

}  // namespace

void TSKemptyEffectAct(ObjTask* task) { bossAct(task, emptyEffectInit, emptyEffectUpdate); }
