#include "game/stages/stage_words_provisional.h"

void enemyUpdateRank() {}

void itemCarrierUpdate() {}
