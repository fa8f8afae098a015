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

void gameMainInit();
// False ends the game.
bool gameMainUpdate(bool keepRunning);
void gameMainDraw();
void gameMainRelease();
