#include "game/core/coin_hook.h"

#include "game/core/game_task.h"
#include "game/core/sound_requests.h"
#include "game/records/settings_file.h"

uint8_t coinFlag = 0;

namespace {

constexpr int32_t kEventCoin = 1;
constexpr int32_t kEventCredit = 2;
constexpr int kSoundCoin = 52;
constexpr int kSoundCredits = 53;

// A burst of coins in one step plays its sound once.
void playGuarded(GameTask& task, int id) {
    int32_t& guard = soundLayerState().soundGuard[size_t(id)];
    if (guard >= 1) return;
    guard = 1;
    if (gameSettings.SOUND_OUT != 0) task.playSound(id);
}

}  // namespace

bool coinInHook(int32_t event) {
    GameTask* task = GameTask::getInstance();
    if (task == nullptr || !task->boot.ready()) return false;
    if (event != kEventCoin && event != kEventCredit) return true;
    playGuarded(*task, event == kEventCoin ? kSoundCoin : kSoundCredits);
    coinFlag = 1;
    return true;
}
