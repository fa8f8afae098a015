// The fighter's weapon mode, power-up, blow, speed, movement and hit box.
#include <algorithm>
#include <cmath>

#include "game/core/game_main.h"
#include "game/core/game_random.h"
#include "game/core/obj_work.h"
#include "game/core/play_state.h"
#include "game/core/sound_requests.h"
#include "game/core/wheel_angle.h"
#include "game/objects/effects.h"
#include "game/objects/fighter.h"
#include "game/objects/fighter_counters.h"
#include "game/objects/fighter_hit.h"
#include "game/objects/fighter_steps.h"
#include "game/objects/voice_message.h"
#include "game/records/play_selection.h"
#include "game/stages/stage_field.h"

namespace {

constexpr uint32_t kFighterButton1 = 0x10, kFighterButton2 = 0x20, kFighterButton3 = 0x40, kFighterButton4 = 0x80;
constexpr int32_t kFighterPowerUpEnergy = 2500;
constexpr float kFighterSpeedStep = 0.4f;

void fighterPowerUpStart(ObjWork* work) {
    FighterFields& f = fighter(work);
    f.fullStart = f.energy == kFighterEnergyMax;
    f.powerUp = 1;
    f.powerStart = 60;
    f.invulnerable = std::max(f.invulnerable, gameSystem == 3 ? 240 : 180);
    f.doubleDrain = 0;
    layerTintTimer = 120;
    charVoiceMessage(f.type, 6);
    SDL2_wheel_SoundPlaySE(38, false);
    slowMotionFrames = 30;
    slowMotionPeriod = 2;
    for (int32_t angle = 0; angle < 1024; angle += 32) {
        TSKeffectCreate(98, angle, 2.0f + float(randRange(3)), 0, 0, ObjRef{}, work->x, work->y);
    }
    if (stageNumber != 0) TSKeffectCreate(f.type, 0, 0.0f, 0, 0, ObjRef{}, work->x, work->y);
}

// The power-up's end, early or with the energy run out.
void fighterPowerUpEnd(ObjWork* work) {
    FighterFields& f = fighter(work);
    f.powerUp = 0;
    f.bonusCounter = fighterBonusCut(f.bonusCounter);
    f.combo = 0;
    fighterBurstEffect(work);
}

void fighterButtonStep(FighterFields& f, uint32_t held) {
    if ((held & kFighterButton1) != 0) {
        ++f.fireHold;
        if ((held & kFighterButton3) != 0 || f.fireHold >= kFighterHoldForLaser) {
            f.fireHold = kFighterHoldForLaser;
            f.weaponMode = 1;
            f.fireCount = kFighterBurstFrames;
        } else if (f.fireCount > 0) {
            f.fireCount = kFighterBurstFrames;
        }
        f.fireHeld = 1;
        return;
    }
    if (f.fireHeld) f.fireCount = kFighterBurstFrames;
    if (f.weaponMode == 1) f.fireCount = 0;
    f.fireHold = f.weaponMode = f.fireHeld = 0;
}

void fighterBlowStart(FighterFields& f) {
    f.blowDisplay = gameSystem == 3 ? 22 : 15;
    f.blowCooldown = 300;
    SDL2_wheel_SoundPlaySE(39, false);
    charVoiceMessage(f.type, 7);
}

// Toward the home point at the current speed, onto it when near.
void fighterEntryFlight(ObjWork* work) {
    const FighterFields& f = fighter(work);
    const float dx = f.home.x - work->x, dy = f.home.y - work->y;
    if (SDL2_wheel_Distance(work->x, work->y, f.home.x, f.home.y) <= 8.0f) {
        work->x = f.home.x;
        work->y = f.home.y;
        return;
    }
    const float length = std::sqrt(dx * dx + dy * dy);
    work->vx = dx / length * work->speed;
    work->vy = dy / length * work->speed;
}

int32_t fighterDrain(const FighterFields& f) {
    int32_t drain = f.fireCount > 0 || f.type == 3 ? 14 : 10;
    if (f.fullStart) drain = drain * 80 / 100;
    if (autoGameSystem == 1) drain = f.doubleDrain ? drain * 2 : drain * 150 / 100;
    return drain;
}

void fighterPowerDisplayStep(ObjWork* work) {
    FighterFields& f = fighter(work);
    switch (f.powerDisplay) {
    case 0:
        f.powerFrame = 0;
        f.displayedEnergy = 0;
        f.powerDisplay = 1;
        break;
    case 1:
        f.powerAlpha = std::min(f.powerAlpha + 0.2f, 1.0f);
        f.powerScale0 = std::min(f.powerScale0 + 0.1f, 0.5f);
        f.powerScale1 = std::min(f.powerScale1 + 0.1f, 0.5f);
        f.powerFrame += 4;
        if (f.powerFrame > 28 || f.autoBomb) f.powerDisplay = 2;
        break;
    case 2:
        f.displayedEnergy = f.autoBomb ? f.energy : std::min(f.displayedEnergy + 150, f.energy);
        if (!f.autoBomb) TSKeffectCreate(60, 0, 0.0f, f.type, 0, ObjRef{}, work->x, work->y);
        if (f.displayedEnergy >= f.energy) f.powerDisplay = 3;
        break;
    default:
        if (!f.running) break;
        f.energy -= fighterDrain(f);
        f.displayedEnergy = f.energy;
        if (f.energy < 0) {
            f.energy = 0;
            fighterPowerUpEnd(work);
        }
    }
}

}  // namespace

int32_t fighterBonusCut(int32_t counter) {
    if (fighterScoreAttack()) {
        if (counter > 7500) return 5000;
        if (counter >= 750) return std::max(counter * 66 / 100, 749);
        if (counter >= 500) return 499;
        return counter;
    }
    return counter * (gameMode == 3 ? 50 : 75) / 100;
}

void fighterWeaponStep(ObjWork* work) {
    FighterFields& f = fighter(work);
    const FighterInput& input = fighterInput();
    if (f.weaponsOn == 1 && f.weaponChangeTimer == 0 && f.fireLock == 0) {
        fighterButtonStep(f, input.held);
        if ((input.pressed & kFighterButton4) != 0 && f.blowCooldown == 0 && !f.blowOff) fighterBlowStart(f);
        if ((input.pressed & kFighterButton2) != 0 && f.fireLock < 1) {
            if (f.energy >= kFighterPowerUpEnergy && !f.powerUp && f.powerLock == 0) {
                fighterPowerUpStart(work);
            } else if (f.powerUp && f.powerStart == 0) {
                f.energy = std::max(f.energy - 5000, 0);
                SDL2_wheel_SoundPlaySE(35, false);
                fighterPowerUpEnd(work);
            }
        }
        if ((input.held & kFighterButton3) != 0) f.fireCount = 2;
    } else {
        f.fireHold = f.weaponMode = f.fireCount = f.fireFrame = f.fireHeld = 0;
    }
    if (--f.fireCount < 0) {
        f.fireCount = 0;
        f.fireFrame = 0;
    } else {
        ++f.fireFrame;
    }
    const float target = float(kFighterTargetSpeed[size_t(f.type & 3)][size_t(f.weaponMode & 1)]) / 10.0f;
    if (f.fireLock < 1) {
        work->speed = work->speed < target ? std::min(work->speed + kFighterSpeedStep, target)
                                           : std::max(work->speed - kFighterSpeedStep, target);
    } else {
        work->speed = 0.5f;
    }
}

void fighterMoveStep(ObjWork* work, uint32_t direction) {
    FighterFields& f = fighter(work);
    f.lastDirection = int32_t(direction & 0x0F);
    work->vx = work->vy = 0.0f;
    const int32_t heading = kFighterDirectionHeading[size_t(direction & 0x0F)];
    if (heading < 0 || !f.control) {
        if (f.entry) fighterEntryFlight(work);
    } else {
        f.moveHeading = heading;
        work->heading = heading;
        SDL2_wheel_AngleSinCos(heading, &work->vx, &work->vy, work->speed);
    }
    work->x = std::clamp(work->x + work->vx, kFighterMinX, kFighterMaxX);
    work->y = std::clamp(work->y + work->vy, kFighterMinY, kFighterMaxY);
}

void fighterPowerStep(ObjWork* work) {
    FighterFields& f = fighter(work);
    if (f.powerUp) {
        fighterPowerDisplayStep(work);
        if (f.powerFade) {
            f.powerAlpha = std::max(f.powerAlpha - 0.05f, 0.3f);
            f.powerScale0 = std::min(f.powerScale0 + 0.05f, 1.0f);
        }
        fighterSetShieldTimer(2);
        return;
    }
    f.powerAlpha = std::max(f.powerAlpha - 0.03f, 0.0f);
    f.powerScale0 = std::max(f.powerScale0 - 0.03f, 0.0f);
    f.powerScale1 = std::max(f.powerScale1 - 0.03f, 0.0f);
    f.fullStart = f.doubleDrain = f.powerDisplay = f.lowEnergy = 0;
}

void fighterHitBoxStep(ObjWork* work) {
    const FighterFields& f = fighter(work);
    if (f.hitBoxOff || work->hitsOff) {
        work->hitBoxes = nullptr;
        work->hitBoxCount = 0;
        return;
    }
    const bool fine = gameMode == 3 || fighterScoreAttack();
    int32_t box = fine ? kHitBoxTiny : kHitBoxNormal;
    if (work->animFrame == 0 || work->animFrame == kFighterBankFrames - 1) box = fine ? kHitBoxTiny : kHitBoxTall;
    if (f.invulnerable > 10) box = kHitBoxLarge;
    work->hitBoxes = &fighterHitBoxTable[size_t(box)];
    work->hitBoxCount = 1;
}

void fighterDecayStep(ObjWork* work) {
    FighterFields& f = fighter(work);
    if (!f.running) return;
    const bool boss = bossPresentFlag == 2;
    int32_t period = gameMode <= 1 ? 60 : gameMode == 2 ? 15 : 10;
    if (boss) period = gameMode <= 1 ? 120 : gameMode == 2 ? 60 : 30;
    if (!f.powerUp && f.frameCount % period == 0) f.bonusCounter = std::max(f.bonusCounter - 1, 0);
    if (!boss) return;
    static constexpr int32_t kScoreAttackQ[5] = {10, 9, 9, 8, 7};
    static constexpr int32_t kStoryQ[5][4] = {{5, 4, 10, 7}, {4, 4, 9, 7}, {4, 4, 9, 6}, {3, 3, 8, 6}, {3, 3, 7, 5}};
    int32_t q = 5;
    if (stageNumber >= 1 && stageNumber <= 5) {
        q = fighterScoreAttack() ? kScoreAttackQ[stageNumber - 1] : kStoryQ[stageNumber - 1][std::clamp(gameMode, 0, 3)];
    }
    if (f.frameCount % q == 0) f.destruction = std::max(f.destruction - 1, 0);
}
