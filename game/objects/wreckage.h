#pragma once
// Wreckage: what destroyed enemies leave behind, `ZANG` tasks of group 17
// that animate a debris sprite, ride one of the four background layers and
// drift, then leave the screen or fade.
//
// Threads: main thread only (act and draw passes).

#include <cstdint>

struct ObjTask;
struct ObjWork;

inline constexpr int32_t kWreckGroup = 17;
inline constexpr int32_t kWreckKinds = 22;

// Wreckage of `kind` 0..21 at (x, y) moving `speed` hundredths of a pixel a
// frame, riding background layer `layer` 1..4. A kind or layer out of range,
// or a full pool, makes nothing.
void TSKzangCreate(int32_t kind, int32_t speed, int32_t layer, float x, float y);

void TSKzangAct(ObjTask* task);
void TSKzangUpdate(ObjTask* task);
void TSKzangDraw(ObjTask* task, ObjWork* work);
