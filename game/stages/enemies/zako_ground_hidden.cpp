// The hidden targets, kinds 78 and 79: they outlive bosses and the boss
// sweep, take hits without score, and give an item when destroyed. Kind 78
// lives only in the special mode; kind 79 shows and takes hits only while
// the fighter is powered up.
#include "game/core/draw_store.h"
#include "game/core/obj_ref.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/play_state.h"
#include "game/objects/effects.h"
#include "game/objects/fighter_counters.h"
#include "game/objects/item.h"
#include "game/stages/enemies/enemy_sound_gate.h"
#include "game/stages/enemies/zako_ground.h"
#include "game/stages/enemies/zako_ground_parts.h"
#include "game/stages/rank_carriers.h"

namespace {

constexpr int32_t kZakoHiddenFirstSecret = 5527;  // stage 1's row of four; a row a stage

void zakoHiddenAct(ObjTask* task, int32_t kind, ObjWorkFn draw, ObjWorkFn hit) {
    const ZakoGroundKind& row = *zakoGroundKind(kind);
    if (task->state == kObjStateInit) {
        zakoGroundInit(task, row, draw, nullptr, hit);
        return;
    }
    if (task->state != kObjStateRun) {
        OBJtaskReleaseUnlessPersistent(task);
        return;
    }
    bool firstFrame = false;
    if (!zakoGroundRun(task, row, &firstFrame)) return;
    if (kind == 78 && firstFrame && !enemyIsSpecialMode()) {
        task->state = kObjStateEnd;
        return;
    }
    if (kind == 79 && !fighterIsPowerUp()) {
        task->work->hitBoxes = nullptr;
        task->work->hitBoxCount = 0;
    }
}

// The hitter's damage straight off the hit points; below 0 the target
// breaks: its sound, a blast, its item, and the task ends.
void zakoHiddenHit(ObjTask* task, ObjWork* work, int32_t itemKind) {
    const ObjWork* hitter = objRefWork(work->lastCollider);
    if (hitter == nullptr) return;
    EnemyFields& e = enemy(work);
    e.hp -= hitter->life;
    if (e.hp >= 0 || work->lifeState == 3) return;
    work->lifeState = 3;
    work->hit = nullptr;
    work->hitBoxes = nullptr;
    work->hitBoxCount = 0;
    enemySoundGatePlay(EnemySoundGate::hiddenTarget);
    TSKeffectCreate(68, 0, 0.0f, 0, 0, ObjRef{}, work->x, work->y);
    TSKitemCreate(itemKind, 0, work->x, work->y);
    task->state = kObjStateEnd;
}

}  // namespace

void TSKzako78Act(ObjTask* task) { zakoHiddenAct(task, 78, TSKzako78Draw, TSKzako78Hit); }
// Never drawn: nothing shows where it hides.
void TSKzako78Draw(ObjTask*, ObjWork*) {}
void TSKzako78Hit(ObjTask* task, ObjWork* work) { zakoHiddenHit(task, work, 13); }

void TSKzako79Act(ObjTask* task) { zakoHiddenAct(task, 79, TSKzako79Draw, TSKzako79Hit); }

// A faint blue glow, then the stage's secret item turning every 4 frames.
void TSKzako79Draw(ObjTask*, ObjWork* work) {
    if (!fighterIsPowerUp()) return;
    const EnemyFields& e = enemy(work);
    const float x = work->x + e.drawOffset.x;
    const float y = work->y + e.drawOffset.y;
    const int32_t layer = int32_t(work->depth);
    work->r = work->g = 255;
    work->b = 64;
    OBJdrawSprite(work, 1756 + work->age % 3, x, y, layer, 1.0f, 1.0f, 0.0f, 0.2f, 1);
    work->r = work->g = work->b = 255;
    if (stageNumber < 1 || stageNumber > 5) return;
    const int32_t frame = kZakoHiddenFirstSecret + 4 * (stageNumber - 1) + (work->age / 4) % 4;
    OBJdrawSprite(work, frame, x, y, layer, 1.0f, 1.0f, 0.0f, 0.8f, 0);
}

void TSKzako79Hit(ObjTask* task, ObjWork* work) { zakoHiddenHit(task, work, 11); }
