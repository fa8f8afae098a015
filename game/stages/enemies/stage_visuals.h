#pragma once
// The stage scenery that comes as enemy kinds without weapons or hit points
// of their own: the stage overlay (kind 123) and the stage-5 gate (kind 127)
// here; the boss-intro visuals and the stage-4 arena (kinds 124 to 126 and
// 129) in game/bosses/boss_visuals.h. They are spawned and stepped like any
// enemy, take the empty hit and have no attack.
//
// A door's state is the enemy view's `phase`, its opening (how far each leaf
// has slid out, 0 to 121 pixels) its `step`, the first-frame flag
// `firstFrameSeen`.
//
// Threads: main thread only.

#include <cstdint>

struct HitBox;
struct ObjTask;
struct ObjWork;

// A leaf slides out one pixel at a time until it has passed 120.
inline constexpr int32_t kStageDoorOpened = 120;
inline constexpr int32_t kStageDoorBoxCount = 2;
// Where a door's two boxes stand below the object: the arena's doors lie
// 280 pixels below it, the gate's on it.
enum class StageDoorRow { kGate, kArena };

// The hit callback of the scenery: the collision still counts (a shot that
// meets a door is spent), the door itself takes nothing.
void TSKstageVisualHit(ObjTask* task, ObjWork* work);

// The two boxes of a door at an opening (clamped to 0..121): half 56 by 50,
// x offsets 56 + opening and -(56 + opening). Constant tables, one pair an
// opening, so any number of doors can stand at once.
const HitBox* stageDoorBoxes(StageDoorRow row, int32_t opening);
// The door's boxes on the work, or none.
void stageDoorSetBoxes(ObjWork* work, StageDoorRow row, bool boxed);

// Kind 123, the stage overlay: a drifting, pulsing grid of a translucent
// tile over the whole screen, faded out once bossVisualFlag is raised.
void TSKstageOverlayAct(ObjTask* task);
void TSKstageOverlayDraw(ObjTask* task, ObjWork* work);
// The rows of the overlay's grid at an age: 3 while stage 2's overlay is
// younger than 180 frames and the stage frame is below 5700, else 6.
int32_t stageOverlayRows(int32_t age);

// Kind 127, the stage-5 gate: two leaves that slide open as it scrolls in.
void TSKst05GateAct(ObjTask* task);
void TSKst05GateDraw(ObjTask* task, ObjWork* work);
