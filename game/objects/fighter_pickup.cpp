#include "game/objects/fighter_pickup.h"

#include <algorithm>

#include "game/core/obj_work.h"
#include "game/core/obj_work_views.h"
#include "game/core/play_state.h"
#include "game/core/sound_requests.h"
#include "game/frontend/play_scenes/stage_results.h"
#include "game/objects/bomb.h"
#include "game/objects/fighter_counters.h"
#include "game/objects/popups.h"
#include "game/objects/voice_message.h"
#include "game/records/play_selection.h"
#include "game/stages/enemies/enemy_damage.h"
#include "game/stages/rank_carriers.h"

namespace {

// Indexed by the kinds 7, 8, 9, 0, 1, 2, 3, 4.
constexpr int32_t kPickUpRows = 8;
constexpr int32_t kPickUpChangeEasy[kPickUpRows] = {45, 45, 180, 0, 0, 0, 0, 0};
constexpr int32_t kPickUpChangeHard[kPickUpRows] = {30, 30, 120, 0, 0, 0, 0, 0};
constexpr int32_t kPickUpBomb[4][kPickUpRows] = {{0, 0, 0, 0, 80, 80, 80, 80},
                                                 {0, 0, 0, 0, 40, 80, 80, 80},
                                                 {0, 0, 0, 0, 10, 20, 20, 20},
                                                 {0, 0, 0, 0, 5, 10, 10, 10}};
// Added to the bomb progress by rank level in ORIGINAL and EXPERT.
constexpr int32_t kPickUpBombByLevel[4][4] = {{0, 0, 0, 0}, {0, 0, 0, 0}, {10, 10, 10, 10}, {5, 5, 5, 5}};
constexpr int32_t kPickUpSecondChange[kPickUpRows] = {0, 30, 90, 0, 0, 0, 0, 0};
constexpr int32_t kPickUpBonusEasy[kPickUpRows] = {0, 0, 0, 3, 3, 3, 3, 3};
constexpr int32_t kPickUpBonusHard[kPickUpRows] = {0, 0, 0, 1, 1, 1, 1, 1};

constexpr uint64_t kPickUpMedalWorth[5] = {100, 100, 300, 1000, 5000};
constexpr int32_t kPickUpMedalSe[5] = {44, 44, 44, 43, 43};
constexpr int32_t kPickUpMedalCounter[5] = {0, 0, 1, 2, 3};
constexpr uint64_t kPickUpLifeWorth = 10000;
constexpr int32_t kPickUpInvulnerable = 120;

int32_t pickUpRow(int32_t kind) { return kind >= 7 ? kind - 7 : kind + 3; }

void pickUpRaiseCarrier(int32_t& counter, int32_t amount, void (*arm)()) {
    if (amount == 0) return;
    counter += amount;
    if (counter >= kItemCarrierFull) arm();
}

// Medals and power tips: bonus counter and carrier progress.
void pickUpProgress(int32_t kind) {
    const int32_t row = pickUpRow(kind);
    const int32_t mode = std::clamp(gameMode, 0, 3);
    const bool easy = mode <= 1;
    fighterSetBonusCounter(fighterGetBonusCounter() + (easy ? kPickUpBonusEasy : kPickUpBonusHard)[row]);
    int32_t change = (easy ? kPickUpChangeEasy : kPickUpChangeHard)[row];
    if (!fighterIsBombActive()) change += kPickUpSecondChange[row];
    pickUpRaiseCarrier(itemCarrierChangeTimer, change, itemCarrierArmA);
    const int32_t bomb = kPickUpBomb[mode][row] + kPickUpBombByLevel[mode][std::clamp(enemyRankLevel(), 0, 3)];
    pickUpRaiseCarrier(itemCarrierBombTimer, bomb, itemCarrierArmB);
}

void pickUpScore(ObjWork* item, uint64_t worth) {
    const uint64_t value = gameMode == 0 ? worth : worth + uint64_t(std::max(fighterGetBonusCounter(), 0));
    TSKspltScoreCreate(0, item->x, item->y, 0, value);
    fighterAddScore(fighterPickUpScore(value, enemyScoreRate()));
}

void pickUpChange(ObjWork* item) {
    const int32_t type = std::clamp(item->family.item.shownType, 0, 3);
    if (fighterGetGauge(type) >= kFighterGaugeFull) {
        SDL2_wheel_SoundPlaySE(46, false);
        if (stageClearFlag != 0) return;
        fighterSetType(type);
        charVoiceMessage(type, 1);
        TSKspltCreate(2, 0, 0, 0, item->x, item->y);
    } else {
        SDL2_wheel_SoundPlaySE(47, false);
        fighterAddGauge(type, kFighterGaugeFull, 1);
        TSKspltCreate(3, 0, 0, 0, item->x, item->y);
    }
    fighterSetInvincible(kPickUpInvulnerable);
}

}  // namespace

uint64_t fighterPickUpScore(uint64_t value, int32_t rate) { return value * uint64_t(std::max(rate, 0)) / 10 / 10 * 10; }

bool fighterPickUpApplies(const ObjWork* item) {
    if (item->family.item.delay > 0 || !fighterAnyReady() || fighterGetFireLock() > 0) return false;
    const int32_t kind = item->kind;
    if (stageClearFlag != 0 && (kind == 5 || kind == 6 || kind >= 11)) return false;
    if (stageResultActive != 0 && (kind == 5 || kind >= 12)) return false;
    if ((kind == 6 || kind == 11) && fighterGetWeaponsOn() == 0) return false;
    return kind >= 0 && kind <= 13;
}

void fighterPickUp(ObjWork* item) {
    ObjWork* work = fighterGetWork();
    if (work == nullptr) return;
    FighterFields& f = fighter(work);
    const int32_t kind = item->kind;
    if (kind <= 4) {
        SDL2_wheel_SoundPlaySE(kPickUpMedalSe[kind], false);
        ++f.medals[kPickUpMedalCounter[kind]];
        pickUpProgress(kind);
        pickUpScore(item, kPickUpMedalWorth[kind]);
    } else if (kind == 5) {
        fighterStartBomb(work, 0);
        TSKspltCreate(0, 0, 0, 0, item->x, item->y);
        charVoiceMessage(fighterGetType(), 5);
        SDL2_wheel_SoundPlaySE(50, false);
    } else if (kind == 6) {
        if (fighterGetLives() < kFighterLifeMax) {
            fighterSetLives(fighterGetLives() + 1);
            SDL2_wheel_SoundPlaySE(0, false);
        }
        pickUpScore(item, kPickUpLifeWorth);
    } else if (kind <= 9) {
        SDL2_wheel_SoundPlaySE(45, false);
        pickUpProgress(kind);
    } else if (kind == 10) {
        pickUpChange(item);
    } else if (kind == 11) {
        ++f.secretItems;
        SDL2_wheel_SoundPlaySE(49, false);
        TSKspltCreate(4, 0, 0, 0, item->x, item->y);
        fighterSetInvincible(kPickUpInvulnerable);
    } else {
        SDL2_wheel_SoundPlaySE(48, false);
        fighterAddRank(2);
        TSKspltCreate(5, 0, 0, 0, item->x, item->y);
        charVoiceMessage(fighterGetType(), 15);
    }
}
