// The fuzz build makes no content, so its programs get stages of the end
// row alone and resting layers in place of the generated tables.
#include "game/stages/stage_tables.h"

namespace {

constexpr SpawnRow kStageTablesFuzzEnd[] = {{0, -1, kSpawnEndFrame, 0, 0, {0, 0, 0, 0}}};
constexpr ScrollScript kStageTablesFuzzRest[] = {{0, 0, 0, 0, 0, 0}};
constexpr StageTables kStageTablesFuzzStage = {
    kStageTablesFuzzEnd, 0, nullptr, 0,
    {kStageTablesFuzzRest, kStageTablesFuzzRest, kStageTablesFuzzRest, kStageTablesFuzzRest}};

}  // namespace

const StageTables stageTablesGenerated[kStageTableCount] = {kStageTablesFuzzStage, kStageTablesFuzzStage,
                                                            kStageTablesFuzzStage, kStageTablesFuzzStage,
                                                            kStageTablesFuzzStage, kStageTablesFuzzStage};
