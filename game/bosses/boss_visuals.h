#pragma once
// The boss-intro visuals: enemy kinds without weapons that play a motion
// before (or around) a boss. Their slot is the work's motionSlot0, -1 when
// the pool had none: then nothing is played or drawn, a label reads 0
// frames long and every motion step passes at once.
//
// Threads: main thread only.

struct ObjTask;
struct ObjWork;

// The motion draw of kinds 124, 125 and 129: the slot at alpha 1.0 in the
// field tint (the update has put the tint into the slot's colour word).
void TSKbossVisualDraw(ObjTask* task, ObjWork* work);
