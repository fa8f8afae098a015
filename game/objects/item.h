#pragma once
// Items: the pick-ups that destroyed enemies, cancelled shots, lasers and
// carriers leave (medals 0-4, the bomb item 5, life 6, power tips 7-9, the
// change item 10, the secret item 11, the swaying item 12, the ground item
// 13). Each is an ITEM task of group 14; it moves by its kind and ends when
// the fighter takes it. What a pick-up gives is the fighter's business
// (fighter_pickup.h).
//
// Threads: main thread only.

#include <cstdint>

#include "game/core/obj_task.h"

struct ObjWork;

inline constexpr int32_t kItemKinds = 14;
inline constexpr int kItemGroup = 14;
inline constexpr uint32_t kItemTag = objTag("ITEM");

// Live counters (+1 at creation, -1 at release) the carriers read.
extern int32_t itemLiveBombs;    // kind 5
extern int32_t itemLiveChanges;  // kind 10
extern int32_t itemLiveSways;    // kind 12

// Makes an item: angle in 1024 units a turn, speed in hundredths of a pixel
// a frame, delay in frames before it shows, glow non-zero for the glow.
// Nothing is made for a kind outside 0..13 or with the pool full.
void TSKitemCreate(int32_t kind, int32_t angle, float speed, int32_t delay, int32_t glow, float x, float y);
// The same with speed, delay and glow 0.
void TSKitemCreate(int32_t kind, int32_t angle, float x, float y);

void TSKitemAct(ObjTask* task);
void TSKitemKill(ObjTask* task);
void TSKitemDraw(ObjTask* task, ObjWork* work);
// The fighter touched the item: when its pick-up applies
// (fighterPickUpApplies) it is given (fighterPickUp) and the item ends.
void TSKitemHit(ObjTask* task, ObjWork* work);
