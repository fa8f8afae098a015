// Kind 127, the stage-5 gate: a two-leaf door on the ground layer that
// slides open as it scrolls in, fades once open and ends below the screen.
// Its leaves block fighter shots until the opening reaches 120.
#include <algorithm>

#include "game/bosses/boss_shape.h"
#include "game/core/draw_store.h"
#include "game/core/game_sequence.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/sound_requests.h"
#include "game/stages/enemies/enemy_kinds.h"
#include "game/stages/enemies/enemy_script.h"
#include "game/stages/enemies/enemy_step.h"
#include "game/stages/enemies/stage_visuals.h"
#include "game/stages/field_layers.h"

namespace {

constexpr float kGateX = 112.0f;
constexpr int32_t kGateDoorSound = 7;
constexpr float kGateOpensBelow = 10.0f;
constexpr float kGateFade = 0.03f;
constexpr float kGateEndsBelow = 338.0f;
constexpr int32_t kGateLeftLeaf = 5943;
constexpr int32_t kGateRightLeaf = 5944;
constexpr int32_t kGateFrame = 5945;
constexpr int32_t kGateFrameLayer = 801;

enum St05GateState : int32_t { kGateClosed, kGateOpening, kGateOpen, kGateDone };

void st05GateInit(ObjTask* task) {
    ObjWork* work = OBJworkSetUp(task, {TSKgameCtrlKill, TSKst05GateDraw, TSKstageVisualHit, 0.0f});
    if (work == nullptr) return;
    work->angle = 0.0f;
    enemySelectMoveScript(work, enemySpawnParam(task));
    work->alpha = 1.0f;
    work->x = kGateX;
    work->diesWithBoss = 0;
}

void st05GateStep(ObjTask* task, ObjWork* work) {
    EnemyFields& e = enemy(work);
    switch (e.phase) {
    case kGateClosed:
        // A row's first extra word opens the gate wherever it stands.
        if (e.spawnExtras[0] != 0 || work->y > kGateOpensBelow) {
            e.phase = kGateOpening;
            SDL2_wheel_SoundPlaySE(kGateDoorSound, false);
        }
        break;
    case kGateOpening:
        if (++e.step > kStageDoorOpened) e.phase = kGateOpen;
        break;
    case kGateOpen:
        work->alpha = std::max(work->alpha - kGateFade, 0.0f);
        if (work->y > kGateEndsBelow) e.phase = kGateDone;
        break;
    default:
        task->state = kObjStateEnd;
        break;
    }
}

void st05GateUpdate(ObjTask* task) {
    ObjWork* work = task->work;
    EnemyFields& e = enemy(work);
    if (!enemyStep(task, work)) task->state = kObjStateEnd;
    if (e.firstFrameSeen == 0) {
        e.firstFrameSeen = 1;
        enemySetLayerDepth(work);
    }
    stageDoorSetBoxes(work, StageDoorRow::kGate, work->hitsOff == 0 && e.step < kStageDoorOpened);
    st05GateStep(task, work);
    ++work->age;
}

}  // namespace

void TSKst05GateAct(ObjTask* task) { bossAct(task, st05GateInit, st05GateUpdate); }

void TSKst05GateDraw(ObjTask*, ObjWork* work) {
    const FieldLayerTint& tint = fieldLayerSharedTint;
    work->r = uint8_t(tint.r);
    work->g = uint8_t(tint.g);
    work->b = uint8_t(tint.b);
    if (work->alpha > 0.0f) {
        const EnemyFields& e = enemy(work);
        const float y = work->y + e.drawOffset.y;
        const float opening = float(e.step);
        const int32_t layer = int32_t(work->depth);
        OBJdrawSprite(work, kGateLeftLeaf, work->x - opening, y, layer, 1.0f, 1.0f, 0.0f, work->alpha, 0);
        OBJdrawSprite(work, kGateRightLeaf, work->x + opening, y, layer, 1.0f, 1.0f, 0.0f, work->alpha, 0);
        OBJdrawSprite(work, kGateFrame, work->x, y, kGateFrameLayer, 1.0f, 1.0f, 0.0f, work->alpha, 0);
    }
    work->r = work->g = work->b = 255;
}
