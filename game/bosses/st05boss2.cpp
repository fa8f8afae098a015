// Kind 105, the true last boss: its init, its entry on the intro visual,
// its phases on the frame, the ring it turns in pattern 3 and its draw with
// the eye and the ring. The guns are st05boss2_turret.cpp, the snake and the
// drifters st05boss2_part.cpp.
#include "game/bosses/st05boss2.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "game/bosses/boss_flags.h"
#include "game/bosses/boss_frame.h"
#include "game/bosses/boss_parts.h"
#include "game/bosses/boss_shape.h"
#include "game/core/draw_store.h"
#include "game/core/game_random.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/sound_requests.h"
#include "game/stages/enemies/boss_library.h"
#include "game/stages/enemies/enemy_damage.h"
#include "game/stages/rank_carriers.h"

namespace {

constexpr int32_t kSt05boss2TurretReads = 24;
constexpr int32_t kSt05boss2EntrySound = 5, kSt05boss2ChangeSound = 27;
constexpr int32_t kSt05boss2Music = 6;
constexpr int32_t kSt05boss2EyeFrame = 5914, kSt05boss2PupilFrame = 5915;
constexpr int32_t kSt05boss2RingFrame = 1756;
constexpr int32_t kSt05boss2EyeLayer = 440, kSt05boss2RingLayer = 431;
constexpr int32_t kSt05boss2FirstRingLink = 6;
constexpr float kSt05boss2RingRadius = 50.0f;
constexpr float kSt05boss2FadeStep = 0.05f;
constexpr float kSt05boss2Turn = 6.2831855f / 1024.0f;

constexpr HitBox kSt05boss2FormOneBoxes[] = {{0, -10, 15, 50}, {0, -12, 25, 42}, {0, -25, 30, 22}};
constexpr HitBox kSt05boss2FormTwoBoxes[] = {{0, -5, 15, 50}, {0, -8, 35, 25}, {0, -10, 27, 35}, {0, -13, 43, 17}};

constexpr BossInitRow kSt05boss2Init = {bossFreeWithLinks,
                                        TSKst05boss2Draw,
                                        TSKbossHit,
                                        TSKst05boss2Turret,
                                        430.0f,
                                        2,
                                        {163840, 131072},
                                        {131072, 104857},
                                        0,
                                        4,
                                        "st05boss2",
                                        138,
                                        240,
                                        false,
                                        -1};

// Patterns 1, 2, 3, 4 and the endless 8.
constexpr BossAttack kSt05boss2Attacks[] = {
    {1, 150, 6, 120, 1, 0, 0}, {2, 220, 4, 120, 1, 0, 0},           {3, 200, 6, 240, 1, 0, 0},
    {4, 210, 6, 120, 1, 0, 0}, {8, 999999, 6, 120, 999999, 0, 0},
};
enum St05boss2Attack : int8_t { kSt05boss2P1, kSt05boss2P2, kSt05boss2P3, kSt05boss2P4, kSt05boss2P8 };

void st05boss2Wander(ObjWork* work) { enemy(work).steerMode = 1; }
void st05boss2Sway(ObjWork* work) { enemy(work).steerMode = 3; }
void st05boss2Hold(ObjWork* work, float x, float y) {
    enemy(work).steerMode = 4;
    enemy(work).steerTarget = {x, y};
}
void st05boss2Centre(ObjWork* work) {
    st05boss2Hold(work, 112.0f, 144.0f);
    enemy(work).spin = 0;
}
void st05boss2High(ObjWork* work) { st05boss2Hold(work, 112.0f, 84.0f); }
void st05boss2RingOff(ObjWork* work) {
    bossEndLinks(work);
    st05boss2Wander(work);
}
void st05boss2FormTwo(ObjWork* work) {
    soundLayerState().layerTarget = 1;
    bossEndLinks(work);
    st05boss2Wander(work);
    SDL2_wheel_SoundPlaySE(kSt05boss2ChangeSound, false);
}

// The rows after the entry (phase 0 step 0 is st05boss2Entry's).
constexpr BossStepRow kSt05boss2Steps[] = {
    {0, 6, kBossReady, 140, -1, nullptr, 0, 1, 0, false},
    {1, 0, kBossAlways, 141, -1, nullptr, 0, 1, 1, false},
    {1, 1, kBossReady, 142, kSt05boss2P1, nullptr, 0, 1, 2, false},
    {1, 2, kBossAttackOver, 144, -1, nullptr, 0, 1, 4, false},
    {1, 4, kBossAttackOver, 145, kSt05boss2P2, st05boss2Sway, 0, 1, 5, false},
    {1, 5, kBossAttackOver, 146, -1, st05boss2Wander, 0, 1, 6, false},
    {1, 6, kBossAttackOver, 140, -1, nullptr, 0, 2, 0, false},
    {2, 0, kBossAlways, 147, -1, nullptr, 0, 2, 1, false},
    {2, 1, kBossAttackOver, 148, kSt05boss2P3, st05boss2Centre, 0, 2, 2, false},
    {2, 2, kBossAttackOver, 149, -1, st05boss2RingOff, 0, 2, 4, false},
    {2, 4, kBossAttackOver, 151, kSt05boss2P4, nullptr, 0, 2, 5, false},
    {2, 5, kBossAttackOver, 152, -1, bossEndLinks, 0, 2, 6, false},
    {2, 6, kBossAttackOver, 140, -1, nullptr, 0, 1, 0, false},
    {4, 0, kBossAlways, 153, -1, st05boss2FormTwo, 0, 4, 6, false},
    {4, 6, kBossEnd, 154, -1, nullptr, 0, 5, 0, false},
    {5, 0, kBossCounter, 155, -1, nullptr, 0, 5, 1, false},
    {5, 1, kBossReady, 154, kSt05boss2P8, st05boss2High, 0, 5, 2, false},
    {5, 2, kBossReady, 156, -1, nullptr, 0, 5, 0, false},
};

void st05boss2SetUp(ObjWork* work) {
    enemy(work).driftSpeed = 0.0f;
    bossScatterSmoke(work, -75);
}

void st05boss2HitBoxes(ObjWork* work) {
    if (enemy(work).phase == 5) {
        bossInstallHitBoxes(work, kSt05boss2FormTwoBoxes, int32_t(std::size(kSt05boss2FormTwoBoxes)));
    } else {
        bossInstallHitBoxes(work, kSt05boss2FormOneBoxes, int32_t(std::size(kSt05boss2FormOneBoxes)));
    }
}

// Phase 0 step 0: held on the visual's "bosspoint" or, brought in directly,
// at (112, 144); it comes in once on screen with the entry wait over and
// the hold dropped (the direct entry does not wait for a visual).
void st05boss2Entry(ObjWork* work) {
    EnemyFields& e = enemy(work);
    const bool direct = st05DirectBoss2 != 0;
    if (bossIntroHold != 0) {
        work->x = bossIntroPoint.x;
        work->y = bossIntroPoint.y;
    }
    if (direct) {
        work->x = 112.0f;
        work->y = 144.0f;
    }
    if (e.offscreenTimer != 0 || e.entryWait != 0 || work->visible == 0) return;
    if (!direct && bossIntroHold != 0) return;
    e.steerSpeed = 2.0f;
    const int32_t x = 87 + randRange(50);
    e.steerTarget = {float(x), float(-5 + randRange(50))};
    bossSetMotion(work, 139);
    e.steerMode = 1;
    SDL2_wheel_SoundPlaySE(kSt05boss2EntrySound, false);
    SDL2_wheel_SoundPlayMusic(kSt05boss2Music);
    e.step = 6;
    e.stepCount = 0;
}

// The ring's four shots stand 50 pixels out from the point 5 above the
// centre and face outward.
void st05boss2PlaceRing(ObjWork* work) {
    EnemyFields& e = enemy(work);
    for (int32_t k = kSt05boss2FirstRingLink; k < kEnemyParts; ++k) {
        ObjWork* shot = objRefWork(e.partLink[k]);
        if (shot == nullptr) continue;
        const int32_t a = (e.spin + 256 * (k - kSt05boss2FirstRingLink)) & 1023;
        shot->x = work->x + kSt05boss2RingRadius * std::sin(float(a) * kSt05boss2Turn);
        shot->y = work->y - 5.0f - kSt05boss2RingRadius * std::cos(float(a) * kSt05boss2Turn);
        shot->heading = a;
    }
}

void st05boss2Phases(ObjTask*, ObjWork* work) {
    EnemyFields& e = enemy(work);
    e.eyeAlpha = e.phase >= 5 || (e.phase == 4 && e.step == 6) ? 1.0f : 0.0f;
    if (e.phase == 0 && e.step == 0) {
        st05boss2Entry(work);
    } else {
        if (e.phase == 2 && e.step == 2) ++e.spin;
        bossRunSteps(work, kSt05boss2Steps, int32_t(std::size(kSt05boss2Steps)), kSt05boss2Attacks);
    }
    const bool ringUp = e.phase == 2 && e.step == 2 && e.stepCount > 200;
    e.ringAlpha = ringUp ? std::min(1.0f, e.ringAlpha + kSt05boss2FadeStep)
                         : std::max(0.0f, e.ringAlpha - kSt05boss2FadeStep);
    st05boss2PlaceRing(work);
}

void st05boss2Dying(ObjWork* work) { enemy(work).eyeAlpha = 0.0f; }

constexpr BossFrameKind kSt05boss2Frame = {
    161, kSt05boss2TurretReads, 5, 103, 103, st05boss2SetUp, st05boss2HitBoxes, st05boss2Phases, st05boss2Dying};

// The score is fixed by the rank level the fight starts at.
uint64_t st05boss2Score() {
    const int32_t level = enemyRankLevel();
    return level <= 0 ? 5000000u : level == 1 ? 10000000u : 20000000u;
}

}  // namespace

void TSKst05boss2Act(ObjTask* task) { bossAct(task, TSKst05boss2Init, TSKst05boss2Update); }

void TSKst05boss2Init(ObjTask* task) {
    if (!bossFrameInit(task, kSt05boss2Init)) return;
    EnemyFields& e = enemy(task->work);
    e.score = st05boss2Score();
    e.steerMode = 0;
    e.eyeAlpha = e.ringAlpha = 0.0f;
    soundLayerState().layerTarget = 0;  // the second layer comes with form 2
}

void TSKst05boss2Update(ObjTask* task) { bossFrameUpdate(task, kSt05boss2Frame); }

void TSKst05boss2Draw(ObjTask*, ObjWork* work) {
    const EnemyFields& e = enemy(work);
    bossSilhouette(work);
    if (e.eyeAlpha > 0.0f) {
        const BossTint tint = bossBodyTint(work);
        const float a = float(bossAimAngle(work->x, work->y)) * kSt05boss2Turn;
        work->r = 255;
        work->g = uint8_t(tint.green);
        work->b = uint8_t(tint.blue);
        const float eyeX = work->x + 7.0f * std::sin(a), eyeY = work->y - 9.0f - 7.0f * std::cos(a) / 3.0f;
        OBJdrawSprite(work, kSt05boss2EyeFrame, eyeX, eyeY, kSt05boss2EyeLayer, 1.0f, 1.0f, 0.0f, e.eyeAlpha, 0);
        OBJdrawSprite(work, kSt05boss2PupilFrame, work->x, work->y - 9.0f, kSt05boss2EyeLayer, 1.0f, 1.0f, 0.0f,
                      e.eyeAlpha, 0);
    }
    if (e.ringAlpha > 0.0f) {
        work->r = work->g = 200;
        work->b = 255;
        const int32_t frame = kSt05boss2RingFrame + e.frameCount % 2;
        for (int32_t k = 0; k < 4; ++k) {
            const float a = float((e.spin + 256 * k) & 1023) * kSt05boss2Turn;
            const float x = work->x + kSt05boss2RingRadius * std::sin(a);
            const float y = work->y - 5.0f - kSt05boss2RingRadius * std::cos(a);
            OBJdrawSprite(work, frame, x, y, kSt05boss2RingLayer, 1.0f, 1.0f, 0.0f, e.ringAlpha, 1);
        }
    }
    work->r = work->g = work->b = 255;
    bossDrawSmoke(work);
}
