#pragma once
// The mid-bosses' and bosses' entries of enemyKindTable and the callbacks
// they share. Each kind follows the shape of boss_shape.h.
//
// Threads: main thread only.

#include <cstdint>

struct FieldLayerTint;
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

// Kind 81, the stage-2 mid-boss (sprite-built).
void TSKst02mbossAct(ObjTask* task);
void TSKst02mbossInit(ObjTask* task);
void TSKst02mbossUpdate(ObjTask* task);
void TSKst02mbossTurret(ObjTask* task, ObjWork* work);
void TSKst02mbossDraw(ObjTask* task, ObjWork* work);

// Kind 82, the stage-3 mid-boss (sprite-built), its aim points in aim
// slots 0..14.
inline constexpr int32_t kSt03mbossAimPoints = 15;
void TSKst03mbossAct(ObjTask* task);
void TSKst03mbossInit(ObjTask* task);
void TSKst03mbossUpdate(ObjTask* task);
void TSKst03mbossTurret(ObjTask* task, ObjWork* work);
void TSKst03mbossDraw(ObjTask* task, ObjWork* work);
// Damage from the other party of the hit when it still resolves; the
// killing hit sets off an explosion at every aim point.
void TSKst03mbossHit(ObjTask* task, ObjWork* work);
// The release: the boss-present flag 0 in every case, then the record freed.
void TSKst03mbossKill(ObjTask* task);

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

// Kind 101, the stage-2 boss.
void TSKst02bossAct(ObjTask* task);
void TSKst02bossInit(ObjTask* task);
void TSKst02bossUpdate(ObjTask* task);
void TSKst02bossTurret(ObjTask* task, ObjWork* work);

// Kind 121, the stage-2 boss's appear visual; its draw is also kind 128's.
void TSKst02bossAppearAct(ObjTask* task);
void TSKbossAppearDraw(ObjTask* task, ObjWork* work);
// The appear visuals' common set-up: the record (the task ends when the pool
// has none: null), its callbacks, script and a slot on the layer playing
// node's "appear" of the motion file.
ObjWork* bossAppearSetUp(ObjTask* task, int32_t layer, const char* file, const char* node);
// The visual's colour word: the background's tint x 220 / 255, halved, as
// red, green, blue from the high byte, then 255.
uint32_t bossAppearColorWord(const FieldLayerTint& tint);

// Kind 128, the stage-5 boss's appear effect (draw TSKbossAppearDraw):
// sounds 26 and 5 at its frames 440 and 560, the boss music (4) with the
// boss layer off at 600.
void TSKst05bossAppearAct(ObjTask* task);
void TSKst05bossAppearUpdate(ObjTask* task);

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
