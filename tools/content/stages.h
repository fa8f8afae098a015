#pragma once
// The stages module's parts: the designed stages read from
// "stages/stageN/" (stages without a folder are left out) and checked, and
// the source of the game's stage tables (generated/stage_tables.cpp), in
// which a stage not designed yet has its end row alone and resting layers.
//
// Threads: plain functions.

#include <string>
#include <vector>

#include "tools/content/content_context.h"
#include "tools/content/stage_design.h"

namespace content {

std::vector<StageDesign> readStages(const ContentContext& context);
std::string stageTablesSource(const std::vector<StageDesign>& designs);

}  // namespace content
