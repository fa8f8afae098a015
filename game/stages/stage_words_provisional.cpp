#include "game/stages/stage_words_provisional.h"

int32_t stageFrame = -1;
int32_t layerTintTimer = 0;

void enemyUpdateRank() {}

void itemCarrierUpdate() {}
