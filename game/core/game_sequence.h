#pragma once
// The game-control sequence: the one persistent task of group 0 that runs the
// game from boot to game over, and the operations other parts call to steer
// it. Its words are in play_state.h.
//
// Provisional (game_sequence_provisional.cpp) until the sequence is built:
// the operations do nothing and seqIsScoreAttack reads menuResultCode only.
//
// Threads: main thread only.

#include <cstdint>

struct ObjTask;
struct ObjWork;

void TSKgameCtrlAct(ObjTask* task);
void TSKgameCtrlKill(ObjTask* task);
void TSKgameCtrlDraw(ObjTask* task, ObjWork* work);

void seqStageClear();
void seqGameOver();
void seqContinue();
void seqGoToSelected();
void seqGoToTestMenu();
bool seqIsScoreAttack();
// The best ranking place the play reached, -1 when none.
int32_t seqRecordPlay(bool finished);
