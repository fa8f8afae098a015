#include "game/objects/fighter_hit.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "game/core/collision.h"
#include "game/core/game_main.h"
#include "game/core/game_random.h"
#include "game/core/input_words.h"
#include "game/core/obj_ref.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/obj_work_views.h"
#include "game/core/play_state.h"
#include "game/core/screen_effects.h"
#include "game/core/sound_requests.h"
#include "game/frontend/play_scenes/stage_results.h"
#include "game/objects/bomb.h"
#include "game/objects/effects.h"
#include "game/objects/fighter.h"
#include "game/objects/fighter_counters.h"
#include "game/objects/fighter_steps.h"
#include "game/objects/voice_message.h"
#include "game/records/play_selection.h"
#include "game/stages/enemies/eshot_cancel.h"
#include "game/stages/stage_field.h"

namespace {

constexpr uint32_t kGiveUpButtons = 0x10 | 0x20 | 0x40 | 0x8000;
constexpr int32_t kGiveUpFrames = 300;
constexpr int32_t kMissLastCountdown = 180;

float fighterHitSin(int32_t angle) { return float(std::sin(double(angle) * 2.0 * std::numbers::pi / 1024.0)); }
float fighterHitCos(int32_t angle) { return float(std::cos(double(angle) * 2.0 * std::numbers::pi / 1024.0)); }

// Ground enemies and the item carriers never hurt the fighter.
bool fighterHitHarmless(const ObjTask* other) {
    if (other->group != kGroupEnemies) return false;
    return other->work->ground != 0 || (other->work->kind >= 57 && other->work->kind <= 59);
}

void fighterRedFade() { TSKfadeStart(120, 110, 224, 0, 0, 0.5f); }

int32_t fighterMissDestructionKeep() {
    if (fighterScoreAttack()) return 90;
    if (gameMode == 2) return 85;
    return gameMode == 3 ? 80 : 90;
}

void fighterEmergencyPowerUp(ObjWork* work) {
    FighterFields& f = fighter(work);
    f.powerUp = 1;
    f.fullStart = 1;
    f.doubleDrain = 1;
    f.rank = std::max(f.rank - (fighterScoreAttack() ? 3 : 2), 0);
    f.powerStart = 60;
    f.invulnerable = std::max(f.invulnerable, gameSystem == 3 ? 240 : 180);
    layerTintTimer = 120;
    charVoiceMessageSpeaker4(2);
    SDL2_wheel_SoundPlaySE(38, false);
    slowMotionFrames = 30;
    slowMotionPeriod = 2;
    for (int32_t angle = 0; angle < 1024; angle += 32) {
        TSKeffectCreate(98, angle, 2.0f + float(randRange(3)), 0, 0, ObjRef{},
                        work->x + 150.0f * fighterHitSin(angle), work->y - 150.0f * fighterHitCos(angle));
    }
}

void fighterAutoBomb(ObjWork* work) {
    FighterFields& f = fighter(work);
    const bool powered = f.powerUp != 0;
    fighterStartBomb(work, 1);
    f.powerLock = 10;
    f.bonusCounter = fighterScoreAttack() ? f.bonusCounter * 50 / 100 : 0;
    f.destruction = f.destruction * modeKeepPercent() / 100;
    if (powered) f.rank = std::max(f.rank - (fighterScoreAttack() ? 3 : 1), 0);
    f.energy = 0;
    charVoiceMessage(f.type, 4);
    SDL2_wheel_SoundPlaySE(51, false);
}

void fighterLose(ObjWork* work) {
    fighterDestroyed(work);
    if (fighterAnyReady()) {
        fighterMiss(work);
    } else {
        fighterMissLast(work);
    }
}

}  // namespace

void TSKfighterHit(ObjTask*, ObjWork* work) {
    const ObjTask* other = objRefTask(work->lastCollider);
    if (other == nullptr || other->work == nullptr || other->group == kGroupItems) return;
    if (fighterHitHarmless(other)) return;
    const FighterFields& f = fighter(work);
    if (f.invulnerable > 0 || stageResultActive != 0) return;
    if (f.powerUp == 0 && f.energy >= kFighterEnergyMax && autoGameSystem == 1) {
        fighterEmergencyPowerUp(work);
    } else if (f.powerUp == 0 && f.energy < kFighterEnergyMax) {
        fighterLose(work);
    } else {
        fighterAutoBomb(work);
    }
}

void fighterBurstEffect(ObjWork* work) {
    for (int32_t i = 0; i < 64; ++i) {
        const int32_t angle = i * 16;
        TSKeffectCreate(56, angle, 0.0f, 0, 0, ObjRef{}, work->x + 20.0f * fighterHitSin(angle),
                        work->y - 20.0f * fighterHitCos(angle));
    }
}

void fighterDestroyed(ObjWork* work) {
    FighterFields& f = fighter(work);
    TSKeffectCreate(133 + f.type, 0, 0.0f, 0, 0, ObjRef{}, work->x, work->y);
    charVoiceMessage(f.type, 3);
    f.teamGauges[std::clamp(f.type, 0, 3)] = 0;
    for (int32_t step = 1; step <= 3; ++step) {
        const int32_t next = (f.type + step) % 4;
        if (f.teamGauges[next] >= kFighterGaugeFull) {
            fighterSetType(next);
            break;
        }
    }
    SDL2_wheel_SoundPlaySE(42, false);
    TSKquakeStart(60, 60.0f);
    for (int32_t i = 0; i < 64; ++i) {
        const int32_t heading = randRange(1024);
        TSKeffectCreate(96, heading, 3.0f + float(randRange(8)), 0, 0, ObjRef{}, work->x, work->y);
    }
}

void fighterMiss(ObjWork* work) {
    FighterFields& f = fighter(work);
    const bool novice = gameMode == 0;
    eshotCancelRequest(novice ? 360 : 300, -1, nullptr, 0, 0);
    f.invulnerable = std::max(f.invulnerable, novice ? 300 : 240);
    TSKquakeStart(20, 80.0f);
    fighterRedFade();
    f.fireLock = 120;
    f.absent = 1;
    const int32_t rankLoss = !fighterScoreAttack() ? 2 : bossPresentFlag == 2 ? 3 : 5;
    f.rank = std::max(f.rank - rankLoss, 0);
    ++f.misses;
    f.stageNoMiss = 0;
    f.bonusCounter = fighterScoreAttack() ? f.bonusCounter * 50 / 100 : 0;
    f.destruction = f.destruction * fighterMissDestructionKeep() / 100;
    if (f.powerUp == 0) {
        fighterAddEnergy(5000, 0);
    } else {
        f.energy = 0;
        f.powerUp = f.fullStart = f.doubleDrain = 0;
    }
    f.stock = 0;
    fighterSetShieldTimer(1);
}

void fighterMissLast(ObjWork* work) {
    FighterFields& f = fighter(work);
    EshotCancelQueue& queue = eshotCancelQueue;
    for (EshotCancelSlot& slot : queue.slots) {
        if (slot.ownerSerial != 0xFFFFFFFFu) continue;
        slot = {0, -1, 0, 0, 0};
        break;
    }
    queue.countdown = std::max(queue.countdown, kMissLastCountdown);
    TSKquakeStart(20, 40.0f);
    fighterRedFade();
    f.fireLock = 180;
    f.energy = 0;
    f.bombTime = f.bombActive = f.autoBomb = 0;
    f.powerUp = 0;
    fighterSetShieldLevel(100);
}

void fighterGiveUpHold(ObjWork* work) {
    FighterFields& f = fighter(work);
    if (f.giveUpDone != 0) return;
    const bool held = (padHeld & kGiveUpButtons) == kGiveUpButtons && stageNumber >= 1 && f.frameCount > 60 &&
                      f.weaponsOn != 0 && stageResultActive == 0;
    if (!held) {
        f.giveUpHoldCount = 0;
        return;
    }
    if (++f.giveUpHoldCount < kGiveUpFrames) return;
    f.giveUpHoldCount = kGiveUpFrames;
    f.giveUpDone = 1;
    fighterDestroyed(work);
    std::fill(std::begin(f.teamGauges), std::end(f.teamGauges), 0);
    fighterLose(work);
}
