#pragma once
// The game over (TSKgameOver, tag OVER): the "gameover" motion under the
// fighter's portrait with a spoken and written parting line, the prompt to
// keep the play's replay when home play allows it, and on release the
// settings and the save block written.
//
// Threads: main thread only.

#include <cstdint>

struct ObjTask;
struct ObjWork;

// The scene's states past its set-up.
inline constexpr int32_t kOverWait = 100;
inline constexpr int32_t kOverShow = 101;
inline constexpr int32_t kOverEnd = 102;
inline constexpr int32_t kOverPrompt = 103;
inline constexpr int32_t kOverKept = 104;
inline constexpr int32_t kOverNoRoom = 105;
inline constexpr int32_t kOverFade = 106;
inline constexpr int32_t kOverLeave = 107;
// Act words: the loop label started, and the frames of the state.
inline constexpr int kOverLoopStarted = 0;
inline constexpr int kOverSteps = 4;
inline constexpr int32_t kReplayFolderLimit = 100;

extern float overTextAlpha;
extern int32_t overLinePick;  // 0..4, 5..9 for a cleared play
extern int32_t overSlide;     // the score lines' slide, cleared plays only

void TSKgameOver(ObjTask* task);
void gameOverDraw(ObjTask* task, ObjWork* work);
// The parting voice, by fighter type 0..3 and pick 0..9.
int32_t overPartingVoice(int32_t type, int32_t pick);
