// Kind 104, the stage-5 boss: its init, its phases on the frame, the
// rotating hit boxes and the turn of its third form, and the drop cycle
// with its landing burst. The guns are st05boss_turret.cpp, the parts
// st05boss_part.cpp.
#include "game/bosses/st05boss.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "game/bosses/boss_frame.h"
#include "game/bosses/boss_kinds.h"
#include "game/bosses/boss_parts.h"
#include "game/bosses/boss_shape.h"
#include "game/core/collision.h"
#include "game/core/game_random.h"
#include "game/core/game_task.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/screen_effects.h"
#include "game/core/sound_requests.h"
#include "game/objects/fighter_counters.h"
#include "game/records/play_selection.h"
#include "game/stages/enemies/bullet_patterns.h"
#include "game/stages/enemies/boss_library.h"
#include "game/stages/enemies/enemy_damage.h"
#include "game/stages/enemies/enemy_step.h"
#include "game/stages/enemies/enemy_step_parts.h"
#include "game/stages/enemies/eshot_cancel.h"
#include "game/stages/field_layers.h"
#include "game/stages/rank_carriers.h"

namespace {

constexpr int32_t kSt05bossTurretReads = 20;
constexpr int32_t kSt05bossSmokes = 4;
constexpr int32_t kSt05bossDeathMotion = 137;
constexpr float kSt05bossTurn = 6.2831855f / 1024.0f;
constexpr int32_t kSt05bossDropMode = 6;
constexpr int32_t kSt05bossLiftSound = 5, kSt05bossFallSound = 27, kSt05bossLandSound = 28;

constexpr HitBox kSt05bossFormBoxes[] = {{0, 0, 45, 45}, {0, 0, 65, 25}, {0, 10, 25, 75}};
// The third form's boxes: their offsets follow the spin every frame (one
// stage-5 boss lives at a time).
HitBox st05bossSpinBoxes[] = {{0, 0, 50, 50}, {0, 0, 23, 23}, {0, 0, 25, 25}, {0, 0, 25, 25}, {0, 0, 25, 25}};
constexpr int32_t kSt05bossBoxRadius[] = {0, -66, 40, 40, 40};
constexpr int32_t kSt05bossBoxTurn[] = {0, 0, 0, 256, 768};

constexpr BossInitRow kSt05bossInit = {TSKst05bossFree,
                                       TSKbossDraw,
                                       TSKbossHit,
                                       TSKst05bossTurret,
                                       430.0f,
                                       3,
                                       {139264, 204800, 73728},
                                       {111411, 163840, 58982},
                                       3000000,
                                       4,
                                       "st05boss",
                                       105,
                                       60,
                                       false,
                                       -1};  // its appear effect plays the fly-in

// Patterns 1, 2, 3, 4, 8, 9, 11, 12, 15.
constexpr BossAttack kSt05bossAttacks[] = {
    {1, 60, 8, 120, 1, 0, 0},   {2, 90, 6, 120, 1, 0, 0},   {3, 120, 6, 120, 1, 0, 0},
    {4, 140, 6, 120, 1, 0, 0},  {8, 130, 12, 120, 1, 0, 0}, {9, 140, 6, 120, 1, 0, 0},
    {11, 200, 6, 60, 1, 0, 0},  {12, 175, 10, 60, 1, 0, 0}, {15, 999999, 8, 60, 999999, 60, 0},
};
enum St05bossAttack : int8_t {
    kSt05bossP1, kSt05bossP2, kSt05bossP3, kSt05bossP4, kSt05bossP8, kSt05bossP9, kSt05bossP11, kSt05bossP12,
    kSt05bossP15,
};

void st05bossWander(ObjWork* work) {
    EnemyFields& e = enemy(work);
    e.steerTarget = {float(87 + randRange(50)), float(-5 + randRange(50))};
    e.steerMode = 1;
}
void st05bossEntered(ObjWork* work) { work->depth = 430.0f; }
void st05bossFormTwo(ObjWork*) { soundLayerState().layerTarget = 1; }
void st05bossSway(ObjWork* work) { enemy(work).steerMode = 2; }
void st05bossSettle(ObjWork* work) { enemy(work).steerMode = 1; }
void st05bossFormThree(ObjWork* work) {
    st05bossWander(work);
    st05bossDarken = 1;
}
void st05bossStill(ObjWork* work) {
    work->heading = 0;
    enemy(work).steerSpeed = 0.0f;
}
void st05bossDropStart(ObjWork* work) {
    EnemyFields& e = enemy(work);
    e.steerTarget = {112.0f, 94.0f};
    e.steerMode = kSt05bossDropMode;
}
void st05bossDropAgain(ObjWork* work) { bossSetMotion(work, 133); }

constexpr BossStepRow kSt05bossSteps[] = {
    {0, 0, kBossOnScreen, -1, -1, nullptr, 0, 0, 6, false},
    {0, 6, kBossReady, 105, -1, st05bossEntered, 0, 1, 0, false},
    {1, 0, kBossAlways, 106, -1, nullptr, 0, 1, 1, false},
    {1, 1, kBossAttackOver, 107, kSt05bossP1, nullptr, 0, 1, 2, false},
    {1, 2, kBossAttackOver, 109, -1, nullptr, 0, 1, 4, false},
    {1, 4, kBossAttackOver, 110, kSt05bossP2, nullptr, 0, 1, 5, false},
    {1, 5, kBossAttackOver, 111, -1, nullptr, 0, 1, 6, false},
    {1, 6, kBossAttackOver, 105, -1, nullptr, 0, 2, 0, false},
    {2, 0, kBossAlways, 112, -1, nullptr, 0, 2, 1, false},
    {2, 1, kBossAttackOver, 113, kSt05bossP3, nullptr, 0, 2, 2, false},
    {2, 2, kBossAttackOver, 115, -1, nullptr, 0, 2, 4, false},
    {2, 4, kBossAttackOver, 116, kSt05bossP4, nullptr, 0, 2, 5, false},
    {2, 5, kBossAttackOver, 117, -1, nullptr, 0, 2, 6, false},
    {2, 6, kBossAttackOver, 105, -1, nullptr, 0, 1, 0, false},
    {4, 0, kBossAlways, 118, -1, st05bossFormTwo, 0, 4, 6, false},
    {4, 6, kBossEnd, 119, -1, nullptr, 0, 5, 0, false},
    {5, 0, kBossAlways, 120, -1, nullptr, 0, 5, 1, false},
    {5, 1, kBossReady, 121, kSt05bossP8, nullptr, 0, 5, 2, false},
    {5, 2, kBossAttackOver, 123, -1, nullptr, 0, 5, 4, false},
    {5, 4, kBossAttackOver, 124, kSt05bossP9, nullptr, 0, 5, 5, false},
    {5, 5, kBossAttackOver, 125, -1, nullptr, 0, 5, 6, false},
    {5, 6, kBossAttackOver, 119, -1, nullptr, 0, 6, 0, false},
    {6, 0, kBossAlways, 126, -1, nullptr, 0, 6, 1, false},
    {6, 1, kBossReady, 127, kSt05bossP11, nullptr, 0, 6, 2, false},
    {6, 2, kBossAttackOver, 129, -1, nullptr, 0, 6, 4, false},
    {6, 4, kBossAttackOver, 130, kSt05bossP12, st05bossSway, 0, 6, 5, false},
    {6, 5, kBossAttackOver, 131, -1, st05bossSettle, 0, 6, 6, false},
    {6, 6, kBossAttackOver, 119, -1, nullptr, 0, 5, 0, false},
    {8, 0, kBossAlways, 132, -1, st05bossFormThree, 0, 8, 6, false},
    {8, 6, kBossEnd, 133, -1, nullptr, 0, 9, 0, false},
    {9, 0, kBossAlways, 134, -1, st05bossStill, 0, 9, 1, false},
    {9, 1, kBossReady, 135, kSt05bossP15, st05bossDropStart, 0, 9, 2, false},
    {9, 2, kBossAttackOver, 136, -1, st05bossDropAgain, 0, 9, 0, false},
};

void st05bossSetUp(ObjWork* work) {
    EnemyFields& e = enemy(work);
    work->vx = work->vy = 0.0f;
    e.driftSpeed = 0.0f;
    e.steerSpeed = 5.0f;
    st05bossWander(work);
    bossScatterSmoke(work, -75);
}

void st05bossHitBoxes(ObjWork* work) {
    const int32_t spin = enemy(work).spin;
    for (int32_t n = 0; n < int32_t(std::size(st05bossSpinBoxes)); ++n) {
        const ObjPoint at = st05bossSpinBoxOffset(spin, n);
        st05bossSpinBoxes[n].x = at.x;
        st05bossSpinBoxes[n].y = at.y;
    }
    if (enemy(work).phase >= 8) {
        bossInstallHitBoxes(work, st05bossSpinBoxes, int32_t(std::size(st05bossSpinBoxes)));
    } else {
        bossInstallHitBoxes(work, kSt05bossFormBoxes, int32_t(std::size(kSt05bossFormBoxes)));
    }
}

void st05bossPhases(ObjTask* task, ObjWork* work) {
    EnemyFields& e = enemy(work);
    // The change to the third form clears the screen while it plays.
    if (e.phase == 8 && e.step == 6) eshotCancelRequest(4, -1, nullptr, 0, 1);
    if (e.phase == 9 && e.step == 2) st05bossDropCycle(task);
    bossRunSteps(work, kSt05bossSteps, int32_t(std::size(kSt05bossSteps)), kSt05bossAttacks);
    if (GameTask* root = GameTask::getInstance(); root != nullptr && work->motionSlot0 >= 0) {
        root->setMotionAngle(work->motionSlot0, float(e.spin) * 360.0f / 1024.0f);
    }
}

constexpr BossFrameKind kSt05bossFrame = {kSt05bossDeathMotion, kSt05bossTurretReads, kSt05bossSmokes, 103, 104,
                                          st05bossSetUp,        st05bossHitBoxes,     st05bossPhases,  nullptr};

// The landing: four guns 48 pixels out, each a spread line of single
// bullets; more and wider by rank level.
void st05bossLandingBurst(ObjTask* task, ObjWork* work) {
    constexpr int32_t kFrom[] = {572, 452, 632, 392};
    constexpr int32_t kAlong[] = {828, 196, 888, 136};
    const int32_t level = std::clamp(enemyRankLevel(), 0, 3);
    const int32_t count = 6 + 2 * level;
    const int32_t width = level == 0 ? 8 : level == 1 ? 12 : level == 2 ? 16 : 20;
    for (int32_t g = 0; g < 4; ++g) {
        const float turn = float(kFrom[g]) * kSt05bossTurn;
        const float x = work->x + 48.0f * std::sin(turn), y = work->y - 48.0f * std::cos(turn);
        for (int32_t b = 0; b < count; ++b) {
            const int32_t angle = (kAlong[g] + randRangeCentered(width)) & 1023;
            enemyShot(44, angle, float(150 + 10 * b), objRef(task), x, y);
        }
    }
}

void st05bossDropState(EnemyFields& e, int32_t state) {
    e.dropState = state;
    e.dropTimer = 0;
}

void st05bossDropStep(ObjTask* task, ObjWork* work) {
    EnemyFields& e = enemy(work);
    const bool still = e.steerSpeed == 0.0f;
    switch (e.dropState) {
    case 0:
        if (still) st05bossDropState(e, 1);
        break;
    case 1: {
        float x = 0.0f, y = 0.0f;
        enemyPlayerPos(&x, &y);
        e.steerTarget.x = gameMode == 0 ? (e.dropCount % 2 == 0 ? 52.0f : 172.0f) : x;
        st05bossDropState(e, 2);
        SDL2_wheel_SoundPlaySE(kSt05bossLiftSound, false);
        break;
    }
    case 2:
        if (still && e.dropTimer > 180) st05bossDropState(e, 3);
        break;
    case 3:
        e.steerTarget.y = 224.0f;
        st05bossDropState(e, 4);
        SDL2_wheel_SoundPlaySE(kSt05bossFallSound, false);
        break;
    case 4:
        if (!still) break;
        TSKquakeStart(60, 30.0f);
        st05bossDropState(e, 5);
        SDL2_wheel_SoundPlaySE(kSt05bossLandSound, false);
        st05bossLandingBurst(task, work);
        break;
    case 5:
        if (e.dropTimer <= 120) break;
        e.steerTarget.y = 94.0f;
        st05bossDropState(e, 6);
        break;
    case 6:
        if (!still) break;
        ++e.dropCount;
        st05bossDropState(e, 0);
        break;
    default:
        break;
    }
}

}  // namespace

ObjPoint st05bossSpinBoxOffset(int32_t spin, int32_t n) {
    const int32_t k = std::clamp(n, 0, 4);
    const float a = float(spin % 1024 + kSt05bossBoxTurn[k]) * kSt05bossTurn;
    const float r = float(kSt05bossBoxRadius[k]);
    return {std::sin(a) * r, -std::cos(a) * r};
}

void st05bossDropCycle(ObjTask* task) {
    ObjWork* work = task->work;
    EnemyFields& e = enemy(work);
    e.spin += int32_t(std::sin(float(e.spinPhase) * kSt05bossTurn) * 15.0f);
    ++e.dropTimer;
    st05bossDropStep(task, work);
    if (e.dropState > 0) ++e.spinPhase;
    const float dx = e.steerTarget.x - work->x, dy = e.steerTarget.y - work->y;
    work->heading = enemyHeadingTo(work->x, work->y, e.steerTarget.x, e.steerTarget.y);
    const float d = std::max(std::abs(dx), std::abs(dy)) + std::min(std::abs(dx), std::abs(dy)) / 2.0f;
    e.steerSpeed = d >= 5.0f ? std::min(3.0f, e.steerSpeed + 0.05f) : 0.0f;
}

void TSKst05bossAct(ObjTask* task) { bossAct(task, TSKst05bossInit, TSKst05bossUpdate); }

void TSKst05bossInit(ObjTask* task) {
    if (!bossFrameInit(task, kSt05bossInit)) return;
    EnemyFields& e = enemy(task->work);
    e.aimOffset = {0.0f, 15.0f};
    for (HitBox& box : st05bossSpinBoxes) box.x = box.y = 0.0f;
    soundLayerState().layerTarget = 0;
    st05bossDarken = 0;
}

void TSKst05bossUpdate(ObjTask* task) { bossFrameUpdate(task, kSt05bossFrame); }

void TSKst05bossFree(ObjTask* task) {
    st05bossDarken = 0;
    bossFreeWithLinks(task);
}
