#include "game/core/sprite_frames.h"

namespace {

constexpr SpriteFrame kEmptyRow{};
std::span<const SpriteFrame> table;

}  // namespace

void OBJsetFrameTable(std::span<const SpriteFrame> rows) { table = rows; }

std::span<const SpriteFrame> OBJframeTable() { return table; }

const SpriteFrame& OBJframeRow(int32_t id) {
    if (id < 0 || static_cast<size_t>(id) >= table.size()) return kEmptyRow;
    return table[static_cast<size_t>(id)];
}

FrameRect OBJgetFrameRect(int32_t id) {
    const SpriteFrame& row = OBJframeRow(id);
    return {uint16_t(row.x), uint16_t(row.y), uint16_t(row.w), uint16_t(row.h)};
}

FrameInfo OBJgetFrameInfo(int32_t id) {
    const SpriteFrame& row = OBJframeRow(id);
    return {float(row.pivotX), -float(row.pivotY)};
}
