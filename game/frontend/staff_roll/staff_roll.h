#pragma once
// The staff roll (`TSKstaffRoll`, tag MENU, chosen from the main menu): 28
// pages of credit lines whose letters fly in, stay and fly out, each page
// 540 frames, then a closing page with the score of the mini-game played
// over them. The letters (group 7, ZAKO), the character (group 9, FIGH) and
// the partners (group 11, ESHT) are ordinary tasks that meet in the core's
// collision pass; the scene releases them by tag at its end.
//
// Threads: main thread only.

#include <cstdint>

struct ObjTask;
struct ObjWork;

// Scene globals.
extern int32_t staffRollPage;         // the page last spawned
extern int32_t staffRollTargetsLeft;  // target letters of the page still standing
extern uint8_t staffRollFinished;     // 1 once the last credit page has passed
extern uint8_t staffRollStarted;      // 1 once the player has joined
// The mini-game.
extern uint64_t staffRollScore;
extern int32_t staffRollGauge;           // 0..150
extern int32_t staffRollPartners;        // partners called, 0..4 (5 after a refused call)
extern int32_t staffRollMultiplier;      // 1, + 1 a partner
extern int32_t staffRollMultiplierTime;  // frames left, 600 after a call
extern int32_t staffRollLevel;           // min(score / 20000, 10)

inline constexpr int32_t kStaffRollPageFrames = 540;
inline constexpr int32_t kStaffRollGaugeFull = 150;
inline constexpr int32_t kStaffRollMultiplierFrames = 600;
// The scene's state after its fade-out: waits for the menu frame, then ends.
inline constexpr int32_t kStaffRollStateLeave = 101;
// The scene's act words.
inline constexpr int kStaffRollStep = 0;
inline constexpr int kStaffRollCountdown = 1;

void TSKstaffRoll(ObjTask* task);

// Spawns the page's 20 lines (line i at (112, 46 + 14 i), value 22 - i);
// the targets left count from 0.
void staffRollSetPage(int32_t page);
// One line's letters: each row centred on x, 12 pixels a place; "￥" goes
// to the next row 12 pixels lower; U+3000 takes a place without a letter;
// a character the letter font lacks takes none. Target letters raise
// staffRollTargetsLeft.
void staffRollSpawnLine(const char* text, float x, float y, float alpha, int32_t red, int32_t green, int32_t blue,
                        int32_t target, int32_t entryKind, int32_t lineValue);

// The mini-game's part of each scene frame: joining, partner calls, the
// level, the multiplier time.
void staffRollGameFrame();
// The scene's draw: the mini-game's head-up display.
void staffRollHudDraw(ObjTask* task, ObjWork* work);

void OBJstaffRollLetter(ObjTask* task);
void staffRollLetterHit(ObjTask* task, ObjWork* work);
// The character, made at (112, -30) when the player joins.
void staffRollCharacterAct(ObjTask* task);
void staffRollCharacterHit(ObjTask* task, ObjWork* work);
// A partner of kind 0..4 at (-100, 278); kind 0 stands by from the start.
void staffRollPartnerCreate(int32_t kind);
void staffRollPartnerAct(ObjTask* task);
// The partner's vertical draw offset in pose 4 (lying struck).
inline constexpr float kStaffRollPartnerPose4Drop = 4.0f;

// The gauge full: 150 and SE 37 when it was below.
void staffRollGaugeFull();
// n more on the gauge, full past 149; held at 0 once four partners came.
void staffRollGaugeAdd(int32_t n);
// The points of a hit: the multiplier while its time runs, else 1.
int32_t staffRollHitMultiplier();
