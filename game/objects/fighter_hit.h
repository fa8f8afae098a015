#pragma once
// The fighter's hits, misses and give-up hold, and the two values of the
// head-up display and the rank steps the fighter feeds.
//
// Threads: main thread only.

#include <cstdint>

struct ObjTask;
struct ObjWork;

// The fighter's hit callback: enemies, enemy shots and items.
void TSKfighterHit(ObjTask* task, ObjWork* work);
// Once a frame in arcade mode while recording: buttons 1, 2, 3 and start
// held for 300 frames give the flying fighter up.
void fighterGiveUpHold(ObjWork* work);
// 64 sparks on a ring round the fighter, at a power-up's end.
void fighterBurstEffect(ObjWork* work);

// The score the head-up display shows, published by the fighter each frame.
extern uint64_t hudScoreCopy;
