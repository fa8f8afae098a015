#pragma once
// The play-selection globals that game init and the selection screens set,
// and the ranking category of the current play.
//
// Threads: main thread only.

#include <cstdint>

extern int32_t gameMode;  // 0 NOVICE, 1 CASUAL, 2 ORIGINAL, 3 EXPERT
extern int32_t gameSystem;
extern int32_t rankingExtraWord;
extern int32_t selectedLeaderType;
extern int32_t autoGameSystem;  // the assist choice
extern int32_t dramaticMode;
extern uint8_t enemyShotStop;  // while 1, enemy shots and some enemy actions stop

void setGameMode(int32_t mode);
void setGameSystem(int32_t system);
void setLeaderType(int32_t type);
void setAutoGameSystem(int32_t assist);
void setDramaticMode(int32_t dramatic);
void setEnemyShotStop(uint8_t stop);
void resetRankingExtraWord();

// 0..8: the stage + 3 in a score-attack play (play kind 2) and in a play of
// kind 6 starting on stage 4 or later; otherwise the game mode.
int32_t getRankingCategory();
