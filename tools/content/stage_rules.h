#pragma once
// The rules every stage design meets before the generator writes it: row
// counts, the end row, the stage's kinds, the fixed rows, WARNING before each
// boss, the training start points, the stage events, the movement and scroll
// scripts (counts, sizes, ops, ground kinds on a layer, the rows that must
// stand as given, each mid-boss brought onto the screen by its script) and
// the kind totals. A broken rule stops the generator
// with the file, the line and the rule.
//
// Threads: plain functions.

#include <cstdint>
#include <span>

#include "tools/content/stage_design.h"

namespace content {

// Rows before the end row, by stage.
inline constexpr int32_t kStageRowCounts[kStageCount] = {52, 420, 520, 463, 920, 1239};

// The rules of one stage alone.
void checkStage(const StageDesign& design);

// The rules over the stages designed so far: kind totals are checked whole
// once every stage they cover is designed, and never exceeded before.
// Stages in ascending order, each at most once.
void checkStages(std::span<const StageDesign> designs);

}  // namespace content
