#pragma once
// Popups: `SPLT` tasks of group 15 that show a word label or a score number
// where something happened. They never collide.
//
// Threads: main thread only (act and draw passes).

#include <cstdint>

struct ObjTask;
struct ObjWork;

inline constexpr int32_t kPopupGroup = 15;

// Spaces the score numbers: each one made sets it to 8; the game main update
// counts it down once an act pass while the fighter exists.
extern int32_t scorePopupTimer;

// A label of `kind` 0, 2, 3, 4 or 5 at (x, y) that rises and grows, holds,
// then shrinks away. `second` and `fourth` are accepted and ignored; any
// other kind, or a full pool, makes nothing.
void TSKspltCreate(int32_t kind, int32_t second, int32_t parameter, int32_t fourth, float x, float y);
// A score number of `kind` 0, 1 (drifting down, with prefix) or 3 (counting
// up in the centre) showing `value`, at most 99999999. Refused while
// scorePopupTimer runs, except kind 3; each one made restarts it at 8.
void TSKspltScoreCreate(int32_t kind, float x, float y, int32_t parameter, uint64_t value);

void TSKspltAct(ObjTask* task);
void TSKspltDraw(ObjTask* task, ObjWork* work);
void TSKspltScoreAct(ObjTask* task);
void TSKspltScoreDraw(ObjTask* task, ObjWork* work);
// Queues `value`'s digits right to left ending at x, in `style` 0 or 1, with
// the style's prefix sprite before them when `showPrefix` is set.
void spltDrawDigits(ObjWork* work, uint64_t value, float x, int32_t style, bool showPrefix);
