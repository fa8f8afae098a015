#pragma once
// Provisional: the sequence's play globals that the records read, until the
// game-control sequence that owns them is built here.
//
// Threads: main thread only.

#include <cstdint>

extern int32_t stageNumber;         // 0 the prologue, 1..5
extern int32_t menuResultCode;      // during a play also the play kind
extern int32_t trainingStartStage;  // the stage a training play starts on
