// Kind 103, the stage-4 boss: its init, its phases on the frame, the entry
// and death signals for the arena, and its draw with the side beams and
// the form-3 arc. The guns are st04boss_turret.cpp, the block
// st04boss_part.cpp.
#include "game/bosses/st04boss.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iterator>

#include "game/bosses/boss_flags.h"
#include "game/bosses/boss_frame.h"
#include "game/bosses/boss_parts.h"
#include "game/core/collision.h"
#include "game/core/draw_store.h"
#include "game/core/game_random.h"
#include "game/core/motion_wrappers.h"
#include "game/core/play_state.h"
#include "game/core/sound_requests.h"
#include "game/objects/effects.h"
#include "game/objects/eshot.h"
#include "game/stages/enemies/boss_library.h"
#include "game/stages/enemies/enemy_damage.h"
#include "game/stages/enemies/enemy_kinds.h"
#include "game/stages/enemies/enemy_script.h"
#include "game/stages/enemies/enemy_step.h"
#include "game/stages/rank_carriers.h"

namespace {

constexpr int32_t kSt04bossTurretReads = 20;
constexpr int32_t kSt04bossEntrySound = 24;
constexpr int32_t kSt04bossMusic = 2;
constexpr int32_t kSt04bossEntryWait = 120;
constexpr int32_t kSt04bossBeamLayer = 431;
constexpr int32_t kSt04bossBeamFrame = 1751;
constexpr float kSt04bossBeamStep = 0.02f;
constexpr float kSt04bossArcStep = 0.01f;
constexpr float kSt04bossTurn = 6.2831855f / 1024.0f;

constexpr HitBox kSt04bossFormOneBoxes[] = {{0, -92, 120, 40},  {-100, 35, 13, 90}, {100, 35, 13, 90},
                                            {-100, -30, 30, 25}, {100, -30, 30, 25}, {-102, 126, 10, 5},
                                            {102, 126, 10, 5}};
constexpr HitBox kSt04bossFormTwoBoxes[] = {{0, -92, 120, 40}, {0, -45, 60, 30},    {0, -30, 45, 30},
                                            {-105, 30, 10, 90}, {105, 30, 10, 90},  {-100, -30, 30, 25},
                                            {100, -30, 30, 25}, {-90, 115, 5, 14},  {90, 115, 5, 14},
                                            {-82, 128, 3, 6},   {82, 128, 3, 6}};
constexpr HitBox kSt04bossFormThreeBoxes[] = {{0, -85, 100, 30}, {0, -45, 60, 30}, {0, -30, 40, 30}};

constexpr BossInitRow kSt04bossInit = {bossFreeWithLinks,
                                       TSKst04bossDraw,
                                       TSKenemyHit,
                                       TSKst04bossTurret,
                                       300.0f,
                                       3,
                                       {126976, 176128, 65536},
                                       {101580, 140902, 52428},
                                       2000000,
                                       4,
                                       "st04boss",
                                       -1,
                                       1000,
                                       false};

// Patterns 1, 2, 3, 4, 8, 9, 11 (and 11 at rank level 3), 12, 15.
constexpr BossAttack kSt04bossAttacks[] = {
    {1, 7, 10, 120, 4, 60, 0},   {2, 200, 4, 120, 1, 0, 0}, {3, 216, 2, 60, 1, 0, 0},
    {4, 200, 4, 120, 1, 0, 0},   {8, 210, 5, 120, 1, 60, 0}, {9, 230, 4, 60, 1, 0, 0},
    {11, 8, 120, 60, 1, 0, 0},   {11, 8, 100, 50, 1, 0, 0}, {12, 150, 4, 120, 1, 0, 0},
    {15, 4, 26, 240, 999999, 120, 0},
};
enum St04bossAttack : int8_t {
    kSt04bossP1, kSt04bossP2, kSt04bossP3, kSt04bossP4, kSt04bossP8,
    kSt04bossP9, kSt04bossP11, kSt04bossP11Top, kSt04bossP12, kSt04bossP15,
};

void st04bossSteer(ObjWork* work, float x, float y) {
    EnemyFields& e = enemy(work);
    e.steerMode = 5;
    e.steerTarget = {x, y};
}
void st04bossHigh(ObjWork* work) { st04bossSteer(work, 112.0f, 90.0f); }
void st04bossLow(ObjWork* work) { st04bossSteer(work, 112.0f, 130.0f); }
void st04bossTop(ObjWork* work) { st04bossSteer(work, 112.0f, 70.0f); }
void st04bossCalm(ObjWork*) { st4BurstSignal = 0; }
void st04bossPatternEleven(ObjWork* work) {
    bossStartAttack(work, kSt04bossAttacks[enemyRankLevel() == 3 ? kSt04bossP11Top : kSt04bossP11]);
}

// The second form comes in: the beams out, the boss music's second layer,
// the links ended, two columns of sparks down its sides.
void st04bossFormTwo(ObjWork* work) {
    EnemyFields& e = enemy(work);
    e.beamLevel = 0.0f;
    soundLayerState().layerTarget = 1;
    bossEndLinks(work);
    st04bossHigh(work);
    for (int32_t side : {-100, 100}) {
        for (int32_t i = 0; i < 10; ++i) {
            const float x = work->x + float(side + randRange(10) - 5);
            TSKeffectCreate(66, 0, 0.0f, 0, 444, ObjRef{}, x, work->y - 50.0f + float(20 * i));
        }
    }
}

void st04bossFormThree(ObjWork* work) {
    enemy(work).beamLevel = 0.0f;
    bossEndLinks(work);
    enemy(work).steerMode = 5;
    enemy(work).steerTarget.y = 90.0f;
}

// The rows whose conditions the shape knows; the entry, the beams' fade and
// the block are st04bossPhases' own.
constexpr BossStepRow kSt04bossSteps[] = {
    {1, 0, kBossAlways, 74, -1, st04bossHigh, 0, 1, 1, false},
    {1, 1, kBossReady, 75, kSt04bossP1, nullptr, 0, 1, 2, false},
    {1, 2, kBossAttackOver, 76, -1, st04bossLow, 0, 1, 4, false},
    {1, 4, kBossAttackOver, 77, kSt04bossP2, nullptr, 0, 1, 5, false},
    {1, 5, kBossAttackOver, 78, -1, st04bossHigh, 0, 1, 6, false},
    {2, 0, kBossAlways, 79, -1, nullptr, 0, 2, 1, false},
    {2, 1, kBossAttackOver, 80, kSt04bossP3, nullptr, 0, 2, 2, false},
    {2, 2, kBossAttackOver, 81, -1, st04bossLow, 0, 2, 4, false},
    {2, 4, kBossAttackOver, 82, kSt04bossP4, st04bossCalm, 0, 2, 5, false},
    {2, 5, kBossAttackOver, 83, -1, st04bossHigh, 0, 2, 6, false},
    {4, 0, kBossAlways, 84, -1, st04bossFormTwo, 0, 4, 6, false},
    {4, 6, kBossEnd, 85, -1, nullptr, 0, 5, 0, false},
    {5, 0, kBossAlways, 86, -1, st04bossHigh, 0, 5, 1, false},
    {5, 1, kBossReady, 87, kSt04bossP8, nullptr, 0, 5, 2, false},
    {5, 2, kBossAttackOver, 88, -1, st04bossLow, 0, 5, 4, false},
    {5, 4, kBossAttackOver, 89, kSt04bossP9, nullptr, 0, 5, 5, false},
    {5, 5, kBossAttackOver, 90, -1, st04bossHigh, 0, 5, 6, false},
    {5, 6, kBossAttackOver, 85, -1, nullptr, 0, 6, 0, false},
    {6, 0, kBossAlways, 91, -1, nullptr, 0, 6, 1, false},
    {6, 1, kBossAttackOver, 92, -1, st04bossPatternEleven, 0, 6, 2, false},
    {6, 2, kBossAttackOver, 93, -1, st04bossLow, 0, 6, 4, false},
    {6, 4, kBossAttackOver, 94, kSt04bossP12, st04bossCalm, 0, 6, 5, false},
    {6, 5, kBossAttackOver, 95, -1, st04bossHigh, 0, 6, 6, false},
    {6, 6, kBossAttackOver, 85, -1, nullptr, 0, 5, 0, false},
    {8, 0, kBossAlways, 96, -1, st04bossFormThree, 0, 8, 6, false},
    {8, 6, kBossEnd, 97, -1, nullptr, 0, 9, 0, false},
    {9, 0, kBossCounter, 98, -1, st04bossTop, 0, 9, 1, false},
    {9, 1, kBossReady, 99, kSt04bossP15, nullptr, 0, 9, 2, false},
    {9, 2, kBossReady, 97, -1, nullptr, 0, 9, 0, false},
};

void st04bossSetUp(ObjWork* work) {
    st04bossSteer(work, work->x, work->y);
    bossScatterSmoke(work, -95);
}

void st04bossHitBoxes(ObjWork* work) {
    const int32_t phase = enemy(work).phase;
    if (phase >= 8) {
        bossInstallHitBoxes(work, kSt04bossFormThreeBoxes, int32_t(std::size(kSt04bossFormThreeBoxes)));
    } else if (phase >= 5) {
        bossInstallHitBoxes(work, kSt04bossFormTwoBoxes, int32_t(std::size(kSt04bossFormTwoBoxes)));
    } else {
        bossInstallHitBoxes(work, kSt04bossFormOneBoxes, int32_t(std::size(kSt04bossFormOneBoxes)));
    }
}

// The entry: on screen and 120 frames in, the held "st04boss_1"; then the
// fight waits 120 frames more.
void st04bossEntry(ObjWork* work) {
    EnemyFields& e = enemy(work);
    if (e.step == 0 && e.offscreenTimer == 0 && work->visible != 0 && e.stepCount >= 120) {
        bossSetMotion(work, 72);
        SDL2_wheel_SoundPlaySE(kSt04bossEntrySound, false);
        st4BossEntered = 1;
        e.step = 1;
        e.stepCount = 0;
    } else if (e.step == 1 && e.motionEnded != 0) {
        bossSetMotion(work, 73);
        e.entryWait = kSt04bossEntryWait;
        e.step = 6;
        e.stepCount = 0;
    } else if (e.step == 6 && e.entryWait == 0) {
        e.phase = 1;
        e.step = 0;
        e.stepCount = 0;
        SDL2_wheel_SoundPlayMusic(kSt04bossMusic);
    }
}

// Steps 5 and 6 of phases 1 and 2: the beams rise, then fall back to
// exactly 0 before the next phase. True when the phase changed.
bool st04bossBeams(ObjWork* work) {
    EnemyFields& e = enemy(work);
    if (e.step == 5) e.beamLevel = std::min(1.0f, e.beamLevel + kSt04bossBeamStep);
    if (e.step != 6) return false;
    e.beamLevel = std::max(0.0f, e.beamLevel - kSt04bossBeamStep);
    if (e.attackPattern != 0 || e.beamLevel != 0.0f) return false;
    bossSetMotion(work, 73);
    e.phase = e.phase == 1 ? 2 : 1;
    e.step = 0;
    e.stepCount = 0;
    return true;
}

// Phase 8's sparks from the two "effect%02d" locators, where found.
void st04bossSparks(ObjWork* work) {
    if (work->motionSlot0 < 0) return;
    for (int32_t n = 0; n < 2; ++n) {
        char name[16];
        std::snprintf(name, sizeof name, "effect%02d", int(n));
        float out[3] = {};
        if (!SDL2_wheel_MotionGetLocator(work->motionSlot0, out, name)) continue;
        const float x = out[0] + float(randRange(60) - 30);
        const float y = out[1] + float(randRange(20) - 10);
        const int32_t heading = randRange(120) - 16;
        const float speed = float(3 + randRange(5));
        TSKeffectCreate(126, heading & 1023, speed, 0, 0, ObjRef{}, x, y);
    }
}

// Form 3 drops the block as it arms its last pattern.
void st04bossDropBlock(ObjTask* task) {
    ObjTask* part = bossSpawnPart(task, TSKst04bossPart118Act);
    if (part == nullptr) return;
    ObjWork* block = part->work;
    block->kind = 118;
    block->x = task->work->x;
    block->y = task->work->y;
    block->speed = 0.0f;
    block->heading = 0;
}

void st04bossPhases(ObjTask* task, ObjWork* work) {
    EnemyFields& e = enemy(work);
    if (e.phase == 0) {
        st04bossEntry(work);
        return;
    }
    if (e.phase == 8) st04bossSparks(work);
    if ((e.phase == 1 || e.phase == 2) && st04bossBeams(work)) return;
    if (e.phase == 9 && e.step == 2) e.beamLevel = std::min(1.0f, e.beamLevel + kSt04bossArcStep);
    const bool arming = e.phase == 9 && e.step == 1;
    bossRunSteps(work, kSt04bossSteps, int32_t(std::size(kSt04bossSteps)), kSt04bossAttacks);
    if (arming && e.step == 2) st04bossDropBlock(task);
}

void st04bossDying(ObjWork* work) {
    EnemyFields& e = enemy(work);
    e.beamLevel = 0.0f;
    if (e.deathPhase == 1 && e.deathTimer == 0) st4BossDying = 1;
}

constexpr BossFrameKind kSt04bossFrame = {
    103, kSt04bossTurretReads, 5, 103, 103, st04bossSetUp, st04bossHitBoxes, st04bossPhases, st04bossDying};

void st04bossBeamSprite(ObjWork* work, int32_t i, float x, float y, float scaleX) {
    const int32_t frame = kSt04bossBeamFrame + (enemy(work).frameCount / 3 + i) % 3;
    OBJdrawSprite(work, frame, x, y, kSt04bossBeamLayer, scaleX, 1.0f, 0.0f, enemy(work).beamLevel * 0.5f, 1);
}

}  // namespace

St04bossPoint st04bossArcPoint(const ObjWork* boss, int32_t a) {
    const float turn = float(a) * kSt04bossTurn;
    return {boss->x + 100.0f * std::sin(turn), boss->y - 40.0f - 100.0f * std::cos(turn) / 3.0f};
}

void TSKst04bossAct(ObjTask* task) {
    if (task->state == kObjStateInit) {
        TSKst04bossInit(task);
        if (task->work != nullptr) task->state = kObjStateRun;
        return;
    }
    if (task->state == kObjStateRun) {
        // The run mode 3 holds the boss where it stands.
        if (runModeWord != 3) {
            enemyMoveScript(task, task->work);
            ++enemyAge(task);
        }
        TSKst04bossUpdate(task);
        return;
    }
    OBJtaskReleaseUnlessPersistent(task);
}

void TSKst04bossInit(ObjTask* task) {
    if (!bossFrameInit(task, kSt04bossInit)) return;
    soundLayerState().layerTarget = 0;  // the second layer comes with form 2
    st4BossEntered = 0;
    st4BurstSignal = 0;
}

void TSKst04bossUpdate(ObjTask* task) { bossFrameUpdate(task, kSt04bossFrame); }

void TSKst04bossDraw(ObjTask*, ObjWork* work) {
    bossSilhouette(work);
    bossDrawSmoke(work);
    const EnemyFields& e = enemy(work);
    if (e.beamLevel <= 0.0f) return;
    work->r = 255;
    work->g = work->b = 120;
    if (e.phase >= 9) {
        for (int32_t i = 0; i < 36; ++i) {
            const St04bossPoint at = st04bossArcPoint(work, 256 + 14 * i);
            st04bossBeamSprite(work, i, at.x, at.y, 1.0f);
        }
    } else {
        for (float side : {-85.0f, 85.0f}) {
            for (int32_t i = 0; i < 13; ++i) st04bossBeamSprite(work, i, work->x + side, work->y + float(10 * i), 0.5f);
        }
    }
    work->r = work->g = work->b = 255;
}
