#pragma once
// The game's own initialisation, frame update, frame draw and release, as the
// root task and the application main call them.
//
// Provisional (game_main_provisional.cpp) until the game main exists: the
// update passes the keep-running flag through and the rest does nothing.
//
// Threads: main thread only.

#include <cstdint>

// 1 while the attract cycle runs (the platform update is told).
extern uint8_t attractMode;
// Slow motion: updates left, the period asked for and the period in force
// (N > 0 runs one update in N, N < 0 skips one in |N|). Play start, stage
// load and release and the sequence clear them.
extern int32_t slowMotionFrames;
extern int32_t slowMotionPeriod;
extern int32_t slowMotionPeriodInUse;

void gameMainInit();
// False ends the game.
bool gameMainUpdate(bool keepRunning);
void gameMainDraw();
void gameMainRelease();
