#include "game/records/play_selection.h"

#include "game/core/game_sequence.h"
#include "game/core/play_state.h"

int32_t gameMode = 0;
int32_t gameSystem = 0;
int32_t rankingExtraWord = 0;
int32_t selectedLeaderType = 0;
int32_t autoGameSystem = 0;
int32_t dramaticMode = 0;
uint8_t enemyShotStop = 0;

void setGameMode(int32_t mode) { gameMode = mode; }
void setGameSystem(int32_t system) { gameSystem = system; }
void setLeaderType(int32_t type) { selectedLeaderType = type; }
void setAutoGameSystem(int32_t assist) { autoGameSystem = assist; }
void setDramaticMode(int32_t dramatic) { dramaticMode = dramatic; }
void setEnemyShotStop(uint8_t stop) { enemyShotStop = stop; }
void resetRankingExtraWord() { rankingExtraWord = 0; }

// A watched replay counts in the category it was played in.
int32_t getRankingCategory() { return seqIsScoreAttack() ? stageNumber + 3 : gameMode; }
