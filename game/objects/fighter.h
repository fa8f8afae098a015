#pragma once
// The fighter: the player's object, one FIGH task that is always the first
// task of group 9. It stands for a team of four fighter types (A to D, 0 to
// 3), one flying at a time, each with its team gauge; the team is in play
// while any gauge is full. Every value of the fighter lives in the fighter
// view of its ObjWork (obj_work_views.h); the gun units are ObjRefs.
//
// Other code reads and changes the fighter only through the accessors of
// fighter_counters.h.
//
// Threads: main thread only.

#include <cstdint>

struct ObjTask;
struct ObjWork;

inline constexpr int32_t kFighterGroup = 9;
inline constexpr int32_t kFighterTypes = 4;
// The task states beside 0 (set-up) and 100 (running): no fighter of the
// team ready, waiting for the continue.
inline constexpr int32_t kFighterStateWaiting = 100100;
inline constexpr int32_t kFighterStateWaitingReady = 100101;

// The frame's input as the fighter sees it: the pads while playing
// (gamePhase 3), the recorded words while a replay plays back, else nothing.
struct FighterInput {
    uint32_t direction;  // bits 0-3 up, down, left, right
    uint32_t held;       // 0x10..0x80 buttons 1 to 4
    uint32_t pressed;    // newly pressed this frame
};
// The input of the last act call; zero before the first.
const FighterInput& fighterInput();

// The FIGH task's act (group 9), made by the play start: samples the input,
// draws its value 0..99 from the game's generator on every call, records or
// plays back the replay frame words while running, and steps the states
// 0 set-up, 100 running, 100100 / 100101 waiting for a ready fighter.
void TSKfighterAct(ObjTask* task);
// Set-up, run by the act in state 0.
void TSKfighterInit(ObjTask* task);
// The per-frame behaviour in state 100: timers, gauges, weapon mode, speed,
// movement, power-up, blow, bomb time, hit box, bonus and destruction decay.
void TSKfighterUpdate(ObjTask* task);
// Banks the fighter toward the direction held (frames 0..8, 4 level).
void fighterBankAnim(ObjTask* task);
// The fighter's draw callback.
void TSKfighterDraw(ObjTask* task, ObjWork* work);

// At every stage load (restore: the stage again after a restart). Re-sets
// the fighter for a stage start, then: recording, copies the fighter's and
// both gun units' records into the replay header; playing back, takes them
// from it (keeping each record's live links); restore false also keeps the
// three in the retry copy, restore true takes them back from it. A record
// read back is clamped to sound values (type 0..3, gauges 0..100000, energy
// 0..10000, rank 0..50, life 0..6).
void fighterStageSnapshot(bool restore);
// Puts the fighter back at its start point with the stage-start clears and
// one more on the credit count (at most 10); the continue makes it.
void fighterResetPosition();
// After fighterResetPosition on an accepted continue: the whole team ready
// again (all four gauges full) and the fighter flying in as after a miss
// (fire lock 120, absent until the lock reaches 20, invulnerability at
// least 300 in NOVICE, 240 otherwise). The life count is left as it is.
void fighterContinueReturn();

// Installs the replay hooks the fighter answers: the play facts of a
// replay's summary and the fighter type a played-back stage starts with.
void fighterInstallReplayHooks();
