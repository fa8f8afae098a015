// The pop-up guns, kinds 26 and 27: they open with a beam sound, take hits
// only once open, and fire straight at the fighter from their own place.
#include "game/core/obj_ref.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/play_state.h"
#include "game/objects/effects.h"
#include "game/stages/enemies/bullet_patterns.h"
#include "game/stages/enemies/enemy_sound_gate.h"
#include "game/stages/enemies/enemy_step.h"
#include "game/stages/enemies/zako_ground.h"
#include "game/stages/enemies/zako_ground_parts.h"
#include "game/stages/rank_carriers.h"

namespace {

constexpr int32_t kZakoPopupOpen = 8;  // the opening counter once open

void zakoPopupAct(ObjTask* task, int32_t kind, ObjWorkFn draw, ObjWorkFn attack, ObjWorkFn hit) {
    const ZakoGroundKind& row = *zakoGroundKind(kind);
    if (task->state == kObjStateInit) {
        zakoGroundInit(task, row, draw, attack, hit);
        return;
    }
    if (task->state != kObjStateRun) {
        OBJtaskReleaseUnlessPersistent(task);
        return;
    }
    bool firstFrame = false;
    if (!zakoGroundRun(task, row, &firstFrame)) return;
    ObjWork* work = task->work;
    EnemyFields& e = enemy(work);
    if (firstFrame) enemySoundGatePlay(EnemySoundGate::groundBeam);
    // The opening counter lives in the work's step word.
    if (e.step < kZakoPopupOpen && work->age % 2 == 0) ++e.step;
    if (e.step < kZakoPopupOpen) {
        work->hitBoxes = nullptr;
        work->hitBoxCount = 0;
    }
}

// Level 0-2 one bullet of type 158 at 160, 200, 240; level 3 a line of two at 240, step 10.
void zakoPopupFire(ObjTask* task, ObjWork* work) {
    const int32_t angle = enemyAngleToPlayer(work->x, work->y);
    const int32_t level = enemyRankLevel();
    if (level >= 3) {
        enemyShotLine(158, angle, 240.0f, 2, 10.0f, objRef(task), work->x, work->y);
        return;
    }
    enemyShot(158, angle, 160.0f + 40.0f * float(level), objRef(task), work->x, work->y);
}

// The gun's ground wreck picture, deeper on layer 3.
void zakoPopupHit(ObjTask* task, ObjWork* work) {
    if (!zakoGroundHitKills(task, work)) return;
    const int32_t effectKind = stageNumber == 3 || stageNumber == 5 ? 111 : 110;
    const int32_t depth = enemy(work).followedLayer == 3 ? 201 : 101;
    TSKeffectCreate(effectKind, 0, 0.0f, depth, 0, ObjRef{}, work->x, work->y);
}

}  // namespace

void TSKzako26Act(ObjTask* task) { zakoPopupAct(task, 26, TSKzako26Draw, TSKzako26Attack, TSKzako26Hit); }
void TSKzako26Attack(ObjTask* task, ObjWork* work) { zakoPopupFire(task, work); }
void TSKzako26Draw(ObjTask*, ObjWork* work) { zakoGroundDrawLayers(work, 5494, 5505); }
void TSKzako26Hit(ObjTask* task, ObjWork* work) { zakoPopupHit(task, work); }

void TSKzako27Act(ObjTask* task) { zakoPopupAct(task, 27, TSKzako27Draw, TSKzako27Attack, TSKzako27Hit); }
void TSKzako27Attack(ObjTask* task, ObjWork* work) { zakoPopupFire(task, work); }
void TSKzako27Draw(ObjTask*, ObjWork* work) { zakoGroundDrawLayers(work, 5494, 5505); }
void TSKzako27Hit(ObjTask* task, ObjWork* work) { zakoPopupHit(task, work); }
