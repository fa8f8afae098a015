// Kind 14: the slow carrier that splits after 121 frames into two large
// pieces and a spray of small ones. Its mode (0 the carrier, 1 and 2 the
// large pieces, 3 a small piece) is the enemy view's turnMode, its
// animation counter the work's animCounter.
#include "game/core/collision.h"
#include "game/core/draw_store.h"
#include "game/core/game_random.h"
#include "game/core/obj_ref.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/sound_requests.h"
#include "game/core/wheel_angle.h"
#include "game/objects/eshot.h"
#include "game/objects/fighter_counters.h"
#include "game/stages/enemies/enemy_damage.h"
#include "game/stages/enemies/enemy_kinds.h"
#include "game/stages/enemies/zako_small.h"
#include "game/stages/enemies/zako_small_common.h"
#include "game/stages/rank_carriers.h"

namespace {

constexpr HitBox kZako14SmallBox[] = {{0.0f, -2.0f, 2.0f, 9.0f}};
constexpr HitBox kZako14Box[] = {{0.0f, 0.0f, 10.0f, 10.0f}};

int32_t zako14Rand(int32_t m) { return (gameRand() % 10000) * m / 10000; }

void zako14Piece(const ObjWork* carrier, int32_t mode, float speed, int32_t heading) {
    ObjTask* piece = OBJtaskCreate(TSKzako14Act, kEnemyGroup, kEnemyTag);
    if (piece == nullptr) return;
    enemySpawnParam(piece) = -1;
    TSKzako14Act(piece);
    if (piece->work == nullptr) return;
    ObjWork* work = piece->work;
    work->kind = 14;
    work->x = carrier->x;
    work->y = carrier->y;
    enemy(work).steerSpeed = speed;
    work->heading = heading;
    enemy(work).turnMode = mode;
}

void zako14Split(ObjTask* task, ObjWork* work) {
    SDL2_wheel_SoundPlaySE(20, false);
    zako14Piece(work, 1, 1.5f, 896);
    zako14Piece(work, 2, 1.5f, 128);
    const int32_t level = enemyRankLevel();
    const int32_t smalls = level <= 1 ? 5 : (level == 2 ? 8 : 10);
    for (int32_t i = 0; i < smalls; ++i) {
        const float speed = 1.0f + 0.1f * float(zako14Rand(10));
        const int32_t heading = 472 + zako14Rand(80);
        zako14Piece(work, 3, speed, heading);
    }
    task->state = kObjStateEnd;
}

void zako14FirstFrame(ObjWork* work) {
    EnemyFields& e = enemy(work);
    if (e.turnMode == 1 || e.turnMode == 2) {
        e.hp = enemyScaleHp(256);
        e.score = 810;
        work->depth = 455.0f;
    } else if (e.turnMode == 3) {
        e.hp = enemyScaleHp(96);
        e.score = 360;
    }
}

void zako14Update(ObjTask* task, ObjWork* work) {
    EnemyFields& e = enemy(work);
    const bool first = e.firstFrameSeen == 0;
    if (!zakoSmallBegin(task, work)) return;
    if (first) zako14FirstFrame(work);
    zakoSmallSetBox(work, e.turnMode == 3 ? kZako14SmallBox : kZako14Box);
    zakoSmallVelocityStep(work);
    const bool even = work->age % 2 == 0;
    if (e.turnMode == 0) {
        if (work->age > 120) zako14Split(task, work);
        if (even && ++work->animCounter > 5) work->animCounter = 0;
    } else if (e.turnMode == 3) {
        work->animCounter = work->age % 3;
    } else {
        if (even && ++work->animCounter > 7) work->animCounter = 0;
        if (work->heading != 512) work->heading = SDL2_wheel_AngleClamp(512, work->heading, 8);
    }
    ++work->age;
}

}  // namespace

void TSKzako14Act(ObjTask* task) {
    if (task->state != kObjStateInit) {
        zakoSmallRun(task, zako14Update, true);
        return;
    }
    ObjWork* work = zakoSmallStart(task, 2048);
    if (work == nullptr) return;
    work->draw = TSKzako14Draw;
    work->hit = TSKzako14Hit;
    work->attack = TSKenemyNoAttack;
    enemy(work).score = 3220;
    enemy(work).turnMode = 0;
    zakoSmallSetSchedule(work, 0, 20);
    work->pauseRankCut = 0;
}

void TSKzako14Draw(ObjTask* task, ObjWork* work) {
    (void)task;
    const int32_t mode = enemy(work).turnMode;
    const int32_t layer = int32_t(work->depth);
    if (mode == 1 || mode == 2) {
        const int32_t frame = (mode == 1 ? 5706 : 5714) + work->animCounter;
        work->r = 255;
        work->g = work->b = 0;
        OBJdrawSprite(work, frame, work->x, work->y, layer, work->scaleX * 1.1f, work->scaleY * 1.1f, work->angle,
                      1.0f, 0);
        work->r = work->g = work->b = 255;
        zakoSmallDraw(work, frame, work->angle);
        return;
    }
    if (mode == 3) work->r = work->g = work->b = 255;
    zakoSmallDraw(work, (mode == 3 ? 5722 : 5725) + work->animCounter, work->angle);
}

void TSKzako14Hit(ObjTask* task, ObjWork* work) {
    (void)task;
    ObjWork* hitter = objRefWork(work->lastCollider);
    if (hitter != nullptr) enemyDamage(work, hitter);
    const int32_t level = enemyRankLevel();
    if (work->lifeState != 3 || enemy(work).turnMode != 3 || !fighterIsPowerUp() || level < 2) return;
    const int32_t shots = level == 2 ? 8 : 12;
    for (int32_t i = 0; i < shots; ++i) {
        const int32_t angle = zako14Rand(1024);
        const float speed = float(100 + zako14Rand(100));
        TSKeshotCreate(150, angle, speed, 0, 0, ObjRef{}, work->x, work->y);
    }
}
