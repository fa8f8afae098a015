// What the large ground enemies share: their rows, state 0, the running
// frame's step, the box, the attack tables' dispatcher and the stage-5
// cut-off.
#include "game/core/game_sequence.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/play_state.h"
#include "game/core/sprite_frames.h"
#include "game/objects/eshot.h"
#include "game/objects/fighter_counters.h"
#include "game/stages/enemies/bullet_patterns.h"
#include "game/stages/enemies/enemy_damage.h"
#include "game/stages/enemies/enemy_kinds.h"
#include "game/stages/enemies/enemy_script.h"
#include "game/stages/enemies/enemy_step.h"
#include "game/stages/enemies/zako_ground_large.h"
#include "game/stages/rank_carriers.h"
#include "game/stages/stage_field.h"

namespace {

// kind, hp, hp in stage 5, score, burst / interval / first / left / pause / cut,
// fires in boss fights, debris, kept after death, box, aim frame, muzzle
constexpr ZakoGroundLargeKind kZakoGroundLargeRows[] = {
    {70, 5376, 2048, 20540, 0, 0, 0, 0, 0, 70, 0, 0, 1, {0, 0, 20, 44}, 0, 0},
    {71, 5376, 2048, 20540, 0, 0, 0, 0, 0, 70, 0, 0, 1, {0, 0, 20, 44}, 0, 0},
    {72, 4608, 2048, 28590, 99999, 8, 30, 99999, 0, 100, 1, 0, 1, {0, 0, 24, 24}, 0, 0},
    {73, 4608, 2048, 28590, 99999, 8, 30, 99999, 0, 100, 1, 0, 1, {0, 0, 24, 24}, 0, 0},
    {74, 3072, 0, 31870, 4, 12, 180, 4, 120, 70, 1, 0, 0, {0, 0, 30, 30}, 5479, 20},
    {75, 40960, 0, 1250000, 1, 0, 4, 1, 0, 0, 0, 1, 0, {0, 0, 65, 75}, 0, 0},
    {76, 2048, 0, 38540, 9999, 2, 0, 9999, 120, 70, 0, 0, 0, {0, 0, 30, 30}, 5485, 0},
    {77, 5120, 0, 45000, 8, 3, 120, 8, 120, 70, 0, 1, 0, {0, 0, 32, 32}, 5487, 20},
};

constexpr int32_t kZakoGroundLargeCutOffStage = 5;
constexpr int32_t kZakoGroundLargeCutOffFrame = 12000;

bool zakoGroundLargeCallSelects(const ZakoGroundLargeCall& call, int32_t level, int32_t shotIndex, bool powered) {
    if (level < call.levelLo || level > call.levelHi) return false;
    if (call.poweredUp && !powered) return false;
    return call.every > 0 ? shotIndex % call.every == call.at : shotIndex == call.at;
}

void zakoGroundLargeCall(const ZakoGroundLargeCall& c, ObjRef owner, int32_t angle, float x, float y) {
    switch (c.routine) {
    case ZakoGroundLargeRoutine::shot:
        enemyShot(c.type, angle, c.speed, owner, x, y);
        break;
    case ZakoGroundLargeRoutine::fan:
        enemyShotFan(c.type, angle, c.speed, c.count, c.step, owner, x, y);
        break;
    case ZakoGroundLargeRoutine::line:
        enemyShotLine(c.type, angle, c.speed, c.lines, c.speedStep, owner, x, y);
        break;
    case ZakoGroundLargeRoutine::fanOfLines:
        enemyShotFanOfLines(c.type, angle, c.speed, c.count, c.step, c.lines, c.speedStep, owner, x, y);
        break;
    case ZakoGroundLargeRoutine::fanOfFans:
        enemyShotFanOfFans(c.type, angle, c.speed, c.count, c.step, c.inner, c.innerStep, owner, x, y);
        break;
    case ZakoGroundLargeRoutine::fanOfFanLines:
        enemyShotFanOfFanLines(c.type, angle, c.speed, c.count, c.step, c.inner, c.innerStep, c.lines, c.speedStep,
                               owner, x, y);
        break;
    }
}

}  // namespace

const ZakoGroundLargeKind* zakoGroundLargeKind(int32_t kind) {
    for (const ZakoGroundLargeKind& row : kZakoGroundLargeRows)
        if (row.kind == kind) return &row;
    return nullptr;
}

bool zakoGroundLargeInWindows(const ZakoFrameWindow* windows, int32_t count, int32_t frame) {
    for (int32_t i = 0; i < count; ++i)
        if (frame >= windows[i].first && frame <= windows[i].last) return true;
    return false;
}

bool zakoGroundLargeCutOff() { return stageNumber == kZakoGroundLargeCutOffStage && stageFrame > kZakoGroundLargeCutOffFrame; }

int32_t zakoGroundLargeFire(const ZakoGroundLargeCall* calls, int32_t count, ObjTask* task, int32_t shotIndex, int32_t angle,
                      float x, float y) {
    const int32_t level = enemyRankLevel();
    const bool powered = fighterIsPowerUp();
    int32_t fired = 0;
    for (int32_t i = 0; i < count; ++i) {
        const ZakoGroundLargeCall& call = calls[i];
        if (!zakoGroundLargeCallSelects(call, level, shotIndex, powered)) continue;
        zakoGroundLargeCall(call, objRef(task), call.atFighter ? enemyAngleToPlayer(x, y) : angle, x, y);
        ++fired;
    }
    return fired;
}

bool zakoGroundLargeInit(ObjTask* task, const ZakoGroundLargeKind& row, ObjWorkFn draw, ObjWorkFn attack, ObjWorkFn hit) {
    ObjWork* work = OBJworkNew();
    if (work == nullptr) {
        task->state = kObjStateEnd;
        return false;
    }
    task->work = work;
    task->release = TSKgameCtrlKill;
    enemyAge(task) = 0;
    work->draw = draw;
    work->hit = hit;
    work->attack = attack;
    work->angle = 0.0f;
    enemySelectMoveScript(work, enemySpawnParam(task));
    EnemyFields& e = enemy(work);
    e.scriptCursor = 0;
    e.hp = enemyScaleHp(stageNumber == 5 && row.hpStage5 != 0 ? row.hpStage5 : row.hp);
    e.hpMax = e.hp;
    e.score = uint64_t(row.score);
    e.offscreenTimer = 3600;
    e.shotsPerVolley = row.shotsPerVolley;
    e.shotInterval = row.shotInterval;
    e.shotCountdown = row.firstCountdown;
    e.shotsLeft = row.shotsLeft;
    e.volleyPause = row.volleyPause;
    work->pauseRankCut = row.pauseRankCut;
    e.volleysLeft = 9999;
    e.volleyIndex = 0;
    e.sizeClass = 2;
    e.fireAlways = row.fireAlways;
    work->leavesWreck = row.leavesWreck;
    e.keepMovingWhenDying = row.keepAfterDeath;
    task->state = kObjStateRun;
    return true;
}

bool zakoGroundLargeStep(ObjTask* task) {
    enemyMoveScript(task, task->work);
    ++enemyAge(task);
    if (enemyStep(task, task->work)) return true;
    task->state = kObjStateEnd;
    return false;
}

void zakoGroundLargeBox(ObjWork* work, const HitBox* box, bool on) {
    const bool boxed = on && enemy(work).noHitBoxes == 0;
    work->hitBoxes = boxed ? box : nullptr;
    work->hitBoxCount = boxed ? 1 : 0;
}

ObjPoint zakoGroundLargeMarker(int32_t frame) {
    const FrameInfo marker = OBJgetFrameInfo(frame);
    return {marker.pivotX, marker.pivotY};
}

void zakoGroundLargeArmSlot(ObjWork* work, const ZakoGroundLargeKind& row, int32_t turnLimit) {
    const ObjPoint offset = row.aimFrame > 0 ? zakoGroundLargeMarker(row.aimFrame) : ObjPoint{0.0f, 0.0f};
    enemySetAimSlot(work, 0, turnLimit, row.muzzle, offset.x, offset.y);
}

ObjRef zakoGroundLargeNewShotRef(ObjWork* shot) {
    if (shot == nullptr) return {};
    for (int group : {kEshotGroup, kEshotSpecialGroup}) {
        ObjTask* newest = OBJtaskGroup(group).tail.prev;
        if (newest != nullptr && newest->work == shot) return objRef(newest);
    }
    return {};
}
