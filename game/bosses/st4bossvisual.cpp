// Kind 126, the stage-4 boss arena: a two-leaf door that opens ahead of the
// boss, a black veil that covers the screen while the boss comes in, and
// the arena's lights ("st4bossvisual") that play once the veil lifts.
#include <algorithm>

#include "game/bosses/boss_flags.h"
#include "game/bosses/boss_shape.h"
#include "game/bosses/boss_visuals.h"
#include "game/core/draw_store.h"
#include "game/core/game_sequence.h"
#include "game/core/motion_wrappers.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/sound_requests.h"
#include "game/objects/fighter_counters.h"
#include "game/stages/enemies/enemy_kinds.h"
#include "game/stages/enemies/enemy_script.h"
#include "game/stages/enemies/enemy_step.h"
#include "game/stages/enemies/stage_visuals.h"
#include "game/stages/field_layers.h"
#include "game/stages/stage_field.h"

namespace {

constexpr int32_t kArenaLayer = 200;
constexpr int32_t kArenaDoorSound = 7;
constexpr int32_t kArenaOpensAfter = 14860;
constexpr int32_t kArenaVeilsAfter = 15200;
constexpr float kArenaVeilStep = 0.01f;
constexpr int32_t kArenaLightsWait = 120;
constexpr int32_t kArenaLeftLeaf = 5941;
constexpr int32_t kArenaRightLeaf = 5942;
constexpr int32_t kArenaFrame = 5940;
constexpr int32_t kArenaFrameLayer = 801;
constexpr int32_t kArenaVeil = 2687;
constexpr int32_t kArenaVeilLayer = 203;

enum St4bossvisualState : int32_t {
    kArenaClosed,
    kArenaOpening,
    kArenaOpen,
    kArenaVeiling,
    kArenaVeiled,
    kArenaUnveiling,
    kArenaWaitLabel,
    kArenaStartLabel,
    kArenaLoopLabel,
    kArenaEndCall,
    kArenaEndLabel,
};

void st4bossvisualInit(ObjTask* task) {
    ObjWork* work = OBJworkSetUp(task, {TSKgameCtrlKill, TSKst4bossvisualDraw, TSKstageVisualHit, 0.0f});
    if (work == nullptr) return;
    work->angle = 0.0f;
    enemySelectMoveScript(work, enemySpawnParam(task));
    enemy(work).beamLevel = 0.0f;
    work->alpha = 1.0f;
    work->motionSlot0 = SDL2_wheel_MotionCreate(kArenaLayer, "st4bossvisual");
    work->diesWithBoss = 0;
    SDL2_wheel_MotionPlay(work->motionSlot0, 0, "st4bossvisual", "wait");
    SDL2_wheel_MotionPause(work->motionSlot0);
}

void st4bossvisualPlay(ObjWork* work, const char* label) {
    SDL2_wheel_MotionPlay(work->motionSlot0, 0, "st4bossvisual", label);
}

// The doors open, then the veil falls over the screen; the arena then
// stands at the centre and no longer rides the ground.
void st4bossvisualDoors(ObjTask* task, ObjWork* work) {
    EnemyFields& e = enemy(work);
    switch (e.phase) {
    case kArenaClosed:
        if (stageFrame > kArenaOpensAfter) {
            e.phase = kArenaOpening;
            SDL2_wheel_SoundPlaySE(kArenaDoorSound, false);
            fighterSetAbsent(0);
        }
        break;
    case kArenaOpening:
        if (work->age % 2 == 0) ++e.step;
        if (e.step > kStageDoorOpened) e.phase = kArenaOpen;
        break;
    case kArenaOpen:
        if (stageFrame > kArenaVeilsAfter) e.phase = kArenaVeiling;
        break;
    default:
        work->alpha = std::max(work->alpha - kArenaVeilStep, 0.0f);
        e.beamLevel += kArenaVeilStep;
        if (e.beamLevel <= 1.0f) break;
        e.beamLevel = 1.0f;
        work->alpha = 0.0f;
        work->x = 112.0f;
        work->y = 144.0f;
        task->flags &= ~kEnemyFollowsLayer;
        e.followedLayer = 0;
        e.phase = kArenaVeiled;
        break;
    }
}

// Behind the lifted veil: the lights wait, start, loop while the boss
// fights and end with it.
void st4bossvisualLights(ObjWork* work) {
    EnemyFields& e = enemy(work);
    const int32_t slot = work->motionSlot0;
    const int32_t length = SDL2_wheel_MotionGetLength(slot);
    switch (e.phase) {
    case kArenaVeiled:
        if (st4BossEntered == 1) e.phase = kArenaUnveiling;
        break;
    case kArenaUnveiling:
        e.beamLevel -= kArenaVeilStep;
        if (e.beamLevel >= 0.0f) break;
        e.beamLevel = 0.0f;
        SDL2_wheel_MotionResume(slot);
        e.phase = kArenaWaitLabel;
        break;
    case kArenaWaitLabel:
        if (e.stepCount < kArenaLightsWait) {
            ++e.stepCount;
            break;
        }
        // Without a slot "wait" has played through at once.
        if (slot >= 0 && SDL2_wheel_MotionGetLoopCount(slot) < 1) {
            ++e.frameCount;
            break;
        }
        st4bossvisualPlay(work, "start");
        e.frameCount = e.stepCount = 0;
        e.phase = kArenaStartLabel;
        break;
    case kArenaStartLabel:
        if (++e.frameCount < length) break;
        st4bossvisualPlay(work, "loop");
        e.frameCount = 0;
        e.phase = kArenaLoopLabel;
        break;
    case kArenaLoopLabel:
        if (++e.frameCount >= length) e.frameCount = 0;
        if (st4BossDying == 1) e.phase = kArenaEndCall;
        break;
    case kArenaEndCall:
        st4bossvisualPlay(work, "end");
        e.frameCount = 0;
        e.phase = kArenaEndLabel;
        break;
    default:
        if (e.frameCount < length - 1) ++e.frameCount;
        break;
    }
}

}  // namespace

void TSKst4bossvisualAct(ObjTask* task) { bossAct(task, st4bossvisualInit, TSKst4bossvisualUpdate); }

void TSKst4bossvisualUpdate(ObjTask* task) {
    ObjWork* work = task->work;
    EnemyFields& e = enemy(work);
    if (!enemyStep(task, work)) task->state = kObjStateEnd;
    if (e.firstFrameSeen == 0) {
        e.firstFrameSeen = 1;
        enemySetLayerDepth(work);
    }
    stageDoorSetBoxes(work, StageDoorRow::kArena, work->hitsOff == 0);
    if (e.phase < kArenaVeiled) {
        st4bossvisualDoors(task, work);
    } else {
        st4bossvisualLights(work);
    }
    bossVisualShowFrame(work, e.frameCount);
    SDL2_wheel_MotionUpdateLoop(work->motionSlot0);
    SDL2_wheel_MotionSetColor(work->motionSlot0, bossVisualColorWord(e.phase < kArenaVeiled ? 0 : 0xFF));
    ++work->age;
}

void TSKst4bossvisualDraw(ObjTask* task, ObjWork* work) {
    const FieldLayerTint& tint = fieldLayerSharedTint;
    const EnemyFields& e = enemy(work);
    work->r = uint8_t(tint.r);
    work->g = uint8_t(tint.g);
    work->b = uint8_t(tint.b);
    if (e.phase >= kArenaVeiled) TSKbossVisualDraw(task, work);
    if (work->alpha > 0.0f) {
        const float y = work->y + e.drawOffset.y;
        const float opening = float(e.step);
        const int32_t layer = int32_t(work->depth);
        OBJdrawSprite(work, kArenaLeftLeaf, work->x - opening, y, layer, 1.0f, 1.0f, 0.0f, work->alpha, 0);
        OBJdrawSprite(work, kArenaRightLeaf, work->x + opening, y, layer, 1.0f, 1.0f, 0.0f, work->alpha, 0);
        OBJdrawSprite(work, kArenaFrame, work->x, y, kArenaFrameLayer, 1.0f, 1.0f, 0.0f, work->alpha, 0);
    }
    if (e.beamLevel > 0.0f) {
        work->r = work->g = work->b = 0;
        OBJdrawSprite(work, kArenaVeil, 112.0f, 144.0f, kArenaVeilLayer, 8.0f, 9.0f, 0.0f, e.beamLevel, 0);
    }
    work->r = work->g = work->b = 255;
}
