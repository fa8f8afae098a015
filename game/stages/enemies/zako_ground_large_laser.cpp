// The twin laser emplacements, kinds 72 and 73: while hittable they run a
// cycle that opens two lasers from their muzzles and closes them again; the
// lasers are held as references, ended by the cycle, by the emplacement's
// death (TSKbossHit) and by its release (TSKzako72Free).
#include "game/core/game_sequence.h"
#include "game/core/obj_ref.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/play_state.h"
#include "game/objects/eshot.h"
#include "game/stages/enemies/enemy_damage.h"
#include "game/stages/enemies/enemy_kinds.h"
#include "game/stages/enemies/enemy_script.h"
#include "game/stages/enemies/enemy_step.h"
#include "game/stages/enemies/zako_ground_large.h"
#include "game/stages/enemies/zako_ground_parts.h"
#include "game/stages/stage_field.h"

namespace {

constexpr int32_t kEmplacementType = 161;
constexpr int32_t kEmplacementHeading = 512;  // down the field
constexpr int32_t kEmplacementEnd = 10;       // the laser's end state
constexpr int32_t kEmplacementOpenAt = 10;    // the cycle position that opens them
constexpr int32_t kEmplacementPeriod = 240;
constexpr int32_t kEmplacementPeriodStage5 = 300;
constexpr int32_t kEmplacementCycleStage5 = 260;
// The chosen sprite frames: bodies, the wreck, the muzzles' markers (kind 73
// uses its pair the other way round).
constexpr int32_t kEmplacementBodyFrames[2] = {5468, 5469};
constexpr int32_t kEmplacementWreckFrame = 5474;
constexpr int32_t kEmplacementMuzzleFrames[2][2] = {{5470, 5471}, {5473, 5472}};

constexpr ZakoFrameWindow kEmplacementWindows[] = {{2760, 2840}, {4300, 4365}, {5098, 5176}, {10600, 10688}};

// Type 66 from the emplacement at the fighter, every eighth frame: by rank
// level every fourth, every second or every shot, a fan of three at level 3.
constexpr ZakoGroundLargeCall kEmplacementCalls[] = {
    {0, 0, 4, 0, ZakoGroundLargeRoutine::shot, 66, 160.0f, 1, 0, 0, 0, 1, 0.0f, true, false},
    {1, 1, 2, 0, ZakoGroundLargeRoutine::shot, 66, 180.0f, 1, 0, 0, 0, 1, 0.0f, true, false},
    {2, 2, 1, 0, ZakoGroundLargeRoutine::shot, 66, 200.0f, 1, 0, 0, 0, 1, 0.0f, true, false},
    {3, 3, 1, 0, ZakoGroundLargeRoutine::fan, 66, 200.0f, 3, 40, 0, 0, 1, 0.0f, true, false},
};

int32_t emplacementKindIndex(const ObjWork* work) { return work->kind == 73 ? 1 : 0; }

bool emplacementHittable(ObjWork* work) {
    const float x = work->x;
    const float y = work->y;
    if (!(y + 25.0f < 267.0f && y - 25.0f > 0.0f && x + 25.0f < 244.0f && x - 25.0f > 0.0f)) return false;
    const int32_t windows = int32_t(sizeof kEmplacementWindows / sizeof kEmplacementWindows[0]);
    return !(enemy(work).spawnExtras[0] == 1 && zakoGroundLargeInWindows(kEmplacementWindows, windows, stageFrame));
}

// Each muzzle makes its laser, or starts the one it still holds over; a
// laser the pool cannot give is left out.
void emplacementOpen(ObjTask* task, ObjWork* work) {
    const int32_t* muzzles = kEmplacementMuzzleFrames[emplacementKindIndex(work)];
    for (int k = 0; k < 2; ++k) {
        ObjRef& held = enemy(work).partLink[k];
        if (ObjWork* laser = objRefWork(held)) {
            eshotLaserRestart(laser);
            continue;
        }
        const ObjPoint m = zakoGroundLargeMarker(muzzles[k]);
        const float x = work->x + m.x;
        const float y = work->y + m.y;
        ObjWork* laser = TSKeshotCreate(kEmplacementType, kEmplacementHeading, 0.0f, 0, 0, objRef(task), x, y);
        held = zakoGroundLargeNewShotRef(laser);
    }
}

void emplacementClose(ObjWork* work) {
    for (int k = 0; k < 2; ++k) {
        ObjRef& held = enemy(work).partLink[k];
        if (ObjWork* laser = objRefWork(held)) laser->lifeState = kEmplacementEnd;
        held = ObjRef{};
    }
}

// The cycle's position is read before it advances: from 260 in stage 5 the
// lasers open on the 51st hittable frame and close on the 340th.
void emplacementCycle(ObjTask* task, ObjWork* work) {
    EnemyFields& e = enemy(work);
    const int32_t period = stageNumber == 5 ? kEmplacementPeriodStage5 : kEmplacementPeriod;
    const int32_t position = e.laserCycle % period;
    ++e.laserCycle;
    if (position == kEmplacementOpenAt) emplacementOpen(task, work);
    if (position == period - 1) emplacementClose(work);
}

}  // namespace

void TSKzako72Act(ObjTask* task) {
    if (task->state == kObjStateInit) {
        if (zakoGroundLargeInit(task, *zakoGroundLargeKind(72), TSKzako72Draw, TSKzako72Attack, TSKbossHit)) {
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
    if (!enemyStep(task, work) || zakoGroundLargeCutOff()) {
        task->state = kObjStateEnd;
        return;
    }
    EnemyFields& e = enemy(work);
    if (work->lifeState == 3) {
        zakoGroundLargeBox(work, nullptr, false);
        return;
    }
    if (e.setupDone == 0) {
        e.setupDone = 1;
        enemySetLayerDepth(work);
        if (stageNumber == 5) e.laserCycle = kEmplacementCycleStage5;
    }
    const bool now = emplacementHittable(work);
    e.hittableNow = now ? 1 : 0;
    if (now) e.beenHittable = 1;
    zakoGroundLargeBox(work, &zakoGroundLargeKind(72)->box, now || (stageNumber == 5 && e.beenHittable != 0));
    if (now) emplacementCycle(task, work);
    ++work->age;
}

void TSKzako72Attack(ObjTask* task, ObjWork* work) {
    const int32_t count = int32_t(sizeof kEmplacementCalls / sizeof kEmplacementCalls[0]);
    zakoGroundLargeFire(kEmplacementCalls, count, task, enemy(work).shotIndex, 0, work->x, work->y);
}

void TSKzako72Draw(ObjTask*, ObjWork* work) {
    const int32_t alive = kEmplacementBodyFrames[emplacementKindIndex(work)];
    const int32_t body = work->lifeState == 3 ? kEmplacementWreckFrame : alive;
    zakoGroundDrawLayers(work, body, 0);
}

void TSKzako72Free(ObjTask* task) {
    if (task->work != nullptr) emplacementClose(task->work);
    TSKgameCtrlKill(task);
}
