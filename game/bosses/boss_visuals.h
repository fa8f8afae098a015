#pragma once
// The boss-intro visuals: enemy kinds without weapons that play a motion
// before (or around) a boss. Their slot is the work's motionSlot0, -1 when
// the pool had none: then nothing is played or drawn, a label reads 0
// frames long and every motion step passes at once.
//
// Kinds 126 and 129 count each label's frames themselves (the enemy view's
// `frameCount`, the stage-4 arena's wait `stepCount`) and show the slot at
// that frame; their own state is the view's `phase`, the arena's opening
// its `step` and its veil its `beamLevel`.
//
// Threads: main thread only.

#include <cstdint>

struct ObjTask;
struct ObjWork;

// The motion draw of kinds 124, 125 and 129: the slot at alpha 1.0 in the
// field tint (the update has put the tint into the slot's colour word).
void TSKbossVisualDraw(ObjTask* task, ObjWork* work);
// The visuals' colour word: each channel of the field tint halved, with
// this alpha (0xRRGGBBAA).
uint32_t bossVisualColorWord(uint8_t alpha);
// Shows the slot at a frame of its label now (the enemy step keeps it
// there): the work's motion stepper frame and the slot's, re-evaluated.
void bossVisualShowFrame(ObjWork* work, int32_t frame);

// Kind 125, the stage-3 boss's intro visual: "start" once, then "loop".
void TSKst3bossvisualAct(ObjTask* task);

// Kind 126, the stage-4 arena: its doors open at stage frame 14860, a
// black veil covers the screen after 15200 and lifts once the stage-4 boss
// has entered (st4BossEntered); then its motion plays "wait", "start",
// "loop", and "end" once the boss dies (st4BossDying).
void TSKst4bossvisualAct(ObjTask* task);
void TSKst4bossvisualUpdate(ObjTask* task);
void TSKst4bossvisualDraw(ObjTask* task, ObjWork* work);

// Kind 129, the true last boss's intro visual: "wait", then "start" (the
// fighter is handed back at its frames 400 and 460, the boss let go at
// 480), then "loop"; it holds the boss (bossIntroHold) on its "bosspoint"
// locator (bossIntroPoint) until then.
void TSKst5boss2visualAct(ObjTask* task);
void TSKst5boss2visualUpdate(ObjTask* task);
