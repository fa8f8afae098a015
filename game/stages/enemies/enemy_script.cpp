#include "game/stages/enemies/enemy_script.h"

#include <numbers>

#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/play_state.h"
#include "game/stages/enemies/enemy_kinds.h"
#include "game/stages/stage_tables.h"

void enemySelectMoveScript(ObjWork* work, int32_t param) {
    EnemyFields& e = enemy(work);
    e.scriptCursor = 0;
    if (param == -1) {
        e.script = 0;
        return;
    }
    if (stageNumber < 0 || stageNumber >= kStageTableCount) return;
    e.scriptStage = stageNumber;
    e.script = stageMoveScript(stageNumber, param) != nullptr ? param + 1 : 0;
}

namespace {

// Runs one due row; false when the script rests on it.
bool scriptRunRow(ObjTask* task, ObjWork* work, const MoveScript& row) {
    EnemyFields& e = enemy(work);
    switch (row.op) {
    case kScriptRest:
        return false;
    case kScriptSize:
        e.halfWidth = float(row.a) / 100.0f * 0.5f;
        e.halfHeight = float(row.b) / 100.0f * 0.5f;
        break;
    case kScriptLayer:
        task->flags |= kEnemyFollowsLayer;
        e.followedLayer = row.a;
        break;
    case kScriptNoAttack:
        e.noHitBoxes = row.a;
        break;
    case kScriptSpeed:
        e.scriptSpeedX = e.scriptSpeedY = e.steerSpeed = float(row.a) / 100.0f;
        break;
    case kScriptHeading:
        e.scriptHeadingX = e.scriptHeadingY = float(row.a) * (1.0f / 1024.0f) * 2.0f * std::numbers::pi_v<float>;
        work->heading = row.a;
        break;
    case kScriptEnd:
        task->state = kObjStateEnd;
        break;
    default:
        break;
    }
    return true;
}

}  // namespace

bool enemyMoveScript(ObjTask* task, ObjWork* work) {
    EnemyFields& e = enemy(work);
    if (e.script == 0) return true;
    const MoveScript* script = stageMoveScript(e.scriptStage, e.script - 1);
    if (script == nullptr) return true;
    for (;;) {
        const MoveScript& row = script[e.scriptCursor];
        if (row.frame > enemyAge(task)) break;
        if (!scriptRunRow(task, work, row)) break;
        ++e.scriptCursor;
    }
    return true;
}
