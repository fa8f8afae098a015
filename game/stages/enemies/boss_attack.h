#pragma once
// The attack block's idle state, shared by the enemy step and every boss.
//
// Threads: main thread only.

struct ObjWork;

// attackArmed 1; every other attack-block word 0 but pauseRankCut, 100;
// attackPattern 0 and the 20 aimWords 0.
void bossResetAttack(ObjWork* work);
