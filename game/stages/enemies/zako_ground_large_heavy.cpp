// The heavy tank, kind 75: four turrets, a phase machine that loads its
// attack timer and mode (1 aimed guns, 3 lines and wide fans, 6 the rear
// turrets' fans) and, past stage frame 4300, a last phase with no box and no
// attack.
#include <cmath>
#include <cstddef>

#include "game/core/obj_ref.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/objects/effects.h"
#include "game/stages/enemies/boss_attack.h"
#include "game/stages/enemies/bullet_patterns.h"
#include "game/stages/enemies/enemy_damage.h"
#include "game/stages/enemies/enemy_kinds.h"
#include "game/stages/enemies/enemy_script.h"
#include "game/stages/enemies/enemy_sound_gate.h"
#include "game/stages/enemies/enemy_step.h"
#include "game/stages/enemies/zako_ground.h"
#include "game/stages/enemies/zako_ground_large.h"
#include "game/stages/enemies/zako_ground_parts.h"
#include "game/stages/rank_carriers.h"
#include "game/stages/stage_field.h"

namespace {

constexpr int32_t kHeavyBodyFrame = 5483;  // chosen
constexpr int32_t kHeavySlotFrame = 5732;  // slots 1 to 4 from 5732 to 5735
constexpr int32_t kHeavyLastPhase = 5;
constexpr int32_t kHeavyLastFrame = 4300;
constexpr int32_t kHeavyEntryFrames = 31;
constexpr int32_t kHeavyExhaust = 93;
constexpr int32_t kHeavyDown = 512;

struct HeavyTimer {
    int32_t burst, interval, first, volleys, pause, mode;
};
// Phases 1 to 3.
constexpr HeavyTimer kHeavyTimers[3] = {{8, 5, 180, 3, 48, 1}, {80, 4, 60, 1, 0, 3}, {9999, 8, 50, 1, 16, 6}};

using HeavyRoutine = ZakoGroundLargeRoutine;
// Mode 1 (phase 1, three bursts of 8): the front turrets (slot 1 on even
// shots, 2 on odd ones) along their angles, and at the fighter.
constexpr ZakoGroundLargeCall kHeavyMode1[] = {
    {0, 3, 0, 0, HeavyRoutine::shot, 30, 200.0f, 1, 0, 0, 0, 1, 0.0f, true, false},
    {0, 1, 1, 0, HeavyRoutine::fan, 158, 160.0f, 1, 20, 0, 0, 1, 0.0f, false, false},
    {2, 2, 1, 0, HeavyRoutine::fan, 158, 160.0f, 2, 20, 0, 0, 1, 0.0f, false, false},
    {3, 3, 1, 0, HeavyRoutine::fan, 158, 160.0f, 3, 20, 0, 0, 1, 0.0f, false, false},
    {2, 3, 0, 4, HeavyRoutine::shot, 166, 300.0f, 1, 0, 0, 0, 1, 0.0f, false, false},
    {1, 1, 2, 1, HeavyRoutine::shot, 133, 180.0f, 1, 0, 0, 0, 1, 0.0f, true, false},
    {2, 2, 0, 7, HeavyRoutine::fan, 133, 200.0f, 2, 24, 0, 0, 1, 0.0f, true, false},
    {3, 3, 0, 7, HeavyRoutine::fan, 133, 250.0f, 3, 24, 0, 0, 1, 0.0f, true, false},
};
// Mode 3 (phase 2, one burst of 80): lines along the turrets, fans of lines
// and wide fans at the fighter.
constexpr ZakoGroundLargeCall kHeavyMode3[] = {
    {0, 0, 8, 0, HeavyRoutine::line, 54, 180.0f, 1, 0, 0, 0, 3, 20.0f, false, false},
    {1, 1, 4, 0, HeavyRoutine::line, 54, 180.0f, 1, 0, 0, 0, 3, 20.0f, false, false},
    {2, 3, 2, 0, HeavyRoutine::line, 54, 180.0f, 1, 0, 0, 0, 3, 20.0f, false, false},
    {0, 0, 10, 5, HeavyRoutine::shot, 133, 180.0f, 1, 0, 0, 0, 1, 0.0f, true, false},
    {1, 1, 0, 40, HeavyRoutine::fanOfLines, 54, 250.0f, 7, 24, 0, 0, 5, 20.0f, true, false},
    {2, 3, 20, 10, HeavyRoutine::fanOfLines, 54, 250.0f, 7, 24, 0, 0, 5, 20.0f, true, false},
    {1, 3, 0, 79, HeavyRoutine::fan, 48, 330.0f, 15, 34, 0, 0, 1, 0.0f, true, false},
    {3, 3, 0, 39, HeavyRoutine::fan, 48, 280.0f, 14, 34, 0, 0, 1, 0.0f, true, false},
};
// Mode 6 (phase 3): the rear turrets' fans of type 50 by rank level, and
// from shot 12 every fourth shot a fan at the fighter.
constexpr int32_t kHeavyRearCount[4] = {3, 5, 5, 7};
constexpr int32_t kHeavyRearSpread[4] = {64, 64, 48, 32};
constexpr ZakoGroundLargeCall kHeavyMode6Aimed[] = {
    {1, 1, 4, 0, HeavyRoutine::fan, 50, 280.0f, 2, 60, 0, 0, 1, 0.0f, true, false},
    {2, 2, 4, 0, HeavyRoutine::fan, 50, 320.0f, 4, 40, 0, 0, 1, 0.0f, true, false},
    {3, 3, 4, 0, HeavyRoutine::fan, 50, 320.0f, 6, 28, 0, 0, 1, 0.0f, true, false},
    {3, 3, 4, 0, HeavyRoutine::fan, 50, 160.0f, 6, 28, 0, 0, 1, 0.0f, true, false},
};

template <size_t N>
int32_t heavyFire(const ZakoGroundLargeCall (&calls)[N], ObjTask* task, int32_t shotIndex, int32_t slot) {
    ObjWork* work = task->work;
    float x = 0.0f;
    float y = 0.0f;
    zakoGroundMuzzle(work, slot, &x, &y);
    return zakoGroundLargeFire(calls, int32_t(N), task, shotIndex, enemy(work).aimSlots[slot].heading, x, y);
}

void heavyEnter(ObjWork* work, int32_t phase) {
    EnemyFields& e = enemy(work);
    e.phase = phase;
    e.step = 0;
}

void heavyLoad(ObjWork* work) {
    EnemyFields& e = enemy(work);
    const HeavyTimer& t = kHeavyTimers[e.phase - 1];
    bossResetAttack(work);
    e.shotsPerVolley = t.burst;
    e.shotInterval = t.interval;
    e.shotCountdown = t.first;
    e.shotsLeft = t.burst;
    e.volleysLeft = t.volleys;
    e.volleyPause = t.pause;
    e.attackPattern = t.mode;
    work->pauseRankCut = zakoGroundLargeKind(75)->pauseRankCut;
    e.step = 1;
}

void heavyPhase(ObjWork* work) {
    EnemyFields& e = enemy(work);
    if (e.phase == kHeavyLastPhase) return;
    if (stageFrame > kHeavyLastFrame) {
        heavyEnter(work, kHeavyLastPhase);
        bossResetAttack(work);
        return;
    }
    if (e.phase == 0) {
        if (++e.step < kHeavyEntryFrames) return;
        e.entryWait = 60;
        heavyEnter(work, 1);
        return;
    }
    if (e.step == 0) {
        heavyLoad(work);
        return;
    }
    if (e.phase == 3 && (e.attackPattern == 0 || work->heading == kHeavyDown)) {
        bossResetAttack(work);
        heavyEnter(work, 1);
    } else if (e.attackPattern == 0) {
        heavyEnter(work, e.phase + 1);
    }
}

// Two puffs off the tracks, behind the tank by its heading.
void heavyExhaust(ObjWork* work) {
    const float a = float(work->heading) * 2.0f * float(M_PI) / 1024.0f;
    const float s = std::sin(a);
    const float c = std::cos(a);
    for (float side : {-1.0f, 1.0f}) {
        const float x = work->x - s * 60.0f + c * 40.0f * side;
        const float y = work->y + c * 60.0f + s * 40.0f * side;
        TSKeffectCreate(kHeavyExhaust, work->heading, 0.0f, 0, 0, ObjRef{}, x, y);
    }
}

void heavyRear(ObjTask* task, ObjWork* work, int32_t i) {
    EnemyFields& e = enemy(work);
    if (i == 0) {
        e.aimWords[0] = e.aimSlots[3].heading;
        e.aimWords[1] = e.aimSlots[4].heading;
    }
    if (!zakoGroundMayFire(work)) return;
    const int32_t slot = i % 2 == 0 ? 3 : 4;
    float x = 0.0f;
    float y = 0.0f;
    zakoGroundMuzzle(work, slot, &x, &y);
    const int32_t level = enemyRankLevel();
    enemyShotFan(50, e.aimWords[i % 2], 200.0f, kHeavyRearCount[level], kHeavyRearSpread[level], objRef(task), x, y);
    enemySoundGatePlay(EnemySoundGate::beamSmall);
    if (i >= 11) heavyFire(kHeavyMode6Aimed, task, i, slot);
}

}  // namespace

void TSKzako75Act(ObjTask* task) {
    if (task->state == kObjStateInit) {
        if (!zakoGroundLargeInit(task, *zakoGroundLargeKind(75), TSKzako75Draw, TSKzako75Attack, TSKzako75Hit)) return;
        enemySoundGatePlay(EnemySoundGate::groundMove);
        for (int32_t slot = 1; slot <= 4; ++slot) {
            const ObjPoint m = zakoGroundLargeMarker(kHeavySlotFrame + slot - 1);
            enemySetAimSlot(task->work, slot, 16, 10, m.x, m.y);
        }
        return;
    }
    if (task->state == kObjStateRun) {
        enemyMoveScript(task, task->work);
        ++enemyAge(task);
        TSKzako75Update(task);
        return;
    }
    OBJtaskReleaseUnlessPersistent(task);
}

void TSKzako75Update(ObjTask* task) {
    ObjWork* work = task->work;
    if (!enemyStep(task, work)) {
        task->state = kObjStateEnd;
        return;
    }
    EnemyFields& e = enemy(work);
    if (work->lifeState == 3) {
        e.script = 0;
        e.scriptSpeedX = e.scriptSpeedY = e.steerSpeed = 0.0f;
        work->vx = work->vy = 0.0f;
        zakoGroundLargeBox(work, nullptr, false);
        return;
    }
    if (e.setupDone == 0) {
        e.setupDone = 1;
        enemySetLayerDepth(work);
    }
    heavyPhase(work);
    zakoGroundLargeBox(work, &zakoGroundLargeKind(75)->box, e.phase != kHeavyLastPhase);
    if (work->age % 5 == 0) heavyExhaust(work);
    ++work->age;
}

void TSKzako75Attack(ObjTask* task, ObjWork* work) {
    const EnemyFields& e = enemy(work);
    const int32_t i = e.shotIndex;
    if (e.attackPattern == 6) {
        heavyRear(task, work, i);
        return;
    }
    if (!zakoGroundMayFire(work)) return;
    const int32_t slot = i % 2 == 0 ? 1 : 2;
    if (i == 0) enemySoundGatePlay(EnemySoundGate::beamSmall);
    if (e.attackPattern == 1) {
        if (i == 0) enemySoundGatePlay(EnemySoundGate::beamMedium);
        heavyFire(kHeavyMode1, task, i, slot);
    } else if (e.attackPattern == 3) {
        heavyFire(kHeavyMode3, task, i, slot);
    }
}

void TSKzako75Draw(ObjTask*, ObjWork* work) { zakoGroundDrawLayers(work, kHeavyBodyFrame, 0); }

// The killing hit also stops the volley it was in.
void TSKzako75Hit(ObjTask* task, ObjWork* work) {
    TSKenemyHit(task, work);
    if (work->lifeState == 3) bossResetAttack(work);
}
