// Provisional: the boss issues shrink this file; a stage whose boss is built
// ends with the boss's death.
#include "game/stages/stage_end_provisional.h"

#include "game/core/game_sequence.h"
#include "game/core/input_words.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/play_state.h"
#include "game/stages/enemies/enemy_kinds.h"
#include "game/stages/stage_field.h"
#include "game/stages/stage_tables.h"

namespace {

constexpr uint32_t kStageEndButton3 = 0x40;
constexpr int kStageEndClearedWord = 1;

constexpr int32_t kStageEndFirstBoss = 100;
constexpr int32_t kStageEndLastBoss = 105;

// A stage whose spawn rows bring a built stage boss: its death clears the stage.
bool stageEndBossDrives(const SpawnRow* table, int32_t rows) {
    for (int32_t i = 0; table != nullptr && i < rows; ++i) {
        const int32_t kind = table[i].kind;
        if (kind >= kStageEndFirstBoss && kind <= kStageEndLastBoss && enemyKindAct(kind) != nullptr) return true;
    }
    return false;
}

// The prologue's field with the prologue off runs behind a held fade: nothing
// there waits for its rows.
bool stageEndReached(const ObjTask* field) {
    if (stageNumber == 0 && field->actWords[kFieldPrologueWord] == 0) return true;
    const SpawnRow* table = stageSpawnTable(stageNumber);
    if (stageEndBossDrives(table, stageSpawnRowCount(stageNumber))) return false;
    if (table == nullptr || spawnCursor < uint32_t(stageSpawnRowCount(stageNumber))) return table == nullptr;
    return OBJtaskCountByTag(kEnemyGroup, kEnemyTag) == 0;
}

}  // namespace

void stageEndProvisionalStep(ObjTask* field) {
    // Stands in for the fighter's last life lost, so the continue can be reached by hand.
    if ((padPressed & kStageEndButton3) != 0 && gamePhase == 3) {
        seqContinue();
        return;
    }
    if (field->actWords[kStageEndClearedWord] != 0 || field->work->age < kStageEndProvisionalFrames) return;
    if (!stageEndReached(field)) return;
    field->actWords[kStageEndClearedWord] = 1;
    seqStageClear();
}
