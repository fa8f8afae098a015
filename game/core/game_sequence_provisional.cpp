// Provisional: the game-control sequence replaces this file.
#include "game/core/game_sequence.h"

#include "game/core/play_state.h"

void TSKgameCtrlAct(ObjTask*) {}
void TSKgameCtrlKill(ObjTask*) {}
void TSKgameCtrlDraw(ObjTask*, ObjWork*) {}

void seqStageClear() {}
void seqGameOver() {}
void seqContinue() {}
void seqGoToSelected() {}
void seqGoToTestMenu() {}
bool seqIsScoreAttack() { return menuResultCode == 2; }
int32_t seqRecordPlay(bool) { return -1; }
