#pragma once
// Provisional: the least of the stages that the game-control sequence and the
// stage load lean on, until the stage family is built here (see README.md).
//
// Threads: main thread only.

#include <cstdint>

struct ObjTask;

// The CHANGE and BOMB item-carrier timers (frames).
extern int32_t itemCarrierChangeTimer;
extern int32_t itemCarrierBombTimer;
extern int32_t stageProgress;
// The read-ahead word of the stage images.
extern int32_t stagePreloadWord;

inline constexpr int kStageReaders = 6;
// Indexed by stage 0..5; called with 0 to read that stage's images ahead.
extern void (*const stageInitReadThreadTable[kStageReaders])(int32_t);

// The stand-in stage field (group 1, FILD): stageFrame goes up by one a
// running frame; the stage is cleared after stageFieldFrames frames (180;
// long plays in tests lengthen it); a fresh press of button 3 loses the
// fighter's last life.
inline constexpr int32_t kStageFieldFrames = 180;
extern int32_t stageFieldFrames;
void stageFieldProvisionalAct(ObjTask* task);

// Indexed by stage 0..5: the act of the stage's field task (group 1, FILD).
inline constexpr int kStageFields = 6;
extern void (*const stageFieldActTable[kStageFields])(ObjTask*);
