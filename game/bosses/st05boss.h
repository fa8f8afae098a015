#pragma once
// Kind 104, the stage-5 boss, on the frame of boss_frame.h over "st05boss":
// three forms, the drones (kinds 115 and 116) and spinners (kind 114) of its
// second form, and the turning drop-and-stomp cycle of its third. It links
// no parts; its parts find it through ObjWork::parentWork.
//
// Its own fields are the enemy view's `spin`, `spinPhase`, `dropState`,
// `dropTimer` and `dropCount`; the parts' are `subState`, `stepCount`,
// `hopRadius`, `hopAngle`, `orbitAngle`, `orbitTurn` and, for the spinner,
// `partLink[0..3]` (its orbiting shots). A part's kind is ObjWork::kind.
//
// Threads: main thread only.

#include <cstdint>

#include "game/core/obj_work_views.h"

struct ObjTask;
struct ObjWork;

void TSKst05bossAct(ObjTask* task);
void TSKst05bossInit(ObjTask* task);
void TSKst05bossUpdate(ObjTask* task);
void TSKst05bossTurret(ObjTask* task, ObjWork* work);
// Clears st05bossDarken, then frees the record.
void TSKst05bossFree(ObjTask* task);

// Rotating hit box n (0..4) of the third form at a spin: its offset from
// the boss.
ObjPoint st05bossSpinBoxOffset(int32_t spin, int32_t n);
// One frame of the third form's drop cycle (phase 9, step 2).
void st05bossDropCycle(ObjTask* task);

// Kinds 115 and 116, the drones (one act), and kind 114, the spinner. Each
// ends at once when its boss no longer resolves.
void TSKst05bossPart115Act(ObjTask* task);
void TSKst05bossPart115Turret(ObjTask* task, ObjWork* work);
void TSKst05bossPart115Draw(ObjTask* task, ObjWork* work);
// Damage unless a bomb; a dying kind 116 splits into two kind-115 drones.
void TSKst05bossPart115Hit(ObjTask* task, ObjWork* work);
void TSKst05bossPart114Act(ObjTask* task);
void TSKst05bossPart114Update(ObjTask* task);
void TSKst05bossPart114Turret(ObjTask* task, ObjWork* work);
void TSKst05bossPart114Draw(ObjTask* task, ObjWork* work);
// No damage; a dying spinner lets its orbiting shots go.
void TSKst05bossPart114Hit(ObjTask* task, ObjWork* work);
// Lets its orbiting shots go, then frees the record.
void TSKst05bossPart114Free(ObjTask* task);

// A launch from the boss's turret 0 (the part's act run once): null when
// the pool gave none.
ObjWork* st05bossLaunchDrone(ObjTask* boss, float x, float y);
ObjWork* st05bossLaunchSpinner(ObjTask* boss, float x, float y, int32_t turn);
// A drone's hop target: the fighter (0, 0 without one) plus the offset of
// radius and angle, kept within x 10..214, y 10..258.
ObjPoint st05bossHopTarget(int32_t radius, int32_t angle);
