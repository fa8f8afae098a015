// Kind 1, the joining pair: an unseen body (index 0) carries two half-ship
// pieces (1 left, 2 right) down the screen's edges, closes them in once it
// passes the fighter's height and, when both still fly, becomes one whole
// ship. The body keeps its pieces and each piece its body as references,
// resolved before every use; a piece's serial stays in the body after the
// piece is gone, so that the body's kill can still cancel its bullets.
#include "game/core/collision.h"
#include "game/core/obj_ref.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/objects/fighter_counters.h"
#include "game/stages/enemies/bullet_patterns.h"
#include "game/stages/enemies/enemy_damage.h"
#include "game/stages/enemies/enemy_kinds.h"
#include "game/stages/enemies/enemy_step.h"
#include "game/stages/enemies/eshot_cancel.h"
#include "game/stages/enemies/zako_small.h"
#include "game/stages/enemies/zako_small_common.h"
#include "game/stages/rank_carriers.h"

namespace {

constexpr HitBox kZako01BodyBox[] = {{0.0f, 0.0f, 15.0f, 15.0f}};
constexpr HitBox kZako01PieceBox[] = {{0.0f, 0.0f, 7.0f, 15.0f}};
constexpr float kZako01Centre = 112.0f;
constexpr int32_t kZako01Descending = 0, kZako01Closing = 1, kZako01Joined = 2;

// The body's fan and a piece's shot by rank level.
struct Zako01Fire {
    int32_t bodySpeed, bodyCount, bodyStep;
    int32_t pieceType, pieceSpeed, pieceCount, pieceStep;
};
constexpr Zako01Fire kZako01Fire[4] = {
    {120, 3, 60, 158, 120, 1, 0}, {250, 3, 60, 133, 120, 1, 0}, {250, 5, 40, 133, 250, 1, 0}, {250, 7, 50, 133, 250, 3, 10}};

void zako01MakePiece(ObjTask* bodyTask, int32_t index) {
    ObjTask* task = OBJtaskCreate(TSKzako01Act, kEnemyGroup, kEnemyTag);
    if (task == nullptr) return;
    enemySpawnParam(task) = -1;
    TSKzako01Act(task);
    ObjWork* piece = task->work;
    if (piece == nullptr) {
        // Left in its first state it would start again as a body of its own.
        OBJtaskRelease(task);
        return;
    }
    ObjWork* body = bodyTask->work;
    piece->kind = 1;
    piece->x = body->x;
    piece->y = body->y;
    piece->heading = 512;
    EnemyFields& p = enemy(piece);
    p.steerSpeed = 0.0f;
    p.joinIndex = index;
    p.joinBody = objRef(bodyTask);
    EnemyFields& b = enemy(body);
    b.joinPieces[index - 1] = objRef(task);
    b.joinPieceSerials[index - 1] = piece->serial;
}

void zako01FirstFrame(ObjTask* task, ObjWork* work) {
    EnemyFields& e = enemy(work);
    if (e.joinIndex != 0) {
        zakoSmallSetSchedule(work, 10, 32);
        return;
    }
    work->x = kZako01Centre;
    e.joinSpread = 10000;
    zako01MakePiece(task, 1);
    zako01MakePiece(task, 2);
}

// Empties the slot of a piece no longer there; true while the slot holds one.
bool zako01SlotLive(EnemyFields& e, int32_t slot) {
    if (objRefWork(e.joinPieces[slot]) != nullptr) return true;
    e.joinPieces[slot] = ObjRef{};
    return false;
}

// A body not yet joined ends, unseen, once both its pieces are gone.
bool zako01Abandoned(ObjTask* task, ObjWork* work) {
    EnemyFields& e = enemy(work);
    if (e.phase == kZako01Joined) return false;
    const bool left = zako01SlotLive(e, 0);
    const bool right = zako01SlotLive(e, 1);
    if (left || right) return false;
    task->state = kObjStateEnd;
    return true;
}

void zako01Body(ObjTask* task, ObjWork* work) {
    EnemyFields& e = enemy(work);
    work->hitBoxes = e.phase == kZako01Joined && work->hitsOff == 0 ? kZako01BodyBox : nullptr;
    work->hitBoxCount = work->hitBoxes != nullptr ? 1 : 0;
    if (e.phase == kZako01Descending) {
        float fx = 0.0f;
        float fy = 0.0f;
        enemyPlayerPos(&fx, &fy);
        if (work->y > fy) e.phase = kZako01Closing;
    } else if (e.phase == kZako01Closing) {
        e.joinSpread -= 140;
        if (e.joinSpread < 800 && zako01SlotLive(e, 0) && zako01SlotLive(e, 1)) {
            e.phase = kZako01Joined;
            zakoSmallSetSchedule(work, 10, 72);
        }
    }
    if (zako01Abandoned(task, work)) return;
    if (e.phase != kZako01Closing) work->y += 1.4f;
    const float offsets[2] = {-float(e.joinSpread) / 100.0f, float(e.joinSpread) / 100.0f};
    for (int32_t slot = 0; slot < 2; ++slot) {
        if (!zako01SlotLive(e, slot)) continue;
        ObjWork* piece = objRefWork(e.joinPieces[slot]);
        piece->x = kZako01Centre + offsets[slot];
        piece->y = work->y;
    }
    zako01Abandoned(task, work);
}

// A piece leaves its body's slot empty.
void zako01Leave(ObjWork* piece) {
    ObjWork* body = objRefWork(enemy(piece).joinBody);
    const int32_t index = enemy(piece).joinIndex;
    if (body == nullptr || index < 1 || index > 2) return;
    enemy(body).joinPieces[index - 1] = ObjRef{};
}

void zako01Piece(ObjTask* task, ObjWork* work) {
    zakoSmallSetBox(work, kZako01PieceBox);
    ObjWork* body = objRefWork(enemy(work).joinBody);
    if (body == nullptr || enemy(body).phase != kZako01Joined) return;
    task->state = kObjStateEnd;
    zako01Leave(work);
}

void zako01Update(ObjTask* task, ObjWork* work) {
    EnemyFields& e = enemy(work);
    const bool first = e.firstFrameSeen == 0;
    if (!zakoSmallBegin(task, work)) return;
    if (first) zako01FirstFrame(task, work);
    if (e.joinIndex == 0) {
        zako01Body(task, work);
    } else {
        zako01Piece(task, work);
    }
    ++work->age;
}

}  // namespace

void TSKzako01Act(ObjTask* task) {
    if (task->state != kObjStateInit) {
        zakoSmallRun(task, zako01Update, false);
        return;
    }
    ObjWork* work = zakoSmallStart(task, 16);
    if (work == nullptr) return;
    work->draw = TSKzako01Draw;
    work->hit = TSKzako01Hit;
    work->attack = TSKzako01Attack;
    enemy(work).score = 320;
}

void TSKzako01Draw(ObjTask* task, ObjWork* work) {
    (void)task;
    const EnemyFields& e = enemy(work);
    if (e.joinIndex == 0 && e.phase != kZako01Joined) {
        enemyPointBlankTint(work);
        enemyDrawExitMarker(work);
        return;
    }
    constexpr int32_t kFrames[3] = {5623, 5624, 5625};
    zakoSmallDraw(work, kFrames[e.joinIndex == 1 || e.joinIndex == 2 ? e.joinIndex : 0], work->angle);
}

void TSKzako01Attack(ObjTask* task, ObjWork* work) {
    const EnemyFields& e = enemy(work);
    const Zako01Fire& fire = kZako01Fire[enemyRankLevel()];
    const ObjRef owner = objRef(task);
    if (e.joinIndex == 0) {
        if (e.phase != kZako01Joined) return;
        enemyShotFan(139, 512, float(fire.bodySpeed), fire.bodyCount, fire.bodyStep, owner, work->x, work->y);
        return;
    }
    ObjWork* body = objRefWork(e.joinBody);
    if (body == nullptr || enemy(body).phase != kZako01Descending) return;
    const int32_t angle = e.joinIndex == 1 ? 256 : 768;
    if (fire.pieceCount == 1) {
        enemyShot(fire.pieceType, angle, float(fire.pieceSpeed), owner, work->x, work->y);
    } else {
        enemyShotFan(fire.pieceType, angle, float(fire.pieceSpeed), fire.pieceCount, fire.pieceStep, owner, work->x,
                     work->y);
    }
}

void TSKzako01Hit(ObjTask* task, ObjWork* work) {
    (void)task;
    ObjWork* hitter = objRefWork(work->lastCollider);
    if (hitter != nullptr) enemyDamage(work, hitter);
    if (work->lifeState != 3) return;
    EnemyFields& e = enemy(work);
    if (e.joinIndex != 0) {
        zako01Leave(work);
        return;
    }
    if (!fighterIsPowerUp()) return;
    bool close = false;
    const int32_t level = enemyPointBlank(work, &close, 90);
    for (const uint32_t serial : e.joinPieceSerials) {
        // A piece never made has no serial, and serial 0 would cancel every shot.
        if (serial != 0) eshotCancelRequestSerial(4, level, serial, close ? 1 : 0, 1);
    }
}
