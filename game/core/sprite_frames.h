#pragma once
// The sprite-frame table: one row per sprite cell, indexed by frame id. The
// game installs its built-in table at start-up with OBJsetFrameTable; tests
// install small tables of their own. Ids outside the table read the empty row.
//
// Threads: main thread only.

#include <cstdint>
#include <span>

struct SpriteFrame {
    int32_t sheet;  // sprite-sheet slot 0..127
    int32_t x, y, w, h;  // the cell in the sheet, in texels
    int32_t id;
    int32_t tile;  // read by the stage background tiles
    int32_t originX, originY;
    int32_t pivotX, pivotY;
};

void OBJsetFrameTable(std::span<const SpriteFrame> rows);
std::span<const SpriteFrame> OBJframeTable();
// The row of the id; an all-zero row for ids outside the table.
const SpriteFrame& OBJframeRow(int32_t id);

struct FrameRect {
    int32_t x, y, w, h;
};
// The row's rectangle, each word read as an unsigned 16-bit value.
FrameRect OBJgetFrameRect(int32_t id);

struct FrameInfo {
    float pivotX, pivotY;
};
// pivotX and -pivotY of the row.
FrameInfo OBJgetFrameInfo(int32_t id);
