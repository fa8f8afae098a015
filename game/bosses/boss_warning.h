#pragma once
// The small objects that stand around the bosses, each an enemy kind of the
// ZAKO shape (boss_shape.h's bossAct): the WARNING that announces a boss
// (kind 134), the stage-2 boss-intro visual (kind 124) and the invisible
// markers that only carry a spawn row's move script (kinds 130 to 133).
// Also the sound rule the bosses' announcements and the tutorial share.
//
// Their motion slot is the work's first one; the enemy step sets its frame
// from the motion stepper every frame, so these run the stepper over the
// label they play (bossVisualFollow) instead of advancing the slot again.
//
// Threads: main thread only.

#include <cstdint>

struct ObjTask;
struct ObjWork;

// Kind 134: plays "stage%d" (or "stage5_2" before the true last boss) once,
// holds the fighter's control while it plays, sounds 4 every 160 frames.
void TSKbossWarningAct(ObjTask* task);
// Kind 124: "start" once, then "loop" for as long as it lives.
void TSKst2bossvisualAct(ObjTask* task);
// Kinds 130 to 133: nothing but the move script; a marker spawned after the
// stage clear ends on its first frame.
void TSKemptyEffectAct(ObjTask* task);

// A sound of the announcements and the tutorial: not in the attract cycle
// with the platform's attract sound off, only while the id's guard is 0
// (it then becomes 1), heard only while SOUND_OUT is on.
void bossAnnounceSound(int32_t id);
// The motion stepper follows a label of that length from its first frame
// (at least one frame long, so the stepper never stands still).
void bossVisualFollow(ObjWork* work, int32_t length);
