// What the two-leaf doors of the stage-4 arena (kind 126) and the stage-5
// gate (kind 127) share: their boxes by opening and the empty hit.
#include <array>
#include <cstddef>

#include "game/core/collision.h"
#include "game/core/obj_work.h"
#include "game/stages/enemies/stage_visuals.h"

namespace {

constexpr float kStageDoorHalfWidth = 56.0f;
constexpr float kStageDoorHalfHeight = 50.0f;
constexpr float kStageDoorArenaBelow = 280.0f;
constexpr int32_t kStageDoorOpenings = kStageDoorOpened + 2;

using StageDoorTable = std::array<std::array<HitBox, kStageDoorBoxCount>, kStageDoorOpenings>;

constexpr StageDoorTable stageDoorTable(float below) {
    StageDoorTable table{};
    for (int32_t opening = 0; opening < kStageDoorOpenings; ++opening) {
        const float x = kStageDoorHalfWidth + float(opening);
        table[size_t(opening)][0] = {x, below, kStageDoorHalfWidth, kStageDoorHalfHeight};
        table[size_t(opening)][1] = {-x, below, kStageDoorHalfWidth, kStageDoorHalfHeight};
    }
    return table;
}

constexpr StageDoorTable kStageDoorGateBoxes = stageDoorTable(0.0f);
constexpr StageDoorTable kStageDoorArenaBoxes = stageDoorTable(kStageDoorArenaBelow);

}  // namespace

void TSKstageVisualHit(ObjTask*, ObjWork*) {}

const HitBox* stageDoorBoxes(StageDoorRow row, int32_t opening) {
    const size_t i = size_t(opening < 0 ? 0 : opening >= kStageDoorOpenings ? kStageDoorOpenings - 1 : opening);
    return row == StageDoorRow::kArena ? kStageDoorArenaBoxes[i].data() : kStageDoorGateBoxes[i].data();
}

void stageDoorSetBoxes(ObjWork* work, StageDoorRow row, bool boxed) {
    work->hitBoxes = boxed ? stageDoorBoxes(row, enemy(work).step) : nullptr;
    work->hitBoxCount = boxed ? kStageDoorBoxCount : 0;
}
