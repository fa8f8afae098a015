#include "game/core/game_state_hash.h"

#include "game/core/game_random.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/play_state.h"
#include "game/core/replay_files.h"

namespace {

constexpr int kControlGroup = 0;
constexpr int kSceneGroup = 13;

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
    uint64_t value = 0xCBF29CE484222325ull;
};

void hashTask(StateHasher& hasher, const ObjTask* task) {
    hasher.word(task->tag);
    hasher.word(uint32_t(task->state));
    for (int32_t word : task->actWords) hasher.word(uint32_t(word));
    if (task->work == nullptr) return;
    ReplayWorkImage image{};
    replayWorkStore(*task->work, image);
    hasher.bytes(image.data(), image.size());
}

}  // namespace

uint64_t gameStateHash() {
    StateHasher hasher;
    hasher.word(gameRandState());
    hasher.word(uint32_t(stageNumber));
    hasher.word(replayInputIndex);
    for (int group = 0; group < kObjTaskGroups; ++group) {
        if (group == kControlGroup || group == kSceneGroup) continue;
        const ObjTaskGroup& list = OBJtaskGroup(group);
        for (const ObjTask* task = list.head.next; task != &list.tail; task = task->next) hashTask(hasher, task);
    }
    return hasher.value;
}
