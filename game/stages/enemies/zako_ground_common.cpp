#include <algorithm>
#include <cmath>

#include "game/core/draw_store.h"
#include "game/core/game_sequence.h"
#include "game/core/game_random.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/play_state.h"
#include "game/core/sprite_frames.h"
#include "game/records/play_selection.h"
#include "game/stages/enemies/bullet_patterns.h"
#include "game/stages/enemies/enemy_damage.h"
#include "game/stages/enemies/enemy_kinds.h"
#include "game/stages/enemies/enemy_script.h"
#include "game/stages/enemies/enemy_step.h"
#include "game/stages/enemies/zako_ground.h"
#include "game/stages/enemies/zako_ground_parts.h"

namespace {

constexpr uint32_t kZgrDrawn = kZakoGroundFirstDrawn;
constexpr uint32_t kZgrByExtra = kZakoGroundBoxByExtra;
constexpr uint32_t kZgrNoDebris = kZakoGroundNoDebris;
constexpr uint32_t kZgrInBoss = kZakoGroundFiresInBoss;
constexpr uint32_t kZgrNoBossTest = kZakoGroundNoBossTest;
constexpr uint32_t kZgrAgeless = kZakoGroundAgeless;
constexpr uint32_t kZgrOutlives = kZakoGroundOutlivesBoss;
constexpr uint32_t kZgrOwnDepth = kZakoGroundOwnDepth;
constexpr HitBox kZgrNoBox = {0, 0, 0, 0};

// kind, hp, score, class, burst / interval / first / pause / cut, boxes, box count, aim frames, turn, muzzle,
// wreck, final explosion, tread, flags
constexpr ZakoGroundKind kZakoGroundRows[] = {
    {20, 48, 250, 0, 1, 0, 104, 104, 100, {{0, 0, 16, 16}, kZgrNoBox}, 1, {5433, -1, -1}, 8, 16, 9, 0, 1.0f / 3.0f,
     kZgrDrawn},
    {21, 96, 340, 0, 1, 0, 96, 96, 100, {kZgrNoBox, kZgrNoBox}, 0, {-1, -1, -1}, 8, 16, 0, 0, 0.25f, kZgrDrawn},
    {22, 768, 220, 0, 1, 0, 104, 104, 100, {{0, 0, 16, 16}, kZgrNoBox}, 1, {0, -1, -1}, 8, 16, 12, 0, 0.0f, kZgrDrawn},
    {23, 1536, 510, 0, 1, 0, 96, 96, 100, {{0, 0, 40, 40}, kZgrNoBox}, 1, {-1, -1, -1}, 8, 16, 0, 0, 0.0f, kZgrDrawn},
    {24, 512, 670, 0, 1, 0, 64, 64, 100, {{0, 0, 20, 20}, kZgrNoBox}, 1, {5467, -1, -1}, 8, 0, 0, 72, 0.5f,
     kZgrDrawn | kZgrByExtra | kZgrNoDebris},
    {25, 1024, 670, 0, 1, 0, 64, 64, 100, {{0, 0, 20, 20}, kZgrNoBox}, 1, {5477, -1, -1}, 8, 0, 0, 72, 0.5f,
     kZgrDrawn | kZgrByExtra | kZgrNoDebris},
    {26, 384, 360, 0, 1, 0, 100, 100, 100, {{0, 0, 8, 8}, kZgrNoBox}, 1, {-1, -1, -1}, 8, 0, 0, 0, 0.0f,
     kZgrDrawn | kZgrNoDebris},
    {27, 256, 140, 0, 1, 0, 100, 100, 100, {{0, 0, 10, 10}, kZgrNoBox}, 1, {-1, -1, -1}, 8, 0, 0, 0, 0.0f,
     kZgrDrawn | kZgrNoDebris},
    {60, 4608, 3460, 1, 10, 20, 64, 72, 70, {{20, -20, 25, 25}, {-20, 20, 25, 25}}, 2, {5324, 5342, 5360}, 8, 8, 0, 73,
     0.0f, kZgrNoDebris | kZgrAgeless},
    {61, 1536, 3620, 1, 5, 4, 48, 48, 70, {{0, 0, 20, 20}, kZgrNoBox}, 1, {5380, -1, -1}, 8, 16, 0, 0, 0.0f,
     kZgrNoDebris},
    {64, 8192, 510, 2, 4, 7, 96, 96, 70, {kZgrNoBox, kZgrNoBox}, 0, {-1, -1, -1}, 8, 0, 0, 0, 0.0f, kZgrOwnDepth},
    {65, 3584, 11350, 2, 4, 8, 120, 120, 70, {{0, 0, 30, 30}, kZgrNoBox}, 1, {4822, -1, -1}, 8, 20, 0, 0, 0.0f,
     kZgrNoDebris | kZgrInBoss},
    {66, 2560, 1610, 1, 5, 7, 128, 112, 70, {{0, 0, 30, 30}, kZgrNoBox}, 1, {5317, 5318, -1}, 8, 0, 0, 0, 0.0f,
     kZgrAgeless},
    {67, 2560, 1610, 1, 5, 7, 128, 112, 70, {{0, 0, 30, 30}, kZgrNoBox}, 1, {5320, 5321, -1}, 8, 0, 0, 0, 0.0f,
     kZgrAgeless},
    {78, 2560, 0, 0, 0, 0, 0, 0, 100, {{0, 0, 24, 24}, kZgrNoBox}, 1, {-1, -1, -1}, 8, 0, 0, 0, 0.0f,
     kZgrNoBossTest | kZgrAgeless | kZgrOutlives},
    {79, 2560, 0, 0, 0, 0, 0, 0, 100, {{0, 0, 24, 24}, kZgrNoBox}, 1, {-1, -1, -1}, 8, 0, 0, 0, 0.0f,
     kZgrNoBossTest | kZgrOutlives},
};

}  // namespace

const ZakoGroundKind* zakoGroundKind(int32_t kind) {
    for (const ZakoGroundKind& row : kZakoGroundRows)
        if (row.kind == kind) return &row;
    return nullptr;
}

float zakoGroundDistance(const ObjWork* work) {
    float px = work->x;
    float py = work->y;
    enemyPlayerPos(&px, &py);
    const float dx = std::fabs(px - work->x);
    const float dy = std::fabs(py - work->y);
    return dx + dy - std::min(dx, dy) / 2.0f;
}

float zakoGroundMinDistance() {
    if (gameMode == 0) return 90.0f;
    if (gameMode == 1) return 80.0f;
    return 75.0f;
}

bool zakoGroundMayFire(const ObjWork* work) {
    return zakoGroundDistance(work) >= zakoGroundMinDistance() && work->y < 200.0f;
}

bool zakoGroundInTime(const ObjWork* work) {
    const int32_t limit = enemy(const_cast<ObjWork*>(work)).spawnExtras[0];
    return limit == 0 || work->age <= limit;
}

int32_t zakoGroundShotAngle(int32_t slotAngle) { return ((slotAngle / 32) * 32 + 16) & 1023; }

void zakoGroundMuzzle(const ObjWork* work, int32_t slot, float* x, float* y) {
    const EnemyAimSlot& aim = enemy(const_cast<ObjWork*>(work)).aimSlots[slot];
    const float a = zakoGroundMuzzleRadians(aim.heading);
    *x = work->x + aim.offsetX + std::sin(a) * float(aim.param);
    *y = work->y + aim.offsetY - std::cos(a) * float(aim.param);
}

void zakoGroundInit(ObjTask* task, const ZakoGroundKind& row, ObjWorkFn draw, ObjWorkFn attack, ObjWorkFn hit) {
    ObjWork* work = OBJworkNew();
    task->work = work;
    if (work == nullptr) {
        task->state = kObjStateEnd;
        return;
    }
    task->release = TSKgameCtrlKill;
    enemyAge(task) = 0;
    work->draw = draw;
    work->hit = hit;
    work->attack = attack;
    work->angle = 0.0f;
    enemySelectMoveScript(work, enemySpawnParam(task));
    EnemyFields& e = enemy(work);
    e.scriptCursor = 0;
    e.hp = enemyScaleHp(row.hp);
    e.hpMax = e.hp;
    e.score = uint64_t(row.score);
    e.offscreenTimer = 3600;
    e.shotsPerVolley = row.shotsPerVolley;
    e.shotInterval = row.shotInterval;
    e.shotCountdown = (row.flags & kZakoGroundFirstDrawn) != 0 ? randRange(row.firstCountdown) : row.firstCountdown;
    e.shotsLeft = row.shotsPerVolley;
    e.volleyPause = row.volleyPause;
    work->pauseRankCut = row.pauseRankCut;
    e.volleysLeft = 9999;
    e.volleyIndex = 0;
    e.sizeClass = row.sizeClass;
    e.wreckKind = row.wreckKind;
    e.explosionKind = row.explosionKind;
    e.fireAlways = (row.flags & kZakoGroundFiresInBoss) != 0 ? 1 : 0;
    work->leavesWreck = (row.flags & kZakoGroundNoDebris) != 0 ? 0 : 1;
    work->diesWithBoss = (row.flags & kZakoGroundOutlivesBoss) != 0 ? 0 : 1;
    task->state = kObjStateRun;
}

// The first running frame: the boss test, the layer depth, the aim slots.
bool zakoGroundFirstFrame(ObjTask* task, const ZakoGroundKind& row) {
    ObjWork* work = task->work;
    if ((row.flags & kZakoGroundNoBossTest) == 0 && bossPresentFlag != 0) {
        task->state = kObjStateEnd;
        return false;
    }
    if ((row.flags & kZakoGroundOwnDepth) == 0) enemySetLayerDepth(work);
    for (int32_t slot = 0; slot < kZakoGroundSlots; ++slot) {
        const int32_t frame = row.aimFrames[slot];
        if (frame < 0) continue;
        const FrameInfo marker = frame > 0 ? OBJgetFrameInfo(frame) : FrameInfo{0.0f, 0.0f};
        enemySetAimSlot(work, slot, row.turnLimit, row.muzzle, marker.pivotX, marker.pivotY);
    }
    return true;
}

bool zakoGroundRun(ObjTask* task, const ZakoGroundKind& row, bool* firstFrame) {
    ObjWork* work = task->work;
    if (firstFrame != nullptr) *firstFrame = false;
    enemyMoveScript(task, work);
    ++enemyAge(task);
    if (!enemyStep(task, work)) {
        task->state = kObjStateEnd;
        return false;
    }
    if (work->lifeState == 3) return false;
    EnemyFields& e = enemy(work);
    if (e.setupDone == 0) {
        e.setupDone = 1;
        if (!zakoGroundFirstFrame(task, row)) return false;
        if (firstFrame != nullptr) *firstFrame = true;
    }
    const bool boxed = row.boxCount > 0 && e.noHitBoxes == 0 &&
                       ((row.flags & kZakoGroundBoxByExtra) == 0 || zakoGroundInTime(work));
    work->hitBoxes = boxed ? row.boxes : nullptr;
    work->hitBoxCount = boxed ? row.boxCount : 0;
    if ((row.flags & kZakoGroundAgeless) == 0) ++work->age;
    e.treadCounter += work->speed * row.treadFactor;
    return true;
}

void zakoGroundAct(ObjTask* task, const ZakoGroundKind& row, ObjWorkFn draw, ObjWorkFn attack, ObjWorkFn hit) {
    if (task->state == kObjStateInit) {
        zakoGroundInit(task, row, draw, attack, hit);
        return;
    }
    if (task->state == kObjStateRun) {
        zakoGroundRun(task, row);
        return;
    }
    OBJtaskReleaseUnlessPersistent(task);
}

bool zakoGroundHitKills(ObjTask* task, ObjWork* work) {
    const bool wasDying = work->lifeState == 3;
    TSKenemyHit(task, work);
    return !wasDying && work->lifeState == 3;
}

float zakoGroundMuzzleRadians(int32_t angle) { return float(angle) * 2.0f * float(M_PI) / 1024.0f; }

void zakoGroundDrawLayers(ObjWork* work, int32_t body, int32_t turret) {
    const EnemyFields& e = enemy(work);
    const float x = work->x + e.drawOffset.x;
    const float y = work->y + e.drawOffset.y;
    const int32_t layer = int32_t(work->depth);
    work->r = work->g = work->b = 0;
    OBJdrawSprite(work, body, x + 4.0f, y + 4.0f, layer - 1, 1.0f, 1.0f, 0.0f, 0.5f, 0);
    work->r = work->g = work->b = 255;
    enemyPointBlankTint(work);
    OBJdrawSprite(work, body, x, y, layer, 1.0f, 1.0f, 0.0f, 1.0f, 0);
    if (turret != 0) OBJdrawSprite(work, turret, x, y, layer, 1.0f, 1.0f, 0.0f, 1.0f, 0);
    enemyDrawExitMarker(work);
}
