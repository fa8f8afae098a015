#pragma once
// The game-control sequence: the one persistent task of group 0 (tag GCTR)
// that runs the game from boot to game over. Its act is a state machine
// over the task's state word: it creates each scene or menu as a task of
// group 13, waits until no task of that tag is left and reads what the
// scene left in the words of play_state.h. It draws only the continue
// screen and the upload-failure notice. gameMainInit creates it; the other
// parts steer it through the operations below, which do nothing until its
// first act.
//
// The attract demo (states 350 to 354, game_sequence_attract.cpp) and the
// replay viewer (600 to 611, game_sequence_viewer.cpp) play replay files
// back through the ordinary play; a file that can't be played ends the demo
// (on to the splash) or the viewer (back to the replay list).
//
// Threads: main thread only, inside the game main update's act passes.

#include <cstdint>

struct ObjTask;
struct ObjWork;

// The sequence task; null until its first act.
extern ObjTask* seqTask;
// Retries of the play upload.
extern int32_t seqUploadRetries;
// The credit count the continue countdown saw last (1 in free play).
extern int32_t seqLastCredit;
// Which attract file (0..4) the next demo plays; kept from demo to demo.
extern int32_t seqAttractIndex;
// The stage whose replay file the viewer shows.
extern int32_t seqViewerStage;

// Where the sequence keeps its own counters: the task's act words and the
// free words of its work record.
inline constexpr int kSeqActFrameCounter = 0;
inline constexpr int kSeqActBestPlace = 1;
inline constexpr int kSeqWorkCountdown = 0;
inline constexpr int kSeqWorkTick = 1;
inline constexpr int kSeqWorkResumeDelay = 2;

void TSKgameCtrlAct(ObjTask* task);
void TSKgameCtrlKill(ObjTask* task);
void TSKgameCtrlDraw(ObjTask* task, ObjWork* work);

// During the attract demo the next three end the demo instead (as its
// input running out does).
// The stage is over (the enemy step, the voice cut-in).
void seqStageClear();
// The play cannot go on (the continue was refused or ran out).
void seqGameOver();
// The fighter lost its last life.
void seqContinue();
// To the state menuResultCode chooses (the selections and the stage-clear
// scene also call it to leave their flow).
void seqGoToSelected();
// To the state the operator test menu's choice (testMenuResultCode) chooses.
void seqGoToTestMenu();
bool seqIsScoreAttack();
// Enters the play into the rankings; the better of the two daily places,
// -1 when none, 0 when the play is not recorded.
int32_t seqRecordPlay(bool finished);
