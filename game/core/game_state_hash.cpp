#include "game/core/game_state_hash.h"

#include <array>
#include <span>

#include "game/bosses/boss_flags.h"
#include "game/bosses/st05boss2.h"
#include "game/bosses/tutorial.h"
#include "game/core/game_main.h"
#include "game/core/collision.h"
#include "game/core/game_random.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/play_state.h"
#include "game/core/replay_files.h"
#include "game/frontend/play_scenes/stage_results.h"
#include "game/objects/bomb.h"
#include "game/objects/fighter_counters.h"
#include "game/objects/fighter_hit.h"
#include "game/objects/fshot.h"
#include "game/objects/item.h"
#include "game/objects/popups.h"
#include "game/objects/eshot.h"
#include "game/objects/voice_message.h"
#include "game/records/play_selection.h"
#include "game/records/settings_file.h"
#include "game/stages/enemies/boss_library.h"
#include "game/stages/enemies/enemy_sound_gate.h"
#include "game/stages/enemies/enemy_words.h"
#include "game/stages/enemies/eshot_cancel.h"
#include "game/stages/enemies/item_carrier.h"
#include "game/stages/field_layers.h"
#include "game/stages/rank_carriers.h"
#include "game/stages/stage_field.h"
#include "game/stages/stage_services.h"

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

// A reference counts as what it resolves to, its task's group and place in
// that group's list (-1 when gone): its serial depends on how many records
// the run made before, which a playback doesn't repeat. The places are
// gathered once a hash, stamped with the hash's generation, so a lookup
// costs no walk of the lists.
struct RefPlace {
    uint32_t serial = 0;
    int32_t identity = -1;
    uint32_t generation = 0;
};
std::array<RefPlace, kObjTaskPoolSize> refPlaces;
uint32_t refGeneration = 0;

class RefIdentities {
public:
    RefIdentities() {
        ++refGeneration;
        for (int group = 0; group < kObjTaskGroups; ++group) {
            int32_t place = 0;
            const ObjTaskGroup& list = OBJtaskGroup(group);
            for (const ObjTask* task = list.head.next; task != &list.tail; task = task->next, ++place) {
                const ObjRef live = objRef(task);
                if (live.index < 0 || live.index >= kObjTaskPoolSize || live.serial == 0) continue;
                refPlaces[size_t(live.index)] = {live.serial, group * 65536 + place, refGeneration};
            }
        }
    }
    int32_t of(ObjRef ref) const {
        if (ref.index < 0 || ref.index >= kObjTaskPoolSize || ref.serial == 0) return -1;
        const RefPlace& place = refPlaces[size_t(ref.index)];
        return place.generation == refGeneration && place.serial == ref.serial ? place.identity : -1;
    }
};

// Every reference a work holds is hashed as its identity and zeroed in the
// image.
void hashRefs(StateHasher& hasher, const RefIdentities& refs, std::span<ObjRef> list) {
    for (ObjRef& ref : list) {
        hasher.word(uint32_t(refs.of(ref)));
        ref = ObjRef{};
    }
}

// A shot's parent counts through its reference; the serial it kept from
// creation counts only as none or someone, as the serials run on.
void hashShotParentSerial(StateHasher& hasher, ObjWork& copy) {
    hasher.word(shot(&copy).parentSerial == -1 ? 0xFFFFFFFFu : 1u);
    shot(&copy).parentSerial = 0;
}

// The shots' game-wide values, the laser strips and the boss gauges.
void hashEshotWords(StateHasher& hasher) {
    hasher.words({eshotLiveCount, st4BurstSignal, eshotLaserNext});
    hasher.bytes(reinterpret_cast<const uint8_t*>(&eshotSpeedBonus), sizeof eshotSpeedBonus);
    for (int32_t strip = 0; strip < kEshotLaserStrips; ++strip) {
        hasher.bytes(reinterpret_cast<const uint8_t*>(eshotLaserHitBoxes(strip)), sizeof(HitBox) * kEshotLaserBoxes);
    }
    for (const BossGauge& gauge : bossGauges) {
        for (int32_t life : gauge.partLives) hasher.word(uint32_t(life));
        hasher.words({gauge.maximum, gauge.lastLife});
    }
}

// The joining pair's links are references too; the serials the body keeps
// of its pieces count only as none or someone.
void hashEnemyRefs(StateHasher& hasher, const RefIdentities& refs, ObjWork& copy) {
    EnemyFields& e = enemy(&copy);
    hashRefs(hasher, refs, e.partLink);
    hashRefs(hasher, refs, e.joinPieces);
    hashRefs(hasher, refs, std::span(&e.joinBody, 1));
    for (uint32_t& serial : e.joinPieceSerials) {
        hasher.word(serial == 0 ? 0u : 1u);
        serial = 0;
    }
}

void hashTask(StateHasher& hasher, const RefIdentities& refs, const ObjTask* task) {
    hasher.word(task->tag);
    hasher.word(uint32_t(task->state));
    hasher.word(uint32_t(task->aux));
    for (int32_t word : task->actWords) hasher.word(uint32_t(word));
    if (task->work == nullptr) return;
    ObjWork copy = *task->work;
    hashRefs(hasher, refs, std::span(&copy.lastCollider, 1));
    hashRefs(hasher, refs, std::span(&copy.parentWork, 1));
    if (task->tag == objTag("FIGH")) hashRefs(hasher, refs, fighter(&copy).gunUnits);
    if (task->tag == objTag("ZAKO")) hashEnemyRefs(hasher, refs, copy);
    if (task->tag == kEshotTag) hashShotParentSerial(hasher, copy);
    ReplayWorkImage image{};
    replayWorkStore(copy, image);
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

void hashVoiceMessage(StateHasher& hasher) {
    const VoiceMessageState& v = voiceMessageState();
    hasher.words({v.speaker, v.event, v.line, v.displayTimer, v.windowTimer, v.forcedLine, voiceMessageSetting});
    for (const auto& events : v.lastLine) {
        for (int32_t line : events) hasher.word(uint32_t(line));
    }
}

void hashWide(StateHasher& hasher, uint64_t value) { hasher.words({int32_t(value), int32_t(value >> 32)}); }

void hashEnemyWords(StateHasher& hasher) {
    hasher.words({wreckLayerValue, stage3BossFlag, enemyBossDamageCounter, enemyShotSoundCooldown});
    for (uint64_t total : {enemyHitCounters[0], enemyHitCounters[1], enemyRawScoreTotal, enemyPaidScoreTotal,
                           enemyFormBonusTotal, enemyDestructionBonusTotal}) {
        hashWide(hasher, total);
    }
    hasher.words({enemyTargetGauge.lifeMax, enemyTargetGauge.showTimer, enemyTargetGauge.life});
    for (int32_t hp : enemyTargetGauge.formHpMax) hasher.word(uint32_t(hp));
    for (int32_t cooldown : enemySoundCooldowns) hasher.word(uint32_t(cooldown));
}

void hashStageField(StateHasher& hasher) {
    hasher.words({int32_t(spawnCursor), spawnSuppressed, stagePreloadWord, st03WaveFlag, st05bossDarken});
    hasher.words({fieldLayerSharedTint.r, fieldLayerSharedTint.g, fieldLayerSharedTint.b});
    hasher.words({bossVisualFlag, bossIntroHold, st4BossEntered, st4BossDying, st05DirectBoss2, st05mboss2LeaveFlag,
                  trueRouteFlag});
    hasher.words({tutorialActive, tutorialSkipped, tutorialCarrierPhase});
    hasher.bytes(tutorialHintShow.data(), tutorialHintShow.size());
    hasher.bytes(tutorialHintBlink.data(), tutorialHintBlink.size());
    hasher.bytes(reinterpret_cast<const uint8_t*>(&bossIntroPoint), sizeof(ObjPoint));
    hasher.bytes(reinterpret_cast<const uint8_t*>(&st05boss2Trail), sizeof st05boss2Trail);
    hasher.bytes(reinterpret_cast<const uint8_t*>(st05boss2SnakeBoxes), sizeof st05boss2SnakeBoxes);
    for (size_t i = 0; i < 4; ++i) {
        hasher.words({layerFrame[i], fieldLayerKill[i]});
        hasher.bytes(reinterpret_cast<const uint8_t*>(&fieldLayerShift[i]), sizeof(ObjPoint));
        hasher.bytes(reinterpret_cast<const uint8_t*>(&fieldLayerOffset[i]), sizeof(ObjPoint));
    }
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
    hasher.words({fshotCounters.all, fshotCounters.own, fshotCounters.gun});
    hashEnemyWords(hasher);
    hashStageField(hasher);
    hasher.bytes(reinterpret_cast<const uint8_t*>(&settingsSnapshot), sizeof settingsSnapshot);
    hashVoiceMessage(hasher);
    hasher.words({rankCounter, enemyAttackRank, itemCarrierCount, itemCarrierPlayActive, itemLiveBombs,
                  itemLiveChanges, itemLiveSways, fighterShieldLevel(), stageResultActive, itemCarrierLive[0],
                  itemCarrierLive[1], itemCarrierLive[2]});
    hashCancelQueue(hasher);
    hasher.bytes(reinterpret_cast<const uint8_t*>(&bombSharedBox), sizeof bombSharedBox);
    hashEshotWords(hasher);
    const RefIdentities refs;
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
                hashTask(hasher, refs, task);
                continue;
            }
            StateHasher one;
            hashTask(one, refs, task);
            unordered += one.value;
        }
        hasher.words({int32_t(unordered), int32_t(unordered >> 32)});
    }
    return hasher.value;
}
