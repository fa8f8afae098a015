#include "game/core/game_state_hash.h"

#include "game/core/game_main.h"
#include "game/core/game_random.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/play_state.h"
#include "game/core/replay_files.h"
#include "game/objects/fighter_values.h"
#include "game/objects/shot_timers_provisional.h"
#include "game/records/play_selection.h"
#include "game/records/settings_file.h"
#include "game/stages/eshot_cancel_provisional.h"
#include "game/stages/stage_services.h"
#include "game/stages/enemies/enemy_words.h"
#include "game/stages/stage_words_provisional.h"

namespace {

constexpr uint32_t kFreeCancelSlot = 0xFFFFFFFFu;

// FNV-1a over 64 bits.
class StateHasher {
public:
    void bytes(const uint8_t* data, size_t size) {
        for (size_t i = 0; i < size; ++i) value = (value ^ data[i]) * 0x100000001B3ull;
    }
    void word(uint32_t w) {
        const uint8_t le[4] = {uint8_t(w), uint8_t(w >> 8), uint8_t(w >> 16), uint8_t(w >> 24)};
        bytes(le, sizeof le);
    }
    void words(std::initializer_list<int32_t> list) {
        for (int32_t w : list) word(uint32_t(w));
    }
    uint64_t value = 0xCBF29CE484222325ull;
};

constexpr int kControlGroup = 0;
constexpr int kSceneGroup = 13;

void hashTask(StateHasher& hasher, const ObjTask* task) {
    hasher.word(task->tag);
    hasher.word(uint32_t(task->state));
    hasher.word(uint32_t(task->aux));
    for (int32_t word : task->actWords) hasher.word(uint32_t(word));
    if (task->work == nullptr) return;
    ReplayWorkImage image{};
    replayWorkStore(*task->work, image);
    hasher.bytes(image.data(), image.size());
    hasher.word(uint32_t(task->work->lifeState));
}

// Serials count on through the run, so a cancel's owner counts only as
// none, someone or free.
void hashCancelQueue(StateHasher& hasher) {
    for (const EshotCancelSlot& slot : eshotCancelQueue.slots) {
        const int32_t owner = slot.ownerSerial == kFreeCancelSlot ? -1 : slot.ownerSerial == 0 ? 0 : 1;
        hasher.words({owner, slot.level, slot.closeFlag, slot.secondFlag, slot.done});
    }
    hasher.words({eshotCancelQueue.countdown, eshotCancelQueue.cancelledCount});
}

void hashFighter(StateHasher& hasher) {
    const FighterWork* f = fighterWork();
    if (f == nullptr) return;
    hasher.words({int32_t(f->score), int32_t(f->score >> 32), f->type, f->creditCounter, f->entryWord, f->noContinue,
                  f->control, f->control2, f->hold, f->lives, f->stock, f->rank, f->bonusCounter, f->energy,
                  f->powerUp, f->destruction});
}

void hashWide(StateHasher& hasher, uint64_t value) { hasher.words({int32_t(value), int32_t(value >> 32)}); }

void hashEnemyWords(StateHasher& hasher) {
    hasher.words({trueRouteFlag, wreckLayerValue, stage3BossFlag, enemyBossDamageCounter, enemyShotSoundCooldown});
    for (uint64_t total : {enemyHitCounters[0], enemyHitCounters[1], enemyRawScoreTotal, enemyPaidScoreTotal,
                           enemyFormBonusTotal, enemyDestructionBonusTotal}) {
        hashWide(hasher, total);
    }
    hasher.words({enemyTargetGauge.lifeMax, enemyTargetGauge.showTimer, enemyTargetGauge.life});
    for (int32_t hp : enemyTargetGauge.formHpMax) hasher.word(uint32_t(hp));
}

}  // namespace

uint64_t gameStateHash() {
    StateHasher hasher;
    hasher.word(gameRandState());
    hasher.words({stageNumber, int32_t(replayInputIndex), stageFrame, slowMotionFrames, slowMotionPeriod,
                  slowMotionPeriodInUse, itemCarrierChangeTimer, itemCarrierBombTimer, enemyExplosionTimer,
                  layerTintTimer, eshotConvertCountdown, scorePopupTimer, bossPresentFlag, stageClearFlag,
                  stageProgress});
    hasher.words({gameMode, selectedLeaderType, autoGameSystem, dramaticMode});
    hashEnemyWords(hasher);
    hasher.bytes(reinterpret_cast<const uint8_t*>(&settingsSnapshot), sizeof settingsSnapshot);
    hashFighter(hasher);
    hashCancelQueue(hasher);
    for (int group = 0; group < kObjTaskGroups; ++group) {
        // The sequence makes the scenes and effects of groups 0 and 13 in its
        // own order, which a watched replay's differs from: their tasks count
        // in any order.
        const bool anyOrder = group == kControlGroup || group == kSceneGroup;
        uint64_t unordered = 0;
        const ObjTaskGroup& list = OBJtaskGroup(group);
        for (const ObjTask* task = list.head.next; task != &list.tail; task = task->next) {
            if (task->tag == objTag("GCTR")) continue;
            if (!anyOrder) {
                hashTask(hasher, task);
                continue;
            }
            StateHasher one;
            hashTask(one, task);
            unordered += one.value;
        }
        hasher.words({int32_t(unordered), int32_t(unordered >> 32)});
    }
    return hasher.value;
}
