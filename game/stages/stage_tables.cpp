// The accessors of the stages' tables.
#include "game/stages/stage_tables.h"

namespace {

const StageTables* stageTablesInUse = stageTablesGenerated;

const StageTables* stageTablesOf(int32_t stage) {
    if (stage < 0 || stage >= kStageTableCount) return nullptr;
    return &stageTablesInUse[stage];
}

}  // namespace

const SpawnRow* stageSpawnTable(int32_t stage) {
    const StageTables* tables = stageTablesOf(stage);
    return tables ? tables->spawnRows : nullptr;
}

int32_t stageSpawnRowCount(int32_t stage) {
    const StageTables* tables = stageTablesOf(stage);
    return tables ? tables->spawnRowCount : 0;
}

const MoveScript* stageMoveScript(int32_t stage, int32_t param) {
    const StageTables* tables = stageTablesOf(stage);
    if (tables == nullptr || param < 0 || param >= tables->moveScriptEntries) return nullptr;
    return tables->moveScripts[param];
}

const ScrollScript* stageLayerScript(int32_t stage, int32_t layerIndex) {
    const StageTables* tables = stageTablesOf(stage);
    if (tables == nullptr || layerIndex < 0 || layerIndex > 3) return nullptr;
    return tables->layerScripts[layerIndex];
}

void stageTablesUse(const StageTables* tables) { stageTablesInUse = tables ? tables : stageTablesGenerated; }
