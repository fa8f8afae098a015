#pragma once
// The words the game-control sequence steers the game with. The sequence
// sets them; the game main update and draw, the stage load, the replay files,
// the menus and the records read them (and some write them, as noted).
//
// Threads: main thread only.

#include <cstdint>

// 0 boot, 1 back to the title side, 2 a play was accepted, 3 playing,
// 4 stage cleared, 5 attract demo running, 6 play over, go to the ranking.
extern int32_t gamePhase;
// The choice a menu leaves for seqGoToSelected; during a play also the play
// kind: 2 score attack, 6 replay viewer, 8 training, anything else a story.
extern int32_t menuResultCode;
extern int32_t stageNumber;         // 0 the prologue, 1..5, 6 after stage 5
extern int32_t trainingStartStage;  // the stage a training play starts on
// Written by the pause menu: 1 restart stage, 2 restart game, 3 return to
// menu; the sequence resets it to 0 when it acts on it.
extern int32_t pauseChoice;
// While set, the play enters the rankings and writes its replay files.
extern uint8_t playIsRecorded;
// The continue screen is up: the game main update freezes play.
extern uint8_t continueScreenActive;
// The pause menu opens only while this is 1.
extern uint8_t pauseAllowed;
// Set by the operator test's exit: the game main update ends the main loop.
extern uint8_t gameExitRequested;
// The stage's boss words, reset by every stage load: 0 no boss, 1 a
// mid-boss is fighting, 2 a boss; set at a boss's death and cleared when the
// true last boss comes.
extern int32_t bossPresentFlag;
extern uint8_t stageClearFlag;
// A run mode; while it is 3 the stage bosses skip their movement scripts.
extern int32_t runModeWord;
