#pragma once
// The enemy shots' 188 types as data: the look (sprite base, cells, frames
// per cell, depth, scale, turned), the speed rules (no bonus, unslowed), the
// life of the shootable ones, the class and the hit box.
//
// Threads: any; the tables are constant.

#include <cstdint>

struct HitBox;

inline constexpr int32_t kEshotTypes = 188;

struct EshotTypeRow {
    int32_t spriteBase;  // 0: no sprite of its own
    int32_t cells, framesPerCell;
    int32_t depth;
    float scale;
    float size;  // 16, or 32 for type 167
    int32_t life;
    uint8_t turned, unslowed, noBonus;
};

// The row of a type 0..187 (type 0's for any other value).
const EshotTypeRow& eshotTypeRow(int32_t type);
// The colour family 0..4 of a type; 0 outside 0..187.
int32_t eshotTypeClass(int32_t type);
// The one hit box a type gets at its first update (the lasers' strips aside).
const HitBox* eshotTypeHitBox(int32_t type);
