#include "game/frontend/play_scenes/countdown_select.h"
#include "game/frontend/front_picture_ids.h"
#include "game/records/card_profile.h"
#include "game/core/play_state.h"
#include "game/objects/fighter_counters.h"
#include "game/records/play_selection.h"

namespace {

void storeLeader(int32_t type) {
    setLeaderType(type);
    fighterSetType(type);
}

// Story goes on to the game mode, score attack to its own screen.
void storeGameChoice(int32_t choice) { menuResultCode = choice == 0 ? 0 : 18; }

}  // namespace

const CountdownScreen kCountdownScreenTable[kCountdownScreens] = {
    {4, 0x1, 0x2, 0.0f, 65.0f, 1, 2, 1, 10, 32, 874, {875, 876, 877, 878}, false, setGameMode,
     &CardProfile::configStMode, false, {3324, 3320}, 2940, 2942, 2941, 2943, {118.0f, 118.0f}},
    {2, 0x1, 0x2, 0.0f, 126.0f, 0, 0, -1, 10, 32, 886, {888, 887, 0, 0}, true, setAutoGameSystem,
     &CardProfile::configStAssist, true, {3312, 3316}, 2808, 2810, 2809, 2811, {106.0f, 105.0f}},
    {2, 0x1, 0x2, 0.0f, 126.0f, 1, 1, 0, 10, 32, 879, {882, 885, 0, 0}, false, setDramaticMode,
     &CardProfile::configStDramatic, false, {3314, 3318}, 2812, 2814, 2813, 2815, {106.0f, 105.0f}},
    {4, 0x4, 0x8, 32.0f, 0.0f, 3, 3, -1, 30, 37, 889, {0, 0, 0, 0}, false, storeLeader,
     &CardProfile::configStFigType, true, {0, 0}, 0, 0, 0, 0, {0.0f, 0.0f}},
    {2, 0x1, 0x2, 0.0f, 117.0f, 1, 1, -1, 30, 32, 871, {872, 873, 0, 0}, false, storeGameChoice,
     &CardProfile::configGameSelect, false, {kSpriteGameSelectItem, kSpriteGameSelectItem}, 2803, 2805, 2804, 0, {106.0f, 105.0f}},
};
