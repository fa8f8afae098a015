// The fighter's running frame.
#include <algorithm>
#include <cmath>

#include "game/core/app_switches.h"
#include "game/core/game_main.h"
#include "game/core/game_sequence.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/play_state.h"
#include "game/core/replay_files.h"
#include "game/core/sound_requests.h"
#include "game/core/wheel_angle.h"
#include "game/frontend/play_scenes/stage_results.h"
#include "game/objects/effects.h"
#include "game/objects/fighter.h"
#include "game/objects/fighter_counters.h"
#include "game/objects/fighter_hit.h"
#include "game/objects/fighter_steps.h"
#include "game/objects/voice_message.h"
#include "game/records/play_selection.h"
#include "game/stages/enemies/enemy_damage.h"
#include "game/stages/enemies/eshot_cancel.h"
#include "game/stages/stage_field.h"

namespace {

constexpr int32_t kFighterEntryShowFrames = 20;

// The gauges' refill a frame and the level that counts as nearly full.
struct FighterGaugeRefill {
    int32_t perFrame;
    int32_t nearlyFull;
};

FighterGaugeRefill fighterRefillRule() {
    const bool boss = bossPresentFlag == 2;
    FighterGaugeRefill rule{20, 90000};
    if (!fighterScoreAttack() && gameMode == 2) rule = {boss ? 20 : 16, 84000};
    if (!fighterScoreAttack() && gameMode == 3) rule = {boss ? 10 : 8, 95000};
    if (gameSystem == 3) rule.perFrame += 10;
    return rule;
}

// Fire lock, second lock and shield; false when no fighter of the team is
// ready, which ends the frame.
bool fighterTimerStep(ObjTask* task, ObjWork* work) {
    FighterFields& f = fighter(work);
    f.fireLock = std::max(f.fireLock - 1, 0);
    if (fighterAnyReady()) {
        if (f.fireLock == kFighterEntryShowFrames) {
            f.weaponChangeTimer = 10;
            f.absent = 0;
        }
        if (f.fireLock == 1) {
            charVoiceMessage(f.type, fighterCountReady() == 1 ? 2 : 1);
            TSKeffectCreate(137 + f.type, 0, 0.0f, 0, 0, ObjRef{}, 112.0f, 144.0f);
        }
    }
    f.powerLock = std::max(f.powerLock - 1, 0);
    if (f.shieldTimer > 0) {
        --f.shieldTimer;
        fighterSetShieldLevel(std::min(f.shieldTimer, 100));
    }
    if (fighterAnyReady()) return true;
    work->hitBoxes = nullptr;
    work->hitBoxCount = 0;
    if (f.fireLock > 0) return false;
    f.absent = 1;
    task->state = kFighterStateWaiting;
    seqContinue();
    return false;
}

void fighterBombStep(ObjWork* work) {
    FighterFields& f = fighter(work);
    if (!f.bombActive) return;
    layerTintTimer = 10;
    if (f.autoBomb) {
        f.bombTime -= 500;
        f.invulnerable = std::max(f.invulnerable, gameMode == 0 ? 120 : 10);
        eshotCancelRequest(1, -1, nullptr, 0, 1);
    } else {
        f.bombTime -= 120;
        f.invulnerable = std::max(f.invulnerable, 120);
        eshotCancelRequest(1, f.powerUp ? enemyScoreLevel() : 7, nullptr, 0, 1);
    }
    if (f.bombTime < 0) {
        f.bombTime = 0;
        f.bombActive = 0;
    }
}

void fighterFlashStep(ObjWork* work) {
    FighterFields& f = fighter(work);
    f.invulnerable = std::max(f.invulnerable - 1, 0);
    if (f.powerStart > 0) {
        --f.powerStart;
        const float speed = f.fullStart ? 1.0f : 3.0f;
        for (int32_t angle = 0; angle < 1024; angle += 64) {
            TSKeffectCreate(60, angle, speed, f.type, 0, ObjRef{}, work->x, work->y);
        }
    }
    if (f.powerUp && f.energy < 300 && f.running && !f.lowEnergy) {
        f.lowEnergy = 1;
        SDL2_wheel_SoundPlaySE(35, false);
    }
    int32_t* flashes[2] = {&f.powerFlash, &f.energyFullFlash};
    const int32_t kinds[2] = {58, 62};
    for (int i = 0; i < 2; ++i) {
        if (*flashes[i] <= 0) continue;
        for (int32_t angle = 0; angle < 1024; angle += 256) {
            TSKeffectCreate(kinds[i], angle, 1.0f, 0, 0, ObjRef{}, work->x, work->y + 26.0f);
        }
        --*flashes[i];
    }
}

void fighterBlowStep(ObjWork* work) {
    FighterFields& f = fighter(work);
    f.blowDisplay = std::max(f.blowDisplay - 1, 0);
    if (!f.blowOff && f.blowCooldown > 0) TSKeffectCreate(124, 0, 0.0f, 0, 0, ObjRef{}, work->x, work->y);
    if (f.blowCooldown > 0 && --f.blowCooldown == 10) SDL2_wheel_SoundPlaySE(40, false);
}

}  // namespace

bool fighterScoreAttack() { return seqIsScoreAttack(); }

void fighterGaugeRefill(FighterFields& f) {
    const FighterGaugeRefill rule = fighterRefillRule();
    for (int32_t type = 0; type < kFighterTypes; ++type) {
        const int32_t before = f.teamGauges[type];
        f.teamGauges[type] = std::min(before + rule.perFrame, kFighterGaugeFull);
        if (before <= rule.nearlyFull && f.teamGauges[type] > rule.nearlyFull) charVoiceMessage(type, 9);
        if (before < kFighterGaugeFull && f.teamGauges[type] == kFighterGaugeFull) {
            SDL2_wheel_SoundPlaySE(41, false);
            charVoiceMessage(type, 8);
        }
    }
}

void TSKfighterUpdate(ObjTask* task) {
    ObjWork* work = task->work;
    if (!work) return;
    FighterFields& f = fighter(work);
    if (!fighterTimerStep(task, work)) return;
    if (f.running) fighterGaugeRefill(f);
    f.weaponChangeTimer = std::max(f.weaponChangeTimer - 1, 0);
    fighterWeaponStep(work);
    fighterMoveStep(work, fighterInput().direction);
    fighterPowerStep(work);
    fighterHitBoxStep(work);
    fighterBombStep(work);
    fighterFlashStep(work);
    fighterBlowStep(work);
    fighterDecayStep(work);
    std::copy_backward(std::begin(f.history), std::end(f.history) - 1, std::end(f.history));
    f.history[0] = {work->x, work->y};
    if (stageResultActive != 0) {
        f.weaponsOn = 0;
        return;
    }
    if (stageNumber == 2 && stageFrame > 7400 && (f.frameCount & 1) == 0) {
        TSKeffectCreate(122, 512, 6.0f, 0, 0, ObjRef{}, work->x - 10.0f, work->y + 40.0f);
        TSKeffectCreate(122, 512, 6.0f, 0, 0, ObjRef{}, work->x + 10.0f, work->y + 40.0f);
    }
    if (arcadeMode && replayIoMode == 1) fighterGiveUpHold(work);
    ++f.frameCount;
}
