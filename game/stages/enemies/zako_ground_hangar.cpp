// The hangar, kind 64, and the gun carriers, kinds 66 and 67, that it
// rolls out (the stages also place carriers of their own).
#include "game/core/obj_ref.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/play_state.h"
#include "game/stages/enemies/bullet_patterns.h"
#include "game/stages/enemies/enemy_damage.h"
#include "game/stages/enemies/enemy_kinds.h"
#include "game/stages/enemies/enemy_sound_gate.h"
#include "game/stages/enemies/enemy_step.h"
#include "game/stages/enemies/zako_ground.h"
#include "game/stages/enemies/zako_ground_parts.h"
#include "game/stages/rank_carriers.h"

namespace {

constexpr int32_t kZakoHangarChildren = 2;
constexpr int32_t kZakoHangarRollOut = 100;  // the age its doors open onto layer 2

// A carrier gun's fan by rank level: speed base + step x shot index, spread, count.
struct ZakoCarrierFan {
    float speed, speedStep;
    int32_t spread, count;
};
constexpr ZakoCarrierFan kZakoCarrierFans[4][2] = {
    {{100.0f, 10.0f, 128, 3}, {100.0f, 10.0f, 128, 3}},
    {{150.0f, 20.0f, 92, 3}, {150.0f, 20.0f, 92, 3}},
    {{220.0f, 20.0f, 70, 3}, {220.0f, 20.0f, 70, 3}},
    {{220.0f, 20.0f, 60, 5}, {250.0f, 20.0f, 36, 5}},
};

// Two carriers beside the hangar, kept by reference; a full pool leaves an
// empty reference and the hangar goes on.
void zakoHangarRollOut(ObjTask* task, ObjWork* work) {
    constexpr float kOffsets[kZakoHangarChildren][2] = {{-20.0f, -15.0f}, {20.0f, 15.0f}};
    EnemyFields& e = enemy(work);
    for (int32_t i = 0; i < kZakoHangarChildren; ++i) {
        ObjTask* child = enemySpawnKind(66, enemySpawnParam(task), work->x + kOffsets[i][0], work->y + kOffsets[i][1]);
        e.partLink[i] = child != nullptr ? objRef(child) : ObjRef{};
        if (child == nullptr) continue;
        child->work->speed = 0.0f;
        child->work->heading = 0;
    }
}

void zakoHangarOpen(ObjWork* work) {
    work->depth = 12.0f;
    for (int32_t i = 0; i < kZakoHangarChildren; ++i) {
        if (ObjWork* child = objRefWork(enemy(work).partLink[i])) enemy(child).followedLayer = 2;
    }
}

}  // namespace

void TSKzako64Act(ObjTask* task) {
    const ZakoGroundKind& row = *zakoGroundKind(64);
    if (task->state == kObjStateInit) {
        zakoGroundInit(task, row, TSKzako64Draw, nullptr);
        return;
    }
    if (task->state != kObjStateRun) {
        OBJtaskReleaseUnlessPersistent(task);
        return;
    }
    bool firstFrame = false;
    if (!zakoGroundRun(task, row, &firstFrame)) return;
    ObjWork* work = task->work;
    if (firstFrame) {
        work->depth = 10.0f;
        zakoHangarRollOut(task, work);
    }
    if (work->age == kZakoHangarRollOut) zakoHangarOpen(work);
}

void TSKzako64Draw(ObjTask*, ObjWork* work) { zakoGroundDrawLayers(work, 5379, 0); }

// Kind 67 differs only in its gun markers, read once its kind is written.
void TSKzako66Act(ObjTask* task) {
    if (task->state == kObjStateInit) {
        zakoGroundInit(task, *zakoGroundKind(66), TSKzako66Draw, TSKzako66Attack);
        if (task->work == nullptr) return;
        if (stageNumber == 1) enemy(task->work).hp = enemy(task->work).hpMax = enemyScaleHp(2048);
        enemySoundGatePlay(EnemySoundGate::groundMove);
        return;
    }
    if (task->state != kObjStateRun) {
        OBJtaskReleaseUnlessPersistent(task);
        return;
    }
    zakoGroundRun(task, *zakoGroundKind(task->work->kind == 67 ? 67 : 66));
}

void TSKzako66Attack(ObjTask* task, ObjWork* work) {
    EnemyFields& e = enemy(work);
    if (e.shotIndex == 0) {
        for (int32_t gun = 0; gun < 2; ++gun) {
            const EnemyAimSlot& slot = e.aimSlots[gun];
            e.aimWords[gun] = enemyAngleToPlayer(work->x + slot.offsetX, work->y + slot.offsetY);
        }
    }
    const bool mayFire = zakoGroundMayFire(work);
    const int32_t level = enemyRankLevel();
    for (int32_t gun = 0; gun < 2; ++gun) {
        if (!mayFire) continue;
        const ZakoCarrierFan& fan = kZakoCarrierFans[level][gun];
        float x = 0.0f;
        float y = 0.0f;
        zakoGroundMuzzle(work, gun, &x, &y);
        const float speed = fan.speed + fan.speedStep * float(e.shotIndex);
        enemyShotFan(15, e.aimWords[gun], speed, fan.count, fan.spread, objRef(task), x, y);
    }
}

// Its body picture is still to come: only the edge marker shows.
void TSKzako66Draw(ObjTask*, ObjWork* work) { enemyDrawExitMarker(work); }
