// Kind 124, the stage-2 boss-intro visual: "start" once, then "loop", drawn
// at the screen's centre in the background's tint, half bright.
#include "game/bosses/boss_flags.h"
#include "game/bosses/boss_shape.h"
#include "game/bosses/boss_visuals.h"
#include "game/bosses/boss_warning.h"
#include "game/core/game_sequence.h"
#include "game/core/game_task.h"
#include "game/core/motion_wrappers.h"
#include "game/core/obj_work.h"
#include "game/stages/enemies/enemy_kinds.h"
#include "game/stages/enemies/enemy_script.h"
#include "game/stages/enemies/enemy_step.h"

namespace {

constexpr float kSt2bossvisualDepth = 10.0f;

void st2bossvisualInit(ObjTask* task) {
    ObjWork* work = OBJworkSetUp(task, {TSKgameCtrlKill, TSKbossVisualDraw, nullptr, kSt2bossvisualDepth});
    if (work == nullptr) return;
    enemySelectMoveScript(work, enemySpawnParam(task));
    work->motionSlot0 = SDL2_wheel_MotionCreate(int32_t(kSt2bossvisualDepth), "st2bossvisual");
    bossVisualFlag = 1;
    work->diesWithBoss = 0;
}

void st2bossvisualPlay(ObjWork* work, const char* label) {
    SDL2_wheel_MotionPlay(work->motionSlot0, 0, "anime_1", label);
    bossVisualFollow(work, SDL2_wheel_MotionGetLength(work->motionSlot0));
}

void st2bossvisualUpdate(ObjTask* task) {
    ObjWork* work = task->work;
    EnemyFields& e = enemy(work);
    if (!enemyStep(task, work)) task->state = kObjStateEnd;
    if (e.firstFrameSeen == 0) {
        e.firstFrameSeen = 1;
        st2bossvisualPlay(work, "start");
        work->x = 112.0f;
        work->y = 144.0f;
    }
    if (++e.frameCount >= SDL2_wheel_MotionGetLength(work->motionSlot0)) {
        e.frameCount = 0;
        st2bossvisualPlay(work, "loop");
    }
    work->vx = work->vy = 0.0f;
    work->speedX = work->speedY = 0;
    ++work->age;
    SDL2_wheel_MotionUpdateLoop(work->motionSlot0);
    SDL2_wheel_MotionSetColor(work->motionSlot0, bossVisualColorWord(0xFF));
}

}  // namespace

void TSKst2bossvisualAct(ObjTask* task) { bossAct(task, st2bossvisualInit, st2bossvisualUpdate); }
