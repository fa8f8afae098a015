#pragma once
// The sprite-frame table: every sprite cell of the game, indexed by frame id.
// Each row is sheet slot, x, y, w, h (the cell on the sheet), id, sequence
// word, originX, originY, pivotX, pivotY (SpriteFrame's eleven words in
// order); stage tiles use the last four as placement x, y and offsets x2, y2.
// Row 0 and every id nothing uses are all zero. The table is generated from
// content/sprites/sprites.txt by the content generator; ids of sprites
// without a fixed id are in the generated "sprite_extra_ids.h". The root
// task's boot step installs it with OBJsetFrameTable.
//
// Threads: constant data, read from any thread.

#include <cstdint>

#include "game/core/sprite_frames.h"

inline constexpr int32_t kSpriteFrameRows = 51230;
inline constexpr int32_t kSpriteFrameWords = 11;
static_assert(sizeof(SpriteFrame) == kSpriteFrameWords * sizeof(int32_t));

extern const SpriteFrame spriteFrameTable[kSpriteFrameRows];
