#pragma once
// Provisional: how a stage ends until its boss can die. A stage whose spawn
// rows bring a built stage boss (kinds 100 to 105: stage 1's so far) is left
// to the boss's death; the boss issues of the other stages shrink this file
// and, with the last, delete it and its call in the field frame.
//
// Threads: main thread only.

#include <cstdint>

struct ObjTask;

// Running frames a field lasts at least before the stand-in clears it.
inline constexpr int32_t kStageEndProvisionalFrames = 180;

// Once a running frame of a field, after its age went up: clears the stage
// (seqStageClear, once) when the field has run kStageEndProvisionalFrames
// frames, the spawn cursor stands on the end row and no enemy is left, unless
// a built stage boss is among its rows (the
// prologue's field with the prologue off: at once); a fresh
// press of button 3 in play stands in for the fighter's last life lost
// (seqContinue).
void stageEndProvisionalStep(ObjTask* field);
