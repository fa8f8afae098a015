// Provisional: the game main replaces this file.
#include "game/core/game_main.h"

uint8_t attractMode = 0;
int32_t slowMotionFrames = 0;
int32_t slowMotionPeriod = 0;
int32_t slowMotionPeriodInUse = 0;

void gameMainInit() {}

bool gameMainUpdate(bool keepRunning) { return keepRunning; }

void gameMainDraw() {}

void gameMainRelease() {}
