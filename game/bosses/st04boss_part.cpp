// Kind 118, the stage-4 boss's falling block: it drops from the boss, slides
// to one side, charges a volley, climbs or descends to the fighter's height
// and slides back, side after side, until its boss is gone. Nothing damages
// it.
#include <algorithm>
#include <cmath>

#include "game/bosses/boss_parts.h"
#include "game/bosses/boss_shape.h"
#include "game/bosses/st04boss.h"
#include "game/core/collision.h"
#include "game/core/draw_store.h"
#include "game/core/game_random.h"
#include "game/core/obj_work.h"
#include "game/core/screen_effects.h"
#include "game/core/sound_requests.h"
#include "game/objects/fighter_counters.h"
#include "game/records/play_selection.h"
#include "game/stages/enemies/boss_attack.h"
#include "game/stages/enemies/bullet_patterns.h"
#include "game/stages/enemies/enemy_damage.h"
#include "game/stages/enemies/enemy_kinds.h"
#include "game/stages/enemies/enemy_script.h"
#include "game/stages/enemies/enemy_step.h"
#include "game/stages/rank_carriers.h"

namespace {

constexpr HitBox kSt04blockBox[] = {{0.0f, 0.0f, 23.0f, 23.0f}};
constexpr int32_t kSt04blockDropSound = 20, kSt04blockLandSound = 25;
constexpr int32_t kSt04blockFrame = 5895;
constexpr float kSt04blockTurn = 6.2831855f / 1024.0f;
constexpr BossAttack kSt04blockVolley = {1, 3, 20, 0, 1, 8, 0};

enum St04blockState : int32_t {
    kSt04blockFall, kSt04blockSlide, kSt04blockCharge, kSt04blockChoose, kSt04blockClimb, kSt04blockDescend,
};

// Cannot be damaged: a shot that meets it is spent for nothing.
void st04blockHit(ObjTask*, ObjWork*) {}

void st04blockInit(ObjTask* task) {
    ObjWork* work = bossPartNew(task, bossFreeWithLinks);
    if (work == nullptr) return;
    work->diesWithBoss = 1;
    work->draw = TSKst04bossPart118Draw;
    work->hit = st04blockHit;
    work->attack = TSKst04bossPart118Attack;
    work->depth = 204.0f;
    EnemyFields& e = enemy(work);
    e.halfWidth = e.halfHeight = 64.0f;
    enemySelectMoveScript(work, enemySpawnParam(task));
    e.hp = enemyScaleHp(4096);
    e.score = 0;
    e.offscreenTimer = 3600;
    e.sizeClass = 2;
    e.fireAlways = 1;
    work->hitBoxes = kSt04blockBox;
    work->hitBoxCount = 1;
}

// The height to sweep at: the fighter's (kept without one); in NOVICE the
// two fixed heights in turn.
void st04blockTarget(ObjWork* work) {
    EnemyFields& e = enemy(work);
    if (const ObjWork* fighter = fighterGetWork()) e.sweepTarget = fighter->y;
    if (gameMode == 0) e.sweepTarget = e.sweepCount % 2 == 0 ? 236.0f : 140.0f;
}

void st04blockSlide(ObjWork* work) {
    EnemyFields& e = enemy(work);
    const bool left = e.sweepCount % 2 == 0;
    work->speed = gameMode == 0 ? std::min(1.25f, work->speed + 0.01f) : work->speed + 0.04f;
    work->heading = left ? 768 : 256;
    if (left ? work->x > 36.0f : work->x < 188.0f) return;
    work->heading = 512;
    work->speed = 0.0f;
    e.stepCount = 0;
    SDL2_wheel_SoundPlaySE(kSt04blockLandSound, false);
    TSKquakeStart(20, 3.0f);
    e.subState = kSt04blockCharge;
}

// Climbing or descending rolls the block, one way on even passes and the
// other on odd ones, the other way round for the two directions.
void st04blockRoll(EnemyFields& e, bool climbing) {
    const int32_t sense = (e.sweepCount % 2 == 0 ? 1 : -1) * (climbing ? 1 : -1);
    e.spinAngle += 16 * sense;
    e.frameIndex += sense;
}

void st04blockMove(ObjWork* work) {
    EnemyFields& e = enemy(work);
    const float target = e.sweepTarget;
    switch (e.subState) {
    case kSt04blockFall:
        work->heading = 512;
        work->speed = 1.0f;
        if (work->y < 160.0f) break;
        work->speed = 0.0f;
        work->depth = 442.0f;
        e.subState = kSt04blockSlide;
        break;
    case kSt04blockSlide:
        st04blockSlide(work);
        break;
    case kSt04blockCharge:
        if (e.stepCount == 0) bossStartAttack(work, kSt04blockVolley);
        if (e.stepCount >= 60) e.subState = kSt04blockChoose;
        break;
    case kSt04blockChoose:
        e.subState = work->y <= target ? kSt04blockDescend : kSt04blockClimb;
        break;
    case kSt04blockClimb:
    case kSt04blockDescend: {
        const bool climbing = e.subState == kSt04blockClimb;
        if (climbing ? work->y > target : work->y < target) {
            work->heading = climbing ? 0 : 512;
            work->speed = 1.0f;
            st04blockRoll(e, climbing);
        } else {
            ++e.sweepCount;
            e.subState = kSt04blockSlide;
        }
        break;
    }
    default:
        break;
    }
}

void st04blockUpdate(ObjTask* task) {
    ObjWork* work = task->work;
    EnemyFields& e = enemy(work);
    if (!enemyStep(task, work)) task->state = kObjStateEnd;
    if (bossPartBoss(work) == nullptr) {
        task->state = kObjStateEnd;
        return;
    }
    if (work->lifeState == 3) return;
    if (e.firstFrameSeen == 0) {
        e.firstFrameSeen = 1;
        SDL2_wheel_SoundPlaySE(kSt04blockDropSound, false);
    }
    st04blockTarget(work);
    st04blockMove(work);
    e.frameIndex = ((e.frameIndex % 6) + 6) % 6;
    e.spinAngle &= 1023;
    const float turn = float(work->heading) * kSt04blockTurn;
    work->x += work->speed * std::sin(turn);
    work->y -= work->speed * std::cos(turn);
    ++e.stepCount;
    ++e.frameCount;
}

}  // namespace

void TSKst04bossPart118Act(ObjTask* task) { bossAct(task, st04blockInit, st04blockUpdate); }

void TSKst04bossPart118Attack(ObjTask* task, ObjWork* work) {
    EnemyFields& e = enemy(work);
    if (e.attackPattern != 1) return;
    const int32_t level = std::clamp(enemyRankLevel(), 0, 3);
    const ObjRef owner = objRef(task);
    if (e.shotIndex == 0) e.aimWords[0] = bossAimAngle(work->x, work->y);
    if (e.shotIndex == 0 && level >= 2) {
        const bool right = work->x >= 100.0f;
        static constexpr int32_t kRightAt[] = {316, 196, 376, 136}, kRightBase[] = {188, 308, 128, 368};
        static constexpr int32_t kLeftAt[] = {828, 708, 888, 648}, kLeftBase[] = {700, 820, 640, 880};
        for (int32_t p = 0; p < 4; ++p) {
            const float turn = float(right ? kRightAt[p] : kLeftAt[p]) * kSt04blockTurn;
            const float x = work->x + 34.0f * std::sin(turn), y = work->y - 34.0f * std::cos(turn);
            const int32_t base = right ? kRightBase[p] : kLeftBase[p];
            for (int32_t k = 0; k < 10; ++k) {
                const int32_t heading = (base + randRange(16)) & 1023;
                enemyShotFan(44, heading, float(150 + 10 * k), level == 3 ? 2 : 1, 16, owner, x, y);
            }
        }
    }
    if (level < 1) return;
    const int32_t count = e.shotIndex + 1 + (level == 3 ? 2 : 0);
    for (int32_t k = -2; k <= 2; ++k) {
        enemyShotFan(12, (e.aimWords[0] + 12 * k) & 1023, 110.0f, count, 160, owner, work->x, work->y);
    }
}

void TSKst04bossPart118Draw(ObjTask*, ObjWork* work) {
    const int32_t frame = kSt04blockFrame + enemy(work).frameIndex;
    OBJdrawSprite(work, frame, work->x, work->y, int32_t(work->depth), work->scaleX, work->scaleY, work->angle, 1.0f,
                  0);
    work->r = work->g = work->b = 255;
}
