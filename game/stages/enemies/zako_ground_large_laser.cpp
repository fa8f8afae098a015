// The twin laser emplacements, kinds 72 and 73: while hittable they run a
// cycle that opens two lasers from their muzzles and closes them again; the
// lasers are held as references, ended by the cycle, by the emplacement's
// death (TSKbossHit) and by its release (TSKzako72Free).
#include "game/core/obj_ref.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/play_state.h"
#include "game/objects/eshot.h"
#include "game/stages/enemies/enemy_damage.h"
#include "game/stages/enemies/enemy_script.h"
#include "game/stages/enemies/enemy_step.h"
#include "game/stages/enemies/enemy_kinds.h"
#include "game/stages/enemies/zako_ground_large.h"
#include "game/stages/enemies/zako_ground_parts.h"
#include "game/core/game_sequence.h"
#include "game/stages/stage_field.h"

namespace {

constexpr int32_t kLaserType = 161;
constexpr int32_t kLaserHeading = 512;  // down the field
constexpr int32_t kLaserEnd = 10;       // the laser's end state
constexpr int32_t kLaserOpenAt = 10;    // the cycle position that opens them
constexpr int32_t kLaserPeriod = 240;
constexpr int32_t kLaserPeriodStage5 = 300;
constexpr int32_t kLaserCycleStage5 = 260;
// The chosen sprite frames: bodies, the wreck, the muzzles' markers (kind 73
// uses its pair the other way round).
constexpr int32_t kLaserBodyFrames[2] = {5468, 5469};
constexpr int32_t kLaserWreckFrame = 5474;
constexpr int32_t kLaserMuzzleFrames[2][2] = {{5470, 5471}, {5473, 5472}};

constexpr ZakoFrameWindow kLaserWindows[] = {{2760, 2840}, {4300, 4365}, {5098, 5176}, {10600, 10688}};

// Type 66 from the emplacement at the fighter, every eighth frame: by rank
// level every fourth, every second or every shot, a fan of three at level 3.
constexpr ZakoLargeCall kLaserCalls[] = {
    {0, 0, 4, 0, ZakoLargeRoutine::shot, 66, 160.0f, 1, 0, 0, 0, 1, 0.0f, true, false},
    {1, 1, 2, 0, ZakoLargeRoutine::shot, 66, 180.0f, 1, 0, 0, 0, 1, 0.0f, true, false},
    {2, 2, 1, 0, ZakoLargeRoutine::shot, 66, 200.0f, 1, 0, 0, 0, 1, 0.0f, true, false},
    {3, 3, 1, 0, ZakoLargeRoutine::fan, 66, 200.0f, 3, 40, 0, 0, 1, 0.0f, true, false},
};

int32_t laserKindIndex(const ObjWork* work) { return work->kind == 73 ? 1 : 0; }

bool laserHittable(ObjWork* work) {
    const float x = work->x;
    const float y = work->y;
    if (!(y + 25.0f < 267.0f && y - 25.0f > 0.0f && x + 25.0f < 244.0f && x - 25.0f > 0.0f)) return false;
    const int32_t windows = int32_t(sizeof kLaserWindows / sizeof kLaserWindows[0]);
    return !(enemy(work).spawnExtras[0] == 1 && zakoLargeInWindows(kLaserWindows, windows, stageFrame));
}

// Each muzzle makes its laser, or starts the one it still holds over; a
// laser the pool cannot give is left out.
void laserOpen(ObjTask* task, ObjWork* work) {
    const int32_t* muzzles = kLaserMuzzleFrames[laserKindIndex(work)];
    for (int k = 0; k < 2; ++k) {
        ObjRef& held = enemy(work).partLink[k];
        if (ObjWork* laser = objRefWork(held)) {
            eshotLaserRestart(laser);
            continue;
        }
        const ObjPoint m = zakoLargeMarker(muzzles[k]);
        ObjWork* laser = TSKeshotCreate(kLaserType, kLaserHeading, 0.0f, 0, 0, objRef(task), work->x + m.x, work->y + m.y);
        held = zakoLargeNewShotRef(laser);
    }
}

void laserClose(ObjWork* work) {
    for (int k = 0; k < 2; ++k) {
        ObjRef& held = enemy(work).partLink[k];
        if (ObjWork* laser = objRefWork(held)) laser->lifeState = kLaserEnd;
        held = ObjRef{};
    }
}

// The cycle's position is read before it advances: from 260 in stage 5 the
// lasers open on the 51st hittable frame and close on the 340th.
void laserCycle(ObjTask* task, ObjWork* work) {
    EnemyFields& e = enemy(work);
    const int32_t period = stageNumber == 5 ? kLaserPeriodStage5 : kLaserPeriod;
    const int32_t position = e.laserCycle % period;
    ++e.laserCycle;
    if (position == kLaserOpenAt) laserOpen(task, work);
    if (position == period - 1) laserClose(work);
}

}  // namespace

void TSKzako72Act(ObjTask* task) {
    if (task->state == kObjStateInit) {
        if (zakoLargeInit(task, *zakoLargeKind(72), TSKzako72Draw, TSKzako72Attack, TSKbossHit)) {
            task->release = TSKzako72Free;
        }
        return;
    }
    if (task->state == kObjStateRun) {
        enemyMoveScript(task, task->work);
        ++enemyAge(task);
        TSKzako72Update(task);
        return;
    }
    OBJtaskReleaseUnlessPersistent(task);
}

void TSKzako72Update(ObjTask* task) {
    ObjWork* work = task->work;
    if (!enemyStep(task, work) || zakoLargeCutOff()) {
        task->state = kObjStateEnd;
        return;
    }
    EnemyFields& e = enemy(work);
    if (work->lifeState == 3) {
        zakoLargeBox(work, nullptr, false);
        return;
    }
    if (e.setupDone == 0) {
        e.setupDone = 1;
        enemySetLayerDepth(work);
        if (stageNumber == 5) e.laserCycle = kLaserCycleStage5;
    }
    const bool now = laserHittable(work);
    e.hittableNow = now ? 1 : 0;
    if (now) e.beenHittable = 1;
    zakoLargeBox(work, &zakoLargeKind(72)->box, now || (stageNumber == 5 && e.beenHittable != 0));
    if (now) laserCycle(task, work);
    ++work->age;
}

void TSKzako72Attack(ObjTask* task, ObjWork* work) {
    const int32_t count = int32_t(sizeof kLaserCalls / sizeof kLaserCalls[0]);
    zakoLargeFire(kLaserCalls, count, task, enemy(work).shotIndex, 0, work->x, work->y);
}

void TSKzako72Draw(ObjTask*, ObjWork* work) {
    const int32_t body = work->lifeState == 3 ? kLaserWreckFrame : kLaserBodyFrames[laserKindIndex(work)];
    zakoGroundDrawLayers(work, body, 0);
}

void TSKzako72Free(ObjTask* task) {
    if (task->work != nullptr) laserClose(task->work);
    TSKgameCtrlKill(task);
}
