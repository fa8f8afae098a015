#pragma once
// The stage result (TSKstageClear, tag STGC): covers the field, releases the
// stage, plays the stage's "clear" motion, then counts the four medal lines
// and the no-miss line up, each bonus rated and added to the score, with
// the leader's portrait and one spoken line. After stage 5 steps 25 to 30
// play the endings (game/frontend/ending/).
//
// Threads: main thread only.

#include <array>
#include <cstdint>

struct ObjTask;
struct ObjWork;

extern int32_t resultSlot;  // "result1", opened once and kept; -1 when not open
extern float resultCoverAlpha;
extern float resultPanelAlpha;
extern std::array<uint64_t, 4> resultShown;   // medal lines 1..4
extern std::array<uint64_t, 4> resultPoints;
extern uint64_t resultNoMissShown;
extern uint64_t resultNoMissPoints;
extern uint8_t resultSkip;
extern int32_t resultEndWait;
extern int32_t resultEndPlays;
extern int32_t resultLineIndex;
extern std::array<int32_t, 256> resultLineUsed;  // cleared at every play start
extern char resultClearLabel[256];
extern int32_t resultStage;
extern uint8_t resultMotionVisible;
// 1 from the scene's set-up until it ends or is released.
extern int32_t stageResultActive;

void TSKstageClear(ObjTask* task);
void stageClearDrawTally(ObjTask* task, ObjWork* work);
// The bonus rate in tenths (10 = x1.0).
int32_t resultBonusRate();
// The rated bonus of a line's points: points x rate / 100, down to a multiple of 10.
uint64_t resultRatedBonus(uint64_t points, int32_t rate);
// One UTF-8 line in the kana font from (16, 266), 12 pixels a character;
// "￥" breaks the line. Characters the font does not hold take no room.
void drawKanaLine(ObjWork* work, const char* text, int32_t layer, float alpha);

// The leader line's voice, by leader type 0..3 and line 0..24.
int32_t resultLineVoice(int32_t type, int32_t line);

inline constexpr int32_t kResultLines = 25;
inline constexpr int32_t kResultLastStep = 31;
