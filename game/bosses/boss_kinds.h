#pragma once
// The mid-bosses' and bosses' entries of enemyKindTable and the callbacks
// they share. Each kind follows the shape of boss_shape.h.
//
// Threads: main thread only.

#include <cstdint>

struct ObjTask;
struct ObjWork;

// The draw of the motion-built mid-bosses: the slots draw themselves, so
// this keeps slot B's silhouette alpha.
void TSKmbossDraw(ObjTask* task, ObjWork* work);
// The bosses' draw: the silhouette and the damage smoke.
void TSKbossDraw(ObjTask* task, ObjWork* work);

// Kind 80, the stage-1 mid-boss.
void TSKst01mbossAct(ObjTask* task);
void TSKst01mbossInit(ObjTask* task);
void TSKst01mbossUpdate(ObjTask* task);
void TSKst01mbossTurret(ObjTask* task, ObjWork* work);

// Kind 83, the stage-4 mid-boss, and kind 84, the first stage-5 mid-boss:
// kind 80's code run from their own rows (mboss.h).
void TSKst04mbossAct(ObjTask* task);
void TSKst04mbossInit(ObjTask* task);
void TSKst04mbossUpdate(ObjTask* task);
void TSKst04mbossTurret(ObjTask* task, ObjWork* work);
void TSKst05mbossAct(ObjTask* task);
void TSKst05mbossInit(ObjTask* task);
void TSKst05mbossUpdate(ObjTask* task);
void TSKst05mbossTurret(ObjTask* task, ObjWork* work);

// Kind 100, the stage-1 boss.
void TSKst01bossAct(ObjTask* task);
void TSKst01bossInit(ObjTask* task);
void TSKst01bossUpdate(ObjTask* task);
void TSKst01bossTurret(ObjTask* task, ObjWork* work);
// Ends both linked parts, then frees the record.
void TSKst01bossFree(ObjTask* task);

// Kind 102, the stage-3 boss, on the frame of boss_frame.h.
void TSKst03bossAct(ObjTask* task);
void TSKst03bossInit(ObjTask* task);
void TSKst03bossUpdate(ObjTask* task);
void TSKst03bossTurret(ObjTask* task, ObjWork* work);
void TSKst03bossDraw(ObjTask* task, ObjWork* work);
// Kind 119, its satellites (hit: TSKbossPartHit of boss_parts.h).
void TSKst03bossPart119Act(ObjTask* task);
void TSKst03bossPart119Update(ObjTask* task);
void TSKst03bossPart119Attack(ObjTask* task, ObjWork* work);
void TSKst03bossPart119Draw(ObjTask* task, ObjWork* work);

// Kind 85, the second stage-5 mid-boss (draw TSKmbossDraw).
void TSKst05mboss2Act(ObjTask* task);
void TSKst05mboss2Init(ObjTask* task);
void TSKst05mboss2Update(ObjTask* task);
void TSKst05mboss2Turret(ObjTask* task, ObjWork* work);
// Kind 117, the enemies it launches: a head with nine trailing segments.
inline constexpr int32_t kSt05mboss2TrailEntries = 9;
void TSKst05mboss2Part117Act(ObjTask* task);
void TSKst05mboss2Part117Attack(ObjTask* task, ObjWork* work);
void TSKst05mboss2Part117Draw(ObjTask* task, ObjWork* work);
