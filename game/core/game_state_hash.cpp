#include "game/core/game_state_hash.h"

#include "game/core/game_main.h"
#include "game/core/game_random.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/play_state.h"
#include "game/core/replay_files.h"
#include "game/frontend/stage_result_provisional.h"
#include "game/objects/fighter_counters.h"
#include "game/objects/fighter_hit.h"
#include "game/objects/shot_timers_provisional.h"
#include "game/objects/voice_message.h"
#include "game/records/play_selection.h"
#include "game/records/settings_file.h"
#include "game/stages/eshot_cancel_provisional.h"
#include "game/stages/stage_services.h"
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

// A reference counts as what it resolves to, its task's group and place in
// that group's list (-1 when gone): its serial depends on how many records
// the run made before, which a playback doesn't repeat.
int32_t refIdentity(ObjRef ref) {
    for (int group = 0; group < kObjTaskGroups; ++group) {
        int32_t place = 0;
        const ObjTaskGroup& list = OBJtaskGroup(group);
        for (const ObjTask* task = list.head.next; task != &list.tail; task = task->next, ++place) {
            const ObjRef live = objRef(task);
            if (live.index == ref.index && live.serial == ref.serial && ref.serial != 0) return group * 65536 + place;
        }
    }
    return -1;
}

void hashTask(StateHasher& hasher, const ObjTask* task) {
    hasher.word(task->tag);
    hasher.word(uint32_t(task->state));
    hasher.word(uint32_t(task->aux));
    for (int32_t word : task->actWords) hasher.word(uint32_t(word));
    if (task->work == nullptr) return;
    ReplayWorkImage image{};
    if (task->tag == objTag("FIGH")) {
        ObjWork copy = *task->work;
        for (ObjRef& gun : fighter(&copy).gunUnits) {
            hasher.word(uint32_t(refIdentity(gun)));
            gun = ObjRef{};
        }
        replayWorkStore(copy, image);
    } else {
        replayWorkStore(*task->work, image);
    }
    hasher.bytes(image.data(), image.size());
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

}  // namespace

uint64_t gameStateHash() {
    StateHasher hasher;
    hasher.word(gameRandState());
    hasher.words({stageNumber, int32_t(replayInputIndex), stageFrame, slowMotionFrames, slowMotionPeriod,
                  slowMotionPeriodInUse, itemCarrierChangeTimer, itemCarrierBombTimer, enemyExplosionTimer,
                  layerTintTimer, eshotConvertCountdown, scorePopupTimer, bossPresentFlag, stageClearFlag,
                  stageProgress});
    hasher.words({gameMode, selectedLeaderType, autoGameSystem, dramaticMode});
    hasher.bytes(reinterpret_cast<const uint8_t*>(&settingsSnapshot), sizeof settingsSnapshot);
    hashVoiceMessage(hasher);
    hasher.words({rankCounter, fighterShieldLevel(), stageResultActive});
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
