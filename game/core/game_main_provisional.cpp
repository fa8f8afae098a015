// Provisional: the game main's initialisation and release replace this file.
#include "game/core/game_main.h"

uint8_t attractMode = 0;

void gameMainInit() {}

void gameMainRelease() {}
