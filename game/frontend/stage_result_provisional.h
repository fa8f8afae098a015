#pragma once
// Provisional: the stage-result flag, until the stage-result scene is built
// (see README.md). 1 while the stage result runs; the stand-in scene sets it
// when it starts and clears it when it ends.
//
// Threads: main thread only.

#include <cstdint>

extern int32_t stageResultActive;
