#pragma once
// The stage field: one task a stage (group 1, FILD) that counts the stage
// frame, spawns the stage's enemies from its spawn table, starts the four
// background layers, fades the stage in with its music and title, and hands
// the fighter to the player at fixed ages of its own. Nothing here ends a
// stage: a boss's death raises the stage clear.
//
// Threads: main thread only.

#include <cstdint>

struct ObjTask;
struct SpawnRow;

// The stage's frame: -1 after a stage load (a training start sets its own),
// one up a running frame. Spawn rows and scroll scripts are timed on it.
extern int32_t stageFrame;
// The next row of the stage's spawn table.
extern uint32_t spawnCursor;
// Raised by the stage result scene, lowered by the scenes after it: due rows
// are consumed without spawning.
extern int32_t spawnSuppressed;
// While above 0 the background layers are drawn darkened. Counted down once
// an act pass by the game main update.
extern int32_t layerTintTimer;
// The read-ahead word of the stage images.
extern int32_t stagePreloadWord;

// The stage load's reset: stage frame -1, cursor 0, no darkening, the layers'
// shifts, kill flags, frames and tint.
void stageFieldReset();

// Rows a spawn may be late by before it is dropped.
inline constexpr int32_t kSpawnLateFrames = 16;

// The spawn rule of one running frame: every row due by the stage frame is
// consumed, those fewer than 16 frames late spawning (unless suppressed,
// when checkSuppressed); then the stage frame goes up by one. The prologue
// neither checks the suppression nor copies the extras.
void stageSpawnStep(bool checkSuppressed, bool copyExtras);
// Where the spawn rule and the overlay find a kind's act: enemyKindAct;
// tests point it at acts of their own.
extern void (*(*stageSpawnAct)(int32_t kind))(ObjTask*);

// Makes the enemy of one row: nothing for a kind outside 0..152 or without
// an act, a full pool, or an act that made no work.
void stageSpawnRow(const SpawnRow& row, bool copyExtras);

// The field acts of stages 0..5.
void TSKst00FieldAct(ObjTask* task);
void TSKst01FieldAct(ObjTask* task);
void TSKst02FieldAct(ObjTask* task);
void TSKst03FieldAct(ObjTask* task);
void TSKst04FieldAct(ObjTask* task);
void TSKst05FieldAct(ObjTask* task);

// The field's act words.
inline constexpr int kFieldPrologueWord = 0;  // stage 0: the prologue plays

// Indexed by stage 0..5: the act of the stage's field task.
inline constexpr int kStageFields = 6;
extern void (*const stageFieldActTable[kStageFields])(ObjTask*);

// Indexed by stage 0..5: reads the stage's images ahead into stageImageSlots
// (none for stage 0, two for stage 5); 0 always.
inline constexpr int kStageReaders = 6;
extern int32_t (*const stageInitReadThreadTable[kStageReaders])(int32_t);
int32_t TSKst01InitReadThread(int32_t);
int32_t TSKst02InitReadThread(int32_t);
int32_t TSKst03InitReadThread(int32_t);
int32_t TSKst04InitReadThread(int32_t);
int32_t TSKst05InitReadThread(int32_t);
