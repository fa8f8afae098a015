// The large air enemies' rows, their act and draw, and kind 46, which has
// neither picture nor attack.
#include "game/core/draw_store.h"
#include "game/core/game_sequence.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/play_state.h"
#include "game/core/sound_requests.h"
#include "game/core/sprite_frames.h"
#include "game/stages/enemies/bullet_patterns.h"
#include "game/stages/enemies/enemy_damage.h"
#include "game/stages/enemies/enemy_kinds.h"
#include "game/stages/enemies/enemy_script.h"
#include "game/stages/enemies/enemy_sound_gate.h"
#include "game/stages/enemies/enemy_step.h"
#include "game/stages/enemies/zako_large.h"
#include "game/stages/enemies/zako_large_parts.h"
#include "game/stages/rank_carriers.h"

namespace {

// Kinds 40 to 50 in order.
constexpr ZakoLargeKind kZakoLargeRows[kZakoLargeKinds] = {
    {1, 440.0f, 2304, 1370, 8, 7, 80, 72, {{0, -3, 32, 17}}, 1, 5589, 1, 0, 4, 0},
    {1, 440.0f, 1536, 5740, 5, 6, 54, 352, {{0, -3, 30, 20}}, 1, 5595, 1, 0, 4, 0},
    {2, 440.0f, 5120, 3420, 10, 3, 128, 128, {{0, 0, 30, 20}}, 1, 5601, 1, 0, 5, 1},
    {1, 440.0f, 2048, 2260, 4, 8, 80, 256, {{0, -6, 37, 18}, {0, 10, 28, 10}}, 2, 5605, 8, 0, 3, 0},
    {2, 430.0f, 17920, 25060, 150, 4, 32, 128,
     {{0, 0, 10, 50}, {0, 25, 50, 10}, {0, 5, 30, 10}, {54, 34, 8, 8}, {-54, 34, 8, 8}}, 5, 5553, 1, 0, 2, 2},
    {1, 440.0f, 896, 3370, 9999, 40, 32, 72, {{0, -8, 34, 18}}, 1, 5619, 1, 0, 4, 0},
    {2, 440.0f, 11008, 3750, 8, 12, 112, 128, {{0, 0, 120, 64}}, 1, 0, 1, 0, 0, 0},
    {2, 430.0f, 9984, 42710, 197, 1, 112, 200, {{0, -5, 30, 20}}, 1, 5557, 1, 0, 3, 1},
    {1, 430.0f, 1536, 2630, 6, 6, 64, 80, {{0, -5, 30, 15}, {0, 15, 18, 7}, {0, -25, 15, 5}}, 3, 5561, 8, 4, 3, 0},
    {2, 430.0f, 7168, 20180, 70, 4, 144, 128, {{0, -5, 30, 20}}, 1, 5550, 1, 0, 3, 1},
    {2, 430.0f, 12288, 51150, 99999, 4, 96, 384, {{0, 0, 28, 38}, {0, 40, 10, 10}, {0, -30, 40, 15}, {0, -45, 20, 10}},
     4, 5574, 10, 4, 5, 0},
};

void zakoLargeStart(ObjTask* task, int32_t kind, ObjWorkFn draw, ObjWorkFn attack) {
    const ZakoLargeKind& row = zakoLargeKind(kind);
    ObjWork* work = OBJworkNew();
    task->work = work;
    if (work == nullptr) {
        task->state = kObjStateEnd;
        return;
    }
    task->release = kind == 49 ? TSKzako49Free : TSKgameCtrlKill;
    enemyAge(task) = 0;
    work->draw = draw;
    work->hit = TSKenemyHit;
    work->attack = attack;
    work->depth = row.depth;
    work->angle = 0.0f;
    enemySelectMoveScript(work, enemySpawnParam(task));
    work->animFrame = 0;
    EnemyFields& e = enemy(work);
    e.hp = enemyScaleHp(row.hp);
    e.score = row.score;
    e.offscreenTimer = 3600;
    e.sizeClass = row.sizeClass;
    e.shotsPerVolley = e.shotsLeft = row.calls;
    e.shotInterval = row.interval;
    e.shotCountdown = row.firstCall;
    e.volleysLeft = 9999;
    e.volleyPause = row.pause;
    work->pauseRankCut = kZakoLargePauseCut;
    if (row.flySound == 2) enemySoundGatePlay(EnemySoundGate::enemyFly);
    task->state = kObjStateRun;
}

// The wreck of a dying kind 49 stops where it was hit.
void zakoLargeStopDead(ObjWork* work) {
    EnemyFields& e = enemy(work);
    e.script = 0;
    e.scriptSpeedX = e.scriptSpeedY = 0.0f;
    work->vx = work->vy = 0.0f;
}

void zakoLargeRun(ObjTask* task, int32_t kind) {
    const ZakoLargeKind& row = zakoLargeKind(kind);
    ObjWork* work = task->work;
    enemyMoveScript(task, work);
    ++enemyAge(task);
    if (!enemyStep(task, work)) {
        task->state = kObjStateEnd;
        return;
    }
    if (work->lifeState == 3) {
        if (kind == 49) zakoLargeStopDead(work);
        return;
    }
    EnemyFields& e = enemy(work);
    if (e.firstFrameSeen == 0) {
        e.firstFrameSeen = 1;
        if (bossPresentFlag != 0) {
            task->state = kObjStateEnd;
            return;
        }
        if (row.flySound != 0) enemySoundGatePlay(EnemySoundGate::enemyFly);
    }
    work->hitBoxes = work->hitsOff != 0 ? nullptr : row.boxes;
    work->hitBoxCount = work->hitsOff != 0 ? 0 : row.boxCount;
    if (row.cellStep > 0 && work->age % row.cellStep == 0 && ++work->animFrame >= row.cells) work->animFrame = 0;
    ++work->age;
}

}  // namespace

const ZakoLargeKind& zakoLargeKind(int32_t kind) {
    const int32_t index = kind - kZakoLargeFirstKind;
    return kZakoLargeRows[index >= 0 && index < kZakoLargeKinds ? index : 0];
}

ObjPoint zakoLargeGun(const ObjWork* work, int32_t kind, int32_t gun) {
    const ZakoLargeKind& row = zakoLargeKind(kind);
    const FrameInfo marker = OBJgetFrameInfo(row.bodyFrame - row.guns + gun);
    return {work->x + marker.pivotX, work->y + marker.pivotY};
}

void zakoLargeAct(ObjTask* task, int32_t kind, ObjWorkFn draw, ObjWorkFn attack) {
    if (task->state == kObjStateInit) {
        zakoLargeStart(task, kind, draw, attack);
        return;
    }
    if (task->state == kObjStateRun) {
        zakoLargeRun(task, kind);
        return;
    }
    OBJtaskReleaseUnlessPersistent(task);
}

void zakoLargeDraw(ObjWork* work, int32_t kind) {
    const ZakoLargeKind& row = zakoLargeKind(kind);
    enemyPointBlankTint(work);
    if (row.bodyFrame != 0) {
        const int32_t flash = enemy(work).flashTimer;
        if (flash == 3 || flash == 4) {
            work->r = 255;
            work->g = work->b = 160;
        }
        const int32_t cell = row.cellStep > 0 ? work->animFrame : work->age % row.cells;
        OBJdrawSprite(work, row.bodyFrame + cell, work->x, work->y, int32_t(work->depth), work->scaleX, work->scaleY,
                      work->angle, 1.0f, 0);
    }
    work->r = work->g = work->b = 255;
    enemyDrawExitMarker(work);
}

ZakoLargeFire zakoLargeFire(ObjTask* task, int32_t kind) {
    ZakoLargeFire fire{objRef(task), {}, enemy(task->work).shotIndex, enemyRankLevel()};
    for (int32_t g = 0; g < zakoLargeKind(kind).guns; ++g) fire.guns[g] = zakoLargeGun(task->work, kind, g);
    return fire;
}

int32_t zakoLargeAim(ObjWork* work, const ZakoLargeFire& fire, int32_t g, int32_t word, bool take) {
    int32_t& kept = enemy(work).aimWords[word];
    if (take) kept = enemyAngleToPlayer(fire.guns[g].x, fire.guns[g].y);
    return kept;
}

void zakoLargeShot(const ZakoLargeFire& fire, int32_t g, int32_t type, int32_t angle, float speed) {
    enemyShot(type, angle, speed, fire.owner, fire.guns[g].x, fire.guns[g].y);
}

void zakoLargeFan(const ZakoLargeFire& fire, int32_t g, int32_t type, int32_t angle, float speed, int32_t count,
                  int32_t step) {
    enemyShotFan(type, angle, speed, count, step, fire.owner, fire.guns[g].x, fire.guns[g].y);
}

void TSKzako46Act(ObjTask* task) { zakoLargeAct(task, 46, TSKzako46Draw, TSKenemyNoAttack); }
void TSKzako46Draw(ObjTask* task, ObjWork* work) {
    (void)task;
    zakoLargeDraw(work, 46);
}
