// Provisional: the game main replaces this file.
#include "game/core/game_main.h"

bool attractMode = false;

void gameMainInit() {}

bool gameMainUpdate(bool keepRunning) { return keepRunning; }

void gameMainDraw() {}

void gameMainRelease() {}
