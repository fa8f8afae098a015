// Kind 62, the stage-3 hulk: its record, the per-frame update (wave,
// tint, dying halt, entry, phases, movement), the hit, the draw and the
// release. The attack patterns are in zako_62_attack.cpp.
#include "game/stages/enemies/zako_62.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "game/bosses/boss_shape.h"
#include "game/bosses/boss_sprite.h"
#include "game/core/collision.h"
#include "game/core/draw_store.h"
#include "game/core/game_task.h"
#include "game/core/motion_wrappers.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/play_state.h"
#include "game/core/sound_requests.h"
#include "game/core/wheel_angle.h"
#include "game/objects/effects.h"
#include "game/stages/enemies/boss_library.h"
#include "game/stages/enemies/bullet_patterns.h"
#include "game/stages/enemies/enemy_damage.h"
#include "game/stages/enemies/enemy_kinds.h"
#include "game/stages/enemies/enemy_script.h"
#include "game/stages/enemies/enemy_step.h"
#include "game/stages/field_layers.h"

int32_t zako62WaveSlot = -1;
float zako62WaveIntensity = 0.0f;
int32_t zako62WaveShown = -1;

namespace {

// The wave under the hull, the hull under its turrets (drawn on the
// record's depth), the entry silhouette over both.
constexpr int32_t kZako62WaveLayer = 102;
constexpr int32_t kZako62BodyLayer = 103;
constexpr int32_t kZako62SilhouetteLayer = 105;
constexpr float kZako62Depth = 104.0f;
constexpr int32_t kZako62RunMotion = 74;
constexpr int32_t kZako62DeathMotion = 47;
constexpr int32_t kZako62Music = 0;
constexpr int32_t kZako62MusicAge = 320;
// Turret k's marker frame; its sixteen direction frames follow it.
constexpr int32_t kZako62Markers[kZako62Turrets] = {5017, 5035, 5053, 5071, 5089, 5107, 5125, 5143, 5161,
                                                    4855, 4873, 4891, 4909, 4927, 4945, 4963, 4981, 4999};
constexpr HitBox kZako62Hull = {0.0f, -86.0f, 20.0f, 30.0f};

HitBox zako62Boxes[kZako62Boxes] = {};

// Phase by phase: the attack of phases 1, 2, 3, 5, 6, 7.
constexpr BossAttack kZako62Attacks[8] = {
    {0, 0, 0, 0, 0, 0, 0},       {1, 20, 6, 30, 4, 50, 0},  {3, 90, 9, 80, 1, 30, 0}, {6, 80, 6, 30, 1, 16, 0},
    {0, 0, 0, 0, 0, 0, 0},       {8, 60, 16, 200, 1, 16, 0}, {11, 20, 16, 60, 3, 90, 0},
    {13, 300, 4, 150, 1, 16, 0},
};
constexpr int32_t kZako62NextPhase[8] = {1, 2, 3, 1, 5, 6, 7, 5};
constexpr int32_t kZako62FormChangeFrames = 30;

constexpr BossInitRow kZako62Init = {TSKzako62Free, TSKzako62Draw, TSKzako62Hit, TSKzako62Attack, kZako62Depth,
                                     2, {73728, 131072}, {58982, 104857}, 800000, 3, nullptr, -1, 300, false, -1};

void zako62Explosion(float x, float y) { TSKeffectCreate(65, 0, 0.0f, 0, 351, ObjRef{}, x, y); }

// Turret k's place for the explosions: the truncated position plus its
// anchor, plus the draw offset.
ObjPoint zako62TurretPoint(ObjWork* work, int32_t k) {
    const EnemyFields& e = enemy(work);
    const ObjPoint anchor = bossMarkerOffset(kZako62Markers[k]);
    return {std::trunc(work->x) + anchor.x + e.drawOffset.x, std::trunc(work->y) - anchor.y + e.drawOffset.y};
}

void zako62OpenWave() {
    if (zako62WaveSlot >= 0) return;
    zako62WaveSlot = SDL2_wheel_MotionCreate(kZako62WaveLayer, "3boss_b_wave");
    zako62WaveShown = -1;
    if (zako62WaveSlot < 0) return;
    SDL2_wheel_MotionPlay(zako62WaveSlot, -1, "3boss_b_wave", "anime_1");
    SDL2_wheel_MotionPause(zako62WaveSlot);
    if (GameTask* game = GameTask::getInstance()) game->setMotionPosition(zako62WaveSlot, 112.0f, 144.0f);
}

// A frame of the wave: its loop count, one frame on, and its opacity when
// that changed.
void zako62StepWave() {
    GameTask* game = GameTask::getInstance();
    if (zako62WaveSlot < 0 || game == nullptr) return;
    game->updateMotionLoop(zako62WaveSlot);
    const int32_t length = std::max(game->getMotionLength(zako62WaveSlot), 1);
    game->setMotionFrame(zako62WaveSlot, (game->getMotionFrame(zako62WaveSlot) + 1) % length);
    const int32_t opacity = int32_t(zako62WaveIntensity * 255.0f);
    if (opacity != zako62WaveShown) {
        game->setMotionOpacity(zako62WaveSlot, uint32_t(opacity));
        zako62WaveShown = opacity;
    }
    game->refreshMotion(zako62WaveSlot);
}

void zako62OpenBody(ObjWork* work) {
    work->motionSlot0 = SDL2_wheel_MotionCreate(kZako62BodyLayer, "enemy_g_l02");
    work->motionSlot1 = SDL2_wheel_MotionCreate(kZako62SilhouetteLayer, "enemy_g_l02");
    SDL2_wheel_MotionSetBlend(work->motionSlot1, kMotionSlotBlendAdditive);
    SDL2_wheel_MotionSetAlpha(work->motionSlot1, 0.0f);
}

void zako62ArmTurrets(ObjWork* work) {
    for (int32_t k = 0; k < kZako62Turrets; ++k) {
        const ObjPoint anchor = bossMarkerOffset(kZako62Markers[k]);
        enemySetAimSlot(work, k, 16, zako62Barrel(k), anchor.x, 2.0f - anchor.y);
        const float half = k <= 13 ? 10.0f : 16.0f;
        zako62Boxes[k] = {anchor.x, 2.0f - anchor.y, half, half};
    }
    zako62Boxes[kZako62Turrets] = kZako62Hull;
}

void zako62Dying(ObjWork* work) {
    const EnemyFields& e = enemy(work);
    zako62WaveIntensity = std::max(0.0f, zako62WaveIntensity - 0.0075f);
    bossHalt(work);
    if (e.deathPhase == 5 && e.deathTimer == 0) {
        TSKeffectCreate(74, 0, 0.0f, 0, 353, ObjRef{}, work->x - 60.0f, work->y + 40.0f);
        TSKeffectCreate(74, 0, 0.0f, 0, 353, ObjRef{}, work->x + 60.0f, work->y - 80.0f);
    }
    if (e.deathPhase == 1 && e.deathTimer == 0) {
        for (int32_t k = 0; k < kZako62Turrets; ++k) {
            const ObjPoint at = zako62TurretPoint(work, k);
            zako62Explosion(at.x, at.y);
        }
    }
}

void zako62Entry(ObjWork* work) {
    EnemyFields& e = enemy(work);
    if (e.entryWait == 60) {
        e.sizeClass = 3;
        bossPresentFlag = 2;
        bossGaugeRegister(1, e.hp, e.formHp, 0, e.gaugeSlot);
    }
    if (e.entryWait != 0) return;
    const bool open = e.noHitBoxes == 0;
    work->hitBoxes = open ? zako62Boxes : nullptr;
    work->hitBoxCount = open ? kZako62Boxes : 0;
    e.offscreenTimer = 0;
}

void zako62Phases(ObjWork* work) {
    EnemyFields& e = enemy(work);
    if (e.phase < 0 || e.phase > 7) return;
    if (e.phase == 0) {
        if (e.offscreenTimer == 0 && e.entryWait == 0 && e.motionEnded != 0) e.phase = 1;
        return;
    }
    if (e.phase == 4) {
        if (e.stepCount == 0) {
            for (int32_t k = 4; k <= 15; ++k) {
                const ObjPoint at = zako62TurretPoint(work, k);
                zako62Explosion(at.x, at.y);
            }
        }
        if (++e.stepCount > kZako62FormChangeFrames) {
            e.phase = 5;
            e.stepCount = 0;
        }
        return;
    }
    if (e.stepCount == 0) bossStartAttack(work, kZako62Attacks[e.phase]);
    ++e.stepCount;
    if (e.attackPattern != 0) return;
    if (e.phase == 3) {
        for (int32_t k = 8; k <= 11; ++k) bossArmSlot(work, k);
    }
    e.phase = kZako62NextPhase[e.phase];
    e.stepCount = 0;
}

// Sinks to its station, slowing, then bobs along its heading; the form
// change holds it. `step` is the hover switch, `frameCount` its counter.
void zako62Move(ObjWork* work) {
    EnemyFields& e = enemy(work);
    if (e.phase == 4) {
        e.step = 0;
        e.frameCount = 0;
        work->speed = 0.0f;
    } else if (e.step == 0) {
        const bool second = e.phase >= 5;
        const float sink = second ? 170.0f : -90.0f, station = second ? 220.0f : -40.0f;
        if (work->y <= sink) {
            work->heading = 512;
            work->speed = 1.0f;
        } else {
            work->speed = std::max(0.15f, work->speed - 0.01f);
            if (work->y > station) {
                e.step = 1;
                work->speed = 0.0f;
            }
        }
    } else {
        ++e.frameCount;
        work->speed = zako62HoverSpeed(e.frameCount);
    }
    e.scriptSpeedX = e.scriptSpeedY = 0.0f;
    work->vx = work->vy = 0.0f;
    SDL2_wheel_AngleSinCos(work->heading, &work->vx, &work->vy, work->speed);
    work->x += work->vx;
    work->y += work->vy;
}

}  // namespace

const HitBox* zako62HitBoxes() { return zako62Boxes; }
int32_t zako62MarkerFrame(int32_t turret) { return kZako62Markers[turret]; }
int32_t zako62Barrel(int32_t turret) { return turret <= 13 ? 8 : 16; }

float zako62HoverSpeed(int32_t t) {
    const double turn = double(2 * t) * 2.0 * std::numbers::pi / 1024.0;
    return float(std::trunc(10.0 * std::sin(turn))) / 100.0f;
}

ObjPoint zako62SideMuzzle(ObjPoint muzzle, int32_t heading, int32_t side) {
    const float radians = float(heading + side * 256) * 6.2831855f / 1024.0f;
    return {muzzle.x + 5.0f * std::sin(radians), muzzle.y - 5.0f * std::cos(radians)};
}

void TSKzako62Act(ObjTask* task) {
    if (task->state == kObjStateInit) {
        TSKzako62Init(task);
        if (task->work != nullptr) task->state = kObjStateRun;
        return;
    }
    if (task->state == kObjStateRun) {
        enemyMoveScript(task, task->work);
        if (enemyAge(task) == kZako62MusicAge) SDL2_wheel_SoundPlayMusic(kZako62Music);
        ++enemyAge(task);
        TSKzako62Update(task);
        return;
    }
    OBJtaskReleaseUnlessPersistent(task);
}

void TSKzako62Init(ObjTask* task) {
    if (!bossInit(task, kZako62Init)) return;
    ObjWork* work = task->work;
    EnemyFields& e = enemy(work);
    e.shotCountdown = 60;
    work->heading = 512;
    work->speed = 1.0f;
    work->animFrame = 0;
    e.bonusCountdown = 600000;
    work->enemyTimer = kZako62FormFrames;
    zako62OpenBody(work);
    zako62ArmTurrets(work);
    zako62OpenWave();
    zako62WaveIntensity = 0.0f;
    st03WaveFlag = 1;
}

void TSKzako62Update(ObjTask* task) {
    ObjWork* work = task->work;
    EnemyFields& e = enemy(work);
    if (!enemyStep(task, work)) {
        task->state = kObjStateEnd;
        return;
    }
    zako62StepWave();
    bossApplyTint(work);
    if (work->lifeState == 3) {
        zako62Dying(work);
        return;
    }
    zako62WaveIntensity = std::min(1.0f, zako62WaveIntensity + 0.01f);
    if (e.firstFrameSeen == 0) {
        e.firstFrameSeen = 1;
        bossSetMotion(work, kZako62RunMotion);
    }
    zako62Entry(work);
    zako62Phases(work);
    zako62Move(work);
}

void TSKzako62Hit(ObjTask*, ObjWork* work) {
    ObjWork* hitter = objRefWork(work->lastCollider);
    if (hitter == nullptr) return;
    enemyDamage(work, hitter);
    if (work->lifeState != 3) return;
    bossSetMotion(work, kZako62DeathMotion);
    if (work->lifeState != 3) return;
    for (int32_t k = 0; k < kZako62Turrets; ++k) {
        const ObjPoint at = zako62TurretPoint(work, k);
        zako62Explosion(at.x, at.y);
    }
}

void TSKzako62Draw(ObjTask*, ObjWork* work) {
    const EnemyFields& e = enemy(work);
    if (zako62WaveSlot >= 0) {
        SDL2_wheel_MotionSetColor(zako62WaveSlot, kMotionSlotNeutralColor);
        SDL2_wheel_MotionSetAlpha(zako62WaveSlot, zako62WaveIntensity);
    }
    if (work->motionSlot0 >= 0) SDL2_wheel_MotionSetAlpha(work->motionSlot0, 1.0f);
    bossSilhouette(work);
    const int32_t layer = int32_t(work->depth);
    for (int32_t k = 0; k < kZako62Turrets; ++k) {
        const EnemyAimSlot& slot = e.aimSlots[k];
        const int32_t frame = bossDirectionFrame(kZako62Markers[k] + 1, slot.heading);
        OBJdrawSprite(work, frame, work->x + slot.offsetX + e.drawOffset.x, work->y + slot.offsetY + e.drawOffset.y,
                      layer, work->scaleX, work->scaleY, 0.0f, 1.0f, 0);
    }
}

void TSKzako62Free(ObjTask* task) {
    if (zako62WaveSlot >= 0) {
        if (GameTask* game = GameTask::getInstance()) game->releaseMotionSlot(zako62WaveSlot);
    }
    zako62WaveSlot = -1;
    zako62WaveShown = -1;
    if (task->work != nullptr) {
        OBJworkFree(task->work);
        task->work = nullptr;
    }
    st03WaveFlag = 0;
}
