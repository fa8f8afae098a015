// The form change and the death sequences of the common enemy step. The
// sounds and the spark and smoke kinds are ours; every burst draws its
// offsets, headings and speeds from the game's generator.
#include <algorithm>

#include "game/bosses/boss_flags.h"
#include "game/core/game_main.h"
#include "game/core/game_random.h"
#include "game/core/game_sequence.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/play_state.h"
#include "game/core/screen_effects.h"
#include "game/core/sound_requests.h"
#include "game/core/wheel_angle.h"
#include "game/objects/effects.h"
#include "game/objects/fighter_counters.h"
#include "game/objects/fighter_hit.h"
#include "game/objects/voice_message.h"
#include "game/records/play_selection.h"
#include "game/stages/enemies/boss_attack.h"
#include "game/stages/enemies/enemy_damage.h"
#include "game/stages/enemies/enemy_kinds.h"
#include "game/stages/enemies/enemy_score.h"
#include "game/stages/enemies/enemy_step_parts.h"
#include "game/stages/enemies/enemy_words.h"
#include "game/stages/enemies/eshot_cancel.h"
#include "game/stages/rank_carriers.h"

namespace {

constexpr int32_t kEnemyDeathSound = 8;        // an explosion
constexpr int32_t kEnemyDeathBigSound = 15;    // a large explosion
constexpr int32_t kEnemyDeathAirExplosion = 64;
constexpr int32_t kEnemyDeathGroundExplosion = 65;
constexpr int32_t kEnemyDeathSpark = 77;
constexpr int32_t kEnemyDeathBlast = 92;
constexpr int32_t kEnemyDeathSmoke = 93;
constexpr int32_t kEnemyDeathDebris = 66;
constexpr int32_t kEnemyDeathBigSpark = 102;
constexpr int32_t kEnemyDeathBigSmoke = 67;
constexpr int32_t kEnemyDeathWreck = 68;

void enemyDeathEffect(ObjWork* work, int32_t kind, int32_t heading, float speed, int32_t spread) {
    const float dx = spread > 0 ? float(randRange(spread * 2) - spread) : 0.0f;
    const float dy = spread > 0 ? float(randRange(spread * 2) - spread) : 0.0f;
    TSKeffectCreate(kind, heading & 1023, speed, 0, 0, ObjRef{}, work->x + dx, work->y + dy);
}

// n sparks at speed base + r(range) in random headings.
void enemyDeathSparks(ObjWork* work, int32_t n, int32_t base, int32_t range, int32_t spread = 0) {
    for (int32_t i = 0; i < n; ++i) {
        const float speed = float(base + randRange(range));
        enemyDeathEffect(work, kEnemyDeathSpark, randRange(1024), speed, spread);
    }
}

// Rounds of sparks and smokes round the enemy.
void enemyDeathRounds(ObjWork* work, int32_t rounds, int32_t spread) {
    for (int32_t i = 0; i < rounds; ++i) {
        enemyDeathSparks(work, 2, 1, 5, spread);
        enemyDeathEffect(work, kEnemyDeathSmoke, randRange(1024), 1.0f, spread);
        enemyDeathEffect(work, kEnemyDeathSmoke, randRange(1024), 1.0f, spread);
    }
}

void enemyDeathRing(ObjWork* work, int32_t step, float speed) {
    for (int32_t heading = 0; heading < 1024; heading += step) {
        enemyDeathEffect(work, kEnemyDeathSpark, heading, speed, 0);
    }
}

void enemyDeathNextPhase(EnemyFields& e, int32_t phase) {
    e.deathPhase = phase;
    e.deathTimer = -1;  // raised to 0 at the end of the frame
}

void enemyDeathFighterVoice(int32_t event, int32_t parameter) {
    const int32_t type = fighterGetType();
    charVoiceMessage(type, event);
    TSKeffectCreate(137 + type, 0, 0.0f, parameter, 0, ObjRef{}, 112.0f, 144.0f);
}

bool enemyDeathIsGround(const ObjWork* work) { return work->family.enemy.followedLayer != 0; }

// The end of every ordinary death: the wreck, the task's end.
void enemyDeathFinishSmall(ObjTask* task, ObjWork* work) {
    EnemyFields& e = enemy(work);
    if (enemyDeathIsGround(work)) enemyDropWreck(work);
    if (e.keepMovingWhenDying == 0) task->state = kObjStateEnd;
    e.deathEffectsDone = 1;
}

void enemyDeathExplode(ObjWork* work) {
    const EnemyFields& e = enemy(work);
    const bool ground = enemyDeathIsGround(work);
    int32_t kind = kEnemyDeathAirExplosion;
    if (ground) kind = e.explosionKind != 0 ? e.explosionKind : kEnemyDeathGroundExplosion;
    TSKeffectCreate(kind, work->heading, e.steerSpeed, 0, 0, ObjRef{}, work->x, work->y);
    SDL2_wheel_SoundPlaySE(kEnemyDeathSound, false);
    for (int i = 0; i < 3; ++i) enemyDeathEffect(work, kEnemyDeathBlast, randRange(1024), 0.0f, 8);
    enemyDeathSparks(work, ground ? 8 : 10, 1, 5);
}

void enemyDeathStop(ObjWork* work) {
    EnemyFields& e = enemy(work);
    if (e.keepMovingWhenDying != 0) return;
    e.script = 0;
    e.scriptSpeedX = e.scriptSpeedY = 0.0f;
    work->vx = work->vy = 0.0f;
}

void enemyDeathClassOne(ObjTask* task, ObjWork* work) {
    EnemyFields& e = enemy(work);
    if (e.deathPhase == 0) {
        enemyDeathStop(work);
        enemyDeathNextPhase(e, 1);
    } else if (e.deathPhase == 1) {
        enemyDeathNextPhase(e, 2);
    } else {
        SDL2_wheel_SoundPlaySE(kEnemyDeathSound, false);
        enemyDeathRounds(work, 5, 16);
        enemyDeathExplode(work);
        enemyDeathFinishSmall(task, work);
    }
}

void enemyDeathClassTwo(ObjTask* task, ObjWork* work) {
    EnemyFields& e = enemy(work);
    const int32_t t = e.deathTimer;
    if (e.deathPhase == 0) {
        enemyDeathStop(work);
        enemyDeathNextPhase(e, 1);
    } else if (e.deathPhase == 1) {
        if (t < 30 && t % 3 == 0) SDL2_wheel_SoundPlaySE(kEnemyDeathSound, false);
        if (t < 40 && t % 4 == 0) enemyDeathRounds(work, 2, 24);
        if (t == 45) enemyDeathSparks(work, 8, 2, 5);
        if (t >= 60) enemyDeathNextPhase(e, 2);
    } else {
        TSKquakeStart(20, 3.0f);
        SDL2_wheel_SoundPlaySE(kEnemyDeathBigSound, false);
        enemyDeathRounds(work, 8, 32);
        enemyDeathExplode(work);
        enemyDeathFinishSmall(task, work);
    }
}

void enemyDeathSmall(ObjTask* task, ObjWork* work) {
    EnemyFields& e = enemy(work);
    if (e.deathEffectsDone != 0) return;
    e.flashTimer = 0;
    if (e.sizeClass == 1) {
        enemyDeathClassOne(task, work);
    } else if (e.sizeClass == 2) {
        enemyDeathClassTwo(task, work);
    } else {
        enemyDeathExplode(work);
        enemyDeathFinishSmall(task, work);
    }
}

// The stage-5 boss calls the true last boss only for a play without a
// continue, with five secret items and (ORIGINAL, EXPERT) a rank of 15.
bool enemyDeathTrueLastBossHolds() {
    return enemyTrueLastBossHolds(fighterGetCreditCount(), fighterGetSecretItems(), rankCounter, gameMode);
}

void enemyDeathBossPhaseZero(ObjWork* work) {
    EnemyFields& e = enemy(work);
    if (e.noSweep == 0) enemyExplosionTimer = 2;
    enemyDeathNextPhase(e, 1);
    e.sinkHeading = 512;
    e.sinkSpeed = 0.3f;
    const int32_t kind = work->kind;
    if (kind != 62 && kind != 104) {
        bossPresentFlag = 0;
        eshotCancelRequest(150, -1, nullptr, 0, 1);
    }
    if (e.sizeClass == 4) {
        e.trueLastBoss = kind == 104 && enemyDeathTrueLastBossHolds() ? 1 : 0;
        if (kind == 104 && e.trueLastBoss == 0) bossPresentFlag = 0;
        stageClearFlag = 1;
        fighterSetWeaponsOn(0);
        fighterSetControl(0);
        SDL2_wheel_SoundStopMusic();
        fighterSetPowerDrain(0);
        fighterSetAbsent(1);
        fighterSetEntry(1);
        fighterSetInvincible(60);
    } else if (kind != 104 && kind != 105) {
        enemyDeathFighterVoice(11, 0);
    }
}

void enemyDeathBossPhaseOne(ObjWork* work) {
    EnemyFields& e = enemy(work);
    const int32_t t = e.deathTimer;
    if (work->kind == 105) {
        if (t == 0) {
            SDL2_wheel_SoundPlaySE(kEnemyDeathBigSound, false);
            fadeInWhite(30);
            enemyDeathSparks(work, 8, 3, 7);
            enemyDeathSparks(work, 8, 2, 5);
        }
        if (t == 100) fadeOutWhite(200);
        if (t > 60) enemyDeathSparks(work, 1, 2, 5, 40);
        if (t >= 300) enemyDeathNextPhase(e, 7);
        return;
    }
    if (e.sizeClass == 3) {
        enemyDeathNextPhase(e, 2);
        return;
    }
    if (t == 0) {
        SDL2_wheel_SoundPlaySE(kEnemyDeathBigSound, false);
        fadeInWhite(30);
        slowMotionFrames = 30;
        slowMotionPeriod = 2;
        enemyDeathSparks(work, 8, 3, 7);
        enemyDeathSparks(work, 8, 2, 5);
    }
    if (t >= 40) {
        if (work->kind != 104) enemyDeathFighterVoice(11, 500);
        enemyDeathNextPhase(e, 2);
    }
}

void enemyDeathBossPhaseTwoToFour(ObjWork* work) {
    EnemyFields& e = enemy(work);
    const int32_t t = e.deathTimer;
    const bool boss = e.sizeClass == 4;
    if (e.deathPhase == 2) {
        if (t % 20 == 0) SDL2_wheel_SoundPlaySE(kEnemyDeathSound, false);
        if (t % 6 == 0) {
            if (boss) TSKquakeStart(6, 2.0f);
            for (int i = 0; i < 2; ++i) enemyDeathRounds(work, 2, 48);
        }
        if (t >= (boss ? 80 : 60)) enemyDeathNextPhase(e, 3);
    } else if (e.deathPhase == 3) {
        if (!boss) fadeInWhite(20);
        SDL2_wheel_SoundPlaySE(kEnemyDeathBigSound, false);
        enemyDeathRounds(work, 8, 48);
        enemyDeathNextPhase(e, 4);
    } else if (!boss) {
        if (t < 50 && t % 2 == 0) enemyDeathSparks(work, 1, 2, 5, 40);
        if (t >= 60) enemyDeathNextPhase(e, 5);
    } else {
        if (t >= 21 && t <= 94) enemyDeathSparks(work, 1, 2, 5, 60);
        if (t >= 21 && t <= 94 && t % 3 == 0) SDL2_wheel_SoundPlaySE(kEnemyDeathSound, false);
        if (t == 100) {
            wreckLayerValue = 300;
            enemyDeathEffect(work, kEnemyDeathWreck, 0, 0.0f, 0);
        }
        if (t == 110) {
            slowMotionFrames = 300;
            slowMotionPeriod = 4;
        }
        if (t >= 120) enemyDeathNextPhase(e, 5);
    }
}

void enemyDeathBossPhaseFiveStart(ObjWork* work) {
    EnemyFields& e = enemy(work);
    const bool boss = e.sizeClass == 4;
    if (work->kind != 105) e.motionLoops = 0;
    TSKquakeStart(60, 6.0f);
    SDL2_wheel_SoundPlaySE(kEnemyDeathBigSound, false);
    fadeInWhite(30);
    if (!boss) {
        slowMotionFrames = 120;
        slowMotionPeriod = 2;
    } else {
        enemyDeathRing(work, 21, 4.0f);
    }
    enemyDeathSparks(work, 12, 3, 7);
    enemyDeathSparks(work, 12, 2, 5);
    for (int i = 0; i < 60; ++i) enemyDeathEffect(work, kEnemyDeathBigSmoke, randRange(1024), 1.0f, 50);
    enemyDeathEffect(work, kEnemyDeathBigSpark, 0, 0.0f, 0);
    if (boss) {
        enemyDeathEffect(work, kEnemyDeathBigSpark, 0, 0.0f, 30);
        enemyDeathEffect(work, kEnemyDeathBigSpark, 0, 0.0f, 30);
    }
    if (enemyDeathIsGround(work)) enemyDropWreck(work);
}

void enemyDeathBossPhaseFive(ObjWork* work) {
    EnemyFields& e = enemy(work);
    const int32_t t = e.deathTimer;
    const bool boss = e.sizeClass == 4;
    if (t == 0) enemyDeathBossPhaseFiveStart(work);
    if (!boss) {
        enemyDeathNextPhase(e, 6);
        return;
    }
    if (e.trueLastBoss == 0 && (t == 0 || t == 25 || t == 60 || t == 70 || t == 80)) {
        SDL2_wheel_SoundPlaySE(kEnemyDeathBigSound, false);
        enemyDeathEffect(work, kEnemyDeathBigSpark, 0, 0.0f, 40);
    }
    if (t < 40 && t % 3 == 0) enemyDeathRing(work, 64, 3.0f);
    if (t >= 80) enemyDeathNextPhase(e, 6);
}

ObjTask* enemyDeathSpawn(int32_t kind, float x, float y, float speed, int32_t heading) {
    ObjTask* task = enemySpawnKind(kind, -1, x, y);
    if (task != nullptr) {
        enemy(task->work).steerSpeed = speed;
        task->work->heading = heading;
    }
    return task;
}

void enemyDeathTrueLastBossCall(ObjWork* work) {
    EnemyFields& e = enemy(work);
    const int32_t t = e.deathTimer;
    if (t == 1) fadeInWhite(30);
    if (t == 70) e.motionLoops = 0;
    if (t == 180) {
        trueRouteFlag = 1;
        if (ObjTask* warning = enemyDeathSpawn(134, 112.0f, 144.0f, 0.0f, 0)) warning->work->depth = 910.0f;
    }
    if (t == 480) enemyDeathSpawn(129, 112.0f, 144.0f, 0.0f, 0);
    if (t == 501) {
        enemyDeathSpawn(105, 112.0f, -300.0f, 0.0f, 0);
        enemyDeathNextPhase(e, 7);
        fadeInWhite(30);
        stageClearFlag = 0;
    }
}

void enemyDeathBossPhaseSix(ObjWork* work) {
    EnemyFields& e = enemy(work);
    const int32_t t = e.deathTimer;
    if (e.sizeClass == 3) {
        if (t < 120) return;
        enemyDeathNextPhase(e, 7);
        if (work->kind == 62) {
            enemyDeathSpawn(102, 112.0f, -100.0f, 4.0f, 512);
            enemyDeathSpawn(125, 112.0f, 144.0f, 0.0f, 0);
            // The stage overlay fades as the boss arrives.
            bossVisualFlag = 1;
            stage3BossFlag = 1;
            fadeInWhite(30);
        }
    } else if (e.trueLastBoss != 0) {
        enemyDeathTrueLastBossCall(work);
    } else if (work->kind == 105) {
        if (t == 1) fadeInWhite(30);
        if (t == 70) e.motionLoops = 0;
        if (t >= 180) enemyDeathNextPhase(e, 7);
    } else {
        if (t == 100) wreckLayerValue = 0;
        if (t >= 120) enemyDeathNextPhase(e, 7);
    }
}

void enemyDeathBossEnd(ObjTask* task, ObjWork* work) {
    EnemyFields& e = enemy(work);
    task->state = kObjStateEnd;
    e.deathEffectsDone = 1;
    if (e.sizeClass != 4) return;
    slowMotionFrames = 0;
    slowMotionPeriod = 2;
    if (e.trueLastBoss == 0) seqStageClear();
}

void enemyDeathBoss(ObjTask* task, ObjWork* work) {
    EnemyFields& e = enemy(work);
    if (e.deathEffectsDone != 0) return;
    e.flashTimer = 0;
    switch (e.deathPhase) {
    case 0:
        enemyDeathBossPhaseZero(work);
        break;
    case 1:
        enemyDeathBossPhaseOne(work);
        break;
    case 2:
    case 3:
    case 4:
        enemyDeathBossPhaseTwoToFour(work);
        break;
    case 5:
        enemyDeathBossPhaseFive(work);
        break;
    case 6:
        enemyDeathBossPhaseSix(work);
        break;
    default:
        enemyDeathBossEnd(task, work);
        break;
    }
    if (e.deathPhase >= 4) {
        e.sinkHeading = 512;
        e.sinkSpeed += 0.005f;
        e.sinkFall += 0.001f;
    }
}

}  // namespace

void enemyStepFormChange(ObjTask* task, ObjWork* work) {
    EnemyFields& e = enemy(work);
    if (e.sizeClass < 3) {
        task->state = kObjStateEnd;
        return;
    }
    if (e.deathPhase == 0) {
        enemyExplosionTimer = 2;
        enemyDeathNextPhase(e, 1);
        SDL2_wheel_SoundPlaySE(kEnemyDeathBigSound, false);
    } else if (e.deathPhase == 1) {
        for (int round = 0; round < 8; ++round) {
            for (int i = 0; i < 4; ++i) {
                enemyDeathEffect(work, kEnemyDeathBigSpark, randRange(1024), float(3 + randRange(7)), 32);
            }
            for (int i = 0; i < 4; ++i) {
                enemyDeathEffect(work, kEnemyDeathDebris, randRange(1024), float(3 + randRange(7)), 32);
                enemyDeathEffect(work, kEnemyDeathSmoke, randRange(1024), 1.0f, 32);
            }
        }
        for (int i = 0; i < 3; ++i) enemyDeathEffect(work, kEnemyDeathBigSmoke, randRange(1024), 1.0f, 50);
        enemyDeathNextPhase(e, 2);
    } else {
        work->lifeState = 1;
        e.deathTimer = e.deathPhase = 0;
        e.stepCount = 0;
        bossResetAttack(work);
        if (e.formIndex == 1) e.phase = 4;
        if (e.formIndex == 2) e.phase = 8;
        e.step = 0;
        return;
    }
    ++e.deathTimer;
}

void enemyStepDeath(ObjTask* task, ObjWork* work) {
    EnemyFields& e = enemy(work);
    if (e.keepMovingWhenDying != 0 && e.steerMode != 0) {
        SDL2_wheel_AngleSinCos(work->heading, &work->x, &work->y, e.steerSpeed);
    }
    if (e.sizeClass >= 3) {
        enemyDeathBoss(task, work);
    } else {
        enemyDeathSmall(task, work);
    }
    ++e.deathTimer;
}
