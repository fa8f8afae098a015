// The gun platforms, kinds 74, 76 and 77: one turret each (kind 76's set
// once and left fixed), firing their tables of fans of lines under the
// distance and height rules; 74 and 76 leave a wreck picture of their own.
#include <cstddef>

#include "game/core/obj_ref.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/play_state.h"
#include "game/objects/effects.h"
#include "game/stages/enemies/enemy_damage.h"
#include "game/stages/enemies/enemy_step.h"
#include "game/stages/enemies/zako_ground.h"
#include "game/stages/enemies/zako_ground_large.h"
#include "game/stages/enemies/zako_ground_parts.h"

namespace {

using PlatformRoutine = ZakoGroundLargeRoutine;

// Kind 74: fans of lines of type 144 at 400, 120 apart, step 20, on every
// shot; a powered-up fighter draws a wider fan on the burst's first shot.
constexpr ZakoGroundLargeCall kPlatform74Calls[] = {
    {0, 0, 1, 0, PlatformRoutine::fanOfLines, 144, 400.0f, 1, 120, 0, 0, 2, 20.0f, false, false},
    {1, 1, 1, 0, PlatformRoutine::fanOfLines, 144, 400.0f, 2, 120, 0, 0, 2, 20.0f, false, false},
    {2, 2, 1, 0, PlatformRoutine::fanOfLines, 144, 400.0f, 3, 120, 0, 0, 3, 20.0f, false, false},
    {3, 3, 1, 0, PlatformRoutine::fanOfLines, 144, 400.0f, 3, 120, 0, 0, 4, 20.0f, false, false},
    {0, 3, 0, 0, PlatformRoutine::fanOfLines, 144, 400.0f, 5, 120, 0, 0, 2, 20.0f, false, true},
};

// Kind 76, a shot every second frame along its fixed aim: fans of lines of
// type 37 at 140 and type 48 at 120, and fans of fans of type 133.
constexpr ZakoGroundLargeCall kPlatform76Calls[] = {
    {0, 1, 30, 0, PlatformRoutine::fanOfLines, 37, 140.0f, 3, 60, 0, 0, 2, 20.0f, false, false},
    {1, 1, 30, 15, PlatformRoutine::fanOfLines, 48, 120.0f, 3, 60, 0, 0, 2, 20.0f, false, false},
    {2, 2, 30, 0, PlatformRoutine::fanOfLines, 37, 140.0f, 3, 60, 0, 0, 3, 20.0f, false, false},
    {2, 2, 30, 15, PlatformRoutine::fanOfLines, 48, 120.0f, 3, 60, 0, 0, 3, 20.0f, false, false},
    {2, 2, 60, 30, PlatformRoutine::fanOfFans, 133, 200.0f, 5, 60, 2, 10, 1, 0.0f, false, false},
    {3, 3, 20, 0, PlatformRoutine::fanOfLines, 37, 140.0f, 5, 60, 0, 0, 3, 20.0f, false, false},
    {3, 3, 20, 10, PlatformRoutine::fanOfLines, 48, 120.0f, 5, 60, 0, 0, 3, 20.0f, false, false},
    {3, 3, 40, 20, PlatformRoutine::fanOfFans, 133, 200.0f, 5, 60, 2, 10, 1, 0.0f, false, false},
};

// Kind 77, bursts of 8: fans of lines 80 apart with speed step 40, a fan of
// type 30 on the last shot, and type 67 on odd shots at a powered-up fighter.
constexpr ZakoGroundLargeCall kPlatform77Calls[] = {
    {0, 0, 0, 0, PlatformRoutine::fanOfLines, 30, 120.0f, 2, 80, 0, 0, 2, 40.0f, false, false},
    {1, 1, 4, 0, PlatformRoutine::fanOfLines, 30, 120.0f, 3, 80, 0, 0, 2, 40.0f, false, false},
    {2, 3, 2, 0, PlatformRoutine::fanOfLines, 30, 120.0f, 3, 80, 0, 0, 3, 40.0f, false, false},
    {2, 3, 0, 7, PlatformRoutine::fan, 30, 200.0f, 5, 40, 0, 0, 1, 0.0f, false, false},
    {2, 3, 2, 1, PlatformRoutine::shot, 67, 160.0f, 1, 0, 0, 0, 1, 0.0f, false, true},
};

// The chosen sprite frames of the bodies (the turret markers are the rows').
constexpr int32_t kPlatform74Frame = 5478;
constexpr int32_t kPlatform76Frame = 5484;
constexpr int32_t kPlatform77Frame = 5486;
constexpr int32_t kPlatform74Wreck = 105;
constexpr int32_t kPlatform76Wreck = 106;

void platformRun(ObjTask* task, const ZakoGroundLargeKind& row, bool turning) {
    if (!zakoGroundLargeStep(task)) return;
    ObjWork* work = task->work;
    EnemyFields& e = enemy(work);
    if (work->lifeState == 3) {
        zakoGroundLargeBox(work, nullptr, false);
        return;
    }
    if (e.setupDone == 0) {
        e.setupDone = 1;
        if (bossPresentFlag != 0) {
            task->state = kObjStateEnd;
            return;
        }
        enemySetLayerDepth(work);
        zakoGroundLargeArmSlot(work, row, 8);
        if (!turning) e.aimSlots[0].armed = 0;
    }
    zakoGroundLargeBox(work, &row.box, true);
    ++work->age;
}

void platformAct(ObjTask* task, int32_t kind, ObjWorkFn draw, ObjWorkFn attack, ObjWorkFn hit) {
    const ZakoGroundLargeKind& row = *zakoGroundLargeKind(kind);
    if (task->state == kObjStateInit) {
        zakoGroundLargeInit(task, row, draw, attack, hit);
    } else if (task->state == kObjStateRun) {
        platformRun(task, row, kind != 76);
    } else {
        OBJtaskReleaseUnlessPersistent(task);
    }
}

template <size_t N>
void platformFire(const ZakoGroundLargeCall (&calls)[N], ObjTask* task, ObjWork* work) {
    if (!zakoGroundMayFire(work)) return;
    float x = 0.0f;
    float y = 0.0f;
    zakoGroundMuzzle(work, 0, &x, &y);
    const EnemyFields& e = enemy(work);
    zakoGroundLargeFire(calls, int32_t(N), task, e.shotIndex, zakoGroundShotAngle(e.aimSlots[0].heading), x, y);
}

// The common hit, and the platform's wreck picture when it kills.
void platformHit(ObjTask* task, ObjWork* work, int32_t wreck) {
    const bool wasDying = work->lifeState == 3;
    TSKenemyHit(task, work);
    if (!wasDying && work->lifeState == 3) TSKeffectCreate(wreck, 0, 0.0f, 0, 0, ObjRef{}, work->x, work->y);
}

}  // namespace

void TSKzako74Act(ObjTask* task) { platformAct(task, 74, TSKzako74Draw, TSKzako74Attack, TSKzako74Hit); }
void TSKzako74Attack(ObjTask* task, ObjWork* work) { platformFire(kPlatform74Calls, task, work); }
void TSKzako74Draw(ObjTask*, ObjWork* work) { zakoGroundDrawLayers(work, kPlatform74Frame, 0); }
void TSKzako74Hit(ObjTask* task, ObjWork* work) { platformHit(task, work, kPlatform74Wreck); }

void TSKzako76Act(ObjTask* task) { platformAct(task, 76, TSKzako76Draw, TSKzako76Attack, TSKzako76Hit); }
void TSKzako76Attack(ObjTask* task, ObjWork* work) { platformFire(kPlatform76Calls, task, work); }
void TSKzako76Draw(ObjTask*, ObjWork* work) { zakoGroundDrawLayers(work, kPlatform76Frame, 0); }
void TSKzako76Hit(ObjTask* task, ObjWork* work) { platformHit(task, work, kPlatform76Wreck); }

void TSKzako77Act(ObjTask* task) { platformAct(task, 77, TSKzako77Draw, TSKzako77Attack, TSKenemyHit); }
void TSKzako77Attack(ObjTask* task, ObjWork* work) { platformFire(kPlatform77Calls, task, work); }
void TSKzako77Draw(ObjTask*, ObjWork* work) { zakoGroundDrawLayers(work, kPlatform77Frame, 0); }
