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
// The flying fighter is lost: its gauge 0, the next full type flies.
void fighterDestroyed(ObjWork* work);
// After a loss with another fighter ready: cancel, invulnerability, fire
// lock 120, rank, bonus and destruction cut, energy, shield.
void fighterMiss(ObjWork* work);
// After a loss with none ready: a cancel in the first free slot of the
// queue (dropped when none is free; the countdown still rises to at least
// 180), fire lock 180, energy and bomb cleared; the fighter then waits for
// the continue.
void fighterMissLast(ObjWork* work);
