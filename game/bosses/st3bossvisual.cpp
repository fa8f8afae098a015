// Kind 125, the stage-3 boss's intro visual, made where the stage-3 hulk
// fell: "start" once, then "loop", at the screen's centre in the
// background's tint, half bright.
#include "game/bosses/boss_shape.h"
#include "game/bosses/boss_visuals.h"
#include "game/bosses/boss_warning.h"
#include "game/core/game_sequence.h"
#include "game/core/motion_wrappers.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/stages/enemies/enemy_kinds.h"
#include "game/stages/enemies/enemy_script.h"
#include "game/stages/enemies/enemy_step.h"
#include "game/stages/enemies/stage_visuals.h"

namespace {

constexpr float kSt3bossvisualDepth = 10.0f;
constexpr int32_t kSt3bossvisualLayer = 104;

void st3bossvisualInit(ObjTask* task) {
    ObjWork* work = OBJworkSetUp(task, {TSKgameCtrlKill, TSKbossVisualDraw, TSKstageVisualHit, kSt3bossvisualDepth});
    if (work == nullptr) return;
    enemySelectMoveScript(work, enemySpawnParam(task));
    work->motionSlot0 = SDL2_wheel_MotionCreate(kSt3bossvisualLayer, "st3bossvisual");
    work->diesWithBoss = 0;
}

void st3bossvisualPlay(ObjWork* work, const char* label) {
    SDL2_wheel_MotionPlay(work->motionSlot0, 0, "st3bossvisual", label);
    bossVisualFollow(work, SDL2_wheel_MotionGetLength(work->motionSlot0));
}

void st3bossvisualUpdate(ObjTask* task) {
    ObjWork* work = task->work;
    EnemyFields& e = enemy(work);
    if (!enemyStep(task, work)) task->state = kObjStateEnd;
    if (e.firstFrameSeen == 0) {
        e.firstFrameSeen = 1;
        st3bossvisualPlay(work, "start");
        work->x = 112.0f;
        work->y = 144.0f;
    }
    if (++e.frameCount >= SDL2_wheel_MotionGetLength(work->motionSlot0)) {
        e.frameCount = 0;
        st3bossvisualPlay(work, "loop");
    }
    SDL2_wheel_MotionUpdateLoop(work->motionSlot0);
    SDL2_wheel_MotionSetColor(work->motionSlot0, bossVisualColorWord(0xFF));
    work->vx = work->vy = 0.0f;
    work->speedX = work->speedY = 0;
    ++work->age;
}

}  // namespace

void TSKst3bossvisualAct(ObjTask* task) { bossAct(task, st3bossvisualInit, st3bossvisualUpdate); }
